#include "PduDecoder.h"

#include "PduTrace.h"
#include "Words.h"

#include "Gsm7.h"
#include "Primitives.h"
#include "Strings.h"

#include <algorithm>
#include <cstdio>

namespace velmora {

namespace {

// Reads octets one by one, each refusal naming where it stopped. A field
// read is noted with its place when there is a trace to note it in; `base`
// is where `hex` starts in the whole PDU, in octets.
class Reader {
public:
    explicit Reader(std::string_view hex, std::vector<PduSpan>* trace = nullptr, std::size_t base = 0)
        : m_hex(hex), m_trace(trace), m_base(base) {}

    std::optional<int> Octet(PduPart part) {
        if (m_at + 2 > m_hex.size() || HexValue(m_hex[m_at]) < 0 || HexValue(m_hex[m_at + 1]) < 0)
            return std::nullopt;
        const int v = HexValue(m_hex[m_at]) * 16 + HexValue(m_hex[m_at + 1]);
        Note(part, 1);
        m_at += 2;
        return v;
    }
    std::optional<std::string_view> Octets(std::size_t n, PduPart part) {
        if (m_at + 2 * n > m_hex.size())
            return std::nullopt;
        const std::string_view s = m_hex.substr(m_at, 2 * n);
        for (char c : s)
            if (HexValue(c) < 0)
                return std::nullopt;
        Note(part, n);
        m_at += 2 * n;
        return s;
    }
    // Up to `n` octets, as many whole ones as the text still holds: user
    // data cut short is read as far as it goes. Nothing when a digit that
    // is there is no hex digit.
    std::optional<std::string_view> UpTo(std::size_t n, PduPart part) {
        const std::string_view s = m_hex.substr(m_at, 2 * n);
        for (char c : s)
            if (HexValue(c) < 0)
                return std::nullopt;
        const std::size_t whole = s.size() / 2;
        Note(part, whole);
        m_at += 2 * whole;
        return s.substr(0, 2 * whole);
    }
    std::size_t OctetIndex() const { return m_at / 2 + 1; }
    std::size_t Offset() const { return m_base + m_at / 2; }
    std::vector<PduSpan>* Trace() const { return m_trace; }

private:
    void Note(PduPart part, std::size_t n) {
        if (m_trace && n > 0)
            m_trace->push_back({part, Offset(), n});
    }

    std::string_view m_hex;
    std::vector<PduSpan>* m_trace;
    std::size_t m_base;
    std::size_t m_at = 0;
};

using Decoded = Result<DecodedPdu>;

constexpr const char* kCannotReadOctet = VELMORA_WORDS("smslib/PduDecoder", "cannot read octet %1 (%2)");

Decoded Refuse(const Reader& r, const char* field) {
    return Decoded::Fail(Fill(kCannotReadOctet, {std::to_string(r.OctetIndex()), field}));
}

std::optional<std::string> Address(Reader& r) {
    const auto length = r.Octet(PduPart::AddressLength);
    const auto type = length ? r.Octet(PduPart::AddressType) : std::nullopt;
    if (!type || *length > 20)
        return std::nullopt;
    const auto body = r.Octets(static_cast<std::size_t>((*length + 1) / 2), PduPart::AddressDigits);
    if (!body)
        return std::nullopt;
    return AddressText(*length, *type, *body);
}

// TS 23.040 9.2.3.11: semi-octets, the zone in quarter hours with its sign
// in bit 3 of the tens digit.
std::optional<std::string> StampText(std::string_view octets) {
    int v[7];
    for (int i = 0; i < 7; ++i) {
        const int lo = HexValue(octets[static_cast<std::size_t>(2 * i)]);
        const int hi = HexValue(octets[static_cast<std::size_t>(2 * i + 1)]);
        // The first hex digit of an octet is its units, the second its tens.
        v[i] = i == 6 ? (hi & 7) * 10 + lo : lo + hi * 10;
        if (lo > 9 || (i < 6 && hi > 9))
            return std::nullopt;
    }
    const bool west = (HexValue(octets[13]) & 8) != 0;
    char out[96];
    // Two digits of the year: the network's clocks began in the 1990s.
    std::snprintf(out, sizeof out, "%d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d",
                  v[0] >= 90 ? 1900 + v[0] : 2000 + v[0], v[1], v[2], v[3], v[4], v[5], west ? '-' : '+',
                  v[6] / 4, (v[6] % 4) * 15);
    return std::string(out);
}

std::optional<std::string> Timestamp(Reader& r, PduPart part) {
    const auto octets = r.Octets(7, part);
    if (!octets)
        return std::nullopt;
    return StampText(*octets);
}

// TS 23.040 9.2.3.12.1.
std::string RelativeValidity(int v) {
    const auto plural = [](int n, const char* one, const char* many) {
        return Fill(n == 1 ? one : many, {std::to_string(n)});
    };
    if (v <= 167) {
        const int minutes = v <= 143 ? (v + 1) * 5 : 12 * 60 + (v - 143) * 30;
        return minutes % 60 ? plural(minutes, VELMORA_WORDS("smslib/PduDecoder", "%1 minute"),
                                     VELMORA_WORDS("smslib/PduDecoder", "%1 minutes"))
                            : plural(minutes / 60, VELMORA_WORDS("smslib/PduDecoder", "%1 hour"),
                                     VELMORA_WORDS("smslib/PduDecoder", "%1 hours"));
    }
    if (v <= 196)
        return plural(v - 166, VELMORA_WORDS("smslib/PduDecoder", "%1 day"),
                      VELMORA_WORDS("smslib/PduDecoder", "%1 days"));
    return plural(v - 192, VELMORA_WORDS("smslib/PduDecoder", "%1 week"),
                  VELMORA_WORDS("smslib/PduDecoder", "%1 weeks"));
}

} // namespace

// TS 23.040 9.1.2.5: the length counts useful semi-octets; an alphanumeric
// address (type of number 101) holds GSM 7-bit characters instead of
// digits, the extension table's among them, read as a text is.
std::string AddressText(int length, int type, std::string_view body) {
    if ((type & 0x70) == 0x50)
        return Utf16ToUtf8(DecodeGsm7(UnpackSeptets(body, static_cast<std::size_t>(length * 4 / 7))));
    const std::string digits = AddressDigits(body, static_cast<std::size_t>(length)).value_or("");
    return ((type & 0x70) == 0x10 ? "+" : "") + digits;
}

// The service centre's length counts octets, the type's among them, so an
// odd number of digits ends in the filler.
std::string SmscText(int type, std::string_view body) {
    return ((type & 0x70) == 0x10 ? "+" : "") + AddressDigits(body).value_or("");
}

// TS 23.038 clause 4: the coding and message class of the general data
// coding groups, the message-waiting groups and the data coding group.
void ReadDcs(int dcs, DecodedPdu& p) {
    p.dcs = dcs;
    if ((dcs & 0xC0) == 0x00 || (dcs & 0xC0) == 0x40) {
        const int alphabet = (dcs >> 2) & 3;
        p.coding = alphabet == 1   ? UserDataCoding::EightBit
                   : alphabet == 2 ? UserDataCoding::Ucs2
                                   : UserDataCoding::Gsm7;
        p.compressed = (dcs & 0x20) != 0;
        if (dcs & 0x10)
            p.messageClass = dcs & 3;
    } else if ((dcs & 0xF0) == 0xF0) {
        p.coding = dcs & 4 ? UserDataCoding::EightBit : UserDataCoding::Gsm7;
        p.messageClass = dcs & 3;
    } else {
        p.coding = (dcs & 0xF0) == 0xE0 ? UserDataCoding::Ucs2 : UserDataCoding::Gsm7;
    }
}

namespace {

// Where the user data cannot be read, counted from 1; nothing when it can.
std::optional<std::size_t> ReadUserData(Reader& r, bool hasHeader, DecodedPdu& p) {
    const auto length = r.Octet(PduPart::UserDataLength);
    if (!length)
        return r.OctetIndex();
    // Compressed user data is counted in octets whatever its alphabet.
    const std::size_t octets = p.coding == UserDataCoding::Gsm7 && !p.compressed
                                   ? (static_cast<std::size_t>(*length) * 7 + 7) / 8
                                   : static_cast<std::size_t>(*length);
    const std::size_t udStart = r.Offset();
    // A store or a phone that cut the message off: what came is read, and
    // the cut said, rather than the whole message refused. A message holds
    // at most 140 octets (TS 23.040 9.2.3.24), so a length past that is a
    // claim no data can meet: read as a cut, and never beyond those 140.
    const auto ud = r.UpTo(std::min<std::size_t>(octets, 140), PduPart::UserData);
    if (!ud)
        return r.OctetIndex();
    const std::size_t present = ud->size() / 2;
    p.truncated = present < octets;
    // The user data is noted field by field below, the header first.
    std::vector<PduSpan>* trace = r.Trace();
    if (trace && present > 0)
        trace->pop_back();
    std::size_t headerOctets = 0;
    if (hasHeader && present == 0) {
        // The header the first octet promises never came.
        p.truncated = true;
    } else if (hasHeader) {
        const std::size_t stated = static_cast<std::size_t>(HexToInt(ud->substr(0, 2))) + 1;
        // A header longer than the user data is cut where the data ends.
        const bool cut = stated > present;
        p.truncated = p.truncated || cut;
        headerOctets = std::min(stated, present);
        Reader h(ud->substr(0, 2 * headerOctets), trace, udStart);
        h.Octet(PduPart::HeaderLength);
        for (std::size_t used = 1; used < headerOctets;) {
            const auto id = h.Octet(PduPart::ElementId);
            const auto size = id ? h.Octet(PduPart::ElementLength) : std::nullopt;
            const auto data =
                size ? h.Octets(static_cast<std::size_t>(*size), PduPart::ElementData) : std::nullopt;
            if (!data) {
                // An element the cut took part of is left out; one longer
                // than the header it is in is a broken header.
                if (cut)
                    break;
                return udStart + h.OctetIndex();
            }
            p.header.push_back({*id, std::string(*data)});
            used += 2 + static_cast<std::size_t>(*size);
        }
    }
    const std::string_view body = ud->substr(2 * headerOctets);
    if (trace && present > headerOctets)
        trace->push_back({PduPart::UserData, udStart + headerOctets, present - headerOctets});
    if (p.compressed) {
        // Velmora reads no compressed text: its octets are kept as they came.
        p.data = std::string(body);
        return std::nullopt;
    }
    switch (p.coding) {
    case UserDataCoding::Gsm7: {
        // The header fills whole septets, padded with fill bits; a cut
        // leaves only the septets whose every bit came.
        const std::size_t skip = (headerOctets * 8 + 6) / 7;
        const std::size_t septets = std::min(static_cast<std::size_t>(*length), present * 8 / 7);
        const std::string codes = UnpackSeptets(*ud, septets);
        p.text = DecodeGsm7(skip < codes.size() ? std::string_view(codes).substr(skip) : std::string_view());
        break;
    }
    case UserDataCoding::Ucs2:
        for (std::size_t i = 0; i + 4 <= body.size(); i += 4)
            p.text += static_cast<char16_t>(HexToInt(body.substr(i, 4)));
        break;
    case UserDataCoding::EightBit:
        p.data = std::string(body);
        break;
    }
    return std::nullopt;
}

// TP-VPF, bits 3 and 4 of the first octet: none, enhanced, relative,
// absolute.
bool ReadValidity(Reader& r, int vpf, DecodedPdu& p) {
    if (vpf == 2) {
        const auto v = r.Octet(PduPart::Validity);
        if (v)
            p.validity = RelativeValidity(*v);
        return v.has_value();
    }
    if (vpf == 3) {
        const auto stamp = Timestamp(r, PduPart::Validity);
        if (stamp)
            p.validity = *stamp;
        return stamp.has_value();
    }
    return vpf == 0 || r.Octets(7, PduPart::Validity).has_value();
}

// After the recipient: TP-SCTS, TP-DT, TP-ST; the optional parameters that
// may follow are not needed to judge the delivery.
Decoded StatusReportRest(Reader& r, DecodedPdu p) {
    const auto stamp = Timestamp(r, PduPart::Timestamp);
    if (!stamp)
        return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "service-centre time stamp"));
    const auto discharge = Timestamp(r, PduPart::DischargeTime);
    if (!discharge)
        return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "discharge time"));
    p.status = r.Octet(PduPart::Status);
    if (!p.status)
        return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "status"));
    p.timestamp = *stamp;
    p.dischargeTime = *discharge;
    return Decoded::Ok(std::move(p));
}

} // namespace

std::string RelativeValidityText(int value) { return RelativeValidity(value); }

std::string TimestampText(std::string_view fourteenHex) {
    const std::string capitals = Upper(fourteenHex);
    if (capitals.size() != 14 || !IsHexText(capitals))
        return std::string();
    return StampText(capitals).value_or(std::string());
}

Result<DecodedPdu> DecodePdu(std::string_view hex, bool withSmsc) {
    std::vector<PduSpan> unused;
    return DecodePduTraced(hex, withSmsc, unused);
}

Result<DecodedPdu> DecodePduTraced(std::string_view hex, bool withSmsc, std::vector<PduSpan>& spans) {
    // What reads the fields further on (septets, UCS2, the "F" filler of a
    // number) knows only capitals; the phone or the user may give either.
    const std::string capitals = Upper(hex);
    spans.clear();
    Reader r(capitals, &spans);
    DecodedPdu p;
    if (withSmsc) {
        const auto length = r.Octet(PduPart::SmscLength);
        if (!length)
            return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "service-centre address length"));
        if (*length > 0) {
            const auto type = r.Octet(PduPart::SmscType);
            const auto body =
                type ? r.Octets(static_cast<std::size_t>(*length - 1), PduPart::SmscDigits) : std::nullopt;
            if (!body || *length > 11)
                return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "service-centre address"));
            p.smsc = SmscText(*type, *body);
        }
    }
    const auto first = r.Octet(PduPart::FirstOctet);
    if (!first)
        return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "first octet"));
    const int mti = *first & 3;
    p.hasHeader = (*first & 0x40) != 0;
    if (mti == 3)
        return Decoded::Fail(
            Fill(VELMORA_WORDS("smslib/PduDecoder", "octet %1 (first octet): message type 3 is reserved"),
                 {std::to_string(r.OctetIndex() - 1)}));
    p.type = mti == 0 ? PduType::Deliver : mti == 1 ? PduType::Submit : PduType::StatusReport;
    if (p.type != PduType::Deliver) {
        p.reportRequested = p.type == PduType::Submit && (*first & 0x20) != 0;
        p.reference = r.Octet(PduPart::Reference);
        if (!p.reference)
            return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "message reference"));
    }
    const auto number = Address(r);
    if (!number)
        return Refuse(r, p.type == PduType::Deliver ? VELMORA_WORDS("smslib/PduDecoder", "originator address")
                         : p.type == PduType::Submit
                             ? VELMORA_WORDS("smslib/PduDecoder", "destination address")
                             : VELMORA_WORDS("smslib/PduDecoder", "recipient address"));
    p.number = *number;
    if (p.type == PduType::StatusReport)
        return StatusReportRest(r, std::move(p));
    const auto pid = r.Octet(PduPart::Pid);
    const auto dcs = pid ? r.Octet(PduPart::Dcs) : std::nullopt;
    if (!dcs)
        return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "protocol identifier and coding scheme"));
    p.pid = *pid;
    ReadDcs(*dcs, p);
    if (p.type == PduType::Deliver) {
        const auto stamp = Timestamp(r, PduPart::Timestamp);
        if (!stamp)
            return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "service-centre time stamp"));
        p.timestamp = *stamp;
    } else if (!ReadValidity(r, (*first >> 3) & 3, p)) {
        return Refuse(r, VELMORA_WORDS("smslib/PduDecoder", "validity period"));
    }
    if (const auto at = ReadUserData(r, p.hasHeader, p))
        return Decoded::Fail(
            Fill(kCannotReadOctet, {std::to_string(*at), VELMORA_WORDS("smslib/PduDecoder", "user data")}));
    return Decoded::Ok(std::move(p));
}

} // namespace velmora
