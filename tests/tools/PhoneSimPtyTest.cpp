// velmora-phonesim as a program: spawned, and talked to over its pty.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "SimPhone.h"

namespace {

using Clock = std::chrono::steady_clock;

// The test's end of the simulated phone's pseudo-terminal.
class PhoneSim : public velmora::testing::SimPhone {
public:
    explicit PhoneSim(std::vector<std::string> args) : SimPhone(std::move(args)) {}
    ~PhoneSim() { CloseDevice(); }

    bool OpenDevice() {
        m_fd = ::open(device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        termios t{};
        ::tcgetattr(m_fd, &t);
        ::cfmakeraw(&t);
        return m_fd >= 0 && ::tcsetattr(m_fd, TCSANOW, &t) == 0;
    }
    void CloseDevice() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    void Send(const std::string& bytes) const {
        ASSERT_EQ(::write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Reads until `until` has arrived (with "", until anything has) or `ms`
    // have passed. `gone` tells whether the device hung up or failed.
    std::string Read(const std::string& until, int ms, bool* gone = nullptr) const {
        std::string got;
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < end && (until.empty() ? got.empty() : got.find(until) == std::string::npos)) {
            pollfd p{m_fd, POLLIN, 0};
            ::poll(&p, 1,
                   static_cast<int>(
                       std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count()));
            char buf[4096];
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n > 0) {
                got.append(buf, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EAGAIN) {
                if (gone)
                    *gone = true;
                break;
            }
        }
        return got;
    }
    std::string Exchange(const std::string& cmd, const std::string& until) const {
        Send(cmd);
        return Read(until, 2000);
    }

private:
    int m_fd = -1;
};

TEST(PhoneSimProgram, TalksLikeAPhoneAndSurvivesAReopen) {
    PhoneSim sim({});
    ASSERT_EQ(sim.device().rfind("/dev/pts/", 0), 0u) << sim.device();
    ASSERT_TRUE(sim.OpenDevice());
    EXPECT_EQ(sim.Exchange("ate0\r", "OK\r\n"), "ate0\r\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+cmgf=0\r", "OK\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+cmgs=18\r", "> "), "\r\n> ");
    EXPECT_EQ(sim.Exchange("0001000C91265896999999000005C8329BFD06\x1A\r", "OK\r\n"),
              "\r\n+CMGS: 1\r\n\r\nOK\r\n");
    // A client that closes and opens the device again finds the same phone.
    sim.CloseDevice();
    ASSERT_TRUE(sim.OpenDevice());
    EXPECT_EQ(sim.Exchange("at+cgmm\r", "OK\r\n"), "\r\nPhoneSim 1\r\n\r\nOK\r\n");
    sim.Terminate();
    EXPECT_EQ(sim.Wait(3000), 0);
}

// A phone at the PDU prompt stays there when its client goes, as a real one
// does: what the next client writes is PDU text until escape (or Ctrl-Z).
TEST(PhoneSimProgram, APhoneLeftAtThePromptStaysThereUntilEscape) {
    PhoneSim sim({});
    ASSERT_TRUE(sim.OpenDevice());
    EXPECT_EQ(sim.Exchange("ate0\r", "OK\r\n"), "ate0\r\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+cmgf=0\r", "OK\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+cmgs=18\r", "> "), "\r\n> ");
    sim.CloseDevice(); // the program stopped before its PDU
    ASSERT_TRUE(sim.OpenDevice());
    sim.Send("ate0\r");
    EXPECT_EQ(sim.Read("", 300), ""); // taken as PDU text
    EXPECT_EQ(sim.Exchange("\x1B", "OK\r\n"), "\r\nOK\r\n");
    // Back at its commands, where escape changes nothing.
    EXPECT_EQ(sim.Exchange("\x1B"
                           "at+cgmm\r",
                           "OK\r\n"),
              "\r\nPhoneSim 1\r\n\r\nOK\r\n");
    sim.Terminate();
    EXPECT_EQ(sim.Wait(3000), 0);
}

TEST(PhoneSimProgram, TheLinkLastsAsLongAsThePhone) {
    const std::string link = ::testing::TempDir() + "phonesim-link-" + std::to_string(::getpid());
    PhoneSim sim({"--link", link});
    char target[256] = {};
    ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), sim.device());
    sim.Terminate(); // with no client on the device
    EXPECT_EQ(sim.Wait(3000), 0);
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0) << "the link outlived the phone";
}

TEST(PhoneSimProgram, VanishesLikeAPulledCable) {
    PhoneSim sim({"--vanish-after", "1", "--no-echo"});
    ASSERT_TRUE(sim.OpenDevice());
    EXPECT_EQ(sim.Exchange("ate0\r", "OK\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(sim.Wait(300), -1) << "gone before anything more was sent";
    sim.Send("at+cgmi\r");
    bool gone = false;
    EXPECT_EQ(sim.Read("", 2000, &gone), "");
    EXPECT_TRUE(gone);
    EXPECT_EQ(sim.Wait(3000), 0);
}

// Pulled out and plugged back: a new device under the replug link, and a
// phone as at power-on, hung no more.
TEST(PhoneSimProgram, IsPulledOutAndPluggedBackUnderAnotherLink) {
    const std::string dir = velmora::testing::TempDir("phonesim-replug");
    PhoneSim sim({"--link", dir + "/first", "--replug-link", dir + "/second", "--hang-after", "1"});
    ASSERT_TRUE(sim.OpenDevice());
    EXPECT_EQ(sim.Exchange("ate0\r", "OK\r\n"), "ate0\r\r\nOK\r\n");
    sim.Send("at\r");
    EXPECT_EQ(sim.Read("", 300), "") << "hung after its one command";
    sim.Pull();
    bool gone = false;
    EXPECT_EQ(sim.Read("", 2000, &gone), "");
    EXPECT_TRUE(gone);
    struct stat st {};
    for (int i = 0; i < 100 && ::lstat((dir + "/first").c_str(), &st) == 0; ++i)
        ::usleep(10000);
    EXPECT_NE(::lstat((dir + "/first").c_str(), &st), 0) << "the link outlived the device";
    sim.CloseDevice();
    ASSERT_TRUE(sim.Plug(dir + "/second"));
    const int fd = ::open((dir + "/second").c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    ASSERT_EQ(::write(fd, "at+cgsn\r", 8), 8);
    std::string got;
    const auto end = Clock::now() + std::chrono::seconds(2);
    while (got.find("OK\r\n") == std::string::npos && Clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 100);
        char buf[256];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0)
            got.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    EXPECT_EQ(got, "at+cgsn\r\r\n354812345678908\r\n\r\nOK\r\n") << "echo on again, and answering";
    sim.Terminate();
    EXPECT_EQ(sim.Wait(3000), 0);
    EXPECT_NE(::lstat((dir + "/second").c_str(), &st), 0) << "the replug link outlived the phone";
}

TEST(PhoneSimProgram, SlowAndChunkedAnswersTakeTheirTime) {
    PhoneSim sim({"--no-echo", "--delay", "300", "--chunk", "4", "--chunk-delay", "100"});
    ASSERT_TRUE(sim.OpenDevice());
    const auto start = Clock::now();
    sim.Send("at+cgmi\r"); // "\r\nVELMORA\r\n\r\nOK\r\n": 19 bytes, 5 pieces
    EXPECT_EQ(sim.Read("", 200), "") << "answered before the delay";
    const std::string first = sim.Read("", 250);
    EXPECT_EQ(first, "\r\nVE");
    EXPECT_EQ(first + sim.Read("OK\r\n", 2000), "\r\nVELMORA\r\n\r\nOK\r\n");
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_GE(ms, 300 + 4 * 100);
    EXPECT_LT(ms, 2000);
}

} // namespace
