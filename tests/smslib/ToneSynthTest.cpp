#include "ToneSynth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace velmora {
namespace {

// The pitch of a steady stretch of sound by its rising zero crossings.
double Pitch(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    std::size_t first = 0, last = 0;
    int crossings = -1;
    for (std::size_t k = from + 1; k < to; ++k)
        if (s[k - 1] < 0 && s[k] >= 0) {
            last = k;
            if (++crossings == 0)
                first = k;
        }
    return crossings > 0 ? crossings * double(kToneRate) / double(last - first) : 0;
}

ReadTune Tune(std::vector<TuneNote> notes, int tempo = 125, int style = 0) {
    ReadTune t;
    t.tempo = tempo;
    t.style = style;
    t.notes = std::move(notes);
    return t;
}

// The tune's length is the sum of its notes at its tempo, from the line
// through the encoder: b=125 is 0.48 s a beat.
TEST(SynthesiseTune, LastsTheSumOfItsNotes) {
    const auto tune = TuneOfLine("t:d=4,o=5,b=125:c,8d.,2e,16p,1f,32g");
    ASSERT_TRUE(tune.ok()) << tune.error();
    const double beats = 1 + 0.5 * 1.5 + 2 + 0.25 + 4 + 0.125;
    const double expected = beats * 60.0 / 125 * kToneRate;
    const auto samples = SynthesiseTune(*tune);
    EXPECT_NEAR(double(samples.size()), expected, 6.0);
}

TEST(SynthesiseTune, PlaysTheNotesPitch) {
    struct Case {
        int note, octave;
        double hz;
    } cases[] = {{10, 0, 440.0}, {1, 1, 523.25}, {10, 3, 3520.0}, {12, 2, 1975.53}};
    for (const Case& c : cases) {
        const auto s = SynthesiseTune(Tune({{c.note, 0, c.octave, 0}}, 63, 1));
        EXPECT_NEAR(Pitch(s, s.size() / 10, s.size() * 9 / 10), c.hz, c.hz / 100)
            << c.note << "/" << c.octave;
    }
}

TEST(NoteSamples, StretchesByTheSpecifier) {
    const TuneNote plain{10, 2, 0, 0};
    const double quarter = double(NoteSamples(plain, 100));
    EXPECT_NEAR(quarter, 0.6 * kToneRate, 1);
    const std::pair<int, double> cases[] = {{1, 1.5}, {2, 1.75}, {3, 2.0 / 3}};
    for (const auto& [specifier, factor] : cases)
        EXPECT_NEAR(double(NoteSamples({10, 2, 0, specifier}, 100)), quarter * factor, 1) << specifier;
}

// Staccato sounds half the slot, natural most of it; both keep the slot.
TEST(SynthesiseTune, StyleLeavesItsGapInsideTheSlot) {
    const std::pair<int, double> cases[] = {{0, 0.9}, {1, 1.0}, {2, 0.5}};
    for (const auto& [style, share] : cases) {
        const auto s = SynthesiseTune(Tune({{10, 2, 0, 0}}, 100, style));
        std::size_t lastSound = 0;
        for (std::size_t k = 0; k < s.size(); ++k)
            lastSound = s[k] != 0 ? k : lastSound;
        EXPECT_EQ(s.size(), NoteSamples({10, 2, 0, 0}, 100)) << style;
        EXPECT_NEAR(double(lastSound) / double(s.size()), share, 0.01) << style;
    }
}

// The sound card asks for samples in pieces of any size; the pieces join
// into the tune made whole.
TEST(ToneStream, PiecesOfAnySizeJoinIntoTheWholeTune) {
    auto tune = *TuneOfLine("t:d=8,o=6,b=200:c,p,16e.,2g");
    tune.loops = 1;
    const auto whole = SynthesiseTune(tune);
    for (const std::size_t piece : {1u, 7u, 4096u}) {
        ToneStream stream(tune);
        std::vector<std::int16_t> joined, buffer(piece);
        while (const std::size_t n = stream.Read(buffer.data(), piece))
            joined.insert(joined.end(), buffer.begin(), buffer.begin() + long(n));
        EXPECT_EQ(joined, whole) << piece;
        EXPECT_EQ(stream.position(), stream.total()) << piece;
    }
}

TEST(TunePlays, RepeatsOnlyAsFarAsTheCap) {
    const std::pair<int, int> cases[] = {{0, 1}, {1, 2}, {2, 3}, {9, 3}, {kLoopForever, 1}};
    for (const auto& [loops, plays] : cases)
        EXPECT_EQ(TunePlays(loops), plays) << loops;
}

TEST(WavBytes, WritesA16BitMonoHeader) {
    const std::string wav = WavBytes({1, -2, 0x1234}, 22050);
    ASSERT_EQ(wav.size(), 44u + 6);
    const auto u32 = [&](std::size_t at) {
        return std::uint32_t(std::uint8_t(wav[at])) | std::uint32_t(std::uint8_t(wav[at + 1])) << 8 |
               std::uint32_t(std::uint8_t(wav[at + 2])) << 16 |
               std::uint32_t(std::uint8_t(wav[at + 3])) << 24;
    };
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(u32(4), 42u);
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(u32(20) & 0xFFFF, 1u); // PCM
    EXPECT_EQ(u32(20) >> 16, 1u);    // mono
    EXPECT_EQ(u32(24), 22050u);
    EXPECT_EQ(u32(28), 44100u);
    EXPECT_EQ(u32(32), 2u | 16u << 16); // block align, bits
    EXPECT_EQ(wav.substr(36, 4), "data");
    EXPECT_EQ(u32(40), 6u);
    EXPECT_EQ(wav.substr(44), std::string("\x01\x00\xFE\xFF\x34\x12", 6));
}

} // namespace
} // namespace velmora
