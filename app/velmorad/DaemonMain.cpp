#include "DaemonMain.h"

#include "ApiHost.h"
#include "AppPaths.h"
#include "BusService.h"
#include "Daemon.h"
#include "DaemonConfig.h"
#include "DaemonLog.h"
#include "SignalPipe.h"
#include "SystemdNotifier.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <csignal>
#include <cstdlib>

namespace velmora::daemon {

namespace {

QString Usage() {
    return QCoreApplication::translate(
               "velmorad",
               "usage: velmorad [--config FILE] [--check-config] [--system-bus]\n"
               "       velmorad --help | --version\n"
               "\n"
               "Runs the message centre for the modems its settings file names, on a box without a\n"
               "screen: sends what is queued, reads what comes in and keeps every message in the store.\n"
               "SIGHUP reads the settings again; SIGTERM stops it.\n"
               "\n"
               "  --config FILE    the settings file (default: %1)\n"
               "  --check-config   check the settings file, say each problem, and exit\n"
               "  --system-bus     answer other programs as org.velmora.Velmora1 on the system bus\n"
               "                   (the system's service); default: the user's session bus\n"
               "  --help           show this help and exit\n"
               "  --version        show the version and exit\n")
        .arg(UserDaemonConfig());
}

void Print(std::FILE* to, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
    std::fflush(to);
}

} // namespace

std::optional<int> ParseDaemonOptions(const QStringList& arguments, DaemonOptions& options, std::FILE* out,
                                      std::FILE* err) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption config("config", {}, "FILE");
    const QCommandLineOption check("check-config");
    const QCommandLineOption systemBus("system-bus");
    const QCommandLineOption help(QStringList{"help", "h"});
    const QCommandLineOption version("version");
    parser.addOptions({config, check, systemBus, help, version});
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString why = parser.positionalArguments().isEmpty()
                                ? parser.errorText()
                                : QCoreApplication::translate("velmorad", "unexpected argument %1")
                                      .arg(parser.positionalArguments().first());
        Print(err, "velmorad: " + why + '\n' + Usage());
        return 2;
    }
    if (parser.isSet(help)) {
        Print(out, Usage());
        return 0;
    }
    if (parser.isSet(version)) {
        Print(out, QStringLiteral("velmorad " VELMORA_VERSION "\n"));
        return 0;
    }
    options.config = parser.isSet(config) ? parser.value(config) : UserDaemonConfig();
    options.checkConfig = parser.isSet(check);
    options.systemBus = parser.isSet(systemBus);
    return std::nullopt;
}

int CheckDaemonConfig(const QString& file, std::FILE* out, std::FILE* err) {
    const auto loaded = LoadDaemonConfig(file);
    if (!loaded) {
        for (const ConfigProblem& problem : loaded.error())
            Print(err, ConfigProblemLine(problem) + '\n');
        return 1;
    }
    QStringList names;
    for (const ModemConfig& m : loaded->modems)
        names << m.name;
    Print(out, QCoreApplication::translate("velmorad", "%1: good; modems: %2\n").arg(file, names.join(", ")));
    return 0;
}

QString DefaultDaemonStore() {
    // systemd gives every StateDirectory= path, ':' between them; the unit
    // names one.
    const QString state = qEnvironmentVariable("STATE_DIRECTORY").section(':', 0, 0);
    if (!state.isEmpty())
        return state + "/messages.sqlite";
    return QString::fromStdString(CurrentAppPaths().messageStore);
}

int RunDaemon(const QStringList& arguments, std::FILE* out, std::FILE* err,
              const std::function<std::unique_ptr<CentreControl>()>& makeCentre) {
    DaemonOptions options;
    if (const auto status = ParseDaemonOptions(arguments, options, out, err))
        return *status;
    if (options.checkConfig)
        return CheckDaemonConfig(options.config, out, err);

    DaemonLog log(err, IsJournalStream(std::getenv("JOURNAL_STREAM"), fileno(err)));
    const auto loaded = LoadDaemonConfig(options.config);
    if (!loaded) {
        for (const ConfigProblem& problem : loaded.error())
            log.error(ConfigProblemLine(problem));
        log.error(QCoreApplication::translate("velmorad", "not started: the settings have problems"));
        return 1;
    }
    log.catchQtMessages();
    // Before anything starts, so a signal during the start waits its turn
    // rather than ending the program half-way.
    SignalPipe caught;
    if (!caught.ok()) {
        log.error(QCoreApplication::translate("velmorad", "not started: the signals cannot be caught"));
        return 1;
    }
    SystemdNotifier notifier;
    const std::unique_ptr<CentreControl> centre = makeCentre();
    // Two daemons on one bus would fight over the same modems and the
    // same name, and the second would answer no one: one already there is
    // a refusal to start, before any modem is touched. (A program that
    // answers for Velmora on the bus holds its modems; a user who wants
    // two centres runs them as two users, or one as the system's.)
    const auto busType = options.systemBus ? QDBusConnection::SystemBus : QDBusConnection::SessionBus;
    if (centre->servesApi()) {
        const QDBusConnection bus =
            options.systemBus ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
        if (api::BusService::NameTaken(bus)) {
            log.error(QCoreApplication::translate("velmorad",
                                                  "not started: another Velmora program answers as "
                                                  "org.velmora.Velmora1 on the %1 bus")
                          .arg(api::BusService::BusWord(busType)));
            return 1;
        }
    }
    Daemon daemon(*centre, log, &notifier);
    daemon.setDefaultStore(DefaultDaemonStore());
    QObject::connect(&caught, &SignalPipe::terminate, &daemon, &Daemon::terminate);
    QObject::connect(&caught, &SignalPipe::reload, &daemon, &Daemon::reload);
    QObject::connect(&daemon, &Daemon::finished, QCoreApplication::instance(),
                     [](int status) { QCoreApplication::exit(status); });
    if (!daemon.start(*loaded))
        return 1;
    std::unique_ptr<api::ApiHost> doors;
    if (MessageCentre* served = centre->messageCentre()) {
        doors = std::make_unique<api::ApiHost>(*served, daemon.config());
        doors->setBus(busType);
        const auto opened = doors->start();
        if (!opened) {
            log.error(QCoreApplication::translate("velmorad", "stopping: %1").arg(opened.error()));
            doors.reset();
            daemon.terminate(SIGTERM);
            QCoreApplication::exec();
            return 1;
        }
        if (!doors->busNotice().isEmpty())
            log.warning(doors->busNotice());
        else
            log.notice(
                QCoreApplication::translate("velmorad", "answering as org.velmora.Velmora1 on the %1 bus")
                    .arg(api::BusService::BusWord(busType)));
    }
    const int status = QCoreApplication::exec();
    doors.reset(); // before the centre it asks
    return status;
}

} // namespace velmora::daemon
