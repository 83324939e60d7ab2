#pragma once

#include "Clock.h"
#include "PhoneSession.h"

#include <QObject>
#include <QStringList>
#include <QThread>

#include <memory>

class QTimer;

namespace velmora {

class SessionWorker;

// The window's handle on the phone. Every request is served in turn on a
// worker thread that owns the port and the session, so no signal poll can
// fall inside a submission or a read, and the window never waits. Results
// come back as signals, queued to the thread the receiver lives in. Texts
// from the phone travel as Latin-1, byte for byte.
class PhoneLink : public QObject {
    Q_OBJECT
public:
    // `clock` paces the dialogue (a RealClock in the program). `log` appends
    // one log entry and gives "" or the reason it could not.
    PhoneLink(std::unique_ptr<SerialLink> port, std::unique_ptr<Clock> clock, PhoneSession::LogWriter log,
              QObject* parent = nullptr);
    ~PhoneLink() override;

    void setLogPaths(const QString& transmitLog, const QString& failedLog);
    void connectPhone(int portNumber, int baudRate);
    void disconnectPhone();
    // A port or speed chosen from the menu: disconnect, then connect.
    void reconnect(int portNumber, int baudRate);
    // Each PDU in turn; one submitted() per part, then sendFinished().
    void submit(const QStringList& pdus, const QString& destination);
    // "&Phone Book" reads the SIM only when the list is stale; "&Read From
    // SIM" (readAgain) always does. The list comes with phonebookRead().
    void readPhonebook(bool readAgain);
    // The operator list, read once per connection.
    void readOperators();
    // Writes the last phone book read to `path`.
    void exportContacts(const QString& path);
    // Signal poll now, as the 20 s timer would (for tests and impatient users).
    void pollSignal();

    // The worker's thread, for tests that wait on it.
    QThread* thread() { return &m_thread; }

signals:
    void status(const QString& text);
    void monitor(const QString& text);
    void connectionIcon(bool open);
    void connectedUI(bool on);
    void connectFinished(bool ok);
    void lamp(int lamp, bool on); // LedSignal as int
    void lineSignals(bool cts, bool dsr, bool ring, bool rlsd);
    void signalBar(int bars);
    void signalQuality(const QString& rssiLabel, const QString& berLabel, int berBar);
    void identity(const QString& manufacturer, const QString& model, const QString& revision,
                  const QString& imsi, const QString& serviceCentre);
    void submitted(int part, int outcome, bool sent); // SubmitOutcome as int
    void sendFinished(bool allSent);
    void contactFound(const QString& name, const QString& number, const QString& index);
    // After a read; `read` is false when the stale list was kept.
    void phonebookRead(bool read, int count);
    void operatorsRead(const QStringList& items);
    void exported(bool ok, const QString& statusText);
    void logFailed(const QString& reason);
    void linkError(const QString& what);

private:
    QThread m_thread;
    Clock* m_clock; // owned by the worker
    SessionWorker* m_worker;
};

} // namespace velmora
