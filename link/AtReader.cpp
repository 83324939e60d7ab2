#include "AtReader.h"

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

constexpr char kCtrlZ = 26;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Upper(x) == Upper(y); });
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// What the echo of a command looks like: its terminator and Ctrl-Z gone.
std::string Bare(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n' && c != kCtrlZ)
            out += c;
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// What phones and modems send by themselves, as each line starts. A code
// ending in ':' is a prefix; one without is the whole line ("RING" is not
// "RINGO 2"), except "^", which starts every Huawei and Siemens indication.
struct UnsolicitedCode {
    std::string_view text;
    // The line also ends a dial (ATD, ATA, ATO), where it is the final result.
    bool endsACall = false;
};

constexpr UnsolicitedCode kUnsolicitedCodes[] = {
    // TS 27.005 3.4.1: new messages, broadcasts and status reports.
    {"+CMTI:"},
    {"+CMT:"},
    {"+CBMI:"},
    {"+CBM:"},
    {"+CDSI:"},
    {"+CDS:"},
    // TS 27.007: registration, calls, indicators, packet domain, USSD,
    // time zone, the SIM toolkit; +CPIN and +CFUN when the phone reports a
    // change unasked (after a PIN, at power-up).
    {"+CREG:"},
    {"+CGREG:"},
    {"+CEREG:"},
    {"+CGEV:"},
    {"+CUSD:"},
    {"+CIEV:"},
    {"+CRING:"},
    {"+CLIP:"},
    {"+CCWA:"},
    {"+CSSI:"},
    {"+CSSU:"},
    {"+CTZV:"},
    {"+CTZE:"},
    {"+CUSATP:"},
    {"+CUSATEND"},
    {"+CPIN:"},
    {"+CFUN:"},
    {"RING"},
    {"NO CARRIER", true},
    // Huawei (^RSSI, ^BOOT, ^MODE, ^SIMST...) and Siemens (^SYSSTART, ^SMSO...).
    {"^"},
    // The SIM opening after its PIN: SIMCom, Quectel and others.
    {"RDY"},
    {"Call Ready"},
    {"SMS Ready"},
    {"SMS DONE"},
    {"PB DONE"},
    {"+PBREADY"},
    {"+PACSP0"},
    {"+PACSP1"},
    {"+QIND:"},
    {"+QUSIM:"},
    {"+STIN:"},
    {"NORMAL POWER DOWN"},
    // Wavecom, Telit, Ericsson modules, Option.
    {"+WIND:"},
    {"#QSS:"},
    {"*EMRDY:"},
    {"_OSIGQ:"},
    {"_OWANCALL:"},
};

bool IsNameChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// An extended command as written ("AT+CPIN?", "at+cmgs=22"): its name
// ("+CPIN") and what follows the name ("?", "=22"). Not an AT command (a
// PDU after the prompt): `at` false.
struct CommandParts {
    bool at = false;
    std::string name;
    std::string rest;
};

CommandParts PartsOf(std::string_view bare) {
    CommandParts parts;
    if (bare.size() < 2 || Upper(bare[0]) != 'A' || Upper(bare[1]) != 'T')
        return parts;
    parts.at = true;
    std::size_t end = 2;
    if (end < bare.size() && bare[end] == '+')
        for (++end; end < bare.size() && IsNameChar(bare[end]);)
            ++end;
    for (std::size_t i = 2; i < end; ++i)
        parts.name += Upper(bare[i]);
    parts.rest = std::string(bare.substr(end));
    return parts;
}

// The name of a "+NAME: ..." line, upper case; "" for any other line.
std::string LineName(std::string_view line) {
    if (line.empty() || line[0] != '+')
        return "";
    std::size_t end = 1;
    while (end < line.size() && IsNameChar(line[end]))
        ++end;
    if (end == 1 || end >= line.size() || line[end] != ':')
        return "";
    std::string name;
    for (std::size_t i = 0; i < end; ++i)
        name += Upper(line[i]);
    return name;
}

// Whether a "+NAME:" line may answer the command: its own name, or the V.250
// name of the same query ("+GMR" for "+CGMR").
bool OwnName(const std::string& lineName, const std::string& commandName) {
    return !commandName.empty() &&
           (lineName == commandName ||
            (commandName.size() > 2 && commandName[1] == 'C' && lineName == "+" + commandName.substr(2)));
}

} // namespace

// The codes whose PDU follows on a line of its own (TS 27.005 3.4.1).
bool CarriesPdu(std::string_view line) { return StartsWith(line, "+CDS:") || StartsWith(line, "+CMT:"); }

namespace {

// A +CUSD line whose text opened its quotes and has not yet closed them: it
// ends neither in the closing quote nor in the quote and the coding scheme
// ("...",15). A quote inside the text does not count, only how it ends.
bool OpensText(std::string_view line) {
    if (!StartsWith(line, "+CUSD:"))
        return false;
    const auto open = line.find('"');
    if (open == std::string_view::npos)
        return false;
    std::string_view rest = line.substr(open + 1);
    const auto trim = [&rest] {
        while (!rest.empty() && rest.back() == ' ')
            rest.remove_suffix(1);
    };
    trim();
    if (!rest.empty() && rest.back() >= '0' && rest.back() <= '9') {
        // The coding scheme after the text, or digits the text ends in.
        while (!rest.empty() && rest.back() >= '0' && rest.back() <= '9')
            rest.remove_suffix(1);
        trim();
        if (!rest.empty() && rest.back() == ',')
            rest.remove_suffix(1);
        trim();
    }
    return rest.empty() || rest.back() != '"';
}

// A line that cannot go on a network's text: a final result code, an echo.
bool EndsText(std::string_view line) {
    return line == "OK" || line == "ERROR" || line == ">" || StartsWith(line, "+CME ERROR") ||
           StartsWith(line, "+CMS ERROR") ||
           (line.size() >= 2 && Upper(line[0]) == 'A' && Upper(line[1]) == 'T');
}

} // namespace

std::size_t GluedUnsolicited(std::string_view line, std::string_view command) {
    const std::size_t hex = std::min(line.find_first_not_of("0123456789ABCDEFabcdef"), line.size());
    if (hex == line.size())
        return std::string_view::npos;
    // The code may itself start with what reads as hex ("Call Ready").
    for (std::size_t at = 1; at <= hex; ++at)
        if (IsUnsolicited(line.substr(at), command))
            return at;
    return std::string_view::npos;
}

bool IsUnsolicited(std::string_view line, std::string_view command) {
    const CommandParts parts = PartsOf(Bare(command));
    for (const UnsolicitedCode& code : kUnsolicitedCodes) {
        const std::string_view text = code.text;
        if (!StartsWith(line, text))
            continue;
        if (text == "^")
            return true;
        if (text.back() != ':') {
            if (line.size() != text.size())
                continue;
            // "ATD", "ATA" and "ATO" end with it.
            return !(
                code.endsACall && parts.at && parts.name.empty() && !parts.rest.empty() &&
                (Upper(parts.rest[0]) == 'D' || Upper(parts.rest[0]) == 'A' || Upper(parts.rest[0]) == 'O'));
        }
        // A read or test command of the same name ("at+creg?", "AT+CPIN?")
        // asks for the line itself; its set command ("AT+CPIN=...") does not.
        const std::string name(text.substr(0, text.size() - 1));
        return !(parts.at && SameText(parts.name, name) && !parts.rest.empty() && parts.rest.back() == '?');
    }
    return false;
}

bool CannotAnswer(std::string_view line, std::string_view command) {
    if (IsUnsolicited(line, command))
        return true;
    const CommandParts parts = PartsOf(Bare(command));
    const std::string name = LineName(line);
    return parts.at && !name.empty() && !OwnName(name, parts.name);
}

void AtReader::Start(std::string_view command, bool promptEnds) {
    // A prompt ends no line, so one left from an abandoned answer would
    // otherwise start the next.
    if (m_partial.find_first_not_of(' ') != std::string::npos &&
        m_partial[m_partial.find_first_not_of(' ')] == '>') {
        m_partial.clear();
        m_quoted = false;
    }
    m_command = Bare(command);
    m_promptEnds = promptEnds;
    m_answering = true;
    m_raw.clear();
    m_overflowed = false;
    m_lineCut = false;
    m_final = FinalResult::None;
    m_finalLine.clear();
    m_lines.clear();
}

void AtReader::Feed(std::string_view bytes) {
    if (m_answering) {
        if (m_raw.size() + bytes.size() > kAnswerLimit)
            Overflow();
        else
            m_raw.append(bytes);
    }
    for (char c : bytes) {
        if (m_skipping) {
            // The line ends where it would have: what was kept of it is read
            // as its line, so the lines around it and the final result code
            // keep their places.
            if (c == '"')
                m_quoted = !m_quoted;
            if (c == '\r' || (c == '\n' && !m_quoted)) {
                m_skipping = false;
                m_quoted = false;
                Line(std::exchange(m_partial, std::string()));
            }
            continue;
        }
        // A line feed inside double quotes belongs to the text ("Budi\nKantor"
        // in the phone book, a network's USSD text); a carriage return always
        // ends the line, so a quote left open costs at most its own line.
        if (c == '\n' && m_quoted) {
            m_partial += c;
            continue;
        }
        if (c == '\r' || c == '\n') {
            m_quoted = false;
            if (!m_partial.empty())
                Line(std::exchange(m_partial, std::string()));
            continue;
        }
        if (c == '"')
            m_quoted = !m_quoted;
        m_partial += c;
        if (m_partial.size() > kLineLimit) {
            // No answer of a phone has a line this long: its first kLineLimit
            // bytes are kept and the rest up to the line end goes unread. The
            // answer goes on, so the lines after it are read, and its end is
            // waited for instead of spilling into the next command's answer.
            m_partial.resize(kLineLimit);
            m_skipping = true;
            if (m_answering)
                m_lineCut = true;
        }
    }
    // The prompt ends no line: "\r\n> " and the phone waits.
    if (m_answering && m_promptEnds && !m_pduFollows) {
        const auto first = m_partial.find_first_not_of(' ');
        if (first != std::string::npos && m_partial[first] == '>') {
            m_partial.clear();
            m_quoted = false;
            Line(">");
        }
    }
}

void AtReader::Line(std::string line) {
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    if (line.empty())
        return;
    if (m_textFollows) {
        m_textFollows = false;
        if (!EndsText(line) && !IsUnsolicited(line, m_answering ? m_command : std::string_view())) {
            // The carriage return (and line feed) inside the quotes are the
            // text's line break, kept as the line feed a phone shows.
            std::string& text = m_unsolicited.back().line;
            text += '\n';
            text += line;
            m_textFollows = OpensText(text) && ++m_textLines < kTextLines && text.size() < kLineLimit;
            return;
        }
    }
    if (const auto glued = GluedUnsolicited(line, m_answering ? m_command : std::string_view());
        glued != std::string::npos) {
        std::string code = line.substr(glued);
        line.resize(glued);
        Line(std::move(line));
        Line(std::move(code));
        return;
    }
    if (m_pduFollows) {
        m_pduFollows = false;
        m_unsolicited.back().pdu = line;
        return;
    }
    if (IsUnsolicited(line, m_answering ? m_command : std::string_view())) {
        Unsolicit(std::move(line));
        return;
    }
    // Anything else outside an answer is left over from one that ended.
    if (!m_answering)
        return;
    if (m_lines.empty() && SameText(Bare(line), m_command))
        return; // the echo
    FinalResult final = FinalResult::None;
    if (line == "OK")
        final = FinalResult::Ok;
    else if (line == "ERROR")
        final = FinalResult::Error;
    else if (StartsWith(line, "+CME ERROR"))
        final = FinalResult::CmeError;
    else if (StartsWith(line, "+CMS ERROR"))
        final = FinalResult::CmsError;
    else if (m_promptEnds && line == ">")
        final = FinalResult::Prompt;
    if (final == FinalResult::None) {
        // Before the answer's first line, a line that cannot answer this
        // command came by itself.
        if (m_lines.empty() && CannotAnswer(line, m_command)) {
            Unsolicit(std::move(line));
            return;
        }
        m_lines.push_back(std::move(line));
        return;
    }
    m_final = final;
    m_finalLine = std::move(line);
    m_answering = false;
}

void AtReader::Overflow() {
    if (!m_answering)
        return;
    m_overflowed = true;
    m_answering = false;
}

void AtReader::Unsolicit(std::string line) {
    // A flood of indications between two answers keeps only the first ones:
    // each is handled after the answer, and what they announce (a message
    // stored, a report) is found again by reading the store.
    if (m_unsolicited.size() >= kUnsolicitedLimit) {
        m_pduFollows = false;
        m_textFollows = false;
        return;
    }
    m_pduFollows = CarriesPdu(line);
    m_textFollows = OpensText(line);
    m_textLines = 0;
    m_unsolicited.push_back(Unsolicited{std::move(line), {}});
}

std::string AtReader::Answer() const {
    std::string text;
    for (const auto& line : m_lines)
        text += "\r\n" + line + "\r\n";
    if (!m_finalLine.empty())
        text += "\r\n" + m_finalLine + "\r\n";
    return text;
}

std::vector<Unsolicited> AtReader::TakeUnsolicited() {
    // A code still waiting for its PDU line, or for the rest of its text,
    // stays until that comes.
    std::vector<Unsolicited> taken;
    const std::size_t keep = m_pduFollows || m_textFollows ? 1 : 0;
    taken.assign(m_unsolicited.begin(), m_unsolicited.end() - static_cast<std::ptrdiff_t>(keep));
    m_unsolicited.erase(m_unsolicited.begin(), m_unsolicited.end() - static_cast<std::ptrdiff_t>(keep));
    return taken;
}

} // namespace velmora
