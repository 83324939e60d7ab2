#include "LinkEvents.h"

#include "Said.h"

namespace velmora {

std::string SubmitOutcomeText(SubmitOutcome outcome) {
    switch (outcome) {
    case SubmitOutcome::NoPduMode:
        return translate("SubmitOutcome", "Fail (no PDU mode)");
    case SubmitOutcome::NoPrompt:
        return translate("SubmitOutcome", "Fail (no prompt)");
    case SubmitOutcome::Failed:
        return translate("SubmitOutcome", "Fail (1)");
    case SubmitOutcome::Sent:
        return translate("SubmitOutcome", "Message Sent");
    case SubmitOutcome::Unknown:
        return translate("SubmitOutcome", "Unknown");
    case SubmitOutcome::LinkLost:
        return translate("SubmitOutcome", "Fail (not connected)");
    }
    return translate("SubmitOutcome", "Unknown");
}

std::vector<std::pair<SubmitLog, std::string>> SubmitLogEntries(const PartEnded& part) {
    switch (part.outcome) {
    case SubmitOutcome::Sent:
        return {{SubmitLog::Transmit, part.destination}};
    case SubmitOutcome::Failed:
        return {{SubmitLog::Failed, part.destination}, {SubmitLog::Failed, part.answer}};
    case SubmitOutcome::Unknown:
        return {{SubmitLog::Failed, part.destination + " (?)"}};
    case SubmitOutcome::NoPduMode:
    case SubmitOutcome::NoPrompt:
    case SubmitOutcome::LinkLost:
        break;
    }
    return {};
}

} // namespace velmora
