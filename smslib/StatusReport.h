#pragma once

// Delivery reports: asking for one in an SMS-SUBMIT (TP-SRR, TS 23.040
// 9.2.3.5) and reading the SMS-STATUS-REPORT that answers it (9.2.2.3).

#include "Result.h"

#include <string>
#include <string_view>

namespace velmora {

// The PDU text (service-centre octets first, as submitted) with TP-SRR set in
// its first octet. Refused when the text is not such a PDU.
Result<std::string> RequestStatusReport(std::string_view pdu);

// Whether a submitted PDU asks for a report.
bool AsksForStatusReport(std::string_view pdu);

struct StatusReport {
    int reference = 0; // TP-MR of the message it reports on
    // TP-RA as its digits say ("*", "#", "a" to "c" among them), "+" in
    // front of an international number.
    std::string recipient;
    int status = 0; // TP-ST
};

// An SMS-STATUS-REPORT as the phone hands it over: service-centre address,
// first octet (TP-MTI 10), TP-MR, TP-RA, TP-SCTS, TP-DT, TP-ST.
Result<StatusReport> ParseStatusReport(std::string_view pdu);

// TP-ST 0x00..0x1F: the message reached the recipient (or was forwarded).
inline bool IsDelivered(int status) { return status >= 0 && status < 0x20; }
// 0x20..0x3F: the service centre is still trying; another report follows.
inline bool IsFinalStatus(int status) { return status < 0x20 || status >= 0x40; }
// "Delivered", "Not delivered: validity period expired", or for a report
// that is not final "Still trying: recipient busy".
std::string StatusText(int status);

} // namespace velmora
