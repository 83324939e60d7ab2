#pragma once

// The string forms every encoder works in: hex digit text (two upper-case
// digits per octet), bit text ("0"/"1", most significant bit first) and
// sequences of character codes, with the conversions between them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

std::int64_t IntPower(std::int64_t base, int exponent);

// Two upper-case hex digits. Values outside 0..255 have no one-octet form;
// callers must keep fields in range, so this throws std::out_of_range.
std::string ByteToHex(int value);

// 0 to 15 for a hex digit of either case, as a user may type it; -1 else.
int HexValue(char c);
// Only "0"-"9" and "A"-"F" are hex digits here; everything else is skipped.
bool IsHexDigit(char c);
bool IsHexText(std::string_view s); // non-empty or empty, every character a hex digit
std::string HexToBits(std::string_view hex);
std::uint64_t BitsToInt(std::string_view bits);
std::uint64_t HexToInt(std::string_view hex);
std::string IntToBits(std::uint64_t value, int width);
std::string BitsToHex(std::string_view bits);
std::string BitsToHexPadded(std::string_view bits);

// Character codes 0..255, one per char.
std::string CharToBits(unsigned char code, bool sevenBit);
std::string TextToBits(std::string_view codes, bool sevenBit);
std::string InvertBits(std::string_view bits);

// GSM 7-bit packing (3GPP TS 23.038 clause 6.1.2.1) of concatenated 7-bit groups.
std::string PackSeptets(std::string_view bits);
// The inverse, for checking what a receiving phone would read: `count` septet
// codes out of packed octets given as hex.
std::string UnpackSeptets(std::string_view hex, std::size_t count);

// Semi-octet form of an address (TS 23.040 clause 9.1.2.3): digit pairs swapped,
// "F" filling an odd last octet.
std::string SwapSemiOctets(std::string_view number);
std::string UnswapSemiOctets(std::string_view semiOctets);
// What an address's semi-octets say, as a phone shows it: "0"-"9", and
// "*", "#", "a", "b", "c" for A to E (TS 23.040 9.1.2.3); F fills an odd
// last octet and says nothing. At most the first `count` semi-octets are
// read; nothing when one of them is not a hex digit.
std::optional<std::string> AddressDigits(std::string_view semiOctets,
                                         std::size_t count = std::string_view::npos);

std::string HexToUCS2(std::string_view hex);

} // namespace velmora
