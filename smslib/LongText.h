#pragma once

// Text messages longer than one message or outside the GSM alphabet: a text
// in GSM 7-bit or UCS2, cut into concatenated parts when it does not fit one
// message (3GPP TS 23.040 clause 9.2.3.24.1), and the count the window shows
// while the user types.

#include "Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A concatenated message has at most 255 parts: the count is one octet.
inline constexpr int kMaxParts = 255;
// The 6-octet header of a part takes 7 septets of a 7-bit text, fill bit
// included (TS 23.040 clause 9.2.3.24), leaving 153 of the 160.
inline constexpr int kSeptetsPerPart = 153;
// 140 octets carry 70 UTF-16 units; the header leaves 67 to a part.
inline constexpr int kMaxUcs2Units = 70;
inline constexpr int kUcs2UnitsPerPart = 67;

enum class TextCoding {
    Gsm7, // the default alphabet, data coding scheme 00
    Ucs2, // UTF-16 units, data coding scheme 08 (TS 23.038 clause 4)
};

// GSM 7-bit when every character of the text has a GSM form, else UCS2.
TextCoding CodingFor(std::u16string_view text);

// Units the text takes in the coding: septets (an extension character two)
// or UTF-16 units (a character outside the BMP two). In GSM 7-bit a
// character with no GSM form counts one, so the window can count a text it
// will refuse.
int CountUnits(std::u16string_view text, TextCoding coding);

// The text as the pieces its messages carry, in order: the whole text when
// it fits one message (160 septets, 70 UTF-16 units), else pieces of at most
// 153 septets or 67 units. An escape pair or a surrogate pair is never cut.
// An empty text is one empty piece.
std::vector<std::u16string_view> SplitText(std::u16string_view text, TextCoding coding);

struct PartCount {
    int parts = 1; // messages the text is sent as
    int left = 0;  // units still free in the last of them
};
PartCount CountParts(std::u16string_view text, TextCoding coding);
// "1 message, 12 left", "2 messages, 98 left"; an empty text is one message
// with everything left, as it is sent.
std::string PartCountText(PartCount count);

// The SMS-SUBMIT PDUs of the text in the coding: one plain message when it
// fits, else parts with TP-UDHI set and the 8-bit reference concatenation
// element 00 03 `reference` n i. Refuses a reference outside 0..255, more
// than `maxParts` messages (at most 255), and in GSM 7-bit a character
// with no GSM form.
Result<std::vector<std::string>> BuildTextParts(std::string_view number, std::u16string_view text,
                                                TextCoding coding, int reference, int maxParts = kMaxParts);

} // namespace velmora
