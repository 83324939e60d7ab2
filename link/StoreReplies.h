#pragma once

// The phone's answers about its message stores (TS 27.005 3.2.2, 3.4.2,
// 3.4.3 in PDU mode): which storages it has, how full the chosen one is, and
// the messages a list or a read gives. Pure, and wary: a line that is cut
// short or garbled is never guessed at, but the message it belonged to is
// named rather than dropped.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A list answer longer than this is refused whole: a full store of 1000
// messages is about 400 KiB.
inline constexpr std::size_t kListReplyLimit = 1u << 20;
// A PDU longer than this many hex digits is no PDU: the longest, a status
// report with user data behind a 12-octet service-centre part, is well
// within it.
inline constexpr std::size_t kPduHexLimit = 400;

// One message as the phone listed or read it.
struct StoreEntry {
    std::optional<int> index; // as the phone gave it; a read need not repeat it
    int status = 0;           // <stat>: 0 received unread, 1 received read, 2 stored unsent, 3 stored sent
    std::string pdu;          // hex, the service-centre part in front
    bool operator==(const StoreEntry&) const = default;
};

// A message the phone listed whose PDU could not be taken.
struct UnreadEntry {
    std::optional<int> index; // none when its header line was garbled too
    std::string why;          // "its PDU is cut short", ...
    bool operator==(const UnreadEntry&) const = default;
};

struct StoreList {
    std::vector<StoreEntry> entries;
    std::vector<UnreadEntry> unread;
    std::string refused; // why the answer was not read at all; "" when it was
    bool operator==(const StoreList&) const = default;
};

// The answer to AT+CMGR: the message, or why there is none.
struct StoreRead {
    enum class Outcome {
        Message,    // `entry` holds it
        Gone,       // no message at that index ("OK" alone, "+CMS ERROR: 321")
        NotPdu,     // the phone answered in text mode
        Unreadable, // a header came, its PDU could not be taken
    };
    Outcome outcome = Outcome::Gone;
    StoreEntry entry;
    std::string why; // for NotPdu and Unreadable
    bool operator==(const StoreRead&) const = default;
};

// The storages for reading of "+CPMS: ("SM","ME"),(...),(...)", the answer
// to AT+CPMS=?; a phone with a single one may leave out the parentheses, and
// some put every list inside one more pair: (("SM","BM","SR"),("SM")). Each
// name is read as a name whatever became of its quotes ("(ME", "SR")").
// Empty when the phone offers none ("+CPMS: (),(),()"); none when the answer
// does not say ("+CPMS: ", ERROR, names that are none).
std::optional<std::vector<std::string>> ParseStorages(std::string_view reply);
// The used count of "+CPMS: <used>,<total>,...", the answer to selecting a
// storage; none when the answer holds no such line.
std::optional<int> ParseStorageUsed(std::string_view reply);
// The storage read from of "+CPMS: "SM",3,30,...", the answer to AT+CPMS?;
// "" when the answer names none.
std::string ParseCurrentStorage(std::string_view reply);

// Every "+CMGL: <index>,<stat>,[<alpha>],<length>" line of a reply with the
// PDU on the line after it, in order. Unsolicited lines in between, or glued
// to the end of a piece of a PDU, are left out and the PDU put back
// together. A PDU is taken when it holds <length> octets after its
// service-centre part or, where that length is wrong, when its own fields
// say it is whole; any other listed message is in `unread`.
StoreList ParseMessageList(std::string_view reply);
// The message of "+CMGR: [<index>,]<stat>,[<alpha>],<length>" and the PDU
// after it, held to the same checks. The fields are told apart by what they
// are: a quoted one is the name, the last number the length, so "+CMGR: 24",
// "+CMGR: ,,92" and "+CMGR: 0,23" read as well. In a list or a read, a PDU
// line may end in a stray double quote, and a PDU may follow its header
// after a blank instead of a line end ("+CMGR: 0,,24 0791...").
StoreRead ParseMessageRead(std::string_view reply);

// Whether a reply of the classic dialogue has come to its final result code
// ("OK", "ERROR", "+CME ERROR: n", "+CMS ERROR: n" as its last line but for
// unsolicited lines after it).
bool AnswerEnded(std::string_view reply);

} // namespace velmora
