#pragma once

// The sentences this library hands a user are written as patterns, with %1,
// %2... for what it fills in, and marked with VELMORA_WORDS so the
// translators' catalog holds each pattern. A front end that shows such a
// sentence finds its pattern again and says it in the user's language
// (core's Localized); here it stays English, byte for byte.

#include <initializer_list>
#include <string>
#include <string_view>

// The context names the subject, for translators: "smslib/Ringtone".
#define VELMORA_WORDS(context, pattern) pattern

namespace velmora {

// `pattern` with each %1..%9 replaced by the argument of that number; a %
// followed by anything else, or by a number with no argument, stays.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace velmora
