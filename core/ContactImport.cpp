#include "ContactImport.h"

#include "Primitives.h"
#include "Recipients.h"
#include "Strings.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <map>

namespace velmora {

namespace {

constexpr int kMostNumbersPerContact = 100;
constexpr int kLongestName = 1000;

// The file's lines without their ends, CRLF or LF.
std::vector<QByteArray> PhysicalLines(const QByteArray& bytes) {
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// The part before the value, up to the first ':' outside quotes; -1 when
// the line has none.
qsizetype ValueColon(const QByteArray& line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

bool IsQuotedPrintable(const QByteArray& line) {
    const qsizetype colon = ValueColon(line);
    return colon > 0 && line.left(colon).toUpper().contains("QUOTED-PRINTABLE");
}

struct LogicalLine {
    QByteArray text;
    int line = 0; // where it starts
};

// Unfolds: a line that starts with a blank goes on the one before (the
// blank dropped), and in 2.1 a quoted-printable value that ends in "=" goes
// on with the next line (its soft line break).
Result<std::vector<LogicalLine>, QString> Unfold(const std::vector<QByteArray>& physical) {
    using R = Result<std::vector<LogicalLine>, QString>;
    std::vector<LogicalLine> lines;
    for (std::size_t i = 0; i < physical.size(); ++i) {
        LogicalLine l{physical[i], static_cast<int>(i + 1)};
        // Once the line's parameters are known to say QUOTED-PRINTABLE they
        // cannot change: what is joined comes after them.
        bool quotedPrintable = false;
        while (i + 1 < physical.size()) {
            const QByteArray& next = physical[i + 1];
            if (!next.isEmpty() && (next[0] == ' ' || next[0] == '\t')) {
                l.text += next.mid(1);
            } else if (l.text.endsWith('=') &&
                       (quotedPrintable || (quotedPrintable = IsQuotedPrintable(l.text)))) {
                l.text.chop(1);
                l.text += next;
            } else {
                break;
            }
            ++i;
            if (l.text.size() > kMaxCardLine)
                return R::Fail(
                    QCoreApplication::translate(
                        "ContactImport", "line %1 is longer than %2 KiB, more than a contact's card holds")
                        .arg(l.line)
                        .arg(kMaxCardLine / 1024));
        }
        if (l.text.size() > kMaxCardLine)
            return R::Fail(
                QCoreApplication::translate("ContactImport",
                                            "line %1 is longer than %2 KiB, more than a contact's card holds")
                    .arg(l.line)
                    .arg(kMaxCardLine / 1024));
        lines.push_back(std::move(l));
    }
    return R::Ok(std::move(lines));
}

// At `separator` outside double quotes.
QList<QByteArray> SplitOutsideQuotes(const QByteArray& text, char separator) {
    QList<QByteArray> parts(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (c == separator && !quoted)
            parts.append(QByteArray());
        else
            parts.back() += c;
    }
    return parts;
}

// "=XX" is the octet XX; an "=" that starts no such pair stays as it is.
QByteArray DecodeQuotedPrintable(const QByteArray& value) {
    QByteArray out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size()) {
            const int high = HexValue(value[i + 1]), low = HexValue(value[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += value[i];
    }
    return out;
}

// What Windows writes as "ANSI": Latin-1 but for 0x80..0x9F, where it
// keeps the typographic quotes, dashes and the euro sign.
QString FromWindows1252(const QByteArray& raw) {
    static const char16_t kHigh[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                       0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString text;
    for (char c : raw) {
        const auto octet = static_cast<unsigned char>(c);
        text += octet >= 0x80 && octet < 0xA0 ? QChar(kHigh[octet - 0x80]) : QChar(octet);
    }
    return text;
}

struct Property {
    QByteArray name; // upper case, group dropped
    QList<QByteArray> params;
    QString value; // decoded, escapes still in
    bool unreadable = false;
    QByteArray charset; // when `unreadable`: the one not read
};

std::optional<Property> ParseProperty(const QByteArray& line) {
    const qsizetype colon = ValueColon(line);
    if (colon <= 0)
        return std::nullopt;
    Property p;
    const QList<QByteArray> head = SplitOutsideQuotes(line.left(colon), ';');
    p.name = head.front().trimmed().toUpper();
    if (const qsizetype dot = p.name.lastIndexOf('.'); dot >= 0)
        p.name = p.name.mid(dot + 1);
    p.params = head.mid(1);
    QByteArray raw = line.mid(colon + 1);
    QByteArray charset;
    for (const QByteArray& param : p.params) {
        const QByteArray upper = param.trimmed().toUpper();
        if (upper == "QUOTED-PRINTABLE" || upper == "ENCODING=QUOTED-PRINTABLE")
            raw = DecodeQuotedPrintable(raw);
        else if (upper.startsWith("CHARSET="))
            charset = param.trimmed().mid(8).replace("\"", "");
    }
    if (charset.isEmpty()) {
        // Unsaid: 3.0 is UTF-8, and a 2.1 card that is not is taken as Latin-1.
        p.value = IsUtf8(std::string_view(raw.constData(), static_cast<std::size_t>(raw.size())))
                      ? QString::fromUtf8(raw)
                      : QString::fromLatin1(raw);
        return p;
    }
    const QByteArray name = charset.toUpper();
    if (name == "WINDOWS-1252" || name == "CP1252") {
        p.value = FromWindows1252(raw);
        return p;
    }
    if (name == "US-ASCII" || name == "ASCII") {
        p.value = QString::fromLatin1(raw);
        return p;
    }
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid()) {
        p.unreadable = true;
        p.charset = charset;
        return p;
    }
    p.value = decoder.decode(raw);
    return p;
}

// 3.0's escapes: "\," "\;" "\\" and "\n" (a line break, which a SIM name
// cannot hold, so a blank).
QString Unescape(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += next == 'n' || next == 'N' ? QChar(' ') : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

// At the ';' that are not escaped.
QStringList SplitComponents(const QString& text) {
    QStringList parts(1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            parts.back() += text[i];
            parts.back() += text[++i];
        } else if (text[i] == ';') {
            parts.append(QString());
        } else {
            parts.back() += text[i];
        }
    }
    return parts;
}

QString Tidy(const QString& name) { return name.simplified().left(kLongestName); }

// "Family;Given;Additional;Prefix;Suffix" as people say it: "Given
// Additional Family".
QString NameFromN(const QString& value) {
    const QStringList parts = SplitComponents(value);
    QStringList said;
    for (int part : {3, 1, 2, 0, 4})
        if (part < parts.size() && !Unescape(parts[part]).trimmed().isEmpty())
            said << Unescape(parts[part]).trimmed();
    return Tidy(said.join(' '));
}

struct Card {
    QString fn, n;
    QStringList numbers;
    QStringList unread; // charsets
    int line = 0;
};

void Finish(Card& card, ContactFile& file) {
    ImportedContact c;
    c.name = !card.fn.isEmpty() ? card.fn : card.n;
    c.numbers = card.numbers;
    c.line = card.line;
    if (c.numbers.isEmpty()) {
        if (!card.unread.isEmpty())
            file.skipped << QCoreApplication::translate(
                                "ContactImport", "line %1: the card is written in %2, which is not read")
                                .arg(card.line)
                                .arg(card.unread.join(", "));
        else
            file.skipped << (c.name.isEmpty()
                                 ? QCoreApplication::translate(
                                       "ContactImport", "line %1: the card has neither a name nor a number")
                                       .arg(card.line)
                                 : QCoreApplication::translate("ContactImport",
                                                               "line %1: the card of %2 has no number")
                                       .arg(card.line)
                                       .arg(c.name));
        return;
    }
    file.contacts.push_back(std::move(c));
}

Result<ContactFile, QString> TooMany() {
    return Result<ContactFile, QString>::Fail(
        QCoreApplication::translate("ContactImport",
                                    "more than %1 contacts, more than a SIM or an import takes")
            .arg(kMaxContacts));
}

} // namespace

Result<ContactFile, QString> ParseVCards(const QByteArray& bytes) {
    using R = Result<ContactFile, QString>;
    const auto lines = Unfold(PhysicalLines(bytes));
    if (!lines)
        return R::Fail(lines.error());
    ContactFile file;
    std::optional<Card> card;
    int depth = 0; // a 2.1 AGENT's card inside a card is not a contact of its own
    bool anyCard = false;
    for (const LogicalLine& l : lines.value()) {
        const auto p = ParseProperty(l.text);
        if (!p)
            continue; // a photo's base64 lines of 2.1, blank lines
        if (p->name == "BEGIN" && p->value.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0) {
            anyCard = true;
            if (depth++ == 0)
                card.emplace().line = l.line;
            continue;
        }
        if (p->name == "END" && p->value.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0) {
            if (depth > 0 && --depth == 0 && card) {
                Finish(*card, file);
                card.reset();
                if (static_cast<int>(file.contacts.size()) > kMaxContacts)
                    return TooMany();
            }
            continue;
        }
        if (!card || depth != 1)
            continue;
        if (p->unreadable) {
            if (p->name == "FN" || p->name == "N" || p->name == "TEL")
                card->unread << QString::fromLatin1(p->charset);
            continue;
        }
        if (p->name == "FN") {
            card->fn = Tidy(Unescape(p->value));
        } else if (p->name == "N") {
            card->n = NameFromN(p->value);
        } else if (p->name == "TEL" && card->numbers.size() < kMostNumbersPerContact) {
            QString number = Unescape(p->value).trimmed();
            if (number.startsWith("tel:", Qt::CaseInsensitive))
                number = number.mid(4);
            if (!number.isEmpty())
                card->numbers << number.left(64);
        }
    }
    if (card)
        file.skipped << QCoreApplication::translate("ContactImport",
                                                    "line %1: the card does not end (no END:VCARD)")
                            .arg(card->line);
    if (!anyCard)
        return R::Fail(QCoreApplication::translate("ContactImport", "holds no vCard (no BEGIN:VCARD line)"));
    return R::Ok(std::move(file));
}

Result<ContactFile, QString> ParseContactCsv(const QByteArray& bytes) {
    using R = Result<ContactFile, QString>;
    const auto table = ParseCsv(bytes);
    if (!table)
        return R::Fail(table.error());
    const auto numbers = NumberColumn(table.value());
    if (!numbers)
        return R::Fail(numbers.error());
    const CsvTable& t = table.value();
    int names = -1;
    for (int c = 0; c < t.header.size() && names < 0; ++c)
        if (t.header[c].trimmed().compare("name", Qt::CaseInsensitive) == 0)
            names = c;
    for (int c = 0; c < t.header.size() && names < 0; ++c)
        if (c != numbers.value())
            names = c;
    ContactFile file;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const QStringList& row = t.rows[r];
        ImportedContact c;
        c.line = t.lines[r];
        c.name = names >= 0 ? Tidy(row[names]) : QString();
        const QString number = row[numbers.value()].trimmed();
        if (number.isEmpty()) {
            file.skipped << (c.name.isEmpty()
                                 ? QCoreApplication::translate(
                                       "ContactImport", "line %1: the row has neither a name nor a number")
                                       .arg(c.line)
                                 : QCoreApplication::translate("ContactImport",
                                                               "line %1: the row of %2 has no number")
                                       .arg(c.line)
                                       .arg(c.name));
            continue;
        }
        c.numbers << number.left(64);
        file.contacts.push_back(std::move(c));
        if (static_cast<int>(file.contacts.size()) > kMaxContacts)
            return TooMany();
    }
    return R::Ok(std::move(file));
}

Result<ContactFile, QString> ReadContactFile(const QString& path) {
    using R = Result<ContactFile, QString>;
    const auto got = ReadContactsBytes(path, kMaxContactFileBytes);
    if (!got)
        return R::Fail(got.error());
    const QByteArray& bytes = got.value();
    if (IsUtf16(bytes))
        return R::Fail(QCoreApplication::translate("ContactImport", "%1: written in UTF-16; save it in UTF-8")
                           .arg(path));
    auto read = bytes.toUpper().contains("BEGIN:VCARD") ? ParseVCards(bytes) : ParseContactCsv(bytes);
    if (!read)
        return R::Fail(QCoreApplication::translate("ContactImport", "%1: %2").arg(path, read.error()));
    return read;
}

int ImportPlan::cutCount() const {
    int n = 0;
    for (const PlannedEntry& e : entries)
        n += e.cut ? 1 : 0;
    return n;
}

ImportPlan PlanImport(const std::vector<ImportedContact>& contacts, const ImportTarget& target,
                      bool cutNames) {
    ImportPlan plan;
    std::size_t nextFree = 0;
    // The numbers on the SIM, and those planned, by what they dial: "+62812"
    // and "0812" are one number.
    std::map<std::string, int> there;
    for (const auto& [place, number] : target.numbersThere)
        there.emplace(NormaliseDestination(CheckSimNumber(number, {}).number), place);
    // A contact with several numbers becomes one entry a number, each under
    // the contact's own name: the SIM keeps no kind of number beside it, and
    // a suffix ("/M", "/W") would take characters from names that are
    // already short and be the first thing cut off. The phone lists them
    // together under the one name, as the contact was.
    for (const ImportedContact& contact : contacts) {
        for (const QString& number : contact.numbers) {
            UnfitEntry unfit{contact.name, number, UnfitReason::NoPlace, {}, 0, contact.line};
            const int index = nextFree < target.freePlaces.size() ? target.freePlaces[nextFree] : 0;
            SimEntry entry{index ? index : target.limits.first, number.toStdString(),
                           contact.name.toStdU16String()};
            PreparedEntry prepared =
                PrepareSimEntry(entry, target.limits, target.charset, target.ucs2Offered);
            const SimBookProblem problem = prepared.outcome.problem;
            if (problem == SimBookProblem::NumberEmpty || problem == SimBookProblem::NotANumber ||
                problem == SimBookProblem::NumberTooLong) {
                unfit.reason = UnfitReason::Number;
                unfit.outcome = prepared.outcome;
                plan.unfit.push_back(unfit);
                continue;
            }
            const std::string dialled = NormaliseDestination(prepared.number.number);
            if (const auto found = there.find(dialled); found != there.end()) {
                unfit.reason = UnfitReason::AlreadyOn;
                unfit.place = found->second;
                plan.unfit.push_back(unfit);
                continue;
            }
            const bool tooLong = problem == SimBookProblem::NameTooLong;
            if (problem == SimBookProblem::NameUnholdable || (tooLong && !cutNames)) {
                unfit.reason = UnfitReason::Name;
                unfit.outcome = prepared.outcome;
                plan.unfit.push_back(unfit);
                continue;
            }
            if (index == 0) {
                plan.unfit.push_back(unfit);
                continue;
            }
            ++nextFree;
            PlannedEntry planned{index,        contact.name,
                                 contact.name, QString::fromStdString(prepared.number.number),
                                 tooLong,      contact.line};
            if (tooLong)
                planned.name = QString::fromStdU16String(CutName(entry.name, prepared.outcome.capacity));
            there.emplace(dialled, index);
            plan.entries.push_back(std::move(planned));
        }
    }
    return plan;
}

} // namespace velmora
