#include "PduFields.h"

#include "PduTrace.h"
#include "Primitives.h"
#include "StatusReport.h"
#include "Strings.h"
#include "Words.h"

#include <algorithm>
#include <cstdio>

namespace velmora {

namespace {

std::string Hex2(int v) {
    char out[8];
    std::snprintf(out, sizeof out, "%02X", v & 0xFF);
    return out;
}

// Each text here is one of the catalog's patterns, so the front ends can
// say it in the user's language; a count names its unit in full for the
// same reason.
std::string Count(std::size_t n, const char* one, const char* many) {
    return Fill(n == 1 ? one : many, {std::to_string(n)});
}

std::string Octets(std::size_t n) {
    return Count(n, VELMORA_WORDS("smslib/PduFields", "%1 octet"),
                 VELMORA_WORDS("smslib/PduFields", "%1 octets"));
}

std::string Characters(std::size_t n) {
    return Count(n, VELMORA_WORDS("smslib/PduFields", "%1 character"),
                 VELMORA_WORDS("smslib/PduFields", "%1 characters"));
}

// TS 23.040 9.1.2.5: type of number and numbering plan.
std::string AddressType(int type) {
    static const char* const numbers[] = {VELMORA_WORDS("smslib/PduFields", "unknown, %1"),
                                          VELMORA_WORDS("smslib/PduFields", "international, %1"),
                                          VELMORA_WORDS("smslib/PduFields", "national, %1"),
                                          VELMORA_WORDS("smslib/PduFields", "network specific, %1"),
                                          VELMORA_WORDS("smslib/PduFields", "subscriber, %1"),
                                          VELMORA_WORDS("smslib/PduFields", "alphanumeric, %1"),
                                          VELMORA_WORDS("smslib/PduFields", "abbreviated, %1"),
                                          VELMORA_WORDS("smslib/PduFields", "reserved, %1")};
    const int plan = type & 0x0F;
    const char* planName = plan == 0   ? VELMORA_WORDS("smslib/PduFields", "unknown plan")
                           : plan == 1 ? VELMORA_WORDS("smslib/PduFields", "ISDN/telephone")
                           : plan == 3 ? VELMORA_WORDS("smslib/PduFields", "data")
                           : plan == 4 ? VELMORA_WORDS("smslib/PduFields", "telex")
                           : plan == 8 ? VELMORA_WORDS("smslib/PduFields", "national plan")
                           : plan == 9 ? VELMORA_WORDS("smslib/PduFields", "private plan")
                                       : VELMORA_WORDS("smslib/PduFields", "reserved plan");
    return Fill(numbers[(type >> 4) & 7], {planName});
}

// TS 23.040 9.2.3.9.
std::string PidMeaning(int pid) {
    if (pid == 0x00)
        return VELMORA_WORDS("smslib/PduFields", "normal short message");
    if (pid < 0x20)
        return Fill(VELMORA_WORDS("smslib/PduFields", "SME-to-SME protocol %1"), {std::to_string(pid)});
    if (pid < 0x40)
        return Fill(VELMORA_WORDS("smslib/PduFields", "telematic interworking, device %1"),
                    {std::to_string(pid & 0x1F)});
    if (pid == 0x40)
        return VELMORA_WORDS("smslib/PduFields", "short message type 0: acknowledged, not stored");
    if (pid >= 0x41 && pid <= 0x47)
        return Fill(VELMORA_WORDS("smslib/PduFields", "replace short message type %1"),
                    {std::to_string(pid - 0x40)});
    switch (pid) {
    case 0x5E:
        return VELMORA_WORDS("smslib/PduFields", "version 2 of type 1 (return call)");
    case 0x5F:
        return VELMORA_WORDS("smslib/PduFields", "return call message");
    case 0x7C:
        return VELMORA_WORDS("smslib/PduFields", "ANSI-136 R-DATA");
    case 0x7D:
        return VELMORA_WORDS("smslib/PduFields", "phone de-personalisation");
    case 0x7E:
        return VELMORA_WORDS("smslib/PduFields", "phone data download");
    case 0x7F:
        return VELMORA_WORDS("smslib/PduFields", "SIM data download");
    default:
        return VELMORA_WORDS("smslib/PduFields", "reserved or service-centre specific");
    }
}

const char* CodingName(UserDataCoding coding) {
    switch (coding) {
    case UserDataCoding::Gsm7:
        return VELMORA_WORDS("smslib/PduFields", "GSM 7-bit");
    case UserDataCoding::EightBit:
        return VELMORA_WORDS("smslib/PduFields", "8-bit data");
    case UserDataCoding::Ucs2:
        return VELMORA_WORDS("smslib/PduFields", "UCS2");
    }
    return "";
}

// Waiting and no longer waiting, for each kind of message (bits 1-0).
const char* const kWaiting[2][4] = {{VELMORA_WORDS("smslib/PduFields", "voicemail no longer waiting"),
                                     VELMORA_WORDS("smslib/PduFields", "fax no longer waiting"),
                                     VELMORA_WORDS("smslib/PduFields", "e-mail no longer waiting"),
                                     VELMORA_WORDS("smslib/PduFields", "other no longer waiting")},
                                    {VELMORA_WORDS("smslib/PduFields", "voicemail waiting"),
                                     VELMORA_WORDS("smslib/PduFields", "fax waiting"),
                                     VELMORA_WORDS("smslib/PduFields", "e-mail waiting"),
                                     VELMORA_WORDS("smslib/PduFields", "other waiting")}};

// TS 23.038 clause 4, with the coding as the decoder reads it. Each
// addition wraps what came before, so every step is a pattern of its own.
std::string DcsMeaning(int dcs) {
    DecodedPdu p;
    ReadDcs(dcs, p);
    std::string out = CodingName(p.coding);
    const auto add = [&out](const char* pattern) { out = Fill(pattern, {out}); };
    if ((dcs & 0xC0) == 0x00 || (dcs & 0xC0) == 0x40) {
        if (((dcs >> 2) & 3) == 3)
            add(VELMORA_WORDS("smslib/PduFields", "%1 (reserved alphabet)"));
        if (dcs & 0x20)
            add(VELMORA_WORDS("smslib/PduFields", "%1, compressed"));
        if (dcs & 0x40)
            add(VELMORA_WORDS("smslib/PduFields", "%1, delete once read"));
    } else if ((dcs & 0xF0) == 0xC0 || (dcs & 0xF0) == 0xD0 || (dcs & 0xF0) == 0xE0) {
        out =
            Fill((dcs & 0xF0) == 0xC0 ? VELMORA_WORDS("smslib/PduFields", "%1, message waiting: discard, %2")
                                      : VELMORA_WORDS("smslib/PduFields", "%1, message waiting: store, %2"),
                 {out, kWaiting[(dcs & 8) ? 1 : 0][dcs & 3]});
    } else if ((dcs & 0xF0) != 0xF0) {
        add(VELMORA_WORDS("smslib/PduFields", "%1 (reserved coding group)"));
    }
    static const char* const classes[] = {
        VELMORA_WORDS("smslib/PduFields", "%1, class 0 (flash)"),
        VELMORA_WORDS("smslib/PduFields", "%1, class 1 (phone)"),
        VELMORA_WORDS("smslib/PduFields", "%1, class 2 (SIM)"),
        VELMORA_WORDS("smslib/PduFields", "%1, class 3 (terminal equipment)")};
    if (p.messageClass)
        add(classes[*p.messageClass]);
    return out;
}

// TS 23.040 9.2.3.12.3: the functionality octet, then its own form.
std::string EnhancedValidity(std::string_view hex) {
    const int fi = static_cast<int>(HexToInt(hex.substr(0, 2)));
    const char* form = fi & 0x40 ? VELMORA_WORDS("smslib/PduFields", "enhanced, single attempt: %1")
                                 : VELMORA_WORDS("smslib/PduFields", "enhanced: %1");
    switch (fi & 7) {
    case 0:
        return Fill(form, {VELMORA_WORDS("smslib/PduFields", "no validity period")});
    case 1:
        return Fill(form, {RelativeValidityText(static_cast<int>(HexToInt(hex.substr(2, 2))))});
    case 2:
        return Fill(form, {Count(HexToInt(hex.substr(2, 2)), VELMORA_WORDS("smslib/PduFields", "%1 second"),
                                 VELMORA_WORDS("smslib/PduFields", "%1 seconds"))});
    case 3: {
        const std::string t = UnswapSemiOctets(hex.substr(2, 6));
        return Fill(form, {t.substr(0, 2) + ":" + t.substr(2, 2) + ":" + t.substr(4, 2)});
    }
    default:
        return Fill(form, {VELMORA_WORDS("smslib/PduFields", "reserved form")});
    }
}

std::string ValidityMeaning(int vpf, std::string_view hex) {
    if (vpf == 2)
        return Fill(VELMORA_WORDS("smslib/PduFields", "relative: %1"),
                    {RelativeValidityText(static_cast<int>(HexToInt(hex)))});
    if (vpf == 3) {
        const std::string t = TimestampText(hex);
        return Fill(VELMORA_WORDS("smslib/PduFields", "absolute: %1"),
                    {t.empty() ? VELMORA_WORDS("smslib/PduFields", "not a time") : t});
    }
    return EnhancedValidity(hex);
}

// The flags of the first octet (TS 23.040 9.2.2), each as a row of its own.
void FirstOctetFlags(int first, const PduSpan& at, const std::string& hex, std::vector<PduField>& out) {
    const auto flag = [&](const char* name, std::string meaning) {
        out.push_back({name, at.offset, at.count, hex, std::move(meaning)});
    };
    const auto pick = [](bool on, const char* yes, const char* no) { return std::string(on ? yes : no); };
    const int mti = first & 3;
    const bool on2 = first & 4, on5 = first & 0x20;
    static const char* const types[] = {"SMS-DELIVER", "SMS-SUBMIT", "SMS-STATUS-REPORT",
                                        VELMORA_WORDS("smslib/PduFields", "reserved")};
    out.push_back({VELMORA_WORDS("smslib/PduFields", "First octet"), at.offset, at.count, hex, types[mti]});
    flag("TP-MTI", Fill(VELMORA_WORDS("smslib/PduFields", "%1 (bits 1-0: %2)"),
                        {types[mti], std::to_string(mti >> 1) + std::to_string(mti & 1)}));
    if (mti == 1) {
        flag("TP-RD", pick(on2, VELMORA_WORDS("smslib/PduFields", "reject a duplicate"),
                           VELMORA_WORDS("smslib/PduFields", "accept a duplicate")));
        static const char* const vpf[] = {VELMORA_WORDS("smslib/PduFields", "no validity period"),
                                          VELMORA_WORDS("smslib/PduFields", "enhanced validity period"),
                                          VELMORA_WORDS("smslib/PduFields", "relative validity period"),
                                          VELMORA_WORDS("smslib/PduFields", "absolute validity period")};
        flag("TP-VPF", vpf[(first >> 3) & 3]);
        flag("TP-SRR", pick(on5, VELMORA_WORDS("smslib/PduFields", "a status report is asked for"),
                            VELMORA_WORDS("smslib/PduFields", "no status report asked for")));
    } else if (mti != 3) {
        flag("TP-MMS", pick(on2, VELMORA_WORDS("smslib/PduFields", "no more messages waiting"),
                            VELMORA_WORDS("smslib/PduFields", "more messages waiting")));
        if (mti == 0)
            flag("TP-SRI",
                 pick(on5, VELMORA_WORDS("smslib/PduFields", "the sender asked for a status report"),
                      VELMORA_WORDS("smslib/PduFields", "no status report asked for")));
        else
            flag("TP-SRQ", pick(on5, VELMORA_WORDS("smslib/PduFields", "reports on a command"),
                                VELMORA_WORDS("smslib/PduFields", "reports on a message sent")));
    }
    if (mti == 3)
        return;
    flag("TP-UDHI",
         pick(first & 0x40, VELMORA_WORDS("smslib/PduFields", "the user data starts with a header"),
              VELMORA_WORDS("smslib/PduFields", "no user-data header")));
    if (mti != 2)
        flag("TP-RP", pick(first & 0x80, VELMORA_WORDS("smslib/PduFields", "reply path set"),
                           VELMORA_WORDS("smslib/PduFields", "no reply path")));
}

int ElementPort(std::string_view hex) { return static_cast<int>(HexToInt(hex)); }

// The destination port, named when it is one of the smart messages'.
std::string ToPort(int port) {
    const std::string n = std::to_string(port);
    switch (port) {
    case 0x1581:
        return Fill(VELMORA_WORDS("smslib/PduFields", "to port %1 (ringtone)"), {n});
    case 0x1582:
        return Fill(VELMORA_WORDS("smslib/PduFields", "to port %1 (operator logo)"), {n});
    case 0x1583:
        return Fill(VELMORA_WORDS("smslib/PduFields", "to port %1 (group graphic)"), {n});
    case 0x158A:
        return Fill(VELMORA_WORDS("smslib/PduFields", "to port %1 (picture message)"), {n});
    default:
        return Fill(VELMORA_WORDS("smslib/PduFields", "to port %1"), {n});
    }
}

// TS 23.040 9.2.3.24: the elements' names, after their id in hex.
const char* ElementName(int id) {
    switch (id) {
    case 0x00:
        return VELMORA_WORDS("smslib/PduFields", "%1: concatenated message, 8-bit reference");
    case 0x01:
        return VELMORA_WORDS("smslib/PduFields", "%1: special message indication");
    case 0x04:
        return VELMORA_WORDS("smslib/PduFields", "%1: application port, 8-bit");
    case 0x05:
        return VELMORA_WORDS("smslib/PduFields", "%1: application port, 16-bit");
    case 0x08:
        return VELMORA_WORDS("smslib/PduFields", "%1: concatenated message, 16-bit reference");
    case 0x0A:
        return VELMORA_WORDS("smslib/PduFields", "%1: EMS text formatting");
    case 0x0B:
        return VELMORA_WORDS("smslib/PduFields", "%1: EMS predefined sound");
    case 0x0C:
        return VELMORA_WORDS("smslib/PduFields", "%1: EMS user-defined sound");
    case 0x0D:
        return VELMORA_WORDS("smslib/PduFields", "%1: EMS predefined animation");
    case 0x0E:
        return VELMORA_WORDS("smslib/PduFields", "%1: EMS large animation");
    case 0x0F:
        return VELMORA_WORDS("smslib/PduFields", "%1: EMS small animation");
    case 0x10:
        return VELMORA_WORDS("smslib/PduFields", "%1: EMS large picture");
    case 0x11:
        return VELMORA_WORDS("smslib/PduFields", "%1: EMS small picture");
    case 0x12:
        return VELMORA_WORDS("smslib/PduFields", "%1: EMS variable picture");
    default:
        return VELMORA_WORDS("smslib/PduFields", "%1: unknown element");
    }
}

std::string ElementMeaning(int id, std::string_view hex) {
    const std::size_t n = hex.size() / 2;
    const auto octet = [&](std::size_t i) { return static_cast<int>(HexToInt(hex.substr(2 * i, 2))); };
    const auto number = [](auto v) { return std::to_string(v); };
    if (id == 0x00 && n == 3)
        return Fill(VELMORA_WORDS("smslib/PduFields", "reference %1, part %2 of %3"),
                    {number(octet(0)), number(octet(2)), number(octet(1))});
    if (id == 0x08 && n == 4)
        return Fill(VELMORA_WORDS("smslib/PduFields", "reference %1, part %2 of %3"),
                    {number(HexToInt(hex.substr(0, 4))), number(octet(3)), number(octet(2))});
    if ((id == 0x05 && n == 4) || (id == 0x04 && n == 2)) {
        const std::size_t w = id == 0x05 ? 4 : 2;
        const int to = ElementPort(hex.substr(0, w)), from = ElementPort(hex.substr(w, w));
        return Fill(VELMORA_WORDS("smslib/PduFields", "%1, from port %2"), {ToPort(to), number(from)});
    }
    if (id == 0x01 && n == 2) {
        static const char* const kinds[2][4] = {
            {VELMORA_WORDS("smslib/PduFields", "discard, voicemail: %1 waiting"),
             VELMORA_WORDS("smslib/PduFields", "discard, fax: %1 waiting"),
             VELMORA_WORDS("smslib/PduFields", "discard, e-mail: %1 waiting"),
             VELMORA_WORDS("smslib/PduFields", "discard, other: %1 waiting")},
            {VELMORA_WORDS("smslib/PduFields", "store, voicemail: %1 waiting"),
             VELMORA_WORDS("smslib/PduFields", "store, fax: %1 waiting"),
             VELMORA_WORDS("smslib/PduFields", "store, e-mail: %1 waiting"),
             VELMORA_WORDS("smslib/PduFields", "store, other: %1 waiting")}};
        return Fill(
            kinds[(octet(0) & 0x80) ? 1 : 0][octet(0) & 3],
            {Count(static_cast<std::size_t>(octet(1)), VELMORA_WORDS("smslib/PduFields", "%1 message"),
                   VELMORA_WORDS("smslib/PduFields", "%1 messages"))});
    }
    if (id >= 0x0A && id <= 0x12 && n >= 1) {
        const std::string at = number(octet(0));
        if (id == 0x0A && n >= 2)
            return Fill(VELMORA_WORDS("smslib/PduFields", "at character %1, %2 formatted"),
                        {at, Characters(static_cast<std::size_t>(octet(1)))});
        if ((id == 0x0B || id == 0x0D) && n == 2)
            return Fill(VELMORA_WORDS("smslib/PduFields", "at character %1, number %2"),
                        {at, number(octet(1))});
        if (n > 1)
            return Fill(VELMORA_WORDS("smslib/PduFields", "at character %1, %2 of content"),
                        {at, Octets(n - 1)});
        return Fill(VELMORA_WORDS("smslib/PduFields", "at character %1"), {at});
    }
    return Octets(n);
}

std::string Brief(const char* coding, const std::u16string& text) {
    constexpr std::size_t kShown = 48;
    if (text.size() <= kShown)
        return Fill(VELMORA_WORDS("smslib/PduFields", "%1 text \"%2\""), {coding, Utf16ToUtf8(text)});
    std::size_t cut = kShown;
    if (text[cut - 1] >= 0xD800 && text[cut - 1] < 0xDC00)
        --cut; // not between the halves of a surrogate pair
    return Fill(VELMORA_WORDS("smslib/PduFields", "%1 text \"%2\u2026\" (%3)"),
                {coding, Utf16ToUtf8(text.substr(0, cut)), Characters(text.size())});
}

std::string AddressName(int mti) { return mti == 0 ? "TP-OA" : mti == 1 ? "TP-DA" : "TP-RA"; }

// What the noted fields say, read from their own octets.
class Namer {
public:
    Namer(std::string_view hex, const Result<DecodedPdu>& decoded) : m_hex(hex), m_decoded(decoded) {}

    void Add(const PduSpan& s, std::vector<PduField>& out) {
        const std::string hex(m_hex.substr(2 * s.offset, 2 * s.count));
        const int v = static_cast<int>(HexToInt(hex.substr(0, 2)));
        const auto field = [&](std::string name, std::string meaning) {
            out.push_back({std::move(name), s.offset, s.count, hex, std::move(meaning)});
        };
        // An address is the PDU's own, not words of ours.
        const auto address = [&](std::string name, std::string text) {
            out.push_back({std::move(name), s.offset, s.count, hex, std::move(text), false});
        };
        switch (s.part) {
        case PduPart::SmscLength:
            return field(VELMORA_WORDS("smslib/PduFields", "SMSC length"),
                         v == 0
                             ? VELMORA_WORDS("smslib/PduFields", "none given: the phone's own service centre")
                             : Fill(VELMORA_WORDS("smslib/PduFields", "%1 follow"),
                                    {Octets(static_cast<std::size_t>(v))}));
        case PduPart::SmscType:
            m_smscType = v;
            return field(VELMORA_WORDS("smslib/PduFields", "SMSC type"), AddressType(v));
        case PduPart::SmscDigits:
            return address(VELMORA_WORDS("smslib/PduFields", "SMSC number"), SmscText(m_smscType, hex));
        case PduPart::FirstOctet:
            m_first = v;
            return FirstOctetFlags(v, s, hex, out);
        case PduPart::Reference:
            return field("TP-MR", Fill(VELMORA_WORDS("smslib/PduFields", "message reference %1"),
                                       {std::to_string(v)}));
        case PduPart::AddressLength:
            m_addressLength = v;
            return field(Fill(VELMORA_WORDS("smslib/PduFields", "%1 length"), {AddressName(m_first & 3)}),
                         Count(static_cast<std::size_t>(v), VELMORA_WORDS("smslib/PduFields", "%1 digit"),
                               VELMORA_WORDS("smslib/PduFields", "%1 digits")));
        case PduPart::AddressType:
            m_addressType = v;
            return field(Fill(VELMORA_WORDS("smslib/PduFields", "%1 type"), {AddressName(m_first & 3)}),
                         AddressType(v));
        case PduPart::AddressDigits:
            return address(AddressName(m_first & 3), AddressText(m_addressLength, m_addressType, hex));
        case PduPart::Pid:
            return field("TP-PID", PidMeaning(v));
        case PduPart::Dcs:
            ReadDcs(v, m_coding);
            return field("TP-DCS", DcsMeaning(v));
        case PduPart::Validity:
            return field("TP-VP", ValidityMeaning((m_first >> 3) & 3, hex));
        case PduPart::Timestamp:
        case PduPart::DischargeTime: {
            const std::string t = TimestampText(hex);
            return field(s.part == PduPart::Timestamp ? "TP-SCTS" : "TP-DT",
                         t.empty() ? VELMORA_WORDS("smslib/PduFields", "not a time") : t);
        }
        case PduPart::Status:
            return field("TP-ST", StatusText(v));
        case PduPart::UserDataLength: {
            // Compressed user data is counted in octets whatever its alphabet.
            const bool septets = m_coding.coding == UserDataCoding::Gsm7 && !m_coding.compressed;
            const std::size_t stated =
                septets ? (static_cast<std::size_t>(v) * 7 + 7) / 8 : static_cast<std::size_t>(v);
            m_userData = std::min(stated, m_hex.size() / 2 - s.offset - 1);
            m_userDataEnd = s.offset + 1 + m_userData;
            std::string meaning =
                septets ? Count(static_cast<std::size_t>(v), VELMORA_WORDS("smslib/PduFields", "%1 septet"),
                                VELMORA_WORDS("smslib/PduFields", "%1 septets"))
                        : Octets(static_cast<std::size_t>(v));
            if (Truncated() && m_userData < stated)
                meaning = m_userData == 0
                              ? Fill(VELMORA_WORDS("smslib/PduFields", "%1, cut short: no user data came"),
                                     {meaning})
                              : Fill(VELMORA_WORDS("smslib/PduFields", "%1, cut short: only %2 came"),
                                     {meaning, Octets(m_userData)});
            else if (Truncated() && stated == 0)
                meaning = Fill(VELMORA_WORDS("smslib/PduFields",
                                             "%1, cut short: no room for the header TP-UDHI announces"),
                               {meaning});
            return field("TP-UDL", std::move(meaning));
        }
        case PduPart::HeaderLength: {
            std::string meaning = Fill(VELMORA_WORDS("smslib/PduFields", "%1 of header"),
                                       {Octets(static_cast<std::size_t>(v))});
            if (Truncated() && static_cast<std::size_t>(v) + 1 > m_userData)
                meaning =
                    Fill(VELMORA_WORDS("smslib/PduFields", "%1, cut short: the user data ends after %2"),
                         {meaning, Octets(m_userData)});
            return field("UDHL", std::move(meaning));
        }
        case PduPart::ElementId:
            m_element = v;
            return field(VELMORA_WORDS("smslib/PduFields", "IE id"), Fill(ElementName(v), {Hex2(v)}));
        case PduPart::ElementLength:
            return field(VELMORA_WORDS("smslib/PduFields", "IE length"), Octets(static_cast<std::size_t>(v)));
        case PduPart::ElementData:
            return field(VELMORA_WORDS("smslib/PduFields", "IE data"), ElementMeaning(m_element, hex));
        case PduPart::UserData:
            return field("TP-UD", UserDataMeaning());
        }
    }

    // Where the user data that came ends, 0 before its length is read.
    std::size_t UserDataEnd() const { return m_userDataEnd; }

private:
    bool Truncated() const { return m_decoded && m_decoded->truncated; }

    std::string UserDataMeaning() const {
        if (!m_decoded)
            return "";
        const DecodedPdu& p = *m_decoded;
        if (p.compressed)
            return Fill(VELMORA_WORDS("smslib/PduFields", "%1 compressed, not read"),
                        {Octets(p.data.size() / 2)});
        if (p.coding == UserDataCoding::EightBit)
            return Fill(VELMORA_WORDS("smslib/PduFields", "%1 of 8-bit data"), {Octets(p.data.size() / 2)});
        return Brief(CodingName(p.coding), p.text);
    }

    std::string_view m_hex;
    const Result<DecodedPdu>& m_decoded;
    int m_first = 0, m_smscType = 0, m_addressLength = 0, m_addressType = 0, m_element = 0;
    std::size_t m_userData = 0; // octets of user data that came, at most the stated ones
    std::size_t m_userDataEnd = 0;
    DecodedPdu m_coding;
};

bool IsHexLine(std::string_view s) {
    if (s.empty() || s.size() % 2 != 0)
        return false;
    for (char c : s)
        if (HexValue(c) < 0)
            return false;
    return true;
}

} // namespace

PduInspection InspectPdu(std::string_view hex, bool withSmsc) {
    const std::string capitals = Upper(hex);
    std::vector<PduSpan> spans;
    const auto decoded = DecodePduTraced(capitals, withSmsc, spans);
    PduInspection out;
    Namer namer(capitals, decoded);
    for (const PduSpan& s : spans)
        namer.Add(s, out.fields);
    if (decoded)
        out.pdu = *decoded;
    else
        out.fault = decoded.error();
    // What the reading left: a field cut short, or octets after the message.
    std::size_t read = 0;
    for (const PduSpan& s : spans)
        read = std::max(read, s.offset + s.count);
    if (2 * read < capitals.size()) {
        PduField rest{VELMORA_WORDS("smslib/PduFields", "Not read"), read,
                      (capitals.size() - 2 * read + 1) / 2, capitals.substr(2 * read), ""};
        if (!out.fault.empty())
            rest.meaning = Fill(VELMORA_WORDS("smslib/PduFields", "cut short: %1"), {out.fault});
        else if (read < namer.UserDataEnd())
            rest.meaning =
                VELMORA_WORDS("smslib/PduFields", "cut short: a header element the user data ends in");
        else if (out.pdu && out.pdu->type == PduType::StatusReport)
            rest.meaning = VELMORA_WORDS(
                "smslib/PduFields", "the report's optional parameters, not needed to judge the delivery");
        else
            rest.meaning = VELMORA_WORDS("smslib/PduFields", "after the end of the message");
        out.fields.push_back(std::move(rest));
    }
    return out;
}

std::vector<std::string> FindPdus(std::string_view transcript, bool withSmsc) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= transcript.size()) {
        std::size_t end = transcript.find('\n', start);
        if (end == std::string_view::npos)
            end = transcript.size();
        std::string_view line = transcript.substr(start, end - start);
        start = end + 1;
        // The Ctrl-Z that sends a PDU, the carriage return and spaces.
        while (!line.empty() && (line.back() == '\r' || line.back() == '\x1A' || line.back() == ' '))
            line.remove_suffix(1);
        // The phone's prompt, when the PDU is typed after it.
        if (line.substr(0, 2) == "> ")
            line.remove_prefix(2);
        while (!line.empty() && line.front() == ' ')
            line.remove_prefix(1);
        if (IsHexLine(line) && DecodePdu(line, withSmsc))
            out.push_back(Upper(line));
    }
    return out;
}

} // namespace velmora
