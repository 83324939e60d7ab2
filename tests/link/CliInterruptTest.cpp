// velmora-cli as a user runs it, interrupted in the middle of a phone
// command: it must end its dialogue, log what it has to, and exit.

#include "MessageStore.h"
#include "SimPhone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace velmora::testing {
namespace {

using namespace std::chrono_literals;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A log line without its "dd-mm-yyyy hh:mm:ss AM " stamp.
std::string AfterStamp(const std::string& line) {
    std::size_t at = 0;
    for (int blanks = 0; blanks < 3 && at != std::string::npos; ++blanks)
        at = line.find(' ', at == 0 ? 0 : at + 1);
    return at == std::string::npos ? line : line.substr(at + 1);
}

// velmora-cli with its files (settings, logs, stdout, stderr) in `dir`.
class CliProcess {
public:
    CliProcess(const std::string& dir, std::vector<std::string> args) : m_dir(dir) {
        std::string program = VELMORA_CLI;
        std::string home = "VELMORA_DIR=" + dir;
        std::vector<char*> argv{program.data()};
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        char* envp[] = {home.data(), nullptr};
        const std::string out = dir + "/stdout", err = dir + "/stderr";
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(outFd, 1);
            ::dup2(errFd, 2);
            ::execve(program.c_str(), argv.data(), envp);
            ::_exit(127);
        }
        ::close(outFd);
        ::close(errFd);
    }
    ~CliProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }

    void Signal(int signal) const { ::kill(m_pid, signal); }

    // The exit status, or -1 when it has not ended by `limit` (then killed).
    int Wait(std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (::waitpid(m_pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > end)
                return -1;
            std::this_thread::sleep_for(10ms);
        }
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    }

    std::string Out() const { return ReadAll(m_dir + "/stdout"); }
    std::string Err() const { return ReadAll(m_dir + "/stderr"); }

private:
    std::string m_dir;
    pid_t m_pid = -1;
};

bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

enum class When { AfterThePdu, WhileConnecting, Never };

struct InterruptCase {
    const char* name;
    When when;
    int signal;
    int exitStatus;
    std::string out;
    std::string failedLog; // the failed log's entry, after its time stamp
};

class CliInterrupt : public ::testing::TestWithParam<InterruptCase> {};

TEST_P(CliInterrupt, EndsTheDialogueLogsWhatWasWrittenAndExits) {
    const InterruptCase& c = GetParam();
    const std::string dir = TempDir(std::string("cli-interrupt-") + std::to_string(static_cast<int>(c.when)));
    // The phone never answers the PDU: the send would wait 12.5 s more.
    SimPhone sim({"--pdu-answer", c.when == When::Never ? "ok" : "none", "--record", dir + "/pdus.txt"});
    CliProcess cli(dir, {"send", "--device", sim.device(), "void", "628569999999"});

    if (c.when == When::AfterThePdu) {
        ASSERT_TRUE(WaitFor([&] { return !ReadAll(dir + "/pdus.txt").empty(); }, 15s))
            << "no PDU reached the phone: " << cli.Wait(0ms) << " " << cli.Err();
    } else if (c.when == When::WhileConnecting) {
        // The port is open: the first second of the connect.
        ASSERT_TRUE(WaitFor([&] { return ExclusiveFlag(sim.device()) == 1; }, 10s))
            << "the port was never opened: " << cli.Wait(0ms) << " " << cli.Err();
    }
    if (c.when != When::Never)
        cli.Signal(c.signal);

    EXPECT_EQ(cli.Wait(c.when == When::Never ? 20s : 2s), c.exitStatus) << cli.Err();
    EXPECT_EQ(cli.Out(), c.out);
    if (c.when != When::Never) {
        EXPECT_EQ(cli.Err(), "velmora-cli: interrupted\n");
    }
    const std::string failed = ReadAll(dir + "/Fl_smsn.Txt");
    if (c.failedLog.empty())
        EXPECT_EQ(failed, "");
    else
        EXPECT_EQ(AfterStamp(failed), c.failedLog) << failed;
    EXPECT_EQ(ExclusiveFlag(sim.device()), 0); // the port was closed properly
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(
    Signals, CliInterrupt,
    ::testing::Values(InterruptCase{"ctrl_c_after_the_pdu", When::AfterThePdu, SIGINT, 130,
                                    "Message 1\nUnknown\n", "628569999999 (?)\r\n"},
                      InterruptCase{"sigterm_after_the_pdu", When::AfterThePdu, SIGTERM, 143,
                                    "Message 1\nUnknown\n", "628569999999 (?)\r\n"},
                      InterruptCase{"ctrl_c_while_connecting", When::WhileConnecting, SIGINT, 130, "", ""},
                      // no signal at all: the waiting thread must not keep the program alive
                      InterruptCase{"no_signal", When::Never, 0, 0, "Message 1\nMessage Sent\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Killed outright (SIGKILL: nothing of the program runs) at each step of a
// send, then run again: the store says what may have happened, and the
// message is never sent again by itself.
enum class Step { Connecting, BeforeThePdu, AfterThePdu, AfterTheAnswer };

struct KillCase {
    const char* name;
    Step step;
    std::vector<std::string> phone; // how the phone holds the send up at that step
    std::vector<std::string> send;  // and the command, for one that lingers after the answer
    std::optional<msg::State> left; // the first message's state after the next start
    std::size_t pdusTaken;          // by the first phone
};

class CliKilled : public ::testing::TestWithParam<KillCase> {};

TEST_P(CliKilled, LeavesAnHonestRecordThatIsNeverResentByItself) {
    const KillCase& c = GetParam();
    const std::string dir = TempDir(std::string("cli-killed-") + c.name);
    std::vector<std::string> simArgs = c.phone;
    simArgs.insert(simArgs.end(), {"--record", dir + "/pdus.txt"});
    {
        SimPhone sim(simArgs);
        std::vector<std::string> args{"send", "--fast", "--device", sim.device()};
        args.insert(args.end(), c.send.begin(), c.send.end());
        args.insert(args.end(), {"text", "628569999999", "first"});
        CliProcess cli(dir, args);
        const auto said = [&](const char* text) { return cli.Out().find(text) != std::string::npos; };
        bool reached = false;
        switch (c.step) {
        case Step::Connecting:
            reached = WaitFor([&] { return ExclusiveFlag(sim.device()) == 1; }, 10s);
            break;
        case Step::BeforeThePdu:
            reached = WaitFor([&] { return said("Message 1"); }, 15s);
            break;
        case Step::AfterThePdu:
            reached = WaitFor([&] { return !ReadAll(dir + "/pdus.txt").empty(); }, 15s);
            break;
        case Step::AfterTheAnswer:
            reached = WaitFor([&] { return said("Message Sent"); }, 15s);
            break;
        }
        ASSERT_TRUE(reached) << cli.Out() << cli.Err();
        cli.Signal(SIGKILL);
        EXPECT_EQ(cli.Wait(2s), 1000 + SIGKILL);
    }
    // The next start, on a phone that answers at once.
    SimPhone next({"--record", dir + "/next.txt"});
    CliProcess again(dir, {"send", "--fast", "--device", next.device(), "text", "628569999999", "second"});
    ASSERT_EQ(again.Wait(20s), 0) << again.Err();

    auto store = MessageStore::Open(QString::fromStdString(dir + "/messages.sqlite"));
    ASSERT_TRUE(store) << store.error();
    std::optional<msg::State> first, second;
    for (const MessageRecord& m : store.value()->Messages({}))
        (m.text == "first" ? first : second) = m.state;
    EXPECT_EQ(first, c.left);
    EXPECT_EQ(second, msg::State::Sent);
    // Nothing sent twice: the first phone got what it got, the next only the
    // second message.
    EXPECT_EQ(ReadLines(dir + "/pdus.txt").size(), c.pdusTaken);
    EXPECT_EQ(ReadLines(dir + "/next.txt").size(), 1u);
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CliKilled,
    ::testing::Values(
        KillCase{"connecting", Step::Connecting, {"--delay", "300"}, {}, std::nullopt, 0},
        KillCase{
            "before_the_pdu", Step::BeforeThePdu, {"--prompt-delay", "5000"}, {}, msg::State::Uncertain, 0},
        KillCase{"after_the_pdu", Step::AfterThePdu, {"--pdu-answer", "none"}, {}, msg::State::Uncertain, 1},
        // waiting for a report that never comes
        KillCase{"after_the_answer", Step::AfterTheAnswer, {}, {"--report"}, msg::State::Sent, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Killed between at+cmgs= and its PDU: the phone is left taking every byte
// as PDU text, as a real one is until it is reset. The next run, on the same
// phone, still connects and sends, in either dialogue.
class CliKilledAtThePrompt : public ::testing::TestWithParam<bool> {};

TEST_P(CliKilledAtThePrompt, TheNextRunOnTheSamePhoneSends) {
    const bool fast = GetParam();
    const std::string dir = TempDir(std::string("cli-killed-prompt-") + (fast ? "fast" : "classic"));
    // A slow prompt: the first run is killed waiting for it, once the phone
    // has taken at+cmgs= and waits for the PDU. (Within the classic
    // dialogue's 3 s, so the next run gets its own prompt in time.)
    SimPhone sim({"--prompt-delay", "2000", "--record", dir + "/pdus.txt"});
    const auto send = [&](const char* text) {
        std::vector<std::string> args{"send", "--device", sim.device(), "text", "628569999999", text};
        if (fast)
            args.insert(args.begin() + 1, "--fast");
        return args;
    };
    {
        CliProcess cli(dir, send("first"));
        ASSERT_TRUE(WaitFor([&] { return cli.Out().find("Message 1") != std::string::npos; }, 15s))
            << cli.Out() << cli.Err();
        // The classic dialogue writes at+cmgs= half a second after at+cmgf=0.
        std::this_thread::sleep_for(1000ms);
        ASSERT_EQ(cli.Out(), "Message 1\n") << "the first run ended by itself: " << cli.Err();
        cli.Signal(SIGKILL);
        EXPECT_EQ(cli.Wait(2s), 1000 + SIGKILL);
    }
    CliProcess again(dir, send("second"));
    EXPECT_EQ(again.Wait(30s), 0) << again.Out() << again.Err();
    EXPECT_EQ(again.Out(), "Message 2\nMessage Sent\n") << again.Err();
    // Only the second message's PDU reached the phone, whole.
    const std::vector<std::string> taken = ReadLines(dir + "/pdus.txt");
    ASSERT_EQ(taken.size(), 1u);
    auto store = MessageStore::Open(QString::fromStdString(dir + "/messages.sqlite"));
    ASSERT_TRUE(store) << store.error();
    bool found = false;
    for (const MessageRecord& m : store.value()->Messages({}))
        if (m.text == "second") {
            found = true;
            EXPECT_EQ(m.state, msg::State::Sent);
            ASSERT_EQ(m.parts.size(), 1u);
            EXPECT_EQ(m.parts[0].pdu.toStdString(), taken[0]);
        }
    EXPECT_TRUE(found);
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Dialogues, CliKilledAtThePrompt, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "fast" : "classic"); });

// A batch killed in the middle and taken up by the next start: every
// recipient gets their message once, and the one that was on its way when
// the program died is left uncertain, for the user, never sent again.
TEST(CliBatchKilled, TheNextStartGoesOnWithoutSkippingOrRepeatingAnyone) {
    const std::string dir = TempDir("cli-batch-killed");
    constexpr int kContacts = 20;
    {
        std::ofstream csv(dir + "/club.csv", std::ios::binary);
        csv << "name;phone\r\n";
        for (int i = 0; i < kContacts; ++i)
            csv << "Anggota " << i << ";0812000" << 1000 + i << "\r\n";
    }
    {
        // A slow phone, so the kill falls in the middle of a message.
        SimPhone sim({"--prompt-delay", "150", "--record", dir + "/pdus.txt"});
        CliProcess cli(dir, {"send", "--fast", "--device", sim.device(), "--to-file", dir + "/club.csv",
                             "text", "Halo {name}, rapat jam 7"});
        const auto ended = [&] {
            const std::string out = cli.Out();
            return std::count(out.begin(), out.end(), '\n') - 1; // less the batch's line
        };
        ASSERT_TRUE(WaitFor([&] { return ended() >= 7; }, 30s)) << cli.Out() << cli.Err();
        std::this_thread::sleep_for(70ms);
        cli.Signal(SIGKILL);
        EXPECT_EQ(cli.Wait(2s), 1000 + SIGKILL);
    }
    SimPhone next({"--record", dir + "/next.txt"});
    CliProcess again(dir, {"queue", "run", "--fast", "--device", next.device()});
    const int code = again.Wait(60s);
    auto store = MessageStore::Open(QString::fromStdString(dir + "/messages.sqlite"));
    ASSERT_TRUE(store) << store.error();
    const auto first = ReadLines(dir + "/pdus.txt"), second = ReadLines(dir + "/next.txt");
    const auto count = [](const std::vector<std::string>& lines, const QString& pdu) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return QString::fromStdString(l).contains(pdu.mid(2));
        });
    };
    int uncertain = 0;
    const auto messages = store.value()->Messages({});
    ASSERT_EQ(messages.size(), static_cast<std::size_t>(kContacts));
    for (const MessageRecord& m : messages) {
        ASSERT_EQ(m.parts.size(), 1u);
        const auto before = count(first, m.parts[0].pdu), after = count(second, m.parts[0].pdu);
        if (m.state == msg::State::Uncertain) {
            ++uncertain;
            EXPECT_LE(before, 1) << m.number.toStdString();
            EXPECT_EQ(after, 0) << m.number.toStdString();
        } else {
            EXPECT_EQ(m.state, msg::State::Sent) << m.number.toStdString();
            EXPECT_EQ(before + after, 1) << m.number.toStdString();
        }
    }
    EXPECT_LE(uncertain, 1);
    EXPECT_EQ(code, uncertain ? 1 : 0) << again.Out() << again.Err();
    std::filesystem::remove_all(dir);
}

TEST(CliPortsInterrupt, CtrlCEndsTheProbesAtOnce) {
    const std::string dir = TempDir("cli-ports-interrupt");
    SimPhone silent({"--silent"});
    CliProcess cli(dir, {"ports", silent.device()});
    // Long enough for a loaded machine to start the program and its handler;
    // the silent phone keeps the probe busy for seconds after.
    std::this_thread::sleep_for(500ms);
    const auto start = std::chrono::steady_clock::now();
    cli.Signal(SIGINT);
    EXPECT_EQ(cli.Wait(2s), 130) << cli.Err();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_EQ(cli.Out(), "");
    EXPECT_EQ(cli.Err(), "velmora-cli: interrupted\n");
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace velmora::testing

namespace velmora::testing {
namespace {

// A USSD session waiting for the network when the user has had enough:
// Ctrl-C tells the network the session is over and keeps what was said; a
// kill keeps what was said too, for the next start to call uncertain.
TEST(CliUssdInterrupt, CtrlCEndsTheSessionAndAKillLosesNothingSaid) {
    for (const int signal : {SIGINT, SIGKILL}) {
        const std::string dir = TempDir("cli-ussd-" + std::to_string(signal));
        SimPhone sim({"--ussd-record", dir + "/ussd.txt"});
        CliProcess cli(dir, {"ussd", "--fast", "--device", sim.device(), "*555#"});
        ASSERT_TRUE(WaitFor([&] { return !ReadAll(dir + "/ussd.txt").empty(); }, 15s))
            << cli.Wait(0ms) << " " << cli.Err();
        std::this_thread::sleep_for(200ms); // its OK read, the wait for the network begun
        cli.Signal(signal);
        EXPECT_EQ(cli.Wait(5s), signal == SIGINT ? 130 : 1000 + SIGKILL) << cli.Err();
        const std::string ended = signal == SIGINT ? "AT+CUSD=2\n" : "";
        EXPECT_TRUE(
            WaitFor([&] { return ReadAll(dir + "/ussd.txt") == "AT+CUSD=1,\"*555#\",15\n" + ended; }, 2s))
            << ReadAll(dir + "/ussd.txt");
        auto store = MessageStore::Open(QString::fromStdString(dir + "/messages.sqlite"));
        ASSERT_TRUE(store) << store.error();
        if (signal == SIGKILL) {
            EXPECT_EQ((*store)->MarkInterrupted().value(), 1);
        }
        const auto kept = (*store)->Messages(HistoryQuery{});
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(kept[0].kind, "ussd");
        EXPECT_EQ(kept[0].number, "*555#");
        EXPECT_TRUE(kept[0].text.startsWith("> *555#")) << kept[0].text.toStdString();
        EXPECT_EQ(kept[0].state, signal == SIGINT ? msg::State::Failed : msg::State::Uncertain);
        EXPECT_EQ(kept[0].reason, msg::Reason::Stopped);
        std::filesystem::remove_all(dir);
    }
}

} // namespace
} // namespace velmora::testing
