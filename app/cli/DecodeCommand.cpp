#include "Cli.h"

#include "ArgList.h"
#include "MessageReader.h"
#include "StatusReport.h"
#include "Strings.h"
#include "TerminalText.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <ostream>

namespace velmora::cli {

namespace {

const char* kDecodeUsage =
    "usage: velmora-cli decode [--json] [--no-smsc] [PDU...]\n"
    "\n"
    "Reads each PDU (hex, as the phone lists it or as \"pdu\" prints it) and prints the\n"
    "message in plain words, or with --json one JSON object per line. Without PDUs,\n"
    "reads one per line from standard input; blank lines and lines starting with \"#\"\n"
    "are skipped. The parts of a long message are joined.\n"
    "\n"
    "  --json      one JSON object per message\n"
    "  --no-smsc   the PDUs start at their first octet, without the service-centre\n"
    "              part that phones put in front\n"
    "\n"
    "Exit status: 0 when every PDU was read, 1 when one was refused (its line says\n"
    "why), 2 for wrong usage.\n";

const char* TypeName(PduType t) {
    return t == PduType::Deliver ? "deliver" : t == PduType::Submit ? "submit" : "status-report";
}

const char* CodingName(UserDataCoding c) {
    return c == UserDataCoding::Gsm7 ? "gsm7" : c == UserDataCoding::EightBit ? "8bit" : "ucs2";
}

const char* IndicatorName(int kind) {
    static const char* const names[] = {"voicemail", "fax", "email", "other"};
    return kind >= 1 && kind <= 4 ? names[kind - 1] : "other";
}

// A JSON object written one member at a time.
class JsonObject {
public:
    // `nested`: a member's value, so no line ends after it.
    explicit JsonObject(std::ostream& os, bool nested = false) : m_os(os), m_nested(nested) { m_os << '{'; }
    ~JsonObject() { m_os << (m_nested ? "}" : "}\n"); }
    JsonObject& Text(const char* key, std::string_view utf8) {
        Key(key);
        Quote(utf8);
        return *this;
    }
    JsonObject& Number(const char* key, long long n) {
        Key(key);
        m_os << n;
        return *this;
    }
    JsonObject& Bool(const char* key, bool b) {
        Key(key);
        m_os << (b ? "true" : "false");
        return *this;
    }
    JsonObject& Null(const char* key) {
        Key(key);
        m_os << "null";
        return *this;
    }
    template <class T> JsonObject& Numbers(const char* key, const std::vector<T>& list) {
        Key(key);
        m_os << '[';
        for (std::size_t i = 0; i < list.size(); ++i)
            m_os << (i ? "," : "") << list[i];
        m_os << ']';
        return *this;
    }
    JsonObject& Texts(const char* key, const std::vector<std::string>& list) {
        Key(key);
        m_os << '[';
        for (std::size_t i = 0; i < list.size(); ++i) {
            m_os << (i ? "," : "");
            Quote(list[i]);
        }
        m_os << ']';
        return *this;
    }
    // The stream, after "key": for a nested value.
    std::ostream& Raw(const char* key) {
        Key(key);
        return m_os;
    }

private:
    void Key(const char* key) {
        m_os << (m_first ? "" : ",") << '"' << key << "\":";
        m_first = false;
    }
    void Quote(std::string_view s) {
        m_os << '"';
        for (unsigned char c : s) {
            if (c == '"' || c == '\\') {
                m_os << '\\' << c;
            } else if (c < 0x20 || c == 0x7F) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04X", c);
                m_os << esc;
            } else {
                m_os << c;
            }
        }
        m_os << '"';
    }
    std::ostream& m_os;
    bool m_nested;
    bool m_first = true;
};

bool HasBitmap(const ReadMessage& m) {
    return (m.kind == ContentKind::Logo || m.kind == ContentKind::Group || m.kind == ContentKind::Picture) &&
           !m.content.empty();
}

void WriteJson(const ReadMessage& m, const std::vector<std::string>& indexes, std::ostream& os) {
    JsonObject o(os);
    const DecodedPdu& p = m.pdu;
    if (!indexes.empty())
        o.Texts("index", indexes);
    o.Text("type", TypeName(p.type))
        .Text("number", p.number)
        .Text("smsc", p.smsc)
        .Text("timestamp", p.timestamp);
    if (p.type == PduType::StatusReport) {
        o.Text("kind", ContentKindName(m.kind)).Number("reference", p.reference.value_or(0));
        o.Number("status", p.status.value_or(0)).Bool("delivered", IsDelivered(p.status.value_or(0)));
        o.Text("statusText", StatusText(p.status.value_or(0))).Text("dischargeTime", p.dischargeTime);
        return;
    }
    o.Text("coding", CodingName(p.coding));
    if (p.messageClass)
        o.Number("class", *p.messageClass);
    else
        o.Null("class");
    o.Number("pid", p.pid)
        .Number("dcs", p.dcs)
        .Text("kind", ContentKindName(m.kind))
        .Text("text", Utf16ToUtf8(m.text));
    o.Text("content", m.content);
    if (p.type == PduType::Submit) {
        o.Number("reference", p.reference.value_or(0)).Bool("reportRequested", p.reportRequested);
        o.Text("validity", p.validity);
    }
    if (m.kind == ContentKind::Flash)
        o.Bool("blink", m.blink);
    if (m.kind == ContentKind::Logo)
        o.Text("mcc", m.mcc).Text("nc", m.nc);
    if (HasBitmap(m))
        o.Number("width", m.width).Number("height", m.height);
    if (m.kind == ContentKind::Ringtone)
        o.Text("rtttl", m.rtttl);
    if (m.kind == ContentKind::Indicator || m.kind == ContentKind::Void) {
        o.Text("indicator", IndicatorName(m.indicatorKind)).Bool("active", m.active).Bool("store", m.store);
        if (m.waiting)
            o.Number("waiting", *m.waiting);
    }
    if (m.port)
        o.Number("port", *m.port);
    if (m.parts) {
        std::vector<int> present;
        for (int seq = 1; seq <= m.parts->total; ++seq)
            if (std::find(m.missing.begin(), m.missing.end(), seq) == m.missing.end())
                present.push_back(seq);
        JsonObject parts(o.Raw("parts"), true);
        parts.Number("ref", m.parts->reference).Number("total", m.parts->total).Numbers("seq", present);
        parts.Numbers("missing", m.missing);
    }
    if (m.kind == ContentKind::Data)
        o.Text("data", p.data);
}

void WritePlain(const ReadMessage& m, Io io) {
    std::ostream& os = io.out;
    const auto line = [&](const char* label, std::string_view value) {
        if (!value.empty())
            os << "  " << label << ": " << ForOutput(value, io.outIsTerminal) << '\n';
    };
    const DecodedPdu& p = m.pdu;
    line("type", TypeName(p.type));
    line(p.type == PduType::Deliver ? "from" : p.type == PduType::Submit ? "to" : "recipient", p.number);
    line("service centre", p.smsc);
    line(p.type == PduType::StatusReport ? "received by the centre" : "time", p.timestamp);
    if (p.type == PduType::StatusReport) {
        line("reference", std::to_string(p.reference.value_or(0)));
        line("status", StatusText(p.status.value_or(0)) + " (" + std::to_string(p.status.value_or(0)) + ")");
        line("discharged", p.dischargeTime);
        return;
    }
    std::string kind = ContentKindName(m.kind);
    if (m.kind == ContentKind::Flash && m.blink)
        kind += ", blinking";
    if (m.kind == ContentKind::Logo)
        kind += " for MCC " + m.mcc + ", NC " + m.nc;
    if (m.kind == ContentKind::Indicator || m.kind == ContentKind::Void)
        kind += std::string(": ") + IndicatorName(m.indicatorKind) + (m.active ? " active" : " inactive") +
                (m.waiting ? ", " + std::to_string(*m.waiting) + " waiting" : "");
    if (m.port)
        kind += ", port " + std::to_string(*m.port);
    line("kind", kind);
    line("coding", CodingName(p.coding));
    if (p.type == PduType::Submit)
        line("valid for", p.validity);
    if (m.parts) {
        std::string parts =
            std::to_string(m.parts->total) + " parts, reference " + std::to_string(m.parts->reference);
        for (std::size_t i = 0; i < m.missing.size(); ++i)
            parts += (i ? ", " : "; missing ") + std::to_string(m.missing[i]);
        line("parts", parts);
    }
    line("text", Utf16ToUtf8(m.text));
    line("rtttl", m.rtttl);
    line("content", m.content);
    if (m.kind == ContentKind::Data)
        line("data", p.data);
    if (HasBitmap(m)) {
        os << "  bitmap: " << m.width << " x " << m.height << '\n';
        for (const auto& row : DrawBitmap(m.content, m.width, m.height))
            os << "    " << row << '\n';
    }
}

} // namespace

bool PrintReadMessage(const Result<ReadMessage>& message, const std::string& pdus,
                      const std::vector<std::string>& indexes, int ordinal, bool json, Io io) {
    if (!json) {
        std::string title;
        for (const auto& i : indexes)
            title += (title.empty() ? "" : " ") + i;
        io.out << (title.empty() ? "message " + std::to_string(ordinal) : title) << '\n';
    }
    if (!message) {
        if (json) {
            JsonObject o(io.out);
            if (!indexes.empty())
                o.Texts("index", indexes);
            o.Text("error", message.error()).Text("pdu", pdus);
        } else {
            io.out << "  refused: " << message.error() << '\n'
                   << "  pdu: " << ForOutput(pdus, io.outIsTerminal) << '\n';
        }
        return false;
    }
    if (json)
        WriteJson(*message, indexes, io.out);
    else
        WritePlain(*message, io);
    return true;
}

int RunDecode(std::vector<std::string> words, Io io) {
    ArgList args(std::move(words));
    if (args.takeFlag("--help") || args.takeFlag("-h")) {
        io.out << kDecodeUsage;
        return kExitOk;
    }
    const bool json = args.takeFlag("--json");
    const bool withSmsc = !args.takeFlag("--no-smsc");
    if (auto unknown = args.unknownOption())
        return Report({kExitUsage, "decode: unknown option " + *unknown}, io, kDecodeUsage);
    std::vector<std::string> hexes;
    for (const auto& w : args.positional())
        hexes.push_back(w);
    if (hexes.empty()) {
        for (std::string line; std::getline(std::cin, line);) {
            const auto first = line.find_first_not_of(" \t\r");
            if (first == std::string::npos || line[first] == '#')
                continue;
            const auto last = line.find_last_not_of(" \t\r");
            hexes.push_back(line.substr(first, last - first + 1));
        }
    }
    bool allRead = true;
    int ordinal = 0;
    for (const auto& entry : ReadMessages(hexes, withSmsc)) {
        if (!json && ordinal > 0)
            io.out << '\n';
        std::string pdus;
        for (std::size_t source : entry.sources)
            pdus += (pdus.empty() ? "" : " ") + hexes[source];
        allRead = PrintReadMessage(entry.message, pdus, {}, ++ordinal, json, io) && allRead;
    }
    return allRead ? kExitOk : kExitRefused;
}

} // namespace velmora::cli
