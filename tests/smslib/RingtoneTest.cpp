#include "Ringtone.h"

#include "ContentFixtures.h"
#include "Primitives.h"
#include "SmartPdu.h"
#include "TestNames.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(CountOccurrences, CountsWithoutOverlap) {
    const struct {
        const char* s;
        const char* t;
        std::size_t count;
    } cases[] = {{"a:b:c", ":", 2}, {"aaaa", "aa", 2},  {"aaa", "aa", 1}, {"", ":", 0},
                 {"abc", "", 0},    {"c,8e,p", ",", 2}, {"abab", "ba", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(CountOccurrences(c.s, c.t), c.count) << c.s << " / " << c.t;
}

TEST(EncodeRingtone, WorkedExamples) {
    const struct {
        const char* rtttl;
        const char* title;
        const char* tempo;
        const char* content;
    } cases[] = {
        {"Beep:d=4,o=5,b=100:c,8e,p", "Beep", "100", "024A3A51099595C004001318CAE922849562482000"},
        {"Ab:d=8,o=6,b=63:c#.,16a7", "Ab", "63", "024A3A49058804000F10CAEA24D59A8000"},
    };
    for (const auto& c : cases) {
        const auto r = EncodeRingtone(c.rtttl);
        EXPECT_EQ(r.title, c.title);
        EXPECT_EQ(r.tempoText, c.tempo);
        EXPECT_EQ(BitsToHexPadded(r.bits), c.content) << c.rtttl;
    }
}

// The fields of a tune, cut out of its bit text by their known positions.
struct Fields {
    std::string count, tempo;
    std::vector<std::string> notes;
    std::size_t titleLength = 0;
};

Fields Cut(const std::string& bits) {
    Fields f;
    f.titleLength = BitsToInt(bits.substr(26, 4));
    const std::size_t at = 30 + 8 * f.titleLength + 17; // field 11
    f.count = bits.substr(at, 8);
    f.tempo = bits.substr(at + 11, 5);
    std::size_t note = at + 8 + 8 + 12;
    const std::size_t notes = (BitsToInt(f.count) - 3) / 2;
    for (std::size_t k = 0; k < notes; ++k, note += 17)
        f.notes.push_back(bits.substr(note, 17));
    return f;
}

struct TuneCase {
    const char* rtttl;
    const char* tempo; // code
    std::vector<const char*> notes;
};

class Tune : public ::testing::TestWithParam<TuneCase> {};

TEST_P(Tune, WritesTheExpectedCodes) {
    const auto& c = GetParam();
    const std::string bits = EncodeRingtone(c.rtttl).bits;
    ASSERT_EQ(bits.size() % 8, 0u);
    ASSERT_EQ(bits.substr(bits.size() - 8), "00000000");
    const Fields f = Cut(bits);
    EXPECT_EQ(f.tempo, c.tempo);
    EXPECT_EQ(f.count, IntToBits(3 + 2 * c.notes.size(), 8));
    ASSERT_EQ(f.notes.size(), c.notes.size());
    for (std::size_t k = 0; k < c.notes.size(); ++k) {
        std::string expected = c.notes[k];
        std::erase(expected, ' ');
        EXPECT_EQ(f.notes[k], expected) << "note " << k;
    }
    // Nothing but filler between the last note and the command end.
    const std::size_t end = 30 + 8 * f.titleLength + 17 + 8 + 8 + 12 + 17 * c.notes.size();
    EXPECT_LT(bits.size() - 8 - end, 8u);
    EXPECT_EQ(bits.find('1', end), std::string::npos);
}

// Notes read: scale instruction, octave, note instruction, note, duration, dot.
INSTANTIATE_TEST_SUITE_P(
    Rtttl, Tune,
    ::testing::Values(
        TuneCase{"x:d=8,o=5,b=63:p", "01000", {"010 01 001 0000 011 00"}},
        TuneCase{"x:b=125:c", "01110", {"010 10 001 0001 010 00"}},
        TuneCase{"x:b=25:c", "00000", {"010 10 001 0001 010 00"}},
        TuneCase{"x:b=900:c", "11111", {"010 10 001 0001 010 00"}},
        // Values between listed tempos take the nearest, not a substring match:
        // 150 once played at 50.
        TuneCase{"x:b=150:c", "10000", {"010 10 001 0001 010 00"}},
        TuneCase{"x:b=120:c", "01110", {"010 10 001 0001 010 00"}},
        TuneCase{"x:b=1000:c", "11111", {"010 10 001 0001 010 00"}},
        TuneCase{"x:b=10:c", "00000", {"010 10 001 0001 010 00"}},
        TuneCase{"x:b=fast:c", "01000", {"010 10 001 0001 010 00"}},
        // title:notes uses duration 4, octave 6, tempo 63.
        TuneCase{"x:c,d", "01000", {"010 10 001 0001 010 00", "010 10 001 0011 010 00"}},
        TuneCase{"x::16a#7,16a", "01000", {"010 11 001 1011 100 00", "010 10 001 1010 100 00"}},
        // The dot and the octave in either order: both are a dotted eighth C in octave 5.
        TuneCase{"x:o=6:8c.5,8c5.", "01000", {"010 01 001 0001 011 01", "010 01 001 0001 011 01"}},
        // Durations and octaves off the list take the nearest listed one (a tie
        // goes to the shorter note: 3 plays as 4, 12 as 16).
        TuneCase{"x::64c,3c,0c,12c",
                 "01000",
                 {"010 10 001 0001 101 00", "010 10 001 0001 010 00", "010 10 001 0001 000 00",
                  "010 10 001 0001 100 00"}},
        TuneCase{"x:d=5,o=9:c,c2,cx",
                 "01000",
                 {"010 11 001 0001 010 00", "010 00 001 0001 010 00", "010 11 001 0001 010 00"}},
        TuneCase{"x:d=64,o=1:c", "01000", {"010 00 001 0001 101 00"}},
        // Tokens without a note name, empty tokens and a trailing comma write
        // nothing, and the count follows what is written.
        TuneCase{"x:d=4:c,,x,8d,", "01000", {"010 10 001 0001 010 00", "010 10 001 0011 011 00"}},
        TuneCase{"x:d=4,o=5,b=100:,", "01100", {}}, TuneCase{"x::c", "01000", {"010 10 001 0001 010 00"}},
        // Fields after the third are ignored.
        TuneCase{"x:d=8,o=5,b=63:p:e,f", "01000", {"010 01 001 0000 011 00"}}),
    [](const auto& info) { return velmora::testing::CaseName(info.index, info.param.rtttl); });

// Published tunes write the dot of a dotted note before the octave digit as
// often as after it; either way the note keeps its octave and its dot.
TEST(EncodeRingtone, DotAndOctaveInEitherOrder) {
    const struct {
        const char* token;
        const char* note; // scale instruction, octave, note instruction, note, duration, dot
    } cases[] = {
        {"4c.6", "010 10 001 0001 010 01"},
        {"4c6.", "010 10 001 0001 010 01"},
        {"16f#.6", "010 10 001 0111 100 01"},
        {"8c.5", "010 01 001 0001 011 01"},
        {"8c5.", "010 01 001 0001 011 01"},
        // Only one of the two, or neither: as before.
        {"c.", "010 01 001 0001 010 01"},
        {"8e6", "010 10 001 0101 011 00"},
        {"c", "010 01 001 0001 010 00"},
    };
    for (const auto& c : cases) {
        // Default octave 5, so a lost octave digit shows.
        const Fields f = Cut(EncodeRingtone(std::string("x:d=4,o=5,b=63:") + c.token).bits);
        std::string expected = c.note;
        std::erase(expected, ' ');
        ASSERT_EQ(f.notes.size(), 1u) << c.token;
        EXPECT_EQ(f.notes[0], expected) << c.token;
    }
    // A whole tune spelt both ways is one stream.
    EXPECT_EQ(EncodeRingtone("Waltz:d=8,o=5,b=140:4c.6,16f#.6,e.6,p,4g.,a.4").bits,
              EncodeRingtone("Waltz:d=8,o=5,b=140:4c6.,16f#6.,e6.,p,4g.,a4.").bits);
}

TEST(EncodeRingtone, TextThatIsNotATuneStillGivesAWellFormedStream) {
    for (const char* text : {"", " ", ":", "::", ":::", "::::::", ",,,", "a:b", "t::", "\r\n\t", "x:d=:c",
                             "x:o=,b=,d=:c", "x:d=4,o=5,b=99999999999999999999:c"}) {
        const auto r = EncodeRingtone(text);
        ASSERT_EQ(r.bits.size() % 8, 0u) << text;
        const Fields f = Cut(r.bits);
        EXPECT_EQ(r.bits.size(),
                  (30 + 8 * f.titleLength + 17 + 8 + 8 + 12 + 17 * f.notes.size() + 7) / 8 * 8 + 8)
            << text;
    }
}

TEST(EncodeRingtone, CaseOfTheNotesAndDefaultsDoesNotMatter) {
    const auto lower = EncodeRingtone("Tune:d=8,o=5,b=180:c#6,8e.,p,16g#");
    const auto upper = EncodeRingtone("Tune:D=8,O=5,B=180:C#6,8E.,P,16G#");
    EXPECT_EQ(lower.bits, upper.bits);
    EXPECT_EQ(EncodeRingtone("tune:c").title, "tune"); // the title keeps its case
}

TEST(EncodeRingtone, TitleIsCutToWhatFieldFiveCanCount) {
    const auto fifteen = EncodeRingtone("ABCDEFGHIJKLMNO:c");
    EXPECT_EQ(fifteen.title, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(fifteen.bits.substr(26, 4), "1111");
    const auto longer = EncodeRingtone("  ABCDEFGHIJKLMNOPQRSTU :c");
    EXPECT_EQ(longer.title, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(longer.bits, fifteen.bits);
}

// The phone reads the title as ISO-8859-1, so UTF-8 text must not reach it as
// its multi-byte form, nor be cut inside a character.
TEST(EncodeRingtone, UnicodeTitlesGoOutAsLatin1) {
    struct Case {
        std::string rtttl, title, octets;
    };
    const Case cases[] = {
        {"F\xC3\xBCr Elise:c", "F\xC3\xBCr Elise", "F\xFCr Elise"},
        {"\xE2\x99\xAA Song:c", "\xE2\x99\xAA Song", "? Song"},
        {std::string(14, 'a') + "\xC3\xA9\xC3\xA9:c", std::string(14, 'a') + "\xC3\xA9",
         std::string(14, 'a') + "\xE9"},
        {"F\xFCr Elise:c", "F\xFCr Elise", "F\xFCr Elise"}, // a Latin-1 file: its bytes as they are
    };
    for (const auto& c : cases) {
        const auto r = EncodeRingtone(c.rtttl);
        EXPECT_EQ(r.title, c.title);
        EXPECT_EQ(r.titleOctets, c.octets);
        EXPECT_EQ(BitsToInt(r.bits.substr(26, 4)), c.octets.size());
        EXPECT_EQ(r.bits.substr(30, 8 * c.octets.size()), TextToBits(c.octets, false));
    }
}

TEST(EncodeRingtone, InstructionCountNeverPassesEightBits) {
    std::string notes;
    for (int k = 0; k < 200; ++k)
        notes += "c,";
    const auto r = EncodeRingtone("x::" + notes);
    const Fields f = Cut(r.bits);
    EXPECT_EQ(f.count, "11111111"); // 3 + 2 x 126
    EXPECT_EQ(f.notes.size(), 126u);
}

TEST(EncodeRingtone, TempoTextIsTheValueAsWritten) {
    EXPECT_EQ(EncodeRingtone("x:d=4:c").tempoText, "");
    EXPECT_EQ(EncodeRingtone("x:c").tempoText, "");
    EXPECT_EQ(EncodeRingtone("x:b=150:c").tempoText, "150");
}

// A tune of `count` notes and pauses under `title`, in the forms tunes are
// published in.
std::string TuneOf(const std::string& title, int count) {
    const char* phrase[] = {"8c.6", "16f#.6", "4a5.", "p", "8e", "16g#.5", "4b", "8d6", "32p", "2c#7"};
    std::string tune = title + ":d=8,o=5,b=140:";
    for (int k = 0; k < count; ++k)
        tune += std::string(k ? "," : "") + phrase[k % std::size(phrase)];
    return tune;
}

TEST(FitRingtone, TheLimitIsWhatTheRingtoneBuilderTakes) {
    EXPECT_TRUE(BuildRingtonePDU("628569999999", std::string(2 * kMaxRingtoneOctets, 'A')).ok());
    EXPECT_FALSE(BuildRingtonePDU("628569999999", std::string(2 * kMaxRingtoneOctets + 2, 'A')).ok());
}

TEST(FitRingtone, CutsAfterTheLastNoteThatFits) {
    const struct {
        std::string title;
        int notes;
        int fitting;
    } cases[] = {
        {"Beep", 3, 3},         {"", 57, 57},
        {"", 58, 57},           {"Ten Letter", 53, 53}, // the notes fill the last octet to its last bit
        {"Ten Letter", 54, 53}, {"Fifteen Letter!", 80, 50},
        {"Long", 200, 55}, // more notes than one instruction count can number
    };
    for (const auto& c : cases) {
        const std::string rtttl = TuneOf(c.title, c.notes);
        const RingtoneFit fit = FitRingtone(rtttl);
        EXPECT_EQ(fit.notes, c.notes) << rtttl;
        ASSERT_EQ(fit.fitting, c.fitting) << rtttl;
        EXPECT_EQ(RingtoneFits(rtttl), c.fitting == c.notes) << rtttl;
        EXPECT_TRUE(BuildRingtonePDU("628569999999", fit.content).ok()) << rtttl;
        if (c.fitting == c.notes) {
            EXPECT_EQ(fit.content, RingtoneFromLine(rtttl).content) << rtttl; // a tune that fits is unchanged
        } else {
            // One note more would not have fitted.
            const std::string oneMore = RingtoneFromLine(TuneOf(c.title, c.fitting + 1)).content;
            EXPECT_FALSE(BuildRingtonePDU("628569999999", oneMore).ok()) << rtttl;
        }
    }
    EXPECT_EQ(FitRingtone("x:c,,zz,d,").notes, 2); // tokens without a note are no notes
}

TEST(FitRingtone, TheCutStreamCountsWhatItHolds) {
    const std::string rtttl = TuneOf("Cut", 90);
    const RingtoneFit fit = FitRingtone(rtttl);
    ASSERT_LT(fit.fitting, fit.notes);
    EXPECT_FALSE(BuildRingtonePDU("628569999999", RingtoneFromLine(rtttl).content).ok());

    const std::string bits = HexToBits(fit.content);
    const std::string whole = EncodeRingtone(rtttl).bits;
    const Fields cut = Cut(bits);
    EXPECT_EQ(cut.titleLength, 3u);
    EXPECT_EQ(BitsToInt(cut.count), 3u + 2 * fit.fitting);
    // The notes kept are the tune's first ones, unchanged, and only filler
    // and the command end follow them.
    const std::size_t countAt = 30 + 8 * 3 + 17;
    const std::size_t notesEnd = countAt + 8 + 8 + 12 + 17 * fit.fitting;
    EXPECT_EQ(bits.substr(0, countAt), whole.substr(0, countAt));
    EXPECT_EQ(bits.substr(countAt + 8, notesEnd - countAt - 8),
              whole.substr(countAt + 8, notesEnd - countAt - 8));
    EXPECT_EQ(bits.size(), (notesEnd + 7) / 8 * 8 + 8);
    EXPECT_EQ(bits.find('1', notesEnd), std::string::npos);
}

TEST(ReadRingtoneFile, EncodesOnlyTheFirstLine) {
    testing::ScratchDir dir;
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        const auto path =
            dir.write("beep.txt", std::string("Beep:d=4,o=5,b=100:c,8e,p") + eol + "Other:d=4:c" + eol);
        const auto r = ReadRingtoneFile(path);
        ASSERT_TRUE(r.ok()) << r.error();
        EXPECT_EQ(r->rtttl, "Beep:d=4,o=5,b=100:c,8e,p");
        EXPECT_EQ(r->title, "Beep");
        EXPECT_EQ(r->tempoText, "100");
        EXPECT_EQ(r->content, "024A3A51099595C004001318CAE922849562482000");
    }

    const auto missing = ReadRingtoneFile(dir.path("none.txt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("none.txt"), std::string::npos);
}

// Each place the encoder passes over or rounds what is written, by the
// character where it starts; lines it takes whole name none.
TEST(FindRingtoneFault, NamesTheFirstPlaceTheEncoderDoesNotTakeAsWritten) {
    struct Case {
        const char* line;
        std::size_t position;
        const char* words;
    } cases[] = {
        {"Beep:d=4,o=5,b=100:c,8h,p", 21, "\"8h\" is not a note"},
        {"Beep:d=4,o=5,b=100:c,x8e", 21, "only a note value"},
        {"Beep:d=4,o=5,b=100:3c", 19, "it plays as 4"},
        {"Beep:d=4,o=5,b=100:c9", 20, "octave 9"},
        {"Beep:d=4,o=5,b=100:c6.x", 22, "\"x\" after the note"},
        {"Beep:d=4,o=5,b=100:e#", 20, "\"#\" after the note"},
        {"Beep:d=3,o=5,b=100:c", 7, "plays as d=4"},
        {"Beep:d=4,o=9,b=100:c", 11, "plays as o=7"},
        {"Beep:d=4,q=5,b=100:c", 9, "not d=, o= or b="},
        {"Beep:d=4,o=5,b=fast:c", 15, "whole number"},
        {"Beep:d=4,o=5,b=100:,", 20, "no notes"},
        // With only two ":" the defaults are the notes.
        {"Beep:d=4,o=5,b=100:", 6, "\"=4\" after the note"},
        {"A title far too long:c", 15, "first 15"},
        {"F\xC3\xBCr:d=4,o=5,b=100:c,k", 20, "\"k\""},
        {"  Beep:c,,  zz", 12, "\"zz\""},
    };
    for (const Case& c : cases) {
        const auto fault = FindRingtoneFault(c.line);
        ASSERT_TRUE(fault) << c.line;
        EXPECT_EQ(fault->position, c.position) << c.line;
        EXPECT_NE(fault->what.find(c.words), std::string::npos) << c.line << ": " << fault->what;
    }
    for (const char* good : {"Beep:d=4,o=5,b=100:c,8e,p", "Waltz:d=8,o=5,b=140:4c.6,16f#.6,c.6,p,",
                             "Plain:c,d#,32b7", " Spaced : d=8 , o=6 : c , d "})
        EXPECT_FALSE(FindRingtoneFault(good)) << good << ": " << FindRingtoneFault(good)->what;
}

TEST(FindRingtoneFault, NotesPastTheMostATuneNumbers) {
    std::string line = "Long::";
    for (int k = 0; k < 127; ++k)
        line += "a,";
    const auto fault = FindRingtoneFault(line);
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->position, 6u + 126 * 2);
}

} // namespace
} // namespace velmora
