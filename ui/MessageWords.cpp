#include "MessageWords.h"

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
    case msg::Reason::LinkLost:
        return QCoreApplication::translate("MessageWords", "the link was lost after the phone took the PDU");
    case msg::Reason::Cancelled:
        return QCoreApplication::translate("MessageWords", "dropped: it is not sent again");
    default:
        return QCoreApplication::translate("MessageWords", "whether the phone sent it is not known");
    }
}

} // namespace

QString StateWords(msg::State state, msg::Reason reason, std::optional<int> code) {
    switch (state) {
    case msg::State::Queued:
        return QCoreApplication::translate("MessageWords", "Queued");
    case msg::State::Sending:
        return QCoreApplication::translate("MessageWords", "Sending");
    case msg::State::Sent:
        return QCoreApplication::translate("MessageWords", "Sent");
    case msg::State::Delivered:
        return QCoreApplication::translate("MessageWords", "Delivered");
    case msg::State::NotDelivered:
        return code ? QCoreApplication::translate("MessageWords", "Not delivered (TP-ST %1)").arg(*code)
                    : QCoreApplication::translate("MessageWords", "Not delivered");
    case msg::State::Failed: {
        const QString why = FailedWhy(reason, code);
        return why.isEmpty() ? QCoreApplication::translate("MessageWords", "Failed")
                             : QCoreApplication::translate("MessageWords", "Failed: %1").arg(why);
    }
    case msg::State::Uncertain:
        return QCoreApplication::translate("MessageWords", "Uncertain: %1").arg(UncertainWhy(reason));
    case msg::State::Received:
        return QCoreApplication::translate("MessageWords", "Received");
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

QString KindWords(const QString& kind) {

    static const std::pair<const char*, const char*> words[] = {
        // The store's kind names stay as they are; only what is shown is translated.
        {"text", QT_TRANSLATE_NOOP("MessageWords", "Text")},
        {"flash", QT_TRANSLATE_NOOP("MessageWords", "Flash")},
        {"logo", QT_TRANSLATE_NOOP("MessageWords", "Operator logo")},
        {"group", QT_TRANSLATE_NOOP("MessageWords", "Group graphic")},
        {"picture", QT_TRANSLATE_NOOP("MessageWords", "Picture message")},
        {"ringtone", QT_TRANSLATE_NOOP("MessageWords", "Ringtone")},
        {"ems", QT_TRANSLATE_NOOP("MessageWords", "EMS")},
        {"void", QT_TRANSLATE_NOOP("MessageWords", "Void")},
        {"indicator", QT_TRANSLATE_NOOP("MessageWords", "Waiting indication")},
        {"data", QT_TRANSLATE_NOOP("MessageWords", "Data")},
        {"report", QT_TRANSLATE_NOOP("MessageWords", "Delivery report")},
        {"ussd", QT_TRANSLATE_NOOP("MessageWords", "USSD session")},
    };
    for (const auto& [name, said] : words)
        if (kind == QLatin1String(name))
            return QCoreApplication::translate("MessageWords", said);
    return kind;
}

QString KindInSentence(const char* kind) {
    // Each of the reader's names, for the translators' catalog.
    [[maybe_unused]] static const char* const names[] = {
        QT_TRANSLATE_NOOP("ContentKind", "text"),      QT_TRANSLATE_NOOP("ContentKind", "flash"),
        QT_TRANSLATE_NOOP("ContentKind", "logo"),      QT_TRANSLATE_NOOP("ContentKind", "group"),
        QT_TRANSLATE_NOOP("ContentKind", "picture"),   QT_TRANSLATE_NOOP("ContentKind", "ringtone"),
        QT_TRANSLATE_NOOP("ContentKind", "ems"),       QT_TRANSLATE_NOOP("ContentKind", "void"),
        QT_TRANSLATE_NOOP("ContentKind", "indicator"), QT_TRANSLATE_NOOP("ContentKind", "data"),
        QT_TRANSLATE_NOOP("ContentKind", "report")};
    return QCoreApplication::translate("ContentKind", kind);
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
    return m.direction == msg::Direction::Out &&
           (m.state == msg::State::Failed || m.state == msg::State::Uncertain);
}

} // namespace velmora
