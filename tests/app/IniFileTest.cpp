#include "IniFile.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(IniFile, TextComesBackByteForByte) {
    const char* texts[] = {
        "",
        "[Form]\nZTop=1\n",
        "[Form]\r\nZTop=1\r\n",
        "[Form]\nZTop=1",
        "; note\n\n[A]\n  key = spaced value  \n# other\n[B]\nx=\"q\"\n",
        "orphan=1\n[Communication%20Port]\nPort=2\n\n\n",
        "[broken\nno equals sign\n=empty key\n\x01\xff binary=1\n",
        "mixed\r\nendings\n\r\n",
    };
    for (const char* t : texts)
        EXPECT_EQ(IniFile::Parse(t).Text(), t) << t;
}

TEST(IniFile, ItemsListEveryLineThatHoldsSomething) {
    const IniFile ini = IniFile::Parse("\xEF\xBB\xBFtop=0\r\n"
                                       "; note\n"
                                       "\n"
                                       "[ Modem a ]\n"
                                       " Device = \"/dev/ttyUSB0\" \n"
                                       "no equals sign\n"
                                       "[broken\n"
                                       "# other\n"
                                       "x=1");
    const struct {
        IniFile::Item::Kind kind;
        const char *section, *key, *value;
        std::size_t line;
    } want[] = {
        {IniFile::Item::Key, "", "top", "0", 1},
        {IniFile::Item::Section, "Modem a", "", "", 4},
        {IniFile::Item::Key, "Modem a", "Device", "/dev/ttyUSB0", 5},
        {IniFile::Item::Stray, "Modem a", "", "no equals sign", 6},
        {IniFile::Item::Stray, "Modem a", "", "[broken", 7},
        {IniFile::Item::Key, "Modem a", "x", "1", 9},
    };
    const auto items = ini.Items();
    ASSERT_EQ(items.size(), std::size(want));
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].kind, want[i].kind) << i;
        EXPECT_EQ(items[i].section, want[i].section) << i;
        EXPECT_EQ(items[i].key, want[i].key) << i;
        EXPECT_EQ(items[i].value, want[i].value) << i;
        EXPECT_EQ(items[i].line, want[i].line) << i;
    }
}

TEST(IniFile, LooksUpAsProfileReadersDo) {
    const IniFile ini = IniFile::Parse("top=0\n"
                                       "[Communication Port]\n"
                                       "  Port =  7 \r\n"
                                       "; Baudrate=4800\n"
                                       "baudrate=\"9600\"\n"
                                       "Port=8\n"
                                       "[ Form ]\n"
                                       "ZTop=-4\n"
                                       "Empty=\n"
                                       "[communication port]\n"
                                       "Extra=1\n");
    struct Row {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } rows[] = {
        {"Communication Port", "Port", "7"},        // trimmed, the first of two wins
        {"COMMUNICATION PORT", "PORT", "7"},        // names match without case
        {"Communication Port", "Baudrate", "9600"}, // commented line skipped, quotes dropped
        {"Form", "ZTop", "-4"},                     // blanks inside the brackets
        {"Form", "Port", std::nullopt},             // a section ends at the next header
        {"Form", "Empty", ""},
        {"Communication Port", "Extra", std::nullopt}, // only the first section of a name counts
        {"", "top", std::nullopt},                     // keys before any section belong to none
        {"Missing", "Port", std::nullopt},
    };
    EXPECT_EQ(IniFile::Parse("\xEF\xBB\xBF[Form]\r\nZTop=5\r\n").Value("Form", "ZTop"), "5");
    for (const auto& r : rows)
        EXPECT_EQ(ini.Value(r.section, r.key), r.value) << r.section << '/' << r.key;
}

TEST(IniFile, SetValueTouchesOnlyItsLine) {
    struct Row {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    } rows[] = {
        // an existing key keeps its spelling and place
        {"; mine\n[Form]\n zleft = 5 ; odd\nZTop=1\n", "Form", "ZLeft", "-4",
         "; mine\n[Form]\nzleft=-4\nZTop=1\n"},
        // a missing key follows the section's last key, before blank lines and comments
        {"[Form]\nZTop=1\n\n; next\n[Other]\na=b\n", "Form", "ZWidth", "507",
         "[Form]\nZTop=1\nZWidth=507\n\n; next\n[Other]\na=b\n"},
        // an empty section gets the key right after its header
        {"[Form]\n[Other]\n", "Form", "ZTop", "0", "[Form]\nZTop=0\n[Other]\n"},
        // a missing section goes at the end, after a blank line
        {"[Other]\na=b", "Form", "ZTop", "0", "[Other]\na=b\n\n[Form]\nZTop=0\n"},
        // the file's own line endings are used for new lines
        {"[Form]\r\nZTop=1\r\n", "Form", "ZLeft", "2", "[Form]\r\nZTop=1\r\nZLeft=2\r\n"},
        {"", "Form", "ZTop", "3", "[Form]\nZTop=3\n"},
        // a last line without an ending gets one before the new key
        {"[Form]\nZTop=1", "Form", "ZLeft", "2", "[Form]\nZTop=1\nZLeft=2\n"},
    };
    for (const auto& r : rows) {
        IniFile ini = IniFile::Parse(r.before);
        ini.SetValue(r.section, r.key, r.value);
        EXPECT_EQ(ini.Text(), r.after) << r.before;
        EXPECT_EQ(IniFile::Parse(ini.Text()).Value(r.section, r.key), r.value) << r.before;
    }
}

} // namespace
} // namespace velmora
