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
// What the phone keeps of PDU text, well past the longest PDU's hex: a
// phone left at the prompt may be sent commands for ever.
constexpr std::size_t kMostPduText = 1024;
// The largest phone book --phonebook-size allows.
constexpr int kMostPhonebookPlaces = 9999;

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

// The service-centre part's octets after its length octet, and what follows.
int ScaOctets(const std::string& pdu) { return HexOctet(pdu, 0); }
int TpduOctets(const std::string& pdu) { return static_cast<int>(pdu.size() / 2) - 1 - ScaOctets(pdu); }
// TP-MTI of TS 23.040 9.2.3.1: 0 SMS-DELIVER, 1 SMS-SUBMIT, 2 SMS-STATUS-REPORT.
int MessageType(const std::string& pdu) {
    return HexOctet(pdu, 2 + 2 * static_cast<std::size_t>(ScaOctets(pdu))) & 3;
}
// The <stat> of TS 27.005 3.1 a message is stored with: a submission is
// "stored sent", anything received "received unread".
int StoredStat(const std::string& pdu) { return MessageType(pdu) == 1 ? 3 : 0; }

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

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

SimulatedPhone::SimulatedPhone(PhoneOptions options) : m_opt(std::move(options)), m_charset(m_opt.charset) {
    std::sort(m_opt.phonebook.begin(), m_opt.phonebook.end(),
              [](const PhonebookEntry& a, const PhonebookEntry& b) { return a.index < b.index; });
    m_sim.resize(
        static_cast<std::size_t>(std::max<int>(m_opt.simCapacity, static_cast<int>(m_opt.inbox.size()))));
    m_phone.resize(static_cast<std::size_t>(std::max(m_opt.phoneCapacity, 0)));
    for (const std::string& pdu : m_opt.inbox)
        Keep(m_sim, pdu, StoredStat(pdu));
}

std::vector<Output> SimulatedPhone::Deliver(int delivery) {
    if (delivery < 1 || delivery > static_cast<int>(m_opt.deliveries.size()))
        return {};
    const std::string& pdu = m_opt.deliveries[static_cast<std::size_t>(delivery - 1)].pdu;
    const int place = Keep(m_sim, pdu, StoredStat(pdu));
    if (place < 0 || !m_announceNew)
        return {};
    return {Output{"\r\n+CMTI: \"SM\"," + std::to_string(IndexOf(place)) + "\r\n", 0, true}};
}

int SimulatedPhone::Keep(Store& store, const std::string& pdu, int stat) {
    const auto free = std::find_if(store.begin(), store.end(), [](const auto& slot) { return !slot; });
    if (free == store.end())
        return -1;
    *free = Slot{pdu, stat};
    return static_cast<int>(free - store.begin());
}

int SimulatedPhone::PlaceOf(int index, const Store& store) const {
    const int place = index - m_opt.firstIndex;
    return place >= 0 && place < static_cast<int>(store.size()) ? place : -1;
}

// The line before the PDU of an answer to at+cmgr=.
std::string SimulatedPhone::ReadHeader(int index, const Slot& slot) const {
    const std::string stat = std::to_string(slot.stat);
    const std::string length = std::to_string(TpduOctets(slot.pdu));
    switch (m_opt.readShape) {
    case ReadShape::Alpha:
        return "+CMGR: " + stat + ",\"Budi, home\"," + length;
    case ReadShape::Index:
        return "+CMGR: " + std::to_string(index) + "," + stat + ",," + length;
    case ReadShape::Length:
        return "+CMGR: " + length;
    case ReadShape::EmptyStat:
        return "+CMGR: ,," + length;
    case ReadShape::Two:
        return "+CMGR: " + stat + "," + length;
    case ReadShape::Standard:
    case ReadShape::Text:
    case ReadShape::StrayQuote:
    case ReadShape::Blank:
        break;
    }
    return "+CMGR: " + stat + ",," + length;
}

SimulatedPhone::Store* SimulatedPhone::StoreNamed(const std::string& name) {
    if (name == "SM")
        return &m_sim;
    if (name == "ME")
        return &m_phone;
    return nullptr;
}

// "used,total" of a store.
std::string SimulatedPhone::Occupancy(const std::string& name) {
    const Store& store = *StoreNamed(name);
    const auto used =
        std::count_if(store.begin(), store.end(), [](const auto& slot) { return slot.has_value(); });
    return std::to_string(used) + "," + std::to_string(store.size());
}

// TS 27.005 3.2.2: the storages for reading and deleting, for writing and
// for what arrives.
void SimulatedPhone::StorageCommand(const std::string& cmd, std::vector<Output>& out) {
    if (cmd == "at+cpms=?") {
        AnswerLines(
            {m_opt.storagesOffered.value_or("+CPMS: (\"SM\",\"ME\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")")}, "OK",
            out);
        return;
    }
    if (cmd == "at+cpms?") {
        std::string line = "+CPMS: ";
        for (int m = 0; m < 3; ++m)
            line += (m ? ",\"" : "\"") + m_memories[m] + "\"," + Occupancy(m_memories[m]);
        AnswerLines({line}, "OK", out);
        return;
    }
    if (cmd.rfind("at+cpms=", 0) != 0) {
        Answer("ERROR", out);
        return;
    }
    const std::vector<std::string> names = Split(cmd.substr(8), ',');
    std::string chosen[3] = {m_memories[0], m_memories[1], m_memories[2]};
    if (names.size() > 3) {
        Answer("ERROR", out);
        return;
    }
    for (std::size_t m = 0; m < names.size(); ++m) {
        std::string name = Trim(names[m]);
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            name = name.substr(1, name.size() - 2);
        for (char& c : name)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        if (std::find(m_opt.refusedStores.begin(), m_opt.refusedStores.end(), name) !=
            m_opt.refusedStores.end()) {
            Answer("ERROR", out);
            return;
        }
        if (!StoreNamed(name)) {
            Answer("+CMS ERROR: 302", out); // operation not allowed
            return;
        }
        chosen[m] = name;
    }
    std::string line = "+CPMS: ";
    for (int m = 0; m < 3; ++m) {
        m_memories[m] = chosen[m];
        line += (m ? "," : "") + Occupancy(chosen[m]);
    }
    AnswerLines({line}, "OK", out);
}

// TS 27.005 3.4.2, 3.4.3 and 3.5.4 in PDU mode, on the storage chosen for
// reading: each listed or read message received is read from then on.
void SimulatedPhone::MessageCommand(const std::string& cmd, std::vector<Output>& out) {
    if (!m_pduMode) {
        Answer("ERROR", out);
        return;
    }
    Store& store = *StoreNamed(m_memories[0]);
    const auto length = [](const Slot& slot) { return std::to_string(TpduOctets(slot.pdu)); };
    const auto seen = [](Slot& slot) {
        if (slot.stat == 0)
            slot.stat = 1;
    };
    if (cmd.rfind("at+cmgl", 0) == 0) {
        int stat = 0; // "received unread" when not given
        if (cmd != "at+cmgl" && (cmd.rfind("at+cmgl=", 0) != 0 ||
                                 !ParseInt(std::string_view(cmd).substr(8), stat) || stat < 0 || stat > 4)) {
            Answer("+CMS ERROR: 304", out); // invalid PDU mode parameter
            return;
        }
        // Each PDU right on the line after its own, as phones send them.
        std::string listed;
        for (std::size_t i = 0; i < store.size(); ++i) {
            if (!store[i] || (stat != 4 && store[i]->stat != stat))
                continue;
            std::string pdu = store[i]->pdu;
            // Cut at an odd place, as a modem's own line comes whenever it likes.
            const std::size_t cut = pdu.size() / 2 | 1;
            if (m_opt.listUrc != ListUrc::None && cut < pdu.size())
                pdu.insert(cut, m_opt.listUrc == ListUrc::Line ? "\r\n^RSSI:19\r\n" : "^RSSI:19\r\n");
            listed += (listed.empty() ? "" : "\r\n") + std::string("+CMGL: ") +
                      std::to_string(IndexOf(static_cast<int>(i))) + "," + std::to_string(store[i]->stat) +
                      ",," + length(*store[i]) + "\r\n" + pdu;
            seen(*store[i]);
        }
        AnswerLines(listed.empty() ? std::vector<std::string>{} : std::vector<std::string>{listed}, "OK",
                    out);
        return;
    }
    const bool read = cmd.rfind("at+cmgr=", 0) == 0;
    std::string args = cmd.size() > 8 && cmd[7] == '=' ? cmd.substr(8) : std::string();
    if (!read && cmd.rfind("at+cmgd=", 0) != 0) {
        Answer("ERROR", out);
        return;
    }
    // at+cmgd=<index>[,<delflag>]: only the one message.
    const auto comma = args.find(',');
    if (!read && comma != std::string::npos) {
        if (Trim(args.substr(comma + 1)) != "0") {
            Answer("+CMS ERROR: 303", out); // operation not supported
            return;
        }
        args = args.substr(0, comma);
    }
    int index = 0;
    const int place = ParseInt(args, index) ? PlaceOf(index, store) : -1;
    if (place < 0 || !store[static_cast<std::size_t>(place)]) {
        Answer("+CMS ERROR: 321", out); // invalid memory index
        return;
    }
    auto& slot = store[static_cast<std::size_t>(place)];
    if (!read) {
        slot.reset();
        Answer("OK", out);
        return;
    }
    if (m_opt.readShape == ReadShape::Text)
        AnswerLines({"+CMGR: \"REC UNREAD\",\"+628569999999\",,\"26/12/08,21:00:00+28\"\r\nHello"}, "OK",
                    out);
    else if (m_opt.readShape == ReadShape::Blank)
        AnswerLines({ReadHeader(index, *slot) + " " + slot->pdu}, "OK", out);
    else
        AnswerLines({ReadHeader(index, *slot) + "\r\n" + slot->pdu +
                     (m_opt.readShape == ReadShape::StrayQuote ? "\"" : "")},
                    "OK", out);
    seen(*slot);
}

std::vector<Output> SimulatedPhone::Receive(std::string_view bytes) {
    std::vector<Output> out;
    if (m_opt.silent || m_hung)
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
            } else if (c != '\r' && c != '\n' && m_pdu.size() < kMostPduText) {
                m_pdu += c;
            }
            continue;
        }
        // At its commands a phone lets escape go: it cancels only a PDU.
        if (c == kEsc)
            continue;
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
        if (m_opt.hangAfter > 0 && m_commands >= m_opt.hangAfter) {
            m_hung = true;
            break;
        }
    }
    return out;
}

void SimulatedPhone::Command(const std::string& line, std::vector<Output>& out) {
    const std::string cmd = Lower(line);
    // Without its PIN a SIM keeps its contents to itself (TS 27.007 9.2: 11).
    const bool needsSim = cmd == "at+cimi" || cmd.rfind("at+cmg", 0) == 0 || cmd.rfind("at+cpbr", 0) == 0 ||
                          cmd.rfind("at+cpbw", 0) == 0 || cmd == "at+copn" || cmd.rfind("at+cnmi", 0) == 0 ||
                          cmd.rfind("at+cpms", 0) == 0;
    if (Locked() && needsSim) {
        Answer(m_opt.pinTries > 0 ? "+CME ERROR: 11" : "+CME ERROR: 12", out);
        return;
    }
    if (cmd == "at") {
        Answer("OK", out);
    } else if (cmd.rfind("at+cpin", 0) == 0) {
        PinCommand(cmd, line, out);
    } else if (cmd.rfind("at+cnmi=", 0) == 0) {
        // mode,mt,bm,ds,bfr: mt, how new messages are told, and ds, the route
        // of status reports.
        const std::vector<std::string> values = Split(cmd.substr(8), ',');
        int mt = 0, ds = 0;
        if (values.size() >= 4 && (values[1].empty() || (ParseInt(values[1], mt) && mt >= 0 && mt <= 3)) &&
            ParseInt(values[3], ds) && ds >= 0 && ds <= 2 && !(ds == 1 && m_opt.reportStored)) {
            m_reportRoute = ds;
            m_announceNew = mt == 1;
            Answer("OK", out);
        } else {
            Answer("+CMS ERROR: 303", out); // operation not supported
        }
    } else if (cmd.rfind("at+cmgl", 0) == 0 || cmd.rfind("at+cmgr", 0) == 0 || cmd.rfind("at+cmgd", 0) == 0) {
        MessageCommand(cmd, out);
    } else if (cmd.rfind("at+cpms", 0) == 0) {
        StorageCommand(cmd, out);
    } else if (cmd == "ate0") {
        m_opt.echo = false;
        Answer("OK", out);
        // The messages to come arrive while the program is connected.
        if (!m_deliveriesDue)
            for (std::size_t k = 0; k < m_opt.deliveries.size(); ++k)
                out.push_back(Output{"", m_opt.deliveries[k].afterMs, true, static_cast<int>(k + 1)});
        m_deliveriesDue = true;
    } else if (cmd == "at+cgmi") {
        AnswerLines({m_opt.manufacturer}, "OK", out);
    } else if (cmd == "at+cgmm") {
        AnswerLines({m_opt.model}, "OK", out);
    } else if (cmd == "at+cgmr") {
        AnswerLines({m_opt.revision}, "OK", out);
    } else if (cmd == "at+cimi") {
        AnswerLines({m_opt.imsi}, "OK", out);
    } else if (cmd == "at+cops?") {
        AnswerLines({m_opt.operatorName.empty() ? std::string("+COPS: 0")
                                                : "+COPS: 0,0,\"" + m_opt.operatorName + "\",2"},
                    "OK", out);
    } else if (cmd == "at+cgsn") {
        if (m_opt.imei.empty())
            Answer("ERROR", out);
        else
            AnswerLines({m_opt.imei}, "OK", out);
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
        out.push_back(Output{"\r\n> ", m_opt.replyDelayMs + m_opt.promptDelayMs});
    } else if (cmd == "at+csq") {
        const CsqAnswer& a = m_opt.csq[std::min(m_csqTurn, m_opt.csq.size() - 1)];
        ++m_csqTurn;
        if (a.kind == CsqAnswer::Values)
            AnswerLines({"+CSQ: " + a.rssi + "," + a.ber}, "OK", out);
        else if (a.kind == CsqAnswer::Error)
            Answer("ERROR", out);
    } else if (PhonebookCommand(cmd, line, out)) {
        // written, described, or the character set
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
        if (first < 1 || last < first || last > m_opt.phonebookSize) {
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
    } else if (cmd.rfind("at+cusd", 0) == 0) {
        UssdCommand(line, out);
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
        const std::string state = !Locked() ? "READY" : m_opt.pinTries > 0 ? "SIM PIN" : "SIM PUK";
        const bool quoted = m_opt.pinStateStyle == PinStateStyle::Quoted;
        AnswerLines({"+CPIN: " + (quoted ? "\"" + state + "\"" : state)},
                    m_opt.pinStateStyle == PinStateStyle::NoOk ? "" : "OK", out);
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
    const int place = Keep(m_sim, report, 0);
    if (place < 0)
        return; // the SIM is full
    out.push_back(Output{"\r\n+CDSI: \"SM\"," + std::to_string(IndexOf(place)) + "\r\n",
                         m_opt.networkDelayMs + m_opt.reportDelayMs, true});
}

void SimulatedPhone::Answer(const std::string& text, std::vector<Output>& out) { AnswerLines({}, text, out); }

void SimulatedPhone::AnswerLines(const std::vector<std::string>& lines, const std::string& final,
                                 std::vector<Output>& out) {
    std::string bytes;
    if (m_deliveriesDue && !Locked() && m_announcementsSent < m_opt.announcements.size())
        bytes += "\r\n" + m_opt.announcements[m_announcementsSent++] + "\r\n";
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
            e.index > kMostPhonebookPlaces)
            return "line " + std::to_string(lineNo) + ": expected INDEX,NUMBER,NAME with INDEX 1 to 9999";
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

std::string StorablePduProblem(const std::string& pdu) {
    if (pdu.size() < 4 || pdu.size() % 2 != 0 || !std::all_of(pdu.begin(), pdu.end(), IsHex))
        return "expected a PDU in hex";
    if (TpduOctets(pdu) < 1)
        return "the PDU is shorter than its service-centre part";
    if (MessageType(pdu) > 1)
        return "the PDU is neither an SMS-DELIVER nor an SMS-SUBMIT";
    return "";
}

std::string ParseInboxFile(const std::string& text, std::vector<std::string>& pdus) {
    pdus.clear();
    int lineNo = 0;
    for (const auto& raw : Lines(text)) {
        ++lineNo;
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        if (const std::string problem = StorablePduProblem(line); !problem.empty())
            return "line " + std::to_string(lineNo) + ": " + problem;
        pdus.push_back(line);
    }
    return "";
}

} // namespace velmora::phonesim
