#include "Replies.h"
#include "ComDevices.h"
#include "SerialLink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velmora {
namespace {

TEST(FirstReplyLine, KeepsTheFirstLineWithoutItsLeadingLineBreak) {
    const std::pair<std::string, std::string> cases[] = {
        {"\r\nVELMORA\r\n\r\nOK\r\n", "VELMORA"},
        {"\r\nERROR\r\n", "ERROR"},
        {"\r\n", ""},
        {"", ""},
        {"Nokia\r\nOK\r\n", "Nokia"},                           // no leading break: nothing dropped
        {"\r\n\r\nLate\r\n", ""},                               // only one leading pair is dropped
        {"\r\n+CSCA: \"+62815\",145", "+CSCA: \"+62815\",145"}, // no closing break
        {"at+cgmi\r\r\nSIEMENS\r\n", "at+cgmi\r"},              // an echo is the first line
    };
    for (const auto& [reply, line] : cases)
        EXPECT_EQ(FirstReplyLine(reply), line) << reply;
}

TEST(PhoneRefusal, GivesThePhonesReasonWithTheMeaningOfItsCode) {
    const std::pair<std::string, std::string> cases[] = {
        {"\r\n+CMS ERROR: 500\r\n", "+CMS ERROR: 500 (unknown error)"},
        {"\r\n+CMS ERROR: 38\r\n", "+CMS ERROR: 38 (network out of order)"},
        {"\r\n+CMS ERROR: 330\r\n", "+CMS ERROR: 330 (SMSC address unknown)"},
        {"\r\n+CMS ERROR: 208\r\n", "+CMS ERROR: 208 (SIM message storage full)"}, // TP-FCS range
        {"\r\n+CME ERROR: 10\r\n", "+CME ERROR: 10 (SIM not inserted)"},
        {"\r\n+CME ERROR: 0\r\n", "+CME ERROR: 0 (phone failure)"},
        {"\r\n+CME ERROR: 32\r\n", "+CME ERROR: 32 (network not allowed - emergency calls only)"},
        // the same number means different things to +CME and +CMS
        {"\r\n+CME ERROR: 30\r\n", "+CME ERROR: 30 (no network service)"},
        {"\r\n+CMS ERROR: 30\r\n", "+CMS ERROR: 30 (unknown subscriber)"},
        // a worded reason stands as the phone sent it
        {"\r\n+CME ERROR: SIM PIN required\r\n", "+CME ERROR: SIM PIN required"},
        {"\r\n+CMS ERROR: 611\r\n", "+CMS ERROR: 611"},                // a code with no meaning known here
        {"\r\n+CMS ERROR:500\r\n", "+CMS ERROR: 500 (unknown error)"}, // no blank after the colon
        {"\r\n+CMS ERROR: 5000\r\n", "+CMS ERROR: 5000"},
        {"\r\n+CMS ERROR: \r\n", "+CMS ERROR:"},
        {"+CMS ERROR: 301", "+CMS ERROR: 301 (SMS service of ME reserved)"}, // no line end yet
        // the first of several, after an echo or a prompt
        {"at+cmgs=22\r\r\n> \r\n+CMS ERROR: 304\r\n+CME ERROR: 3\r\n",
         "+CMS ERROR: 304 (invalid PDU mode parameter)"},
        {"\r\n+CME ERROR: 3\r\n+CMS ERROR: 304\r\n", "+CME ERROR: 3 (operation not allowed)"},
        {"\r\nERROR\r\n", ""},
        {"\r\nOK\r\n", ""},
        {"+CMS ERR", ""},
        {"", ""},
    };
    for (const auto& [reply, text] : cases)
        EXPECT_EQ(PhoneRefusal(reply), text) << reply;
}

// The classic dialogue's hint to enter the PIN hangs on this, so it reads
// the phone's code, never our name for it (which may be in Indonesian).
TEST(PhoneRefusal, AsksForTheSimPinByCodeOrByThePhonesWords) {
    const std::pair<std::string, bool> cases[] = {
        {"\r\n+CME ERROR: 11\r\n", true},
        {"\r\n+CMS ERROR: 311\r\n", true},
        {"\r\n+CME ERROR: SIM PIN required\r\n", true},
        {"at+cmgs=22\r\r\n+CMS ERROR:311\r\n", true},
        {"\r\n+CME ERROR: 5\r\n", false},  // PH-SIM PIN: the phone's lock, not the SIM's
        {"\r\n+CMS ERROR: 11\r\n", false}, // 11 is the PIN to +CME only
        {"\r\n+CME ERROR: 311\r\n", false},
        {"\r\n+CME ERROR: 110\r\n", false},
        {"\r\n+CME ERROR: SIM PIN2 required\r\n", false},
        {"\r\nERROR\r\n", false},
        {"", false},
    };
    for (const auto& [reply, asks] : cases)
        EXPECT_EQ(AsksForSimPin(reply), asks) << reply;
}

struct CsqCase {
    std::string reply;
    bool found;
    std::string rssi, ber;
    int bars, berBar;
};

TEST(SignalQuality, CutsTheAnswerAsThePollReadsIt) {
    const CsqCase cases[] = {
        {"\r\n+CSQ: 17,99\r\n\r\nOK\r\n", true, "17", "99", 3, 0},
        {"\r\n+CSQ: 31,0\r\n\r\nOK\r\n", true, "31", "0\r", 4, 1},
        {"\r\n+CSQ: 0,7\r\n", true, "0", "7\r", 1, 1},
        {"\r\n+CSQ: 1,8\r\n", true, "1", "8\r", 2, 0},
        {"\r\n+CSQ: 99,99\r\n", true, "99", "99", 0, 0},
        {"\r\n+CSQ: 32,5\r\n", true, "32", "5\r", 0, 1},
        {"\r\n+CSQ:17,99\r\n", true, "7", "99", 3, 0}, // no blank: the first digit is lost
        {"\r\n+CSQ: 17", true, "", "", 1, 1},          // no comma: nothing to cut; an empty text reads as 0
        {"\r\nERROR\r\n", false, "", "", 0, 0},
        {"", false, "", "", 0, 0},
        {"a,b\r\n+CSQ: 17,99", true, "", "b\r", 1, 1}, // the first comma of the whole reply counts
    };
    for (const auto& c : cases) {
        const SignalTexts t = CutSignalQuality(c.reply);
        EXPECT_EQ(t.found, c.found) << c.reply;
        EXPECT_EQ(t.rssi, c.rssi) << c.reply;
        EXPECT_EQ(t.ber, c.ber) << c.reply;
        if (c.found) {
            EXPECT_EQ(SignalClass(LeadingNumber(t.rssi)), c.bars) << c.reply;
            EXPECT_EQ(BerClass(LeadingNumber(t.ber)), c.berBar) << c.reply;
        }
    }
}

TEST(SignalQuality, LeadingNumberSkipsBlanksAndStopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(LeadingNumber("  17x"), 17);
    EXPECT_EQ(LeadingNumber("x17"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("7\r"), 7);
    EXPECT_EQ(SignalClass(LeadingNumber("99999999999999999999")), 0); // no overflow into range
}

struct PhonebookCase {
    std::string reply;
    PhonebookEntry entry;
};

TEST(ParsePhonebookReply, ReadsTheFirstEntryAsTheAtSyntaxQuotesIt) {
    const PhonebookCase cases[] = {
        {"\r\n+CPBR: 1,\"+628569999999\",145,\"Budi\"\r\n\r\nOK\r\n",
         {true, "1", "+628569999999", "145", "Budi"}},
        // A comma inside the quoted name belongs to the name.
        {"\r\n+CPBR: 2,\"0812345678\",129,\"Sari, office\"\r\n\r\nOK\r\n",
         {true, "2", "0812345678", "129", "Sari, office"}},
        {"+CPBR: 3,\"123\",129,\"Ann\",0\r\n", {true, "3", "123", "129", "Ann"}},
        {"+CPBR: 4,\"5\",129,\"Eve\"", {true, "4", "5", "129", "Eve"}},
        {"+CPBR: 5", {true, "5", "", "", ""}}, // the marker alone is found
        {"\r\n+CME ERROR: 22\r\n", {}},
        {"+CPBR:1,\"1\",129,\"x\"", {}}, // the marker needs its blank
        {"", {}},
        // Only the first entry, and its name ends at its line end.
        {"+CPBR: 6,\"1\",129,\"One\r\n+CPBR: 7,\"2\",129,\"Two\"\r\n", {true, "6", "1", "129", "One"}},
    };
    for (const auto& c : cases) {
        const PhonebookEntry e = ParsePhonebookReply(c.reply);
        EXPECT_EQ(e.found, c.entry.found) << c.reply;
        EXPECT_EQ(e.index, c.entry.index) << c.reply;
        EXPECT_EQ(e.number, c.entry.number) << c.reply;
        EXPECT_EQ(e.type, c.entry.type) << c.reply;
        EXPECT_EQ(e.name, c.entry.name) << c.reply;
    }
}

struct NamedPhonebookCase {
    const char* phone;
    std::string reply;
    PhonebookEntry entry;
};

// Entries as phones write them, beside TS 27.007 8.12: the number is the
// quoted field before the type (128..255), the name the field after it.
TEST(ParsePhonebookReply, ReadsTheFieldsByTheirKinds) {
    const NamedPhonebookCase cases[] = {
        {"reported: an empty field before the number, a date after the name",
         "\r\n+CPBR: 1,,\"+31234657899\",145,\"Mama GSM\",\"2007/11/02,09:27\"\r\n\r\nOK\r\n",
         {true, "1", "+31234657899", "145", "Mama GSM"}},
        {"reported: the number written twice",
         "\r\n+CPBR: 2,\"0812345678\",\"0812345678\",129,\"Sari\"\r\n",
         {true, "2", "0812345678", "129", "Sari"}},
        {"reported: an empty field, and a comma in the quoted name",
         "+CPBR: 8,,\"+6281\",145,\"Sari, office\"\r\n",
         {true, "8", "+6281", "145", "Sari, office"}},
        {"reported: an empty field, the type last",
         "+CPBR: 9,,\"+6281\",145\r\n",
         {true, "9", "+6281", "145", ""}},
        {"3GPP 27.007 8.12: hidden, group, second number and text, e-mail after the name",
         "\r\n+CPBR: 3,\"+31201234567\",145,\"Mama\",0,\"Family\",\"+31612345678\",145,\"Mum\","
         "\"mama@example.org\"\r\n\r\nOK\r\n",
         {true, "3", "+31201234567", "145", "Mama"}},
        {"SIMCom SIM900",
         "\r\n+CPBR: 1,\"13800138000\",129,\"Test\"\r\n\r\nOK\r\n",
         {true, "1", "13800138000", "129", "Test"}},
        {"Siemens MC35i: an empty name",
         "\r\n+CPBR: 4,\"+4917012345\",145,\"\"\r\n\r\nOK\r\n",
         {true, "4", "+4917012345", "145", ""}},
        {"Nokia 6230i: a national number",
         "\r\n+CPBR: 12,\"0812345678\",129,\"Budi\"\r\n\r\nOK\r\n",
         {true, "12", "0812345678", "129", "Budi"}},
        {"a type left empty stays where it is",
         "+CPBR: 5,\"123\",,\"Ann\"\r\n",
         {true, "5", "123", "", "Ann"}},
        {"reported: an empty field, type 128",
         "+CPBR: 6,,\"6281\",128,\"X\"\r\n",
         {true, "6", "6281", "128", "X"}},
        {"reported: an empty field, type 255",
         "+CPBR: 6,,\"6281\",255,\"Y\"\r\n",
         {true, "6", "6281", "255", "Y"}},
        {"a name holding a bare line feed is one field",
         "\r\n+CPBR: 7,\"0812\",129,\"Budi\nKantor\"\r\n\r\nOK\r\n",
         {true, "7", "0812", "129", "Budi\nKantor"}},
    };
    for (const auto& c : cases) {
        const PhonebookEntry e = ParsePhonebookReply(c.reply);
        EXPECT_EQ(e.found, c.entry.found) << c.phone;
        EXPECT_EQ(e.index, c.entry.index) << c.phone;
        EXPECT_EQ(e.number, c.entry.number) << c.phone;
        EXPECT_EQ(e.type, c.entry.type) << c.phone;
        EXPECT_EQ(e.name, c.entry.name) << c.phone;
    }
}

TEST(ParseOperatorLine, ReadsCodeAndQuotedName) {
    EXPECT_EQ(ParseOperatorLine("+COPN: \"51001\",\"INDOSAT\"").item(), "51001  INDOSAT");
    EXPECT_EQ(ParseOperatorLine("+COPN: \"51011\",\"XL, Axiata\"").name, "XL, Axiata");
    EXPECT_EQ(ParseOperatorLine("+COPN: \"510010\",\"Six digits\"").code, "510010");
    const OperatorEntry bare = ParseOperatorLine("+COPN: ");
    EXPECT_TRUE(bare.found);
    EXPECT_EQ(bare.item(), "  ");
    EXPECT_FALSE(ParseOperatorLine("OK").found);
    EXPECT_FALSE(ParseOperatorLine("+COPN:\"1\",\"x\"").found);
}

TEST(ParseOperatorReply, TakesEveryCompleteLineInOrder) {
    const auto list =
        ParseOperatorReply("\r\n+COPN: \"51001\",\"INDOSAT\"\r\n  +COPN: \"51010\",\"TSEL\"  \r\n"
                           "+COPN: \"51001\",\"INDOSAT\"\r\n\r\nOK\r\n+COPN: \"1\",\"cut\"");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].item(), "51001  INDOSAT");
    EXPECT_EQ(list[1].item(), "51010  TSEL");
    EXPECT_EQ(list[2].item(), "51001  INDOSAT");                             // duplicates kept
    EXPECT_TRUE(ParseOperatorReply("+COPN: \"51001\",\"INDOSAT\"").empty()); // no line end: not used
}

TEST(PortName, NormalisesToComOneToNinetySix) {
    const std::pair<std::string, std::string> cases[] = {
        {"3", "COM3"},  {"com3", "COM3"}, {"COM3", "COM3"}, {"12", "COM12"},  {"96", "COM96"},
        {"0", "COM1"},  {"COMX", "COM1"}, {"97", "COM1"},   {"COM0", "COM1"}, {"100", "COM1"},
        {"-4", "COM1"}, {"", "COM1"},     {"cOm7", "COM7"}, {"7x", "COM1"},
    };
    for (const auto& [text, name] : cases) {
        EXPECT_EQ(PortName(text), name) << text;
        EXPECT_EQ(PortNameNumber(PortName(text)), std::stoi(name.substr(3))) << text;
    }
}

TEST(ComDevices, NthPresentDeviceCountsFamiliesInNaturalOrder) {
    const std::vector<std::string> dev = {"ttyUSB10", "tty0",    "rfcomm0", "ttyUSB2", "ttyACM1",
                                          "ttyS0",    "ttyACM0", "ttyUSBx", "null"};
    EXPECT_EQ(NthPresentDevice(dev, 1), "ttyACM0");
    EXPECT_EQ(NthPresentDevice(dev, 2), "ttyACM1");
    EXPECT_EQ(NthPresentDevice(dev, 3), "ttyUSB2");
    EXPECT_EQ(NthPresentDevice(dev, 4), "ttyUSB10");
    EXPECT_EQ(NthPresentDevice(dev, 5), "rfcomm0");
    EXPECT_EQ(NthPresentDevice(dev, 6), "");
    EXPECT_EQ(NthPresentDevice(dev, 0), "");
}

TEST(ComDevices, OverrideThenSettingsThenPresentThenTtyS) {
    const auto dir = std::filesystem::temp_directory_path() / ("velmora-dev-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "ttyUSB0").put('x');
    const ComDeviceMap map({{2, "/dev/phone"}}, {{3, "/tmp/pty"}}, dir.string());
    EXPECT_EQ(map.DeviceFor(1), (dir / "ttyUSB0").string());
    EXPECT_EQ(map.DeviceFor(2), "/dev/phone");
    EXPECT_EQ(map.DeviceFor(3), "/tmp/pty");
    EXPECT_EQ(map.DeviceFor(4), (dir / "ttyS3").string());
    const ComDeviceMap any({{2, "/dev/phone"}}, DeviceOptions{"/tmp/any", {{3, "/tmp/pty"}}}, dir.string());
    for (int n : {1, 2, 3, 4, 96})
        EXPECT_EQ(any.DeviceFor(n), "/tmp/any") << n;
    std::filesystem::remove_all(dir);
}

TEST(ComDevices, ParsesDeviceOverrides) {
    std::map<int, std::string> o;
    EXPECT_EQ(ParseDeviceOverride("COM2=/dev/pts/4", o), "");
    EXPECT_EQ(ParseDeviceOverride("com12=/dev/ttyUSB0", o), "");
    EXPECT_EQ(ParseDeviceOverride("5=/dev/x", o), "");
    EXPECT_EQ(o, (std::map<int, std::string>{{2, "/dev/pts/4"}, {5, "/dev/x"}, {12, "/dev/ttyUSB0"}}));
    EXPECT_NE(ParseDeviceOverride("/dev/pts/4", o), "");
    EXPECT_NE(ParseDeviceOverride("COM2=", o), "");
    EXPECT_NE(ParseDeviceOverride("COM97=/dev/x", o), "");
    EXPECT_NE(ParseDeviceOverride("COMX=/dev/x", o), "");
}

TEST(ComDevices, ParsesDeviceOptions) {
    DeviceOptions o;
    const std::pair<std::string, bool> cases[] = {
        {"/dev/pts/4", true}, // any port
        {"COM2=/dev/ttyUSB0", true},
        {"com12=/dev/rfcomm0", true},
        {"COM97=/dev/x", false},
        {"COM2=", false},
        {"", false},
    };
    for (const auto& [value, ok] : cases)
        EXPECT_EQ(ParseDeviceOption(value, o).empty(), ok) << value;
    EXPECT_EQ(o.anyPort, "/dev/pts/4");
    EXPECT_EQ(o.ports, (std::map<int, std::string>{{2, "/dev/ttyUSB0"}, {12, "/dev/rfcomm0"}}));
}

TEST(ComDevices, DescribesWhatWasTried) {
    EXPECT_EQ(TriedDevice("/dev/ttyS0", 19200), "/dev/ttyS0 at 19200 bit/s");
    const std::string hint = " (serial devices are for members of the dialout group: sudo adduser $USER "
                             "dialout, then log in again)";
    const struct {
        EComPort failure;
        std::string text;
    } rows[] = {
        {EComPort(kErrOpen, EACCES), "/dev/ttyACM0: Permission denied" + hint},
        {EComPort(kErrOpen, EPERM), "/dev/ttyACM0: Operation not permitted" + hint},
        {EComPort(kErrOpen, ENOENT), "/dev/ttyACM0: No such file or directory"},
        {EComPort(kErrOpen, EBUSY), "/dev/ttyACM0: Device or resource busy (another program is using it)"},
        {EComPort(kErrOpen), "/dev/ttyACM0: Unable to open com port"},
        {EComPort(kErrLineSettings, EINVAL),
         "/dev/ttyACM0 at 9600 bit/s: SetCommState function failed (Invalid argument)"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(DescribeOpenFailure("/dev/ttyACM0", 9600, r.failure), r.text);
}

} // namespace
} // namespace velmora
