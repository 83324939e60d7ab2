#include "MessageWords.h"

namespace velmora {

namespace {

// Why the phone did not take it, after "Failed: ".
QString FailedWhy(msg::Reason reason, std::optional<int> code) {
    const QString n = code ? QString::number(*code) : QString("?");
    switch (reason) {
    case msg::Reason::CmsError:
        return "the phone refused it (+CMS ERROR " + n + ")";
    case msg::Reason::CmeError:
        return "the phone refused it (+CME ERROR " + n + ")";
    case msg::Reason::Error:
        return "the phone refused it (ERROR)";
    case msg::Reason::NoPduMode:
        return "the phone would not take PDUs (no OK to AT+CMGF=0)";
    case msg::Reason::NoPrompt:
        return "the phone gave no prompt for the PDU";
    case msg::Reason::NoAnswer:
        return "the phone did not answer";
    case msg::Reason::LinkLost:
        return "the link to the phone was lost before the PDU went";
    case msg::Reason::NotConnected:
        return "no phone was connected";
    case msg::Reason::Stopped:
        return "the program stopped before the PDU went";
    case msg::Reason::ReportFailed:
        return "not delivered (TP-ST " + n + ")";
    case msg::Reason::StoreFailed:
        return "the history could not record it, so it was not sent";
    case msg::Reason::Cancelled:
        return "taken out of the queue";
    case msg::Reason::Expired:
        return "its batch's time to send ran out first";
    case msg::Reason::Retrying:
    case msg::Reason::None:
        break;
    }
    return QString();
}

// Why it is not known whether it went, after "Uncertain: ".
QString UncertainWhy(msg::Reason reason) {
    switch (reason) {
    case msg::Reason::NoAnswer:
        return "the phone took the PDU but never answered";
    case msg::Reason::Stopped:
        return "the program stopped while it was being sent";
    case msg::Reason::LinkLost:
        return "the link was lost after the phone took the PDU";
    case msg::Reason::Cancelled:
        return "dropped: it is not sent again";
    default:
        return "whether the phone sent it is not known";
    }
}

} // namespace

QString StateWords(msg::State state, msg::Reason reason, std::optional<int> code) {
    switch (state) {
    case msg::State::Queued:
        return "Queued";
    case msg::State::Sending:
        return "Sending";
    case msg::State::Sent:
        return "Sent";
    case msg::State::Delivered:
        return "Delivered";
    case msg::State::NotDelivered:
        return code ? QString("Not delivered (TP-ST %1)").arg(*code) : QString("Not delivered");
    case msg::State::Failed: {
        const QString why = FailedWhy(reason, code);
        return why.isEmpty() ? QString("Failed") : "Failed: " + why;
    }
    case msg::State::Uncertain:
        return "Uncertain: " + UncertainWhy(reason);
    case msg::State::Received:
        return "Received";
    }
    return QString();
}

QString KindWords(const QString& kind) {
    static const std::pair<const char*, const char*> words[] = {
        {"text", "Text"},
        {"flash", "Flash"},
        {"logo", "Operator logo"},
        {"group", "Group graphic"},
        {"picture", "Picture message"},
        {"ringtone", "Ringtone"},
        {"ems", "EMS"},
        {"void", "Void"},
        {"indicator", "Waiting indication"},
        {"data", "Data"},
        {"report", "Delivery report"},
        {"ussd", "USSD session"},
    };
    for (const auto& [name, said] : words)
        if (kind == QLatin1String(name))
            return said;
    return kind;
}

QDateTime MessageTime(const MessageRecord& m) {
    if (m.direction == msg::Direction::In)
        return m.received.isValid() ? m.received : m.created;
    return m.sent.isValid() ? m.sent : m.created;
}

QString ShownTime(const QDateTime& utc) {
    return utc.isValid() ? utc.toLocalTime().toString("yyyy-MM-dd HH:mm") : QString();
}

QString ShortTime(const QDateTime& utc, const QDateTime& now) {
    if (!utc.isValid())
        return QString();
    const QDateTime local = utc.toLocalTime();
    const QDate today = now.toLocalTime().date();
    if (local.date() == today)
        return local.toString("HH:mm");
    if (local.date().year() == today.year())
        return local.toString("d MMM");
    return local.toString("yyyy-MM-dd");
}

QString Correspondent(const QString& name, const QString& number) {
    return name.isEmpty() ? number : name + " (" + number + ")";
}

bool CanResend(const MessageRecord& m) {
    return m.direction == msg::Direction::Out &&
           (m.state == msg::State::Failed || m.state == msg::State::Uncertain);
}

} // namespace velmora
