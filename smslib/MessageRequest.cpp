#include "MessageRequest.h"

#include "EmsPdu.h"
#include "IndicatorPdu.h"
#include "LongText.h"
#include "NetworkTable.h"
#include "Primitives.h"
#include "SmartPdu.h"
#include "Strings.h"
#include "TextPdu.h"
#include "Words.h"

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

using Built = Result<MessageJob, Refusal>;

Built Refuse(std::string text, RefusedField field = RefusedField::None) {
    return Built::Fail({std::move(text), field});
}

Built Job(const std::string& number, const Result<std::string>& built,
          RefusedField field = RefusedField::None) {
    if (!built)
        return Refuse(built.error(), field);
    return Built::Ok({number, {built.value()}});
}

Built Job(const std::string& number, const Result<std::array<std::string, 3>>& built) {
    if (!built)
        return Refuse(built.error());
    return Built::Ok({number, {built.value().begin(), built.value().end()}});
}

// Flash keeps its one message; long text and Unicode apply to a normal one.
Built BuildText(const MessageRequest& r, const std::string& number) {
    if (r.flash || (!r.longText && !r.unicode))
        return Job(number, BuildTextPDU(number, r.text, r.flash, r.blink), RefusedField::Text);
    const TextCoding coding = !r.unicode   ? TextCoding::Gsm7
                              : r.longText ? CodingFor(r.text)
                                           : TextCoding::Ucs2;
    auto parts = BuildTextParts(number, r.text, coding, r.concatReference, r.longText ? kMaxParts : 1);
    if (!parts)
        return Refuse(parts.error(), RefusedField::Text);
    return Built::Ok({number, std::move(parts.value())});
}

bool IsContentKind(MessageKind kind) {
    return kind == MessageKind::Logo || kind == MessageKind::Group || kind == MessageKind::Picture ||
           kind == MessageKind::Ringtone;
}

// What an empty content tab says, pointing at its Browse button.
const char* NoContent(MessageKind kind) {
    switch (kind) {
    case MessageKind::Logo:
        return VELMORA_WORDS("smslib/MessageRequest", "Please choose operator logo !");
    case MessageKind::Group:
        return VELMORA_WORDS("smslib/MessageRequest", "Please choose grouph graphic !");
    case MessageKind::Picture:
        return VELMORA_WORDS("smslib/MessageRequest", "Please choose picture message !");
    default:
        return VELMORA_WORDS("smslib/MessageRequest", "Please choose RTTTL ringtone !");
    }
}

Built BuildContent(const MessageRequest& r, const std::string& number) {
    if (r.content.empty())
        return Refuse(NoContent(r.kind), RefusedField::ContentSource);
    const auto hex = ParseContentHex(r.content);
    if (!hex)
        return Refuse(hex.error());
    switch (r.kind) {
    case MessageKind::Group:
        return Job(number, BuildGroupGraphicPDU(number, *hex));
    case MessageKind::Picture:
        return Job(number, BuildPictureMessagePDUs(number, *hex));
    case MessageKind::Ringtone:
        return Job(number, BuildRingtonePDU(number, *hex));
    default:
        return Job(number, BuildOperatorLogoPDU(number, *hex, MakeNetworkCode(r.mcc, r.nc)));
    }
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

Result<std::string> CheckDestination(std::string_view typed, std::string_view countryCode) {
    std::string number = NormaliseDestination(typed, countryCode);
    if (!IsValidDestination(number))
        return Result<std::string>::Fail(
            Fill(VELMORA_WORDS("smslib/MessageRequest",
                               "invalid destination number \"%1\": it must be 1 to 20 "
                               "digits (after \"+\" is dropped and a leading 0 becomes %2)"),
                 {typed, countryCode}));
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
            return Result<std::string>::Fail(
                Fill(VELMORA_WORDS("smslib/MessageRequest", "invalid content: '%1' is not a hex digit"),
                     {std::string(1, c)}));
        hex += "0123456789ABCDEF"[v];
    }
    if (hex.empty())
        return Result<std::string>::Fail(
            VELMORA_WORDS("smslib/MessageRequest", "invalid content: no hex digits"));
    if (hex.size() % 2 != 0)
        return Result<std::string>::Fail(
            Fill(VELMORA_WORDS("smslib/MessageRequest", "invalid content: an odd number of hex digits (%1)"),
                 {std::to_string(hex.size())}));
    return Result<std::string>::Ok(std::move(hex));
}

Built BuildMessage(const MessageRequest& r) {
    // A logo names its network before anything else is looked at.
    if (r.kind == MessageKind::Logo && (!AllDigits(r.mcc, 3) || !AllDigits(r.nc, 2)))
        return Refuse(VELMORA_WORDS("smslib/MessageRequest",
                                    "Unknown Mobile Operator, Please select provider or fill MCC and NC !"));
    if (r.destination.empty())
        return Refuse(VELMORA_WORDS("smslib/MessageRequest", "Please Fill Destination Mobile Number !"),
                      RefusedField::Destination);
    const auto number = CheckDestination(r.destination, r.countryCode);
    if (!number)
        return Refuse(number.error(), RefusedField::Destination);
    if (IsContentKind(r.kind))
        return BuildContent(r, *number);
    switch (r.kind) {
    case MessageKind::Text:
        return BuildText(r, *number);
    case MessageKind::Ems:
        return Job(*number, BuildEMSPDU(*number, r.text));
    case MessageKind::Void:
        return Job(*number, BuildVoidPDU(*number));
    case MessageKind::Indicator:
        if (r.indicatorKind != Voicemail && r.indicatorKind != Fax && r.indicatorKind != Email)
            return Refuse(Fill(VELMORA_WORDS("smslib/MessageRequest",
                                             "invalid indicator kind %1: it must be voicemail, fax or email"),
                               {std::to_string(r.indicatorKind)}));
        // The window always sets the group bit (TS 23.038 clause 4).
        return Job(*number, BuildIndicatorPDU(*number, r.indicatorKind, r.active, true));
    default:
        break;
    }
    return Refuse(VELMORA_WORDS("smslib/MessageRequest", "unknown kind of message"));
}

} // namespace velmora
