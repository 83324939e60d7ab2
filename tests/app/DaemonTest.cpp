// velmorad's own part: its options and the check of its settings, the log
// lines, the signals, the reload by difference, the way out and what it
// tells systemd. The centre behind it is a recorder here: these tests are
// about what the daemon asks of it, and when.

#include "Daemon.h"
#include "DaemonLog.h"
#include "DaemonMain.h"
#include "SignalPipe.h"
#include "SystemdNotifier.h"

#include "CoreTestUtil.h"
#include "TestNames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora::daemon {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "velmorad";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return app ? *app : *QCoreApplication::instance();
}

// Runs the event loop until `done` or `ms` pass.
void SpinUntil(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// A FILE* whose text a test reads back.
class Captured {
public:
    Captured() : m_file(std::tmpfile()) {}
    ~Captured() { std::fclose(m_file); }
    std::FILE* file() const { return m_file; }
    std::string text() const {
        std::fflush(m_file);
        std::string all;
        std::rewind(m_file);
        char buf[4096];
        std::size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, m_file)) > 0)
            all.append(buf, n);
        std::fseek(m_file, 0, SEEK_END);
        return all;
    }

private:
    std::FILE* m_file;
};

// What the daemon asked of the centre, one word a call.
class RecordingCentre : public CentreControl {
public:
    std::vector<std::string> calls;
    DaemonConfig started;
    std::chrono::milliseconds deadline{0};
    bool refuse = false;
    bool stopsAtOnce = true; // false: never says it stopped
    std::function<void()> pendingDone;

    Result<bool, QString> start(const DaemonConfig& config) override {
        calls.push_back("start");
        started = config;
        if (refuse)
            return Result<bool, QString>::Fail("the store is damaged");
        return Result<bool, QString>::Ok(true);
    }
    void addModem(const ModemConfig& m) override {
        calls.push_back("add " + m.name.toStdString() + " " + m.device.toStdString());
    }
    void removeModem(const QString& name) override { calls.push_back("remove " + name.toStdString()); }
    void stop(std::chrono::milliseconds d, std::function<void()> done) override {
        calls.push_back("stop");
        deadline = d;
        if (stopsAtOnce)
            QTimer::singleShot(0, std::move(done));
        else
            pendingDone = std::move(done);
    }
};

ModemConfig Modem(const char* name, const char* device, int speed = 115200) {
    ModemConfig m;
    m.name = name;
    m.device = device;
    m.speed = speed;
    return m;
}

// --- Reload by difference ----------------------------------------------------

TEST(DiffModems, ClosesWhatWentOrChangedAndOpensWhatCameOrChanged) {
    const struct {
        const char* name;
        std::vector<ModemConfig> running, wanted;
        std::vector<QString> remove;
        std::vector<QString> add;
    } rows[] = {
        {"nothing changed", {Modem("a", "/dev/ttyUSB0")}, {Modem("a", "/dev/ttyUSB0")}, {}, {}},
        {"one added",
         {Modem("a", "/dev/ttyUSB0")},
         {Modem("a", "/dev/ttyUSB0"), Modem("b", "/dev/ttyUSB1")},
         {},
         {"b"}},
        {"one removed",
         {Modem("a", "/dev/ttyUSB0"), Modem("b", "/dev/ttyUSB1")},
         {Modem("b", "/dev/ttyUSB1")},
         {"a"},
         {}},
        {"speed changed: closed and opened again",
         {Modem("a", "/dev/ttyUSB0")},
         {Modem("a", "/dev/ttyUSB0", 9600)},
         {"a"},
         {"a"}},
        {"renamed", {Modem("a", "/dev/ttyUSB0")}, {Modem("b", "/dev/ttyUSB0")}, {"a"}, {"b"}},
        {"order alone changes nothing",
         {Modem("a", "/dev/ttyUSB0"), Modem("b", "/dev/ttyUSB1")},
         {Modem("b", "/dev/ttyUSB1"), Modem("a", "/dev/ttyUSB0")},
         {},
         {}},
        {"all gone", {Modem("a", "/dev/ttyUSB0"), Modem("b", "/dev/ttyUSB1")}, {}, {"a", "b"}, {}},
    };
    for (const auto& r : rows) {
        const ModemChanges c = DiffModems(r.running, r.wanted);
        EXPECT_EQ(c.remove, r.remove) << r.name;
        std::vector<QString> added;
        for (const ModemConfig& m : c.add)
            added.push_back(m.name);
        EXPECT_EQ(added, r.add) << r.name;
    }
}

// --- The log -------------------------------------------------------------------

TEST(DaemonLog, LinesCarryTheLevelAsTheReaderWantsIt) {
    const QDateTime at(QDate(2026, 12, 10), QTime(6, 5, 4), Qt::UTC);
    const auto now = [at] { return at; };
    const DaemonLog journal(stderr, true, now), plain(stderr, false, now);
    const struct {
        Level level;
        const char* text;
        const char* journalLine;
        const char* plainLine;
    } rows[] = {
        {Level::Error, "store damaged", "<3>store damaged", "2026-12-10T06:05:04Z error: store damaged"},
        {Level::Warning, "w", "<4>w", "2026-12-10T06:05:04Z warning: w"},
        {Level::Notice, "modem a on /dev/ttyUSB0", "<5>modem a on /dev/ttyUSB0",
         "2026-12-10T06:05:04Z notice: modem a on /dev/ttyUSB0"},
        {Level::Info, "i", "<6>i", "2026-12-10T06:05:04Z info: i"},
        {Level::Debug, "d", "<7>d", "2026-12-10T06:05:04Z debug: d"},
        // A line break from a phone's answer cannot start a line of its own.
        {Level::Warning, "two\nlines\r\n<2>forged", "<4>two lines  <2>forged",
         "2026-12-10T06:05:04Z warning: two lines  <2>forged"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(journal.line(r.level, r.text).toStdString(), r.journalLine);
        EXPECT_EQ(plain.line(r.level, r.text).toStdString(), r.plainLine);
    }
}

TEST(DaemonLog, QtMessagesOfTheLayersBelowComeAtTheirLevel) {
    App();
    Captured out;
    {
        DaemonLog log(out.file(), true);
        log.catchQtMessages();
        qWarning("port %s closed", "/dev/ttyUSB0");
        qInfo("signal 17");
        qCritical("no store");
    }
    qWarning("after the log: not caught");
    EXPECT_EQ(out.text(), "<4>port /dev/ttyUSB0 closed\n<6>signal 17\n<3>no store\n");
}

TEST(DaemonLog, JournalStreamMustBeTheStreamItNames) {
    TempDir dir;
    WriteText(dir / "err", "");
    std::FILE* file = std::fopen((dir / "err").c_str(), "a");
    ASSERT_NE(file, nullptr);
    struct stat st {};
    ASSERT_EQ(::fstat(fileno(file), &st), 0);
    const std::string same = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
    const std::string other = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino + 1);
    const struct {
        const char* value;
        bool journal;
    } rows[] = {
        {same.c_str(), true}, {other.c_str(), false}, {nullptr, false}, {"", false},
        {"12", false},        {"a:b", false},         {":", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(IsJournalStream(r.value, fileno(file)), r.journal) << (r.value ? r.value : "(unset)");
    std::fclose(file);
}

// --- Signals -------------------------------------------------------------------

TEST(SignalPipe, EachSignalReachesTheEventLoop) {
    App();
    SignalPipe pipe;
    ASSERT_TRUE(pipe.ok());
    std::vector<std::string> seen;
    QObject::connect(&pipe, &SignalPipe::reload, [&] { seen.push_back("reload"); });
    QObject::connect(&pipe, &SignalPipe::terminate,
                     [&](int s) { seen.push_back("terminate " + std::to_string(s)); });
    ::raise(SIGHUP);
    ::raise(SIGTERM);
    ::raise(SIGINT);
    SpinUntil([&] { return seen.size() >= 3; });
    EXPECT_EQ(seen, (std::vector<std::string>{"reload", "terminate " + std::to_string(SIGTERM),
                                              "terminate " + std::to_string(SIGINT)}));
}

// --- The daemon's run ------------------------------------------------------------

class DaemonRun : public ::testing::Test {
protected:
    void SetUp() override { App(); }

    QString WriteConfig(const std::string& text) {
        WriteText(dir / "velmorad.conf", text);
        return QString::fromStdString(dir / "velmorad.conf");
    }
    DaemonConfig Load(const std::string& text) {
        const auto loaded = LoadDaemonConfig(WriteConfig(text));
        EXPECT_TRUE(loaded.ok());
        return loaded.ok() ? *loaded : DaemonConfig{};
    }

    TempDir dir;
    Captured out;
    DaemonLog log{out.file(), true};
    RecordingCentre centre;
};

const char kTwoModems[] = "[Modem a]\nDevice=/dev/ttyUSB0\n[Modem b]\nDevice=/dev/ttyUSB1\n";

TEST_F(DaemonRun, StartOpensEveryModemWithTheDefaultStore) {
    Daemon daemon(centre, log, nullptr);
    daemon.setDefaultStore("/var/lib/velmora/messages.sqlite");
    ASSERT_TRUE(daemon.start(Load(kTwoModems)));
    EXPECT_EQ(centre.calls, (std::vector<std::string>{"start", "add a /dev/ttyUSB0", "add b /dev/ttyUSB1"}));
    EXPECT_EQ(centre.started.storePath, "/var/lib/velmora/messages.sqlite");
}

TEST_F(DaemonRun, AServerInTheSettingsIsOpenedInsteadOfTheDefaultFile) {
    Daemon daemon(centre, log, nullptr);
    daemon.setDefaultStore("/var/lib/velmora/messages.sqlite");
    ASSERT_TRUE(daemon.start(
        Load(std::string(kTwoModems) + "[Store]\nUrl=postgresql://v@db/velmora\nSslMode=require\n")));
    EXPECT_EQ(centre.started.storeLocation(), "postgresql://v@db/velmora?sslmode=require");
    EXPECT_TRUE(centre.started.storePath.isEmpty());
}

// The store is opened once: what changes it waits for the next start, and
// the log says which keys those are.
TEST_F(DaemonRun, StoreChangesOnReloadWaitForTheNextStart) {
    const char kPathLine[] = "[Store] Path and [Messages] CountryCode change at the next start only";
    const char kServerLine[] =
        "[Store] Url, PasswordFile, SslMode and LeaseSeconds change at the next start only";
    const struct {
        const char *before, *after;
        bool pathLine, serverLine;
    } rows[] = {
        {"", "Url=postgresql://v@db/velmora\n", false, true},
        {"Url=postgresql://v@db/velmora\n", "Url=postgresql://v@db/velmora\nLeaseSeconds=30\n", false, true},
        {"Url=postgresql://v@db/velmora\n", "Url=postgresql://v@db/velmora\nSslMode=disable\n", false, true},
        {"Url=postgresql://v@db/velmora\nLeaseSeconds=30\n",
         "LeaseSeconds=30\nUrl=postgresql://v@db/velmora\n", false, false},
        {"Path=a.sqlite\n", "Path=b.sqlite\n", true, false},
    };
    for (const auto& row : rows) {
        Captured said;
        DaemonLog rowLog{said.file(), true};
        Daemon daemon(centre, rowLog, nullptr);
        daemon.setDefaultStore("/var/lib/velmora/messages.sqlite");
        ASSERT_TRUE(daemon.start(Load(std::string(kTwoModems) + "[Store]\n" + row.before)));
        WriteConfig(std::string(kTwoModems) + "[Store]\n" + row.after);
        daemon.reload();
        const std::string text = said.text();
        EXPECT_EQ(text.find(kPathLine) != std::string::npos, row.pathLine) << row.after << text;
        EXPECT_EQ(text.find(kServerLine) != std::string::npos, row.serverLine) << row.after << text;
    }
}

TEST_F(DaemonRun, RefusedStartIsLoggedAndOpensNoModem) {
    centre.refuse = true;
    Daemon daemon(centre, log, nullptr);
    EXPECT_FALSE(daemon.start(Load(kTwoModems)));
    EXPECT_EQ(centre.calls, (std::vector<std::string>{"start"}));
    EXPECT_NE(out.text().find("<3>the store is damaged\n"), std::string::npos);
}

TEST_F(DaemonRun, ReloadOpensAndClosesByDifference) {
    Daemon daemon(centre, log, nullptr);
    ASSERT_TRUE(daemon.start(Load(kTwoModems)));
    centre.calls.clear();
    WriteConfig("[Modem b]\nDevice=/dev/ttyUSB1\nSpeed=9600\n[Modem c]\nDevice=/dev/ttyACM0\n");
    daemon.reload();
    EXPECT_EQ(centre.calls,
              (std::vector<std::string>{"remove a", "remove b", "add b /dev/ttyUSB1", "add c /dev/ttyACM0"}));
    centre.calls.clear();
    daemon.reload(); // the same file again: nothing to do
    EXPECT_TRUE(centre.calls.empty());
    ASSERT_EQ(daemon.config().modems.size(), 2u);
    EXPECT_EQ(daemon.config().modems[0].speed, 9600);
}

TEST_F(DaemonRun, BadFileOnReloadKeepsTheRunningModemsAndLogsEachProblem) {
    Daemon daemon(centre, log, nullptr);
    ASSERT_TRUE(daemon.start(Load(kTwoModems)));
    centre.calls.clear();
    const QString file = WriteConfig("[Modem a]\nDevice=/dev/ttyUSB0\nSpeed=fast\n[Modem b]\n");
    daemon.reload();
    EXPECT_TRUE(centre.calls.empty());
    EXPECT_EQ(daemon.config().modems.size(), 2u);
    const std::string text = out.text();
    const std::string f = file.toStdString();
    EXPECT_NE(text.find("<4>" + f + " not read again, for the problems below; the modems run as they were\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("<4>" + f + ": [Modem a] Speed: \"fast\""), std::string::npos) << text;
    EXPECT_NE(text.find("<4>" + f + ": [Modem b] Device: missing"), std::string::npos) << text;
    // Mended, the file is taken at the next reload.
    WriteConfig("[Modem a]\nDevice=/dev/ttyUSB0\n");
    daemon.reload();
    EXPECT_EQ(centre.calls, (std::vector<std::string>{"remove b"}));
}

TEST_F(DaemonRun, TerminateStopsTheCentreOnceAndEndsWithZero) {
    Daemon daemon(centre, log, nullptr);
    ASSERT_TRUE(daemon.start(Load(kTwoModems)));
    std::vector<int> statuses;
    QObject::connect(&daemon, &Daemon::finished, [&](int s) { statuses.push_back(s); });
    daemon.terminate(SIGTERM);
    daemon.terminate(SIGINT); // a second one while stopping starts nothing
    daemon.reload();          // nor does a reload
    SpinUntil([&] { return !statuses.empty(); });
    EXPECT_EQ(statuses, std::vector<int>{0});
    EXPECT_EQ(std::count(centre.calls.begin(), centre.calls.end(), "stop"), 1);
    EXPECT_EQ(centre.calls.back(), "stop");
    EXPECT_EQ(centre.deadline, kStopDeadline);
    EXPECT_LT(kStopLimit, std::chrono::milliseconds(10000));
    EXPECT_NE(out.text().find("<5>SIGINT: already stopping\n"), std::string::npos);
}

TEST_F(DaemonRun, CentreThatDoesNotStopIsLeftAtTheLimit) {
    centre.stopsAtOnce = false;
    Daemon daemon(centre, log, nullptr);
    daemon.setStopTimes(std::chrono::milliseconds(20), std::chrono::milliseconds(100));
    ASSERT_TRUE(daemon.start(Load(kTwoModems)));
    std::vector<int> statuses;
    QObject::connect(&daemon, &Daemon::finished, [&](int s) { statuses.push_back(s); });
    QElapsedTimer t;
    t.start();
    daemon.terminate(SIGTERM);
    SpinUntil([&] { return !statuses.empty(); });
    EXPECT_GE(t.elapsed(), 100);
    EXPECT_EQ(statuses, std::vector<int>{1});
    // The centre's late word ends nothing a second time.
    centre.pendingDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(statuses, std::vector<int>{1});
    EXPECT_NE(out.text().find("<3>the modems did not stop within 100 ms"), std::string::npos);
}

// --- systemd's notifications, through a socket of its kind -------------------

class NotifySocket {
public:
    explicit NotifySocket(const std::string& path) : m_path(path) {
        m_fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
        m_bound = ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        qputenv("NOTIFY_SOCKET", QByteArray::fromStdString(path));
    }
    ~NotifySocket() {
        qunsetenv("NOTIFY_SOCKET");
        ::close(m_fd);
        ::unlink(m_path.c_str());
    }
    bool bound() const { return m_bound; }
    // Every datagram waiting.
    std::vector<std::string> take() {
        std::vector<std::string> got;
        char buf[512];
        ssize_t n = 0;
        while ((n = ::recv(m_fd, buf, sizeof buf, MSG_DONTWAIT)) > 0)
            got.emplace_back(buf, static_cast<std::size_t>(n));
        return got;
    }

private:
    std::string m_path;
    int m_fd = -1;
    bool m_bound = false;
};

TEST_F(DaemonRun, SystemdHearsReadyReloadingAndStopping) {
    NotifySocket socket(dir / "notify");
    ASSERT_TRUE(socket.bound());
    SystemdNotifier notifier;
    EXPECT_EQ(notifier.watchdogUsec(), 0); // no WatchdogSec=: no beat
    Daemon daemon(centre, log, &notifier);
    ASSERT_TRUE(daemon.start(Load(kTwoModems)));
    daemon.reload();
    WriteConfig("[Modem a]\nDevice=/dev/ttyUSB0\nPerHour=\n");
    daemon.reload(); // a bad file: still ready afterwards
    bool finished = false;
    QObject::connect(&daemon, &Daemon::finished, [&] { finished = true; });
    daemon.terminate(SIGTERM);
    SpinUntil([&] { return finished; });
    EXPECT_EQ(socket.take(), (std::vector<std::string>{"STATUS=running a, b", "READY=1", "RELOADING=1",
                                                       "STATUS=running a, b", "READY=1", "RELOADING=1",
                                                       "STATUS=running a, b", "READY=1", "STOPPING=1"}));
}

TEST(SystemdNotifier, WatchdogBeatsAtHalfItsInterval) {
    App();
    TempDir dir;
    NotifySocket socket(dir / "notify");
    ASSERT_TRUE(socket.bound());
    qputenv("WATCHDOG_USEC", "200000");
    qputenv("WATCHDOG_PID", QByteArray::number(::getpid()));
    std::vector<std::string> got;
    {
        SystemdNotifier notifier;
        qunsetenv("WATCHDOG_USEC");
        qunsetenv("WATCHDOG_PID");
        EXPECT_EQ(notifier.watchdogUsec(), 200000);
        QElapsedTimer t;
        t.start();
        SpinUntil([&] {
            for (auto& s : socket.take())
                got.push_back(s);
            return got.size() >= 3;
        });
        // Three beats of 100 ms each.
        EXPECT_GE(t.elapsed(), 250);
        EXPECT_LT(t.elapsed(), 2000);
    }
    ASSERT_GE(got.size(), 3u);
    for (const auto& s : got)
        EXPECT_EQ(s, "WATCHDOG=1");
}

TEST(SystemdNotifier, WatchdogForAnotherProcessIsNotBeaten) {
    App();
    qputenv("WATCHDOG_USEC", "200000");
    qputenv("WATCHDOG_PID", QByteArray::number(::getpid() + 1));
    SystemdNotifier notifier;
    qunsetenv("WATCHDOG_USEC");
    qunsetenv("WATCHDOG_PID");
    EXPECT_EQ(notifier.watchdogUsec(), 0);
}

// --- The program's options and the check of its settings -------------------------

TEST(DaemonOptions, AsTyped) {
    App();
    const struct {
        std::vector<const char*> args;
        std::optional<int> status;
        const char* config; // when the run goes on
        bool check;
        const char* out; // a piece of what is printed
        const char* err;
    } rows[] = {
        {{"--help"}, 0, nullptr, false, "usage: velmorad [--config FILE] [--check-config]", ""},
        {{"-h"}, 0, nullptr, false, "  --check-config", ""},
        {{"--version"}, 0, nullptr, false, "velmorad " VELMORA_VERSION "\n", ""},
        {{"--config", "/etc/velmora/velmorad.conf"},
         std::nullopt,
         "/etc/velmora/velmorad.conf",
         false,
         "",
         ""},
        {{"--config=/tmp/v.conf", "--check-config"}, std::nullopt, "/tmp/v.conf", true, "", ""},
        {{"--config"}, 2, nullptr, false, "", "velmorad: Missing value after '--config'."},
        {{"--verbose"}, 2, nullptr, false, "", "velmorad: Unknown option 'verbose'."},
        {{"start"}, 2, nullptr, false, "", "velmorad: unexpected argument start"},
    };
    for (const auto& r : rows) {
        QStringList args{"velmorad"};
        for (const char* a : r.args)
            args << a;
        Captured out, err;
        DaemonOptions options;
        const auto status = ParseDaemonOptions(args, options, out.file(), err.file());
        const std::string line = args.join(' ').toStdString();
        EXPECT_EQ(status, r.status) << line;
        EXPECT_NE(out.text().find(r.out), std::string::npos) << line << ": " << out.text();
        EXPECT_NE(err.text().find(r.err), std::string::npos) << line << ": " << err.text();
        if (*r.out == '\0')
            EXPECT_EQ(out.text(), "") << line;
        if (r.config) {
            EXPECT_EQ(options.config.toStdString(), r.config) << line;
            EXPECT_EQ(options.checkConfig, r.check) << line;
        }
    }
}

TEST(DaemonOptions, WithoutConfigTheUsersFileIsRead) {
    App();
    DaemonOptions options;
    Captured out, err;
    EXPECT_FALSE(ParseDaemonOptions({"velmorad"}, options, out.file(), err.file()));
    EXPECT_EQ(options.config, UserDaemonConfig());
}

TEST(CheckDaemonConfig, SaysEveryProblemOrThatTheFileIsGood) {
    App();
    TempDir dir;
    const std::string file = dir / "velmorad.conf";
    WriteText(file, "[Modem a]\nDevice=/dev/ttyUSB0\nInterval=soon\n[Modem b]\nDevice=/dev/ttyUSB0\n");
    {
        Captured out, err;
        EXPECT_EQ(CheckDaemonConfig(QString::fromStdString(file), out.file(), err.file()), 1);
        EXPECT_EQ(out.text(), "");
        EXPECT_EQ(err.text(),
                  file + ": [Modem a] Interval: \"soon\" is not a whole number of seconds from 0 to 86400\n" +
                      file +
                      ": [Modem b] Device: /dev/ttyUSB0 is the device of [Modem a] already; one "
                      "modem, one device\n");
    }
    WriteText(file, kTwoModems);
    Captured out, err;
    EXPECT_EQ(CheckDaemonConfig(QString::fromStdString(file), out.file(), err.file()), 0);
    EXPECT_EQ(out.text(), file + ": good; modems: a, b\n");
    EXPECT_EQ(err.text(), "");
}

// --- The whole run, its signals through the real handlers -----------------------

TEST(RunDaemon, HangUpReloadsAndTerminateEndsTheRunWithZero) {
    App();
    TempDir dir;
    const std::string file = dir / "velmorad.conf";
    WriteText(file, kTwoModems);
    Captured out, err;
    QTimer::singleShot(50, [&] {
        WriteText(file, "[Modem a]\nDevice=/dev/ttyUSB0\n");
        ::raise(SIGHUP);
        QTimer::singleShot(50, [] { ::raise(SIGTERM); });
    });
    const int status = RunDaemon({"velmorad", "--config", QString::fromStdString(file)}, out.file(),
                                 err.file(), [] { return std::make_unique<RecordingCentre>(); });
    EXPECT_EQ(status, 0) << err.text();
    // The centre is gone with the run; what it was asked is in the log.
    const std::string log = err.text();
    for (const char* said :
         {"notice: modem a on /dev/ttyUSB0", "notice: modem b on /dev/ttyUSB1", "notice: modem b closed",
          "notice: settings read again: modems closed 1, opened 0", "notice: SIGTERM: stopping",
          "notice: stopped"})
        EXPECT_NE(log.find(said), std::string::npos) << said << "\n" << log;
    EXPECT_EQ(out.text(), "");
    // The handlers are the system's again after the run.
    struct sigaction now {};
    ::sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL);
}

TEST(RunDaemon, BadSettingsStartNothing) {
    App();
    TempDir dir;
    WriteText(dir / "velmorad.conf", "[Modem a]\n");
    bool made = false;
    Captured out, err;
    const int status = RunDaemon({"velmorad", "--config", QString::fromStdString(dir / "velmorad.conf")},
                                 out.file(), err.file(), [&] {
                                     made = true;
                                     return std::make_unique<RecordingCentre>();
                                 });
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(made);
    EXPECT_NE(err.text().find("error: " + dir / "velmorad.conf" + ": [Modem a] Device: missing"),
              std::string::npos)
        << err.text();
    EXPECT_NE(err.text().find("error: not started: the settings have problems"), std::string::npos);
}

} // namespace
} // namespace velmora::daemon

// --- The program itself --------------------------------------------------------

namespace velmora::daemon {
namespace {

// Under systemd, standard error is the stream JOURNAL_STREAM names, and the
// journal reads each line's priority from its "<N>".
TEST(DaemonProgram, WritesTheJournalsPrioritiesOnlyToTheJournalsStream) {
    App();
    TempDir dir;
    WriteText(dir / "velmorad.conf", "[Modem a]\nSpeed=9600\n");
    WriteText(dir / "journal", "");
    struct stat st {};
    ASSERT_EQ(::stat((dir / "journal").c_str(), &st), 0);
    const QString journal = QString("%1:%2").arg(st.st_dev).arg(st.st_ino);
    for (const bool toJournal : {true, false}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("JOURNAL_STREAM", journal);
        env.insert("LANG", "C.UTF-8");
        env.remove("LANGUAGE");
        env.remove("LC_ALL");
        p.setProcessEnvironment(env);
        const std::string err = toJournal ? dir / "journal" : dir / "elsewhere";
        p.setStandardErrorFile(QString::fromStdString(err));
        p.start(VELMORAD, {"--config", QString::fromStdString(dir / "velmorad.conf")});
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), 1);
        const std::string text = ReadText(err);
        const std::string file = dir / "velmorad.conf";
        if (toJournal)
            EXPECT_EQ(text, "<3>" + file +
                                ": [Modem a] Device: missing; name the modem's serial device, such as "
                                "/dev/ttyUSB0\n<3>not started: the settings have problems\n");
        else
            EXPECT_NE(text.find(" error: " + file + ": [Modem a] Device: missing"), std::string::npos)
                << text;
    }
}

} // namespace
} // namespace velmora::daemon
