#pragma once

// The texts of a USSD dialogue (a balance asked with "*123#"): how the
// network's data coding scheme says to read an answer, and the packed GSM
// 7-bit form some modems want a request in. Pure: text in, text out.

#include "Result.h"

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// How the characters of a USSD string are coded (TS 23.038 clause 5, the
// cell-broadcast scheme USSD shares).
enum class UssdAlphabet {
    Gsm7,       // the default alphabet; every reserved value reads as this
    EightBit,   // octets the network gave no meaning to
    Ucs2,       // UTF-16 big-endian
    Compressed, // compressed text: shown as it came
};

struct UssdCoding {
    UssdAlphabet alphabet = UssdAlphabet::Gsm7;
    // 0x10 and 0x11: the text starts with its language ("EN" and a carriage
    // return; in UCS2, two packed septets), which is not shown.
    bool languageFirst = false;
};

// What a DCS value says; a missing one (the modem left it out) is 0x0F,
// the default alphabet with no language given.
UssdCoding UssdCodingOf(std::optional<int> dcs);

// How a modem gives and wants the default alphabet on the AT line: as text
// in its character set, or as its packed septets in hex (many Huawei and ZTE
// sticks). Unknown: each answer is judged by what it looks like.
enum class UssdWire { Unknown, Text, Packed };
const char* UssdWireName(UssdWire wire); // "text", "packed", ""
std::optional<UssdWire> UssdWireFromName(std::string_view name);

// The text as packed septets in hex, two upper-case digits an octet. Seven
// spare bits at the end are filled with a carriage return, not read as "@"
// (TS 23.038 6.1.2.3.1). Refuses a character the alphabet cannot carry.
Result<std::string> PackUssd(std::u16string_view text);
// Packed septets back to text: the padding carriage return goes. Nothing
// when `hex` is not an even count of hex digits.
std::optional<std::u16string> UnpackUssd(std::string_view hex);

// A network's answer read for a person: UTF-8 text, and how it was read.
struct UssdText {
    std::string text;
    // "text", "packed", "septets" (one hex octet a septet), "ucs2", "8-bit",
    // or "as-is" when hex did not decode and stays as it came.
    std::string how;
    bool operator==(const UssdText&) const = default;
};

// Reads `str` as the modem gave it (its bytes: UTF-8, or Latin-1 when not)
// by the DCS. Default-alphabet hex is unpacked when the wire is packed, and
// when it is unknown and the unpacked text reads as text; UCS2 and 8-bit are
// hex, but a modem that already turned them into text keeps its text.
UssdText DecodeUssd(std::string_view str, std::optional<int> dcs, UssdWire wire = UssdWire::Unknown);

} // namespace velmora
