#pragma once

#include "Clock.h"
#include "Replies.h"
#include "SerialLink.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

// What the phone said about itself at connect, each its reply's first line.
struct PhoneIdentity {
    std::string Manufacturer, Model, Revision, IMSI, ServiceCentre;
    bool operator==(const PhoneIdentity&) const = default;
};

// Everything the session shows. The window implements these (through queued
// signals, since the session runs on a worker thread); tests record them.
class SessionEvents {
public:
    virtual ~SessionEvents() = default;
    virtual void Status(const std::string& /*text*/) {}
    virtual void Monitor(const std::string& /*text*/) {}
    // The phone refused a step and said why, with the meaning of its code.
    virtual void PhoneRefused(const std::string& /*answer*/) {}
    virtual void ConnectionIcon(bool /*open*/) {}
    virtual void ConnectedUI(bool /*on*/) {}
    virtual void LineSignalsRead(const LineSignals& /*s*/) {}
    virtual void SignalBar(int /*bars*/) {}
    // The bracketed label texts, the signal class (0..4, the gauge the window
    // climbs to) and the BER gauge of one poll.
    virtual void SignalQuality(const std::string& /*rssi*/, const std::string& /*ber*/, int /*bars*/,
                               int /*berBar*/) {}
    virtual void Identity(const PhoneIdentity& /*id*/) {}
    // The signal poll timer; the owner runs it at 20 s while it is on.
    virtual void MonitorTimer(bool /*on*/) {}
    // The platform's reason behind a link failure, for those who want it.
    virtual void LinkError(const std::string& /*what*/) {}
    // A log entry that could not be written, with the reason.
    virtual void LogFailed(const std::string& /*reason*/) {}
    virtual void ContactFound(const PhonebookEntry& /*entry*/) {}
    // How far a long read has come: `done` of at most `total` steps.
    virtual void Progress(int /*done*/, int /*total*/) {}
    virtual void Lamp(LedSignal /*lamp*/, bool /*on*/) {}
};

enum class SubmitOutcome {
    NoPduMode, // no "OK" to "at+cmgf=0": nothing logged
    NoPrompt,  // no ">" after "at+cmgs=": nothing logged
    Failed,    // "ERROR" in the answer: "Fail (1)"
    Sent,      // "Message Sent"
    Unknown,   // neither word: "Unknown"
    LinkLost,  // the link failed before the PDU was written: nothing logged
};

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
    // Reads the SIM from index 1 until five misses in a row (at most 300).
    std::vector<PhonebookEntry> ReadPhonebook();
    std::vector<OperatorEntry> GetProvider();
    // Asks a phone-book or operator read to end after the exchange it is
    // in, or before its first when it has not started yet; safe from any
    // thread. The read that stops, or the next Disconnect, uses it up.
    void StopRead() { m_stopRead = true; }
    // Whether the last read ended early because of StopRead.
    bool ReadStopped() const { return m_readStopped; }

    const PhoneIdentity& Identity() const { return m_identity; }
    bool IsSiemens() const { return m_isSiemens; }
    int SignalFailures() const { return m_signalFailures; }
    bool PhoneBookStale() const { return m_phoneBookStale; }
    bool OperatorListStale() const { return m_operatorListStale; }
    void SetPhoneBookStale() { m_phoneBookStale = true; }
    bool MonitorTimerOn() const { return m_timerOn; }

private:
    void Send(const std::string& command);
    void SetTimer(bool on);
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
    bool m_phoneBookStale = false;
    bool m_operatorListStale = false;
    bool m_timerOn = false;
    std::atomic<bool> m_stopRead{false};
    bool m_readStopped = false;
};

const char* SubmitOutcomeText(SubmitOutcome outcome);

} // namespace velmora
