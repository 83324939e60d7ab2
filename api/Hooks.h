#pragma once

// [Hooks]: a program of the user's run for each message that comes in
// (OnReceive=) and each state an outgoing message reaches (OnState=), with
// the event's JSON (EventJson) on its standard input. The program is run
// itself, never through a shell, in a process group of its own, so that
// what it started itself ends with it at the limit: a text that came from anyone's phone is
// data to it, whatever quotes, $(...) or backticks it holds. A hook runs
// beside the message centre and is only told: one that fails, hangs or
// waits never holds up a message. At most kAtOnce run at once; the rest
// wait their turn in memory, at most kMostWaiting (beyond that, events are
// dropped, and the log says how many).

#include "DaemonConfig.h"
#include "Result.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>

class QProcess;

namespace velmora {
class MessageApi;
}

namespace velmora::api {

class Hooks : public QObject {
    Q_OBJECT
public:
    static constexpr int kLimitMs = 10000; // a hook still running then is killed
    static constexpr int kAtOnce = 4;
    static constexpr int kMostWaiting = 2000;
    static constexpr int kMostStderr = 4096; // what is kept of a hook's standard error

    // The api must outlive it.
    Hooks(MessageApi& api, const HooksConfig& config, QObject* parent = nullptr);
    // Kills the hooks still running.
    ~Hooks() override;

    // Finds the programs and starts listening; why not, when a program is
    // missing or not executable.
    Result<bool, QString> start();
    // How long a hook may run (tests shorten it).
    void setLimitMs(int ms) { m_limitMs = ms; }
    // How many may wait (tests lessen it).
    void setMostWaiting(int count) { m_mostWaiting = count; }

    int running() const { return static_cast<int>(m_running.size()); }
    int waiting() const { return static_cast<int>(m_waiting.size()); }
    int dropped() const { return m_droppedTotal; }

signals:
    // A hook ended (for whoever watches: tests, the figures): its program,
    // whether it did well (exit 0 within the limit).
    void ended(const QString& program, bool ok);

private:
    struct Command {
        QString program; // resolved
        QStringList arguments;
        QString setting; // "OnReceive" or "OnState", for the log
    };
    struct Job {
        const Command* command = nullptr;
        QByteArray input;
    };
    struct Running;

    static Result<Command, QString> Resolve(const QString& setting, const QString& value);
    void queue(const Command& command, QByteArray input);
    void launch();
    void finish(Running* run, bool ok, const QString& problem);

    MessageApi& m_api;
    HooksConfig m_config;
    std::unique_ptr<Command> m_onReceive, m_onState;
    std::deque<Job> m_waiting;
    std::vector<std::unique_ptr<Running>> m_running;
    int m_limitMs = kLimitMs;
    int m_mostWaiting = kMostWaiting;
    int m_dropped = 0; // since the queue was last short again
    int m_droppedTotal = 0;
};

} // namespace velmora::api
