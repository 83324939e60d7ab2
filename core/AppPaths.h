#pragma once

#include <string>

namespace velmora {

// Where the programs keep their files. velmora, velmora-cli and
// velmora-phonesim share one directory and hence one set of these.
struct AppPaths {
    std::string settingsFile; // "velmora.Ini"
    std::string transmitLog;  // "Tr_smsn.Txt"
    std::string failedLog;    // "Fl_smsn.Txt"
    std::string contactFile;  // "Contact.Txt"
    std::string receivedLog;  // "Received.Txt"
    std::string messageStore; // "messages.sqlite", beside the logs
};

// The message store to use: `override` (a command's --store) first, then the
// settings' [Messages] Store=, then the one beside the logs. A relative path
// is taken from the folder of the logs; a URL (StoreLocation.h) is kept as
// it is.
std::string ChooseMessageStore(const AppPaths& paths, const std::string& configured,
                               const std::string& override = {});

// The file that makes a directory of programs a portable copy. The build
// writes it beside the programs it builds; it is never installed, so an
// installed copy cannot keep its files beside itself, not even when it runs
// as root, who may write into /usr/bin.
inline constexpr char kPortableMarkerName[] = "velmora.portable";

// Whether `programDir` is a portable copy: it holds a regular file named
// kPortableMarkerName and the user may write into it.
bool IsPortableDir(const std::string& programDir);

// Portable form: everything beside the program when its directory is a
// portable copy (IsPortableDir). Otherwise the settings go to
// $XDG_CONFIG_HOME/velmora (default ~/.config/velmora) and the logs and
// Contact.Txt to $XDG_DATA_HOME/velmora (default ~/.local/share/velmora).
// Nothing is created here.
AppPaths LocateAppPaths(const std::string& programDir);

// Everything in `dir`, whatever it is.
AppPaths AppPathsIn(const std::string& dir);

// Where the running program keeps its files: in the directory the
// environment variable VELMORA_DIR names, when it is set and not empty (so
// tests, or a user who wants a separate set of files, can point every
// program at one place); otherwise as LocateAppPaths finds them for the
// program's directory (through /proc/self/exe). Every program takes its
// locations from here.
AppPaths CurrentAppPaths();

// The directory of the running program, "" when it cannot be found.
std::string CurrentProgramDir();

} // namespace velmora
