#pragma once

#include <string>
#include <string_view>

namespace velmora {

// UTF-8 <-> UTF-16. Malformed UTF-8 sequences become U+FFFD, so a stray byte
// can never slip through as some other character.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
std::string CodePointToUtf8(char32_t cp);
// Whether the bytes are well-formed UTF-8 (plain ASCII is).
bool IsUtf8(std::string_view bytes);
// ISO-8859-1 octets (what a phone sends) as UTF-16: each octet its own code point.
std::u16string Latin1ToUtf16(std::string_view latin1);
// ISO-8859-1 octets of UTF-8 text; characters beyond it become `replacement`.
std::string Utf8ToLatin1(std::string_view utf8, char replacement);

// ASCII letters upper-cased, every other byte as it is.
std::string Upper(std::string_view text);
std::string StripAll(std::string_view text, std::string_view what);
std::string PadLeft(std::string_view text, std::size_t width, char fill);
std::string PadRight(std::string_view text, std::size_t width, char fill);

// The country a national number ("0812...") is dialled in, until the
// settings say another ([Messages] CountryCode=).
inline constexpr std::string_view kDefaultCountryCode = "62";
// What a country code may be: 1 to 3 decimal digits.
bool IsCountryCode(std::string_view code);
// The national prefix rule, the one place it is decided: a number that
// starts with one "0" (a national number) has it turned into the country
// code; "00..." (the international prefix) and anything else are kept.
std::string WithCountryCode(std::string_view number, std::string_view countryCode);
// A number as people write it, read one way wherever one is typed, listed
// or looked up ("+62 812-345-6789", "0812.345.6789", "0062 812...",
// "(0812) 345..."): the layout (spaces, "-", ".", "(", ")") and every "+"
// removed, the international prefix "00" dropped, and a national number
// given its country code (WithCountryCode). Anything else is kept, so a
// word that is no number stays one.
std::string NormaliseDestination(std::string_view typed, std::string_view countryCode = kDefaultCountryCode);
// 1 to 20 decimal digits: what fits a TS 23.040 address field.
bool IsValidDestination(std::string_view number);

} // namespace velmora
