// velmora-phonesim as a program: spawned, and talked to over its pty.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

class PhoneSim {
public:
    explicit PhoneSim(std::vector<std::string> args) {
        args.insert(args.begin(), VELMORA_PHONESIM);
        int out[2];
        if (::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, out[1], 1);
        posix_spawn_file_actions_addclose(&fa, out[0]);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&m_pid, argv[0], &fa, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&fa);
        ::close(out[1]);
        m_stdout = out[0];
        m_device = ReadLine(m_stdout);
    }
    ~PhoneSim() {
        CloseDevice();
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_stdout >= 0)
            ::close(m_stdout);
    }

    const std::string& device() const { return m_device; }

    bool OpenDevice() {
        m_fd = ::open(m_device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            return false;
        termios t{};
        ::tcgetattr(m_fd, &t);
        ::cfmakeraw(&t);
        return ::tcsetattr(m_fd, TCSANOW, &t) == 0;
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
    // have passed; gives all read.
    // `error` gets errno when the device failed.
    std::string Read(const std::string& until, int ms, int* error = nullptr) const {
        std::string got;
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < end && (until.empty() ? got.empty() : got.find(until) == std::string::npos)) {
            pollfd p{m_fd, POLLIN, 0};
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            ::poll(&p, 1, static_cast<int>(std::max<long>(left, 0)));
            char buf[4096];
            const ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n > 0) {
                got.append(buf, static_cast<std::size_t>(n));
            } else if (n < 0 && errno != EAGAIN) {
                if (error)
                    *error = errno;
                break;
            } else if (n == 0 && (p.revents & POLLHUP)) {
                if (error)
                    *error = EIO;
                break;
            }
        }
        return got;
    }

    std::string Exchange(const std::string& cmd, const std::string& until = "\r\n", int ms = 2000) const {
        Send(cmd);
        return Read(until, ms);
    }

    // Waits for the program to end; gives its exit status, or -1 if it runs on.
    int Wait(int ms) {
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < end) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_reaped = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            ::usleep(10000);
        }
        return -1;
    }
    void Terminate() const { ::kill(m_pid, SIGTERM); }

private:
    static std::string ReadLine(int fd) {
        std::string line;
        char c;
        while (::read(fd, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_stdout = -1;
    int m_fd = -1;
    std::string m_device;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

const std::string kPdu = "0001000C91265896999999000005C8329BFD06";

TEST(PhoneSimProgram, TalksLikeAPhoneOverItsPty) {
    PhoneSim sim({});
    ASSERT_EQ(sim.device().rfind("/dev/pts/", 0), 0u) << sim.device();
    ASSERT_TRUE(sim.OpenDevice());
    EXPECT_EQ(sim.Exchange("ate0\r", "OK\r\n"), "ate0\r\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+cgmi\r", "OK\r\n"), "\r\nVELMORA\r\n\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+cmgf=0\r", "OK\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+cmgs=18\r", "> "), "\r\n> ");
    EXPECT_EQ(sim.Exchange(kPdu + "\x1A\r", "OK\r\n"), "\r\n+CMGS: 1\r\n\r\nOK\r\n");

    // A client that closes and opens the device again finds the same phone.
    sim.CloseDevice();
    ASSERT_TRUE(sim.OpenDevice());
    EXPECT_EQ(sim.Exchange("at+cgmm\r", "OK\r\n"), "\r\nPhoneSim 1\r\n\r\nOK\r\n");

    sim.Terminate();
    EXPECT_EQ(sim.Wait(3000), 0);
}

TEST(PhoneSimProgram, LinkPointsToTheDeviceWhileItRuns) {
    const std::string link = ::testing::TempDir() + "phonesim-link";
    ::unlink(link.c_str());
    PhoneSim sim({"--link", link});
    char target[256] = {};
    ASSERT_GT(::readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), sim.device());
    sim.Terminate();
    EXPECT_EQ(sim.Wait(3000), 0);
    struct stat st {};
    EXPECT_NE(::lstat(link.c_str(), &st), 0) << "the link outlived the phone";
}

TEST(PhoneSimProgram, VanishesLikeAPulledCable) {
    PhoneSim sim({"--vanish-after", "2", "--no-echo"});
    ASSERT_TRUE(sim.OpenDevice());
    EXPECT_EQ(sim.Exchange("ate0\r", "OK\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+cgmi\r", "OK\r\n"), "\r\nVELMORA\r\n\r\nOK\r\n");
    EXPECT_EQ(sim.Wait(300), -1) << "gone before anything more was sent";
    sim.Send("at+cgmm\r");
    int error = 0;
    EXPECT_EQ(sim.Read("", 2000, &error), "");
    EXPECT_EQ(error, EIO);
    EXPECT_EQ(sim.Wait(3000), 0);
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

TEST(PhoneSimProgram, RecordsPdusAndReadsItsFiles) {
    const std::string dir = ::testing::TempDir();
    const std::string record = dir + "phonesim-rec.txt", book = dir + "phonesim-book.txt",
                      ops = dir + "phonesim-ops.txt";
    std::remove(record.c_str());
    std::ofstream(book) << "1,+628569999999,Budi, Jr\n";
    std::ofstream(ops) << "51001,INDOSAT\n";
    PhoneSim sim({"--no-echo", "--record", record, "--phonebook", book, "--operators", ops, "--csq", "31,0",
                  "--csq", "error", "--pdu-answer", "error"});
    ASSERT_TRUE(sim.OpenDevice());
    EXPECT_EQ(sim.Exchange("at+cpbr=1\r", "OK\r\n"),
              "\r\n+CPBR: 1,\"+628569999999\",145,\"Budi, Jr\"\r\n\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+copn\r", "OK\r\n"), "\r\n+COPN: \"51001\",\"INDOSAT\"\r\n\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+csq\r", "OK\r\n"), "\r\n+CSQ: 31,0\r\n\r\nOK\r\n");
    EXPECT_EQ(sim.Exchange("at+csq\r", "ERROR\r\n"), "\r\nERROR\r\n");
    sim.Exchange("at+cmgf=0\r", "OK\r\n");
    sim.Exchange("at+cmgs=18\r", "> ");
    EXPECT_EQ(sim.Exchange(kPdu + "\x1A\r", "ERROR\r\n"), "\r\nERROR\r\n");
    EXPECT_EQ(Slurp(record), kPdu + "\n");
    std::remove(record.c_str());
    std::remove(book.c_str());
    std::remove(ops.c_str());
}

TEST(PhoneSimProgram, HelpAndBadOptions) {
    PhoneSim help({"--help"});
    EXPECT_EQ(help.Wait(3000), 0);
    EXPECT_NE(help.device().find("usage: velmora-phonesim"), std::string::npos);
    PhoneSim bad({"--pdu-answer", "maybe"});
    EXPECT_EQ(bad.Wait(3000), 2);
    EXPECT_EQ(bad.device(), "");
}

} // namespace
