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
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace velmora::testing {
namespace {

using Ms = std::chrono::milliseconds;

// A pseudo-terminal with nothing behind it: what is written to its slave
// stays unread. Made as socat makes one, this process holds the slave (the
// port) as well as the master.
class QuietPty {
public:
    explicit QuietPty(bool holdPort = false) {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0)
            m_slave = ::ptsname(m_master);
        if (holdPort && !m_slave.empty())
            m_port = ::open(m_slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    }
    ~QuietPty() {
        ::close(m_port);
        ::close(m_master);
    }
    const std::string& slave() const { return m_slave; }
    // What has been written to the slave so far.
    std::string Written() const {
        char buf[256];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
    }

private:
    int m_master = -1;
    int m_port = -1;
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

// A phone a stopped program left at the PDU prompt is still found, and its
// identity read as its own: it answers the probe's escape as well as its
// "AT", and a slow one's second answer comes while the probe asks on.
TEST(PortProbe, APhoneLeftAtThePduPromptIsFound) {
    for (const char* delay : {"0", "100"}) {
        SCOPED_TRACE(std::string("answers after ") + delay + " ms");
        SimPhone sim({"--no-echo", "--delay", delay});
        {
            TComPort stopped([d = sim.device()](int) { return d; });
            stopped.SetConnected(true);
            std::string got;
            for (const char* command : {"at+cmgf=0\r", "at+cmgs=18\r"}) {
                stopped.SendText(command);
                for (int wait = 0;
                     wait < 100 && got.find(command[5] == 'f' ? "OK" : ">") == std::string::npos; ++wait) {
                    ::usleep(10000);
                    got += stopped.ReceiveText(stopped.PendingInputBytes());
                }
            }
            ASSERT_NE(got.find('>'), std::string::npos) << got;
            stopped.SetConnected(false); // the program ends before its PDU
        }
        const PortProbeResult result = ProbePort({1, sim.device()});
        EXPECT_EQ(result.outcome, ProbeOutcome::Answers) << result.text;
        EXPECT_EQ(result.text, "answers: VELMORA PhoneSim 1");
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
    EXPECT_EQ(pty.Written(), "\x1B"
                             "AT\r"); // the escape, then nothing more after no answer
}

// A program of another name holding the device locked, as a connected
// terminal program or modem manager does; one in a terminal window holds
// the master of a pseudo-terminal of its own too.
class Holder {
public:
    explicit Holder(const std::string& device, bool ownPty = false) {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            // Another program has none of this one's descriptors: a child
            // holding the master of this test's pseudo-terminal would be
            // its maker.
            for (int fd = 3; fd < 1024; ++fd)
                if (fd != ready[1])
                    ::close(fd);
            if (ownPty && ::posix_openpt(O_RDWR | O_NOCTTY) < 0)
                ::_exit(1);
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

// A virtual serial port made by another process, as socat makes one: it
// holds the master and the port itself, and answers OK to every command
// as the modem behind it would.
class SocatPort {
public:
    SocatPort() {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::prctl(PR_SET_NAME, "vm-socat");
            const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
            char name[128] = {};
            if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
                ::ptsname_r(master, name, sizeof name) != 0 || ::open(name, O_RDWR | O_NOCTTY) < 0)
                ::_exit(1);
            [[maybe_unused]] ssize_t n = ::write(ready[1], name, std::strlen(name));
            ::close(ready[1]);
            char buf[256];
            while ((n = ::read(master, buf, sizeof buf)) > 0)
                for (ssize_t k = 0; k < n; ++k)
                    if (buf[k] == '\r' && ::write(master, "\r\nOK\r\n", 6) != 6)
                        ::_exit(1);
            ::_exit(0);
        }
        ::close(ready[1]);
        char name[128] = {};
        const ssize_t n = ::read(ready[0], name, sizeof name - 1);
        ::close(ready[0]);
        if (n > 0)
            m_slave.assign(name, static_cast<std::size_t>(n));
    }
    ~SocatPort() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    const std::string& slave() const { return m_slave; }

private:
    int m_pid = -1;
    std::string m_slave;
};

TEST(PortProbe, ADeviceIsNotAskedWhenTheSearchForItsHoldersStoppedShort) {
    QuietPty pty;
    ASSERT_FALSE(pty.slave().empty());
    const PortProbeResult result = ProbePort({0, pty.slave()}, {.holderLimits = {.processes = 1}});
    EXPECT_EQ(result.outcome, ProbeOutcome::Busy);
    EXPECT_EQ(result.text, "busy: too many processes and open files to see whether another program holds it");
    EXPECT_EQ(pty.Written(), "");
}

enum class Maker { ThisProcess, ThisProcessMasterOnly, AnotherProcess };
enum class Competitor { None, OnThePort, WithAPtyOfItsOwn };

TEST(PortProbe, AVirtualPortIsAskedThoughItsMakerHoldsItAndACompetitorIsStillNamed) {
    const struct {
        const char* name;
        Maker maker;
        Competitor competitor;
        ProbeOutcome outcome;
        std::string text; // "held" for the competitor's name
    } rows[] = {
        {"made by this process, as socat does", Maker::ThisProcess, Competitor::None, ProbeOutcome::NoAnswer,
         "no answer"},
        {"the master only", Maker::ThisProcessMasterOnly, Competitor::None, ProbeOutcome::NoAnswer,
         "no answer"},
        {"made by socat", Maker::AnotherProcess, Competitor::None, ProbeOutcome::Answers, "answers"},
        {"ModemManager beside its maker", Maker::ThisProcess, Competitor::OnThePort, ProbeOutcome::Busy,
         "held"},
        {"a terminal's program beside its maker", Maker::ThisProcess, Competitor::WithAPtyOfItsOwn,
         ProbeOutcome::Busy, "held"},
        {"ModemManager beside socat", Maker::AnotherProcess, Competitor::OnThePort, ProbeOutcome::Busy,
         "held"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::optional<QuietPty> own;
        std::optional<SocatPort> socat;
        if (r.maker == Maker::AnotherProcess)
            socat.emplace();
        else
            own.emplace(r.maker == Maker::ThisProcess);
        const std::string port = socat ? socat->slave() : own->slave();
        ASSERT_FALSE(port.empty());
        std::optional<Holder> holder;
        if (r.competitor != Competitor::None) {
            holder.emplace(port, r.competitor == Competitor::WithAPtyOfItsOwn);
            ASSERT_TRUE(holder->ready());
        }
        const PortProbeResult result = ProbePort({0, port});
        EXPECT_EQ(result.outcome, r.outcome) << result.text;
        // Only the competitor is named, never the port's maker.
        EXPECT_EQ(result.text, r.text == "held"
                                   ? "busy: held by vm-holder (pid " + std::to_string(holder->pid()) + ")"
                                   : r.text);
        if (own) {
            EXPECT_EQ(own->Written(), r.outcome == ProbeOutcome::Busy ? ""
                                                                      : "\x1B"
                                                                        "AT\r");
        }
    }
}

} // namespace
} // namespace velmora::testing
