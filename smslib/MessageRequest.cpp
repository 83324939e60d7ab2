#include "MessageRequest.h"

#include "EmsPdu.h"
#include "IndicatorPdu.h"
#include "NetworkTable.h"
#include "SmartPdu.h"
#include "Strings.h"
#include "TextPdu.h"

#include <array>

namespace velmora {

namespace {

struct KindName {
    MessageKind kind;
    const char* name;
};

constexpr KindName kKindNames[] = {
    {MessageKind::Text, "text"},       {MessageKind::Logo, "logo"},           {MessageKind::Group, "group"},
    {MessageKind::Picture, "picture"}, {MessageKind::Ringtone, "ringtone"},   {MessageKind::Ems, "ems"},
    {MessageKind::Void, "void"},       {MessageKind::Indicator, "indicator"},
};

bool AllDigits(std::string_view s, std::size_t length) {
    if (s.size() != length)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Result<MessageJob> Job(const std::string& number, const Result<std::string>& built) {
    if (!built)
        return Result<MessageJob>::Fail(built.error());
    return Result<MessageJob>::Ok({number, {built.value()}});
}

Result<MessageJob> Job(const std::string& number, const Result<std::array<std::string, 3>>& built) {
    if (!built)
        return Result<MessageJob>::Fail(built.error());
    return Result<MessageJob>::Ok({number, {built.value().begin(), built.value().end()}});
}

// The content kinds: the hex checked first, then what the kind needs.
Result<MessageJob> BuildContent(const MessageRequest& r, const std::string& number) {
    const auto hex = ParseContentHex(r.content);
    if (!hex)
        return Result<MessageJob>::Fail(hex.error());
    switch (r.kind) {
    case MessageKind::Group:
        return Job(number, BuildGroupGraphicPDU(number, *hex));
    case MessageKind::Picture:
        return Job(number, BuildPictureMessagePDUs(number, *hex));
    case MessageKind::Ringtone:
        return Job(number, BuildRingtonePDU(number, *hex));
    default:
        break;
    }
    if (!AllDigits(r.mcc, 3))
        return Result<MessageJob>::Fail("invalid MCC \"" + r.mcc + "\": it must be 3 digits");
    if (!AllDigits(r.nc, 2))
        return Result<MessageJob>::Fail("invalid NC \"" + r.nc + "\": it must be 2 digits");
    return Job(number, BuildOperatorLogoPDU(number, *hex, MakeNetworkCode(r.mcc, r.nc)));
}

} // namespace

std::optional<MessageKind> MessageKindFromName(std::string_view name) {
    for (const auto& k : kKindNames)
        if (name == k.name)
            return k.kind;
    return std::nullopt;
}

const char* MessageKindName(MessageKind kind) {
    for (const auto& k : kKindNames)
        if (k.kind == kind)
            return k.name;
    return "";
}

Result<std::string> CheckDestination(std::string_view typed) {
    std::string number = NormaliseDestination(typed);
    if (!IsValidDestination(number))
        return Result<std::string>::Fail("invalid destination number \"" + std::string(typed) +
                                         "\": it must be 1 to 20 digits (after \"+\" is dropped and a "
                                         "leading 0 becomes 62)");
    return Result<std::string>::Ok(std::move(number));
}

Result<std::string> ParseContentHex(std::string_view typed) {
    std::string hex;
    hex.reserve(typed.size());
    for (char c : typed) {
        if (IsSpace(c))
            continue;
        const int v = HexValue(c);
        if (v < 0)
            return Result<std::string>::Fail(std::string("invalid content: '") + c + "' is not a hex digit");
        hex += "0123456789ABCDEF"[v];
    }
    if (hex.empty())
        return Result<std::string>::Fail("invalid content: no hex digits");
    if (hex.size() % 2 != 0)
        return Result<std::string>::Fail("invalid content: an odd number of hex digits (" +
                                         std::to_string(hex.size()) + ")");
    return Result<std::string>::Ok(std::move(hex));
}

Result<MessageJob> BuildMessage(const MessageRequest& r) {
    const auto number = CheckDestination(r.destination);
    if (!number)
        return Result<MessageJob>::Fail(number.error());
    switch (r.kind) {
    case MessageKind::Text:
        return Job(*number, BuildTextPDU(*number, r.text, r.flash, r.blink));
    case MessageKind::Logo:
    case MessageKind::Group:
    case MessageKind::Picture:
    case MessageKind::Ringtone:
        return BuildContent(r, *number);
    case MessageKind::Ems:
        return Job(*number, BuildEMSPDU(*number, r.text));
    case MessageKind::Void:
        return Job(*number, BuildVoidPDU(*number));
    case MessageKind::Indicator:
        if (r.indicatorKind != Voicemail && r.indicatorKind != Fax && r.indicatorKind != Email)
            return Result<MessageJob>::Fail("invalid indicator kind " + std::to_string(r.indicatorKind) +
                                            ": it must be voicemail, fax or email");
        // The window always sets the group bit (TS 23.038 clause 4).
        return Job(*number, BuildIndicatorPDU(*number, r.indicatorKind, r.active, true));
    }
    return Result<MessageJob>::Fail("unknown kind of message");
}

} // namespace velmora
