#include "Replies.h"

namespace velmora {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Trims blanks and control characters from both ends.
std::string_view Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// The text after `marker` up to the end of its line, or nothing.
bool AfterMarker(std::string_view text, std::string_view marker, std::string_view& rest) {
    const auto at = text.find(marker);
    if (at == std::string_view::npos)
        return false;
    rest = text.substr(at + marker.size());
    rest = rest.substr(0, rest.find(kCrLf));
    return true;
}

} // namespace

std::string FirstReplyLine(std::string_view reply) {
    if (reply.substr(0, 2) == kCrLf)
        reply.remove_prefix(2);
    return std::string(reply.substr(0, reply.find(kCrLf)));
}

SignalTexts CutSignalQuality(std::string_view reply) {
    SignalTexts t;
    const auto p = reply.find("+CSQ:");
    if (p == std::string_view::npos)
        return t;
    t.found = true;
    const auto c = reply.find(',');
    if (c == std::string_view::npos)
        return t;
    const auto start = p + 6;
    if (c > start)
        t.rssi = std::string(reply.substr(start, c - start));
    t.ber = std::string(reply.substr(c + 1, 2));
    return t;
}

int LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    int n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (n < 100000) // anything this large is already out of every range
            n = n * 10 + (text[i] - '0');
    return n;
}

int SignalClass(int rssi) {
    if (rssi == 0)
        return 1;
    if (rssi == 1)
        return 2;
    if (rssi >= 2 && rssi <= 30)
        return 3;
    if (rssi == 31)
        return 4;
    return 0;
}

int BerClass(int ber) { return ber >= 0 && ber <= 7 ? 1 : 0; }

std::vector<std::string> SplitQuotedFields(std::string_view text) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

PhonebookEntry ParsePhonebookReply(std::string_view reply) {
    PhonebookEntry e;
    std::string_view rest;
    if (!AfterMarker(reply, "+CPBR: ", rest))
        return e;
    e.found = true;
    auto fields = SplitQuotedFields(rest);
    fields.resize(std::max<std::size_t>(fields.size(), 4));
    e.index = fields[0];
    e.number = fields[1];
    e.type = fields[2];
    e.name = fields[3];
    return e;
}

OperatorEntry ParseOperatorLine(std::string_view line) {
    OperatorEntry e;
    std::string_view rest;
    if (!AfterMarker(line, "+COPN: ", rest))
        return e;
    e.found = true;
    auto fields = SplitQuotedFields(rest);
    fields.resize(std::max<std::size_t>(fields.size(), 2));
    e.code = fields[0];
    e.name = fields[1];
    return e;
}

std::vector<OperatorEntry> ParseOperatorReply(std::string_view reply) {
    std::vector<OperatorEntry> list;
    for (auto end = reply.find(kCrLf); end != std::string_view::npos; end = reply.find(kCrLf)) {
        const std::string_view line = Trim(reply.substr(0, end));
        reply.remove_prefix(end + 2);
        if (line.empty())
            continue;
        if (auto e = ParseOperatorLine(line); e.found)
            list.push_back(std::move(e));
    }
    return list;
}

} // namespace velmora
