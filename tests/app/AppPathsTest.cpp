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

TEST(AppPaths, AWritableProgramDirectoryKeepsEverythingBesideTheProgram) {
    TempDir dir;
    EnvVar cfg("XDG_CONFIG_HOME", "/elsewhere/cfg");
    for (const std::string& programDir : {dir.path(), dir.path().substr(0, dir.path().size() - 1)}) {
        const AppPaths p = LocateAppPaths(programDir);
        EXPECT_EQ(p.settingsFile, dir / "velmora.Ini");
        EXPECT_EQ(p.transmitLog, dir / "Tr_smsn.Txt");
        EXPECT_EQ(p.failedLog, dir / "Fl_smsn.Txt");
        EXPECT_EQ(p.contactFile, dir / "Contact.Txt");
    }
}

// A directory the user cannot write to; for root, who writes anywhere, one
// that does not exist stands in.
std::string UnwritableDir(const TempDir& dir) {
    const std::string ro = dir / "installed";
    ::mkdir(ro.c_str(), 0555);
    return ::access(ro.c_str(), W_OK) == 0 ? dir / "no/such/dir" : ro;
}

TEST(AppPaths, OtherwiseTheXdgDirectories) {
    TempDir dir;
    const std::string programDir = UnwritableDir(dir);
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
    }
    ::chmod((dir / "installed").c_str(), 0755);
}

TEST(AppPaths, TheRunningProgramIsFoundThroughProc) {
    const std::string programDir = CurrentProgramDir();
    ASSERT_FALSE(programDir.empty());
    EXPECT_EQ(programDir.back(), '/');
    EXPECT_EQ(::access((programDir + "core_tests").c_str(), X_OK), 0) << programDir;
    // The build's output directory is writable, so the portable form applies.
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
    }
}

} // namespace
} // namespace velmora
