#include "RingtoneReader.h"

#include "Words.h"

#include "Primitives.h"
#include "Ringtone.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace velmora {

namespace {

// 7-bit command codes; the two that stand alone are followed by a filler
// bit, so they fill an octet each.
constexpr int kRingingToneProgramming = 0x25;
constexpr int kUnicode = 0x22;
constexpr int kSound = 0x1D;
constexpr int kBasicSong = 1;     // a title, then the song
constexpr int kTemporarySong = 2; // the song alone
// What phones play before any scale instruction: 880 Hz, RTTTL octave 5.
constexpr int kDefaultScale = 1;

// Bits read in order. The first refusal is kept and every later read gives
// 0, so a caller checks once where going on would loop or mislead.
class Reader {
public:
    explicit Reader(std::string bits) : m_bits(std::move(bits)) {}

    int Take(std::size_t n, const char* field) {
        if (failed())
            return 0;
        if (n > m_bits.size() - m_at) {
            m_error = Fill(VELMORA_WORDS("smslib/RingtoneReader", "cannot read octet %1 (%2)"),
                           {std::to_string(m_bits.size() / 8 + 1), field});
            return 0;
        }
        m_field = m_at;
        m_at += n;
        return static_cast<int>(BitsToInt(std::string_view(m_bits).substr(m_field, n)));
    }
    // Refuses the field taken last.
    void Refuse(const char* field, const char* why) {
        if (!failed())
            m_error = Fill(VELMORA_WORDS("smslib/RingtoneReader", "octet %1 (%2): %3"),
                           {std::to_string(m_field / 8 + 1), field, why});
    }
    void Align() { m_at = (m_at + 7) / 8 * 8; }
    bool AtEnd() const { return m_at >= m_bits.size(); }
    bool failed() const { return !m_error.empty(); }
    const std::string& error() const { return m_error; }

private:
    std::string m_bits;
    std::size_t m_at = 0, m_field = 0;
    std::string m_error;
};

// What the instructions have set so far.
struct State {
    int scale = kDefaultScale;
    bool tempo = false, style = false, volume = false;
};

void Keep(int& field, bool& set, int value, bool beforeFirstNote) {
    if (beforeFirstNote || !set)
        field = value;
    set = true;
}

void ReadInstruction(Reader& r, ReadTune& tune, State& s) {
    const bool first = tune.notes.empty();
    switch (r.Take(3, VELMORA_WORDS("smslib/RingtoneReader", "instruction"))) {
    case 1: {
        TuneNote n;
        n.octave = s.scale;
        if ((n.note = r.Take(4, VELMORA_WORDS("smslib/RingtoneReader", "note"))) > 12)
            r.Refuse(VELMORA_WORDS("smslib/RingtoneReader", "note"),
                     VELMORA_WORDS("smslib/RingtoneReader", "no such note"));
        if ((n.duration = r.Take(3, VELMORA_WORDS("smslib/RingtoneReader", "note duration"))) > 5)
            r.Refuse(VELMORA_WORDS("smslib/RingtoneReader", "note duration"),
                     VELMORA_WORDS("smslib/RingtoneReader", "no such duration"));
        n.specifier = r.Take(2, VELMORA_WORDS("smslib/RingtoneReader", "note specifier"));
        tune.notes.push_back(n);
        break;
    }
    case 2:
        s.scale = r.Take(2, VELMORA_WORDS("smslib/RingtoneReader", "scale"));
        break;
    case 3: {
        const int style = r.Take(2, VELMORA_WORDS("smslib/RingtoneReader", "style"));
        if (style == 3)
            r.Refuse(VELMORA_WORDS("smslib/RingtoneReader", "style"),
                     VELMORA_WORDS("smslib/RingtoneReader", "no such style"));
        Keep(tune.style, s.style, style, first);
        break;
    }
    case 4:
        Keep(tune.tempo, s.tempo,
             kRingtoneTempos[31 - static_cast<std::size_t>(
                                      r.Take(5, VELMORA_WORDS("smslib/RingtoneReader", "tempo")))],
             first);
        break;
    case 5:
        Keep(tune.volume, s.volume, r.Take(4, VELMORA_WORDS("smslib/RingtoneReader", "volume")), first);
        break;
    default:
        r.Refuse(VELMORA_WORDS("smslib/RingtoneReader", "instruction"),
                 VELMORA_WORDS("smslib/RingtoneReader", "not an instruction Velmora reads"));
    }
}

void ReadSong(Reader& r, ReadTune& tune) {
    State s;
    const int patterns = r.Take(8, VELMORA_WORDS("smslib/RingtoneReader", "pattern count"));
    for (int p = 0; p < patterns && !r.failed(); ++p) {
        if (r.Take(3, VELMORA_WORDS("smslib/RingtoneReader", "pattern header")) != 0)
            r.Refuse(VELMORA_WORDS("smslib/RingtoneReader", "pattern header"),
                     VELMORA_WORDS("smslib/RingtoneReader", "not a pattern"));
        r.Take(2, VELMORA_WORDS("smslib/RingtoneReader", "pattern id"));
        const int loops = r.Take(4, VELMORA_WORDS("smslib/RingtoneReader", "loop count"));
        if (p == 0)
            tune.loops = loops;
        const int instructions = r.Take(8, VELMORA_WORDS("smslib/RingtoneReader", "instruction count"));
        for (int k = 0; k < instructions && !r.failed(); ++k)
            ReadInstruction(r, tune, s);
    }
}

// Each octet of hex as bits, or the refusal naming the first octet that is not.
Result<std::string> HexBits(std::string_view hex) {
    std::string bits;
    for (std::size_t k = 0; k < hex.size(); ++k) {
        if (HexValue(hex[k]) < 0)
            return Result<std::string>::Fail(
                Fill(VELMORA_WORDS("smslib/RingtoneReader", "octet %1 (content): not hex"),
                     {std::to_string(k / 2 + 1)}));
        bits += IntToBits(static_cast<unsigned>(HexValue(hex[k])), 4);
    }
    if (hex.size() % 2 != 0)
        return Result<std::string>::Fail(
            Fill(VELMORA_WORDS("smslib/RingtoneReader", "octet %1 (content): half an octet"),
                 {std::to_string(hex.size() / 2 + 1)}));
    return Result<std::string>::Ok(std::move(bits));
}

// The line EncodeRingtone gives this stream back from: the defaults are the
// most common duration and octave (RTTTL's own 4 and 6 on a tie with them),
// so most notes are a bare name.
std::string RtttlOf(const ReadTune& tune) {
    constexpr std::array<int, 6> kValues{1, 2, 4, 8, 16, 32};
    constexpr std::array<const char*, 13> kNames{"p",  "c", "c#", "d", "d#", "e", "f",
                                                 "f#", "g", "g#", "a", "a#", "b"};
    std::array<int, 6> durations{};
    std::array<int, 4> octaves{};
    for (const TuneNote& n : tune.notes) {
        ++durations[static_cast<std::size_t>(n.duration)];
        ++octaves[static_cast<std::size_t>(n.octave)];
    }
    std::size_t d = 2, o = 2;
    for (std::size_t k = 0; k < durations.size(); ++k)
        d = durations[k] > durations[d] ? k : d;
    for (std::size_t k = 0; k < octaves.size(); ++k)
        o = octaves[k] > octaves[o] ? k : o;

    // RTTTL cannot escape its separators inside a title.
    std::string line = tune.title;
    for (char& c : line)
        c = c == ':' || c == ',' ? ' ' : c;
    line += ":d=" + std::to_string(kValues[d]) + ",o=" + std::to_string(o + 4) +
            ",b=" + std::to_string(tune.tempo) + ":";
    for (std::size_t k = 0; k < tune.notes.size(); ++k) {
        const TuneNote& n = tune.notes[k];
        line += k ? "," : "";
        if (static_cast<std::size_t>(n.duration) != d)
            line += std::to_string(kValues[static_cast<std::size_t>(n.duration)]);
        line += kNames[static_cast<std::size_t>(n.note)];
        // RTTTL has a single dot: a double-dotted note comes nearest dotted,
        // a 2/3 one plain.
        if (n.specifier == 1 || n.specifier == 2)
            line += '.';
        if (static_cast<std::size_t>(n.octave) != o)
            line += std::to_string(n.octave + 4);
    }
    // A line ending in ":" would be read as title:notes, its defaults as notes.
    if (tune.notes.empty())
        line += ',';
    return line;
}

} // namespace

Result<ReadTune> ReadRingtone(std::string_view contentHex) {
    using Read = Result<ReadTune>;
    auto bits = HexBits(contentHex);
    if (!bits)
        return Read::Fail(bits.error());
    Reader r(std::move(bits.value()));
    ReadTune tune;

    r.Take(8, VELMORA_WORDS("smslib/RingtoneReader", "command count"));
    if (r.Take(7, VELMORA_WORDS("smslib/RingtoneReader", "command")) != kRingingToneProgramming)
        r.Refuse(VELMORA_WORDS("smslib/RingtoneReader", "command"),
                 VELMORA_WORDS("smslib/RingtoneReader", "not a ringing tone"));
    r.Take(1, VELMORA_WORDS("smslib/RingtoneReader", "command"));
    int command = r.Take(7, VELMORA_WORDS("smslib/RingtoneReader", "sound command"));
    // A Unicode command before the sound makes the title UCS2.
    const bool unicode = command == kUnicode;
    if (unicode) {
        r.Take(1, VELMORA_WORDS("smslib/RingtoneReader", "command"));
        command = r.Take(7, VELMORA_WORDS("smslib/RingtoneReader", "sound command"));
    }
    if (command != kSound)
        r.Refuse(VELMORA_WORDS("smslib/RingtoneReader", "sound command"),
                 VELMORA_WORDS("smslib/RingtoneReader", "not a ringing tone"));

    const int type = r.Take(3, VELMORA_WORDS("smslib/RingtoneReader", "song type"));
    if (type != kBasicSong && type != kTemporarySong)
        r.Refuse(VELMORA_WORDS("smslib/RingtoneReader", "song type"),
                 VELMORA_WORDS("smslib/RingtoneReader", "not a tune Velmora reads"));
    if (type == kBasicSong) {
        const int length = r.Take(4, VELMORA_WORDS("smslib/RingtoneReader", "title"));
        for (int k = 0; k < length; ++k) {
            const int c = r.Take(unicode ? 16 : 8, VELMORA_WORDS("smslib/RingtoneReader", "title"));
            // The title is kept in ISO-8859-1, as the encoder sends it; what
            // is beyond it shows as the encoder shows it.
            tune.title += c <= 0xFF ? static_cast<char>(c) : '?';
        }
    }
    ReadSong(r, tune);

    // Commands after the tune: a Unicode one changes nothing left to read,
    // the command end closes the content.
    r.Align();
    while (!r.AtEnd() && !r.failed()) {
        const int next = r.Take(8, VELMORA_WORDS("smslib/RingtoneReader", "command"));
        if (next == 0)
            break;
        if (next >> 1 != kUnicode)
            r.Refuse(VELMORA_WORDS("smslib/RingtoneReader", "command"),
                     VELMORA_WORDS("smslib/RingtoneReader", "not a command Velmora reads"));
    }
    if (r.failed())
        return Read::Fail(r.error());
    tune.rtttl = RtttlOf(tune);
    return Read::Ok(std::move(tune));
}

} // namespace velmora
