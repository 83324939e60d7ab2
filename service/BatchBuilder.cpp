#include "BatchBuilder.h"

#include "PduDecoder.h"

#include <QHash>

namespace velmora {

namespace {

// Refusals from the builders start with a capital for a message box; in a
// list of problems they follow a line number or a name.
QString Sentence(const std::string& refusal) {
    QString s = QString::fromStdString(refusal).trimmed();
    if (s.size() > 1 && s.at(0).isUpper() && !s.at(1).isUpper())
        s[0] = s.at(0).toLower();
    return s;
}

bool CarriesText(MessageKind kind) { return kind == MessageKind::Text || kind == MessageKind::Ems; }

// Numbers already taken, by the form they are sent as, with where each was
// given ("line 4", "" for a typed list).
class Seen {
public:
    // Empty when the number is new (and now taken), else why it is left out.
    QString take(const std::string& number, const QString& where) {
        const QString key = QString::fromStdString(number);
        const auto it = m_seen.constFind(key);
        if (it == m_seen.constEnd()) {
            m_seen.insert(key, where);
            return {};
        }
        return it->isEmpty() ? QStringLiteral("already in the list")
                             : QStringLiteral("already in the list (%1)").arg(*it);
    }

private:
    QHash<QString, QString> m_seen;
};

BatchRecipient For(const MessageRequest& message, const std::string& number, const QString& name) {
    BatchRecipient r{name, message};
    r.request.destination = number;
    return r;
}

} // namespace

BatchRecipients RecipientsFromList(const QStringList& words, MessageStore* store,
                                   const MessageRequest& message) {
    BatchRecipients out;
    Seen seen;
    auto add = [&](int index, const QString& who, const std::string& number, const QString& name) {
        const QString again = seen.take(number, {});
        if (!again.isEmpty()) {
            out.problems.push_back({index, who, again});
            return;
        }
        out.recipients.push_back(For(message, number, name));
    };
    for (int i = 0; i < words.size(); ++i) {
        const QString word = words.at(i).trimmed();
        const auto number = CheckDestination(word.toStdString());
        if (number) {
            add(i, word, *number, store ? store->NameFor(QString::fromStdString(*number)) : QString());
            continue;
        }
        if (!store) {
            out.problems.push_back({i, word, Sentence(number.error())});
            continue;
        }
        if (const auto group = store->GroupNamed(word)) {
            if (group->members.empty())
                out.problems.push_back({i, word, QStringLiteral("the group has no members")});
            for (const GroupMember& member : group->members) {
                const QString who = member.name.isEmpty() ? member.number : member.name;
                const auto checked = CheckDestination(member.number.trimmed().toStdString());
                if (!checked)
                    out.problems.push_back({i, who,
                                            QStringLiteral("in the group \"%1\": %2")
                                                .arg(group->name, Sentence(checked.error()))});
                else
                    add(i, who, *checked, member.name);
            }
            continue;
        }
        const std::vector<QString> numbers = store->NumbersNamed(word);
        if (numbers.size() > 1) {
            out.problems.push_back(
                {i, word,
                 QStringLiteral("the phone book has %1 numbers for this name: type the one "
                                "to send to")
                     .arg(numbers.size())});
            continue;
        }
        if (numbers.empty()) {
            out.problems.push_back(
                {i, word, QStringLiteral("neither a number nor a group's or the phone book's name")});
            continue;
        }
        const auto checked = CheckDestination(numbers.front().trimmed().toStdString());
        if (!checked)
            out.problems.push_back(
                {i, word, QStringLiteral("in the phone book: %1").arg(Sentence(checked.error()))});
        else
            add(i, word, *checked, word);
    }
    return out;
}

BatchRecipients RecipientsFromTable(const CsvTable& table, int numberColumn, const MessageRequest& message) {
    BatchRecipients out;
    const QString text = QString::fromStdU16String(message.text);
    const bool merge = CarriesText(message.kind);
    qsizetype nameColumn = -1;
    for (qsizetype c = 0; c < table.header.size() && nameColumn < 0; ++c)
        if (table.header.at(c).trimmed().compare(QLatin1String("name"), Qt::CaseInsensitive) == 0)
            nameColumn = c;
    const bool haveNumbers = numberColumn >= 0 && numberColumn < table.header.size();
    // Which placeholders no column names depends on the text and the header
    // alone: the same for every row, and said even when no row is left.
    if (merge)
        out.unknown = FillPlaceholders(text, table.header, {}).unknown;
    Seen seen;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const QStringList& row = table.rows[r];
        const int line = r < table.lines.size() ? table.lines[r] : 0;
        const QString name = nameColumn >= 0 ? row.value(nameColumn).trimmed() : QString();
        const QString cell = haveNumbers ? row.value(numberColumn).trimmed() : QString();
        if (cell.isEmpty()) {
            out.problems.push_back({line, name, QStringLiteral("has no number")});
            continue;
        }
        const auto number = CheckDestination(cell.toStdString());
        if (!number) {
            out.problems.push_back({line, cell, Sentence(number.error())});
            continue;
        }
        BatchRecipient recipient = For(message, *number, name);
        if (merge) {
            recipient.request.text = FillPlaceholders(text, table.header, row).text.toStdU16String();
            const auto built = BuildMessage(recipient.request);
            if (!built) {
                out.problems.push_back({line, cell, Sentence(built.error().text)});
                continue;
            }
        }
        const QString again = seen.take(*number, QStringLiteral("line %1").arg(line));
        if (!again.isEmpty()) {
            out.problems.push_back({line, cell, again});
            continue;
        }
        out.recipients.push_back(std::move(recipient));
    }
    return out;
}

RecipientPreview PreviewRecipient(const BatchRecipient& recipient) {
    const MessageRequest& request = recipient.request;
    RecipientPreview out;
    out.number = QString::fromStdString(request.destination);
    out.name = recipient.name;
    out.text = CarriesText(request.kind) ? QString::fromStdU16String(request.text)
                                         : QString::fromLatin1(MessageKindName(request.kind));
    const auto built = BuildMessage(request);
    if (!built) {
        out.problem = Sentence(built.error().text);
        return out;
    }
    out.number = QString::fromStdString(built->number);
    out.parts = static_cast<int>(built->pdus.size());
    switch (request.kind) {
    case MessageKind::Void:
    case MessageKind::Indicator:
        out.coding = QStringLiteral("—");
        break;
    case MessageKind::Text:
    case MessageKind::Ems: {
        const auto decoded =
            built->pdus.empty() ? Result<DecodedPdu>::Fail("") : DecodePdu(built->pdus.front());
        const UserDataCoding coding = decoded ? decoded->coding : UserDataCoding::EightBit;
        out.coding = coding == UserDataCoding::Gsm7   ? QStringLiteral("GSM 7-bit")
                     : coding == UserDataCoding::Ucs2 ? QStringLiteral("UCS2")
                                                      : QStringLiteral("8-bit");
        break;
    }
    default:
        out.coding = QStringLiteral("8-bit");
        break;
    }
    return out;
}

} // namespace velmora
