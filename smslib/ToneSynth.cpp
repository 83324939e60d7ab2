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

ToneStream::ToneStream(ReadTune tune) : m_tune(std::move(tune)) {
    std::size_t once = 0;
    for (const TuneNote& n : m_tune.notes)
        once += NoteSamples(n, m_tune.tempo);
    m_total = once * static_cast<std::size_t>(TunePlays(m_tune.loops));
}

void ToneStream::StartNote() {
    const TuneNote& note = m_tune.notes[m_next++ % m_tune.notes.size()];
    const double frequency = NoteFrequency(note);
    m_slot = NoteSamples(note, m_tune.tempo);
    m_sounding =
        frequency > 0
            ? static_cast<std::size_t>(std::lround(static_cast<double>(m_slot) * SoundingShare(m_tune.style)))
            : 0;
    m_amplitude = kPeak * std::clamp(m_tune.volume, 0, 15) / 15.0;
    m_ramp = std::max(1.0, std::min(kRampSeconds * kToneRate, static_cast<double>(m_sounding) / 2));
    m_step = 2 * std::numbers::pi * frequency / kToneRate;
    m_at = 0;
}

std::size_t ToneStream::Read(std::int16_t* out, std::size_t most) {
    std::size_t given = 0;
    while (given < most && m_position < m_total) {
        if (m_at == m_slot)
            StartNote();
        for (; m_at < m_slot && given < most; ++m_at, ++given, ++m_position) {
            if (m_at >= m_sounding) {
                out[given] = 0;
                continue;
            }
            const double k = static_cast<double>(m_at);
            const double edge =
                std::min({1.0, k / m_ramp, static_cast<double>(m_sounding - 1 - m_at) / m_ramp});
            out[given] = static_cast<std::int16_t>(std::lround(m_amplitude * edge * std::sin(m_step * k)));
        }
    }
    return given;
}

std::vector<std::int16_t> SynthesiseTune(const ReadTune& tune) {
    ToneStream stream(tune);
    std::vector<std::int16_t> out(stream.total());
    out.resize(stream.Read(out.data(), out.size()));
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
