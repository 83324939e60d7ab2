// Who a modem is: its IMEI as modems answer AT+CGSN, read at connect in the
// fast dialogue, and the lasting names it can be found by again.

#include "ModemIdentity.h"
#include "SessionFixture.h"
#include "TestNames.h"

#include "SimPhone.h"

#include <filesystem>
#include <fstream>

namespace velmora::testing {
namespace {

struct ImeiCase {
    const char* name;
    std::string answer; // to AT+CGSN, as the modem sends it
    std::string imei;   // "" for none
};

const ImeiCase kImeiCases[] = {
    {"Huawei E3131: bare digits", "\r\n354812345678908\r\n\r\nOK\r\n", "354812345678908"},
    {"Quectel EC25: +CGSN: prefix", "\r\n+CGSN: 862012034567893\r\n\r\nOK\r\n", "862012034567893"},
    {"SIMCom SIM7600: quoted after the prefix", "\r\n+CGSN: \"869012345678905\"\r\n\r\nOK\r\n",
     "869012345678905"},
    {"SIMCom SIM800: quoted", "\r\n\"861234567890128\"\r\n\r\nOK\r\n", "861234567890128"},
    {"Telit LE910: the number with no final OK", "\r\n352099001761481\r\n", "352099001761481"},
    {"Sierra Wireless MC7304: an IMEISV of 16 digits", "\r\n3520990017614823\r\n\r\nOK\r\n",
     "3520990017614823"},
    {"ZTE MF190: an unsolicited line in front",
     "\r\n^BOOT:12345,0,0,0,6\r\n\r\n354812345678908\r\n\r\nOK\r\n", "354812345678908"},
    {"Wavecom Fastrack: ERROR, a modem without one", "\r\nERROR\r\n", ""},
    {"Nokia 6310i: +CME ERROR", "\r\n+CME ERROR: 4\r\n", ""},
    {"a serial number that is no IMEI", "\r\n+CGSN: A1B2C3\r\n\r\nOK\r\n", ""},
    {"too few digits", "\r\n1234567890123\r\n\r\nOK\r\n", ""},
    {"too many digits", "\r\n123456789012345678\r\n\r\nOK\r\n", ""},
    {"an endless line", "\r\n" + std::string(200, '1') + "\r\n\r\nOK\r\n", ""},
};

class ImeiTest : public SessionTest, public ::testing::WithParamInterface<ImeiCase> {
protected:
    ImeiTest() {
        session.SetDialogue(Dialogue::Fast);
        port.On("AT\r", Now("\r\nOK\r\n"));
        port.On("AT+CPIN?\r", Now("\r\n+CPIN: READY\r\n\r\nOK\r\n"));
        port.On("AT+COPS?\r", Now("\r\n+COPS: 0\r\n\r\nOK\r\n"));
    }
};

TEST_P(ImeiTest, isReadAtConnect) {
    const ImeiCase& c = GetParam();
    port.On("AT+CGSN\r", Now(c.answer));
    ASSERT_TRUE(session.Connect(1, 19200));
    EXPECT_EQ(session.Identity().IMEI, c.imei);
    // A number with no OK after it ends the answer shortly, not at the deadline.
    EXPECT_LT(clock.NowMs(), 100 + PhoneSession::kFast.lineOnlyMs + 100);
}

// The same answers a byte at a time, as a slow line gives them.
TEST_P(ImeiTest, isReadFromAnAnswerInPieces) {
    const ImeiCase& c = GetParam();
    ScriptedPort::Answer pieces;
    for (char b : c.answer)
        pieces.push_back({1, std::string(1, b)});
    port.On("AT+CGSN\r", pieces);
    ASSERT_TRUE(session.Connect(1, 19200));
    EXPECT_EQ(session.Identity().IMEI, c.imei);
}

INSTANTIATE_TEST_SUITE_P(Modems, ImeiTest, ::testing::ValuesIn(kImeiCases),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

// The network a modem is registered on, as modems answer AT+COPS?.
struct OperatorCase {
    const char* name;
    std::vector<std::string> lines; // the answer's information lines
    std::string name_;
};

const OperatorCase kOperatorCases[] = {
    {"Huawei E3131: long name", {"+COPS: 0,0,\"TELKOMSEL\",2"}, "TELKOMSEL"},
    {"Quectel EC25: LTE, access technology 7", {"+COPS: 0,0,\"IND XL\",7"}, "IND XL"},
    {"SIMCom SIM800: numeric format", {"+COPS: 0,2,\"51010\""}, "51010"},
    {"Telit GL865: registered nowhere", {"+COPS: 0"}, ""},
    {"ZTE MF190: an unsolicited line in front", {"^RSSI:19", "+COPS: 1,0,\"INDOSAT\",0"}, "INDOSAT"},
    {"a name whose quote never closes", {"+COPS: 0,0,\"3 ID"}, "3 ID"},
    {"control characters and a name too long",
     {"+COPS: 0,0,\"A\x01"
      "B" +
      std::string(100, 'C') + "\""},
     "AB" + std::string(62, 'C')},
};

class OperatorTest : public ::testing::TestWithParam<OperatorCase> {};

TEST_P(OperatorTest, isReadFromTheAnswer) {
    EXPECT_EQ(OperatorFromLines(GetParam().lines), GetParam().name_);
}

INSTANTIATE_TEST_SUITE_P(Modems, OperatorTest, ::testing::ValuesIn(kOperatorCases),
                         [](const auto& info) { return CaseName(info.index, info.param.name); });

// The network read at connect, from answers as modems send them.
struct NetworkCase {
    const char* name;
    std::string answer; // to AT+COPS?
    std::string network;
};

class NetworkTest : public ImeiTest {};

TEST_F(NetworkTest, isReadAtConnectFromEachShapeOfAnswer) {
    const NetworkCase cases[] = {
        {"Huawei E3131: the name and OK", "\r\n+COPS: 0,0,\"TELKOMSEL\",2\r\n\r\nOK\r\n", "TELKOMSEL"},
        {"Telit LE910: the line with no final OK", "\r\n+COPS: 0,0,\"IND XL\",7\r\n", "IND XL"},
        {"Quectel EC25: +CREG inside the answer", "\r\n+CREG: 1\r\n+COPS: 0,0,\"INDOSAT\"\r\n\r\nOK\r\n",
         "INDOSAT"},
        {"Wavecom Fastrack: ERROR", "\r\nERROR\r\n", ""},
    };
    for (const NetworkCase& c : cases) {
        port.On("AT+CGSN\r", Now("\r\n354812345678908\r\n\r\nOK\r\n"));
        port.On("AT+COPS?\r", Now(c.answer));
        ASSERT_TRUE(session.Connect(1, 19200)) << c.name;
        EXPECT_EQ(session.Identity().Operator, c.network) << c.name;
        session.Disconnect();
    }
}

TEST(ImeiClassicTest, theClassicDialogueDoesNotAsk) {
    FakeClock clock;
    ScriptedPort port(clock);
    RecordingEvents events;
    PhoneSession session(port, clock, events);
    port.OnAnyOther(Now("\r\nOK\r\n"));
    ASSERT_TRUE(session.Connect(1, 19200));
    EXPECT_EQ(session.Identity().IMEI, "");
    for (const std::string& w : port.written())
        EXPECT_NE(w, "AT+CGSN\r");
}

// A folder laid out as udev lays out /dev/serial/by-id, its links leading
// to stand-ins for the devices.
class ByIdTest : public ::testing::Test {
protected:
    ByIdTest() : dir(TempDir("by-id")) {
        std::filesystem::create_directories(dir + "/dev");
        std::filesystem::create_directories(dir + "/by-id");
        for (const char* name : {"ttyUSB0", "ttyUSB1", "ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS0", "tty0"})
            std::ofstream(dir + "/dev/" + name) << "";
        std::filesystem::create_symlink("../dev/ttyUSB2",
                                        dir + "/by-id/usb-HUAWEI_E3131_0123456789AB-if00-port0");
        std::filesystem::create_symlink("../dev/ttyACM0", dir + "/by-id/usb-Quectel_EC25_abcdef-if02-port0");
        std::filesystem::create_symlink("../dev/ttyUSB9", dir + "/by-id/usb-ZTE_MF190_gone-if00-port0");
    }
    ~ByIdTest() override { std::filesystem::remove_all(dir); }
    std::string dir;
};

TEST_F(ByIdTest, theLinkThatLeadsToTheDeviceIsFound) {
    const std::string byId = dir + "/by-id";
    EXPECT_EQ(ByIdLinkFor(dir + "/dev/ttyUSB2", byId), byId + "/usb-HUAWEI_E3131_0123456789AB-if00-port0");
    // However the device's path is written.
    EXPECT_EQ(ByIdLinkFor(dir + "/dev/../dev/ttyACM0", byId), byId + "/usb-Quectel_EC25_abcdef-if02-port0");
    EXPECT_EQ(ByIdLinkFor(dir + "/dev/ttyUSB0", byId), "");
    EXPECT_EQ(ByIdLinkFor(dir + "/dev/ttyUSB9", byId), "");
    EXPECT_EQ(ByIdLinkFor("", byId), "");
    EXPECT_EQ(ByIdLinkFor(dir + "/dev/ttyUSB2", dir + "/none"), "");
}

TEST_F(ByIdTest, candidatesAreTheModemFamiliesThenTheFoldersEntries) {
    const std::string d = dir + "/dev/";
    const std::string b = dir + "/by-id/";
    EXPECT_EQ(ModemCandidates(dir + "/dev", {dir + "/by-id"}),
              (std::vector<std::string>{d + "ttyACM0", d + "ttyUSB0", d + "ttyUSB1", d + "ttyUSB2",
                                        d + "ttyUSB10", b + "usb-HUAWEI_E3131_0123456789AB-if00-port0",
                                        b + "usb-Quectel_EC25_abcdef-if02-port0",
                                        b + "usb-ZTE_MF190_gone-if00-port0"}));
    EXPECT_EQ(ModemCandidates(dir + "/none", {}), std::vector<std::string>{});
}

} // namespace
} // namespace velmora::testing
