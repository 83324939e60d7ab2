#include "SmartPdu.h"

#include "Words.h"

#include "Primitives.h"
#include "SmsSubmit.h"

namespace velmora {

namespace {

// Port headers: IE 05 (16-bit application ports), destination port, originator 0000.
constexpr std::string_view kRingtoneHeader = "06050415810000";      // port 5505
constexpr std::string_view kLogoHeader = "06050415820000";          // port 5506
constexpr std::string_view kGroupHeader = "0605041583000000480E01"; // port 5507 + OTA header 72x14
constexpr std::string_view kOtaHeader72x14 = "00480E01";
// Port 5514 and IE 00 (concatenation, reference 2A, 3 parts); part 1 carries
// the picture-message version 30, item 02 (OTA bitmap) of 0100 octets and the
// OTA header for 72x28.
constexpr std::string_view kPicturePart1 = "0B0504158A000000032A03013002010000481C01";
constexpr std::string_view kPicturePart2 = "0B0504158A000000032A0302";
constexpr std::string_view kPicturePart3 = "0B0504158A000000032A0303";
constexpr std::size_t kPicturePart1Digits = 240;
constexpr std::size_t kPicturePart2Digits = 256;

Result<std::string> Frame8Bit(std::string_view number, const std::string& userData) {
    return FrameSubmit(number, true, Dcs::Data8BitClass1, static_cast<int>(userData.size() / 2), userData);
}

template <class T> Result<T> Refuse(const std::string& why) { return Result<T>::Fail(why); }

} // namespace

std::string CheckContentHex(std::string_view content) {
    for (char c : content)
        if (!IsHexDigit(c))
            return Fill(VELMORA_WORDS("smslib/SmartPdu",
                                      "The content holds \"%1\", which is not a hex digit 0-9 or A-F"),
                        {std::string(1, c)});
    if (content.size() % 2 != 0)
        return Fill(
            VELMORA_WORDS("smslib/SmartPdu",
                          "The content has an odd number of hex digits (%1); it must be whole octets"),
            {std::to_string(content.size())});
    return {};
}

Result<std::string> BuildOperatorLogoPDU(std::string_view number, std::string_view logo,
                                         std::string_view networkCode) {
    if (auto why = CheckContentHex(logo); !why.empty())
        return Refuse<std::string>(why);
    if (networkCode.size() != 6 || !IsHexText(networkCode))
        return Refuse<std::string>(
            Fill(VELMORA_WORDS("smslib/SmartPdu", "The network code must be six hex digits, not \"%1\""),
                 {networkCode}));
    std::string userData(kLogoHeader);
    userData += networkCode;
    userData += kOtaHeader72x14;
    userData += logo;
    return Frame8Bit(number, userData);
}

Result<std::string> BuildGroupGraphicPDU(std::string_view number, std::string_view graphic) {
    if (auto why = CheckContentHex(graphic); !why.empty())
        return Refuse<std::string>(why);
    return Frame8Bit(number, std::string(kGroupHeader) + std::string(graphic));
}

Result<std::array<std::string, 3>> BuildPictureMessagePDUs(std::string_view number,
                                                           std::string_view picture) {
    using Parts = std::array<std::string, 3>;
    if (auto why = CheckContentHex(picture); !why.empty())
        return Refuse<Parts>(why);
    const std::string_view p1 = picture.substr(0, kPicturePart1Digits);
    const std::string_view rest = picture.substr(p1.size());
    const std::string_view p2 = rest.substr(0, kPicturePart2Digits);
    const std::string_view p3 = rest.substr(p2.size());
    const std::array<std::string, 3> userData = {std::string(kPicturePart1) + std::string(p1),
                                                 std::string(kPicturePart2) + std::string(p2),
                                                 std::string(kPicturePart3) + std::string(p3)};
    Parts parts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        auto pdu = Frame8Bit(number, userData[i]);
        if (!pdu)
            return Refuse<Parts>(Fill(VELMORA_WORDS("smslib/SmartPdu", "Picture part %1: %2"),
                                      {std::to_string(i + 1), pdu.error()}));
        parts[i] = std::move(pdu.value());
    }
    return Result<Parts>::Ok(std::move(parts));
}

Result<std::string> BuildRingtonePDU(std::string_view number, std::string_view ringtone) {
    if (auto why = CheckContentHex(ringtone); !why.empty())
        return Refuse<std::string>(why);
    return Frame8Bit(number, std::string(kRingtoneHeader) + std::string(ringtone));
}

} // namespace velmora
