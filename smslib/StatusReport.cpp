#include "StatusReport.h"

#include "Words.h"

#include "Primitives.h"

#include <optional>

namespace velmora {

namespace {

// Two hex digits at `at`, or nothing.
std::optional<int> Octet(std::string_view pdu, std::size_t at) {
    if (at + 2 > pdu.size() || HexValue(pdu[at]) < 0 || HexValue(pdu[at + 1]) < 0)
        return std::nullopt;
    return HexValue(pdu[at]) * 16 + HexValue(pdu[at + 1]);
}

// The reasons of TS 23.040 9.2.3.15; the same low bits repeat in the
// temporary (0x2x, 0x6x) and permanent (0x4x) groups.
const char* Reason(int status) {
    switch (status & 0x0F) {
    case 0x00:
        return (status & 0x60) == 0x40 ? VELMORA_WORDS("smslib/StatusReport", "remote procedure error")
                                       : VELMORA_WORDS("smslib/StatusReport", "congestion");
    case 0x01:
        return (status & 0x60) == 0x40 ? VELMORA_WORDS("smslib/StatusReport", "incompatible destination")
                                       : VELMORA_WORDS("smslib/StatusReport", "recipient busy");
    case 0x02:
        return (status & 0x60) == 0x40
                   ? VELMORA_WORDS("smslib/StatusReport", "connection rejected by the recipient")
                   : VELMORA_WORDS("smslib/StatusReport", "no response from the recipient");
    case 0x03:
        return (status & 0x60) == 0x40 ? VELMORA_WORDS("smslib/StatusReport", "not obtainable")
                                       : VELMORA_WORDS("smslib/StatusReport", "service rejected");
    case 0x04:
        return VELMORA_WORDS("smslib/StatusReport", "quality of service not available");
    case 0x05:
        return (status & 0x60) == 0x40
                   ? VELMORA_WORDS("smslib/StatusReport", "no interworking available")
                   : VELMORA_WORDS("smslib/StatusReport", "error in the recipient's phone");
    }
    if ((status & 0x60) == 0x40) {
        switch (status) {
        case 0x46:
            return VELMORA_WORDS("smslib/StatusReport", "validity period expired");
        case 0x47:
            return VELMORA_WORDS("smslib/StatusReport", "deleted by the sender");
        case 0x48:
            return VELMORA_WORDS("smslib/StatusReport", "deleted by the service centre");
        case 0x49:
            return VELMORA_WORDS("smslib/StatusReport", "message does not exist");
        }
    }
    return nullptr;
}

} // namespace

Result<std::string> RequestStatusReport(std::string_view pdu) {
    const auto sca = Octet(pdu, 0);
    const std::size_t first = sca ? 2 + 2 * static_cast<std::size_t>(*sca) : 0;
    const auto octet = sca ? Octet(pdu, first) : std::nullopt;
    if (!octet || (*octet & 0x03) != 0x01)
        return Result<std::string>::Fail(VELMORA_WORDS("smslib/StatusReport", "not an SMS-SUBMIT PDU"));
    std::string out(pdu);
    out.replace(first, 2, ByteToHex(*octet | 0x20));
    return Result<std::string>::Ok(out);
}

bool AsksForStatusReport(std::string_view pdu) {
    const auto sca = Octet(pdu, 0);
    const auto first = sca ? Octet(pdu, 2 + 2 * static_cast<std::size_t>(*sca)) : std::nullopt;
    return first && (*first & 0x23) == 0x21;
}

Result<StatusReport> ParseStatusReport(std::string_view pdu) {
    const auto fail = [] {
        return Result<StatusReport>::Fail(VELMORA_WORDS("smslib/StatusReport", "not a status report"));
    };
    const auto sca = Octet(pdu, 0);
    if (!sca)
        return fail();
    std::size_t at = 2 + 2 * static_cast<std::size_t>(*sca);
    const auto first = Octet(pdu, at), reference = Octet(pdu, at + 2), digits = Octet(pdu, at + 4),
               type = Octet(pdu, at + 6);
    if (!first || (*first & 0x03) != 0x02 || !reference || !digits || *digits > 20 || !type)
        return fail();
    at += 8;
    const std::size_t addressLength = 2 * static_cast<std::size_t>((*digits + 1) / 2);
    // TP-RA, then the two time stamps (7 octets each), then TP-ST.
    const auto status = Octet(pdu, at + addressLength + 28);
    if (!status)
        return fail();
    const auto recipient = AddressDigits(pdu.substr(at, addressLength), static_cast<std::size_t>(*digits));
    if (!recipient)
        return fail();
    StatusReport r;
    r.reference = *reference;
    r.recipient = ((*type & 0x70) == 0x10 ? "+" : "") + *recipient;
    r.status = *status;
    return Result<StatusReport>::Ok(r);
}

std::string StatusText(int status) {
    if (IsDelivered(status))
        return VELMORA_WORDS("smslib/StatusReport", "Delivered");
    const char* reason = Reason(status);
    const std::string why =
        reason ? reason : Fill(VELMORA_WORDS("smslib/StatusReport", "status %1"), {ByteToHex(status & 0xFF)});
    return Fill(IsFinalStatus(status) ? VELMORA_WORDS("smslib/StatusReport", "Not delivered: %1")
                                      : VELMORA_WORDS("smslib/StatusReport", "Still trying: %1"),
                {why});
}

} // namespace velmora
