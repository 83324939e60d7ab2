#include "PhoneSession.h"

#include "Said.h"

namespace velmora {

namespace {

constexpr int kPhonebookSlots = 300;
constexpr int kOperatorRounds = 100;

} // namespace

std::vector<PhonebookEntry> PhoneSession::ReadPhonebook(const StopRequested& stop) {
    std::vector<PhonebookEntry> entries;
    m_readStopped = false;
    if (!IsConnected())
        return entries;
    m_phonebookStale = false;
    SetPolling(false);
    try {
        int misses = 0;
        for (int n = 1; n <= kPhonebookSlots; ++n) {
            // A stop asked for meanwhile ends the read between two entries,
            // never inside an exchange, so the phone is not left mid-answer.
            if (stop && stop()) {
                m_readStopped = true;
                break;
            }
            const std::string command = "at+cpbr=" + std::to_string(n) + "\r";
            const bool fast = m_dialogue == Dialogue::Fast;
            if (!fast)
                Send(command);
            m_events.Status(
                Fill(translate("PhoneSession", "Get contact from SIM (%1)"), {std::to_string(n)}));
            m_events.Progress(n, kPhonebookSlots);
            if (fast)
                Exchange(command, kFast.commandMs);
            PhonebookEntry entry = ParsePhonebookReply(fast ? m_reader.Answer() : AwaitReply(300, 5));
            if (entry.found) {
                misses = 0;
                m_events.ContactFound(entry);
                entries.push_back(std::move(entry));
            } else if (++misses == 5) {
                // Five empty slots in a row end the read.
                m_events.Status(
                    Fill(translate("PhoneSession", "Found (%1) Contacts"), {std::to_string(entries.size())}));
                break;
            }
        }
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return entries;
    }
    SetPolling(true);
    return entries;
}

std::vector<OperatorEntry> PhoneSession::GetProvider(const StopRequested& stop) {
    m_readStopped = false;
    if (!IsConnected())
        return {};
    SetPolling(false);
    m_operatorListStale = false;
    std::string reply;
    try {
        if (m_dialogue == Dialogue::Fast) {
            m_events.Status(translate("PhoneSession", "Get provider list"));
            bool stopped = false;
            const StopRequested asked = [&] { return stopped = stop && stop(); };
            Exchange("at+copn\r", kFast.operatorsMs, false, asked);
            m_readStopped = stopped;
            m_events.Progress(kOperatorRounds, kOperatorRounds);
            SetPolling(true);
            return ParseOperatorReply(m_reader.Answer());
        }
        Send("at+copn\r");
        m_events.Status(translate("PhoneSession", "Get provider list"));
        // The list always takes its full ten seconds; reading it round by
        // round lets a stop end it early and the window show how far it is.
        for (int round = 1; round <= kOperatorRounds; ++round) {
            if (stop && stop()) {
                m_readStopped = true;
                break;
            }
            CollectReplies(reply, 100, 1);
            if (round % 10 == 0)
                m_events.Progress(round, kOperatorRounds);
        }
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return {};
    }
    SetPolling(true);
    return ParseOperatorReply(reply);
}

} // namespace velmora
