// How each velmora-cli command reads its words: every form an option may be
// written in, where it may stand, and the exact line and exit status of each
// refusal. The phone commands are given a device that does not exist, so a
// line they accept ends at the connect, naming the port it chose.

#include "Cli.h"
#include "Options.h"
#include "PhoneCommands.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace velmora::cli {
namespace {

// The settings and logs of these commands are looked for in a directory of
// their own, which holds none.
class EmptyHome : public ::testing::Environment {
public:
    void SetUp() override {
        char name[] = "/tmp/velmora-cli-options-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        m_dir = name;
        ::setenv("VELMORA_DIR", m_dir.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("VELMORA_DIR");
        std::filesystem::remove_all(m_dir);
    }

private:
    std::string m_dir;
};
[[maybe_unused]] ::testing::Environment* const kHome = ::testing::AddGlobalTestEnvironment(new EmptyHome);

using Command = int (*)(std::vector<std::string>, Io);

struct Outcome {
    int code;
    std::string out, err;
};

Outcome Invoke(Command command, std::vector<std::string> words) {
    std::ostringstream out, err;
    const int code = command(std::move(words), Io{out, err});
    return {code, out.str(), err.str()};
}

// The command's own usage, as its --help prints it.
std::string Usage(Command command) { return Invoke(command, {"--help"}).out; }

const std::string kNumber = "628569999999";
const std::string kNoPort = "/dev/velmora-no-such-port";
const std::string kHelp = "(its usage)";

std::string NotOpened(int port, const std::string& device = kNoPort) {
    return "Unable to open port " + std::to_string(port) + " ! (" + device + ": No such file or directory)";
}

struct Row {
    const char* command;
    std::vector<std::string> words;
    int code;
    std::string err; // the line after "velmora-cli: "; a usage error is followed by the usage
    std::string out = "";
};

Command ByName(const std::string& name) {
    const std::pair<const char*, Command> commands[] = {
        {"pdu", RunPdu},     {"decode", RunDecode}, {"content", RunContent},   {"preview", RunPreview},
        {"tone", RunTone},   {"send", RunSend},     {"identify", RunIdentify}, {"phonebook", RunPhonebook},
        {"inbox", RunInbox}, {"ports", RunPorts},
    };
    for (const auto& [n, c] : commands)
        if (name == n)
            return c;
    return nullptr;
}

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.command;
    for (const auto& w : r.words)
        *os << " [" << w << "]";
}

class CliOptions : public ::testing::TestWithParam<Row> {};

// Stands for a store in the run's own folder in a row's words.
const std::string kOwnStore = "@own-store";

TEST_P(CliOptions, ReadsEachWordAsBeforeAndRefusesInTheSameWords) {
    const Row& r = GetParam();
    const Command command = ByName(r.command);
    ASSERT_NE(command, nullptr) << r.command;
    // A store the command opens goes in this run's own folder, never in one
    // another run (of another version) may share.
    std::vector<std::string> words = r.words;
    for (std::string& w : words) {
        const auto at = w.find(kOwnStore);
        if (at != std::string::npos)
            w.replace(at, kOwnStore.size(), std::string(std::getenv("VELMORA_DIR")) + "/m.sqlite");
    }
    const Outcome o = Invoke(command, words);
    EXPECT_EQ(o.code, r.code) << o.err;
    EXPECT_EQ(o.out, r.out == kHelp ? Usage(command) : r.out);
    std::string err = r.err.empty() ? "" : "velmora-cli: " + r.err + "\n";
    if (r.code == kExitUsage)
        err += Usage(command);
    EXPECT_EQ(o.err, err);
}

const std::string kAbc = "0011000C912658969999990000AA0361F118\n";
const std::string kLogo = std::string(252, '0');
const std::string kLogoPdu = "0051000C9126589699999900F5AA8C0605041582000015F01000480E01" + kLogo + "\n";

INSTANTIATE_TEST_SUITE_P(
    Pdu, CliOptions,
    ::testing::Values(
        // Words that start with one "-" are the message's, as is anything after "--".
        Row{"pdu", {"text", kNumber, "-5"}, kExitOk, "", "0011000C912658969999990000AA02AD1A\n"},
        Row{"pdu", {"text", kNumber, "-"}, kExitOk, "", "0011000C912658969999990000AA012D\n"},
        Row{"pdu", {"text", kNumber, "-h"}, kExitOk, "", "0011000C912658969999990000AA022D34\n"},
        Row{"pdu", {"text", kNumber, "--", "--"}, kExitOk, "", "0011000C912658969999990000AA02AD16\n"},
        Row{"pdu", {"text", "--", kNumber, "abc", "--"}, kExitUsage, "pdu text: expected 2 arguments, got 3"},
        Row{"pdu", {"text", kNumber, "abc", "--"}, kExitOk, "", kAbc},
        Row{"pdu",
            {"void", "-5"},
            kExitRefused,
            "invalid destination number \"-5\": it must be 1 to 20 digits (after \"+\" is dropped and a "
            "leading "
            "0 becomes 62)"},
        // The text's bytes reach the encoder as typed: UTF-8 is read, a byte
        // that is none is named as U+FFFD.
        Row{"pdu", {"text", kNumber, "caf\xC3\xA9"}, kExitOk, "", "0011000C912658969999990000AA04E3B0B900\n"},
        Row{"pdu",
            {"text", kNumber, "\xE9"},
            kExitRefused,
            "A normal text message cannot carry \"\xEF\xBF\xBD\". Remove them, or send the text as a Flash "
            "Message, which carries any character."},
        // Options before, between and after the positionals, with "=" or apart.
        Row{"pdu", {"logo", kNumber, "--nc=01", kLogo, "--mcc", "510"}, kExitOk, "", kLogoPdu},
        Row{"pdu", {"logo", "--mcc=510", "--nc", "01", kNumber, kLogo}, kExitOk, "", kLogoPdu},
        Row{"pdu",
            {"indicator", kNumber, "--inactive", "--kind=fax"},
            kExitOk,
            "",
            "0011000C9126589699999900C1AA00\n"},
        // Each option once; a flag takes no value; the first word not
        // understood is named, before a missing value.
        Row{"pdu",
            {"text", "--flash", "--flash", kNumber, "x"},
            kExitUsage,
            "pdu text: unknown option --flash"},
        Row{"pdu", {"text", kNumber, "x", "--flash=1"}, kExitUsage, "pdu text: unknown option --flash=1"},
        Row{"pdu",
            {"text", "--bogus", "--flash=2", kNumber, "x"},
            kExitUsage,
            "pdu text: unknown option --bogus"},
        Row{"pdu",
            {"text", "--flash=2", "--bogus", kNumber, "x"},
            kExitUsage,
            "pdu text: unknown option --flash=2"},
        Row{"pdu", {"text", kNumber, "x", "--\xE9"}, kExitUsage, "pdu text: unknown option --\xE9"},
        Row{"pdu", {"text", kNumber, "x", "--="}, kExitUsage, "pdu text: unknown option --="},
        Row{"pdu",
            {"logo", "--mcc", "510", "--mcc", "511", "--nc", "01", kNumber, kLogo},
            kExitUsage,
            "pdu logo: unknown option --mcc"},
        Row{"pdu", {"logo", "--mcc=510", kNumber, kLogo, "--nc"}, kExitUsage, "pdu logo: --nc needs a value"},
        Row{"pdu",
            {"logo", "--nc", "--", "--mcc=510", kNumber, kLogo},
            kExitUsage,
            "pdu logo: --nc needs a value"},
        Row{"pdu", {"logo", "--nc", "--bogus", "--nc"}, kExitUsage, "pdu logo: unknown option --nc"},
        Row{"pdu",
            {"logo", "--mcc", "--nc", "01", kNumber, kLogo},
            kExitUsage,
            "pdu logo: expected 2 arguments, got 3"},
        Row{"pdu", {"ringtone", kNumber, "--file"}, kExitUsage, "pdu ringtone: --file needs a value"},
        // A value is the next word, whichever option the kind reads first.
        Row{"pdu",
            {"ringtone", kNumber, "--file", "--cut"},
            kExitRefused,
            "Cannot open \"--cut\": No such file or directory"},
        Row{"pdu",
            {"logo", "--nc", "--mcc", "510", "01", kNumber, kLogo},
            kExitUsage,
            "pdu logo: expected 2 arguments, got 4"},
        Row{"pdu",
            {"group", kNumber, "--file="},
            kExitRefused,
            "Cannot open \"\": No such file or directory"},
        Row{"pdu", {"ems", kNumber, "--picture"}, kExitUsage, "pdu ems: --picture needs a value"},
        Row{"pdu",
            {"indicator", "--kind", "fax", "--active", "--active", kNumber},
            kExitUsage,
            "pdu indicator: unknown option --active"},
        Row{"pdu", {"void", kNumber, "extra"}, kExitUsage, "pdu void: expected 1 argument, got 2"},
        Row{"pdu", {"--", "void", kNumber}, kExitUsage, "pdu: unknown kind \"--\""},
        Row{"pdu", {"void", "--help"}, kExitUsage, "pdu void: unknown option --help"},
        Row{"pdu", {"-h"}, kExitOk, "", kHelp}),
    [](const auto& info) {
        std::string words;
        for (const auto& w : info.param.words)
            words += w + " ";
        return velmora::testing::CaseName(info.index, words);
    });

const std::string kRefusedDash =
    "message 1\n  refused: cannot read octet 1 (service-centre address length)\n";

INSTANTIATE_TEST_SUITE_P(
    FilesAndPdus, CliOptions,
    ::testing::Values(
        // decode takes its help anywhere before "--", even among other faults.
        Row{"decode", {"-h"}, kExitOk, "", kHelp}, Row{"decode", {"00", "--help"}, kExitOk, "", kHelp},
        Row{"decode", {"--bogus", "-h"}, kExitOk, "", kHelp},
        Row{"decode", {"--help", "--help"}, kExitOk, "", kHelp},
        Row{"decode", {"--", "-h"}, kExitRefused, "", kRefusedDash + "  pdu: -h\n"},
        Row{"decode", {"-5"}, kExitRefused, "", kRefusedDash + "  pdu: -5\n"},
        Row{"decode", {"--help=1"}, kExitUsage, "decode: unknown option --help=1"},
        Row{"decode", {"--h"}, kExitUsage, "decode: unknown option --h"},
        Row{"decode", {"--json", "--json"}, kExitUsage, "decode: unknown option --json"},
        Row{"decode", {"--json=yes"}, kExitUsage, "decode: unknown option --json=yes"},
        Row{"content", {"--as", "logo"}, kExitUsage, "content: expected one FILE, got 0"},
        Row{"content", {"f", "--as"}, kExitUsage, "content: --as needs a value"},
        Row{"content", {"f", "--as=logo", "--as", "group"}, kExitUsage, "content: unknown option --as"},
        Row{"content", {"f", "--as", "logo", "--dither=1"}, kExitUsage, "content: unknown option --dither=1"},
        Row{"content", {"f", "--threshold", "--as", "logo"}, kExitUsage, "content: expected one FILE, got 2"},
        Row{"content",
            {"f", "--as", "--threshold"},
            kExitUsage,
            "content: --as must be logo, group, picture, ringtone or ems, not \"--threshold\""},
        Row{"content", {"-", "--as", "logo"}, kExitRefused, "Cannot open \"-\": No such file or directory"},
        Row{"content", {"--", "--as", "--as", "logo"}, kExitUsage, "content: expected one FILE, got 3"},
        Row{"content", {"f", "--as", "logo", "--help"}, kExitUsage, "content: unknown option --help"},
        Row{"preview",
            {"f", "--as=ringtone"},
            kExitUsage,
            "preview: --as must be logo, group or picture, not \"ringtone\""},
        Row{"preview",
            {"f", "--as", "logo", "--threshold=-1"},
            kExitUsage,
            "preview: --threshold must be 0 to 255, not \"-1\""},
        Row{"preview", {"-h"}, kExitOk, "", kHelp},
        Row{"tone", {"--wav"}, kExitUsage, "tone: --wav needs a value"},
        Row{"tone", {"x", "--wav=a", "--wav=b"}, kExitUsage, "tone: unknown option --wav=b"},
        Row{"tone", {}, kExitUsage, "tone: expected one FILE or RTTTL line, got 0"},
        Row{"tone", {"a", "-b"}, kExitUsage, "tone: expected one FILE or RTTTL line, got 2"},
        Row{"tone", {"x", "--help"}, kExitUsage, "tone: unknown option --help"}),
    [](const auto& info) {
        std::string words = info.param.command;
        for (const auto& w : info.param.words)
            words += " " + w;
        return velmora::testing::CaseName(info.index, words);
    });

INSTANTIATE_TEST_SUITE_P(
    Send, CliOptions,
    ::testing::Values(
        // The link options and --report stand before the kind, with "=" or apart.
        Row{"send",
            {"--device", kNoPort, "--port", "4", "--baud", "9600", "--pin", "1", "--fast", "--report",
             "--report-wait", "0", "void", kNumber},
            kExitUnreachable,
            NotOpened(4)},
        Row{"send",
            {"--device=COM5=" + kNoPort, "--port=5", "--report-wait=86400", "void", kNumber},
            kExitUnreachable,
            NotOpened(5)},
        Row{"send",
            {"--device", "COM2=/dev/x", "--device", "COM7=" + kNoPort, "--port", "7", "void", kNumber},
            kExitUnreachable,
            NotOpened(7)},
        // The last --port counts, each is checked.
        Row{"send",
            {"--device", kNoPort, "--port", "3", "--port", "2", "void", kNumber},
            kExitUnreachable,
            NotOpened(2)},
        Row{"send",
            {"--port", "97", "--port", "2", "void", kNumber},
            kExitUsage,
            "send: --port must be a number from 1 to 96"},
        // A value is the next word, whatever it looks like.
        Row{"send",
            {"--pin", "--port", "--device", kNoPort, "void", kNumber},
            kExitUnreachable,
            NotOpened(1)},
        Row{"send", {"--device=/dev/\xE9", "void", kNumber}, kExitUnreachable, NotOpened(1, "/dev/\xE9")},
        Row{"send", {"--device", "-5", "void", kNumber}, kExitUnreachable, NotOpened(1, "-5")},
        // The faults in the order typed.
        Row{"send",
            {"--port", "97", "--baud", "x"},
            kExitUsage,
            "send: --port must be a number from 1 to 96"},
        Row{"send",
            {"--baud", "x", "--port", "97"},
            kExitUsage,
            "send: --baud must be a line speed in bit/s"},
        Row{"send",
            {"--report-wait", "x", "--port", "97"},
            kExitUsage,
            "send: --report-wait must be a number of seconds from 0 to 86400"},
        Row{"send",
            {"--report-wait=-1"},
            kExitUsage,
            "send: --report-wait must be a number of seconds from 0 to 86400"},
        Row{"send",
            {"--report-wait=86401"},
            kExitUsage,
            "send: --report-wait must be a number of seconds from 0 to 86400"},
        Row{"send", {"--report-wait"}, kExitUsage, "send: --report-wait needs a number of seconds"},
        Row{"send", {"--fast", "--device"}, kExitUsage, "send: --device needs a value"},
        Row{"send", {"--device="}, kExitUsage, "send: --device needs a device"},
        Row{"send",
            {"--device", "COMX=/dev/x"},
            kExitUsage,
            "send: --device \"COMX\" is not a port COM1 to COM96"},
        Row{"send", {"--port="}, kExitUsage, "send: --port must be a number from 1 to 96"},
        Row{"send", {"--baud=0"}, kExitUsage, "send: --baud must be a line speed in bit/s"},
        // The first word that is no option of send's is the kind.
        Row{"send", {"--bogus", "--port", "97"}, kExitUsage, "pdu: unknown kind \"--bogus\""},
        Row{"send", {"--fast=1", "void", kNumber}, kExitUsage, "pdu: unknown kind \"--fast=1\""},
        Row{"send", {"--report=1", "void", kNumber}, kExitUsage, "pdu: unknown kind \"--report=1\""},
        Row{"send", {"--", "void", kNumber}, kExitUsage, "pdu: unknown kind \"--\""},
        Row{"send", {"--fast", "-h"}, kExitUsage, "pdu: unknown kind \"-h\""},
        Row{"send", {"--fast", "--help"}, kExitUsage, "pdu: unknown kind \"--help\""},
        Row{"send", {}, kExitUsage, "pdu: which kind of message?"},
        Row{"send",
            {"--device", kNoPort, "void", kNumber, "--fast"},
            kExitUsage,
            "pdu void: unknown option --fast"},
        Row{"send", {"--device", kNoPort, "text", kNumber, "--", "--fast"}, kExitUnreachable, NotOpened(1)},
        // --store PATH, for the message store.
        Row{"send",
            {"--store", kOwnStore, "--device", kNoPort, "void", kNumber},
            kExitUnreachable,
            NotOpened(1)},
        Row{"send",
            {"--device", kNoPort, "--store=" + kOwnStore, "void", kNumber},
            kExitUnreachable,
            NotOpened(1)},
        Row{"send", {"--store"}, kExitUsage, "send: --store needs a value"},
        Row{"send", {"--store=", "void", kNumber}, kExitUsage, "send: --store needs a value"},
        Row{"send",
            {"--device", kNoPort, "void", kNumber, "--store", "x"},
            kExitUsage,
            "pdu void: unknown option --store"},
        Row{"send", {"-h"}, kExitOk, "", kHelp}),
    [](const auto& info) {
        std::string words;
        for (const auto& w : info.param.words)
            words += w + " ";
        return velmora::testing::CaseName(info.index, words);
    });

INSTANTIATE_TEST_SUITE_P(
    PhoneCommands, CliOptions,
    ::testing::Values(
        Row{"identify",
            {"--fast", "--device", kNoPort, "--port=8", "--pin=1"},
            kExitUnreachable,
            NotOpened(8)},
        Row{"identify", {"x"}, kExitUsage, "identify: unexpected \"x\""},
        Row{"identify", {"--fast", "--bogus"}, kExitUsage, "identify: unexpected \"--bogus\""},
        Row{"identify", {"--fast", "--"}, kExitUsage, "identify: unexpected \"--\""},
        Row{"identify", {"--fast", "-h"}, kExitUsage, "identify: unexpected \"-h\""},
        Row{"identify", {"x", "--port", "97"}, kExitUsage, "identify: unexpected \"x\""},
        Row{"identify", {"\xE9"}, kExitUsage, "identify: unexpected \"\xE9\""},
        Row{"identify", {"--pin"}, kExitUsage, "identify: --pin needs a value"},
        Row{"identify", {"--store", "x"}, kExitUsage, "identify: unexpected \"--store\""},
        Row{"phonebook",
            {"--export", "/tmp/x", "--device", kNoPort, "--vcard=/tmp/y", "--port", "6"},
            kExitUnreachable,
            NotOpened(6)},
        Row{"phonebook", {"--export"}, kExitUsage, "phonebook: --export needs a file"},
        Row{"phonebook", {"--fast", "--vcard"}, kExitUsage, "phonebook: --vcard needs a file"},
        Row{"phonebook", {"--export=f", "x"}, kExitUsage, "phonebook: unexpected \"x\""},
        Row{"phonebook",
            {"--export", "f", "--bogus", "--port", "97"},
            kExitUsage,
            "phonebook: unexpected \"--bogus\""},
        Row{"phonebook",
            {"--export", "f", "--port", "97", "--bogus"},
            kExitUsage,
            "phonebook: --port must be a number from 1 to 96"},
        Row{"inbox",
            {"--delete", "SM:3", "-4", "--json", "--device", kNoPort, "--port", "7", "--delete", "5"},
            kExitUnreachable,
            NotOpened(7)},
        Row{"inbox", {"--json", "--device", kNoPort, "--store", kOwnStore}, kExitUnreachable, NotOpened(1)},
        Row{"inbox",
            {"--delete", "3", "--store=" + kOwnStore, "--device", kNoPort},
            kExitUnreachable,
            NotOpened(1)},
        Row{"inbox", {"--store"}, kExitUsage, "inbox: --store needs a value"},
        Row{"phonebook", {"--store", "x"}, kExitUsage, "phonebook: unexpected \"--store\""},
        Row{"ports", {"--store=x"}, kExitUsage, "ports: unknown option \"--store=x\""},
        Row{"inbox", {"--delete"}, kExitUsage, "inbox: --delete needs at least one index"},
        Row{"inbox", {"--delete", "--json"}, kExitUsage, "inbox: --delete needs at least one index"},
        Row{"inbox", {"--delete", "--"}, kExitUsage, "inbox: --delete needs at least one index"},
        Row{"inbox", {"--delete", "3", "--", "4"}, kExitUsage, "inbox: unexpected \"--\""},
        Row{"inbox", {"--delete", "3", "--json", "4"}, kExitUsage, "inbox: unexpected \"4\""},
        Row{"inbox", {"--delete=3"}, kExitUsage, "inbox: unexpected \"--delete=3\""},
        Row{"inbox", {"--json=1"}, kExitUsage, "inbox: unexpected \"--json=1\""},
        Row{"inbox", {"x", "--port", "97"}, kExitUsage, "inbox: unexpected \"x\""},
        Row{"inbox",
            {"--json", "--port", "97", "x"},
            kExitUsage,
            "inbox: --port must be a number from 1 to 96"},
        Row{"inbox", {"--pin"}, kExitUsage, "inbox: --pin needs a value"},
        Row{"inbox", {"--json", "-h"}, kExitUsage, "inbox: unexpected \"-h\""},
        Row{"ports", {"--port", "3"}, kExitUsage, "ports: --port does not apply: every port is asked"},
        Row{"ports",
            {"--port", "3", "--bogus"},
            kExitUsage,
            "ports: --port does not apply: every port is asked"},
        Row{"ports", {"--bogus", "--port", "3"}, kExitUsage, "ports: unknown option \"--bogus\""},
        Row{"ports", {"--port", "97"}, kExitUsage, "ports: --port must be a number from 1 to 96"},
        Row{"ports", {kNoPort, "--baud", "9600"}, kExitUsage, "ports: unknown option \"--baud\""},
        Row{"ports", {"--", kNoPort}, kExitUsage, "ports: unknown option \"--\""},
        Row{"ports", {"--baud"}, kExitUsage, "ports: --baud needs a value"},
        Row{"ports",
            {"--fast", "--pin=1", "--baud=9600", kNoPort},
            kExitUnreachable,
            "",
            "-  " + kNoPort + "  No such file or directory\n"},
        Row{"ports", {"-h"}, kExitOk, "", kHelp}),
    [](const auto& info) {
        std::string words = info.param.command;
        for (const auto& w : info.param.words)
            words += " " + w;
        return velmora::testing::CaseName(info.index, words);
    });

// The target as "any=/dev/a COM3=/dev/b port=3 baud=9600 fast pin=1234 store=PATH".
std::string Shown(const PhoneTarget& t) {
    std::string out;
    const auto add = [&](const std::string& part) { out += (out.empty() ? "" : " ") + part; };
    if (t.devices.anyPort)
        add("any=" + *t.devices.anyPort);
    for (const auto& [n, path] : t.devices.ports)
        add("COM" + std::to_string(n) + "=" + path);
    if (t.port)
        add("port=" + std::to_string(*t.port));
    if (t.baud)
        add("baud=" + std::to_string(*t.baud));
    if (t.fast)
        add("fast");
    if (t.pin)
        add("pin=" + *t.pin);
    if (t.store)
        add("store=" + *t.store);
    return out;
}

// What the link options set, read as every phone command reads them, and
// --store where a command takes it.
TEST(LinkOptions, SetTheTargetFromEitherFormInTheOrderTyped) {
    const struct {
        std::vector<std::string> words;
        bool store;
        std::string target; // or the failure
    } rows[] = {
        {{"--device", "/dev/a", "--device=COM3=/dev/b", "--port", "3", "--baud=9600", "--fast", "--pin",
          "1234", "--store", "/tmp/m.sqlite"},
         true,
         "any=/dev/a COM3=/dev/b port=3 baud=9600 fast pin=1234 store=/tmp/m.sqlite"},
        {{"--store=/tmp/m.sqlite"}, true, "store=/tmp/m.sqlite"},
        {{"--store", "-m", "--store", "--fast"}, true, "store=--fast"},
        {{"--port=2", "--port", "96", "--pin=", "--device=COM2=/dev/c", "--device", "COM2=/dev/d"},
         false,
         "COM2=/dev/d port=96 pin="},
        {{"--store"}, true, "send: --store needs a value"},
        {{"--store="}, true, "send: --store needs a value"},
        {{"--port=0"}, false, "send: --port must be a number from 1 to 96"},
        {{"--port", "3x"}, false, "send: --port must be a number from 1 to 96"},
        {{"--baud=-1"}, false, "send: --baud must be a line speed in bit/s"},
        {{"--device", "COM0=/dev/a"}, false, "send: --device \"COM0\" is not a port COM1 to COM96"},
        {{"--pin"}, false, "send: --pin needs a value"},
        {{"--store=x"}, false, "not a link option"},
    };
    for (const auto& r : rows) {
        const CommandLine line(
            r.words, PhoneOptions(r.store ? std::vector{kStore} : std::vector<KnownOption>{}), kPhoneWords);
        PhoneTarget target;
        std::optional<Failure> failure;
        for (const GivenWord& given : line.given()) {
            if (!TakeLinkOption(given, target, "send", failure))
                failure = Failure{kExitUsage, "not a link option"};
            if (failure)
                break;
        }
        EXPECT_EQ(failure ? failure->message : Shown(target), r.target) << ::testing::PrintToString(r.words);
    }
}

// Sending to many, the kind's words come without a number: a count of them
// that is off says so, any other refusal of the kind is said as it stands.
TEST(CliSendToMany, ACountOffSaysTheKindTakesNoNumber) {
    const struct {
        std::vector<std::string> words;
        std::string err;
    } rows[] = {
        {{"--to", kNumber, "text", "Halo", "lagi"},
         "pdu text: expected 2 arguments, got 3 (with --to or --to-file the kind takes no number)"},
        {{"--to", kNumber, "void", kNumber},
         "pdu void: expected 1 argument, got 2 (with --to or --to-file the kind takes no number)"},
        {{"--to", kNumber, "bogus"}, "pdu: unknown kind \"bogus\""},
        {{"--to", kNumber, "text", "--flash", "--long", "Halo"},
         "pdu text: a flash message is one UCS2 message; --flash takes neither --long nor --unicode"},
        {{"--to", kNumber, "logo", "--mcc", "510", "00"}, "pdu logo: --mcc and --nc are required"},
    };
    for (const auto& r : rows) {
        const Outcome o = Invoke(RunSend, r.words);
        EXPECT_EQ(o.code, kExitUsage) << ::testing::PrintToString(r.words);
        EXPECT_EQ(o.err, "velmora-cli: " + r.err + "\n") << ::testing::PrintToString(r.words);
        EXPECT_EQ(o.out, "");
    }
}

} // namespace
} // namespace velmora::cli
