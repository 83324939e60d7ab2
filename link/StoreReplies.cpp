#include "StoreReplies.h"

#include "Primitives.h"
#include "Replies.h"

#include <algorithm>

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

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// A field of digits only, small enough for an index or a length.
std::optional<int> Number(std::string_view field) {
    field = Trim(field);
    if (field.empty() || field.size() > 6 ||
        !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return LeadingNumber(field);
}

// A PDU line that holds `length` octets after its service-centre part: a
// line cut short or run into the next one fails this.
bool WholePdu(std::string_view pdu, int length) {
    if (pdu.size() < 2 || pdu.size() % 2 != 0 ||
        !std::all_of(pdu.begin(), pdu.end(), [](char c) { return HexValue(c) >= 0; }))
        return false;
    const int sca = HexValue(pdu[0]) * 16 + HexValue(pdu[1]);
    return static_cast<int>(pdu.size() / 2) - 1 - sca == length && length > 0;
}

// The fields after "+CMGL:" or "+CMGR:", trimmed.
std::vector<std::string> Fields(std::string_view line) {
    std::vector<std::string> fields = SplitQuotedFields(line.substr(line.find(':') + 1));
    for (std::string& f : fields)
        f = std::string(Trim(f));
    return fields;
}

// <stat> and <length> of a header line, then its PDU line.
std::optional<StoreEntry> Entry(int index, std::string_view stat, std::string_view length,
                                std::string_view pdu) {
    const auto s = Number(stat);
    const auto n = Number(length);
    if (!s || *s > 3 || !n || !WholePdu(pdu, *n))
        return std::nullopt;
    return StoreEntry{index, *s, std::string(pdu)};
}

// A storage name of TS 27.005 3.1 <mem1>: "SM", "ME", "MT", "BM", "SR"...
bool StorageName(std::string_view name) {
    return !name.empty() && name.size() <= 4 &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

} // namespace

std::vector<std::string> ParseStorages(std::string_view reply) {
    for (std::string_view line : LinesOf(reply)) {
        if (!StartsWith(line, "+CPMS:"))
            continue;
        std::string_view first = Trim(line.substr(6));
        if (StartsWith(first, "(")) {
            const auto close = first.find(')');
            if (close == std::string_view::npos)
                return {};
            first = first.substr(1, close - 1);
        } else {
            first = first.substr(0, first.find(','));
        }
        // Each name whole in its own quotes (or none): "PM""ME" is no name.
        std::vector<std::string> names;
        while (!first.empty()) {
            const auto comma = std::min(first.find(','), first.size());
            std::string_view name = Trim(first.substr(0, comma));
            first.remove_prefix(std::min(comma + 1, first.size()));
            if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
                name = name.substr(1, name.size() - 2);
            if (StorageName(name) && std::find(names.begin(), names.end(), name) == names.end())
                names.emplace_back(name);
        }
        return names;
    }
    return {};
}

std::optional<int> ParseStorageUsed(std::string_view reply) {
    for (std::string_view line : LinesOf(reply))
        if (StartsWith(line, "+CPMS:")) {
            const std::string_view rest = line.substr(6);
            return Number(rest.substr(0, rest.find(',')));
        }
    return std::nullopt;
}

std::vector<StoreEntry> ParseMessageList(std::string_view reply) {
    const std::vector<std::string_view> lines = LinesOf(reply);
    std::vector<StoreEntry> entries;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!StartsWith(lines[i], "+CMGL:"))
            continue;
        // <index>,<stat>,[<alpha>],<length>: the name may hold commas.
        const std::vector<std::string> f = Fields(lines[i]);
        const auto index = Number(f[0]);
        if (f.size() < 3 || !index || *index < 1)
            continue;
        if (auto e = Entry(*index, f[1], f.back(), lines[i + 1])) {
            entries.push_back(std::move(*e));
            ++i;
        }
    }
    return entries;
}

std::optional<StoreEntry> ParseMessageRead(std::string_view reply) {
    const std::vector<std::string_view> lines = LinesOf(reply);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!StartsWith(lines[i], "+CMGR:"))
            continue;
        // <stat>,[<alpha>],<length>
        const std::vector<std::string> f = Fields(lines[i]);
        return f.size() < 2 ? std::nullopt : Entry(0, f[0], f.back(), lines[i + 1]);
    }
    return std::nullopt;
}

bool AnswerEnded(std::string_view reply) {
    const std::vector<std::string_view> lines = LinesOf(reply);
    if (lines.empty())
        return false;
    const std::string_view last = lines.back();
    // Only a line that has ended counts: "OK" may be the start of more.
    const std::string_view tail = reply.substr(reply.find_last_not_of("\r\n") + 1);
    return !tail.empty() && (last == "OK" || last == "ERROR" || StartsWith(last, "+CME ERROR") ||
                             StartsWith(last, "+CMS ERROR"));
}

} // namespace velmora
