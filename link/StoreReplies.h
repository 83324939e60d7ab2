#pragma once

// The phone's answers about its message stores (TS 27.005 3.2.2, 3.4.2,
// 3.4.3 in PDU mode): which storages it has, how full the chosen one is, and
// the messages a list or a read gives. Pure, and wary: a line that is cut
// short or garbled is left out rather than guessed at.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One message as the phone listed or read it.
struct StoreEntry {
    int index = 0;   // 0 for a read, which does not repeat it
    int status = 0;  // <stat>: 0 received unread, 1 received read, 2 stored unsent, 3 stored sent
    std::string pdu; // hex, the service-centre part in front
    bool operator==(const StoreEntry&) const = default;
};

// The storages for reading of "+CPMS: ("SM","ME"),(...),(...)", the answer
// to AT+CPMS=?; a phone with a single one may leave out the parentheses.
std::vector<std::string> ParseStorages(std::string_view reply);
// The used count of "+CPMS: <used>,<total>,...", the answer to selecting a
// storage; none when the answer holds no such line.
std::optional<int> ParseStorageUsed(std::string_view reply);

// Every "+CMGL: <index>,<stat>,[<alpha>],<length>" line of a reply with the
// PDU on the line after it, in order. An entry whose PDU is not hex or does
// not hold <length> octets after its service-centre part is left out.
std::vector<StoreEntry> ParseMessageList(std::string_view reply);
// The message of "+CMGR: <stat>,[<alpha>],<length>" and the PDU after it,
// held to the same checks; none when there is no such message.
std::optional<StoreEntry> ParseMessageRead(std::string_view reply);

// Whether a reply of the classic dialogue has come to its final result code
// ("OK", "ERROR", "+CME ERROR: n", "+CMS ERROR: n" as its last line).
bool AnswerEnded(std::string_view reply);

} // namespace velmora
