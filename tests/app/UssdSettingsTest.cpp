#include "UssdSettings.h"

#include "CoreTestUtil.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(UssdSettings, ModemKeysHoldNothingASettingsLineCannot) {
    const struct {
        const char* manufacturer;
        const char* model;
        std::string key;
    } cases[] = {
        {"huawei", "E1550", "huawei E1550"},
        {"  ZTE CORPORATION ", "MF190 ", "ZTE CORPORATION MF190"},
        {"Evil=1\r[Form]", "x;y", "Evil_1__Form_ x_y"},
        {"", "MC8775", "MC8775"},
        {"Sierra", "", "Sierra"},
        {"", "", ""},
        {"   ", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UssdModemKey(c.manufacturer, c.model), c.key) << c.manufacturer;
    EXPECT_EQ(UssdModemKey(std::string(200, 'M'), "X").size(), 80u);
}

TEST(UssdSettings, TheUsersSettingOutweighsWhatWasLearnt) {
    const struct {
        std::string file;
        UssdWire forced, learnt, wire;
        std::size_t problems;
    } cases[] = {
        {"", UssdWire::Unknown, UssdWire::Unknown, UssdWire::Unknown, 0},
        {"[USSD Encodings]\nhuawei E1550=packed\n", UssdWire::Unknown, UssdWire::Packed, UssdWire::Packed, 0},
        {"[ussd encodings]\nHUAWEI e1550 = Packed\n", UssdWire::Unknown, UssdWire::Packed, UssdWire::Packed,
         0},
        {"[Communication Port]\nUssdEncoding=text\n[USSD Encodings]\nhuawei E1550=packed\n", UssdWire::Text,
         UssdWire::Packed, UssdWire::Text, 0},
        {"[Communication Port]\nUssdEncoding=7bit\n", UssdWire::Unknown, UssdWire::Unknown, UssdWire::Unknown,
         1},
        {"[USSD Encodings]\nhuawei E1550=septets\n", UssdWire::Unknown, UssdWire::Unknown, UssdWire::Unknown,
         0},
        {"[USSD Encodings]\nZTE MF190=packed\n", UssdWire::Unknown, UssdWire::Unknown, UssdWire::Unknown, 0},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteText(dir / "velmora.Ini", c.file);
        std::vector<std::string> problems;
        const UssdSettings s = LoadUssdSettings(dir / "velmora.Ini", "huawei E1550", &problems);
        EXPECT_EQ(s.forced, c.forced) << c.file;
        EXPECT_EQ(s.learnt, c.learnt) << c.file;
        EXPECT_EQ(s.Wire(), c.wire) << c.file;
        EXPECT_EQ(problems.size(), c.problems) << c.file;
    }
}

TEST(UssdSettings, WhatIsLearntIsAddedKeepingEveryOtherLine) {
    TempDir dir;
    const std::string before = "; mine\r\n[Communication Port]\r\nPort=3\r\n\r\n[Form]\r\nZTop=5\r\n";
    WriteText(dir / "velmora.Ini", before);
    ASSERT_TRUE(SaveUssdWire(dir / "velmora.Ini", "huawei E1550", UssdWire::Packed));
    ASSERT_TRUE(SaveUssdWire(dir / "velmora.Ini", "Sierra MC8775", UssdWire::Text));
    ASSERT_TRUE(SaveUssdWire(dir / "velmora.Ini", "huawei E1550", UssdWire::Text));
    const std::string after = ReadText(dir / "velmora.Ini");
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(after.substr(before.size()),
              "\r\n[USSD Encodings]\r\nhuawei E1550=text\r\nSierra MC8775=text\r\n");
    EXPECT_EQ(LoadUssdSettings(dir / "velmora.Ini", "Sierra MC8775").learnt, UssdWire::Text);
    // Nothing to remember is no write.
    EXPECT_FALSE(SaveUssdWire(dir / "velmora.Ini", "", UssdWire::Packed));
    EXPECT_FALSE(SaveUssdWire(dir / "velmora.Ini", "ZTE MF190", UssdWire::Unknown));
    EXPECT_EQ(ReadText(dir / "velmora.Ini"), after);
}

TEST(UssdSettings, RecentCodesComeNewestFirstOnceEach) {
    TempDir dir;
    const std::string file = dir / "velmora.Ini";
    for (const char* code : {"*123#", "*888#", "*123#", "*363#"})
        ASSERT_TRUE(SaveUssdRecent(file, code));
    EXPECT_EQ(LoadUssdSettings(file, "").recent, (std::vector<std::string>{"*363#", "*123#", "*888#"}));
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(SaveUssdRecent(file, "*" + std::to_string(i) + "#"));
    const auto recent = LoadUssdSettings(file, "").recent;
    ASSERT_EQ(recent.size(), kRecentUssdCodes);
    EXPECT_EQ(recent.front(), "*11#");
    EXPECT_EQ(recent.back(), "*2#");
    // A code that would split the list, or none at all, is not kept.
    EXPECT_FALSE(SaveUssdRecent(file, "*1|2#"));
    EXPECT_FALSE(SaveUssdRecent(file, ""));
    EXPECT_EQ(LoadUssdSettings(file, "").recent, recent);
}

TEST(UssdSettings, AFileThatCannotBeReadIsNeverWrittenOver) {
    TempDir dir;
    const std::string file = dir / "velmora.Ini";
    WriteText(file, std::string(1024 * 1024 + 1, ';'));
    std::vector<std::string> problems;
    EXPECT_EQ(LoadUssdSettings(file, "huawei E1550", &problems).Wire(), UssdWire::Unknown);
    EXPECT_EQ(problems.size(), 1u);
    EXPECT_FALSE(SaveUssdWire(file, "huawei E1550", UssdWire::Packed));
    EXPECT_FALSE(SaveUssdRecent(file, "*123#"));
    EXPECT_EQ(ReadText(file).size(), 1024u * 1024 + 1);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    problems.clear();
    LoadUssdSettings(dir / "fifo", "", &problems);
    EXPECT_EQ(problems.size(), 1u);
    EXPECT_FALSE(SaveUssdRecent(dir / "fifo", "*123#"));
}

} // namespace
} // namespace velmora
