#pragma once

// A ringtone as sound: the notes a ringtone message carries (ReadRingtone's
// reading of the octets the encoder built), so what is heard is what the
// phone will play, not a second reading of the RTTTL text. Pure; 16-bit mono
// samples at one fixed rate, and the WAV file that holds them.

#include "Result.h"
#include "RingtoneReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr int kToneRate = 22050; // samples per second
// The loop count that means "repeat forever"; such a tune is played once.
inline constexpr int kLoopForever = 15;
// A tune with a loop count is played this many times at most.
inline constexpr int kMostTunePlays = 3;

// How many times the tune is played: once plus its repeats, at most
// kMostTunePlays; once for a tune that repeats forever.
int TunePlays(int loops);

// The pitch of a note in Hz, A4 = 440 Hz in equal temperament; 0 for a pause.
double NoteFrequency(const TuneNote& note);
// The slot a note takes at `tempo` beats per minute (a quarter note is one
// beat), in samples: dotted 1.5x, double dotted 1.75x, 2/3 length 2/3x.
std::size_t NoteSamples(const TuneNote& note, int tempo);

// The tune's samples made as they are asked for, so a long tune never
// waits to be made whole nor is kept whole: 126 double-dotted whole notes at
// 25 beats per minute last 21 minutes.
class ToneStream {
public:
    explicit ToneStream(ReadTune tune);
    // Samples in the whole tune, every play of it.
    std::size_t total() const { return m_total; }
    // Samples given so far.
    std::size_t position() const { return m_position; }
    // The next samples, at most `most` of them; 0 at the end.
    std::size_t Read(std::int16_t* out, std::size_t most);

private:
    void StartNote();

    ReadTune m_tune;
    std::size_t m_total = 0, m_position = 0;
    std::size_t m_next = 0; // notes begun, counting every play
    // The note under way.
    std::size_t m_slot = 0, m_sounding = 0, m_at = 0;
    double m_step = 0, m_amplitude = 0, m_ramp = 1;
};

// The whole tune, every play of it.
std::vector<std::int16_t> SynthesiseTune(const ReadTune& tune);

// The tune the encoder makes of an RTTTL line, read back from its octets.
Result<ReadTune> TuneOfLine(std::string_view rtttl);

// A RIFF WAVE file of 16-bit mono PCM samples at `rate`.
std::string WavBytes(const std::vector<std::int16_t>& samples, int rate = kToneRate);
// Written whole or not at all; gives the path, or "Cannot write ..." as the
// tabs word it.
Result<std::string> WriteWav(const std::string& path, const std::vector<std::int16_t>& samples,
                             int rate = kToneRate);

} // namespace velmora
