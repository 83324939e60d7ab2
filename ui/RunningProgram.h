#pragma once

// Another Velmora program that holds the modems (velmorad, or a window
// started earlier), as the window sees it when it works through that
// program instead of opening the port itself: the window sends through it
// and hears what becomes of the messages from it. What carries the asking
// (D-Bus in the program, a stand-in in a test) stays behind this class.

#include "PhoneSession.h"
#include "Result.h"

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace velmora {

class RunningProgram : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The ids the program gave the messages queued, one a recipient, or
    // the sentence why nothing was queued.
    using Queued = Result<std::vector<qint64>, QString>;

    // The program's name as a user knows it: "velmorad", "velmora".
    virtual QString name() const = 0;
    // The names of the modems it holds ("" for the one modem of a window).
    virtual QStringList modems() = 0;
    // The file of the store it records in, when it tells; "" when not.
    virtual QString storePath() = 0;
    // Queues `message` (RequestToJson's fields) to each of `recipients`;
    // `done` comes later, on this thread, with the ids or why not.
    virtual void send(const QStringList& recipients, const QJsonObject& message, bool report,
                      std::function<void(Queued)> done) = 0;
    // What the outbox window asks of the program's queue: a batch held, let
    // go on or cancelled, a queued message taken out, a failed one sent
    // again in its batch. False with why when the program refused.
    enum class QueueStep { PauseBatch, ResumeBatch, CancelBatch, CancelMessage, RetryMessage };
    virtual Result<bool, QString> queueStep(QueueStep step, qint64 id) = 0;
    // What the phone and its SIM keep, read now by the program from its
    // first modem up; `done` comes later, on this thread.
    struct PhoneRead {
        QList<StoredMessage> messages;
        QStringList problems; // what could not be read
    };
    virtual void readPhone(std::function<void(Result<PhoneRead, QString>)> done) = 0;
    // The newest `limit` messages, each as history --json writes one, or why
    // they could not be listed (for a store the window cannot read).
    virtual Result<std::vector<QJsonObject>, QString> list(int limit) = 0;

signals:
    // As the program's StateChanged and Received signals say.
    void stateChanged(qint64 id, const QString& state, const QString& reason, uint part);
    void received(qint64 id, const QString& modem, const QString& number, const QString& text);
    // The program stopped holding the modems (it ended), or it (or another
    // one) holds them again.
    void vanished();
    void returned();
};

} // namespace velmora
