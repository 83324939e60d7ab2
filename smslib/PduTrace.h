#pragma once

// Where DecodePdu found each field: the same reading, with the octets of
// every field it read noted down, so what shows the fields (InspectPdu)
// can never disagree with what decodes them. For this library's own use.

#include "PduDecoder.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class PduPart {
    SmscLength,
    SmscType,
    SmscDigits,
    FirstOctet,
    Reference,
    AddressLength,
    AddressType,
    AddressDigits,
    Pid,
    Dcs,
    Validity,
    Timestamp,
    DischargeTime,
    Status,
    UserDataLength,
    HeaderLength,
    ElementId,
    ElementLength,
    ElementData,
    UserData,
};

struct PduSpan {
    PduPart part;
    std::size_t offset; // octets from the start of the PDU
    std::size_t count;
};

// DecodePdu, noting each field read in `spans` in reading order; a refusal
// leaves the fields read before it.
Result<DecodedPdu> DecodePduTraced(std::string_view hex, bool withSmsc, std::vector<PduSpan>& spans);

// The decoder's own readings of single fields, for naming their meaning.
// An address's digits from its length (semi-octets), type and octets.
std::string AddressText(int length, int type, std::string_view body);
// The service centre's number from its type and octets.
std::string SmscText(int type, std::string_view body);
// The coding and message class a TP-DCS gives, into `p`.
void ReadDcs(int dcs, DecodedPdu& p);
// TP-VP relative (TS 23.040 9.2.3.12.1): "4 days".
std::string RelativeValidityText(int value);
// Seven semi-octet time-stamp octets as 14 capital hex digits: ISO 8601
// with the zone, or "" when a digit is no decimal digit.
std::string TimestampText(std::string_view fourteenHex);

} // namespace velmora
