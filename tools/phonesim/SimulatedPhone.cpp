#include "SimulatedPhone.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace velmora::phonesim {

namespace {

constexpr char kCtrlZ = 26;
constexpr char kEsc = 27;
constexpr int kPhonebookSize = 250;

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool ParseInt(std::string_view s, int& value) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

int HexOctet(const std::string& s, std::size_t at) { return std::stoi(s.substr(at, 2), nullptr, 16); }

// The type of address of 3GPP TS 24.008 10.5.4.7: 145 international, 129 unknown.
int AddressType(const std::string& number) { return !number.empty() && number[0] == '+' ? 145 : 129; }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto nl = text.find('\n', pos);
        if (nl == std::string::npos)
            nl = text.size();
        std::string line = text.substr(pos, nl - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        pos = nl + 1;
    }
    return lines;
}

} // namespace

SimulatedPhone::SimulatedPhone(PhoneOptions options) : m_opt(std::move(options)) {
    std::sort(m_opt.phonebook.begin(), m_opt.phonebook.end(),
              [](const PhonebookEntry& a, const PhonebookEntry& b) { return a.index < b.index; });
}

std::vector<Output> SimulatedPhone::Receive(std::string_view bytes) {
    std::vector<Output> out;
    if (m_opt.silent)
        return out;
    for (char c : bytes) {
        if (m_vanishing) {
            m_dropped = true;
            break;
        }
        if (m_opt.echo)
            out.push_back(Output{std::string(1, c), 0});
        if (m_readingPdu) {
            if (c == kCtrlZ) {
                m_readingPdu = false;
                PduComplete(out);
            } else if (c == kEsc) {
                // Escape abandons the message, 3GPP TS 27.005 3.5.1.
                m_readingPdu = false;
                m_pdu.clear();
                Answer("OK", out);
            } else if (c != '\r' && c != '\n') {
                m_pdu += c;
            }
            continue;
        }
        if (c == kCtrlZ) {
            if (m_awaitSecondCtrlZ) {
                m_awaitSecondCtrlZ = false;
                AnswerLines({"+CMGS: " + std::to_string(m_reference)}, "OK", out);
            }
            continue;
        }
        if (c == '\n')
            continue;
        if (c != '\r') {
            m_line += c;
            continue;
        }
        const std::string line = Trim(m_line);
        m_line.clear();
        if (line.empty())
            continue;
        ++m_commands;
        Command(line, out);
        if (m_opt.vanishAfter > 0 && m_commands >= m_opt.vanishAfter)
            m_vanishing = true;
    }
    return out;
}

void SimulatedPhone::Command(const std::string& line, std::vector<Output>& out) {
    const std::string cmd = Lower(line);
    // Without its PIN a SIM keeps its contents to itself (TS 27.007 9.2: 11).
    const bool needsSim = cmd == "at+cimi" || cmd.rfind("at+cmg", 0) == 0 || cmd.rfind("at+cpbr", 0) == 0 ||
                          cmd == "at+copn" || cmd.rfind("at+cnmi", 0) == 0;
    if (Locked() && needsSim) {
        Answer(m_opt.pinTries > 0 ? "+CME ERROR: 11" : "+CME ERROR: 12", out);
        return;
    }
    if (cmd == "at") {
        Answer("OK", out);
    } else if (cmd.rfind("at+cpin", 0) == 0) {
        PinCommand(cmd, line, out);
    } else if (cmd.rfind("at+cnmi=", 0) == 0) {
        // mode,mt,bm,ds,bfr: only ds, the route of status reports, matters here.
        int commas = 0;
        std::size_t at = 8;
        for (; at < cmd.size() && commas < 3; ++at)
            commas += cmd[at] == ',';
        int ds = 0;
        const auto end = cmd.find(',', at);
        if (commas == 3 && ParseInt(std::string_view(cmd).substr(at, end - at), ds) && ds >= 0 && ds <= 2 &&
            !(ds == 1 && m_opt.reportStored)) {
            m_reportRoute = ds;
            Answer("OK", out);
        } else {
            Answer("+CMS ERROR: 303", out); // operation not supported
        }
    } else if (cmd.rfind("at+cmgr=", 0) == 0) {
        int index = 0;
        if (!ParseInt(std::string_view(cmd).substr(8), index) || index < 1 ||
            index > static_cast<int>(m_storedReports.size())) {
            Answer("+CMS ERROR: 321", out); // invalid memory index
            return;
        }
        const std::string& pdu = m_storedReports[static_cast<std::size_t>(index - 1)];
        AnswerLines({"+CMGR: 0,," + std::to_string(pdu.size() / 2 - 1 - HexOctet(pdu, 0)), pdu}, "OK", out);
    } else if (cmd == "ate0") {
        m_opt.echo = false;
        Answer("OK", out);
    } else if (cmd == "at+cgmi") {
        AnswerLines({m_opt.manufacturer}, "OK", out);
    } else if (cmd == "at+cgmm") {
        AnswerLines({m_opt.model}, "OK", out);
    } else if (cmd == "at+cgmr") {
        AnswerLines({m_opt.revision}, "OK", out);
    } else if (cmd == "at+cimi") {
        AnswerLines({m_opt.imsi}, "OK", out);
    } else if (cmd == "at+csca?") {
        AnswerLines(
            {"+CSCA: \"" + m_opt.serviceCentre + "\"," + std::to_string(AddressType(m_opt.serviceCentre))},
            "OK", out);
    } else if (cmd == "at+cmgf=0") {
        if (m_opt.refusePduMode) {
            Answer("ERROR", out);
        } else {
            m_pduMode = true;
            Answer("OK", out);
        }
    } else if (cmd.rfind("at+cmgs=", 0) == 0) {
        int length = 0;
        if (!m_pduMode || !ParseInt(std::string_view(cmd).substr(8), length) || length < 1 || length > 255) {
            Answer("ERROR", out);
            return;
        }
        if (!m_opt.lengthRefusal.empty()) {
            Answer(m_opt.lengthRefusal, out);
            return;
        }
        m_announced = length;
        m_pdu.clear();
        m_readingPdu = true;
        m_awaitSecondCtrlZ = false;
        out.push_back(Output{"\r\n> ", m_opt.replyDelayMs});
    } else if (cmd == "at+csq") {
        const CsqAnswer& a = m_opt.csq[std::min(m_csqTurn, m_opt.csq.size() - 1)];
        ++m_csqTurn;
        if (a.kind == CsqAnswer::Values)
            AnswerLines({"+CSQ: " + a.rssi + "," + a.ber}, "OK", out);
        else if (a.kind == CsqAnswer::Error)
            Answer("ERROR", out);
    } else if (cmd.rfind("at+cpbr=", 0) == 0) {
        const std::string args = cmd.substr(8);
        const auto comma = args.find(',');
        int first = 0, last = 0;
        if (!ParseInt(std::string_view(args).substr(0, comma), first) ||
            (comma != std::string::npos && !ParseInt(std::string_view(args).substr(comma + 1), last))) {
            Answer("ERROR", out);
            return;
        }
        if (comma == std::string::npos)
            last = first;
        // CME errors of 3GPP TS 27.007 9.2: 21 invalid index, 22 not found.
        if (first < 1 || last < first || last > kPhonebookSize) {
            Answer("+CME ERROR: 21", out);
            return;
        }
        std::vector<std::string> lines;
        for (const auto& e : m_opt.phonebook)
            if (e.index >= first && e.index <= last)
                lines.push_back("+CPBR: " + std::to_string(e.index) + ",\"" + e.number + "\"," +
                                std::to_string(AddressType(e.number)) + ",\"" + e.name + "\"");
        if (lines.empty())
            Answer("+CME ERROR: 22", out);
        else
            AnswerLines(lines, "OK", out);
    } else if (cmd == "at+copn") {
        std::vector<std::string> lines;
        for (const auto& o : m_opt.operators)
            lines.push_back("+COPN: \"" + o.code + "\",\"" + o.name + "\"");
        AnswerLines(lines, "OK", out);
    } else {
        Answer("ERROR", out);
    }
}

void SimulatedPhone::PduComplete(std::vector<Output>& out) {
    const std::string pdu = m_pdu;
    m_pdu.clear();
    m_pdus.push_back(pdu);
    Record(pdu);

    // The announced length counts the TPDU only, without the service-centre
    // address that the first octet sizes (3GPP TS 27.005 3.5.1).
    bool valid = pdu.size() >= 2 && pdu.size() % 2 == 0 && std::all_of(pdu.begin(), pdu.end(), IsHex);
    if (valid) {
        const int octets = static_cast<int>(pdu.size() / 2);
        valid = octets - 1 - HexOctet(pdu, 0) == m_announced;
    }
    if (!valid) {
        Answer("+CMS ERROR: 304", out); // invalid PDU mode parameter
        return;
    }
    m_reference = (m_reference + 1) % 256;
    const std::size_t turn = m_pduTurn++;
    const PduAnswer answer =
        turn == 0 || m_opt.laterPduAnswers.empty()
            ? m_opt.pduAnswer
            : m_opt.laterPduAnswers[std::min(turn - 1, m_opt.laterPduAnswers.size() - 1)];
    switch (answer) {
    case PduAnswer::Ok: {
        const int replyDelay = m_opt.replyDelayMs;
        m_opt.replyDelayMs += m_opt.networkDelayMs;
        AnswerLines({"+CMGS: " + std::to_string(m_reference)}, "OK", out);
        m_opt.replyDelayMs = replyDelay;
        Report(pdu, out);
        break;
    }
    case PduAnswer::Error:
        Answer("ERROR", out);
        break;
    case PduAnswer::CmsError:
        Answer("+CMS ERROR: " + std::to_string(m_opt.cmsCause), out);
        break;
    case PduAnswer::SecondCtrlZ:
        m_awaitSecondCtrlZ = true;
        break;
    case PduAnswer::None:
        break;
    }
}

void SimulatedPhone::PinCommand(const std::string& cmd, const std::string& line, std::vector<Output>& out) {
    if (cmd == "at+cpin?") {
        const char* state = !Locked() ? "READY" : m_opt.pinTries > 0 ? "SIM PIN" : "SIM PUK";
        AnswerLines({std::string("+CPIN: ") + state}, "OK", out);
    } else if (cmd == "at+cpinr=\"sim pin\"" || cmd == "at+cpinr") {
        AnswerLines({"+CPINR: SIM PIN," + std::to_string(m_opt.pinTries) + ",3"}, "OK", out);
    } else if (cmd.rfind("at+cpin=", 0) == 0) {
        std::string given = Trim(line.substr(8));
        if (given.size() >= 2 && given.front() == '"' && given.back() == '"')
            given = given.substr(1, given.size() - 2);
        if (!Locked()) {
            Answer("+CME ERROR: 3", out); // operation not allowed
        } else if (m_opt.pinTries == 0) {
            Answer("+CME ERROR: 12", out); // SIM PUK required
        } else if (given == m_opt.pin) {
            m_pinGiven = true;
            m_opt.pinTries = 3;
            Answer("OK", out);
        } else {
            --m_opt.pinTries;
            Answer("+CME ERROR: 16", out); // incorrect password
        }
    } else {
        Answer("ERROR", out);
    }
}

// An SMS-STATUS-REPORT (TS 23.040 9.2.2.3) for a submitted PDU that asked
// for one (TP-SRR, bit 5 of its first octet).
void SimulatedPhone::Report(const std::string& pdu, std::vector<Output>& out) {
    if (m_opt.report == ReportKind::None || m_reportRoute == 0)
        return;
    const std::size_t tpdu = 2 + 2 * static_cast<std::size_t>(HexOctet(pdu, 0));
    if (pdu.size() < tpdu + 8 || (HexOctet(pdu, tpdu) & 0x20) == 0)
        return;
    // TP-DA of the submission: its digit count, type and semi-octets.
    const int digits = HexOctet(pdu, tpdu + 4);
    const std::size_t addressEnd = tpdu + 8 + 2 * static_cast<std::size_t>((digits + 1) / 2);
    if (pdu.size() < addressEnd)
        return;
    char mr[3];
    std::snprintf(mr, sizeof mr, "%02X", m_reference);
    const std::string timestamp = "62218012000000"; // 2026-12-08 21:00:00 UTC
    const std::string status = m_opt.report == ReportKind::Delivered ? "00" : "41";
    const std::string report = "00" + std::string("06") + mr + pdu.substr(tpdu + 4, addressEnd - tpdu - 4) +
                               timestamp + timestamp + status;
    const int length = static_cast<int>(report.size() / 2) - 1;
    if (m_reportRoute == 1) {
        out.push_back(Output{"\r\n+CDS: " + std::to_string(length) + "\r\n" + report + "\r\n",
                             m_opt.networkDelayMs + m_opt.reportDelayMs, true});
        return;
    }
    m_storedReports.push_back(report);
    out.push_back(Output{"\r\n+CDSI: \"SM\"," + std::to_string(m_storedReports.size()) + "\r\n",
                         m_opt.networkDelayMs + m_opt.reportDelayMs, true});
}

void SimulatedPhone::Answer(const std::string& text, std::vector<Output>& out) const {
    AnswerLines({}, text, out);
}

void SimulatedPhone::AnswerLines(const std::vector<std::string>& lines, const std::string& final,
                                 std::vector<Output>& out) const {
    std::string bytes;
    // Modems announce their state in the middle of whatever they answer.
    if (m_opt.urc)
        bytes += "\r\n+CREG: 1\r\n";
    for (const auto& l : lines)
        bytes += "\r\n" + l + "\r\n";
    if (m_opt.urc)
        bytes += "\r\n^RSSI:17\r\n";
    if (!final.empty())
        bytes += "\r\n" + final + "\r\n";
    if (m_opt.chunkSize <= 0) {
        out.push_back(Output{bytes, m_opt.replyDelayMs});
        return;
    }
    const auto size = static_cast<std::size_t>(m_opt.chunkSize);
    for (std::size_t at = 0; at < bytes.size(); at += size)
        out.push_back(Output{bytes.substr(at, size), at == 0 ? m_opt.replyDelayMs : m_opt.chunkDelayMs});
}

void SimulatedPhone::Record(const std::string& pdu) const {
    if (m_opt.recordFile.empty())
        return;
    const int fd = ::open(m_opt.recordFile.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        std::perror(m_opt.recordFile.c_str());
        return;
    }
    const std::string line = pdu + "\n";
    if (::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        std::perror(m_opt.recordFile.c_str());
    ::close(fd);
}

std::string ParsePhonebookFile(const std::string& text, std::vector<PhonebookEntry>& entries) {
    entries.clear();
    int lineNo = 0;
    for (const auto& raw : Lines(text)) {
        ++lineNo;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        const auto c1 = line.find(',');
        const auto c2 = c1 == std::string::npos ? c1 : line.find(',', c1 + 1);
        PhonebookEntry e;
        if (c2 == std::string::npos || !ParseInt(Trim(line.substr(0, c1)), e.index) || e.index < 1 ||
            e.index > kPhonebookSize)
            return "line " + std::to_string(lineNo) + ": expected INDEX,NUMBER,NAME with INDEX 1 to 250";
        e.number = Trim(line.substr(c1 + 1, c2 - c1 - 1));
        e.name = line.substr(c2 + 1);
        entries.push_back(e);
    }
    return "";
}

std::string ParseOperatorFile(const std::string& text, std::vector<OperatorEntry>& entries) {
    entries.clear();
    int lineNo = 0;
    for (const auto& raw : Lines(text)) {
        ++lineNo;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        const auto comma = line.find(',');
        if (comma == std::string::npos || Trim(line.substr(0, comma)).empty())
            return "line " + std::to_string(lineNo) + ": expected CODE,NAME";
        entries.push_back(OperatorEntry{Trim(line.substr(0, comma)), line.substr(comma + 1)});
    }
    return "";
}

} // namespace velmora::phonesim
