#include "Cli.h"

#include "MessageReader.h"
#include "Options.h"
#include "Said.h"
#include "StatusReport.h"
#include "Strings.h"
#include "TerminalText.h"
#include "Terms.h"
#include "Translations.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <algorithm>
#include <iostream>
#include <ostream>

namespace velmora::cli {

namespace {

std::string DecodeUsage() {
    return translate("decode",
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
                     "why), 2 for wrong usage.\n");
}

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

// Text for a JSON value. Velmora's own texts and what the user typed are
// read as UTF-8, a byte that is none becoming U+FFFD, so the line stays
// valid UTF-8; what the phone sends as ISO-8859-1 (a tune's title) is read
// as that.
QJsonValue Utf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
QJsonValue Latin1(std::string_view latin1) {
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()));
}

QJsonArray Texts(const std::vector<std::string>& list) {
    QJsonArray out;
    for (const auto& s : list)
        out.append(Utf8(s));
    return out;
}

QJsonArray Numbers(const std::vector<int>& list) {
    QJsonArray out;
    for (int n : list)
        out.append(n);
    return out;
}

// One object, one line.
void WriteLine(const QJsonObject& o, std::ostream& os) {
    const QByteArray line = QJsonDocument(o).toJson(QJsonDocument::Compact);
    os.write(line.constData(), line.size());
    os << '\n';
}

bool HasBitmap(const ReadMessage& m) {
    return (m.kind == ContentKind::Logo || m.kind == ContentKind::Group || m.kind == ContentKind::Picture) &&
           !m.content.empty();
}

void WriteJson(const ReadMessage& m, const std::vector<std::string>& indexes, std::ostream& os) {
    QJsonObject o;
    const DecodedPdu& p = m.pdu;
    if (!indexes.empty())
        o["index"] = Texts(indexes);
    o["type"] = TypeName(p.type);
    o["number"] = Utf8(p.number);
    o["smsc"] = Utf8(p.smsc);
    o["timestamp"] = Utf8(p.timestamp);
    if (p.type == PduType::StatusReport) {
        o["kind"] = ContentKindName(m.kind);
        o["reference"] = p.reference.value_or(0);
        o["status"] = p.status.value_or(0);
        o["delivered"] = IsDelivered(p.status.value_or(0));
        o["statusText"] = Utf8(StatusText(p.status.value_or(0)));
        o["dischargeTime"] = Utf8(p.dischargeTime);
        return WriteLine(o, os);
    }
    o["coding"] = CodingName(p.coding);
    o["class"] = p.messageClass ? QJsonValue(*p.messageClass) : QJsonValue(QJsonValue::Null);
    o["pid"] = p.pid;
    o["dcs"] = p.dcs;
    o["kind"] = ContentKindName(m.kind);
    o["text"] = Utf8(Utf16ToUtf8(m.text)); // a lone surrogate as U+FFFD
    o["content"] = Utf8(m.content);
    o["truncated"] = m.truncated;
    if (m.compressed)
        o["compressed"] = true; // its octets are the content
    if (p.type == PduType::Submit) {
        o["reference"] = p.reference.value_or(0);
        o["reportRequested"] = p.reportRequested;
        o["validity"] = Utf8(p.validity);
    }
    if (m.kind == ContentKind::Flash)
        o["blink"] = m.blink;
    if (m.kind == ContentKind::Logo) {
        o["mcc"] = Utf8(m.mcc);
        o["nc"] = Utf8(m.nc);
    }
    if (HasBitmap(m)) {
        o["width"] = m.width;
        o["height"] = m.height;
    }
    if (m.kind == ContentKind::Ringtone)
        o["rtttl"] = Latin1(m.rtttl);
    if (m.kind == ContentKind::Indicator || m.kind == ContentKind::Void) {
        o["indicator"] = IndicatorName(m.indicatorKind);
        o["active"] = m.active;
        o["store"] = m.store;
        if (m.waiting)
            o["waiting"] = *m.waiting;
    }
    if (m.port)
        o["port"] = *m.port;
    if (m.parts) {
        std::vector<int> present;
        for (int seq = 1; seq <= m.parts->total; ++seq)
            if (std::find(m.missing.begin(), m.missing.end(), seq) == m.missing.end())
                present.push_back(seq);
        o["parts"] = QJsonObject{{"ref", m.parts->reference},
                                 {"total", m.parts->total},
                                 {"seq", Numbers(present)},
                                 {"missing", Numbers(m.missing)}};
    }
    if (m.kind == ContentKind::Data)
        o["data"] = Utf8(p.data);
    WriteLine(o, os);
}

void WritePlain(const ReadMessage& m, Io io) {
    std::ostream& os = io.out;
    const auto line = [&](const std::string& label, std::string_view value) {
        if (!value.empty())
            os << "  " << label << ": " << ForOutput(value, io.outIsTerminal) << '\n';
    };
    const DecodedPdu& p = m.pdu;
    // The labels and what is said in words are the reader's language, the
    // words for types, kinds and codings too: from the one table of them
    // (Terms.h), which in English gives the names --json gives.
    const auto word = [](const QString& said) { return said.toStdString(); };
    line(translate("decode", "type"), word(terms::PduTypeWord(QLatin1String(TypeName(p.type)))));
    line(p.type == PduType::Deliver  ? translate("decode", "from")
         : p.type == PduType::Submit ? translate("decode", "to")
                                     : translate("decode", "recipient"),
         p.number);
    line(translate("decode", "service centre"), p.smsc);
    line(p.type == PduType::StatusReport ? translate("decode", "received by the centre")
                                         : translate("decode", "time"),
         p.timestamp);
    if (p.type == PduType::StatusReport) {
        line(translate("decode", "reference"), std::to_string(p.reference.value_or(0)));
        line(translate("decode", "status"), LocalizedBytes(StatusText(p.status.value_or(0))) + " (" +
                                                std::to_string(p.status.value_or(0)) + ")");
        line(translate("decode", "discharged"), p.dischargeTime);
        return;
    }
    std::string kind = word(terms::KindWord(QLatin1String(ContentKindName(m.kind))));
    if (m.kind == ContentKind::Flash && m.blink)
        kind += translate("decode", ", blinking");
    if (m.kind == ContentKind::Logo)
        kind += Fill(translate("decode", " for MCC %1, NC %2"), {m.mcc, m.nc});
    if (m.kind == ContentKind::Indicator || m.kind == ContentKind::Void) {
        kind += Fill(m.active ? translate("decode", ": %1 active") : translate("decode", ": %1 inactive"),
                     {word(terms::IndicatorWord(QLatin1String(IndicatorName(m.indicatorKind))))});
        if (m.waiting)
            kind += Fill(translate("decode", ", %1 waiting"), {std::to_string(*m.waiting)});
    }
    if (m.port)
        kind += Fill(translate("decode", ", port %1"), {std::to_string(*m.port)});
    line(translate("decode", "kind"), kind);
    line(translate("decode", "coding"), word(terms::CodingWord(QLatin1String(CodingName(p.coding)))));
    if (p.type == PduType::Submit)
        line(translate("decode", "valid for"), p.validity);
    if (m.parts) {
        std::string parts = Fill(translate("decode", "%1 parts, reference %2"),
                                 {std::to_string(m.parts->total), std::to_string(m.parts->reference)});
        for (std::size_t i = 0; i < m.missing.size(); ++i)
            parts += i ? ", " + std::to_string(m.missing[i])
                       : Fill(translate("decode", "; missing %1"), {std::to_string(m.missing[i])});
        line(translate("decode", "parts"), parts);
    }
    if (m.truncated)
        line(translate("decode", "truncated"),
             translate("decode", "the user data ends before its stated length"));
    line(translate("decode", "text"), Utf16ToUtf8(m.text));
    line("rtttl", Utf16ToUtf8(Latin1ToUtf16(m.rtttl)));
    if (m.compressed) {
        line(translate("decode", "text"), translate("decode", "compressed, which Velmora does not read"));
        line(translate("decode", "octets"), m.content);
        return;
    }
    line(translate("decode", "content"), m.content);
    if (m.kind == ContentKind::Data)
        line(translate("decode", "data"), p.data);
    if (HasBitmap(m)) {
        os << "  "
           << Fill(translate("decode", "bitmap: %1 x %2"),
                   {std::to_string(m.width), std::to_string(m.height)})
           << '\n';
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
        io.out << (title.empty() ? Fill(translate("decode", "message %1"), {std::to_string(ordinal)}) : title)
               << '\n';
    }
    if (!message) {
        if (json) {
            QJsonObject o;
            if (!indexes.empty())
                o["index"] = Texts(indexes);
            o["error"] = Utf8(message.error());
            o["pdu"] = Utf8(pdus);
            WriteLine(o, io.out);
        } else {
            io.out << "  " << Fill(translate("decode", "refused: %1"), {LocalizedBytes(message.error())})
                   << '\n'
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
    WordRules rules = kCommandWords;
    rules.shortHelp = true; // the usage, wherever -h or --help stands
    const CommandLine args(words, {{"--help"}, {"--json"}, {"--no-smsc"}}, rules);
    if (args.has("--help")) {
        io.out << DecodeUsage();
        return kExitOk;
    }
    const bool json = args.has("--json");
    const bool withSmsc = !args.has("--no-smsc");
    if (const GivenWord* unknown = args.first(GivenWord::Unknown))
        return Report({kExitUsage, Fill(translate("decode", "decode: unknown option %1"), {unknown->word})},
                      io, DecodeUsage());
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
