#pragma once

// The GSM 7-bit default alphabet and its extension table (3GPP TS 23.038
// clause 6.2.1), so that what a normal text message shows on the receiving
// phone is what the user typed.

#include "Result.h"

#include <string>
#include <string_view>

namespace velmora {

// Septet codes (0..127) for the text, extension characters as 0x1B and their
// code. Refuses, naming them, the characters the alphabet cannot carry.
Result<std::string> EncodeGsm7(std::u16string_view text);

// Septets the text takes in a normal message (extension characters count two),
// or -1 when some character has no GSM form: the window's character counter.
int CountSeptets(std::u16string_view text);

// The distinct characters of the text with no GSM form, in order of appearance.
std::u32string UnencodableCharacters(std::u16string_view text);
// Those characters as a refusal names them: visible ones in quotes, control
// characters as U+XXXX, separated by commas.
std::string NameCharacters(std::u32string_view characters);

// Septet codes back to text; an unknown escape gives the base-table character
// as TS 23.038 asks of a receiver.
std::u16string DecodeGsm7(std::string_view codes);

} // namespace velmora
