#include "AppPaths.h"

#include "CoreTestUtil.h"

#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Sets or unsets an environment variable for one scope.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvVar() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// What LocateAppPaths gives when it takes the XDG directories, for HOME
// /home/u with both variables unset.
const AppPaths kXdgDefault{
    "/home/u/.config/velmora/velmora.Ini",       "/home/u/.local/share/velmora/Tr_smsn.Txt",
    "/home/u/.local/share/velmora/Fl_smsn.Txt",  "/home/u/.local/share/velmora/Contact.Txt",
    "/home/u/.local/share/velmora/Received.Txt", "/home/u/.local/share/velmora/messages.sqlite"};

void ExpectPaths(const AppPaths& got, const AppPaths& want, const std::string& context) {
    EXPECT_EQ(got.settingsFile, want.settingsFile) << context;
    EXPECT_EQ(got.transmitLog, want.transmitLog) << context;
    EXPECT_EQ(got.failedLog, want.failedLog) << context;
    EXPECT_EQ(got.contactFile, want.contactFile) << context;
    EXPECT_EQ(got.receivedLog, want.receivedLog) << context;
    EXPECT_EQ(got.messageStore, want.messageStore) << context;
}

// HOME /home/u and no XDG variables, for one scope.
struct XdgDefaults {
    EnvVar home{"HOME", "/home/u"};
    EnvVar config{"XDG_CONFIG_HOME", nullptr};
    EnvVar data{"XDG_DATA_HOME", nullptr};
};

TEST(AppPaths, APortableCopyKeepsEverythingBesideTheProgram) {
    TempDir dir;
    WriteText(dir / kPortableMarkerName, "");
    XdgDefaults xdg;
    for (const std::string& programDir : {dir.path(), dir.path().substr(0, dir.path().size() - 1)}) {
        EXPECT_TRUE(IsPortableDir(programDir)) << programDir;
        ExpectPaths(LocateAppPaths(programDir), AppPathsIn(dir.path()), programDir);
        EXPECT_EQ(LocateAppPaths(programDir).transmitLog, dir / "Tr_smsn.Txt");
    }
}

// An installed copy: the directory may well be writable (root writes into
// /usr/bin), but without the marker nothing goes there.
TEST(AppPaths, AWritableDirectoryWithoutTheMarkerIsNotPortable) {
    TempDir dir;
    ASSERT_EQ(::access(dir.path().c_str(), W_OK), 0);
    XdgDefaults xdg;
    EXPECT_FALSE(IsPortableDir(dir.path()));
    ExpectPaths(LocateAppPaths(dir.path()), kXdgDefault, dir.path());
    // A marker elsewhere (the directory above, a file of another name) does not count.
    WriteText(dir / "velmora.portable.txt", "");
    ::mkdir((dir / "bin").c_str(), 0755);
    WriteText(dir / kPortableMarkerName, "");
    ExpectPaths(LocateAppPaths(dir / "bin"), kXdgDefault, dir / "bin");
}

TEST(AppPaths, OnlyARegularFileIsTheMarker) {
    TempDir dir;
    XdgDefaults xdg;
    const std::string marker = dir / kPortableMarkerName;
    ::mkdir(marker.c_str(), 0755);
    EXPECT_FALSE(IsPortableDir(dir.path())) << "a directory as marker";
    ::rmdir(marker.c_str());
    ASSERT_EQ(::symlink((dir / "nowhere").c_str(), marker.c_str()), 0);
    EXPECT_FALSE(IsPortableDir(dir.path())) << "a dangling link as marker";
    WriteText(dir / "nowhere", "");
    EXPECT_TRUE(IsPortableDir(dir.path())) << "a link to a file";
    ::unlink(marker.c_str());
    EXPECT_FALSE(IsPortableDir(dir.path()));
    EXPECT_FALSE(IsPortableDir(""));
}

TEST(AppPaths, APortableCopyTheUserCannotWriteToUsesTheXdgDirectories) {
    TempDir dir;
    const std::string ro = dir / "readonly";
    ::mkdir(ro.c_str(), 0755);
    WriteText(ro + "/" + kPortableMarkerName, "");
    ::chmod(ro.c_str(), 0555);
    if (::access(ro.c_str(), W_OK) == 0) {
        ::chmod(ro.c_str(), 0755);
        GTEST_SKIP() << "this user writes into read-only directories (root)";
    }
    XdgDefaults xdg;
    EXPECT_FALSE(IsPortableDir(ro));
    ExpectPaths(LocateAppPaths(ro), kXdgDefault, ro);
    ::chmod(ro.c_str(), 0755);
}

TEST(AppPaths, OtherwiseTheXdgDirectories) {
    TempDir dir;
    const std::string programDir = dir.path(); // writable, without the marker
    struct Row {
        const char* config;
        const char* data;
        std::string wantConfig, wantData;
    } rows[] = {
        {"/x/cfg", "/x/data", "/x/cfg/velmora/", "/x/data/velmora/"},
        {"/x/cfg/", "/x/data/", "/x/cfg/velmora/", "/x/data/velmora/"},
        {nullptr, nullptr, "/home/u/.config/velmora/", "/home/u/.local/share/velmora/"},
        {"", "", "/home/u/.config/velmora/", "/home/u/.local/share/velmora/"},
        // relative values are to be ignored
        {"cfg", "rel/data", "/home/u/.config/velmora/", "/home/u/.local/share/velmora/"},
    };
    EnvVar home("HOME", "/home/u");
    for (const auto& r : rows) {
        EnvVar cfg("XDG_CONFIG_HOME", r.config);
        EnvVar data("XDG_DATA_HOME", r.data);
        const AppPaths p = LocateAppPaths(programDir);
        EXPECT_EQ(p.settingsFile, r.wantConfig + "velmora.Ini");
        EXPECT_EQ(p.transmitLog, r.wantData + "Tr_smsn.Txt");
        EXPECT_EQ(p.failedLog, r.wantData + "Fl_smsn.Txt");
        EXPECT_EQ(p.contactFile, r.wantData + "Contact.Txt");
        EXPECT_EQ(p.receivedLog, r.wantData + "Received.Txt");
    }
}

TEST(AppPaths, TheRunningProgramIsFoundThroughProc) {
    const std::string programDir = CurrentProgramDir();
    ASSERT_FALSE(programDir.empty());
    EXPECT_EQ(programDir.back(), '/');
    EXPECT_EQ(::access((programDir + "core_tests").c_str(), X_OK), 0) << programDir;
    // The build marks its output directory as a portable copy.
    struct stat st {};
    EXPECT_EQ(::stat((programDir + kPortableMarkerName).c_str(), &st), 0) << programDir;
    EXPECT_TRUE(IsPortableDir(programDir));
    EnvVar unset("VELMORA_DIR", nullptr);
    EXPECT_EQ(CurrentAppPaths().settingsFile, programDir + "velmora.Ini");
}

TEST(AppPaths, VelmoraDirPutsEveryFileThere) {
    const std::string programDir = CurrentProgramDir();
    const struct {
        const char* value;
        std::string wantDir;
    } rows[] = {
        {"/tmp/velmora-elsewhere", "/tmp/velmora-elsewhere/"},
        {"/tmp/velmora-elsewhere/", "/tmp/velmora-elsewhere/"},
        {"relative/dir", "relative/dir/"},
        {"", programDir}, // empty: as if unset
        {nullptr, programDir},
    };
    for (const auto& r : rows) {
        EnvVar dir("VELMORA_DIR", r.value);
        const AppPaths p = CurrentAppPaths();
        const char* shown = r.value ? r.value : "(unset)";
        EXPECT_EQ(p.settingsFile, r.wantDir + "velmora.Ini") << shown;
        EXPECT_EQ(p.transmitLog, r.wantDir + "Tr_smsn.Txt") << shown;
        EXPECT_EQ(p.failedLog, r.wantDir + "Fl_smsn.Txt") << shown;
        EXPECT_EQ(p.contactFile, r.wantDir + "Contact.Txt") << shown;
        EXPECT_EQ(p.receivedLog, r.wantDir + "Received.Txt") << shown;
    }
}

} // namespace
TEST(AppPaths, TheMessageStoreIsTheCommandsThenTheSettingsThenBesideTheLogs) {
    const struct {
        const char *configured, *override, *want;
    } rows[] = {
        {"", "", "/home/u/.local/share/velmora/messages.sqlite"},
        {"/srv/shop.sqlite", "", "/srv/shop.sqlite"},
        {"shop.sqlite", "", "/home/u/.local/share/velmora/shop.sqlite"},
        {"/srv/shop.sqlite", "/tmp/run.sqlite", "/tmp/run.sqlite"},
        {"", "run.sqlite", "/home/u/.local/share/velmora/run.sqlite"},
        {"", "postgresql://v@h/db", "postgresql://v@h/db"},
        {"postgres://v@%2Frun%2Fpg/db", "", "postgres://v@%2Frun%2Fpg/db"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ChooseMessageStore(kXdgDefault, r.configured, r.override), r.want)
            << r.configured << " / " << r.override;
}

} // namespace velmora
