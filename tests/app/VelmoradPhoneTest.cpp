// velmorad as a user runs it, on simulated phones: systemd hears it ready once
// the modems are opened, SIGHUP opens a modem added to the settings, and
// SIGTERM ends it with status 0 well within 10 s.

#include "SimPhone.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

// A daemon that already ended has no id, and kill(0) would signal the test's
// own process group.
void Signal(const QProcess& daemon, int signal) {
    ASSERT_GT(daemon.processId(), 0) << "the daemon ended before it was signalled";
    ::kill(static_cast<pid_t>(daemon.processId()), signal);
}

class Notifications {
public:
    explicit Notifications(const std::string& path) : m_path(path) {
        m_fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
        m_bound = ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    }
    ~Notifications() {
        ::close(m_fd);
        ::unlink(m_path.c_str());
    }
    bool bound() const { return m_bound; }
    // Waits up to `ms` for a notification holding `what`; everything heard is kept.
    bool WaitFor(const std::string& what, int ms) {
        QElapsedTimer t;
        t.start();
        do {
            char buf[512];
            ssize_t n = 0;
            while ((n = ::recv(m_fd, buf, sizeof buf, MSG_DONTWAIT)) > 0)
                heard.emplace_back(buf, static_cast<std::size_t>(n));
            for (std::size_t i = m_seen; i < heard.size(); ++i)
                if (heard[i].find(what) != std::string::npos) {
                    m_seen = i + 1;
                    return true;
                }
            ::usleep(20000);
        } while (t.elapsed() < ms);
        return false;
    }
    std::vector<std::string> heard;

private:
    std::string m_path;
    int m_fd = -1;
    bool m_bound = false;
    std::size_t m_seen = 0;
};

void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

// Waits up to `ms` for the daemon's log to hold `what`.
bool LogSays(const std::string& log, const std::string& what, int ms) {
    QElapsedTimer t;
    t.start();
    do {
        for (const auto& line : ReadLines(log))
            if (line.find(what) != std::string::npos)
                return true;
        ::usleep(20000);
    } while (t.elapsed() < ms);
    return false;
}

TEST(VelmoradOnSimulatedPhones, ReadyReloadAndTerminate) {
    SimPhone a({"--imei", "354812345678908"}), b({"--imei", "356938035643809"});
    ASSERT_FALSE(a.device().empty());
    ASSERT_FALSE(b.device().empty());
    const std::string dir = TempDir("velmorad");
    Notifications notify(dir + "/notify");
    ASSERT_TRUE(notify.bound());
    const std::string conf = dir + "/velmorad.conf";
    Write(conf, "[Modem a]\nDevice=" + a.device() + "\n");

    QProcess daemon;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("NOTIFY_SOCKET", QString::fromStdString(dir + "/notify"));
    env.insert("VELMORA_DIR", QString::fromStdString(dir));
    env.insert("LANG", "C.UTF-8");
    env.remove("LANGUAGE");
    env.remove("LC_ALL");
    env.remove("JOURNAL_STREAM");
    // A bus of the desktop the tests run in is none of theirs: one daemon
    // there would keep the next from starting (api_bus_tests has its own).
    env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromStdString("unix:path=" + dir + "/no-bus"));
    daemon.setProcessEnvironment(env);
    daemon.setStandardErrorFile(QString::fromStdString(dir + "/log"));
    daemon.start(VELMORAD, {"--config", QString::fromStdString(conf)});
    ASSERT_TRUE(daemon.waitForStarted(5000));
    EXPECT_TRUE(notify.WaitFor("READY=1", 15000));
    // The modem answered: the centre read who it is.
    EXPECT_TRUE(LogSays(dir + "/log", "info: modem a: IMEI 354812345678908", 15000));

    Write(conf, "[Modem a]\nDevice=" + a.device() + "\n[Modem b]\nDevice=" + b.device() + "\n");
    Signal(daemon, SIGHUP);
    EXPECT_TRUE(notify.WaitFor("RELOADING=1", 5000));
    EXPECT_TRUE(notify.WaitFor("READY=1", 5000));
    // The second modem is opened beside the first, without a restart.
    EXPECT_TRUE(LogSays(dir + "/log", "info: modem b: IMEI 356938035643809", 15000));

    QElapsedTimer t;
    t.start();
    Signal(daemon, SIGTERM);
    EXPECT_TRUE(notify.WaitFor("STOPPING=1", 5000));
    ASSERT_TRUE(daemon.waitForFinished(12000));
    EXPECT_LT(t.elapsed(), 10000);
    EXPECT_EQ(daemon.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(daemon.exitCode(), 0);
    const auto log = ReadLines(dir + "/log");
    std::string all;
    for (const auto& l : log)
        all += l + "\n";
    for (const std::string& said : {"notice: modem a on " + a.device(), "notice: modem b on " + b.device(),
                                    std::string("notice: SIGTERM: stopping"), std::string("notice: stopped")})
        EXPECT_NE(all.find(said), std::string::npos) << said << "\n" << all;
}

// The box's day: a batch handed over through the store with `velmora-cli
// send --queue` is taken within a second and spread over both modems; SIGTERM
// while a message is with a slow network ends the program with status 0
// within 10 s, that message uncertain (it may have gone), the rest still
// queued for the next start, and no PDU sent twice.
TEST(VelmoradOnSimulatedPhones, TakesAQueuedBatchOverBothModemsAndStopsInMidSend) {
    const std::string dir = TempDir("velmorad-batch");
    SimPhone a({"--imei", "354812345678908", "--network-delay", "400", "--record", dir + "/a.pdus"});
    SimPhone b({"--imei", "356938035643809", "--network-delay", "400", "--record", dir + "/b.pdus"});
    const std::string conf = dir + "/velmorad.conf";
    const std::string store = dir + "/messages.sqlite";
    Write(conf, "[Store]\nPath=" + store + "\n[Modem a]\nDevice=" + a.device() +
                    "\n[Modem b]\nDevice=" + b.device() + "\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_DIR", QString::fromStdString(dir));
    env.insert("LANG", "C.UTF-8");
    env.remove("LANGUAGE");
    env.remove("LC_ALL");
    env.remove("JOURNAL_STREAM");
    // A bus of the desktop the tests run in is none of theirs: one daemon
    // there would keep the next from starting (api_bus_tests has its own).
    env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromStdString("unix:path=" + dir + "/no-bus"));
    env.remove("NOTIFY_SOCKET");
    const auto cli = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(VELMORA_CLI, args);
        p.waitForFinished(30000);
        return std::make_pair(p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()));
    };

    QProcess daemon;
    daemon.setProcessEnvironment(env);
    daemon.setStandardErrorFile(QString::fromStdString(dir + "/log"));
    daemon.start(VELMORAD, {"--config", QString::fromStdString(conf)});
    ASSERT_TRUE(daemon.waitForStarted(5000));
    ASSERT_TRUE(LogSays(dir + "/log", "info: modem b: IMEI", 15000));
    ASSERT_TRUE(LogSays(dir + "/log", "info: modem a: IMEI", 15000));

    Write(dir + "/list.csv", "Name,Phone\nAni,081234567001\nBudi,081234567002\nCici,081234567003\n"
                             "Dodi,081234567004\n");
    const auto queued = cli({"send", "--queue", "--store", QString::fromStdString(store), "--to-file",
                             QString::fromStdString(dir + "/list.csv"), "text", "Hi {Name}"});
    ASSERT_EQ(queued.first, 0) << queued.second.toStdString();
    QElapsedTimer taken;
    taken.start();
    ASSERT_TRUE(LogSays(dir + "/log", " sent", 10000));
    // Claimed within a second, then 400 ms with the network.
    EXPECT_LT(taken.elapsed(), 1000 + 400 + 1000);
    // Four messages, the last of them numbered 4.
    ASSERT_TRUE(LogSays(dir + "/log", "message 4 on modem", 15000));
    EXPECT_TRUE(LogSays(dir + "/log", "on modem a: sent", 1000));
    EXPECT_TRUE(LogSays(dir + "/log", "on modem b: sent", 1000));
    daemon.terminate();
    ASSERT_TRUE(daemon.waitForFinished(12000));
    EXPECT_EQ(daemon.exitCode(), 0);

    // Now a network that takes 20 s: SIGTERM finds a message on its way.
    SimPhone slow({"--imei", "352099001761481", "--network-delay", "20000", "--record", dir + "/slow.pdus"});
    Write(conf, "[Store]\nPath=" + store + "\n[Modem slow]\nDevice=" + slow.device() + "\n");
    daemon.setStandardErrorFile(QString::fromStdString(dir + "/log2"));
    daemon.start(VELMORAD, {"--config", QString::fromStdString(conf)});
    ASSERT_TRUE(daemon.waitForStarted(5000));
    ASSERT_TRUE(LogSays(dir + "/log2", "info: modem slow: IMEI", 15000));
    const auto two = cli({"send", "--queue", "--store", QString::fromStdString(store), "--to",
                          "081234567005,081234567006", "text", "Late"});
    ASSERT_EQ(two.first, 0) << two.second.toStdString();
    for (int i = 0; i < 150 && ReadLines(dir + "/slow.pdus").empty(); ++i)
        ::usleep(20000);
    ASSERT_EQ(ReadLines(dir + "/slow.pdus").size(), 1u);
    QElapsedTimer stop;
    stop.start();
    daemon.terminate();
    ASSERT_TRUE(daemon.waitForFinished(12000));
    EXPECT_LT(stop.elapsed(), 10000);
    EXPECT_EQ(daemon.exitCode(), 0);

    const auto uncertain =
        cli({"history", "--store", QString::fromStdString(store), "--state", "uncertain", "--csv"});
    EXPECT_EQ(uncertain.second.count(QStringLiteral("081234567005")) +
                  uncertain.second.count(QStringLiteral("081234567006")) +
                  uncertain.second.count(QStringLiteral("6281234567005")) +
                  uncertain.second.count(QStringLiteral("6281234567006")),
              1)
        << uncertain.second.toStdString();
    const auto left = cli({"queue", "list", "--store", QString::fromStdString(store)});
    EXPECT_NE(left.second.indexOf(QStringLiteral("1 queued")), -1) << left.second.toStdString();
    std::vector<std::string> all = ReadLines(dir + "/a.pdus");
    for (const auto& more : {ReadLines(dir + "/b.pdus"), ReadLines(dir + "/slow.pdus")})
        all.insert(all.end(), more.begin(), more.end());
    EXPECT_EQ(all.size(), 5u);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
}

} // namespace
} // namespace velmora::testing
