#pragma once

// The SMS-SUBMIT frame (3GPP TS 23.040 clause 9.2.2.2) that every message
// kind shares, written as PDU text for the PDU mode of TS 27.005.

#include "Result.h"

#include <string>
#include <string_view>

namespace velmora {

// User data may take at most 140 octets (TS 23.040 clause 9.2.3.24).
inline constexpr int kMaxUserDataOctets = 140;

// Data coding schemes written by the builders (TS 23.038 clause 4).
namespace Dcs {
inline constexpr std::string_view Gsm7 = "00";
inline constexpr std::string_view Ucs2 = "08";
inline constexpr std::string_view Ucs2Class0 = "18";
inline constexpr std::string_view Data8BitClass1 = "F5";
inline constexpr std::string_view VoidMessage = "CB";
} // namespace Dcs

// Frames user data: "00" for the phone's own service centre, first octet 11
// (or 51 with a user-data header), reference 00, the international
// destination, PID 00, the coding scheme, validity AA (4 days), the user data
// length (septets or octets, as the coding scheme counts) and the user data.
// Refuses a destination that is not 1 to 20 digits, a length above 255 and
// user data above 140 octets.
Result<std::string> FrameSubmit(std::string_view number, bool userDataHeader, std::string_view dcs,
                                int userDataLength, std::string_view userData);

// Octets announced in "at+cmgs=": every octet after the service-centre one.
int SubmitOctetCount(std::string_view pdu);

} // namespace velmora
