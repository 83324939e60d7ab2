// The port probe's pure parts: /proc entries, the holders of a device in a
// made-up /proc tree, AT replies, the devices COMn stands for and the lines
// the command line prints.

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

// A pseudo-terminal's slave side: a character device no other test uses.
class Pty {
public:
    Pty() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0)
            m_slave = ::ptsname(m_master);
    }
    ~Pty() { ::close(m_master); }
    const std::string& slave() const { return m_slave; }

private:
    int m_master = -1;
    std::string m_slave;
};

fs::path FreshDir(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("velmora-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

TEST(ProcessIdOf, TakesOnlyAllDigitNames) {
    const std::pair<const char*, int> cases[] = {
        {"1", 1},  {"812", 812}, {"4194304", 4194304}, {"0", 0}, {"self", 0}, {"12a", 0},
        {"-3", 0}, {"", 0},      {"1234567890", 0},
    };
    for (const auto& [entry, pid] : cases)
        EXPECT_EQ(ProcessIdOf(entry).value_or(0), pid) << entry;
}

TEST(CommandName, DropsTheNewline) {
    const std::pair<const char*, const char*> cases[] = {
        {"minicom\n", "minicom"}, {"ModemManager\n", "ModemManager"}, {"x", "x"}, {"", ""}, {"a\nb\n", "a"}};
    for (const auto& [file, name] : cases)
        EXPECT_EQ(CommandName(file), name);
}

TEST(HolderText, NamesEachHolderWithItsPid) {
    EXPECT_EQ(HolderText({}), "");
    EXPECT_EQ(HolderText({{812, "minicom"}}), "held by minicom (pid 812)");
    EXPECT_EQ(HolderText({{7, "ModemManager"}, {90, ""}}),
              "held by ModemManager (pid 7), a program (pid 90)");
}

class FakeProc : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(pty.slave().empty());
        proc = FreshDir("proc");
        Write(proc / "100/comm", "minicom\n");
        fs::create_directories(proc / "100/fd");
        fs::create_symlink(pty.slave(), proc / "100/fd/3");
        Write(proc / "7/comm", "ModemManager\n");
        fs::create_directories(proc / "7/fd");
        fs::create_symlink("/dev/null", proc / "7/fd/0");
        fs::create_symlink(pty.slave(), proc / "7/fd/12");
        // Not under /dev: never looked at, even if it named the same file.
        Write(proc / "200/comm", "editor\n");
        fs::create_directories(proc / "200/fd");
        fs::create_symlink(other.slave().substr(5), proc / "200/fd/4");
        fs::create_symlink(other.slave(), proc / "200/fd/5");
        // A process whose name cannot be read.
        fs::create_directories(proc / "400/fd");
        fs::create_symlink(pty.slave(), proc / "400/fd/9");
        fs::create_directory_symlink(proc / "100", proc / "self");
        fs::create_directories(proc / "sys/fd");
        fs::create_symlink(pty.slave(), proc / "sys/fd/1");
        alias = proc / "modem";
        fs::create_symlink(pty.slave(), alias);
    }
    void TearDown() override { fs::remove_all(proc); }

    Pty pty, other;
    fs::path proc, alias;
};

TEST_F(FakeProc, FindsEveryProcessWithTheDeviceOpenButTheCallersOwnDescriptor) {
    const struct {
        int skipPid, skipFd;
        std::vector<DeviceHolder> holders;
    } rows[] = {
        {-1, -1, {{7, "ModemManager"}, {100, "minicom"}, {400, ""}}},
        {100, 3, {{7, "ModemManager"}, {400, ""}}},
        {100, 4, {{7, "ModemManager"}, {100, "minicom"}, {400, ""}}},
        {7, -1, {{100, "minicom"}, {400, ""}}},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(DeviceHolders(pty.slave(), proc.string(), r.skipPid, r.skipFd), r.holders)
            << r.skipPid << " " << r.skipFd;
        // A link to the device is the same device.
        EXPECT_EQ(DeviceHolders(alias.string(), proc.string(), r.skipPid, r.skipFd), r.holders);
    }
    EXPECT_EQ(DeviceHolders(other.slave(), proc.string()), (std::vector<DeviceHolder>{{200, "editor"}}));
    EXPECT_TRUE(DeviceHolders("/dev/velmora-no-such-port", proc.string()).empty());
}

TEST(ParseAtReply, FindsTheFinalResultCodeAfterTheEchoAndTheInformation) {
    const struct {
        const char* bytes;
        const char* command;
        AtReply reply;
    } rows[] = {
        {"\r\nOK\r\n", "AT", {true, true, {}}},
        {"AT\r\r\nOK\r\n", "AT", {true, true, {}}},
        {"at\r\r\nOK\r\n", "AT", {true, true, {}}}, // the phone echoes in its own case
        {"AT\r\r\nERROR\r\n", "AT", {true, false, {}}},
        {"\r\n+CME ERROR: 10\r\n", "AT+CGMI", {true, false, {}}},
        {"\r\n+CMS ERROR: 500\r\n", "AT+CGMI", {true, false, {}}},
        {"AT+CGMI\r\r\nVELMORA\r\n\r\nOK\r\n", "AT+CGMI", {true, true, {"VELMORA"}}},
        {"\r\n+CGMM: \"3310\"\r\nOK\r\n", "AT+CGMM", {true, true, {"+CGMM: \"3310\""}}},
        {"\r\nVELMORA\r\n\r\nOK", "AT+CGMI", {false, false, {"VELMORA"}}}, // OK not yet ended
        {"\r\nOKAY\r\n", "AT", {false, false, {"OKAY"}}},
        {"", "AT", {false, false, {}}},
        {"\r\nOK\r\n\r\nRING\r\n", "AT", {true, true, {}}}, // what follows is not this reply
    };
    for (const auto& r : rows)
        EXPECT_EQ(ParseAtReply(r.bytes, r.command), r.reply) << r.bytes;
}

TEST(IdentityLine, GivesThePhonesWordsOnOneShortPlainLine) {
    const std::pair<AtReply, std::string> cases[] = {
        {{true, true, {"VELMORA"}}, "VELMORA"},
        {{true, true, {"+CGMI: Nokia"}}, "Nokia"},
        {{true, true, {"+CGMM: \"3310\""}}, "\"3310\""},
        {{true, true, {"Sony Ericsson", "Mobile"}}, "Sony Ericsson Mobile"},
        {{true, true, {"A\x1b[2JB"}}, "A [2JB"},
        {{true, true, {std::string(50, 'x')}}, std::string(40, 'x')},
        {{true, true, {std::string(39, 'x') + "\xc3\xa9"}}, std::string(39, 'x')}, // never half a letter
        {{true, true, {}}, ""},
    };
    for (const auto& [reply, line] : cases)
        EXPECT_EQ(IdentityLine(reply), line);
}

TEST(AnswerText, SaysWhoAnswered) {
    EXPECT_EQ(AnswerText("VELMORA", "PhoneSim 1"), "answers: VELMORA PhoneSim 1");
    EXPECT_EQ(AnswerText("", "PhoneSim 1"), "answers: PhoneSim 1");
    EXPECT_EQ(AnswerText("SIEMENS", ""), "answers: SIEMENS");
    EXPECT_EQ(AnswerText("", ""), "answers");
}

TEST(OpenErrorText, GivesTheReasonAndTheUsualFix) {
    EXPECT_EQ(OpenErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(OpenErrorText(EACCES), "Permission denied (serial devices are for members of the dialout "
                                     "group: sudo adduser $USER dialout, then log in again)");
    EXPECT_EQ(OpenErrorText(EIO), "Input/output error (nothing is connected behind this device)");
}

TEST(ProbePort, ADeviceThatCannotBeUsedSaysWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"/dev/velmora-no-such-port", "No such file or directory"},
        {"/dev/null", "not a serial device"}, // every program holds it; no matter
    };
    for (const auto& [path, text] : cases) {
        const PortProbeResult r = ProbePort({3, path});
        EXPECT_EQ(r.outcome, ProbeOutcome::Unusable) << path;
        EXPECT_EQ(r.text, text);
        EXPECT_EQ(r.name, "COM3");
    }
}

TEST(ComPortCandidates, ListsEachPresentDeviceOnceUnderItsFirstPort) {
    const fs::path dev = FreshDir("dev");
    for (const char* name : {"ttyACM0", "ttyUSB0", "ttyS5", "modem"})
        Write(dev / name, "");
    std::map<int, std::string> overrides = {{12, (dev / "ttyUSB0").string()}, {40, (dev / "modem").string()}};
    std::map<int, std::string> configured = {{4, (dev / "gone").string()}, {50, ""}};
    const ComDeviceMap map(configured, overrides, dev.string());
    // COM1, COM2: the present devices; COM3 would be ttyS2 (absent), COM4
    // names a device that is gone, COM6 is ttyS5; COM12 is COM2's device.
    const std::vector<PortCandidate> expected = {
        {1, (dev / "ttyACM0").string()},
        {2, (dev / "ttyUSB0").string()},
        {6, (dev / "ttyS5").string()},
        {40, (dev / "modem").string()},
    };
    EXPECT_EQ(ComPortCandidates(map), expected);
    // Fewer ports counted: COM4 named by the settings is absent all the same.
    EXPECT_EQ(ComPortCandidates(map, 2), (std::vector<PortCandidate>{expected[0], expected[1], expected[3]}));
    const auto named = NamedCandidates({(dev / "ttyUSB0").string(), "/dev/null", (dev / "modem").string()},
                                       ComPortCandidates(map));
    const std::vector<PortCandidate> names = {
        {2, (dev / "ttyUSB0").string()}, {0, "/dev/null"}, {40, (dev / "modem").string()}};
    EXPECT_EQ(named, names);
    EXPECT_EQ(named[1].name(), "-");
    EXPECT_EQ(named[2].name(), "COM40");
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
    EXPECT_TRUE(FormatProbeLines({}).empty());
}

} // namespace
} // namespace velmora
