#include "Shown.h"

#include "Terms.h"

namespace velmora::cli {

std::string StateShown(const MessageRecord& m) {
    // The words in the user's language (in English the names --json gives).
    std::string said = terms::StateWord(m.state).toStdString();
    const std::string code = m.reasonCode ? std::to_string(*m.reasonCode) : "?";
    if (m.state == msg::State::Cancelled && m.reason == msg::Reason::Cancelled)
        return said;
    switch (m.reason) {
    case msg::Reason::None:
        return said;
    case msg::Reason::CmsError:
        return said + " (+CMS ERROR " + code + ")";
    case msg::Reason::CmeError:
        return said + " (+CME ERROR " + code + ")";
    case msg::Reason::ReportFailed:
        return said + " (TP-ST " + code + ")";
    default:
        return said + " (" + terms::ReasonWord(m.reason).toStdString() + (m.reasonCode ? " " + code : "") +
               ")";
    }
}

} // namespace velmora::cli
