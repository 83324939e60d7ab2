#include "SmsSubmit.h"

#include "Words.h"

#include "Primitives.h"
#include "Strings.h"

namespace velmora {

Result<std::string> FrameSubmit(std::string_view number, bool userDataHeader, std::string_view dcs,
                                int userDataLength, std::string_view userData) {
    if (number.empty())
        return Result<std::string>::Fail(
            VELMORA_WORDS("smslib/SmsSubmit", "The destination number is empty"));
    if (!IsValidDestination(number))
        return Result<std::string>::Fail(Fill(
            VELMORA_WORDS("smslib/SmsSubmit", "The destination number must be 1 to 20 digits, not \"%1\""),
            {number}));
    const auto octets = static_cast<int>(userData.size() / 2);
    if (octets > kMaxUserDataOctets)
        return Result<std::string>::Fail(
            Fill(VELMORA_WORDS("smslib/SmsSubmit",
                               "The message needs %1 octets of user data; one message carries at most 140"),
                 {std::to_string(octets)}));
    if (userDataLength < 0 || userDataLength > 255)
        return Result<std::string>::Fail(
            Fill(VELMORA_WORDS("smslib/SmsSubmit", "The user data length %1 does not fit in one octet"),
                 {std::to_string(userDataLength)}));
    std::string pdu = userDataHeader ? "005100" : "001100";
    pdu += ByteToHex(static_cast<int>(number.size()));
    pdu += "91";
    pdu += SwapSemiOctets(number);
    pdu += "00";
    pdu += dcs;
    pdu += "AA";
    pdu += ByteToHex(userDataLength);
    pdu += userData;
    return Result<std::string>::Ok(std::move(pdu));
}

int SubmitOctetCount(std::string_view pdu) { return static_cast<int>(pdu.size() / 2) - 1; }

} // namespace velmora
