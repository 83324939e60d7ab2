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
