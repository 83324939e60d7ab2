#include "PduFields.h"

#include "PduTrace.h"
#include "Primitives.h"
#include "StatusReport.h"
#include "Strings.h"

#include <algorithm>
#include <cstdio>

namespace velmora {

namespace {

std::string Hex2(int v) {
    char out[8];
    std::snprintf(out, sizeof out, "%02X", v & 0xFF);
    return out;
}

std::string Plural(std::size_t n, const char* unit) {
    return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
}

// TS 23.040 9.1.2.5: type of number and numbering plan.
std::string AddressType(int type) {
    static const char* const numbers[] = {"unknown",    "international", "national",    "network specific",
                                          "subscriber", "alphanumeric",  "abbreviated", "reserved"};
    const int plan = type & 0x0F;
    const char* planName = plan == 0   ? "unknown plan"
                           : plan == 1 ? "ISDN/telephone"
                           : plan == 3 ? "data"
                           : plan == 4 ? "telex"
                           : plan == 8 ? "national plan"
                           : plan == 9 ? "private plan"
                                       : "reserved plan";
    return std::string(numbers[(type >> 4) & 7]) + ", " + planName;
}

// TS 23.040 9.2.3.9.
std::string PidMeaning(int pid) {
    if (pid == 0x00)
        return "normal short message";
    if (pid < 0x20)
        return "SME-to-SME protocol " + std::to_string(pid);
    if (pid < 0x40)
        return "telematic interworking, device " + std::to_string(pid & 0x1F);
    if (pid == 0x40)
        return "short message type 0: acknowledged, not stored";
    if (pid >= 0x41 && pid <= 0x47)
        return "replace short message type " + std::to_string(pid - 0x40);
    switch (pid) {
    case 0x5E:
        return "version 2 of type 1 (return call)";
    case 0x5F:
        return "return call message";
    case 0x7C:
        return "ANSI-136 R-DATA";
    case 0x7D:
        return "phone de-personalisation";
    case 0x7E:
        return "phone data download";
    case 0x7F:
        return "SIM data download";
    default:
        return "reserved or service-centre specific";
    }
}

const char* CodingName(UserDataCoding coding) {
    switch (coding) {
    case UserDataCoding::Gsm7:
        return "GSM 7-bit";
    case UserDataCoding::EightBit:
        return "8-bit data";
    case UserDataCoding::Ucs2:
        return "UCS2";
    }
    return "";
}

const char* const kClassNames[] = {"class 0 (flash)", "class 1 (phone)", "class 2 (SIM)",
                                   "class 3 (terminal equipment)"};
const char* const kWaitingKinds[] = {"voicemail", "fax", "e-mail", "other"};

// TS 23.038 clause 4, with the coding as the decoder reads it.
std::string DcsMeaning(int dcs) {
    DecodedPdu p;
    ReadDcs(dcs, p);
    std::string out = CodingName(p.coding);
    if ((dcs & 0xC0) == 0x00 || (dcs & 0xC0) == 0x40) {
        if (((dcs >> 2) & 3) == 3)
            out += " (reserved alphabet)";
        if (dcs & 0x20)
            out += ", compressed";
        if (dcs & 0x40)
            out += ", delete once read";
    } else if ((dcs & 0xF0) == 0xC0 || (dcs & 0xF0) == 0xD0 || (dcs & 0xF0) == 0xE0) {
        out += (dcs & 0xF0) == 0xC0 ? ", message waiting: discard" : ", message waiting: store";
        out += std::string(", ") + kWaitingKinds[dcs & 3] + ((dcs & 8) ? " waiting" : " no longer waiting");
    } else if ((dcs & 0xF0) != 0xF0) {
        out += " (reserved coding group)";
    }
    if (p.messageClass)
        out += std::string(", ") + kClassNames[*p.messageClass];
    return out;
}

// TS 23.040 9.2.3.12.3: the functionality octet, then its own form.
std::string EnhancedValidity(std::string_view hex) {
    const int fi = static_cast<int>(HexToInt(hex.substr(0, 2)));
    std::string out = fi & 0x40 ? "enhanced, single attempt: " : "enhanced: ";
    switch (fi & 7) {
    case 0:
        return out + "no validity period";
    case 1:
        return out + RelativeValidityText(static_cast<int>(HexToInt(hex.substr(2, 2))));
    case 2:
        return out + Plural(HexToInt(hex.substr(2, 2)), "second");
    case 3: {
        const std::string t = UnswapSemiOctets(hex.substr(2, 6));
        return out + t.substr(0, 2) + ":" + t.substr(2, 2) + ":" + t.substr(4, 2);
    }
    default:
        return out + "reserved form";
    }
}

std::string ValidityMeaning(int vpf, std::string_view hex) {
    if (vpf == 2)
        return "relative: " + RelativeValidityText(static_cast<int>(HexToInt(hex)));
    if (vpf == 3) {
        const std::string t = TimestampText(hex);
        return "absolute: " + (t.empty() ? std::string("not a time") : t);
    }
    return EnhancedValidity(hex);
}

// The flags of the first octet (TS 23.040 9.2.2), each as a row of its own.
void FirstOctetFlags(int first, const PduSpan& at, const std::string& hex, std::vector<PduField>& out) {
    const auto flag = [&](const char* name, std::string meaning) {
        out.push_back({name, at.offset, at.count, hex, std::move(meaning)});
    };
    const int mti = first & 3;
    const bool on2 = first & 4, on5 = first & 0x20;
    static const char* const types[] = {"SMS-DELIVER", "SMS-SUBMIT", "SMS-STATUS-REPORT", "reserved"};
    out.push_back({"First octet", at.offset, at.count, hex, types[mti]});
    flag("TP-MTI",
         std::string(types[mti]) + " (bits 1-0: " + std::to_string(mti >> 1) + std::to_string(mti & 1) + ")");
    if (mti == 1) {
        flag("TP-RD", on2 ? "reject a duplicate" : "accept a duplicate");
        static const char* const vpf[] = {"no validity period", "enhanced validity period",
                                          "relative validity period", "absolute validity period"};
        flag("TP-VPF", vpf[(first >> 3) & 3]);
        flag("TP-SRR", on5 ? "a status report is asked for" : "no status report asked for");
    } else if (mti != 3) {
        flag("TP-MMS", on2 ? "no more messages waiting" : "more messages waiting");
        if (mti == 0)
            flag("TP-SRI", on5 ? "the sender asked for a status report" : "no status report asked for");
        else
            flag("TP-SRQ", on5 ? "reports on a command" : "reports on a message sent");
    }
    if (mti == 3)
        return;
    flag("TP-UDHI", first & 0x40 ? "the user data starts with a header" : "no user-data header");
    if (mti != 2)
        flag("TP-RP", first & 0x80 ? "reply path set" : "no reply path");
}

int ElementPort(std::string_view hex) { return static_cast<int>(HexToInt(hex)); }

std::string PortName(int port) {
    switch (port) {
    case 0x1581:
        return " (ringtone)";
    case 0x1582:
        return " (operator logo)";
    case 0x1583:
        return " (group graphic)";
    case 0x158A:
        return " (picture message)";
    default:
        return "";
    }
}

// TS 23.040 9.2.3.24: the elements' names.
std::string ElementName(int id) {
    switch (id) {
    case 0x00:
        return "concatenated message, 8-bit reference";
    case 0x01:
        return "special message indication";
    case 0x04:
        return "application port, 8-bit";
    case 0x05:
        return "application port, 16-bit";
    case 0x08:
        return "concatenated message, 16-bit reference";
    case 0x0A:
        return "EMS text formatting";
    case 0x0B:
        return "EMS predefined sound";
    case 0x0C:
        return "EMS user-defined sound";
    case 0x0D:
        return "EMS predefined animation";
    case 0x0E:
        return "EMS large animation";
    case 0x0F:
        return "EMS small animation";
    case 0x10:
        return "EMS large picture";
    case 0x11:
        return "EMS small picture";
    case 0x12:
        return "EMS variable picture";
    default:
        return "unknown element";
    }
}

std::string ElementMeaning(int id, std::string_view hex) {
    const std::size_t n = hex.size() / 2;
    const auto octet = [&](std::size_t i) { return static_cast<int>(HexToInt(hex.substr(2 * i, 2))); };
    if (id == 0x00 && n == 3)
        return "reference " + std::to_string(octet(0)) + ", part " + std::to_string(octet(2)) + " of " +
               std::to_string(octet(1));
    if (id == 0x08 && n == 4)
        return "reference " + std::to_string(HexToInt(hex.substr(0, 4))) + ", part " +
               std::to_string(octet(3)) + " of " + std::to_string(octet(2));
    if ((id == 0x05 && n == 4) || (id == 0x04 && n == 2)) {
        const std::size_t w = id == 0x05 ? 4 : 2;
        const int to = ElementPort(hex.substr(0, w)), from = ElementPort(hex.substr(w, w));
        return "to port " + std::to_string(to) + PortName(to) + ", from port " + std::to_string(from);
    }
    if (id == 0x01 && n == 2)
        return std::string(octet(0) & 0x80 ? "store, " : "discard, ") + kWaitingKinds[octet(0) & 3] + ": " +
               Plural(static_cast<std::size_t>(octet(1)), "message") + " waiting";
    if (id >= 0x0A && id <= 0x12 && n >= 1) {
        std::string out = "at character " + std::to_string(octet(0));
        if (id == 0x0A && n >= 2)
            out += ", " + Plural(static_cast<std::size_t>(octet(1)), "character") + " formatted";
        else if ((id == 0x0B || id == 0x0D) && n == 2)
            out += ", number " + std::to_string(octet(1));
        else if (n > 1)
            out += ", " + Plural(n - 1, "octet") + " of content";
        return out;
    }
    return Plural(n, "octet");
}

std::string Brief(const std::u16string& text) {
    constexpr std::size_t kShown = 48;
    if (text.size() <= kShown)
        return "\"" + Utf16ToUtf8(text) + "\"";
    std::size_t cut = kShown;
    if (text[cut - 1] >= 0xD800 && text[cut - 1] < 0xDC00)
        --cut; // not between the halves of a surrogate pair
    return "\"" + Utf16ToUtf8(text.substr(0, cut)) + "\u2026\" (" + Plural(text.size(), "character") + ")";
}

std::string AddressName(int mti, const char* what) {
    return std::string(mti == 0 ? "TP-OA" : mti == 1 ? "TP-DA" : "TP-RA") + what;
}

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
        switch (s.part) {
        case PduPart::SmscLength:
            return field("SMSC length", v == 0 ? "none given: the phone's own service centre"
                                               : Plural(static_cast<std::size_t>(v), "octet") + " follow");
        case PduPart::SmscType:
            m_smscType = v;
            return field("SMSC type", AddressType(v));
        case PduPart::SmscDigits:
            return field("SMSC number", SmscText(m_smscType, hex));
        case PduPart::FirstOctet:
            m_first = v;
            return FirstOctetFlags(v, s, hex, out);
        case PduPart::Reference:
            return field("TP-MR", "message reference " + std::to_string(v));
        case PduPart::AddressLength:
            m_addressLength = v;
            return field(AddressName(m_first & 3, " length"), Plural(static_cast<std::size_t>(v), "digit"));
        case PduPart::AddressType:
            m_addressType = v;
            return field(AddressName(m_first & 3, " type"), AddressType(v));
        case PduPart::AddressDigits:
            return field(AddressName(m_first & 3, ""), AddressText(m_addressLength, m_addressType, hex));
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
            return field(s.part == PduPart::Timestamp ? "TP-SCTS" : "TP-DT", t.empty() ? "not a time" : t);
        }
        case PduPart::Status:
            return field("TP-ST", StatusText(v));
        case PduPart::UserDataLength: {
            const bool septets = m_coding.coding == UserDataCoding::Gsm7;
            const std::size_t stated =
                septets ? (static_cast<std::size_t>(v) * 7 + 7) / 8 : static_cast<std::size_t>(v);
            m_userData = std::min(stated, m_hex.size() / 2 - s.offset - 1);
            m_userDataEnd = s.offset + 1 + m_userData;
            std::string meaning = Plural(static_cast<std::size_t>(v), septets ? "septet" : "octet");
            if (Truncated() && m_userData < stated)
                meaning += m_userData == 0 ? ", cut short: no user data came"
                                           : ", cut short: only " + Plural(m_userData, "octet") + " came";
            else if (Truncated() && stated == 0)
                meaning += ", cut short: no room for the header TP-UDHI announces";
            return field("TP-UDL", std::move(meaning));
        }
        case PduPart::HeaderLength: {
            std::string meaning = Plural(static_cast<std::size_t>(v), "octet") + " of header";
            if (Truncated() && static_cast<std::size_t>(v) + 1 > m_userData)
                meaning += ", cut short: the user data ends after " + Plural(m_userData, "octet");
            return field("UDHL", std::move(meaning));
        }
        case PduPart::ElementId:
            m_element = v;
            return field("IE id", Hex2(v) + ": " + ElementName(v));
        case PduPart::ElementLength:
            return field("IE length", Plural(static_cast<std::size_t>(v), "octet"));
        case PduPart::ElementData:
            return field("IE data", ElementMeaning(m_element, hex));
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
        if (p.coding == UserDataCoding::EightBit)
            return Plural(p.data.size() / 2, "octet") + " of 8-bit data";
        return std::string(CodingName(p.coding)) + " text " + Brief(p.text);
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
        PduField rest{"Not read", read, (capitals.size() - 2 * read + 1) / 2, capitals.substr(2 * read), ""};
        if (!out.fault.empty())
            rest.meaning = "cut short: " + out.fault;
        else if (read < namer.UserDataEnd())
            rest.meaning = "cut short: a header element the user data ends in";
        else if (out.pdu && out.pdu->type == PduType::StatusReport)
            rest.meaning = "the report's optional parameters, not needed to judge the delivery";
        else
            rest.meaning = "after the end of the message";
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
