#include "LinkEvents.h"

namespace velmora {

const char* SubmitOutcomeText(SubmitOutcome outcome) {
    switch (outcome) {
    case SubmitOutcome::NoPduMode:
        return "Fail (no PDU mode)";
    case SubmitOutcome::NoPrompt:
        return "Fail (no prompt)";
    case SubmitOutcome::Failed:
        return "Fail (1)";
    case SubmitOutcome::Sent:
        return "Message Sent";
    case SubmitOutcome::Unknown:
        return "Unknown";
    case SubmitOutcome::LinkLost:
        return "Fail (not connected)";
    }
    return "Unknown";
}

} // namespace velmora
