#include "Ussd.h"

#include "Gsm7.h"
#include "Primitives.h"
#include "Strings.h"

#include <algorithm>

namespace velmora {

UssdCoding UssdCodingOf(std::optional<int> dcs) {
    const int v = dcs.value_or(0x0F);
    if (v < 0 || v > 0xFF)
        return {};
    const auto alphabetBits = [](int value) {
        switch ((value >> 2) & 3) {
        case 1:
            return UssdAlphabet::EightBit;
        case 2:
            return UssdAlphabet::Ucs2;
        default:
            return UssdAlphabet::Gsm7; // 3 is reserved: read as the default alphabet
        }
    };
    switch (v >> 4) {
    case 0x1:
        if (v == 0x10)
            return {UssdAlphabet::Gsm7, true};
        if (v == 0x11)
            return {UssdAlphabet::Ucs2, true};
        return {};
    case 0x4:
    case 0x5:
    case 0x6:
    case 0x7:
        if (v & 0x20)
            return {UssdAlphabet::Compressed, false};
        return {alphabetBits(v), false};
    case 0x9:
        return {alphabetBits(v), false};
    case 0xF:
        return {(v & 0x04) ? UssdAlphabet::EightBit : UssdAlphabet::Gsm7, false};
    default:
        // 0x0x and 0x2x languages in the default alphabet; every reserved
        // group is read as the default alphabet too.
        return {};
    }
}

const char* UssdWireName(UssdWire wire) {
    switch (wire) {
    case UssdWire::Text:
        return "text";
    case UssdWire::Packed:
        return "packed";
    case UssdWire::Unknown:
        break;
    }
    return "";
}

std::optional<UssdWire> UssdWireFromName(std::string_view name) {
    const std::string n = Upper(name);
    if (n == "TEXT")
        return UssdWire::Text;
    if (n == "PACKED")
        return UssdWire::Packed;
    return std::nullopt;
}

Result<std::string> PackUssd(std::u16string_view text) {
    auto codes = EncodeGsm7(text);
    if (!codes)
        return codes;
    std::string septets = *codes;
    // Seven zero bits at the end would read as "@"; a carriage return there
    // is taken for the line end it is. A text that ends in one on an octet
    // boundary gets a second, so the receiver's dropping the pad keeps it.
    if (septets.size() % 8 == 7 || (septets.size() % 8 == 0 && !septets.empty() && septets.back() == '\r'))
        septets += '\r';
    return Result<std::string>::Ok(BitsToHex(PackSeptets(TextToBits(septets, true))));
}

namespace {

bool IsHexString(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return HexValue(c) >= 0; });
}

std::string HexOctets(std::string_view hex) {
    std::string octets;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        octets += static_cast<char>(HexValue(hex[i]) * 16 + HexValue(hex[i + 1]));
    return octets;
}

// Default-alphabet codes a network's text is made of: letters, digits,
// blanks, line ends and common punctuation. Hex read the wrong way gives
// control codes, Greek capitals and "@"s.
bool Readable(char code) {
    const auto c = static_cast<unsigned char>(code);
    return c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0x3F && c != 0x24) || (c >= 0x41 && c <= 0x5A) ||
           (c >= 0x61 && c <= 0x7A);
}

double ReadableShare(std::string_view codes) {
    if (codes.empty())
        return 0;
    const auto n = std::count_if(codes.begin(), codes.end(), Readable);
    return static_cast<double>(n) / static_cast<double>(codes.size());
}

constexpr double kReadsAsText = 0.9;

std::string Utf8Of(std::u16string_view text) { return Utf16ToUtf8(text); }

// The modem's bytes as text: UTF-8 when they are, else one character a byte.
std::string TextOf(std::string_view bytes) {
    return IsUtf8(bytes) ? std::string(bytes) : Utf16ToUtf8(Latin1ToUtf16(bytes));
}

// Septet codes of packed hex, the padding carriage return (or, from a modem
// that left it out, the "@" of seven zero bits) dropped.
std::string PackedCodes(std::string_view hex) {
    const std::size_t count = hex.size() / 2 * 8 / 7;
    std::string codes = UnpackSeptets(hex, count);
    if (count % 8 == 0 && !codes.empty() && (codes.back() == '\r' || codes.back() == '\0'))
        codes.pop_back();
    return codes;
}

std::optional<std::string> SeptetCodes(std::string_view hex) {
    std::string octets = HexOctets(hex);
    if (std::any_of(octets.begin(), octets.end(),
                    [](char c) { return static_cast<unsigned char>(c) > 0x7F; }))
        return std::nullopt;
    return octets;
}

std::optional<std::string> Ucs2Text(std::string_view hex) {
    if (hex.size() % 4 != 0)
        return std::nullopt;
    std::u16string units;
    for (std::size_t i = 0; i < hex.size(); i += 4)
        units += static_cast<char16_t>(HexToInt(hex.substr(i, 4)));
    return Utf8Of(units);
}

// "EN\r" before a text of DCS 0x10.
std::u16string WithoutLanguage(std::u16string text) {
    const auto letter = [](char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
    if (text.size() >= 3 && letter(text[0]) && letter(text[1]) && text[2] == u'\r')
        text.erase(0, 3);
    return text;
}

UssdText DefaultAlphabet(std::string_view str, bool languageFirst, UssdWire wire) {
    const auto shown = [languageFirst](const std::string& codes, const char* how) {
        std::u16string text = DecodeGsm7(codes);
        if (languageFirst)
            text = WithoutLanguage(std::move(text));
        return UssdText{Utf8Of(text), how};
    };
    const bool hex = IsHexString(str) && str.size() % 2 == 0;
    if (hex && wire == UssdWire::Packed)
        return shown(PackedCodes(str), "packed");
    if (hex && wire == UssdWire::Unknown) {
        // The form that reads as text wins; packed first, the form sticks use.
        const std::string packed = PackedCodes(str);
        const std::optional<std::string> septets = SeptetCodes(str);
        const double packedShare = ReadableShare(packed);
        const double septetShare = septets ? ReadableShare(*septets) : 0;
        if (packedShare >= kReadsAsText && packedShare >= septetShare)
            return shown(packed, "packed");
        if (septetShare >= kReadsAsText)
            return shown(*septets, "septets");
    }
    std::string text = TextOf(str);
    if (languageFirst)
        text = Utf8Of(WithoutLanguage(Utf8ToUtf16(text)));
    return {text, "text"};
}

} // namespace

std::optional<std::u16string> UnpackUssd(std::string_view hex) {
    if (!IsHexString(hex) || hex.size() % 2 != 0)
        return std::nullopt;
    return DecodeGsm7(PackedCodes(hex));
}

UssdText DecodeUssd(std::string_view str, std::optional<int> dcs, UssdWire wire) {
    const UssdCoding coding = UssdCodingOf(dcs);
    const bool hex = IsHexString(str) && str.size() % 2 == 0;
    switch (coding.alphabet) {
    case UssdAlphabet::Gsm7:
        return DefaultAlphabet(str, coding.languageFirst, wire);
    case UssdAlphabet::Ucs2: {
        if (!IsHexString(str))
            return {TextOf(str), "text"}; // the modem turned it into its own characters
        // 0x11: two packed septets of language, then the text.
        const std::string_view body = coding.languageFirst && str.size() >= 4 ? str.substr(4) : str;
        if (auto text = Ucs2Text(body))
            return {*text, "ucs2"};
        break;
    }
    case UssdAlphabet::EightBit: {
        if (!hex)
            return {TextOf(str), "text"};
        const std::string octets = HexOctets(str);
        const bool printable = std::all_of(octets.begin(), octets.end(), [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u == '\n' || u == '\r' || (u >= 0x20 && u != 0x7F && (u < 0x80 || u >= 0xA0));
        });
        if (printable)
            return {Utf8Of(Latin1ToUtf16(octets)), "8-bit"};
        break;
    }
    case UssdAlphabet::Compressed:
        break;
    }
    return {TextOf(str), "as-is"};
}

} // namespace velmora
