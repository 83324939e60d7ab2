#pragma once

// The phone book's writes and imports in the words the window and the
// command line share.

#include "ContactImport.h"
#include "SimPhonebook.h"

#include <QString>

namespace velmora {

// Why an entry was not written or deleted, in a sentence; "" when it was.
// The phone's own texts (a refusal, an occupant's name) are Latin-1 bytes.
QString SimBookProblemText(const SimBookOutcome& outcome);

// The SIM's limits in a line: "Places 1 to 250, numbers of up to 40
// digits, names of up to 18 characters (GSM)".
QString SimLimitsText(const SimBookLimits& limits, const QString& charset);

// Why a contact of an import does not fit, in a few words.
QString UnfitText(const UnfitEntry& unfit);

} // namespace velmora
