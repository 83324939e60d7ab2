#include "PhoneSession.h"

#include "FileIo.h"
#include "Inbox.h"
#include "PduDecoder.h"
#include "Strings.h"

#include <algorithm>
#include <set>

namespace velmora {

namespace {

// The classic dialogue reads long answers in pauses of this length, and
// gives a short answer this many of them.
constexpr int kClassicPauseMs = 250;
constexpr int kShortRounds = 8;
constexpr int kListRounds = PhoneSession::kFast.listMs / kClassicPauseMs;
// The received log is read whole to know what it holds; past this size
// only its start is looked at.
constexpr std::size_t kReceivedLogLimit = 64u << 20;

// The words the status bar uses for a storage.
std::string StorageLabel(const std::string& storage) {
    if (storage == "SM")
        return "SIM";
    if (storage == "ME")
        return "phone";
    return storage;
}

std::string MessageLabel(const StoredMessage& m) {
    return StorageLabel(m.storage) + " message " + std::to_string(m.index);
}

// " (+CMS ERROR: 321 (invalid memory index))", or nothing when the phone gave
// no reason.
std::string Reason(const std::string& answer) {
    const std::string refusal = PhoneRefusal(answer);
    return refusal.empty() ? "" : " (" + refusal + ")";
}

// The PDUs a received log holds: the last word of each entry, in capitals.
std::set<std::string> LoggedPdus(const std::string& path) {
    std::set<std::string> pdus;
    const auto read = ReadFilePrefix(path, kReceivedLogLimit);
    if (!read)
        return pdus; // missing: nothing logged yet
    const std::string& text = read->bytes;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (const auto space = line.rfind(' '); space != std::string::npos)
            pdus.insert(Upper(line.substr(space + 1)));
        start = end + 1;
    }
    return pdus;
}

} // namespace

PhoneSession::Answered PhoneSession::AskWhole(const std::string& command, int fastMs, int rounds) {
    if (m_dialogue == Dialogue::Fast) {
        const bool ok = Exchange(command, fastMs) == FinalResult::Ok;
        return {ok, m_reader.Answer()};
    }
    Send(command);
    std::string reply;
    for (int round = 0; round < rounds && !AnswerEnded(reply); ++round)
        CollectReplies(reply, kClassicPauseMs, 1);
    return {AnswerEnded(reply) && !Holds(reply, "ERROR"), reply};
}

PhoneSession::Answered PhoneSession::SelectStorage(const std::string& storage) {
    const Answered answer = AskWhole("AT+CPMS=\"" + storage + "\"\r", kFast.commandMs, kShortRounds);
    // After a refusal the phone may have kept the old one or not.
    m_storage = answer.ok ? storage : "";
    return answer;
}

PhoneSession::Answered PhoneSession::UseStorage(const std::string& storage) {
    if (m_storage == storage)
        return {true, ""};
    return SelectStorage(storage);
}

std::vector<StoredMessage> PhoneSession::ReadStoredMessages(const StopRequested& stop) {
    std::vector<StoredMessage> messages;
    m_readStopped = false;
    if (!IsConnected())
        return messages;
    SetPolling(false);
    // Asked before each exchange, never inside one.
    const auto stopped = [&] { return m_readStopped = m_readStopped || (stop && stop()); };
    try {
        m_events.Status("Get message storages");
        const Answered offered = AskWhole("AT+CPMS=?\r", kFast.commandMs, kShortRounds);
        const std::vector<std::string> names = ParseStorages(offered.text);
        std::vector<std::string> storages;
        for (const char* name : {"SM", "ME"})
            if (std::find(names.begin(), names.end(), name) != names.end())
                storages.push_back(name);
        if (storages.empty()) {
            m_events.Status("The phone names no message storage Velmora reads");
            ShowRefusal(offered.text);
        }
        bool pduMode = false;
        int total = 0;
        for (const std::string& storage : storages) {
            if (stopped())
                break;
            m_events.Status("Select " + StorageLabel(storage) + " messages");
            const Answered selected = SelectStorage(storage);
            if (!selected.ok) {
                ShowRefusal(selected.text);
                continue;
            }
            total += ParseStorageUsed(selected.text).value_or(0);
            const int done = static_cast<int>(messages.size());
            m_events.Progress(done, std::max(total, done));
            if (!pduMode) {
                if (stopped())
                    break;
                const Answered mode = AskWhole("AT+CMGF=0\r", kFast.commandMs, kShortRounds);
                if (!mode.ok) {
                    m_events.Status("The phone refuses PDU mode");
                    ShowRefusal(mode.text);
                    break;
                }
                pduMode = true;
            }
            if (stopped())
                break;
            m_events.Status("Get messages from " + StorageLabel(storage));
            const Answered list = AskWhole("AT+CMGL=4\r", kFast.listMs, kListRounds);
            // Some phones refuse to list an empty store.
            ShowRefusal(list.text);
            for (StoreEntry& e : ParseMessageList(list.text))
                messages.push_back(StoredMessage{storage, e.index, e.status, std::move(e.pdu)});
            const int read = static_cast<int>(messages.size());
            m_events.Progress(read, std::max(total, read));
        }
        // Counted as the inbox lists them: a long message's parts are one.
        m_events.Status("Found (" + std::to_string(JoinInbox(messages).size()) + ") Messages");
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        LogReceived(messages);
        return messages;
    }
    LogReceived(messages);
    SetPolling(true);
    return messages;
}

std::string PhoneSession::DeleteStoredMessage(const StoredMessage& expected) {
    if (!IsConnected())
        return "Not connected to the phone; nothing was deleted";
    const std::string label = MessageLabel(expected);
    SetPolling(false);
    std::string reason;
    try {
        const std::string index = std::to_string(expected.index);
        if (const Answered chosen = UseStorage(expected.storage); !chosen.ok) {
            reason = "The phone would not open its " + StorageLabel(expected.storage) + " messages" +
                     Reason(chosen.text) + "; nothing was deleted";
        } else if (const Answered mode = AskWhole("AT+CMGF=0\r", kFast.commandMs, kShortRounds); !mode.ok) {
            reason = "The phone refuses PDU mode" + Reason(mode.text) + "; nothing was deleted";
        } else if (const Answered now = AskWhole("AT+CMGR=" + index + "\r", kFast.commandMs, kShortRounds);
                   !ParseMessageRead(now.text)) {
            // An empty place is refused by most phones and answered "OK" by some.
            reason = "The " + label + " is gone" + Reason(now.text) + "; nothing was deleted";
        } else if (Upper(ParseMessageRead(now.text)->pdu) != Upper(expected.pdu)) {
            reason = "The " + label + " has changed since it was read; nothing was deleted";
        } else if (const Answered deleted =
                       AskWhole("AT+CMGD=" + index + "\r", kFast.commandMs, kShortRounds);
                   !deleted.ok) {
            reason = "The phone did not delete the " + label + Reason(deleted.text);
        } else {
            m_events.Status("Deleted the " + label);
        }
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return std::string("Connection to the phone lost (") + e.what() + "); the " + label +
               " may or may not be deleted";
    }
    SetPolling(true);
    return reason;
}

void PhoneSession::AnnounceNewMessages() {
    if (!IsConnected() || m_dialogue != Dialogue::Fast || m_announcing)
        return;
    // Reports routed this connection asked for the announcements as well.
    if (m_reportRoute != 0) {
        m_announcing = true;
        return;
    }
    try {
        // mode 2, new messages as +CMTI, no broadcasts, no reports.
        m_announcing = Exchange("AT+CNMI=2,1,0,0,0\r", kFast.commandMs) == FinalResult::Ok;
    } catch (const EComPort& e) {
        LinkLostDuring(e);
    }
}

bool PhoneSession::Listening() const {
    return IsConnected() && m_dialogue == Dialogue::Fast && (m_announcing || AwaitingReports());
}

void PhoneSession::ReadArrivals() {
    while (!m_arrivals.empty() && IsConnected()) {
        const auto [storage, index] = m_arrivals.front();
        m_arrivals.erase(m_arrivals.begin());
        if (!UseStorage(storage).ok || !AskWhole("AT+CMGF=0\r", kFast.commandMs, kShortRounds).ok)
            continue;
        auto entry = ParseMessageRead(
            AskWhole("AT+CMGR=" + std::to_string(index) + "\r", kFast.commandMs, kShortRounds).text);
        if (!entry)
            continue;
        const StoredMessage message{storage, index, entry->status, std::move(entry->pdu)};
        LogReceived({message});
        m_events.MessageArrived(message);
    }
}

void PhoneSession::LogReceived(const std::vector<StoredMessage>& messages) {
    if (m_receivedLog.empty() || messages.empty())
        return;
    std::set<std::string> logged = LoggedPdus(m_receivedLog);
    for (const StoredMessage& m : messages) {
        if (!logged.insert(Upper(m.pdu)).second)
            continue;
        const auto decoded = DecodePdu(m.pdu);
        const std::string number = decoded && !decoded->number.empty() ? decoded->number : "?";
        Log(m_receivedLog, number + " " + m.pdu);
    }
}

} // namespace velmora
