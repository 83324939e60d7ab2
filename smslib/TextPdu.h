#pragma once

#include "Result.h"

#include <string>
#include <string_view>

namespace velmora {

inline constexpr int kMaxTextSeptets = 160;
inline constexpr int kMaxFlashCharacters = 69;

// A normal message (GSM 7-bit, at most 160 septets) or a flash message
// (UCS2, message class 0), optionally with the blinking unit 0001 in front.
// Blink only counts when Flash is set.
Result<std::string> BuildTextPDU(std::string_view number, std::u16string_view text, bool flash, bool blink);

} // namespace velmora
