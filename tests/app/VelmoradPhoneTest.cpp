// velmorad as a user runs it, on simulated phones: systemd hears it ready once
// the modems are opened, SIGHUP opens a modem added to the settings, and
// SIGTERM ends it with status 0 well within 10 s.

#include "SimPhone.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>

#include <csignal>
#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

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
    daemon.setProcessEnvironment(env);
    daemon.setStandardErrorFile(QString::fromStdString(dir + "/log"));
    daemon.start(VELMORAD, {"--config", QString::fromStdString(conf)});
    ASSERT_TRUE(daemon.waitForStarted(5000));
    EXPECT_TRUE(notify.WaitFor("READY=1", 15000));
    // The modem answered: the centre read who it is.
    EXPECT_TRUE(LogSays(dir + "/log", "info: modem a: IMEI 354812345678908", 15000));

    Write(conf, "[Modem a]\nDevice=" + a.device() + "\n[Modem b]\nDevice=" + b.device() + "\n");
    ::kill(static_cast<pid_t>(daemon.processId()), SIGHUP);
    EXPECT_TRUE(notify.WaitFor("RELOADING=1", 5000));
    EXPECT_TRUE(notify.WaitFor("READY=1", 5000));
    // The second modem is opened beside the first, without a restart.
    EXPECT_TRUE(LogSays(dir + "/log", "info: modem b: IMEI 356938035643809", 15000));

    QElapsedTimer t;
    t.start();
    ::kill(static_cast<pid_t>(daemon.processId()), SIGTERM);
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

} // namespace
} // namespace velmora::testing
