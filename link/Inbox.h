#pragma once

// The phone's store as messages: the stored PDUs read, the parts of a long
// message joined, oldest first. What the CLI prints and the window lists.

#include "MessageReader.h"
#include "PhoneSession.h"

#include <string>
#include <vector>

namespace velmora {

struct InboxEntry {
    std::vector<StoredMessage> parts; // where the phone keeps it, in part order
    Result<ReadMessage> message = Result<ReadMessage>::Fail("");
    // "SM:3"; one per part.
    std::vector<std::string> Indexes() const;
};

// Received messages by their time stamps, oldest first, then the stored
// outgoing ones (which carry none) in the phone's order.
std::vector<InboxEntry> JoinInbox(const std::vector<StoredMessage>& stored);

// What a list row says of it: the start of its text, else what it is
// ("Operator logo", "Ringtone: Beep"), at most `length` characters.
std::u16string InboxSummary(const InboxEntry& entry, std::size_t length = 40);

// What kind of message it is, in words: "Text message", "Flash message",
// "Operator logo for 510 10".
std::u16string InboxKind(const ReadMessage& message);

// A time stamp "2026-12-08T21:00:00+07:00" as seconds since 1970 UTC, for
// ordering; 0 when it is not one.
long long TimestampSeconds(const std::string& iso);

} // namespace velmora
