#include "TextPdu.h"

#include "Words.h"

#include "Gsm7.h"
#include "Primitives.h"
#include "SmsSubmit.h"

namespace velmora {

namespace {

Result<std::string> BuildNormal(std::string_view number, std::u16string_view text) {
    auto codes = EncodeGsm7(text);
    if (!codes)
        return codes;
    const auto septets = static_cast<int>(codes->size());
    if (septets > kMaxTextSeptets)
        return Result<std::string>::Fail(
            Fill(VELMORA_WORDS("smslib/LongText",
                               "The text takes %1 characters; a text message holds at most 160"),
                 {std::to_string(septets)}));
    const std::string userData = BitsToHex(PackSeptets(TextToBits(*codes, true)));
    return FrameSubmit(number, false, Dcs::Gsm7, septets, userData);
}

// The UCS2 units are the text's own UTF-16 code units, so any script goes
// through; for Latin-1 text each unit is simply 00 followed by the code.
Result<std::string> BuildFlash(std::string_view number, std::u16string_view text, bool blink) {
    std::string userData = blink ? "0001" : "";
    for (char16_t unit : text) {
        userData += ByteToHex(unit >> 8);
        userData += ByteToHex(unit & 0xFF);
    }
    const auto octets = static_cast<int>(userData.size() / 2);
    if (octets > kMaxUserDataOctets)
        return Result<std::string>::Fail(Fill(
            blink ? VELMORA_WORDS(
                        "smslib/TextPdu",
                        "The flash message takes %1 octets; it holds at most 69 characters when blinking")
                  : VELMORA_WORDS("smslib/TextPdu",
                                  "The flash message takes %1 octets; it holds at most 70 characters"),
            {std::to_string(octets)}));
    return FrameSubmit(number, false, Dcs::Ucs2Class0, octets, userData);
}

} // namespace

Result<std::string> BuildTextPDU(std::string_view number, std::u16string_view text, bool flash, bool blink) {
    return flash ? BuildFlash(number, text, blink) : BuildNormal(number, text);
}

} // namespace velmora
