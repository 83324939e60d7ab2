// velmora-cli ports against the simulated phone and one that never answers.

#include "PhoneCommands.h"
#include "SimPhone.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <regex>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace velmora::cli {
namespace {

using velmora::testing::SimPhone;

struct Outcome {
    int code;
    std::string out, err;
};

Outcome Ports(std::vector<std::string> words) {
    std::ostringstream out, err;
    RealClock clock;
    const int code = RunPorts(std::move(words), Io{out, err, false, false, &clock});
    return {code, out.str(), err.str()};
}

// The three columns of each line, split where two or more blanks stand.
std::vector<std::vector<std::string>> Columns(const std::string& out) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(out);
    const std::regex gap(" {2,}");
    for (std::string line; std::getline(lines, line);)
        rows.emplace_back(std::sregex_token_iterator(line.begin(), line.end(), gap, -1),
                          std::sregex_token_iterator());
    return rows;
}

using Rows = std::vector<std::vector<std::string>>;

TEST(CliPorts, ListsEachDeviceWithItsPortAndWhatAnsweredThere) {
    SimPhone phone, silent({"--silent"}), silent2({"--silent"});
    const std::string none = "/dev/velmora-no-such-port";
    const struct {
        std::vector<std::string> words;
        int code;
        Rows rows;
    } cases[] = {
        // The COM map itself: every port on one device, listed once.
        {{"--device", phone.device()}, kExitOk, {{"COM1", phone.device(), "answers: VELMORA PhoneSim 1"}}},
        // Paths given: named by the port that stands for them, if any.
        {{"--device", "COM3=" + phone.device(), "--baud", "9600", silent.device(), silent2.device(),
          phone.device(), none, "/dev/null"},
         kExitOk,
         {{"-", silent.device(), "no answer"},
          {"-", silent2.device(), "no answer"},
          {"COM3", phone.device(), "answers: VELMORA PhoneSim 1"},
          {"-", none, "No such file or directory"},
          {"-", "/dev/null", "not a serial device"}}}, // every program holds it; no matter
        {{silent.device()}, kExitUnreachable, {{"-", silent.device(), "no answer"}}},
    };
    for (const auto& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        const Outcome o = Ports(c.words);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        EXPECT_EQ(o.code, c.code) << o.err;
        EXPECT_EQ(Columns(o.out), c.rows) << o.out;
        EXPECT_EQ(o.err, "");
        EXPECT_LT(ms.count(), 1700) << "the devices are asked together, not one after another";
    }
}

// A virtual serial port made by this process, as socat makes one: it holds
// the master and the port (the slave side), and answers OK to every command
// from a thread of its own.
class SocatLikePort {
public:
    SocatLikePort() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_slave = ::ptsname(m_master);
        m_port = ::open(m_slave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        m_answerer = std::thread([this] {
            char buf[256];
            for (;;) {
                pollfd p{m_master, POLLIN, 0};
                if (m_stop || ::poll(&p, 1, 20) < 0)
                    return;
                const ssize_t n = p.revents & POLLIN ? ::read(m_master, buf, sizeof buf) : 0;
                for (ssize_t k = 0; k < n; ++k)
                    if (buf[k] == '\r' && ::write(m_master, "\r\nOK\r\n", 6) != 6)
                        return;
            }
        });
    }
    ~SocatLikePort() {
        m_stop = true;
        if (m_answerer.joinable())
            m_answerer.join();
        ::close(m_port);
        ::close(m_master);
    }
    const std::string& device() const { return m_slave; }

private:
    int m_master = -1, m_port = -1;
    std::string m_slave;
    std::atomic<bool> m_stop{false};
    std::thread m_answerer;
};

TEST(CliPorts, AsksAVirtualPortItsMakerHolds) {
    const SocatLikePort port;
    ASSERT_FALSE(port.device().empty());
    const Outcome o = Ports({port.device()});
    EXPECT_EQ(o.code, kExitOk) << o.out;
    EXPECT_EQ(Columns(o.out), Rows({{"-", port.device(), "answers"}}));
    EXPECT_EQ(o.err, "");
}

TEST(CliPorts, RefusesWhatItCannotUse) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--port", "2"}, "velmora-cli: ports: --port does not apply: every port is asked\n"},
        {{"/dev/null", "--verbose"}, "velmora-cli: ports: unknown option \"--verbose\"\n"},
    };
    for (const auto& [words, err] : cases) {
        const Outcome o = Ports(words);
        EXPECT_EQ(o.code, kExitUsage);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err.substr(0, err.size()), err);
    }
}

} // namespace
} // namespace velmora::cli
