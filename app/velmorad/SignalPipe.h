#pragma once

// SIGTERM, SIGINT and SIGHUP as Qt signals on the main thread. The handler
// only writes the signal's number into a pipe, the one thing it may safely
// do; a QSocketNotifier on the other end reads it in the event loop, where
// anything may be done about it.

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace velmora::daemon {

class SignalPipe : public QObject {
    Q_OBJECT
public:
    // Takes over the three signals for the object's life; one at a time.
    explicit SignalPipe(QObject* parent = nullptr);
    ~SignalPipe() override;

    // Whether the pipe and the handlers are in place.
    bool ok() const { return m_ok; }

signals:
    void terminate(int signal); // SIGTERM or SIGINT
    void reload();              // SIGHUP

private:
    void readSignals();

    int m_fds[2] = {-1, -1};
    bool m_ok = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace velmora::daemon
