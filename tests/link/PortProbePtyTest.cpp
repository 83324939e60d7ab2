// The port probe against the simulated phone, a pseudo-terminal nobody
// answers and devices held by someone else; and the connect that finds the
// port busy naming who holds it.

#include "ComPort.h"
#include "PortProbe.h"
#include "SimPhone.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace velmora::testing {
namespace {

using Ms = std::chrono::milliseconds;

// A pseudo-terminal with nothing behind it: what is written to its slave
// stays unread.
class QuietPty {
public:
    QuietPty() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0)
            m_slave = ::ptsname(m_master);
    }
    ~QuietPty() { ::close(m_master); }
    const std::string& slave() const { return m_slave; }
    // What has been written to the slave so far.
    std::string Written() const {
        char buf[256];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
    }

private:
    int m_master = -1;
    std::string m_slave;
};

long Elapsed(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration_cast<Ms>(std::chrono::steady_clock::now() - since).count();
}

// The line settings of a terminal as the next program to open it finds
// them; `change` may alter them first.
std::string LineOf(const std::string& device, void (*change)(termios&) = nullptr) {
    termios tio{};
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0 || ::tcgetattr(fd, &tio) < 0 ||
        (change && (change(tio), ::tcsetattr(fd, TCSANOW, &tio) < 0)) || ::tcgetattr(fd, &tio) < 0)
        tio = {};
    ::close(fd);
    return std::string(reinterpret_cast<const char*>(&tio), sizeof tio);
}

TEST(PortProbe, APhoneAnswersWithItsMakerAndModelAndTheLineIsLeftAsFound) {
    const std::string link = TempDir("probe") + "/modem";
    const struct {
        std::vector<std::string> sim;
        std::string path; // "" for the device itself
        std::string text;
    } rows[] = {
        {{"--no-echo"}, "", "answers: VELMORA PhoneSim 1"},
        {{"--link", link, "--manufacturer", "Nokia", "--model", "3310"}, link, "answers: Nokia 3310"},
        {{"--delay", "300"}, "", "answers: VELMORA PhoneSim 1"}, // slow, yet within the second
    };
    for (const auto& r : rows) {
        SimPhone sim(r.sim);
        const std::string path = r.path.empty() ? sim.device() : r.path;
        // As another program left it: cooked, echoing, 4800 bit/s.
        const std::string before = LineOf(sim.device(), [](termios& t) {
            t.c_lflag |= ICANON | ECHO;
            ::cfsetispeed(&t, B4800);
            ::cfsetospeed(&t, B4800);
        });
        const PortProbeResult result = ProbePort({2, path}, {.baud = 19200});
        EXPECT_EQ(result.outcome, ProbeOutcome::Answers) << result.text;
        EXPECT_EQ(result.text, r.text);
        EXPECT_EQ(result.name, "COM2");
        EXPECT_EQ(result.path, path);
        EXPECT_EQ(LineOf(sim.device()), before) << r.text;
        EXPECT_NE(before, LineOf("/dev/null")); // it was read at all
    }
}

TEST(PortProbe, APtyNobodyAnswersGivesNoAnswerWithinAboutASecond) {
    QuietPty pty;
    ASSERT_FALSE(pty.slave().empty());
    const auto start = std::chrono::steady_clock::now();
    const PortProbeResult result = ProbePort({0, pty.slave()});
    const long ms = Elapsed(start);
    EXPECT_EQ(result.outcome, ProbeOutcome::NoAnswer);
    EXPECT_EQ(result.text, "no answer");
    EXPECT_EQ(result.name, "-");
    EXPECT_GE(ms, 950);
    EXPECT_LT(ms, 1500);
    EXPECT_EQ(pty.Written(), "AT\r"); // and nothing more after no answer
}

// A program of another name holding the device locked, as a connected
// terminal program or modem manager does.
class Holder {
public:
    explicit Holder(const std::string& device) {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0)
                ::_exit(1); // the parent reads the end of the pipe
            ::prctl(PR_SET_NAME, "vm-holder");
            [[maybe_unused]] const ssize_t n = ::write(ready[1], "1", 1);
            ::pause();
            ::_exit(0);
        }
        ::close(ready[1]);
        char c = 0;
        m_ready = ::read(ready[0], &c, 1) == 1;
        ::close(ready[0]);
    }
    ~Holder() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bool ready() const { return m_ready; }
    int pid() const { return m_pid; }

private:
    int m_pid = -1;
    bool m_ready = false;
};

TEST(ComPortBusy, AConnectOrProbeThatFindsThePortHeldSaysByWhomAndWritesNothing) {
    QuietPty pty;
    const Holder holder(pty.slave());
    ASSERT_TRUE(holder.ready());
    const std::string held = "held by vm-holder (pid " + std::to_string(holder.pid()) + ")";
    TComPort port([d = pty.slave()](int) { return d; });
    EXPECT_THROW(port.SetConnected(true), EComPort);
    EXPECT_EQ(port.ConnectFailure(""), pty.slave() + ": Device or resource busy (" + held + ")");
    // The probe finds it the same way, and leaves it alone.
    const PortProbeResult result = ProbePort({1, pty.slave()});
    EXPECT_EQ(result.outcome, ProbeOutcome::Busy);
    EXPECT_EQ(result.text, "busy: " + held);
    EXPECT_EQ(pty.Written(), "");
}

} // namespace
} // namespace velmora::testing
