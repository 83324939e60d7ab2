#pragma once

// How this layer reports trouble: exceptions (EComPort from the port,
// SessionCancelled from a cancelled clock) are thrown and caught only inside
// link. What leaves it is an outcome (SubmitOutcome, a request's finished
// signal), a state (stateChanged) or a problem (problem(kind, text)); no
// listener needs a try block.

#include "Clock.h"
#include "LinkEvents.h"
#include "PhoneSession.h"

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace velmora {

class SessionWorker;

// Where a link with recovery on looks for its modem once it is lost.
struct ModemSearch {
    QString devDir = "/dev";               // its ttyUSB* and ttyACM*; "" for none
    QString byIdDir = "/dev/serial/by-id"; // the modem's lasting names
    QStringList folders;                   // every entry of these as well
};

// The window's handle on the phone. Every request is served in turn on a
// worker thread that owns the port and the session, so no signal poll can
// fall inside a submission or a read, and the window never waits. Results
// come back as signals, queued to the thread the receiver lives in; every
// request ends with its own finished signal, also when there was nothing to
// do. Texts from the phone travel as Latin-1, byte for byte.
class PhoneLink : public QObject {
    Q_OBJECT
public:
    // What the link is doing. The connection icon is open from Identifying
    // on; the controls that need the phone are usable from Connected on.
    enum class State {
        Disconnected,
        Opening,     // opening the port and waiting for the phone's "OK"
        Identifying, // the phone answered; reading what it says about itself
        Connected,
        Sending,
        ReadingPhonebook,
        ReadingOperators,
        ReadingInbox, // the messages stored in the phone and on the SIM
        CheckingSignal,
        Ussd,             // a USSD request, waiting for the network's answer
        WritingPhonebook, // surveying, writing or deleting entries of the SIM's phone book
    };
    Q_ENUM(State)

    // `clock` paces the dialogue (a RealClock in the program).
    PhoneLink(std::unique_ptr<SerialLink> port, std::unique_ptr<Clock> clock, QObject* parent = nullptr);
    ~PhoneLink() override;

    // True from Connected on, whatever the link is busy with.
    static bool IsUp(State state) { return state >= State::Connected; }
    // The state as last reported on this object's thread, so whoever lives
    // there asks the link instead of keeping a copy.
    State state() const { return m_state; }
    bool isUp() const { return IsUp(m_state); }

    // The fast dialogue or the classic one, from the next exchange on.
    void setDialogue(bool fast);
    // The answer to pinRequested(): the PIN, or nothing when the user gave
    // none. Safe from any thread.
    void answerPin(const std::optional<QString>& pin);
    // Whether messages sent in the fast dialogue ask for a delivery report;
    // the reports then come as deliveryReport().
    void setDeliveryReports(bool on);
    void connectPhone(int portNumber, int baudRate);
    // Also ends a phone-book or operator read in progress after its current
    // exchange; what was read so far is reported as usual.
    void disconnectPhone();
    // A port or speed chosen from the menu: disconnect, then connect.
    void reconnect(int portNumber, int baudRate);
    // Each PDU of `message` in turn; one submitted() per part, then
    // sendFinished(). The link keeps no record: `message` only names it in
    // what it reports. `report`: this message asks for a delivery report
    // even when setDeliveryReports is off.
    void submit(qint64 message, const QStringList& pdus, const QString& destination, bool report = false);
    // "&Phone Book" reads the SIM only when the list is stale; "&Read From
    // SIM" (readAgain) always does.
    void readPhonebook(bool readAgain);
    // The operator list, read once per connection.
    void readOperators();
    // Every message in the phone's and the SIM's store; a disconnect ends
    // the read after its current exchange.
    void readInbox();
    // Deletes `m` once the phone still holds it at its place unchanged.
    void deleteStored(const velmora::StoredMessage& m);
    // Writes the last phone book read to `path`.
    void exportContacts(const QString& path);
    // The phone book last read, texts as the phone sent them (Latin-1 bytes);
    // what a stopped read found so far. Safe from any thread.
    std::vector<PhonebookEntry> phonebook() const;
    // Signal poll now, as the 20 s timer would.
    void pollSignal();
    // Runs `work` with the session on the link's thread, in turn with every
    // other request, the link `busy` meanwhile; what it gives back (if
    // anything) then runs on this object's thread. For a dialogue of its own
    // over the session, such as USSD.
    using SessionWork = std::function<std::function<void()>(PhoneSession&)>;
    void withSession(State busy, SessionWork work);
    // Writing the SIM's phone book (fast dialogue only). The survey tells
    // the book's limits, sets and filled places (phonebookSurveyed); a write
    // surveys afresh, then writes each entry in turn, a filled place only
    // with `overwrite`, and a delete empties one place (phonebookWritten,
    // one outcome an entry).
    void surveyPhonebook();
    void writePhonebook(const QList<velmora::SimEntry>& entries, bool overwrite);
    void deletePhonebookEntry(int index);

    // Ends everything: a read or wait in progress stops at once, and a
    // submission whose PDU is with the phone is logged as unknown first.
    // Waits at most `ms` for the worker; gives false when it did not end.
    // The destructor waits kEndMs; a worker held even then (a system call
    // that does not return) is left behind to end by itself, and nothing it
    // does after reaches this object.
    bool shutDown(int ms);
    static constexpr int kEndMs = 5000;

    // With recovery on (a box nobody watches), the link keeps the modem it
    // was asked to connect until asked to disconnect. A modem that misses
    // kStuckAfter deadlines of the fast dialogue in a row, or whose connect
    // fails, is closed and opened again after growing pauses (1 s, 2 s, 4 s
    // ... at most 60 s), meanwhile Stuck; one whose device went away is Away
    // and is looked for by its IMEI, or by its by-id link, under every
    // ttyUSB and ttyACM name (see setModemSearch) that no other program or
    // link holds. Off (the window), a lost modem stays disconnected. While
    // the link recovers, requests wait for it; a disconnect or reconnect ends
    // the recovery at once, and a disconnect ends a stuck modem's wait within
    // kGiveUpMs. A connect that ends at the SIM (PIN refused or none given,
    // PUK asked) is never tried again by itself: the modem stays Stuck.
    void setRecovery(bool on);
    void setModemSearch(const ModemSearch& search);
    // How often, with recovery on, the link looks whether its device is still
    // there and asks a modem that missed a deadline "AT".
    void setWatchInterval(int ms);
    static constexpr int kStuckAfter = 3;
    static constexpr int kFirstPauseMs = 1000;
    static constexpr int kLongestPauseMs = 60000;
    static constexpr int kGiveUpMs = 3000;
    // What the link last said of its modem, its IMEI (fast dialogue), the
    // device it opened and that device's /dev/serial/by-id link. Safe from
    // any thread.
    ModemState currentModemState() const;
    QString imei() const;
    QString device() const;
    QString byIdPath() const;

signals:
    void stateChanged(velmora::PhoneLink::State state);
    void status(const QString& text);
    void monitor(const QString& text);
    // Every failure detail, by kind (see ProblemKind); the progress texts
    // around it still come as status and monitor.
    void problem(velmora::ProblemKind kind, const QString& text);
    void lamp(velmora::LedSignal lamp, bool on);
    void lineSignals(bool cts, bool dsr, bool ring, bool rlsd);
    // Connect sets the gauge straight to a value.
    void signalBar(int bars);
    // One poll: label texts, the class the gauge climbs to, the BER gauge.
    void signalQuality(const QString& rssiLabel, const QString& berLabel, int bars, int berBar);
    void identity(const QString& manufacturer, const QString& model, const QString& revision,
                  const QString& imsi, const QString& serviceCentre);
    // After each connect, also one that recovery made: the IMEI (fast
    // dialogue; "" when the phone gave none) and the IMSI; then the device
    // opened and its /dev/serial/by-id link ("" when none leads to it).
    void modemIdentity(const QString& imei, const QString& imsi);
    void modemDevice(const QString& device, const QString& byIdPath);
    // With modemIdentity: the network it is registered on (fast dialogue;
    // "" when it said none).
    void modemNetwork(const QString& operatorName);
    void modemState(velmora::ModemState state);
    // A part as it ended: the reference the phone gave it (-1: none), the
    // answer a refusal was judged on (the phone's bytes as Latin-1), and
    // whether the program was ending in the middle of it.
    void submitted(qint64 message, int part, velmora::SubmitOutcome outcome, int reference,
                   const QString& answer, bool stopped);
    // The network's final word on a message of this connection (TP-ST), with
    // its text ("Delivered", "Not delivered: REASON").
    void deliveryReport(int reference, int status, const QString& text);
    // The SIM asks for its PIN during a connect (fast dialogue); `triesLeft`
    // is -1 when the phone does not tell. The connect waits for answerPin().
    void pinRequested(int triesLeft);
    void contactFound(const QString& name, const QString& number, const QString& index);
    // A long read: `done` of at most `total` steps.
    void progress(int done, int total);

    // One per request. A failed connect has first reported which device at
    // which speed was tried, and why when the link knows (ConnectFailed).
    void connectFinished(bool ok);
    void disconnectFinished();
    void sendFinished(qint64 message, bool allSent);
    // `read` is false when the list was current and kept; `stopped` when a
    // disconnect ended the read early.
    void phonebookFinished(bool read, int count, bool stopped);
    void operatorsFinished(bool read, const QStringList& items);
    // `read` is false when there was no connection to read from; `stopped`
    // when a disconnect ended the read early. The PDUs are the phone's hex.
    // `problems` names each store and message that could not be read
    // ("the SIM store (SM) could not be read: ERROR"); empty when all were.
    void inboxFinished(bool read, const QList<velmora::StoredMessage>& messages, bool stopped,
                       const QStringList& problems);
    // `reason` says why nothing was deleted (the message changed or is
    // gone, the phone refused); empty when `ok`.
    void deleteFinished(bool ok, const QString& reason);
    // A new message the phone announced while connected (fast dialogue).
    void messageArrived(const velmora::StoredMessage& m);
    void exportFinished(bool ok, const QString& statusText);
    void pollFinished();
    void phonebookSurveyed(const velmora::PhonebookSurvey& survey);
    void phonebookWritten(const QList<velmora::SimBookOutcome>& outcomes);

private:
    friend class SessionWorker;
    // What the worker and this object share (PhoneLink.cpp): the stop flag,
    // the PIN, the phone book, the clock's cancel, what is known of the
    // modem, and the way to this object's signals, which the destructor
    // closes when it leaves a worker behind that would not end.
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    // Disconnects asked (caller's thread); the worker counts those served.
    quint64 m_disconnectsAsked = 0;
    // Left running, with the worker, by a destructor that gave up on it.
    QThread* m_thread;
    State m_state = State::Disconnected;
    SessionWorker* m_worker;
};

} // namespace velmora
