#pragma once

#include "ContactExport.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The first line of a reply: one leading "\r\n" dropped, then everything
// before the next "\r\n". The result code is not looked at, so "\r\nERROR\r\n"
// gives "ERROR".
std::string FirstReplyLine(std::string_view reply);

// Whether the phone's reply holds `word` anywhere: replies are judged by
// case-sensitive substrings ("OK", ">", "ERROR").
inline bool Holds(std::string_view reply, std::string_view word) {
    return reply.find(word) != std::string_view::npos;
}

// The phone's own reason for refusing a command: the first "+CME ERROR:"
// (3GPP TS 27.007 clause 9.2) or "+CMS ERROR:" (TS 27.005 clause 3.2.5) line
// of a reply, with the meaning of a numeric code after it:
// "+CMS ERROR: 500 (unknown error)", "+CME ERROR: 10 (SIM not inserted)".
// A phone that already words its reason ("+CME ERROR: SIM PIN required")
// keeps its words. "" when the reply holds no such line.
std::string PhoneRefusal(std::string_view reply);

// Whether the phone refused because its SIM waits for the PIN: "+CME ERROR:
// 11", "+CMS ERROR: 311", or either worded "SIM PIN required".
bool AsksForSimPin(std::string_view reply);

// The two texts cut from an answer to "at+csq": the RSSI text runs from the
// sixth character after the start of "+CSQ:" up to the first comma of the
// whole reply, the BER text is the two characters after that comma.
struct SignalTexts {
    bool found = false; // the reply holds "+CSQ:"
    std::string rssi;
    std::string ber;
};
SignalTexts CutSignalQuality(std::string_view reply);

// Leading blanks skipped, then the digits up to the first other character; 0
// when there are none.
int LeadingNumber(std::string_view text);
// Bars of the signal gauge for an RSSI value (27.007 clause 8.5: 0..31, 99
// unknown): 0 -> 1, 1 -> 2, 2..30 -> 3, 31 -> 4, anything else 0.
int SignalClass(int rssi);
// 1 when the bit error rate is one of the defined classes 0..7.
int BerClass(int ber);

// Splits at the commas that stand outside double quotes, and drops the
// quotes: the AT syntax quotes texts, and a quoted text may hold a comma.
std::vector<std::string> SplitQuotedFields(std::string_view text);

// The first "+CPBR: " entry of a reply; the name ends at its line end.
PhonebookEntry ParsePhonebookReply(std::string_view reply);

struct OperatorEntry {
    bool found = false; // the line holds "+COPN: "
    std::string code, name;
    // The item as the operator list shows it: code, two blanks, name.
    std::string item() const { return code + "  " + name; }
};
OperatorEntry ParseOperatorLine(std::string_view line);
// Every operator of a whole "at+copn" reply, in order. Only complete lines
// count: text after the last "\r\n" is not used.
std::vector<OperatorEntry> ParseOperatorReply(std::string_view reply);

} // namespace velmora
