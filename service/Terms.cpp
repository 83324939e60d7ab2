#include "Terms.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>

#include <algorithm>

namespace velmora::terms {

namespace {

// Each name is its own English word: marked for the catalog as it is given,
// in its table's context, as its label is.
const std::vector<Term> kTerms = {
    // msg::StateName's names.
    {Table::State, QT_TRANSLATE_NOOP("state", "queued"), QT_TRANSLATE_NOOP("state", "Queued")},
    {Table::State, QT_TRANSLATE_NOOP("state", "sending"), QT_TRANSLATE_NOOP("state", "Sending")},
    {Table::State, QT_TRANSLATE_NOOP("state", "sent"), QT_TRANSLATE_NOOP("state", "Sent")},
    {Table::State, QT_TRANSLATE_NOOP("state", "delivered"), QT_TRANSLATE_NOOP("state", "Delivered")},
    {Table::State, QT_TRANSLATE_NOOP("state", "not-delivered"), QT_TRANSLATE_NOOP("state", "Not delivered")},
    {Table::State, QT_TRANSLATE_NOOP("state", "failed"), QT_TRANSLATE_NOOP("state", "Failed")},
    {Table::State, QT_TRANSLATE_NOOP("state", "uncertain"), QT_TRANSLATE_NOOP("state", "Uncertain")},
    {Table::State, QT_TRANSLATE_NOOP("state", "received"), QT_TRANSLATE_NOOP("state", "Received")},
    {Table::State, QT_TRANSLATE_NOOP("state", "cancelled"), QT_TRANSLATE_NOOP("state", "Cancelled")},
    // msg::ReasonName's, but for None.
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "cms-error"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "cme-error"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "error"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "no-pdu-mode"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "no-prompt"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "no-answer"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "link-lost"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "not-connected"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "stopped"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "report-failed"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "store-failed"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "cancelled"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "expired"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "retrying"), nullptr},
    {Table::Reason, QT_TRANSLATE_NOOP("reason", "vanished"), nullptr},
    // msg::BatchStateName's, and a batch with nothing left to send.
    {Table::BatchState, QT_TRANSLATE_NOOP("batch state", "active"), nullptr},
    {Table::BatchState, QT_TRANSLATE_NOOP("batch state", "paused"), nullptr},
    {Table::BatchState, QT_TRANSLATE_NOOP("batch state", "cancelled"), nullptr},
    {Table::BatchState, QT_TRANSLATE_NOOP("batch state", "finished"), nullptr},
    // The store's kinds (MessageKindName, ContentKindName) and the USSD
    // sessions the history keeps beside them.
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "text"), QT_TRANSLATE_NOOP("kind", "Text")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "flash"), QT_TRANSLATE_NOOP("kind", "Flash")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "logo"), QT_TRANSLATE_NOOP("kind", "Operator logo")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "group"), QT_TRANSLATE_NOOP("kind", "Group graphic")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "picture"), QT_TRANSLATE_NOOP("kind", "Picture message")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "ringtone"), QT_TRANSLATE_NOOP("kind", "Ringtone")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "ems"), QT_TRANSLATE_NOOP("kind", "EMS")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "void"), QT_TRANSLATE_NOOP("kind", "Void")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "indicator"), QT_TRANSLATE_NOOP("kind", "Waiting indication")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "data"), QT_TRANSLATE_NOOP("kind", "Data")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "report"), QT_TRANSLATE_NOOP("kind", "Delivery report")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "ussd"), QT_TRANSLATE_NOOP("kind", "USSD session")},
    {Table::Kind, QT_TRANSLATE_NOOP("kind", "unreadable"), QT_TRANSLATE_NOOP("kind", "Unreadable")},
    // The user data's coding (TS 23.038), as decode --json names it.
    {Table::Coding, QT_TRANSLATE_NOOP("coding", "gsm7"), nullptr},
    {Table::Coding, QT_TRANSLATE_NOOP("coding", "8bit"), nullptr},
    {Table::Coding, QT_TRANSLATE_NOOP("coding", "ucs2"), nullptr},
    {Table::PduType, QT_TRANSLATE_NOOP("pdu type", "deliver"), nullptr},
    {Table::PduType, QT_TRANSLATE_NOOP("pdu type", "submit"), nullptr},
    {Table::PduType, QT_TRANSLATE_NOOP("pdu type", "status-report"), nullptr},
    // What a waiting indication is about.
    {Table::Indicator, QT_TRANSLATE_NOOP("indicator", "voicemail"), nullptr},
    {Table::Indicator, QT_TRANSLATE_NOOP("indicator", "fax"), nullptr},
    {Table::Indicator, QT_TRANSLATE_NOOP("indicator", "email"), nullptr},
    {Table::Indicator, QT_TRANSLATE_NOOP("indicator", "other"), nullptr},
};

const Term* Find(Table table, const QString& name) {
    for (const Term& t : kTerms)
        if (t.table == table && name == QLatin1String(t.name))
            return &t;
    return nullptr;
}

QString Word(Table table, const QString& name) {
    const Term* t = Find(table, name);
    return t ? QCoreApplication::translate(Context(table), t->name) : name;
}

QString Label(Table table, const QString& name) {
    const Term* t = Find(table, name);
    if (!t)
        return name;
    return t->label ? QCoreApplication::translate(Context(table), t->label)
                    : QCoreApplication::translate(Context(table), t->name);
}

} // namespace

const std::vector<Term>& All() { return kTerms; }

const char* Context(Table table) {
    switch (table) {
    case Table::State:
        return "state";
    case Table::Reason:
        return "reason";
    case Table::BatchState:
        return "batch state";
    case Table::Kind:
        return "kind";
    case Table::Coding:
        return "coding";
    case Table::PduType:
        return "pdu type";
    case Table::Indicator:
        return "indicator";
    }
    return "";
}

QString StateWord(msg::State state) { return Word(Table::State, QLatin1String(msg::StateName(state))); }
QString StateLabel(msg::State state) { return Label(Table::State, QLatin1String(msg::StateName(state))); }
QString ReasonWord(msg::Reason reason) {
    return reason == msg::Reason::None ? QString()
                                       : Word(Table::Reason, QLatin1String(msg::ReasonName(reason)));
}
QString BatchStateWord(msg::BatchState state) {
    return Word(Table::BatchState, QLatin1String(msg::BatchStateName(state)));
}
QString FinishedWord() { return Word(Table::BatchState, QStringLiteral("finished")); }
QString KindWord(const QString& kind) { return Word(Table::Kind, kind); }
QString KindLabel(const QString& kind) { return Label(Table::Kind, kind); }
QString CodingWord(const QString& coding) { return Word(Table::Coding, coding); }
QString PduTypeWord(const QString& type) { return Word(Table::PduType, type); }
QString IndicatorWord(const QString& waiting) { return Word(Table::Indicator, waiting); }

QString StoreProblemText(const StoreProblem& p) {
    const QString file = QDir::toNativeSeparators(p.file);
    switch (p.reason) {
    case StoreProblem::Reason::None:
        return {};
    case StoreProblem::Reason::ReadOnly:
        return QCoreApplication::translate("MessageStore", "The message store %1 was opened only to be read")
            .arg(file);
    case StoreProblem::Reason::Damaged:
        return QCoreApplication::translate(
                   "MessageStore",
                   "The message store %1 is damaged (%2): nothing more is written to it. Keep a copy of it "
                   "(velmora-cli store backup FILE); the README's Troubleshooting says how to mend it")
            .arg(file, p.detail);
    case StoreProblem::Reason::WriteFailed:
        return QCoreApplication::translate("MessageStore", "The message store %1 could not be written: %2")
            .arg(file, p.detail);
    case StoreProblem::Reason::ReadFailed:
        return QCoreApplication::translate("MessageStore", "The message store %1 could not be read: %2")
            .arg(file, p.detail);
    case StoreProblem::Reason::Unopened:
    case StoreProblem::Reason::Refused:
        break;
    }
    return p.detail;
}

namespace {

QString Said(const char* text) { return QCoreApplication::translate("received", text); }

} // namespace

QString MessageText(const MessageRecord& m) {
    if (!m.text.isEmpty())
        return m.text;
    const QJsonObject& c = m.content;
    const QString octets = c.value(QLatin1String("content")).toString();
    if (c.value(QLatin1String("compressed")).toBool())
        return Said(QT_TRANSLATE_NOOP("received", "Compressed text: %1")).arg(octets);
    if (m.kind == QLatin1String("logo"))
        return Said(QT_TRANSLATE_NOOP("received", "Operator logo for %1 %2"))
            .arg(c.value(QLatin1String("mcc")).toString(), c.value(QLatin1String("nc")).toString());
    if (m.kind == QLatin1String("group"))
        return Said(QT_TRANSLATE_NOOP("received", "Group graphic"));
    if (m.kind == QLatin1String("picture"))
        return Said(QT_TRANSLATE_NOOP("received", "Picture message"));
    if (m.kind == QLatin1String("ringtone")) {
        const QString title = c.value(QLatin1String("title")).toString();
        return title.isEmpty() ? Said(QT_TRANSLATE_NOOP("received", "Ringtone"))
                               : Said(QT_TRANSLATE_NOOP("received", "Ringtone: %1")).arg(title);
    }
    if (m.kind == QLatin1String("void"))
        return Said(QT_TRANSLATE_NOOP("received", "Void message"));
    if (m.kind == QLatin1String("indicator")) {
        static const char* const waiting[] = {
            QT_TRANSLATE_NOOP("received", "Voicemail"), QT_TRANSLATE_NOOP("received", "Fax"),
            QT_TRANSLATE_NOOP("received", "E-mail"), QT_TRANSLATE_NOOP("received", "Message")};
        const QString what =
            Said(waiting[std::clamp(c.value(QLatin1String("indicatorKind")).toInt(), 1, 4) - 1]);
        if (c.contains(QLatin1String("waiting")))
            return Said(QT_TRANSLATE_NOOP("received", "%1 waiting: %2"))
                .arg(what, QString::number(c.value(QLatin1String("waiting")).toInt()));
        return c.value(QLatin1String("active")).toBool()
                   ? Said(QT_TRANSLATE_NOOP("received", "%1 waiting")).arg(what)
                   : Said(QT_TRANSLATE_NOOP("received", "%1 read, none waiting")).arg(what);
    }
    if (m.kind == QLatin1String("data"))
        return c.contains(QLatin1String("port")) ? Said(QT_TRANSLATE_NOOP("received", "Data for port %1"))
                                                       .arg(c.value(QLatin1String("port")).toInt())
                                                 : Said(QT_TRANSLATE_NOOP("received", "Data"));
    return m.text;
}

} // namespace velmora::terms

namespace velmora {

QString StoreProblem::text() const { return terms::StoreProblemText(*this); }

} // namespace velmora
