#include "UssdReplies.h"

#include <vector>

namespace velmora {

namespace {

std::string_view Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

bool AllDigits(std::string_view s) {
    if (s.empty() || s.size() > 3)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// A DCS as a field gives it: digits, perhaps quoted.
std::optional<int> DcsField(std::string_view field) {
    field = Trimmed(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
    if (!AllDigits(field))
        return std::nullopt;
    const int v = std::stoi(std::string(field));
    if (v > 255)
        return std::nullopt;
    return v;
}

// Splits at commas; a quoted text keeps its commas and line feeds.
std::vector<std::string_view> Fields(std::string_view s) {
    std::vector<std::string_view> fields;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"')
            quoted = !quoted;
        else if (s[i] == ',' && !quoted) {
            fields.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(s.substr(start));
    return fields;
}

} // namespace

std::optional<CusdLine> ParseCusd(std::string_view line) {
    constexpr std::string_view kName = "+CUSD:";
    if (line.substr(0, kName.size()) != kName)
        return std::nullopt;
    const std::string_view rest = line.substr(kName.size());
    const std::vector<std::string_view> fields = Fields(rest);
    const std::string_view status = Trimmed(fields.front());
    if (status.size() != 1 || status[0] < '0' || status[0] > '9')
        return std::nullopt;
    CusdLine cusd;
    cusd.status = status[0] - '0';
    if (fields.size() < 2)
        return cusd;
    // A quoted string: the first field that starts with a quote. Its end is
    // the last quote before the next field's comma, so a quote inside the
    // text (which no modem escapes) stays in it.
    std::size_t strField = 0;
    for (std::size_t i = 1; i < fields.size(); ++i)
        if (const auto t = Trimmed(fields[i]); !t.empty() && t.front() == '"') {
            strField = i;
            break;
        }
    std::string_view str;
    std::size_t after = 0; // the first field after the string
    if (strField == 1) {
        const std::string_view t = Trimmed(fields[1]);
        const auto close = t.rfind('"');
        str = close > 0 ? t.substr(1, close - 1) : t.substr(1);
        after = 2;
    } else {
        // Unquoted: up to a last field that is a DCS, or to the end.
        std::size_t end = fields.size();
        if (fields.size() > 2 && DcsField(fields.back()))
            end = fields.size() - 1;
        const char* from = fields[1].data();
        const char* to = fields[end - 1].data() + fields[end - 1].size();
        str = Trimmed(std::string_view(from, static_cast<std::size_t>(to - from)));
        after = end;
    }
    if (str.size() > kUssdStringLimit)
        return std::nullopt;
    cusd.str = std::string(str);
    if (after < fields.size())
        cusd.dcs = DcsField(fields[after]);
    return cusd;
}

} // namespace velmora
