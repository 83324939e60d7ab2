#include "PhoneSession.h"

#include "FileIo.h"
#include "Inbox.h"
#include "PduDecoder.h"
#include "Said.h"
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

// The words the status bar uses for a storage.
std::string StorageLabel(const std::string& storage) {
    if (storage == "SM")
        return translate("PhoneSession", "SIM");
    if (storage == "ME")
        return translate("PhoneSession", "phone");
    return storage;
}

std::string MessageLabel(const StoredMessage& m) {
    return Fill(translate("PhoneSession", "%1 message %2"),
                {StorageLabel(m.storage), std::to_string(m.index)});
}

// "the SIM store (SM)", as a store that could not be read is named.
std::string StoreName(const std::string& storage) {
    if (storage == "SM" || storage == "ME")
        return Fill(translate("PhoneSession", "the %1 store (%2)"), {StorageLabel(storage), storage});
    return Fill(translate("PhoneSession", "the %1 store"), {storage});
}

// "BM, SR": storage names as a sentence lists them.
std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// What the phone said instead of an answer: its reason, else its final
// result code ("ERROR"), else that it said nothing in time.
std::string Why(const std::string& answer) {
    if (std::string refusal = PhoneRefusal(answer); !refusal.empty())
        return refusal;
    if (!AnswerEnded(answer))
        return translate("PhoneSession", "no final answer came in time");
    const std::string_view text(answer.data(), answer.find_last_not_of("\r\n") + 1);
    return std::string(text.substr(text.find_last_of("\r\n") + 1));
}

// " (+CMS ERROR: 321 (invalid memory index))", or nothing when the phone gave
// no reason.
std::string Reason(const std::string& answer) {
    const std::string refusal = PhoneRefusal(answer);
    return refusal.empty() ? "" : " (" + refusal + ")";
}

// Why a read gave no message: "The SIM message 2 is gone (+CMS ERROR: 321
// (invalid memory index))", "... could not be read (its PDU is cut short)".
std::string ReadFailure(const std::string& label, const StoreRead& read, const std::string& answer) {
    switch (read.outcome) {
    case StoreRead::Outcome::NotPdu:
        return Fill(translate("PhoneSession", "The phone gave the %1 as text, not as a PDU"), {label});
    case StoreRead::Outcome::Unreadable:
        return Fill(translate("PhoneSession", "The %1 could not be read (%2)"), {label, read.why});
    case StoreRead::Outcome::Gone:
    case StoreRead::Outcome::Message:
        break;
    }
    return Fill(translate("PhoneSession", "The %1 is gone%2"), {label, Reason(answer)});
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
    m_storeProblems.clear();
    if (!IsConnected())
        return messages;
    SetPolling(false);
    // Asked before each exchange, never inside one.
    const auto stopped = [&] { return m_readStopped = m_readStopped || (stop && stop()); };
    try {
        m_events.Status(translate("PhoneSession", "Get message storages"));
        const Answered offered = AskWhole("AT+CPMS=?\r", kFast.commandMs, kShortRounds);
        const std::optional<std::vector<std::string>> names = ParseStorages(offered.text);
        std::vector<std::string> storages;
        const auto has = [&](const char* name) {
            return names && std::find(names->begin(), names->end(), name) != names->end();
        };
        for (const char* name : {"SM", "ME"})
            if (has(name))
                storages.push_back(name);
        // "MT" is SM and ME together: read alone, where it is all there is.
        if (storages.empty() && has("MT"))
            storages.push_back("MT");
        // Stores tried without the phone's word may not be there: a refusal
        // of one of them counts only when none could be opened. A phone that
        // did say what it offers is never asked for a store it did not name.
        const bool guessed = !names;
        std::vector<std::string> guessRefused;
        bool opened = false;
        if (storages.empty()) {
            m_events.Status(translate("PhoneSession", "The phone names no message storage Velmora reads"));
            ShowRefusal(offered.text);
            if (guessed && !stopped())
                storages = GuessStorages();
            else if (!guessed && names->empty())
                m_storeProblems.push_back(
                    translate("PhoneSession", "the phone offers no message store, so no message was read"));
            else if (!guessed)
                m_storeProblems.push_back(Fill(translate("PhoneSession", "the phone offers only %1, none of "
                                                                         "them a store Velmora reads, so no "
                                                                         "message was read"),
                                               {Listed(*names)}));
        }
        bool pduMode = false;
        int total = 0;
        for (const std::string& storage : storages) {
            if (stopped())
                break;
            m_events.Status(Fill(translate("PhoneSession", "Select %1 messages"), {StorageLabel(storage)}));
            const Answered selected = SelectStorage(storage);
            if (!selected.ok) {
                ShowRefusal(selected.text);
                (guessed ? guessRefused : m_storeProblems)
                    .push_back(Fill(translate("PhoneSession", "%1 could not be read: %2"),
                                    {StoreName(storage), Why(selected.text)}));
                continue;
            }
            opened = true;
            const std::optional<int> used = ParseStorageUsed(selected.text);
            total += used.value_or(0);
            const int done = static_cast<int>(messages.size());
            m_events.Progress(done, std::max(total, done));
            if (!pduMode) {
                if (stopped())
                    break;
                const Answered mode = AskWhole("AT+CMGF=0\r", kFast.commandMs, kShortRounds);
                if (!mode.ok) {
                    m_events.Status(translate("PhoneSession", "The phone refuses PDU mode"));
                    ShowRefusal(mode.text);
                    m_storeProblems.push_back(Fill(
                        translate("PhoneSession", "the phone refuses PDU mode (%1), so no message was read"),
                        {Why(mode.text)}));
                    break;
                }
                pduMode = true;
            }
            if (stopped())
                break;
            m_events.Status(Fill(translate("PhoneSession", "Get messages from %1"), {StorageLabel(storage)}));
            const Answered list = AskWhole("AT+CMGL=4\r", kFast.listMs, kListRounds);
            // Some phones refuse to list an empty store.
            ShowRefusal(list.text);
            StoreList listed = ParseMessageList(list.text);
            if (!listed.refused.empty())
                m_storeProblems.push_back(Fill(translate("PhoneSession", "%1 could not be read: %2"),
                                               {StoreName(storage), listed.refused}));
            else if (!AnswerEnded(list.text))
                m_storeProblems.push_back(Fill(translate("PhoneSession", "%1 was not read to its end: %2"),
                                               {StoreName(storage), Why(list.text)}));
            else if (!list.ok && (used.value_or(1) > 0 || !listed.entries.empty()))
                m_storeProblems.push_back(Fill(translate("PhoneSession", "%1 could not be read: %2"),
                                               {StoreName(storage), Why(list.text)}));
            for (StoreEntry& e : listed.entries)
                messages.push_back(StoredMessage{storage, *e.index, e.status, std::move(e.pdu)});
            for (const UnreadEntry& u : listed.unread)
                m_storeProblems.push_back(Fill(translate("PhoneSession", "%1:%2 could not be read (%3)"),
                                               {storage, u.index ? std::to_string(*u.index) : "?", u.why}));
            const int read = static_cast<int>(messages.size());
            m_events.Progress(read, std::max(total, read));
        }
        if (guessed && !opened && !m_readStopped)
            m_storeProblems.insert(m_storeProblems.begin(), guessRefused.begin(), guessRefused.end());
        // Counted as the inbox lists them: a long message's parts are one.
        m_events.Status(Fill(translate("PhoneSession", "Found (%1) Messages"),
                             {std::to_string(JoinInbox(messages).size())}));
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return messages;
    }
    SetPolling(true);
    return messages;
}

std::vector<std::string> PhoneSession::GuessStorages() {
    std::vector<std::string> storages;
    const Answered current = AskWhole("AT+CPMS?\r", kFast.commandMs, kShortRounds);
    if (const std::string name = ParseCurrentStorage(current.text); !name.empty())
        storages.push_back(name);
    // "MT" is SM and ME together: reading them as well would list each
    // message twice.
    if (!storages.empty() && storages.front() == "MT")
        return storages;
    for (const char* name : {"SM", "ME"})
        if (std::find(storages.begin(), storages.end(), name) == storages.end())
            storages.push_back(name);
    return storages;
}

std::string PhoneSession::DeleteStoredMessage(const StoredMessage& expected) {
    if (!IsConnected())
        return translate("PhoneSession", "Not connected to the phone; nothing was deleted");
    const std::string label = MessageLabel(expected);
    const std::string index = std::to_string(expected.index);
    const auto attempt = [&]() -> std::string {
        if (const Answered chosen = UseStorage(expected.storage); !chosen.ok)
            return Fill(
                translate("PhoneSession", "The phone would not open its %1 messages%2; nothing was deleted"),
                {StorageLabel(expected.storage), Reason(chosen.text)});
        if (const Answered mode = AskWhole("AT+CMGF=0\r", kFast.commandMs, kShortRounds); !mode.ok)
            return Fill(translate("PhoneSession", "The phone refuses PDU mode%1; nothing was deleted"),
                        {Reason(mode.text)});
        std::string why;
        const StoreRead now = ReadPlace(expected.index, label, why);
        if (now.outcome != StoreRead::Outcome::Message)
            return Fill(translate("PhoneSession", "%1; nothing was deleted"), {why});
        if (Upper(now.entry.pdu) != Upper(expected.pdu))
            return Fill(
                translate("PhoneSession", "The %1 has changed since it was read; nothing was deleted"),
                {label});
        if (const Answered deleted = AskWhole("AT+CMGD=" + index + "\r", kFast.commandMs, kShortRounds);
            !deleted.ok)
            return Fill(translate("PhoneSession", "The phone did not delete the %1%2"),
                        {label, Reason(deleted.text)});
        m_events.Status(Fill(translate("PhoneSession", "Deleted the %1"), {label}));
        return "";
    };
    SetPolling(false);
    std::string reason;
    try {
        reason = attempt();
    } catch (const EComPort& e) {
        LinkLostDuring(e);
        return Fill(
            translate("PhoneSession", "Connection to the phone lost (%1); the %2 may or may not be deleted"),
            {e.what(), label});
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

StoreRead PhoneSession::ReadPlace(int index, const std::string& label, std::string& why) {
    const Answered answer =
        AskWhole("AT+CMGR=" + std::to_string(index) + "\r", kFast.commandMs, kShortRounds);
    StoreRead read = ParseMessageRead(answer.text);
    if (read.outcome != StoreRead::Outcome::Message)
        why = ReadFailure(label, read, answer.text);
    return read;
}

void PhoneSession::ReadArrivals() {
    while (!m_arrivals.empty() && IsConnected()) {
        const auto [storage, index] = m_arrivals.front();
        m_arrivals.erase(m_arrivals.begin());
        const std::string place = StorageLabel(storage);
        const std::string number = std::to_string(index);
        if (!UseStorage(storage).ok || !AskWhole("AT+CMGF=0\r", kFast.commandMs, kShortRounds).ok) {
            m_events.Status(
                Fill(translate("PhoneSession", "The new %1 message %2 could not be read: the phone would "
                                               "not open its store"),
                     {place, number}));
            continue;
        }
        std::string why;
        StoreRead read =
            ReadPlace(index, Fill(translate("PhoneSession", "new %1 message %2"), {place, number}), why);
        if (read.outcome != StoreRead::Outcome::Message) {
            // Still on the phone: the next read of the inbox lists it.
            m_events.Status(why);
            continue;
        }
        const StoredMessage message{storage, index, read.entry.status, std::move(read.entry.pdu)};
        m_events.MessageArrived(message);
    }
}

void PhoneSession::ReadStoredReport(const std::string& storage, int index) {
    const std::string label = Fill(translate("PhoneSession", "%1 message %2 (a delivery report)"),
                                   {StorageLabel(storage), std::to_string(index)});
    // A report that cannot be read is named: the message it is about would
    // otherwise wait for it without a word.
    const auto unread = [&](std::string said) {
        m_events.Status(said);
        m_reportProblems.push_back(std::move(said));
    };
    // Read from the storage it was announced in, once another one was chosen
    // for reading this connection.
    if (!m_storage.empty() && !UseStorage(storage).ok) {
        unread(Fill(translate("PhoneSession", "The %1 could not be read: the phone would not open its store"),
                    {label}));
        return;
    }
    std::string why;
    const StoreRead read = ReadPlace(index, label, why);
    if (read.outcome != StoreRead::Outcome::Message) {
        unread(why);
        return;
    }
    TakeReport(read.entry.pdu);
}

} // namespace velmora
