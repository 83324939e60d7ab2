#include "RingtoneReader.h"

#include "Primitives.h"
#include "Ringtone.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// Bit text written with spaces for reading, as hex content: filler after the
// last bit.
std::string Hex(std::string bits) {
    std::erase(bits, ' ');
    bits.append((8 - bits.size() % 8) % 8, '0');
    return BitsToHex(bits);
}

// A tune shown in the RingTone tab and sent on unchanged goes out as it came.
TEST(ReadRingtone, GivesTheEncoderItsStreamBack) {
    std::vector<std::string> lines{
        "Beep:d=4,o=5,b=100:c,8e,p",
        "Ab:d=8,o=6,b=63:c#.,16a7",
        "Waltz:d=8,o=5,b=140:4c.6,16f#.6,e.6,p,4g.,a.4,e.",
        "Scale:d=16,o=4,b=900:c,c5,c6,c7,d#4,f#5,g#6,a#7,b,a,g,f,e,d",
        "Rests:d=4,o=7,b=25:p,8p4,32p.5,1p6,c",
        "Lengths:1c,2d,4e,8f,16g,32a,1c.,2d.,32b.",
        "F\xC3\xBCr Elise:d=8,o=5,b=125:e6,d#6,e6,d#6,e6,b,d6,c6,4a",
        "F\xFCr Elise:e6,d#6",
        ":d=4,o=5,b=200:c",
        "Quiet:d=4,o=5,b=100:,",
    };
    std::string longest = "Long::"; // more notes than the instruction count can number
    for (int k = 0; k < 130; ++k)
        longest += "8a#,";
    lines.push_back(longest);
    for (int tempo : kRingtoneTempos)
        lines.push_back("t:d=2,o=7,b=" + std::to_string(tempo) + ":c,d");
    for (const std::string& line : lines) {
        const std::string bits = EncodeRingtone(line).bits;
        const auto tune = ReadRingtone(BitsToHex(bits));
        ASSERT_TRUE(tune.ok()) << line << ": " << tune.error();
        EXPECT_EQ(EncodeRingtone(tune->rtttl).bits, bits) << line << " read as " << tune->rtttl;
    }
    // The defaults are the tune's most common ones, so the examples read back as written.
    EXPECT_EQ(ReadRingtone("024A3A51099595C004001318CAE922849562482000")->rtttl, "Beep:d=4,o=5,b=100:c,8e,p");
    EXPECT_EQ(ReadRingtone("024A3A49058804000F10CAEA24D59A8000")->rtttl, "Ab:d=8,o=6,b=63:c#.,16a7");
}

std::string Settings(const ReadTune& t) {
    return t.title + " b=" + std::to_string(t.tempo) + " style " + std::to_string(t.style) + " volume " +
           std::to_string(t.volume) + " loops " + std::to_string(t.loops);
}

// What phones send beyond what Velmora writes.
TEST(ReadRingtone, ReadsStreamsMadeByOtherPhones) {
    const struct {
        std::string bits, settings;
        std::vector<TuneNote> notes;
        std::string rtttl;
    } cases[] = {
        // A UCS2 title, two patterns, instructions in any order, octets after the command end.
        {"00000011 01001010 01000100 0011101 001 0010 0000000001001000 0010000010101100 00000010"
         "000 00 0010 00000110 100 00000 100 11111 101 1010 010 11 001 1001 100 10 011 10"
         "000 01 0000 00000010 100 01110 001 0000 000 11 0000000 00000000 11111111",
         "H? b=900 style 2 volume 10 loops 2",
         {{9, 4, 3, 2}, {0, 0, 3, 3}},
         "H?:d=1,o=7,b=900:16g#.,p"},
        // A temporary song, ending after the song; no scale instruction before its note.
        {"00000010 01001010 0011101 010 00000001 000 00 1111 00000001 001 1100 101 01",
         " b=63 style 0 volume 7 loops 15",
         {{12, 5, 1, 1}},
         ":d=32,o=5,b=63:b."},
    };
    for (const auto& c : cases) {
        const auto tune = ReadRingtone(Hex(c.bits));
        ASSERT_TRUE(tune.ok()) << c.rtttl << ": " << tune.error();
        EXPECT_EQ(Settings(*tune), c.settings);
        EXPECT_EQ(tune->notes, c.notes) << c.rtttl;
        EXPECT_EQ(tune->rtttl, c.rtttl);
    }
}

TEST(ReadRingtone, RefusesNamingTheOctet) {
    const std::string beep = "024A3A51099595C004001318CAE922849562482000";
    // A temporary song of one pattern holding one instruction.
    const std::string head = "00000010 01001010 0011101 010 00000001 000 00 0000 00000001";
    const struct {
        std::string hex, reason;
    } cases[] = {
        {"", "cannot read octet 1 (command count)"},
        {"024A3G", "octet 3 (content): not hex"},
        {"024A3", "octet 3 (content): half an octet"},
        {"0244", "octet 2 (command): not a ringing tone"},
        {"024A3C", "octet 3 (sound command): not a ringing tone"},
        {"024A3AD1", "octet 3 (song type): not a tune Velmora reads"},
        {beep.substr(0, 10), "cannot read octet 6 (title)"},
        {beep.substr(0, 36), "cannot read octet 19 (scale)"},
        {beep.substr(0, 40) + "12", "octet 21 (command): not a command Velmora reads"},
        {Hex("00000010 01001010 0011101 010 00000001 100 00 0000"),
         "octet 5 (pattern header): not a pattern"},
        {Hex(head + "111 00000"), "octet 7 (instruction): not an instruction Velmora reads"},
        {Hex(head + "001 1101 010 00"), "octet 7 (note): no such note"},
    };
    for (const auto& c : cases) {
        const auto tune = ReadRingtone(c.hex);
        ASSERT_FALSE(tune.ok()) << c.hex;
        EXPECT_EQ(tune.error(), c.reason) << c.hex;
    }
}

} // namespace
} // namespace velmora
