#pragma once

// What a phone says about its SIM phone book before anything is written:
// the places and lengths (AT+CPBR=?) and the character set names are read in
// (AT+CSCS? and AT+CSCS=?). Phones shape these answers each their own way;
// they are read by what each field is, not where it stands.

#include "SimPhonebook.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// "+CPBR: (1-250),40,18" and its cousins: "(0-99)", a list "(1,3-250)",
// blanks around anything, lengths left out or empty, more fields after the
// two lengths (TS 27.007 8.12 adds group, second text and e-mail lengths),
// the range without its brackets. None when the answer holds no range, or
// one past 10000 places.
std::optional<SimBookLimits> ParsePhonebookLimits(std::string_view reply);

// "+CSCS: \"GSM\"": the set the phone speaks now, unquoted, as it named
// it; "" when the answer holds none.
std::string ParseCharsetNow(std::string_view reply);

// "+CSCS: (\"IRA\",\"GSM\",\"UCS2\")": every set the phone takes, in its
// order; the brackets and quotes are optional, as phones leave them out.
std::vector<std::string> ParseCharsetsOffered(std::string_view reply);

} // namespace velmora
