#pragma once

#include "Clock.h"
#include "LinkEvents.h"
#include "Replies.h"
#include "SerialLink.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// What the phone said about itself at connect, each its reply's first line.
struct PhoneIdentity {
    std::string Manufacturer, Model, Revision, IMSI, ServiceCentre;
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
    using LogWriter = std::function<std::string(const std::string& path, const std::string& entry)>;

    PhoneSession(SerialLink& port, Clock& clock, SessionEvents& events, LogWriter log);
    ~PhoneSession();

    void SetLogPaths(std::string transmitLog, std::string failedLog);

    std::string AwaitReply(int intervalMs, int polls);
    void CollectReplies(std::string& target, int intervalMs, int rounds);

    // PortNumber and BaudRate as the settings hold them.
    bool Connect(int portNumber, int baudRate);
    void Disconnect();
    bool IsConnected() const { return m_port.Connected(); }

    SubmitOutcome SubmitPDU(const std::string& pdu, const std::string& destination);
    void SignalTick();
    // The outcome of a submission a cancel cut short: Unknown when its PDU
    // was already with the phone (and logged so), none when it was not.
    std::optional<SubmitOutcome> CancelledOutcome() const { return m_cancelledOutcome; }
    // Reads the SIM from index 1 until five misses in a row (at most 300).
    // `stop` may end either read after the exchange it is in, or before its
    // first.
    std::vector<PhonebookEntry> ReadPhonebook(const StopRequested& stop = {});
    std::vector<OperatorEntry> GetProvider(const StopRequested& stop = {});
    // Whether the last read ended early because `stop` asked it to.
    bool ReadStopped() const { return m_readStopped; }

    const PhoneIdentity& Identity() const { return m_identity; }
    bool IsSiemens() const { return m_isSiemens; }
    int SignalFailures() const { return m_signalFailures; }
    bool PhoneBookStale() const { return m_phonebookStale; }
    bool OperatorListStale() const { return m_operatorListStale; }
    void SetPhoneBookStale() { m_phonebookStale = true; }
    bool SignalPollingOn() const { return m_pollingOn; }

private:
    void Send(const std::string& command);
    void SetPolling(bool on);
    void LinkProblem(const std::string& what);
    void ConnectFailed();
    void ShowLineSignals();
    void ShowSignalQuality(const std::string& rssi, const std::string& ber);
    std::string ReadIdentityField(const char* command, const char* status);
    void CloseQuietly();
    // A link failure in the middle of an action: end it and disconnect,
    // saying why.
    void LinkLostDuring(const EComPort& e);
    SubmitOutcome Judge(const std::string& reply, const std::string& destination, bool secondAnswer);
    void Log(const std::string& path, const std::string& entry);

    SerialLink& m_port;
    Clock& m_clock;
    SessionEvents& m_events;
    LogWriter m_log;
    std::string m_transmitLog, m_failedLog;

    PhoneIdentity m_identity;
    bool m_isSiemens = false;
    int m_signalFailures = 0;
    bool m_phonebookStale = false;
    bool m_operatorListStale = false;
    bool m_pollingOn = false;
    bool m_readStopped = false;
    std::optional<SubmitOutcome> m_cancelledOutcome;
    std::string m_lastLinkError; // of the connect in progress
};

} // namespace velmora
