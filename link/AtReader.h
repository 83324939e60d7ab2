#pragma once

// The fast dialogue's view of what the phone sends: lines, each either the
// echo of the command, part of its answer, its final result code (TS 27.007
// 5.7.1, TS 27.005 3.2.5) or an unsolicited result code that only happens to
// arrive in the middle. Pure: bytes in, a judgement out; the session owns the
// port and the deadline.

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class FinalResult {
    None,     // not yet
    Ok,       // "OK"
    Error,    // "ERROR"
    CmeError, // "+CME ERROR: n"
    CmsError, // "+CMS ERROR: n"
    Prompt,   // "> ", for a command that asked for it
};

// An unsolicited result code: its line and, for the codes that carry a PDU on
// the next line (+CDS, +CMT), that PDU.
struct Unsolicited {
    std::string line;
    std::string pdu;
    bool operator==(const Unsolicited&) const = default;
};

// Whether a line is one of the unsolicited codes phones and modems mix into
// their answers (the table in AtReader.cpp: TS 27.005 and 27.007 codes such
// as +CMTI, +CDS, +CREG, +CUSD, RING, every "^" line, and what modems say as
// their SIM opens: Call Ready, +PACSP0, +QIND...). A read or test command of
// the same name ("at+creg?", "AT+CPIN?") makes its line the answer instead;
// NO CARRIER ends a dial.
bool IsUnsolicited(std::string_view line, std::string_view command);
// Where an unsolicited code glued to the end of a piece of hex starts: a
// modem that sends one in the middle of a PDU line leaves "...AB^RSSI:19"
// and goes on with the PDU on the next line. npos when the line is no such.
std::size_t GluedUnsolicited(std::string_view line, std::string_view command);
// Whether an unsolicited code carries a PDU on the line after it (+CDS, +CMT).
bool CarriesPdu(std::string_view line);

// Whether a line that comes before the command's first information line
// cannot be its answer: an unsolicited code, or a "+NAME:" line of another
// command's name ("+QIND: SMS DONE" while "at+cgmm" is pending). An AT
// command without a name of its own ("ate0") has no "+NAME:" answer at all.
bool CannotAnswer(std::string_view line, std::string_view command);

class AtReader {
public:
    // Starts on the answer to `command` as written (e.g. "at+cgmi\r");
    // `promptEnds` when the prompt "> " ends it (the length command). Lines
    // left over from before are looked at once more: their unsolicited codes
    // are kept, anything else is stale and goes.
    void Start(std::string_view command, bool promptEnds = false);
    // Bytes from the port, as they come; they may split a line anywhere.
    void Feed(std::string_view bytes);

    bool Done() const { return m_final != FinalResult::None; }
    FinalResult Final() const { return m_final; }
    // The final result code's line ("OK", "+CMS ERROR: 500", ">").
    const std::string& FinalLine() const { return m_finalLine; }
    // The answer's information lines, without echo or unsolicited codes.
    const std::vector<std::string>& Lines() const { return m_lines; }
    // The answer as a phone without echo or unsolicited codes would have
    // sent it: each line between "\r\n" pairs, the final result code last.
    std::string Answer() const;
    // Ends an answer that ran out of time: what comes later of it is stale.
    void Abandon() { m_answering = false; }
    // A phone that never stops talking is not listened to without end: an
    // answer past kAnswerLimit bytes ends it unread (Done stays false, as for
    // a deadline). A line past kLineLimit is cut there and the answer read
    // on: its first kLineLimit bytes stand for the line.
    static constexpr std::size_t kLineLimit = 16 * 1024;
    static constexpr std::size_t kAnswerLimit = 4 * 1024 * 1024;
    static constexpr std::size_t kUnsolicitedLimit = 1024;
    bool Overflowed() const { return m_overflowed; }
    // Whether a line of this answer was cut at kLineLimit.
    bool LineCut() const { return m_lineCut; }
    // Every byte since Start, as the logs and the phone's reason want them.
    const std::string& Raw() const { return m_raw; }
    // The unsolicited codes seen so far; taking them empties the list.
    std::vector<Unsolicited> TakeUnsolicited();
    // A network's text (+CUSD) whose quotes are still open after a carriage
    // return: the lines after it are its own, up to the one that closes the
    // quotes, and it is held back until then. Giving up on the rest hands
    // over what came.
    static constexpr int kTextLines = 32;
    bool AwaitsText() const { return m_textFollows; }
    void GiveUpText() { m_textFollows = false; }

private:
    void Line(std::string line);
    void Overflow();
    void Unsolicit(std::string line);

    std::string m_command; // without its carriage return
    bool m_promptEnds = false;
    bool m_answering = false; // between Start and the final result code
    std::string m_partial;    // bytes of a line not yet ended
    std::string m_raw;
    FinalResult m_final = FinalResult::None;
    std::string m_finalLine;
    std::vector<std::string> m_lines;
    std::vector<Unsolicited> m_unsolicited;
    bool m_pduFollows = false;  // the last unsolicited code carries a PDU line
    bool m_textFollows = false; // the last one is a network text still open
    int m_textLines = 0;        // lines added to it so far
    bool m_quoted = false;      // the line so far has a double quote open
    bool m_overflowed = false;  // the answer went past a limit
    bool m_skipping = false;    // the rest of a line too long to keep
    bool m_lineCut = false;     // a line of the answer was cut at kLineLimit
};

} // namespace velmora
