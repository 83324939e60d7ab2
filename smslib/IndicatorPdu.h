#pragma once

// Messages without user data that act through their data coding scheme alone:
// the message waiting indication groups of TS 23.038 clause 4.

#include "Result.h"

#include <string>
#include <string_view>

namespace velmora {

enum IndicatorKind { Voicemail = 1, Fax = 2, Email = 3 };

Result<std::string> BuildVoidPDU(std::string_view number);
// Group picks between the two active codes of each kind; the window always sets it.
Result<std::string> BuildIndicatorPDU(std::string_view number, int kind, bool active, bool group);

} // namespace velmora
