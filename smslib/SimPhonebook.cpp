#include "SimPhonebook.h"

#include "Gsm7.h"
#include "Strings.h"

#include <algorithm>

namespace velmora {

namespace {

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The character at `i` and how many UTF-16 units it takes.
std::pair<char32_t, std::size_t> CharacterAt(std::u16string_view text, std::size_t i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
        return {0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00), 2};
    return {c, 1};
}

// The one octet a character goes as in a single-octet set, or -1. A quote
// would end the command's string and a control character its line, so
// neither is ever written, whatever the set.
int OctetFor(char32_t c, SimCharset charset) {
    if (c < 0x20 || c == '"' || c == 0x7F)
        return -1;
    switch (charset) {
    case SimCharset::Ira:
        return c < 0x7F ? int(c) : -1;
    case SimCharset::Latin1:
        return c < 0x7F || (c >= 0xA0 && c <= 0xFF) ? int(c) : -1;
    case SimCharset::Gsm: {
        if (c > 0xFFFF)
            return -1;
        const auto codes = EncodeGsm7(std::u16string(1, char16_t(c)));
        // Escaped characters and the codes below 0x20 (@, £, è...) are no
        // octets a command line carries.
        if (!codes || codes.value().size() != 1)
            return -1;
        const auto code = static_cast<unsigned char>(codes.value()[0]);
        return code >= 0x20 && code != '"' && code != 0x7F ? code : -1;
    }
    case SimCharset::Ucs2:
        break;
    }
    return -1;
}

} // namespace

SimCharset CharsetNamed(std::string_view name) {
    const std::string upper = Upper(name);
    if (upper == "GSM")
        return SimCharset::Gsm;
    if (upper == "UCS2")
        return SimCharset::Ucs2;
    if (upper == "8859-1")
        return SimCharset::Latin1;
    return SimCharset::Ira;
}

const char* CharsetName(SimCharset charset) {
    switch (charset) {
    case SimCharset::Gsm:
        return "GSM";
    case SimCharset::Latin1:
        return "8859-1";
    case SimCharset::Ucs2:
        return "UCS2";
    case SimCharset::Ira:
        break;
    }
    return "IRA";
}

SimName EncodeSimName(std::u16string_view name, SimCharset charset) {
    SimName out;
    const auto refuse = [&](char32_t c) {
        if (out.unholdable.find(c) == std::u32string::npos)
            out.unholdable += c;
    };
    for (std::size_t i = 0; i < name.size();) {
        const auto [c, units] = CharacterAt(name, i);
        i += units;
        if (charset == SimCharset::Ucs2) {
            // UCS2 is the basic plane only: a character past it has no form.
            if (c > 0xFFFF || IsSurrogate(char16_t(c)) || c < 0x20 || c == 0x7F) {
                refuse(c);
                continue;
            }
            static const char kHex[] = "0123456789ABCDEF";
            for (int shift = 12; shift >= 0; shift -= 4)
                out.bytes += kHex[(c >> shift) & 0xF];
            continue;
        }
        const int octet = OctetFor(c, charset);
        if (octet < 0)
            refuse(c);
        else
            out.bytes += static_cast<char>(octet);
    }
    if (!out.ok())
        out.bytes.clear();
    return out;
}

int NameCapacity(const SimBookLimits& limits, SimCharset charset) {
    if (limits.nameLength <= 0)
        return 0;
    // A SIM keeps a UCS2 name as one coding octet and two a character
    // (TS 31.102 annex A), so the same field holds half as many.
    if (charset == SimCharset::Ucs2)
        return std::max(1, (limits.nameLength - 1) / 2);
    return limits.nameLength;
}

NamePlan PlanSimName(std::u16string_view name, SimCharset current, bool ucs2Offered,
                     const SimBookLimits& limits) {
    NamePlan plan;
    plan.charset = current;
    plan.name = EncodeSimName(name, current);
    if (!plan.name.ok() && ucs2Offered && current != SimCharset::Ucs2) {
        SimName wide = EncodeSimName(name, SimCharset::Ucs2);
        if (wide.ok()) {
            plan.charset = SimCharset::Ucs2;
            plan.name = std::move(wide);
        }
    }
    plan.capacity = NameCapacity(limits, plan.charset);
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++characters)
        i += CharacterAt(name, i).second;
    plan.tooLong = plan.capacity > 0 && characters > static_cast<std::size_t>(plan.capacity);
    return plan;
}

std::u16string CutName(std::u16string_view name, int capacity) {
    if (capacity <= 0)
        return std::u16string(name);
    std::size_t end = 0;
    for (int kept = 0; kept < capacity && end < name.size(); ++kept)
        end += CharacterAt(name, end).second;
    std::u16string cut(name.substr(0, end));
    while (!cut.empty() && cut.back() == u' ')
        cut.pop_back();
    return cut;
}

SimNumber CheckSimNumber(std::string_view typed, const SimBookLimits& limits) {
    SimNumber out;
    for (char c : typed)
        if (std::string_view(" \t-()./").find(c) == std::string_view::npos)
            out.number += c;
    if (out.number.empty()) {
        out.problem = SimNumberProblem::Empty;
        return out;
    }
    const bool international = out.number[0] == '+';
    const std::string_view digits = std::string_view(out.number).substr(international ? 1 : 0);
    // Only the one "+" in front: a destination's rules drop any "+", the
    // SIM's type of number says where it goes.
    if (digits.find_first_not_of("0123456789") != std::string_view::npos ||
        !IsValidDestination(NormaliseDestination(out.number))) {
        out.problem = SimNumberProblem::NotANumber;
        return out;
    }
    out.type = international ? 145 : 129;
    if (limits.numberLength > 0 && digits.size() > static_cast<std::size_t>(limits.numberLength))
        out.problem = SimNumberProblem::TooLong;
    return out;
}

} // namespace velmora

namespace velmora {

PreparedEntry PrepareSimEntry(const SimEntry& entry, const SimBookLimits& limits, SimCharset current,
                              bool ucs2Offered) {
    PreparedEntry p;
    SimBookOutcome& o = p.outcome;
    o.index = entry.index;
    o.limits = limits;
    if (!limits.Holds(entry.index)) {
        o.problem = SimBookProblem::IndexOutside;
        return p;
    }
    p.number = CheckSimNumber(entry.number, limits);
    switch (p.number.problem) {
    case SimNumberProblem::None:
        break;
    case SimNumberProblem::Empty:
        o.problem = SimBookProblem::NumberEmpty;
        return p;
    case SimNumberProblem::NotANumber:
        o.problem = SimBookProblem::NotANumber;
        o.detail = entry.number;
        return p;
    case SimNumberProblem::TooLong:
        o.problem = SimBookProblem::NumberTooLong;
        o.detail = entry.number;
        return p;
    }
    p.name = PlanSimName(entry.name, current, ucs2Offered, limits);
    o.capacity = p.name.capacity;
    if (!p.name.name.ok()) {
        o.problem = SimBookProblem::NameUnholdable;
        o.detail = NameCharacters(p.name.name.unholdable);
    } else if (p.name.tooLong) {
        o.problem = SimBookProblem::NameTooLong;
    }
    return p;
}

} // namespace velmora
