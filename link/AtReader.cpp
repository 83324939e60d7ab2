#include "AtReader.h"

#include <algorithm>
#include <array>
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

constexpr std::array<std::string_view, 10> kUnsolicitedPrefixes = {
    "+CMTI:", "+CDS:", "+CDSI:", "+CMT:", "+CBM:", "+CREG:", "+CGREG:", "+CUSD:", "+CIEV:", "RING",
};

} // namespace

// The codes whose PDU follows on a line of its own (TS 27.005 3.4.1).
bool CarriesPdu(std::string_view line) { return StartsWith(line, "+CDS:") || StartsWith(line, "+CMT:"); }

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
    if (StartsWith(line, "^"))
        return true;
    for (std::string_view prefix : kUnsolicitedPrefixes) {
        if (!StartsWith(line, prefix))
            continue;
        if (prefix.back() != ':')
            return line.size() == prefix.size();
        // "at+creg?" asks for the line "+CREG: ..." itself.
        const std::string_view name = prefix.substr(0, prefix.size() - 1);
        const std::string bare = Bare(command);
        return !(bare.size() > 2 + name.size() &&
                 SameText(std::string_view(bare).substr(2, name.size()), name));
    }
    return false;
}

void AtReader::Start(std::string_view command, bool promptEnds) {
    // A prompt ends no line, so one left from an abandoned answer would
    // otherwise start the next.
    if (m_partial.find_first_not_of(' ') != std::string::npos &&
        m_partial[m_partial.find_first_not_of(' ')] == '>')
        m_partial.clear();
    m_command = Bare(command);
    m_promptEnds = promptEnds;
    m_answering = true;
    m_raw.clear();
    m_final = FinalResult::None;
    m_finalLine.clear();
    m_lines.clear();
}

void AtReader::Feed(std::string_view bytes) {
    if (m_answering)
        m_raw.append(bytes);
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            if (!m_partial.empty())
                Line(std::exchange(m_partial, std::string()));
            continue;
        }
        m_partial += c;
    }
    // The prompt ends no line: "\r\n> " and the phone waits.
    if (m_answering && m_promptEnds && !m_pduFollows) {
        const auto first = m_partial.find_first_not_of(' ');
        if (first != std::string::npos && m_partial[first] == '>') {
            m_partial.clear();
            Line(">");
        }
    }
}

void AtReader::Line(std::string line) {
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    if (line.empty())
        return;
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
        m_pduFollows = CarriesPdu(line);
        m_unsolicited.push_back(Unsolicited{line, {}});
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
        m_lines.push_back(std::move(line));
        return;
    }
    m_final = final;
    m_finalLine = std::move(line);
    m_answering = false;
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
    // A code still waiting for its PDU line stays until that line comes.
    std::vector<Unsolicited> taken;
    const std::size_t keep = m_pduFollows ? 1 : 0;
    taken.assign(m_unsolicited.begin(), m_unsolicited.end() - static_cast<std::ptrdiff_t>(keep));
    m_unsolicited.erase(m_unsolicited.begin(), m_unsolicited.end() - static_cast<std::ptrdiff_t>(keep));
    return taken;
}

} // namespace velmora
