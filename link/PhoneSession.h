#pragma once

#include "AtReader.h"
#include "Clock.h"
#include "LinkEvents.h"
#include "PhonebookWrites.h"
#include "Replies.h"
#include "SerialLink.h"
#include "StoreReplies.h"
#include "UssdReplies.h"

#include <QMetaType>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// A message in one of the phone's stores, as the phone gave it.
struct StoredMessage {
    std::string storage; // "SM", "ME"
    int index = 0;
    int status = 0;  // 27.005 <stat>: 0 received unread, 1 received read, 2 stored unsent, 3 stored sent
    std::string pdu; // hex as the phone gave it, service-centre part in front
    bool operator==(const StoredMessage&) const = default;
};

// What the phone said about itself at connect, each its reply's first line;
// the IMEI as ImeiFromLines reads it (fast dialogue only, "" when the phone
// gave none).
struct PhoneIdentity {
    std::string Manufacturer, Model, Revision, IMSI, ServiceCentre, IMEI;
    bool operator==(const PhoneIdentity&) const = default;
};

// Everything the session reports: progress texts, states, readings and
// problems. It names what happened, never what to show it on; the phone link
// turns these into its signals, the CLI into its output, tests record them.
class SessionEvents {
public:
    virtual ~SessionEvents() = default;
    virtual void Status(const std::string& /*text*/) {}
    virtual void Monitor(const std::string& /*text*/) {}
    virtual void StateChanged(SessionState /*state*/) {}
    // Whether the signal should be polled (every 20 s) from now on: off while
    // an exchange needs the line to itself, on again after it.
    virtual void SignalPolling(bool /*on*/) {}
    // Every failure detail, by kind: a refusal comes with the meaning of its
    // code, a link error with the platform's reason.
    virtual void Problem(ProblemKind /*kind*/, const std::string& /*text*/) {}
    virtual void LineSignalsRead(const LineSignals& /*s*/) {}
    virtual void SignalBar(int /*bars*/) {}
    // The bracketed label texts, the signal class (0..4, the gauge the window
    // climbs to) and the BER gauge of one poll.
    virtual void SignalQuality(const std::string& /*rssi*/, const std::string& /*ber*/, int /*bars*/,
                               int /*berBar*/) {}
    virtual void Identity(const PhoneIdentity& /*id*/) {}
    virtual void ContactFound(const PhonebookEntry& /*entry*/) {}
    // How far a long read has come: `done` of at most `total` steps.
    virtual void Progress(int /*done*/, int /*total*/) {}
    virtual void Lamp(LedSignal /*lamp*/, bool /*on*/) {}
    // A line the phone sent of its own accord (fast dialogue only).
    virtual void UnsolicitedLine(const std::string& /*line*/) {}
    // The network's final word on a message sent this connection, by the
    // reference the phone gave it (TP-ST, see StatusText).
    virtual void DeliveryReport(int /*reference*/, int /*status*/) {}
    // A message the phone announced (+CMTI) as it arrived, read from its
    // store (fast dialogue only).
    virtual void MessageArrived(const StoredMessage& /*message*/) {}
    // Each part's submission as it ended, whatever became of it; also when
    // the program is ending in the middle of it (then before the cancel goes
    // on). The logs are written from these.
    virtual void PartSubmitted(const PartEnded& /*part*/) {}
};

// " (2 tries left)" after a PIN question or refusal; "" when the phone did
// not tell.
std::string PinTriesText(std::optional<int> tries);

// How the session talks: the classic dialogue waits fixed pauses after each
// command and judges whatever arrived; the fast one reads each answer up to
// its final result code, within a deadline.
enum class Dialogue { Classic, Fast };

// The fast dialogue's deadlines. No unsolicited line extends them.
struct FastTimings {
    int settleMs = 100;   // after opening, before the first "AT"
    int probeMs = 300;    // for each "AT" of the settling
    int probes = 10;      // "AT"s before the phone counts as silent
    int commandMs = 5000; // an ordinary command, and the prompt
    // After the one line of a state query, for the final result code a phone
    // may leave out (AT+CPIN? on Wavecom); the line is then the answer.
    int lineOnlyMs = 300;
    int pduMs = 120000; // the network's answer to the PDU
    int operatorsMs = 60000;
    int listMs = 60000; // a whole store: 100 long messages at 9600 bit/s take 40 s
};

// Asked between the exchanges of a long read; true ends the read there.
// Answering true uses the request up. Called on the session's thread; the
// request itself may come from any thread.
using StopRequested = std::function<bool()>;

// The session with the phone: the command primitives, connect and
// disconnect, submission, the signal poll, the phone-book and operator reads.
// Plain sequential code, run on one thread; every wait is a sleep of the
// injected clock.
class PhoneSession {
public:
    PhoneSession(SerialLink& port, Clock& clock, SessionEvents& events);
    ~PhoneSession();

    // Asked for the SIM's PIN when the phone wants it (fast dialogue), with
    // the tries left when the phone tells them; nothing when the user gave
    // none. Asked once a connect: a wrong PIN costs one of the SIM's tries,
    // so it is never sent again by itself.
    using PinSource = std::function<std::optional<std::string>(std::optional<int> triesLeft)>;
    void SetPinSource(PinSource source) { m_pinSource = std::move(source); }
    // Takes effect from the next connect or exchange.
    void SetDialogue(Dialogue dialogue) { m_dialogue = dialogue; }
    Dialogue CurrentDialogue() const { return m_dialogue; }
    static constexpr FastTimings kFast{};

    std::string AwaitReply(int intervalMs, int polls);
    void CollectReplies(std::string& target, int intervalMs, int rounds);

    // PortNumber and BaudRate as the settings hold them.
    bool Connect(int portNumber, int baudRate);
    // Opens the port's device briefly and asks it AT+CGSN, nothing more (no
    // PIN, no settings), then closes it: a modem looked for among devices.
    // The IMEI, "" for a modem that gives none; nothing when the device
    // cannot be opened or does not answer.
    std::optional<std::string> PeekImei();
    // "AT", connected in the fast dialogue: whether the modem answered. A
    // miss counts in MissedInARow like any other.
    bool StillAnswers();
    // Whether the last connect ended at the SIM: it asked for a PIN none was
    // given for, refused the one given, or wants its PUK. Connecting again
    // by itself would only cost the SIM its tries.
    bool SimStopped() const { return m_simStopped; }
    void Disconnect();
    bool IsConnected() const { return m_port.Connected(); }

    SubmitOutcome SubmitPDU(const std::string& pdu, const std::string& destination);
    // One message: asks for delivery reports first when `reports`
    // (AskForReports), then submits each part in turn, telling `starting`
    // each part's 0-based number before it goes; every part is tried,
    // whatever the one before came to. Each part's outcome is its
    // PartSubmitted event; a SessionCancelled goes on through. The window's
    // link and the CLI's transport both send through here.
    struct MessageSubmitted {
        bool allSent = true;         // every part came to Sent
        bool reportsRefused = false; // reports were wanted and the phone will not pass them on
    };
    MessageSubmitted SubmitMessage(std::vector<std::string> pdus, const std::string& destination,
                                   bool reports, const std::function<void(int part)>& starting = {});
    void SignalTick();
    // The outcome of a submission a cancel cut short: Unknown when its PDU
    // was already with the phone (and reported so), none when it was not.
    std::optional<SubmitOutcome> CancelledOutcome() const { return m_cancelledOutcome; }
    // The message reference the phone gave the last PDU sent ("+CMGS: n"),
    // fast dialogue only.
    std::optional<int> LastReference() const { return m_lastReference; }
    // Reads what the phone sent of its own accord while idle (fast dialogue),
    // and the status reports it announced as stored.
    void ReadUnsolicited();
    // Asks the phone to hand status reports over (fast dialogue), once a
    // connection: as +CDS lines (ds=1) or, where it only stores them, as
    // +CDSI announcements read with AT+CMGR (ds=2). False when it will not.
    bool RouteStatusReports();
    // Routes the reports, then marks each PDU as asking for one (TP-SRR);
    // leaves them as they are and gives false when the phone will not.
    bool AskForReports(std::vector<std::string>& pdus);
    // Messages sent with a report asked for whose final report has not come.
    bool AwaitingReports() const { return !m_awaitingReports.empty(); }
    // Each report the phone announced as stored (+CDSI) but would not give
    // as a PDU, in words, as the status said it: "The SIM message 3 (a
    // delivery report) could not be read (its PDU is cut short)".
    const std::vector<std::string>& ReportProblems() const { return m_reportProblems; }
    // Reads the SIM from index 1 until five misses in a row (at most 300).
    // `stop` may end either read after the exchange it is in, or before its
    // first.
    std::vector<PhonebookEntry> ReadPhonebook(const StopRequested& stop = {});
    std::vector<OperatorEntry> GetProvider(const StopRequested& stop = {});
    // Writing the SIM's phone book, in the fast dialogue only
    // (PhonebookWrites.cpp). The survey reads the book's limits, its
    // character sets and which places are filled; a write or delete goes by
    // it. A filled place is written over only with `overwrite`; a name the
    // phone's set cannot hold goes in UCS2 when the phone takes that, the set
    // switched back after.
    PhonebookSurvey SurveyPhonebook();
    SimBookOutcome WritePhonebookEntry(const PhonebookSurvey& survey, const SimEntry& entry, bool overwrite);
    SimBookOutcome DeletePhonebookEntry(const PhonebookSurvey& survey, int index);
    // Every message in the phone's and the SIM's store: AT+CPMS=? for the
    // storages, then for each of "SM" and "ME" the phone has its selection
    // and its list (AT+CMGL=4), after AT+CMGF=0 once. A phone that names
    // neither is read from its current storage (AT+CPMS?), then SM, then ME.
    // `stop` ends the read between two exchanges. What could not be read is
    // in StoreProblems.
    std::vector<StoredMessage> ReadStoredMessages(const StopRequested& stop = {});
    // What the last ReadStoredMessages could not read, each in words: "the
    // SIM store (SM) could not be read: ERROR", "SM:4 could not be read (its
    // PDU is cut short)". Empty when every message was read.
    const std::vector<std::string>& StoreProblems() const { return m_storeProblems; }
    // Deletes only when AT+CMGR=index (in that storage) still gives
    // `expected.pdu`; else nothing is deleted. "" on success, else the reason.
    std::string DeleteStoredMessage(const StoredMessage& expected);
    // Asks the phone (fast dialogue, connected) to announce each new message
    // (+CMTI, read by ReadUnsolicited), unless routing the reports asked for
    // that already. A phone that will not is used without announcements.
    void AnnounceNewMessages();
    // Whether the phone may have something to tell while idle: a report
    // awaited or new messages announced (fast dialogue, connected).
    bool Listening() const;
    // Whether the last read ended early because `stop` asked it to.
    bool ReadStopped() const { return m_readStopped; }

    // USSD (UssdExchange.cpp, fast dialogue): writes AT+CUSD=1,"str",15 and,
    // after its OK, waits up to `waitMs` for the network's +CUSD line, which
    // comes by itself, often seconds later. `stop` ends the wait.
    UssdExchanged UssdSend(const std::string& str, int waitMs, const StopRequested& stop = {});
    // AT+CUSD=2: ends the dialogue with the network. With the clock cancelled
    // (the program is ending) it is only written, not waited for.
    void UssdEnd();

    const PhoneIdentity& Identity() const { return m_identity; }
    // Commands of the fast dialogue in a row whose deadline passed with no
    // final answer, or whose bytes the port would not take in time; any
    // answer starts the count again. A modem past a few is stuck.
    int MissedInARow() const { return m_missedInARow; }
    bool IsSiemens() const { return m_isSiemens; }
    int SignalFailures() const { return m_signalFailures; }
    bool PhoneBookStale() const { return m_phonebookStale; }
    bool OperatorListStale() const { return m_operatorListStale; }
    void SetPhoneBookStale() { m_phonebookStale = true; }
    bool SignalPollingOn() const { return m_pollingOn; }

private:
    // Cancels a PDU a phone may still be waiting for (27.005 3.5.1).
    static constexpr char kEscape = 27;
    void Send(const std::string& command);
    // Reads what has come and lets it go.
    void DiscardInput();
    void SetPolling(bool on);
    void LinkProblem(const std::string& what);
    void ConnectFailed();
    void ShowLineSignals();
    // The phone's reason, when it gave one, beside the outcome texts.
    void ShowRefusal(const std::string& reply);
    void ShowSignalQuality(const std::string& rssi, const std::string& ber);
    std::string ReadIdentityField(const char* command, const char* status);
    // AT+CGSN in the fast dialogue: the IMEI, or "" for a phone that has none.
    std::string ReadImei();
    void CloseQuietly();
    // A link failure in the middle of an action: end it and disconnect,
    // saying why.
    void LinkLostDuring(const EComPort& e);
    SubmitOutcome Judge(const std::string& reply, bool secondAnswer);
    SubmitOutcome ClassicSubmit(const std::string& pdu, bool& written);
    SubmitOutcome FastSubmit(const std::string& pdu, bool& written);
    SubmitOutcome FastJudge(FinalResult result);

    // The fast dialogue: writes `command` and reads its answer until the final
    // result code or the deadline; None when the deadline passed. `stop` may
    // abandon the wait. With `lineEndsMs` (>= 0) the answer also ends that
    // long after its first information line (None, the line in Lines()).
    FinalResult Exchange(const std::string& command, int deadlineMs, bool promptEnds = false,
                         const StopRequested& stop = {}, int lineEndsMs = -1);
    // What the phone says before it is asked, on the line already.
    void DrainInput();
    void HandleUnsolicited();
    void TakeReport(const std::string& pdu);
    // Waits for the phone to answer "AT" after the port opened.
    bool Settle();
    // "AT+CPIN?": true when the SIM is ready, after its PIN if it asked.
    bool UnlockSim();
    std::optional<int> PinTriesLeft();
    std::string SimState(); // "READY", "SIM PIN"... unquoted; "" when the phone does not say
    // A command's answer in either dialogue: the classic pauses, or up to the
    // final result code (the text without echo or unsolicited lines).
    std::string Ask(const std::string& command, int intervalMs, int polls);
    struct Answered {
        bool ok = false;  // the final result code was "OK"
        std::string text; // in the fast dialogue without echo or unsolicited lines
    };
    // A command's whole answer in either dialogue: up to its final result
    // code within `fastMs`, or the classic pauses until the answer has ended
    // or `rounds` have passed.
    Answered AskWhole(const std::string& command, int fastMs, int rounds);
    // AT+CPMS="storage": the storage read and deleted from from now on.
    Answered SelectStorage(const std::string& storage);
    // The same, asked only when another storage is chosen.
    Answered UseStorage(const std::string& storage);
    // The storages to read from when the phone names none Velmora knows:
    // the one it reads from now (AT+CPMS?), then SM, then ME.
    std::vector<std::string> GuessStorages();
    void ReadArrivals();
    // AT+CMGR=index in the storage chosen, in either dialogue: the message,
    // or in `why` the sentence that says why there is none ("The SIM message
    // 3 is gone", "... could not be read (its PDU is cut short)").
    StoreRead ReadPlace(int index, const std::string& label, std::string& why);
    // The entry at a place of the SIM's phone book, read in the fast
    // dialogue: not found when the place is empty.
    PhonebookEntry ReadPhonebookPlace(int index, bool& answered);
    // A report the phone announced by +CDSI, read where it was stored.
    void ReadStoredReport(const std::string& storage, int index);

    SerialLink& m_port;
    Clock& m_clock;
    SessionEvents& m_events;

    PhoneIdentity m_identity;
    int m_missedInARow = 0;
    bool m_simStopped = false;
    bool m_isSiemens = false;
    int m_signalFailures = 0;
    bool m_phonebookStale = false;
    bool m_operatorListStale = false;
    bool m_pollingOn = false;
    bool m_readStopped = false;
    std::vector<std::string> m_storeProblems;
    std::vector<std::string> m_reportProblems;
    std::optional<SubmitOutcome> m_cancelledOutcome;
    Dialogue m_dialogue = Dialogue::Classic;
    PinSource m_pinSource;
    std::string m_refusalAfterConnect; // the SIM's answer to a refused PIN
    AtReader m_reader;
    std::optional<int> m_lastReference;
    std::string m_refusedAnswer; // what the last part was refused on
    std::string m_submitting;    // the PDU whose answer is awaited
    int m_reportRoute = 0;       // the ds the phone accepted; 0: not asked this connection
    std::vector<int> m_awaitingReports;
    // Storage and index of each report +CDSI announced, not yet read.
    std::vector<std::pair<std::string, int>> m_storedReports;
    std::string m_storage;     // the storage AT+CPMS chose this connection; "" when not asked
    bool m_announcing = false; // the phone accepted to announce new messages
    // Storage and index of each message +CMTI announced, not yet read.
    std::vector<std::pair<std::string, int>> m_arrivals;
    std::string m_lastLinkError; // of the connect in progress
    // The +CUSD lines come by themselves; kept until UssdSend takes them.
    std::vector<std::string> m_ussdLines;
};

} // namespace velmora

// Carried by the link's queued signals.
Q_DECLARE_METATYPE(velmora::StoredMessage)
