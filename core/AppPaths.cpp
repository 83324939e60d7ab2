#include "AppPaths.h"

#include "StoreLocation.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

const char kSettingsName[] = "velmora.Ini";
const char kTransmitName[] = "Tr_smsn.Txt";
const char kFailedName[] = "Fl_smsn.Txt";
const char kContactName[] = "Contact.Txt";
const char kReceivedName[] = "Received.Txt";
const char kStoreName[] = "messages.sqlite";

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string HomeDir() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

// The base directory rules ignore a relative value, as if it were unset.
std::string XdgDir(const char* var, const char* fallbackUnderHome) {
    if (const char* v = std::getenv(var); v && v[0] == '/')
        return v;
    return WithSlash(HomeDir()) + fallbackUnderHome;
}

} // namespace

AppPaths AppPathsIn(const std::string& dir) {
    const std::string d = WithSlash(dir);
    return {d + kSettingsName, d + kTransmitName, d + kFailedName,
            d + kContactName,  d + kReceivedName, d + kStoreName};
}

bool IsPortableDir(const std::string& programDir) {
    if (programDir.empty())
        return false;
    // A writable directory alone says nothing: root may write everywhere.
    struct stat st {};
    const std::string marker = WithSlash(programDir) + kPortableMarkerName;
    return ::stat(marker.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(programDir.c_str(), W_OK) == 0;
}

AppPaths LocateAppPaths(const std::string& programDir) {
    AppPaths p;
    if (IsPortableDir(programDir))
        return AppPathsIn(programDir);
    const std::string config = WithSlash(XdgDir("XDG_CONFIG_HOME", ".config")) + "velmora/";
    const std::string data = WithSlash(XdgDir("XDG_DATA_HOME", ".local/share")) + "velmora/";
    p.settingsFile = config + kSettingsName;
    p.transmitLog = data + kTransmitName;
    p.failedLog = data + kFailedName;
    p.contactFile = data + kContactName;
    p.receivedLog = data + kReceivedName;
    p.messageStore = data + kStoreName;
    return p;
}

std::string CurrentProgramDir() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "";
    const std::string exe(buf, static_cast<std::size_t>(n));
    const auto slash = exe.find_last_of('/');
    return slash == std::string::npos ? "" : exe.substr(0, slash + 1);
}

AppPaths CurrentAppPaths() {
    if (const char* dir = std::getenv("VELMORA_DIR"); dir && *dir)
        return AppPathsIn(dir);
    return LocateAppPaths(CurrentProgramDir());
}

} // namespace velmora

namespace velmora {

std::string ChooseMessageStore(const AppPaths& paths, const std::string& configured,
                               const std::string& override) {
    const std::string chosen = !override.empty() ? override : configured;
    if (chosen.empty())
        return paths.messageStore;
    // A server's URL is no file beside the logs.
    if (chosen.front() == '/' || IsStoreUrl(chosen))
        return chosen;
    const auto slash = paths.receivedLog.rfind('/');
    return slash == std::string::npos ? chosen : paths.receivedLog.substr(0, slash + 1) + chosen;
}

} // namespace velmora
