#pragma once

// One PDU taken apart field by field, for showing what each octet says:
// the service-centre address, the first octet and each of its flags, the
// addresses, coding, times, the user-data header's elements and the user
// data. It is DecodePdu's own reading with the place of every field noted,
// so the two always agree. Pure.

#include "PduDecoder.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct PduField {
    std::string name;       // "TP-DCS", "IE data"
    std::size_t offset = 0; // first octet of the field, counted from 0
    std::size_t count = 0;  // octets it takes; a flag shares its octet with the first octet's row
    std::string hex;        // the field's octets as given, in capitals
    std::string meaning;    // UTF-8, plain words: "GSM 7-bit, class 0 (flash)"
    // Whether `meaning` is this library's words (a front end may say them in
    // the user's language) or the PDU's own text, an address, shown as it is.
    bool words = true;
    bool operator==(const PduField&) const = default;
};

struct PduInspection {
    std::vector<PduField> fields; // in PDU order; the last one holds octets left unread, if any
    std::string fault;            // "" when the PDU reads whole; else DecodePdu's reason
    std::optional<DecodedPdu> pdu;
};

// `hex` as DecodePdu takes it (either case, no spaces); `withSmsc` when the
// service-centre address leads it.
PduInspection InspectPdu(std::string_view hex, bool withSmsc = true);

// The PDUs in a transcript of the phone dialogue (a line of hex digits on
// its own, after AT+CMGS=, +CMGL:, +CMGR: or +CMT:, possibly ending in the
// Ctrl-Z that sends it): each line of hex digits that decodes as a PDU with
// `withSmsc`, in order, in capitals.
std::vector<std::string> FindPdus(std::string_view transcript, bool withSmsc = true);

} // namespace velmora
