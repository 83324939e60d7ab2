#pragma once

// Nokia Smart Messaging content, addressed to its application port through
// a user-data header (TS 23.040 clause 9.2.3.24.4), sent as 8-bit class 1 data.

#include "Result.h"

#include <array>
#include <string>
#include <string_view>

namespace velmora {

// Content is hex content text: upper-case digits, whole octets.
Result<std::string> BuildOperatorLogoPDU(std::string_view number, std::string_view logo,
                                         std::string_view networkCode);
Result<std::string> BuildGroupGraphicPDU(std::string_view number, std::string_view graphic);
// The picture goes out as three concatenated messages, parts 1, 2, 3.
Result<std::array<std::string, 3>> BuildPictureMessagePDUs(std::string_view number, std::string_view picture);
Result<std::string> BuildRingtonePDU(std::string_view number, std::string_view ringtone);

// Why the content cannot be framed, or empty when it can: it must be hex
// digits "0"-"9", "A"-"F" and an even number of them.
std::string CheckContentHex(std::string_view content);

} // namespace velmora
