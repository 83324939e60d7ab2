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
#include <fstream>
#include <mutex>
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

std::string OwnName() {
    std::ifstream comm("/proc/self/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

bool operator==(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::equal(a.c_cc, a.c_cc + NCCS, b.c_cc) &&
           ::cfgetispeed(&a) == ::cfgetispeed(&b) && ::cfgetospeed(&a) == ::cfgetospeed(&b);
}

TEST(PortProbe, APhoneAnswersWithItsMakerAndModelAndTheLineIsLeftAsFound) {
    const std::string link = TempDir("probe") + "/modem";
    const struct {
        std::vector<std::string> sim;
        std::string path; // "" for the device itself
        std::string text;
    } rows[] = {
        {{}, "", "answers: VELMORA PhoneSim 1"},
        {{"--siemens", "--no-echo"}, "", "answers: SIEMENS S45"},
        {{"--link", link, "--manufacturer", "Nokia", "--model", "3310"}, link, "answers: Nokia 3310"},
        {{"--delay", "300"}, "", "answers: VELMORA PhoneSim 1"}, // slow, yet within the second
    };
    for (const auto& r : rows) {
        SimPhone sim(r.sim);
        const std::string path = r.path.empty() ? sim.device() : r.path;
        // A line as some other program left it: cooked, echoing, 4800 bit/s.
        termios before{};
        {
            const int fd = ::open(sim.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(::tcgetattr(fd, &before), 0);
            before.c_lflag |= ICANON | ECHO;
            ::cfsetispeed(&before, B4800);
            ::cfsetospeed(&before, B4800);
            ASSERT_EQ(::tcsetattr(fd, TCSANOW, &before), 0);
            ASSERT_EQ(::tcgetattr(fd, &before), 0);
            ::close(fd);
        }
        const PortProbeResult result = ProbePort({2, path}, {.baud = 19200});
        EXPECT_EQ(result.outcome, ProbeOutcome::Answers) << result.text;
        EXPECT_EQ(result.text, r.text);
        EXPECT_EQ(result.name, "COM2");
        EXPECT_EQ(result.path, path);
        termios after{};
        const int fd = ::open(sim.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::tcgetattr(fd, &after), 0);
        ::close(fd);
        EXPECT_TRUE(after == before) << r.text;
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

TEST(PortProbe, ADeviceThisProcessHoldsIsBusyNamedAndNotWrittenTo) {
    QuietPty pty;
    const int held = ::open(pty.slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(held, 0);
    const PortProbeResult result = ProbePort({1, pty.slave()});
    EXPECT_EQ(result.outcome, ProbeOutcome::Busy);
    EXPECT_EQ(result.text, "busy: held by " + OwnName() + " (pid " + std::to_string(::getpid()) + ")");
    EXPECT_EQ(pty.Written(), "");
    ::close(held);
    // Let go, it is asked again.
    EXPECT_EQ(ProbePort({1, pty.slave()}, {.answerMs = 100}).outcome, ProbeOutcome::NoAnswer);
}

TEST(PortProbe, ACancelEndsAProbeAtOnce) {
    QuietPty pty;
    std::atomic<bool> cancel{false};
    const auto start = std::chrono::steady_clock::now();
    std::thread canceller([&] {
        std::this_thread::sleep_for(Ms(100));
        cancel = true;
    });
    const PortProbeResult result = ProbePort({0, pty.slave()}, {.cancel = &cancel});
    canceller.join();
    EXPECT_EQ(result.outcome, ProbeOutcome::NoAnswer);
    EXPECT_LT(Elapsed(start), 400);
}

TEST(PortProbe, SeveralDevicesAreProbedTogether) {
    SimPhone sim;
    QuietPty quiet1, quiet2;
    const std::vector<PortCandidate> candidates = {
        {1, quiet1.slave()}, {2, sim.device()}, {3, quiet2.slave()}};
    std::mutex mutex;
    std::vector<PortProbeResult> results(candidates.size());
    const auto start = std::chrono::steady_clock::now();
    ProbePorts(candidates, {}, [&](std::size_t i, const PortProbeResult& r) {
        std::lock_guard lock(mutex);
        results[i] = r;
    });
    EXPECT_LT(Elapsed(start), 1700); // one at a time would take two seconds and more
    EXPECT_EQ(results[0].text, "no answer");
    EXPECT_EQ(results[1].text, "answers: VELMORA PhoneSim 1");
    EXPECT_EQ(results[2].text, "no answer");
    EXPECT_EQ(results[2].path, quiet2.slave());
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
            if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                ::prctl(PR_SET_NAME, "vm-holder");
                [[maybe_unused]] const ssize_t n = ::write(ready[1], "1", 1);
            }
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

TEST(ComPortBusy, AConnectThatFindsThePortHeldSaysByWhom) {
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
