// velmora-cli ussd against the simulated phone, on a scaled clock: a text
// modem, a stick that wants packed requests (found out once, then asked
// packed at once), a menu and its reply, codes the network refuses or never
// answers, and the exit status of each.

#include "MessageStore.h"
#include "PhoneCommands.h"
#include "SimPhone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmora::cli {
namespace {

using velmora::testing::ReadLines;
using velmora::testing::SimPhone;
using velmora::testing::TempDir;

struct Ran {
    int code;
    std::string out, err;
};

// The dialogue at a tenth of real time; the phone's answers come at its own.
Ran Ussd(std::vector<std::string> words, bool terminal = false) {
    std::ostringstream out, err;
    RealClock clock(0.1);
    const int code = RunUssd(std::move(words), Io{out, err, terminal, terminal, &clock});
    return {code, out.str(), err.str()};
}

std::string Home() { return std::getenv("VELMORA_DIR"); }

std::string SettingsText() {
    std::ifstream in(Home() + "/velmora.Ini", std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string Request(const std::string& str) { return "AT+CUSD=1,\"" + str + "\",15"; }
const std::string kBalance = "Sisa pulsa Anda Rp 12.500, aktif s/d 31-12-2026. Info: *123*1#";

struct CliCase {
    const char* name;
    std::vector<std::string> phone; // beside the model, which keys the settings
    std::vector<std::string> words; // after the link options
    int code;
    std::string out, err;
    std::vector<std::string> requests; // what the phone was asked, in order
    std::string remembered;            // the settings' line for this modem, "" for none
};

class CliUssd : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliUssd, SaysWhatTheNetworkAnswered) {
    const CliCase& c = GetParam();
    const std::string dir = TempDir(std::string("cli-ussd-") + c.name);
    std::vector<std::string> phone = c.phone;
    phone.insert(phone.end(), {"--model", c.name, "--ussd-delay", "50", "--ussd-record", dir + "/ussd.txt"});
    SimPhone sim(phone);
    std::vector<std::string> words{"--fast", "--device", sim.device()};
    words.insert(words.end(), c.words.begin(), c.words.end());
    const Ran r = Ussd(words);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(ReadLines(dir + "/ussd.txt"), c.requests);
    const std::string key = std::string("VELMORA ") + c.name + "=";
    const auto at = SettingsText().find(key);
    EXPECT_EQ(at == std::string::npos ? "" : SettingsText().substr(at, SettingsText().find('\n', at) - at),
              c.remembered.empty() ? "" : key + c.remembered);
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(
    Phones, CliUssd,
    ::testing::Values(
        CliCase{"text_modem", {}, {"*123#"}, kExitOk, kBalance + "\n", "", {Request("*123#")}, "text"},
        CliCase{"packed_stick",
                {"--ussd-packed"},
                {"*123#"},
                kExitOk,
                kBalance + "\n",
                "",
                {Request("*123#"), Request("AA986C3602")},
                "packed"},
        CliCase{"text_modem_in_ucs2",
                {"--ussd-ucs2"},
                {"*888#", "2"},
                kExitOk,
                "1. Paket data\n2. Pulsa\nSisa pulsa Anda Rp 12.500\n",
                "",
                {Request("*888#"), Request("2")},
                "text"},
        // The network's "not supported" is its answer, even where a stick
        // garbled the text: asked once (UssdEncoding=packed sets such a stick).
        CliCase{"garbling_stick",
                {"--ussd-packed", "--ussd-garbles", "--ussd-ucs2"},
                {"*888#"},
                kExitRefused,
                "The network does not support this code.\n",
                "",
                {Request("*888#")},
                ""},
        CliCase{"menu_and_reply",
                {},
                {"*888#", "1"},
                kExitOk,
                "1. Paket data\n2. Pulsa\nPaket data 2GB Rp 25.000 aktif 30 hari\n",
                "",
                {Request("*888#"), Request("1")},
                "text"},
        // Replies beyond the network's questions are named, not dropped unsaid.
        CliCase{"replies_left_over",
                {},
                {"*888#", "1", "2", "3"},
                kExitOk,
                "1. Paket data\n2. Pulsa\nPaket data 2GB Rp 25.000 aktif 30 hari\n",
                "velmora-cli: the session ended before these replies were asked for: \"2\", \"3\"\n",
                {Request("*888#"), Request("1")},
                "text"},
        // No reply given and no terminal to ask on: the network is told.
        CliCase{"menu_left",
                {},
                {"*888#"},
                kExitOk,
                "1. Paket data\n2. Pulsa\n",
                "",
                {Request("*888#"), "AT+CUSD=2"},
                "text"},
        CliCase{"not_supported",
                {},
                {"*999#"},
                kExitRefused,
                "The network does not support this code.\n",
                "",
                {Request("*999#")},
                ""},
        CliCase{"never_answered",
                {},
                {"--wait", "2", "*555#"},
                kExitRefused,
                "",
                "velmora-cli: No answer from the network within 2 s; the session was ended.\n",
                {Request("*555#"), "AT+CUSD=2"},
                ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliUssd, APackedStickIsAskedPackedOnceFoundOut) {
    const std::string dir = TempDir("cli-ussd-learnt");
    SimPhone sim({"--ussd-packed", "--model", "E1550", "--manufacturer", "huawei", "--ussd-delay", "50",
                  "--ussd-record", dir + "/ussd.txt"});
    for (int run = 0; run < 2; ++run) {
        const Ran r = Ussd({"--fast", "--device", sim.device(), "*123#"});
        EXPECT_EQ(r.code, kExitOk) << r.err;
        EXPECT_EQ(r.out, kBalance + "\n");
    }
    EXPECT_EQ(ReadLines(dir + "/ussd.txt"),
              (std::vector<std::string>{Request("*123#"), Request("AA986C3602"), Request("AA986C3602")}));
    EXPECT_NE(SettingsText().find("huawei E1550=packed"), std::string::npos) << SettingsText();
    std::filesystem::remove_all(dir);
}

// The user's setting is not second-guessed: a stick told to take text that
// refuses it is not asked packed, and nothing is learnt over the setting.
TEST(CliUssd, TheUsersEncodingIsKeptToAndARefusalSaid) {
    const std::string dir = TempDir("cli-ussd-forced");
    const std::string before = SettingsText();
    {
        std::ofstream(Home() + "/velmora.Ini", std::ios::binary)
            << "[Communication Port]\nUssdEncoding=text\n";
    }
    SimPhone sim({"--ussd-packed", "--model", "forced", "--ussd-record", dir + "/ussd.txt"});
    const Ran r = Ussd({"--fast", "--device", sim.device(), "*123#"});
    EXPECT_EQ(r.code, kExitRefused);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "velmora-cli: The phone refused the request: +CME ERROR: 100 (unknown)\n");
    EXPECT_EQ(ReadLines(dir + "/ussd.txt"), std::vector<std::string>{Request("*123#")});
    EXPECT_EQ(SettingsText(), "[Communication Port]\nUssdEncoding=text\n");
    std::ofstream(Home() + "/velmora.Ini", std::ios::binary) << before;
    std::filesystem::remove_all(dir);
}

// A terminal sees a menu's lines as lines, not as escaped line feeds.
TEST(CliUssd, ATerminalSeesAMenuLineByLine) {
    SimPhone sim({"--ussd-delay", "50", "--model", "terminal"});
    const Ran r = Ussd({"--fast", "--device", sim.device(), "*888#", "1"}, true);
    EXPECT_EQ(r.code, kExitOk) << r.err;
    EXPECT_EQ(r.out, "1. Paket data\n2. Pulsa\nPaket data 2GB Rp 25.000 aktif 30 hari\n");
}

TEST(CliUssd, EachSessionIsKeptForTheHistory) {
    const std::string dir = TempDir("cli-ussd-store");
    SimPhone sim({"--ussd-delay", "50", "--model", "store"});
    const std::string store = dir + "/messages.sqlite";
    ASSERT_EQ(Ussd({"--fast", "--device", sim.device(), "--store", store, "*888#", "1"}).code, kExitOk);
    ASSERT_EQ(Ussd({"--fast", "--device", sim.device(), "--store", store, "*999#"}).code, kExitRefused);
    auto opened = MessageStore::Open(QString::fromStdString(store));
    ASSERT_TRUE(opened) << opened.error();
    // Only the sessions: a new store also takes in the received log the
    // inbox tests before this one wrote beside the settings.
    std::vector<MessageRecord> kept;
    for (const MessageRecord& m : (*opened)->Messages(HistoryQuery{}))
        if (m.kind == "ussd")
            kept.push_back(m);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].number, "*888#");
    EXPECT_EQ(kept[1].text, "> *888#\n1. Paket data\n2. Pulsa\n> 1\nPaket data 2GB Rp 25.000 aktif 30 hari");
    EXPECT_EQ(kept[1].state, msg::State::Sent);
    EXPECT_EQ(kept[0].number, "*999#");
    EXPECT_EQ(kept[0].state, msg::State::Failed);
    EXPECT_EQ(kept[0].reasonCode, 4);
    std::filesystem::remove_all(dir);
}

TEST(CliUssd, RefusesWhatItCannotDoBeforeAsking) {
    const struct {
        std::vector<std::string> words;
        int code;
        std::string errStart;
    } cases[] = {
        {{"--fast", "--device", "/nonexistent/velmora-phone", "*123#"}, kExitUnreachable, "velmora-cli: "},
        {{"--device", "/nonexistent/velmora-phone", "*123#"},
         kExitUsage,
         "velmora-cli: USSD needs the fast dialogue"},
        {{"--fast"}, kExitUsage, "velmora-cli: ussd: the code is missing"},
        {{"--fast", "--wait", "0", "*123#"}, kExitUsage, "velmora-cli: ussd: --wait needs seconds"},
    };
    for (const auto& c : cases) {
        const Ran r = Ussd(c.words);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(r.err.substr(0, c.errStart.size()), c.errStart) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

} // namespace
} // namespace velmora::cli
