#include "Ringtone.h"

#include "Words.h"

#include "Bitmap.h"
#include "Primitives.h"
#include "Strings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <vector>

namespace velmora {

namespace {

struct Key {
    std::string_view key;
    std::string_view code;
};

// Searched in order, the first key found inside the token wins: every sharp
// stands before its natural.
constexpr std::array<Key, 13> kNotes{{{"P", "0000"},
                                      {"C#", "0010"},
                                      {"C", "0001"},
                                      {"D#", "0100"},
                                      {"D", "0011"},
                                      {"E", "0101"},
                                      {"F#", "0111"},
                                      {"F", "0110"},
                                      {"G#", "1001"},
                                      {"G", "1000"},
                                      {"A#", "1011"},
                                      {"A", "1010"},
                                      {"B", "1100"}}};

// Note values the ringtone format can express, with their 3-bit codes.
constexpr std::array<std::pair<int, std::string_view>, 6> kDurations{
    {{32, "101"}, {16, "100"}, {8, "011"}, {4, "010"}, {2, "001"}, {1, "000"}}};

constexpr int kDefaultDuration = 4;
constexpr int kDefaultOctave = 6;
constexpr int kDefaultTempo = 63;
constexpr std::size_t kMaxTitle = 15; // field 5 counts the title in 4 bits
// Field 11 counts instructions in 8 bits: three fixed ones and two per note.
constexpr std::size_t kMaxNotes = (255 - 3) / 2;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7F'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> SplitAt(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = s.find(sep);
        parts.push_back(Trim(s.substr(0, at)));
        if (at == std::string_view::npos)
            return parts;
        s.remove_prefix(at + 1);
    }
}

// The first run of decimal digits in `s`, if any (capped, so huge values
// cannot overflow; they are far from every listed value anyway).
std::optional<long> FirstNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && !std::isdigit(static_cast<unsigned char>(s[i])))
        ++i;
    if (i == s.size())
        return std::nullopt;
    long value = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
        value = std::min(value * 10 + (s[i] - '0'), 1'000'000L);
    return value;
}

// Index of the listed value nearest to `value`; ties go to the earlier entry.
template <class List, class Get> std::size_t Nearest(const List& list, long value, Get get) {
    std::size_t best = 0;
    for (std::size_t k = 1; k < list.size(); ++k)
        if (std::labs(get(list[k]) - value) < std::labs(get(list[best]) - value))
            best = k;
    return best;
}

int NearestDuration(long value) {
    return kDurations[Nearest(kDurations, value, [](const auto& d) { return static_cast<long>(d.first); })]
        .first;
}

int NearestOctave(long value) { return static_cast<int>(std::clamp(value, 4L, 7L)); }

std::string_view DurationCode(int duration) {
    for (const auto& d : kDurations)
        if (d.first == duration)
            return d.second;
    return "010";
}

std::string TempoCode(int tempo) {
    const std::size_t n = Nearest(kRingtoneTempos, tempo, [](int t) { return static_cast<long>(t); });
    return IntToBits(31 - n, 5);
}

struct Defaults {
    int duration = kDefaultDuration;
    int octave = kDefaultOctave;
    int tempo = kDefaultTempo;
    std::string tempoText;
};

Defaults ReadDefaults(std::string_view field) {
    Defaults d;
    const std::string upper = Upper(field);
    for (std::string_view entry : SplitAt(upper, ',')) {
        const std::string_view value = entry.size() > 2 ? entry.substr(2) : std::string_view();
        const auto number = FirstNumber(value);
        if (entry.find("D=") != std::string_view::npos && number)
            d.duration = NearestDuration(*number);
        if (entry.find("O=") != std::string_view::npos && number)
            d.octave = NearestOctave(*number);
        if (entry.find("B=") != std::string_view::npos) {
            d.tempoText = std::string(value);
            if (number)
                d.tempo = static_cast<int>(*number);
        }
    }
    return d;
}

// The scale and note instructions of one token, or nothing for a token
// without a note name.
std::optional<std::string> EncodeNote(std::string_view token, const Defaults& d) {
    const Key* note = nullptr;
    std::size_t at = std::string_view::npos;
    for (const auto& n : kNotes)
        if ((at = token.find(n.key)) != std::string_view::npos) {
            note = &n;
            break;
        }
    if (!note)
        return std::nullopt;

    const auto durationNumber = FirstNumber(token.substr(0, at));
    const int duration = durationNumber ? NearestDuration(*durationNumber) : d.duration;
    // The octave digit and the dot may come in either order: "c6." is the
    // usual form, but many published tunes write "c.6". Each is read once.
    std::size_t next = at + note->key.size();
    const auto take = [&](auto accepts) {
        if (next < token.size() && accepts(token[next]))
            return token[next++];
        return '\0';
    };
    const auto isDot = [](char c) { return c == '.'; };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    bool dotted = take(isDot) != '\0';
    int octave = d.octave;
    if (const char digit = take(isDigit))
        octave = NearestOctave(digit - '0');
    if (!dotted)
        dotted = take(isDot) != '\0';

    std::string bits = "010";
    bits += IntToBits(static_cast<unsigned>(octave - 4), 2);
    bits += "001";
    bits += note->code;
    bits += DurationCode(duration);
    bits += dotted ? "01" : "00";
    return bits;
}

} // namespace

std::size_t CountOccurrences(std::string_view s, std::string_view t) {
    if (t.empty())
        return 0;
    std::size_t count = 0;
    for (auto at = s.find(t); at != std::string_view::npos; at = s.find(t, at + t.size()))
        ++count;
    return count;
}

// The first 15 characters of the title. Ringtone titles travel as ISO-8859-1
// octets: a title saved as UTF-8 (as Linux editors do) is cut between
// characters and converted, so "F\u00fcr Elise" shows as typed; a title in some
// other encoding is taken as its bytes.
static std::string CutTitle(std::string_view title) {
    if (!IsUtf8(title))
        return std::string(title.substr(0, kMaxTitle));
    std::size_t end = 0;
    for (std::size_t chars = 0; end < title.size() && chars < kMaxTitle; ++chars) {
        ++end;
        while (end < title.size() && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80)
            ++end;
    }
    return std::string(title.substr(0, end));
}

namespace {

// A tune as read from its text, with every note it holds.
struct Tune {
    std::string title, titleOctets, tempoText;
    int tempo = kDefaultTempo;
    std::vector<std::string> notes; // the scale and note instructions of each
};

// Each note is a scale and a note instruction: 3 + 2 + 3 + 4 + 3 + 2 bits.
constexpr std::size_t kNoteBits = 17;

Tune ReadTune(std::string_view rtttl) {
    std::string s(Trim(rtttl));
    if (s.empty() || s.back() != ':')
        s += ':';
    // title:defaults:notes; a fourth field onwards is ignored. With fewer
    // fields the text is title:notes.
    const bool three = CountOccurrences(s, ":") >= 3;
    // The last ":" closes the last field; what follows it is nothing.
    auto fields = SplitAt(std::string_view(s).substr(0, s.size() - 1), ':');
    fields.resize(3);

    Tune tune;
    tune.title = CutTitle(fields[0]);
    tune.titleOctets = IsUtf8(tune.title) ? Utf8ToLatin1(tune.title, '?') : tune.title;
    const Defaults defaults = three ? ReadDefaults(fields[1]) : Defaults{};
    tune.tempoText = defaults.tempoText;
    tune.tempo = defaults.tempo;

    const std::string noteList = Upper(three ? fields[2] : fields[1]);
    for (std::string_view token : SplitAt(noteList, ','))
        if (auto note = EncodeNote(token, defaults))
            tune.notes.push_back(std::move(*note));
    return tune;
}

// Everything before the notes of a stream holding `notes` notes; only the
// instruction count depends on them.
std::string StreamHead(const Tune& tune, std::size_t notes) {
    std::string bits = "00000010"
                       "01001010"
                       "0011101"
                       "001";
    bits += IntToBits(tune.titleOctets.size(), 4);
    bits += TextToBits(tune.titleOctets, false);
    bits += "00000001"
            "000"
            "00"
            "0000";
    bits += IntToBits(3 + 2 * notes, 8);
    bits += "100" + TempoCode(tune.tempo);
    bits += "011"
            "00"
            "101"
            "0111";
    return bits;
}

// The whole stream with the first `notes` notes of the tune.
std::string WriteStream(const Tune& tune, std::size_t notes) {
    std::string bits = StreamHead(tune, notes);
    for (std::size_t k = 0; k < notes; ++k)
        bits += tune.notes[k];
    bits.append((8 - bits.size() % 8) % 8, '0');
    bits += "00000000";
    return bits;
}

// A field or token of the line with where it starts in the line.
struct Part {
    std::size_t at;
    std::string_view text;
};

Part TrimPart(Part p) {
    while (!p.text.empty() && IsBlank(p.text.front())) {
        p.text.remove_prefix(1);
        ++p.at;
    }
    while (!p.text.empty() && IsBlank(p.text.back()))
        p.text.remove_suffix(1);
    return p;
}

// SplitAt, keeping the places.
std::vector<Part> SplitParts(Part whole, char sep) {
    std::vector<Part> parts;
    for (;;) {
        const auto at = whole.text.find(sep);
        parts.push_back(TrimPart({whole.at, whole.text.substr(0, at)}));
        if (at == std::string_view::npos)
            return parts;
        whole.at += at + 1;
        whole.text.remove_prefix(at + 1);
    }
}

bool AllDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsDuration(std::string_view digits) {
    return std::any_of(kDurations.begin(), kDurations.end(),
                       [&](const auto& d) { return std::to_string(d.first) == digits; });
}

struct Fault {
    std::size_t at;
    std::string what;
};

std::optional<Fault> DefaultsFault(Part field) {
    for (const Part entry : SplitParts(field, ',')) {
        if (entry.text.empty())
            continue;
        const std::string upper = Upper(entry.text);
        const std::string_view key = std::string_view(upper).substr(0, 2);
        const Part value = TrimPart({entry.at + 2, entry.text.size() > 2 ? entry.text.substr(2) : ""});
        if (key != "D=" && key != "O=" && key != "B=")
            return Fault{entry.at, Fill(VELMORA_WORDS("smslib/Ringtone",
                                                      "\"%1\" is not d=, o= or b=; it is passed over"),
                                        {entry.text})};
        if (value.text.empty() || !AllDigits(value.text))
            return Fault{value.at,
                         Fill(VELMORA_WORDS("smslib/Ringtone", "\"%1\" needs a whole number"), {entry.text})};
        if (key == "D=" && !IsDuration(value.text))
            return Fault{
                value.at,
                Fill(VELMORA_WORDS("smslib/Ringtone", "\"%1\" is not 1, 2, 4, 8, 16 or 32; it plays as d=%2"),
                     {entry.text, std::to_string(NearestDuration(*FirstNumber(value.text)))})};
        if (key == "O=" && (value.text.size() != 1 || value.text[0] < '4' || value.text[0] > '7'))
            return Fault{value.at,
                         Fill(VELMORA_WORDS("smslib/Ringtone", "\"%1\" is not 4 to 7; it plays as o=%2"),
                              {entry.text, std::to_string(NearestOctave(*FirstNumber(value.text)))})};
    }
    return std::nullopt;
}

// The parts of a note token EncodeNote passes over or rounds.
std::optional<Fault> NoteFault(Part token) {
    const std::string upper = Upper(token.text);
    std::size_t at = std::string::npos, keySize = 0;
    for (const auto& n : kNotes)
        if ((at = upper.find(n.key)) != std::string::npos) {
            keySize = n.key.size();
            break;
        }
    if (at == std::string::npos)
        return Fault{token.at, Fill(VELMORA_WORDS("smslib/Ringtone", "\"%1\" is not a note; it is left out"),
                                    {token.text})};
    const std::string_view duration = token.text.substr(0, at);
    if (!AllDigits(duration))
        return Fault{token.at, Fill(VELMORA_WORDS("smslib/Ringtone",
                                                  "\"%1\": only a note value may come before the note"),
                                    {token.text})};
    if (!duration.empty() && !IsDuration(duration))
        return Fault{token.at, Fill(VELMORA_WORDS("smslib/Ringtone",
                                                  "\"%1\" is not 1, 2, 4, 8, 16 or 32; it plays as %2"),
                                    {duration, std::to_string(NearestDuration(*FirstNumber(duration)))})};
    std::size_t next = at + keySize;
    const auto skip = [&](char c) { next += next < upper.size() && upper[next] == c; };
    skip('.');
    if (next < upper.size() && upper[next] >= '0' && upper[next] <= '9') {
        if (upper[next] < '4' || upper[next] > '7')
            return Fault{
                token.at + next,
                Fill(VELMORA_WORDS("smslib/Ringtone", "octave %1 is not 4 to 7; it plays as %2"),
                     {std::string(1, upper[next]), std::to_string(NearestOctave(upper[next] - '0'))})};
        ++next;
    }
    skip('.');
    if (next < upper.size())
        return Fault{token.at + next,
                     Fill(VELMORA_WORDS("smslib/Ringtone", "\"%1\" after the note is passed over"),
                          {token.text.substr(next)})};
    return std::nullopt;
}

std::optional<Fault> LineFault(std::string_view rtttl) {
    const Part line = TrimPart({0, rtttl});
    std::string s(line.text);
    if (s.empty() || s.back() != ':')
        s += ':';
    const bool three = CountOccurrences(s, ":") >= 3;
    auto fields = SplitParts({line.at, std::string_view(rtttl).substr(line.at, s.size() - 1)}, ':');
    // A line that ends without its ':' was given one after its end.
    fields.resize(3, Part{line.at + line.text.size(), ""});
    if (const std::size_t kept = CutTitle(fields[0].text).size(); kept < fields[0].text.size())
        return Fault{fields[0].at + kept,
                     VELMORA_WORDS("smslib/Ringtone", "the title keeps only its first 15 characters")};
    if (three)
        if (auto fault = DefaultsFault(fields[1]))
            return fault;
    const Part notes = three ? fields[2] : fields[1];
    std::size_t count = 0;
    for (const Part token : SplitParts(notes, ',')) {
        if (token.text.empty())
            continue;
        if (auto fault = NoteFault(token))
            return fault;
        if (++count > kMaxNotes)
            return Fault{token.at, Fill(VELMORA_WORDS("smslib/Ringtone",
                                                      "a tune holds at most %1 notes; the rest are left out"),
                                        {std::to_string(kMaxNotes)})};
    }
    if (count == 0)
        return Fault{notes.at + notes.text.size(), VELMORA_WORDS("smslib/Ringtone", "there are no notes")};
    return std::nullopt;
}

// Characters before byte `at` of `line`: UTF-8 counted by character.
std::size_t CharactersBefore(std::string_view line, std::size_t at) {
    const std::string_view head = line.substr(0, std::min(at, line.size()));
    if (!IsUtf8(line))
        return head.size();
    return static_cast<std::size_t>(std::count_if(
        head.begin(), head.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

std::optional<RingtoneFault> FindRingtoneFault(std::string_view rtttl) {
    auto fault = LineFault(rtttl);
    if (!fault)
        return std::nullopt;
    return RingtoneFault{CharactersBefore(rtttl, fault->at), std::move(fault->what)};
}

std::string RingtoneFaultText(const RingtoneFault& fault) {
    return Fill(VELMORA_WORDS("smslib/Ringtone", "Character %1: %2"),
                {std::to_string(fault.position + 1), fault.what});
}

EncodedRingtone EncodeRingtone(std::string_view rtttl) {
    Tune tune = ReadTune(rtttl);
    EncodedRingtone out;
    out.bits = WriteStream(tune, std::min(tune.notes.size(), kMaxNotes));
    out.title = std::move(tune.title);
    out.titleOctets = std::move(tune.titleOctets);
    out.tempoText = std::move(tune.tempoText);
    return out;
}

RingtoneFit FitRingtone(std::string_view rtttl) {
    const Tune tune = ReadTune(rtttl);
    // The notes are the only part of the stream that grows; the command end
    // takes the last octet, the filler the bits the notes leave of theirs.
    const std::size_t headBits = StreamHead(tune, 0).size();
    const std::size_t roomBits = (kMaxRingtoneOctets - 1) * 8;
    const std::size_t room = headBits < roomBits ? (roomBits - headBits) / kNoteBits : 0;
    const std::size_t fitting = std::min({tune.notes.size(), kMaxNotes, room});

    RingtoneFit fit;
    fit.notes = static_cast<int>(tune.notes.size());
    fit.fitting = static_cast<int>(fitting);
    fit.content = BitsToHexPadded(WriteStream(tune, fitting));
    return fit;
}

bool RingtoneFits(std::string_view rtttl) {
    const RingtoneFit fit = FitRingtone(rtttl);
    return fit.fitting == fit.notes;
}

RingtoneFile RingtoneFromLine(std::string_view line) {
    RingtoneFile file;
    file.rtttl = std::string(line);
    auto encoded = EncodeRingtone(line);
    file.title = std::move(encoded.title);
    file.tempoText = std::move(encoded.tempoText);
    file.content = BitsToHexPadded(encoded.bits);
    return file;
}

Result<RingtoneFile> ReadRingtoneFile(const std::string& path) {
    auto line = ReadFirstLine(path);
    if (!line)
        return Result<RingtoneFile>::Fail(line.error());
    return Result<RingtoneFile>::Ok(RingtoneFromLine(*line));
}

} // namespace velmora
