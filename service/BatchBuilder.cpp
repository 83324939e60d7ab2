#include "BatchBuilder.h"

#include "CountryCode.h"
#include "LongText.h"
#include "PduDecoder.h"
#include "Said.h"

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

// A number as people write it ("0812 3456-789", "+62 (812) ...", "0062..."),
// checked as the destination field checks it (NormaliseDestination reads
// the layout). Spreadsheets put other spaces than the plain one between
// digits; they are layout too.
Result<std::string> CheckNumber(const QString& written) {
    QString number;
    number.reserve(written.size());
    for (const QChar c : written)
        if (!c.isSpace())
            number += c;
    return CheckDestination(number.toStdString(), HomeCountryCode().toStdString());
}

bool CarriesText(MessageKind kind) { return kind == MessageKind::Text || kind == MessageKind::Ems; }

// A recipient's coding as the batch allows. A filled text may need UCS2
// where the text as written did not ("{name}" is "Zoë"); only a plain text
// has the choice (a flash message is UCS2 anyway, EMS is GSM 7-bit).
bool ApplyUnicode(MessageRequest& request, BatchOptions::Unicode mode) {
    if (request.kind != MessageKind::Text || request.flash || mode == BatchOptions::Unicode::Never)
        return false;
    if (mode == BatchOptions::Unicode::Always) {
        request.unicode = true;
        return false;
    }
    if (request.unicode || CodingFor(request.text) != TextCoding::Ucs2)
        return false;
    request.unicode = true;
    request.longText = true; // UCS2 carries less a part: it may need more
    return true;
}

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
        return it->isEmpty()
                   ? QCoreApplication::translate("BatchBuilder", "already in the list")
                   : QCoreApplication::translate("BatchBuilder", "already in the list (%1)").arg(*it);
    }

private:
    QHash<QString, QString> m_seen;
};

BatchRecipient For(const MessageRequest& message, const std::string& number, const QString& name,
                   bool madeUnicode) {
    BatchRecipient r{name, message, madeUnicode};
    r.request.destination = number;
    return r;
}

} // namespace

BatchRecipients RecipientsFromList(const QStringList& words, MessageStore* store,
                                   const MessageRequest& written, const BatchOptions& options) {
    BatchRecipients out;
    MessageRequest message = written;
    // A typed list has no columns: a {name} in its text would go out as
    // written. "{{" and "}}" are braces, as in a mail-merged text.
    if (CarriesText(message.kind)) {
        const FilledText filled = FillPlaceholders(QString::fromStdU16String(message.text), {}, {});
        out.unknown = filled.unknown;
        message.text = filled.text.toStdU16String();
    }
    const bool madeUnicode = ApplyUnicode(message, options.unicode);
    Seen seen;
    auto add = [&](int index, const QString& who, const std::string& number, const QString& name) {
        const QString again = seen.take(number, {});
        if (!again.isEmpty()) {
            out.problems.push_back({index, who, again, true});
            return;
        }
        out.recipients.push_back(For(message, number, name, madeUnicode));
    };
    for (int i = 0; i < words.size(); ++i) {
        const QString word = words.at(i).trimmed();
        const auto number = CheckNumber(word);
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
                out.problems.push_back(
                    {i, word, QCoreApplication::translate("BatchBuilder", "the group has no members")});
            for (const GroupMember& member : group->members) {
                const QString who = member.name.isEmpty() ? member.number : member.name;
                const auto checked = CheckNumber(member.number);
                if (!checked)
                    out.problems.push_back(
                        {i, who,
                         QCoreApplication::translate("BatchBuilder", "in the group \"%1\": %2")
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
                 QCoreApplication::translate("BatchBuilder",
                                             "the phone book has %1 numbers for this name: type the one "
                                             "to send to")
                     .arg(numbers.size())});
            continue;
        }
        if (numbers.empty()) {
            out.problems.push_back(
                {i, word,
                 QCoreApplication::translate("BatchBuilder",
                                             "neither a number nor a group's or the phone book's name")});
            continue;
        }
        const auto checked = CheckNumber(numbers.front());
        if (!checked)
            out.problems.push_back({i, word,
                                    QCoreApplication::translate("BatchBuilder", "in the phone book: %1")
                                        .arg(Sentence(checked.error()))});
        else
            add(i, word, *checked, word);
    }
    return out;
}

namespace {

TableRow FromRow(const CsvTable& table, std::size_t index, int numberColumn, int nameColumn,
                 const MessageRequest& message, const BatchOptions& options) {
    const QStringList& row = table.rows[index];
    TableRow out;
    out.line = index < table.lines.size() ? table.lines[index] : 0;
    out.recipient.name = nameColumn >= 0 ? row.value(nameColumn).trimmed() : QString();
    out.recipient.request = message;
    const QString cell = numberColumn >= 0 && numberColumn < table.header.size()
                             ? row.value(numberColumn).trimmed()
                             : QString();
    out.recipient.request.destination = cell.toStdString();
    QStringList empty;
    if (CarriesText(message.kind)) {
        const FilledText filled =
            FillPlaceholders(QString::fromStdU16String(message.text), table.header, row);
        out.recipient.request.text = filled.text.toStdU16String();
        empty = filled.empty;
        out.recipient.madeUnicode = ApplyUnicode(out.recipient.request, options.unicode);
    }
    out.who = cell.isEmpty() ? out.recipient.name : cell;
    if (cell.isEmpty()) {
        out.problem = QCoreApplication::translate("BatchBuilder", "has no number");
        return out;
    }
    const auto number = CheckNumber(cell);
    if (!number) {
        out.problem = Sentence(number.error());
        return out;
    }
    out.recipient.request.destination = *number;
    // "Dear ," goes to no one unless the user said it may.
    if (!options.allowEmpty && !empty.isEmpty()) {
        out.problem =
            empty.size() == 1
                ? QCoreApplication::translate("BatchBuilder", "its cell for {%1} is empty").arg(empty.front())
                : QCoreApplication::translate("BatchBuilder", "its cells for {%1} are empty")
                      .arg(empty.join(QStringLiteral("}, {")));
        return out;
    }
    // Only a filled text differs from row to row; a content kind builds the
    // same for all, and the outbox names it once when it does not.
    if (CarriesText(message.kind))
        if (const auto built = BuildMessage(out.recipient.request); !built)
            out.problem = Sentence(built.error().text);
    return out;
}

} // namespace

TableRow RecipientFromRow(const CsvTable& table, std::size_t row, int numberColumn,
                          const MessageRequest& message, const BatchOptions& options) {
    if (row >= table.rows.size())
        return {{}, 0, {}, QCoreApplication::translate("BatchBuilder", "there is no such row")};
    return FromRow(table, row, numberColumn, NameColumn(table), message, options);
}

BatchRecipients RecipientsFromTable(const CsvTable& table, int numberColumn, const MessageRequest& message,
                                    const BatchOptions& options) {
    BatchRecipients out;
    // Which placeholders no column names depends on the text and the header
    // alone: the same for every row, and said even when no row is left.
    if (CarriesText(message.kind))
        out.unknown = FillPlaceholders(QString::fromStdU16String(message.text), table.header, {}).unknown;
    const int nameColumn = NameColumn(table);
    Seen seen;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        TableRow row = FromRow(table, r, numberColumn, nameColumn, message, options);
        bool duplicate = false;
        if (row.problem.isEmpty()) {
            row.problem = seen.take(row.recipient.request.destination,
                                    QCoreApplication::translate("BatchBuilder", "line %1").arg(row.line));
            duplicate = !row.problem.isEmpty();
        }
        if (!row.problem.isEmpty())
            out.problems.push_back({row.line, row.who, row.problem, duplicate});
        else
            out.recipients.push_back(std::move(row.recipient));
    }
    return out;
}

Result<std::vector<GroupMember>, QString> MembersFromTable(const CsvTable& table,
                                                           const QString& numberColumn) {
    using Members = Result<std::vector<GroupMember>, QString>;
    const auto numbers = NumberColumn(table, numberColumn);
    if (!numbers)
        return Members::Fail(numbers.error());
    const int names = NameColumn(table) == numbers.value() ? -1 : NameColumn(table);
    std::vector<GroupMember> members;
    for (const QStringList& row : table.rows) {
        const QString number = row.value(numbers.value()).trimmed();
        if (number.isEmpty())
            continue;
        members.push_back({names >= 0 ? row.value(names).trimmed() : QString(), number});
    }
    return Members::Ok(std::move(members));
}

RecipientPreview PreviewRecipient(const BatchRecipient& recipient) {
    const MessageRequest& request = recipient.request;
    RecipientPreview out;
    out.number = QString::fromStdString(request.destination);
    out.name = recipient.name;
    out.madeUnicode = recipient.madeUnicode;
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
