#pragma once

// velmorad as a function, so tests run it without a process: the options,
// the check of the settings, and the run until SIGTERM.

#include "CentreControl.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace velmora::daemon {

// The catalogs velmorad speaks from: its own words are in the core's.
inline const QStringList kDaemonCatalogs{"velmora-core", "velmora-sms"};

struct DaemonOptions {
    QString config;           // --config, else the user's default file
    bool checkConfig = false; // --check-config
    bool systemBus = false;   // --system-bus: org.velmora.Velmora1 on the system bus, not the session's
};

// Reads `arguments` (the program's name first). Gives the exit status when
// the program ends here: --help and --version (0, on `out`), a wrong
// option (2, on `err`).
std::optional<int> ParseDaemonOptions(const QStringList& arguments, DaemonOptions& options, std::FILE* out,
                                      std::FILE* err);

// --check-config: each problem of `file` on `err` as "FILE: [SECTION] KEY:
// why" and 1, or a line saying the file is good on `out` and 0.
int CheckDaemonConfig(const QString& file, std::FILE* out, std::FILE* err);

// The store a daemon keeps when its settings name none: the unit's state
// directory ($STATE_DIRECTORY, set by systemd's StateDirectory=), else the
// one beside the logs as the other programs find it.
QString DefaultDaemonStore();

// The whole program: options, settings, then the run with the centre
// `makeCentre` gives, until SIGTERM or SIGINT. Needs a QCoreApplication.
int RunDaemon(const QStringList& arguments, std::FILE* out, std::FILE* err,
              const std::function<std::unique_ptr<CentreControl>()>& makeCentre);

} // namespace velmora::daemon
