#include "ToneSynth.h"

#include "FileIo.h"
#include "Ringtone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora {

namespace {

// Each edge of a note ramps over 4 ms: a note that starts or stops at full
// strength clicks.
constexpr double kRampSeconds = 0.004;
// The loudest a tune at volume 15 gets, below full scale so nothing clips.
constexpr double kPeak = 0.8 * 32767.0;

// The share of its slot a note sounds for in each style: natural leaves a
// small gap before the next note, continuous none, staccato a large one.
double SoundingShare(int style) {
    switch (style) {
    case 1:
        return 1.0;
    case 2:
        return 0.5;
    default:
        return 0.9;
    }
}

double SpecifierFactor(int specifier) {
    switch (specifier) {
    case 1:
        return 1.5;
    case 2:
        return 1.75;
    case 3:
        return 2.0 / 3.0;
    default:
        return 1.0;
    }
}

void AppendNote(std::vector<std::int16_t>& out, const TuneNote& note, const ReadTune& tune) {
    const std::size_t slot = NoteSamples(note, tune.tempo);
    const double frequency = NoteFrequency(note);
    const auto sounding =
        frequency > 0
            ? static_cast<std::size_t>(std::lround(static_cast<double>(slot) * SoundingShare(tune.style)))
            : 0;
    const double amplitude = kPeak * std::clamp(tune.volume, 0, 15) / 15.0;
    const double ramp = std::max(1.0, std::min(kRampSeconds * kToneRate, static_cast<double>(sounding) / 2));
    const double step = 2 * std::numbers::pi * frequency / kToneRate;
    for (std::size_t k = 0; k < slot; ++k) {
        if (k >= sounding) {
            out.push_back(0);
            continue;
        }
        const double edge =
            std::min({1.0, static_cast<double>(k) / ramp, static_cast<double>(sounding - 1 - k) / ramp});
        out.push_back(static_cast<std::int16_t>(std::lround(amplitude * edge * std::sin(step * k))));
    }
}

void PutLittleEndian(std::string& out, std::uint32_t value, int octets) {
    for (int k = 0; k < octets; ++k)
        out += static_cast<char>((value >> (8 * k)) & 0xFF);
}

} // namespace

int TunePlays(int loops) {
    if (loops <= 0 || loops >= kLoopForever)
        return 1;
    return std::min(1 + loops, kMostTunePlays);
}

double NoteFrequency(const TuneNote& note) {
    if (note.note <= 0)
        return 0;
    // Note code 10 is A; scale code 0 is the octave of A4.
    const int fromA4 = note.note - 10 + 12 * note.octave;
    return 440.0 * std::pow(2.0, fromA4 / 12.0);
}

std::size_t NoteSamples(const TuneNote& note, int tempo) {
    const double beats = 4.0 / static_cast<double>(1 << std::clamp(note.duration, 0, 5));
    const double seconds = beats * 60.0 / std::max(tempo, 1) * SpecifierFactor(note.specifier);
    return static_cast<std::size_t>(std::lround(seconds * kToneRate));
}

std::vector<std::int16_t> SynthesiseTune(const ReadTune& tune) {
    std::size_t once = 0;
    for (const TuneNote& n : tune.notes)
        once += NoteSamples(n, tune.tempo);
    const int plays = TunePlays(tune.loops);
    std::vector<std::int16_t> out;
    out.reserve(once * static_cast<std::size_t>(plays));
    for (int p = 0; p < plays; ++p)
        for (const TuneNote& n : tune.notes)
            AppendNote(out, n, tune);
    return out;
}

Result<ReadTune> TuneOfLine(std::string_view rtttl) { return ReadRingtone(RingtoneFromLine(rtttl).content); }

std::string WavBytes(const std::vector<std::int16_t>& samples, int rate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    PutLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLittleEndian(out, 16, 4); // the format chunk's size
    PutLittleEndian(out, 1, 2);  // PCM
    PutLittleEndian(out, 1, 2);  // mono
    PutLittleEndian(out, static_cast<std::uint32_t>(rate), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(rate) * 2, 4); // bytes per second
    PutLittleEndian(out, 2, 2);                                    // bytes per sample frame
    PutLittleEndian(out, 16, 2);                                   // bits per sample
    out += "data";
    PutLittleEndian(out, dataBytes, 4);
    out.reserve(out.size() + dataBytes);
    for (const std::int16_t s : samples)
        PutLittleEndian(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

Result<std::string> WriteWav(const std::string& path, const std::vector<std::int16_t>& samples, int rate) {
    auto written = WriteFileAtomically(path, WavBytes(samples, rate));
    if (!written)
        return Result<std::string>::Fail(CannotWrite(path, written.error()));
    return written;
}

} // namespace velmora
