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
