#pragma once

// A stored message in the words the CLI prints it in, shared by "history"
// and "queue".

#include "MessageApi.h"
#include "MessageTypes.h"

#include <string>

namespace velmora::cli {

// "delivered", "not-delivered (TP-ST 69)", "failed (+CMS ERROR 500)",
// "uncertain (no-answer)", "cancelled"; in the user's language
// ("terkirim", "tidak pasti (program berhenti)").
std::string StateShown(const MessageRecord& m);
// One message as "history --json" gives it: velmora::MessageJson, which
// every door shows.
using velmora::MessageJson;

} // namespace velmora::cli
