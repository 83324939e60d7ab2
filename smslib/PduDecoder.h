#pragma once

// Reading a PDU back: the frame of an SMS-DELIVER, SMS-SUBMIT or
// SMS-STATUS-REPORT (TS 23.040 9.2.2.1 to 9.2.2.3) with its addresses, time
// stamps, coding (TS 23.038 clause 4), user-data header elements and text. Pure; what it cannot read
// is refused naming the octet and the field, never guessed. User data cut
// short is the exception: it is read as far as it goes and marked.

#include "Result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class PduType { Deliver, Submit, StatusReport };
enum class UserDataCoding { Gsm7, EightBit, Ucs2 };

struct HeaderElement {
    int id = 0;
    std::string data; // hex
    bool operator==(const HeaderElement&) const = default;
};

struct DecodedPdu {
    PduType type = PduType::Deliver;
    std::string smsc;             // "" when the PDU names none
    std::string number;           // originator, destination or recipient; "+" when international
    std::string timestamp;        // DELIVER, report: ISO 8601 with the zone, "2026-12-08T21:00:00+07:00"
    std::optional<int> reference; // SUBMIT, report: TP-MR
    bool reportRequested = false; // SUBMIT: TP-SRR
    std::string validity;         // SUBMIT: "4 days", an ISO 8601 time, "" for none
    std::string dischargeTime;    // report: when the recipient got it or the centre gave up
    std::optional<int> status;    // report: TP-ST
    int pid = 0;
    int dcs = 0;
    UserDataCoding coding = UserDataCoding::Gsm7;
    std::optional<int> messageClass; // 0 to 3 when the coding scheme gives one
    bool hasHeader = false;          // TP-UDHI, also when the header is empty
    std::vector<HeaderElement> header;
    // The coding scheme says the user data is compressed (TS 23.038 bit 5,
    // TS 23.042): its octets are in `data`, never read as text.
    bool compressed = false;
    std::u16string text; // GSM 7-bit and UCS2 user data
    std::string data;    // 8-bit or compressed user data as hex, the header left out
    // The user data (or its header) ends before the length it states:
    // what came is read, the rest is missing.
    bool truncated = false;
};

// `hex` as PDU mode gives it; `withSmsc` when the service-centre address
// leads it (as +CMGR and +CMGL give it, and as Velmora writes it).
Result<DecodedPdu> DecodePdu(std::string_view hex, bool withSmsc = true);

} // namespace velmora
