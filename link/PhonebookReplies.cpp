#include "PhonebookReplies.h"

#include "Replies.h"

#include <algorithm>
#include <charconv>

namespace velmora {

namespace {

constexpr int kMostPlaces = 10000;
constexpr int kLongestField = 255;

std::string_view Trimmed(std::string_view s) {
    const auto start = s.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return {};
    return s.substr(start, s.find_last_not_of(" \t") - start + 1);
}

// The text after "+NAME:" on the first line that starts with it.
std::optional<std::string_view> LineAfter(std::string_view reply, std::string_view marker) {
    std::size_t at = 0;
    while ((at = reply.find(marker, at)) != std::string_view::npos) {
        if (at == 0 || reply[at - 1] == '\n' || reply[at - 1] == '\r') {
            std::string_view rest = reply.substr(at + marker.size());
            return Trimmed(rest.substr(0, rest.find_first_of("\r\n")));
        }
        at += marker.size();
    }
    return std::nullopt;
}

std::optional<int> Number(std::string_view text) {
    text = Trimmed(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

// "1-250", "0 - 99", "1,3-250": the lowest and highest place named.
std::optional<std::pair<int, int>> Range(std::string_view text) {
    std::optional<std::pair<int, int>> range;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const auto dash = item.find('-');
        const auto low = Number(item.substr(0, dash));
        const auto high = dash == std::string_view::npos ? low : Number(item.substr(dash + 1));
        if (!low || !high || *high < *low)
            return std::nullopt;
        range = range ? std::pair{std::min(range->first, *low), std::max(range->second, *high)}
                      : std::pair{*low, *high};
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return range;
}

} // namespace

std::optional<SimBookLimits> ParsePhonebookLimits(std::string_view reply) {
    const auto line = LineAfter(reply, "+CPBR:");
    if (!line)
        return std::nullopt;
    std::string_view rest = *line;
    std::optional<std::pair<int, int>> range;
    if (!rest.empty() && rest.front() == '(') {
        const auto close = rest.find(')');
        if (close == std::string_view::npos)
            return std::nullopt;
        range = Range(rest.substr(1, close - 1));
        rest.remove_prefix(close + 1);
    } else {
        // No brackets: the range is the first field, and a range it must
        // be, or an entry's index would pass for one.
        const std::string_view first = rest.substr(0, rest.find(','));
        if (first.find('-') == std::string_view::npos)
            return std::nullopt;
        range = Range(first);
        rest.remove_prefix(std::min(rest.size(), rest.find(',')));
    }
    if (!range || range->second - range->first >= kMostPlaces)
        return std::nullopt;
    SimBookLimits limits;
    limits.first = range->first;
    limits.last = range->second;
    // ",40,18,...": the lengths of the number and the name; an empty or odd
    // one is as good as none given.
    int* lengths[] = {&limits.numberLength, &limits.nameLength};
    for (int* length : lengths) {
        rest = Trimmed(rest);
        if (rest.empty() || rest.front() != ',')
            break;
        rest.remove_prefix(1);
        const std::string_view field = rest.substr(0, rest.find(','));
        if (const auto value = Number(field); value && *value <= kLongestField)
            *length = *value;
        rest.remove_prefix(field.size());
    }
    return limits;
}

std::string ParseCharsetNow(std::string_view reply) {
    const auto line = LineAfter(reply, "+CSCS:");
    if (!line)
        return "";
    const auto fields = SplitQuotedFields(*line);
    return fields.empty() ? std::string() : std::string(Trimmed(fields.front()));
}

std::vector<std::string> ParseCharsetsOffered(std::string_view reply) {
    std::vector<std::string> sets;
    const auto line = LineAfter(reply, "+CSCS:");
    if (!line)
        return sets;
    std::string_view inside = *line;
    if (!inside.empty() && inside.front() == '(')
        inside = inside.substr(1, inside.find(')') == std::string_view::npos ? inside.size() - 1
                                                                             : inside.find(')') - 1);
    for (const std::string& field : SplitQuotedFields(inside))
        if (const std::string_view name = Trimmed(field); !name.empty() && sets.size() < 64)
            sets.emplace_back(name);
    return sets;
}

} // namespace velmora
