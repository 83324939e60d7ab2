#include "StoreReplies.h"

#include "AtReader.h"
#include "PduTrace.h"
#include "Primitives.h"
#include "Replies.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && Blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && Blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The reply's lines without their ends and blanks; empty ones dropped.
std::vector<std::string_view> LinesOf(std::string_view reply) {
    std::vector<std::string_view> lines;
    while (!reply.empty()) {
        const auto end = std::min(reply.find_first_of("\r\n"), reply.size());
        if (const std::string_view line = Trim(reply.substr(0, end)); !line.empty())
            lines.push_back(line);
        reply.remove_prefix(std::min(end + 1, reply.size()));
    }
    return lines;
}

// The lines of the answer to `command` alone: an unsolicited line (with the
// PDU line a +CMT or +CDS carries) is left out, and one glued to the end of
// a piece of a PDU is cut off it. The fast dialogue has done this already;
// the classic one hands over whatever came.
std::vector<std::string_view> AnswerLines(std::string_view reply, std::string_view command) {
    std::vector<std::string_view> lines;
    bool pduFollows = false;
    for (std::string_view line : LinesOf(reply)) {
        if (pduFollows) {
            pduFollows = false;
            continue;
        }
        if (const auto glued = GluedUnsolicited(line, command); glued != std::string_view::npos) {
            lines.push_back(line.substr(0, glued));
            pduFollows = CarriesPdu(line.substr(glued));
        } else if (IsUnsolicited(line, command)) {
            pduFollows = CarriesPdu(line);
        } else {
            lines.push_back(line);
        }
    }
    return lines;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool IsHex(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return HexValue(c) >= 0; });
}

// A field of digits only, small enough for an index or a length.
std::optional<int> Number(std::string_view field) {
    field = Trim(field);
    if (field.empty() || field.size() > 6 ||
        !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return LeadingNumber(field);
}

// A field of a header line, and whether it stood in quotes: the quotes tell
// a name from a number.
struct Field {
    std::string_view text;
    bool quoted = false;
};

std::vector<Field> FieldsOf(std::string_view text) {
    std::vector<Field> fields;
    bool inQuotes = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '"')
            inQuotes = !inQuotes;
        if (i < text.size() && (text[i] != ',' || inQuotes))
            continue;
        std::string_view f = Trim(text.substr(start, i - start));
        const bool quoted = f.size() >= 2 && f.front() == '"' && f.back() == '"';
        fields.push_back({quoted ? f.substr(1, f.size() - 2) : f, quoted});
        start = i + 1;
    }
    return fields;
}

// The <stat> words of text mode (TS 27.005 3.1), which a PDU-mode answer
// never holds.
bool TextModeStatus(const Field& f) {
    static constexpr std::array<std::string_view, 5> kWords = {"REC UNREAD", "REC READ", "STO UNSENT",
                                                               "STO SENT", "ALL"};
    return f.quoted && std::find(kWords.begin(), kWords.end(), f.text) != kWords.end();
}

// What a header line of a list or a read says before its PDU.
struct Header {
    std::optional<int> index, status, length;
    bool textMode = false;
    std::string why; // why it cannot be read; "" when it can
};

// "<index>,<stat>,[<alpha>],<length>" of a list, "[<index>,]<stat>,[<alpha>],
// <length>" or less of a read. The fields go by what they are: the quoted
// one is the name, the last number the length; the numbers before it are
// the index (a list's first, a read's when it repeats it) and the status.
Header ReadHeader(std::string_view line, bool listed) {
    Header h;
    std::vector<Field> fields = FieldsOf(line.substr(line.find(':') + 1));
    if (std::any_of(fields.begin(), fields.end(), TextModeStatus) || (!listed && fields.front().quoted)) {
        h.textMode = true;
        h.why = "the phone gave it as text, not as a PDU";
        return h;
    }
    h.length = fields.back().quoted ? std::nullopt : Number(fields.back().text);
    fields.pop_back();
    std::erase_if(fields, [](const Field& f) { return f.quoted; });
    // An empty name: "1,0,,24", ",,92".
    if (!fields.empty() && fields.back().text.empty() && (fields.size() > 2 || !listed))
        fields.pop_back();
    std::optional<Field> index, status;
    if (listed && !fields.empty())
        index = fields.front();
    else if (!listed && fields.size() == 2)
        index = fields.front();
    if (fields.size() == 2 || (!listed && fields.size() == 1))
        status = fields.back();
    if (index)
        h.index = Number(index->text);
    // An empty status leaves it to the PDU.
    if (status)
        h.status = Number(status->text);
    const bool statusGarbled = status && !status->text.empty() && !h.status;
    if (listed && !h.index)
        h.why = "its list line is garbled";
    else if (!h.length || fields.size() > 2 || (index && !h.index) || statusGarbled)
        h.why = "its header is garbled";
    else if (h.status && *h.status > 3)
        h.why = "its status " + std::to_string(*h.status) + " is none of 27.005's";
    return h;
}

// Whether a TPDU is whole by its own fields (TS 23.040 9.2.2.1 to 9.2.2.3):
// the addresses, the validity period its first octet announces, the user
// data its length and coding give.
enum class Shape { Whole, Short, Garbled };

Shape TpduShape(const std::vector<int>& tpdu) {
    std::size_t at = 0;
    const auto next = [&] { return at < tpdu.size() ? tpdu[at++] : (++at, 0); };
    const auto skip = [&](std::size_t n) { at += n; };
    // Digit count, type of address, the digits two to an octet.
    const auto address = [&] {
        const int digits = next();
        skip(1 + static_cast<std::size_t>(digits + 1) / 2);
        return digits <= 20;
    };
    // Septets for the default alphabet, else octets: the coding as the
    // decoder reads it.
    const auto userData = [&](int dcs) {
        DecodedPdu coding;
        ReadDcs(dcs, coding);
        const bool septets = coding.coding == UserDataCoding::Gsm7;
        const int length = next();
        const int octets = septets ? (length * 7 + 7) / 8 : length;
        skip(static_cast<std::size_t>(octets));
        return octets <= 140;
    };
    const int first = next();
    bool sane = true;
    switch (first & 3) {
    case 0: // SMS-DELIVER
        sane = address();
        skip(1); // TP-PID
        {
            const int dcs = next();
            skip(7); // TP-SCTS
            sane = userData(dcs) && sane;
        }
        break;
    case 1: {    // SMS-SUBMIT
        skip(1); // TP-MR
        sane = address();
        skip(1);
        const int dcs = next();
        const int validity = (first >> 3) & 3;
        skip(validity == 0 ? 0 : validity == 2 ? 1 : 7);
        sane = userData(dcs) && sane;
        break;
    }
    case 2: // SMS-STATUS-REPORT: what follows TP-ST is there when TP-PI says
        skip(1);
        sane = address();
        skip(7 + 7 + 1);
        if (at < tpdu.size()) {
            const int pi = next();
            if (pi & 1)
                skip(1);
            const int dcs = pi & 2 ? next() : 0;
            if (pi & 4)
                sane = userData(dcs) && sane;
        }
        break;
    default:
        return Shape::Garbled;
    }
    if (!sane || at < tpdu.size())
        return Shape::Garbled;
    return at > tpdu.size() ? Shape::Short : Shape::Whole;
}

// Whether a PDU line holds its message whole: `length` octets after its
// service-centre part, or where that length is wrong, what its own fields
// say.
Shape PduShape(std::string_view pdu, std::optional<int> length) {
    if (pdu.size() < 2 || pdu.size() % 2 != 0)
        return Shape::Short;
    std::vector<int> octets;
    for (std::size_t i = 0; i + 1 < pdu.size(); i += 2)
        octets.push_back(HexValue(pdu[i]) * 16 + HexValue(pdu[i + 1]));
    const auto sca = static_cast<std::size_t>(octets.front());
    if (octets.size() < 2 + sca)
        return sca > 12 ? Shape::Garbled : Shape::Short;
    const std::vector<int> tpdu(octets.begin() + static_cast<std::ptrdiff_t>(1 + sca), octets.end());
    if (length && static_cast<std::size_t>(*length) == tpdu.size())
        return Shape::Whole;
    return sca > 12 ? Shape::Garbled : TpduShape(tpdu);
}

// The PDU after the header at `lines[i]`: its line and, where an unsolicited
// line cut it in two, the lines it goes on in. Moves `i` to its last line.
struct Pdu {
    std::string hex;
    std::string why; // "" when whole
};

// A PDU line as some phones end it, with a stray double quote before its
// line end (or, quoted whole, at its start too): the hex inside is the PDU.
std::string_view PduText(std::string_view line) {
    std::string_view hex = line;
    if (!hex.empty() && hex.back() == '"')
        hex.remove_suffix(1);
    if (!hex.empty() && hex.front() == '"')
        hex.remove_prefix(1);
    return IsHex(hex) ? hex : line;
}

// `glued`: the PDU's start where the phone put it on the header's line.
Pdu TakePdu(const std::vector<std::string_view>& lines, std::size_t& i, std::optional<int> length,
            std::string_view glued = {}) {
    const auto ends = [](std::string_view l) {
        return StartsWith(l, "+CMGL:") || StartsWith(l, "+CMGR:") || l == "OK" || l == "ERROR" ||
               StartsWith(l, "+CME ERROR") || StartsWith(l, "+CMS ERROR");
    };
    if (glued.empty() && (i + 1 >= lines.size() || ends(lines[i + 1])))
        return {"", "no PDU came with it"};
    Pdu p{std::string(PduText(glued.empty() ? lines[++i] : glued)), ""};
    while (IsHex(p.hex) && p.hex.size() <= kPduHexLimit && PduShape(p.hex, length) == Shape::Short &&
           i + 1 < lines.size() && IsHex(PduText(lines[i + 1])))
        p.hex += PduText(lines[++i]);
    if (p.hex.size() > kPduHexLimit)
        p.why = "its PDU is longer than " + std::to_string(kPduHexLimit) + " hex digits";
    else if (!IsHex(p.hex))
        p.why = "its PDU is not hex";
    else if (const Shape shape = PduShape(p.hex, length); shape == Shape::Short)
        p.why = "its PDU is cut short";
    else if (shape == Shape::Garbled)
        p.why = "its PDU is garbled";
    return p;
}

// A header line and the PDU some phones put on it after a blank instead of
// a line end ("+CMGR: 0,,24 0791..."): the last field is then a number, a
// blank and hex. The PDU is empty when the line is a header alone.
struct HeaderLine {
    std::string_view header, pdu;
};

HeaderLine SplitHeaderLine(std::string_view line) {
    // The last field: after the last comma outside quotes, or the colon.
    std::size_t last = line.find(':');
    bool inQuotes = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            inQuotes = !inQuotes;
        else if (line[i] == ',' && !inQuotes)
            last = i;
    }
    if (last == std::string_view::npos)
        return {line, {}};
    const std::string_view field = Trim(line.substr(last + 1));
    const auto blank = field.find_first_of(" \t");
    if (blank == std::string_view::npos)
        return {line, {}};
    const std::string_view number = field.substr(0, blank);
    const std::string_view pdu = PduText(Trim(field.substr(blank)));
    if (!Number(number) || !IsHex(pdu))
        return {line, {}};
    return {line.substr(0, static_cast<std::size_t>(field.data() - line.data()) + blank), pdu};
}

// A message the header's status leaves open: a submission is kept as sent,
// anything else as received and not yet read.
int StatusOf(const Header& h, std::string_view pdu) {
    if (h.status)
        return *h.status;
    const int sca = HexValue(pdu[0]) * 16 + HexValue(pdu[1]);
    const std::size_t mti = 2 + 2 * static_cast<std::size_t>(sca) + 1;
    return mti < pdu.size() && (HexValue(pdu[mti]) & 3) == 1 ? 3 : 0;
}

// A storage name of TS 27.005 3.1 <mem1>: "SM", "ME", "MT", "BM", "SR"...
bool StorageName(std::string_view name) {
    return !name.empty() && name.size() <= 4 &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

} // namespace

std::optional<std::vector<std::string>> ParseStorages(std::string_view reply) {
    for (std::string_view line : LinesOf(reply)) {
        if (!StartsWith(line, "+CPMS:"))
            continue;
        std::string_view first = Trim(line.substr(6));
        // "((...),(...))": the lists inside one more pair.
        if (StartsWith(first, "(("))
            first.remove_prefix(1);
        if (StartsWith(first, "(")) {
            const auto close = first.find(')');
            if (close == std::string_view::npos)
                return std::nullopt;
            first = Trim(first.substr(1, close - 1));
            // "()": the phone offers no storage at all, which is an answer.
            if (first.empty())
                return std::vector<std::string>();
        } else {
            first = Trim(first.substr(0, first.find(',')));
            if (first.empty())
                return std::nullopt;
        }
        // A name is what stands between the commas, with its quotes or
        // without, or with one of them lost ("(ME", "SR")"); quotes inside
        // it ("PM""ME") or anything but capitals make it no name.
        std::vector<std::string> names;
        bool garbled = false;
        while (!first.empty()) {
            const auto comma = std::min(first.find(','), first.size());
            std::string_view name = Trim(first.substr(0, comma));
            first.remove_prefix(std::min(comma + 1, first.size()));
            if (!name.empty() && name.front() == '"')
                name.remove_prefix(1);
            if (!name.empty() && name.back() == '"')
                name.remove_suffix(1);
            if (!StorageName(name))
                garbled = true;
            else if (std::find(names.begin(), names.end(), name) == names.end())
                names.emplace_back(name);
        }
        // Nothing readable in it: what the phone offers is not known.
        if (names.empty() && garbled)
            return std::nullopt;
        return names;
    }
    return std::nullopt;
}

std::optional<int> ParseStorageUsed(std::string_view reply) {
    for (std::string_view line : LinesOf(reply))
        if (StartsWith(line, "+CPMS:")) {
            const std::string_view rest = line.substr(6);
            return Number(rest.substr(0, rest.find(',')));
        }
    return std::nullopt;
}

std::string ParseCurrentStorage(std::string_view reply) {
    for (std::string_view line : LinesOf(reply))
        if (StartsWith(line, "+CPMS:")) {
            const std::vector<Field> fields = FieldsOf(line.substr(6));
            const std::string_view name = fields.front().text;
            return fields.front().quoted && StorageName(name) ? std::string(name) : std::string();
        }
    return "";
}

StoreList ParseMessageList(std::string_view reply) {
    StoreList list;
    if (reply.size() > kListReplyLimit) {
        list.refused = "its list is longer than " + std::to_string(kListReplyLimit >> 10) + " KiB";
        return list;
    }
    const std::vector<std::string_view> lines = AnswerLines(reply, "AT+CMGL");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!StartsWith(lines[i], "+CMGL:"))
            continue;
        const HeaderLine line = SplitHeaderLine(lines[i]);
        const Header h = ReadHeader(line.header, true);
        if (h.textMode) {
            list.refused = "the phone listed it as text, not as PDUs";
            return list;
        }
        const Pdu pdu = TakePdu(lines, i, h.length, line.pdu);
        if (!h.why.empty() || !pdu.why.empty())
            list.unread.push_back({h.index, h.why.empty() ? pdu.why : h.why});
        else
            list.entries.push_back({h.index, StatusOf(h, pdu.hex), pdu.hex});
    }
    return list;
}

StoreRead ParseMessageRead(std::string_view reply) {
    if (reply.size() > kListReplyLimit)
        return {StoreRead::Outcome::Unreadable,
                {},
                "its answer is longer than " + std::to_string(kListReplyLimit >> 10) + " KiB"};
    const std::vector<std::string_view> lines = AnswerLines(reply, "AT+CMGR");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!StartsWith(lines[i], "+CMGR:"))
            continue;
        const HeaderLine line = SplitHeaderLine(lines[i]);
        const Header h = ReadHeader(line.header, false);
        if (h.textMode)
            return {StoreRead::Outcome::NotPdu, {}, h.why};
        const Pdu pdu = TakePdu(lines, i, h.length, line.pdu);
        if (!h.why.empty() || !pdu.why.empty())
            return {StoreRead::Outcome::Unreadable, {h.index, 0, ""}, h.why.empty() ? pdu.why : h.why};
        return {StoreRead::Outcome::Message, {h.index, StatusOf(h, pdu.hex), pdu.hex}, ""};
    }
    return {};
}

bool AnswerEnded(std::string_view reply) {
    std::vector<std::string_view> lines = LinesOf(reply);
    // A modem's own line may follow the final result code at once.
    while (!lines.empty() && IsUnsolicited(lines.back(), ""))
        lines.pop_back();
    if (lines.empty())
        return false;
    const std::string_view last = lines.back();
    // Only a line that has ended counts: "OK" may be the start of more.
    const std::string_view tail = reply.substr(reply.find_last_not_of("\r\n") + 1);
    return !tail.empty() && (last == "OK" || last == "ERROR" || StartsWith(last, "+CME ERROR") ||
                             StartsWith(last, "+CMS ERROR"));
}

} // namespace velmora
