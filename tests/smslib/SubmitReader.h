#pragma once

// Reads back an SMS-SUBMIT PDU as the builders write it (SmsSubmit.h), the
// way a receiving phone would: the concatenation header's fields and the
// text, from GSM 7-bit or UCS2.

#include "Gsm7.h"
#include "Primitives.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace velmora::testing {

struct ReadSubmit {
    bool udhi = false;
    std::string dcs;
    int udl = 0;
    std::string header;                      // the user data header as hex, length octet included
    int reference = -1, parts = 0, part = 0; // from a concatenation element 00
    std::u16string text;
};

inline int Octet(std::string_view hex, std::size_t at) {
    return static_cast<int>(HexToInt(hex.substr(at, 2)));
}

inline ReadSubmit ReadSubmitPdu(std::string_view pdu) {
    ReadSubmit r;
    std::size_t at = 2; // after the service centre octet "00"
    r.udhi = (Octet(pdu, at) & 0x40) != 0;
    at += 4; // first octet, message reference
    const int digits = Octet(pdu, at);
    at += 4 + static_cast<std::size_t>((digits + 1) / 2 * 2); // length, type, semi-octets
    at += 2;                                                  // PID
    r.dcs = std::string(pdu.substr(at, 2));
    at += 4; // DCS, validity
    r.udl = Octet(pdu, at);
    at += 2;
    const std::string_view ud = pdu.substr(at);
    std::size_t headerOctets = 0;
    if (r.udhi) {
        headerOctets = static_cast<std::size_t>(Octet(ud, 0)) + 1;
        r.header = std::string(ud.substr(0, headerOctets * 2));
        if (headerOctets == 6 && r.header.substr(2, 4) == "0003") {
            r.reference = Octet(ud, 6);
            r.parts = Octet(ud, 8);
            r.part = Octet(ud, 10);
        }
    }
    if (r.dcs == "08") {
        for (std::size_t i = headerOctets * 2; i + 3 < ud.size(); i += 4)
            r.text += static_cast<char16_t>(HexToInt(ud.substr(i, 4)));
    } else {
        // The header and its fill bits take whole septets at the front.
        const std::size_t skip = (headerOctets * 8 + 6) / 7;
        const std::string codes = UnpackSeptets(ud, static_cast<std::size_t>(r.udl));
        r.text = DecodeGsm7(codes.substr(std::min(skip, codes.size())));
    }
    return r;
}

} // namespace velmora::testing
