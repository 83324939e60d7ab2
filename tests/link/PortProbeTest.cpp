// The port probe's pure parts: the holders of a device in a made-up /proc
// tree, AT replies, the devices COMn stands for, the lines it prints.

#include "PortProbe.h"
#include "ComDevices.h"
#include "DeviceHolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;

fs::path FreshDir(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("velmora-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// A process in a made-up /proc: its name (none when empty) and where its
// descriptors lead.
void FakeProcess(const fs::path& proc, const std::string& pid, const std::string& comm,
                 const std::vector<std::pair<std::string, std::string>>& fds) {
    fs::create_directories(proc / pid / "fd");
    if (!comm.empty())
        std::ofstream(proc / pid / "comm") << comm << '\n';
    for (const auto& [fd, target] : fds)
        fs::create_symlink(target, proc / pid / "fd" / fd);
}

TEST(DeviceHolders, FindsEveryProcessWithTheDeviceOpenButTheCallersOwnDescriptor) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const std::string pty = ::ptsname(master);
    const fs::path proc = FreshDir("proc");
    FakeProcess(proc, "100", "minicom", {{"3", pty}});
    FakeProcess(proc, "7", "ModemManager", {{"0", "/dev/null"}, {"12", pty}});
    FakeProcess(proc, "400", "", {{"9", pty}});
    FakeProcess(proc, "200", "editor", {{"4", pty.substr(5)}}); // outside /dev: not looked at
    FakeProcess(proc, "sys", "x", {{"1", pty}});
    fs::create_symlink(pty, proc / "modem"); // another name of the device
    const struct {
        int skipPid, skipFd;
        std::string text;
    } rows[] = {
        {-1, -1, "held by ModemManager (pid 7), minicom (pid 100), a program (pid 400)"},
        {100, 3, "held by ModemManager (pid 7), a program (pid 400)"},
        {100, 4, "held by ModemManager (pid 7), minicom (pid 100), a program (pid 400)"},
        {7, -1, "held by minicom (pid 100), a program (pid 400)"},
    };
    for (const auto& r : rows)
        for (const std::string& device : {pty, (proc / "modem").string()})
            EXPECT_EQ(HolderText(DeviceHolders(device, proc.string(), r.skipPid, r.skipFd)), r.text)
                << device;
    EXPECT_EQ(HolderText(DeviceHolders("/dev/velmora-no-such-port", proc.string())), "");
    fs::remove_all(proc);
    ::close(master);
}

// A descriptor of a process in a made-up /proc, with its fdinfo as the
// kernel writes it (none when empty).
struct FakeFd {
    std::string fd, target, fdinfo;
};

struct FakeProc {
    std::string pid, comm;
    std::vector<FakeFd> fds;
};

void MakeProcesses(const fs::path& proc, const std::vector<FakeProc>& processes) {
    for (const auto& p : processes) {
        std::vector<std::pair<std::string, std::string>> links;
        for (const auto& f : p.fds)
            links.emplace_back(f.fd, f.target);
        FakeProcess(proc, p.pid, p.comm, links);
        fs::create_directories(proc / p.pid / "fdinfo");
        for (const auto& f : p.fds)
            if (!f.fdinfo.empty())
                std::ofstream(proc / p.pid / "fdinfo" / f.fd) << f.fdinfo;
    }
}

// A pseudo-terminal the test holds the master of.
struct TestPty {
    TestPty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            slave = ::ptsname(master);
    }
    ~TestPty() { ::close(master); }
    int master = -1;
    std::string slave;
};

// A master's fdinfo as Linux 5.x and later write it.
std::string MasterInfo(int index) {
    return "pos:\t0\nflags:\t0100002\nmnt_id:\t25\nino:\t2\ntty-index:\t" + std::to_string(index) + "\n";
}
// ... and as older kernels did, without the index.
const std::string kOldMasterInfo = "pos:\t0\nflags:\t0100002\nmnt_id:\t25\n";

TEST(DeviceHolders, TheMakerOfAPseudoTerminalIsNotInTheWayOfItACompetitorIs) {
    const TestPty port, other;
    ASSERT_FALSE(port.slave.empty() || other.slave.empty());
    ASSERT_EQ(port.slave.rfind("/dev/pts/", 0), 0u);
    const int n = std::stoi(port.slave.substr(9)), m = std::stoi(other.slave.substr(9));
    EXPECT_EQ(PtsNumberOf(port.slave), n);
    EXPECT_EQ(PtsNumberOf("/dev/null"), std::nullopt);
    // socat keeps the port (the slave side) open beside its master.
    const FakeProc socat{"300", "socat", {{"5", "/dev/ptmx", MasterInfo(n)}, {"6", port.slave, ""}}};
    const FakeProc modemManager{"7", "ModemManager", {{"0", "/dev/null", ""}, {"12", port.slave, ""}}};
    const FakeProc oldSocat{"300", "socat", {{"5", "/dev/ptmx", kOldMasterInfo}, {"6", port.slave, ""}}};
    const FakeProc minicom{"100", "minicom", {{"3", port.slave, ""}}};
    const struct {
        const char* name;
        std::vector<FakeProc> processes;
        std::string text;
    } rows[] = {
        {"socat", {socat}, ""},
        {"socat through /dev/pts/ptmx",
         {{"300", "socat", {{"5", "/dev/pts/ptmx", MasterInfo(n)}, {"9", port.slave, ""}}}},
         ""},
        // The slave first, the master after it in the list of descriptors.
        {"socat, port first",
         {{"300", "socat", {{"3", port.slave, ""}, {"40", "/dev/ptmx", MasterInfo(n)}}}},
         ""},
        {"ser2net holding the master only", {{"301", "ser2net", {{"7", "/dev/ptmx", MasterInfo(n)}}}}, ""},
        {"socat and ModemManager", {socat, modemManager}, "held by ModemManager (pid 7)"},
        // A terminal holds a master too, of its own pseudo-terminal.
        {"a terminal's minicom on the port",
         {{"500", "xterm", {{"3", "/dev/ptmx", MasterInfo(m)}, {"4", port.slave, ""}}}},
         "held by xterm (pid 500)"},
        {"the master of another pseudo-terminal as well",
         {{"300", "socat", {{"5", "/dev/ptmx", MasterInfo(m)}, {"6", port.slave, ""}}}},
         "held by socat (pid 300)"},
        {"old kernel: the master's holder alone", {oldSocat}, ""},
        {"old kernel: fdinfo unreadable",
         {{"300", "socat", {{"5", "/dev/ptmx", ""}, {"6", port.slave, ""}}}},
         ""},
        {"old kernel: not alone", {oldSocat, minicom}, "held by minicom (pid 100), socat (pid 300)"},
        {"old kernel: a holder without a master", {minicom}, "held by minicom (pid 100)"},
    };
    for (const auto& r : rows) {
        const fs::path proc = FreshDir("proc-pty");
        MakeProcesses(proc, r.processes);
        EXPECT_EQ(HolderText(DeviceHolders(port.slave, proc.string())), r.text) << r.name;
        fs::remove_all(proc);
    }
    // A port that is no pseudo-terminal has no maker: the master counts for
    // nothing, the holder is named.
    const fs::path proc = FreshDir("proc-null");
    MakeProcesses(proc, {{"300", "socat", {{"5", "/dev/ptmx", kOldMasterInfo}, {"6", "/dev/null", ""}}}});
    EXPECT_EQ(HolderText(DeviceHolders("/dev/null", proc.string())), "held by socat (pid 300)");
    fs::remove_all(proc);
}

TEST(DeviceHolders, TheSearchIsBoundedAndSaysWhenItStoppedShort) {
    const TestPty port;
    ASSERT_FALSE(port.slave.empty());
    const fs::path proc = FreshDir("proc-limits");
    MakeProcesses(proc, {{"100", "minicom", {{"3", "/dev/null", ""}, {"4", port.slave, ""}}},
                         {"200", "cat", {{"0", "/dev/null", ""}}},
                         {"300", "ModemManager", {{"1", "/dev/null", ""}, {"2", port.slave, ""}}}});
    const struct {
        HolderLimits limits;
        bool complete;
    } rows[] = {
        {{}, true},        {{3, 5}, true}, // exactly enough
        {{2, 100}, false}, {{100, 4}, false}, {{100, 0}, false},
    };
    for (const auto& r : rows) {
        const HolderSearch search = FindDeviceHolders(port.slave, proc.string(), -1, -1, r.limits);
        EXPECT_EQ(search.complete, r.complete) << r.limits.processes << " " << r.limits.descriptors;
        if (r.complete) {
            EXPECT_EQ(HolderText(search.holders), "held by minicom (pid 100), ModemManager (pid 300)");
        }
    }
    fs::remove_all(proc);
}

TEST(ParseAtReply, FindsTheFinalResultCodeAfterTheEchoAndTheInformation) {
    const struct {
        const char* bytes;
        const char* command;
        AtReply reply;
    } rows[] = {
        {"AT\r\r\nOK\r\n", "AT", {true, true, {}}},
        {"AT\r\r\nERROR\r\n", "AT", {true, false, {}}},
        {"\r\n+CME ERROR: 10\r\n", "AT+CGMI", {true, false, {}}},
        {"AT+CGMI\r\r\nVELMORA\r\n\r\nOK\r\n", "AT+CGMI", {true, true, {"VELMORA"}}},
        {"\r\nVELMORA\r\n\r\nOK", "AT+CGMI", {false, false, {"VELMORA"}}}, // OK not yet ended
        {"\r\nOKAY\r\n", "AT", {false, false, {"OKAY"}}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ParseAtReply(r.bytes, r.command), r.reply) << r.bytes;
}

TEST(IdentityLine, GivesThePhonesWordsOnOneShortPlainLine) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"+CGMI: Nokia"}, "Nokia"},
        {{"A\x1b[2JB"}, "A [2JB"},
        {{std::string(50, 'x')}, std::string(40, 'x')},
        {{std::string(39, 'x') + "\xc3\xa9"}, std::string(39, 'x')}, // never half a letter
    };
    for (const auto& [lines, text] : cases)
        EXPECT_EQ(IdentityLine({true, true, lines}), text);
}

TEST(ComPortCandidates, ListsEachPresentDeviceOnceUnderItsFirstPort) {
    const fs::path dev = FreshDir("dev");
    for (const char* name : {"ttyACM0", "ttyUSB0", "ttyS5", "modem"})
        std::ofstream(dev / name).flush();
    const auto at = [&](const char* name) { return (dev / name).string(); };
    // COM1, COM2: the present devices; COM3 is ttyS2 (absent), COM4 a device
    // that is gone, COM6 ttyS5; COM12 is COM2's device again.
    const ComDeviceMap map({{4, at("gone")}, {50, ""}}, {{12, at("ttyUSB0")}, {40, at("modem")}},
                           dev.string());
    const std::vector<PortCandidate> expected = {
        {1, at("ttyACM0")}, {2, at("ttyUSB0")}, {6, at("ttyS5")}, {40, at("modem")}};
    EXPECT_EQ(ComPortCandidates(map), expected);
    EXPECT_EQ(ComPortCandidates(map, 2), (std::vector<PortCandidate>{expected[0], expected[1], expected[3]}));
    EXPECT_EQ(NamedCandidates({at("ttyUSB0"), "/dev/null"}, expected),
              (std::vector<PortCandidate>{{2, at("ttyUSB0")}, {0, "/dev/null"}}));
    fs::remove_all(dev);
}

TEST(FormatProbeLines, LinesUpTheColumns) {
    const std::vector<PortProbeResult> results = {
        {"COM1", 1, "/dev/ttyACM0", ProbeOutcome::Answers, "answers: VELMORA PhoneSim 1"},
        {"COM12", 12, "/dev/ttyUSB0", ProbeOutcome::Busy, "busy: held by ModemManager (pid 7)"},
        {"-", 0, "/dev/rfcomm10", ProbeOutcome::NoAnswer, "no answer"},
    };
    const std::vector<std::string> lines = {
        "COM1   /dev/ttyACM0   answers: VELMORA PhoneSim 1",
        "COM12  /dev/ttyUSB0   busy: held by ModemManager (pid 7)",
        "-      /dev/rfcomm10  no answer",
    };
    EXPECT_EQ(FormatProbeLines(results), lines);
}

} // namespace
} // namespace velmora
