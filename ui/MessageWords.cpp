#include "MessageWords.h"

#include "Terms.h"

#include <QCoreApplication>
#include <QLocale>

namespace velmora {

namespace {

// Why the phone did not take it, after "Failed: ".
QString FailedWhy(msg::Reason reason, std::optional<int> code) {
    const QString n = code ? QString::number(*code) : QString("?");
    switch (reason) {
    case msg::Reason::CmsError:
        return QCoreApplication::translate("MessageWords", "the phone refused it (+CMS ERROR %1)").arg(n);
    case msg::Reason::CmeError:
        return QCoreApplication::translate("MessageWords", "the phone refused it (+CME ERROR %1)").arg(n);
    case msg::Reason::Error:
        return QCoreApplication::translate("MessageWords", "the phone refused it (ERROR)");
    case msg::Reason::NoPduMode:
        return QCoreApplication::translate("MessageWords",
                                           "the phone would not take PDUs (no OK to AT+CMGF=0)");
    case msg::Reason::NoPrompt:
        return QCoreApplication::translate("MessageWords", "the phone gave no prompt for the PDU");
    case msg::Reason::NoAnswer:
        return QCoreApplication::translate("MessageWords", "the phone did not answer");
    case msg::Reason::LinkLost:
        return QCoreApplication::translate("MessageWords",
                                           "the link to the phone was lost before the PDU went");
    case msg::Reason::NotConnected:
        return QCoreApplication::translate("MessageWords", "no phone was connected");
    case msg::Reason::Stopped:
        return QCoreApplication::translate("MessageWords", "the program stopped before the PDU went");
    case msg::Reason::ReportFailed:
        return QCoreApplication::translate("MessageWords", "not delivered (TP-ST %1)").arg(n);
    case msg::Reason::StoreFailed:
        return QCoreApplication::translate("MessageWords",
                                           "the history could not record it, so it was not sent");
    case msg::Reason::Cancelled:
        return QCoreApplication::translate("MessageWords", "taken out of the queue");
    case msg::Reason::Expired:
        return QCoreApplication::translate("MessageWords", "its batch's time to send ran out first");
    case msg::Reason::Vanished:
        return QCoreApplication::translate("MessageWords",
                                           "the program sending it on another box stopped answering");
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
        return QCoreApplication::translate("MessageWords", "the phone took the PDU but never answered");
    case msg::Reason::Stopped:
        return QCoreApplication::translate("MessageWords", "the program stopped while it was being sent");
    case msg::Reason::Vanished:
        return QCoreApplication::translate(
            "MessageWords", "the program sending it stopped answering (its instance vanished)");
    case msg::Reason::LinkLost:
        return QCoreApplication::translate("MessageWords", "the link was lost after the phone took the PDU");
    case msg::Reason::Cancelled:
        return QCoreApplication::translate("MessageWords", "dropped: it is not sent again");
    default:
        return QCoreApplication::translate("MessageWords", "whether the phone sent it is not known");
    }
}

} // namespace

// The state's label from the one table of words; a reason, where it
// matters, in a sentence of the window's after it.
QString StateWords(msg::State state, msg::Reason reason, std::optional<int> code) {
    switch (state) {
    case msg::State::Queued:
    case msg::State::Sending:
    case msg::State::Sent:
    case msg::State::Delivered:
    case msg::State::Received:
    case msg::State::Cancelled:
        return terms::StateLabel(state);
    case msg::State::NotDelivered:
        return code ? QCoreApplication::translate("MessageWords", "%1 (TP-ST %2)")
                          .arg(terms::StateLabel(state), QString::number(*code))
                    : terms::StateLabel(state);
    case msg::State::Failed: {
        const QString why = FailedWhy(reason, code);
        return why.isEmpty()
                   ? terms::StateLabel(state)
                   : QCoreApplication::translate("MessageWords", "%1: %2").arg(terms::StateLabel(state), why);
    }
    case msg::State::Uncertain:
        return QCoreApplication::translate("MessageWords", "%1: %2")
            .arg(terms::StateLabel(state), UncertainWhy(reason));
    }
    return QString();
}

QString StateWhy(msg::State state, msg::Reason reason, std::optional<int> code) {
    if (state == msg::State::Failed)
        return FailedWhy(reason, code);
    if (state == msg::State::Uncertain)
        return UncertainWhy(reason);
    return QString();
}

QString KindWords(const QString& kind) { return terms::KindLabel(kind); }

QString KindInSentence(const char* kind) {
    // English keeps the reader's own name within its sentences; another
    // language takes the label, which may also open a sentence there.
    const QString name = QLatin1String(kind);
    return terms::KindWord(name) == name ? name : terms::KindLabel(name);
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
        return QLocale().toString(local, "d MMM"); // the month named in the user's language
    return local.toString("yyyy-MM-dd");
}

QString Correspondent(const QString& name, const QString& number) {
    return name.isEmpty() ? number : name + " (" + number + ")";
}

bool CanResend(const MessageRecord& m) {
    return m.direction == msg::Direction::Out && m.replacedBy == 0 &&
           (m.state == msg::State::Failed || m.state == msg::State::Uncertain ||
            m.state == msg::State::Cancelled);
}

} // namespace velmora
