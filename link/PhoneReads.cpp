#include "PhoneSession.h"

namespace velmora {

std::vector<PhonebookEntry> PhoneSession::ReadPhonebook() {
    std::vector<PhonebookEntry> entries;
    if (!IsConnected())
        return entries;
    m_phoneBookStale = false;
    SetTimer(false);
    try {
        int misses = 0;
        for (int n = 1; n <= 300; ++n) {
            Send("at+cpbr=" + std::to_string(n) + "\r");
            m_events.Status("Get contact from SIM (" + std::to_string(n) + ")");
            PhonebookEntry entry = ParsePhonebookReply(AwaitReply(300, 5));
            if (entry.found) {
                misses = 0;
                m_events.ContactFound(entry);
                entries.push_back(std::move(entry));
            } else if (++misses == 5) {
                // Five empty slots in a row end the read.
                m_events.Status("Found (" + std::to_string(entries.size()) + ") Contacts");
                break;
            }
        }
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return entries;
    }
    SetTimer(true);
    return entries;
}

std::vector<OperatorEntry> PhoneSession::GetProvider() {
    if (!IsConnected())
        return {};
    SetTimer(false);
    m_operatorListStale = false;
    std::string reply;
    try {
        Send("at+copn\r");
        m_events.Status("Get provider list");
        CollectReplies(reply, 100, 100);
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return {};
    }
    SetTimer(true);
    return ParseOperatorReply(reply);
}

} // namespace velmora
