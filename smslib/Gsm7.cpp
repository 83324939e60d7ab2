#include "Gsm7.h"

#include "Words.h"

#include "Strings.h"

#include <array>

namespace velmora {

namespace {

constexpr char16_t kEscape = 0x1B;

// Index = GSM code. 0x1B is the escape to the extension table.
// clang-format off
constexpr std::array<char16_t, 128> kBasic = {
    u'@',    u'\u00A3', u'$',     u'\u00A5', u'\u00E8', u'\u00E9', u'\u00F9', u'\u00EC', // 00
    u'\u00F2', u'\u00C7', u'\n',   u'\u00D8', u'\u00F8', u'\r',     u'\u00C5', u'\u00E5', // 08
    u'\u0394', u'_',     u'\u03A6', u'\u0393', u'\u039B', u'\u03A9', u'\u03A0', u'\u03A8', // 10
    u'\u03A3', u'\u0398', u'\u039E', kEscape,  u'\u00C6', u'\u00E6', u'\u00DF', u'\u00C9', // 18
    u' ',    u'!',     u'"',     u'#',     u'\u00A4', u'%',     u'&',     u'\'',    // 20
    u'(',    u')',     u'*',     u'+',     u',',     u'-',     u'.',     u'/',     // 28
    u'0',    u'1',     u'2',     u'3',     u'4',     u'5',     u'6',     u'7',     // 30
    u'8',    u'9',     u':',     u';',     u'<',     u'=',     u'>',     u'?',     // 38
    u'\u00A1', u'A',     u'B',     u'C',     u'D',     u'E',     u'F',     u'G',     // 40
    u'H',    u'I',     u'J',     u'K',     u'L',     u'M',     u'N',     u'O',     // 48
    u'P',    u'Q',     u'R',     u'S',     u'T',     u'U',     u'V',     u'W',     // 50
    u'X',    u'Y',     u'Z',     u'\u00C4', u'\u00D6', u'\u00D1', u'\u00DC', u'\u00A7', // 58
    u'\u00BF', u'a',     u'b',     u'c',     u'd',     u'e',     u'f',     u'g',     // 60
    u'h',    u'i',     u'j',     u'k',     u'l',     u'm',     u'n',     u'o',     // 68
    u'p',    u'q',     u'r',     u's',     u't',     u'u',     u'v',     u'w',     // 70
    u'x',    u'y',     u'z',     u'\u00E4', u'\u00F6', u'\u00F1', u'\u00FC', u'\u00E0', // 78
};
// clang-format on

struct Extension {
    char16_t ch;
    char code;
};
constexpr std::array<Extension, 10> kExtension = {{
    {u'\f', 0x0A},
    {u'^', 0x14},
    {u'{', 0x28},
    {u'}', 0x29},
    {u'\\', 0x2F},
    {u'[', 0x3C},
    {u'~', 0x3D},
    {u']', 0x3E},
    {u'|', 0x40},
    {u'\u20AC', 0x65},
}};

// Latin-1 characters are by far the most common: look them up directly.
constexpr std::array<signed char, 256> MakeLatin1Index() {
    std::array<signed char, 256> index{};
    for (auto& i : index)
        i = -1;
    for (std::size_t code = 0; code < kBasic.size(); ++code)
        if (code != kEscape && kBasic[code] < 256)
            index[kBasic[code]] = static_cast<signed char>(code);
    return index;
}
constexpr std::array<signed char, 256> kLatin1Index = MakeLatin1Index();

// Septet codes for one UTF-16 unit: one code, an escape pair, or none.
std::string CodesFor(char16_t ch) {
    if (ch < 256 && kLatin1Index[ch] >= 0)
        return std::string(1, static_cast<char>(kLatin1Index[ch]));
    if (ch != kEscape)
        for (std::size_t i = 0; i < kBasic.size(); ++i)
            if (kBasic[i] == ch)
                return std::string(1, static_cast<char>(i));
    for (const auto& e : kExtension)
        if (e.ch == ch)
            return std::string{static_cast<char>(kEscape), e.code};
    return {};
}

// Walks the text as code points, so a character outside the BMP is named
// once and whole rather than as two halves of a surrogate pair.
template <class F> void ForEachCodePoint(std::u16string_view text, F f) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        std::size_t units = 1;
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            units = 2;
        }
        f(cp, units);
        i += units - 1;
    }
}

// Control characters are named by code, anything visible in quotes.
std::string CharacterName(char32_t cp) {
    if (cp >= 0x20 && !(cp >= 0x7F && cp < 0xA0))
        return "\"" + CodePointToUtf8(cp) + "\"";
    std::string hex;
    for (char32_t v = cp; v > 0; v /= 16)
        hex.insert(hex.begin(), "0123456789ABCDEF"[v % 16]);
    return "U+" + PadLeft(hex, 4, '0');
}

} // namespace

std::u32string UnencodableCharacters(std::u16string_view text) {
    std::u32string bad;
    ForEachCodePoint(text, [&](char32_t cp, std::size_t) {
        const bool representable = cp < 0x10000 && !CodesFor(static_cast<char16_t>(cp)).empty();
        if (!representable && bad.find(cp) == std::u32string::npos)
            bad += cp;
    });
    return bad;
}

std::string NameCharacters(std::u32string_view characters) {
    std::string names;
    for (char32_t cp : characters) {
        if (!names.empty())
            names += ", ";
        names += CharacterName(cp);
    }
    return names;
}

Result<std::string> EncodeGsm7(std::u16string_view text) {
    const std::u32string bad = UnencodableCharacters(text);
    if (!bad.empty()) {
        return Result<std::string>::Fail(
            Fill(VELMORA_WORDS("smslib/Gsm7", "A normal text message cannot carry %1. Remove them, or send "
                                              "the text as a Flash Message, which carries any character."),
                 {NameCharacters(bad)}));
    }
    std::string codes;
    codes.reserve(text.size());
    for (char16_t ch : text)
        codes += CodesFor(ch);
    return Result<std::string>::Ok(std::move(codes));
}

int CountSeptets(std::u16string_view text) {
    int count = 0;
    for (char16_t ch : text) {
        const std::string codes = CodesFor(ch);
        if (codes.empty())
            return -1;
        count += static_cast<int>(codes.size());
    }
    return count;
}

std::u16string DecodeGsm7(std::string_view codes) {
    std::u16string text;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const auto code = static_cast<unsigned char>(codes[i]) & 0x7F;
        if (code == 0x1B && i + 1 < codes.size()) {
            const char next = static_cast<char>(static_cast<unsigned char>(codes[++i]) & 0x7F);
            char16_t ch = kBasic[static_cast<unsigned char>(next)];
            for (const auto& e : kExtension)
                if (e.code == next)
                    ch = e.ch;
            text += ch;
        } else {
            text += kBasic[code];
        }
    }
    return text;
}

} // namespace velmora
