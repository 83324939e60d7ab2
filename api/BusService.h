#pragma once

// The message centre on D-Bus: org.velmora.Velmora1.Messages at
// /org/velmora/Velmora1, over the program's MessageApi. Every method asks
// the API (or the centre's outbox, for the queue), never a port; every
// refusal is an error org.velmora.Velmora1.Error.CODE with the API's words.
// The methods and signals here and api/org.velmora.Velmora1.xml describe
// the same interface (a test holds them together).

#include "MessageApi.h"
#include "Result.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace velmora {
class MessageCentre;
class ModemChannel;
} // namespace velmora

namespace velmora::api {

class BusService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.velmora.Velmora1.Messages")
public:
    // Both must outlive the service.
    BusService(MessageApi& api, MessageCentre& centre, QObject* parent = nullptr);
    ~BusService() override;

    // Puts the object on `bus` and claims the name, never queueing for it: a
    // name another program holds is a refusal that says so, and nothing is
    // left registered.
    Result<bool, QString> attach(QDBusConnection bus);
    // Whether a program holds the name on `bus`; false when it is not connected.
    static bool NameTaken(const QDBusConnection& bus);
    // "session" or "system", in the user's language, for what a program says.
    static QString BusWord(QDBusConnection::BusType bus);

public slots:
    Q_SCRIPTABLE QList<qulonglong> Send(const QStringList& recipients, const QVariantMap& message,
                                        const QVariantMap& options);
    Q_SCRIPTABLE QList<qulonglong> SendText(const QStringList& recipients, const QString& text,
                                            const QVariantMap& options);
    Q_SCRIPTABLE void Cancel(qulonglong id);
    Q_SCRIPTABLE QVariantMap Get(qulonglong id);
    Q_SCRIPTABLE QList<QVariantMap> List(const QVariantMap& filter);
    Q_SCRIPTABLE QList<QVariantMap> ListModems();
    // The store's file, absolute, for a program that reads it itself
    // (read-only); "" when the program has none.
    Q_SCRIPTABLE QString StorePath();
    // Who answers: "program" (velmorad, velmora), "version", "modems" (their names).
    Q_SCRIPTABLE QVariantMap Identity();
    // "velmora-cli queue": a batch held, let go on, or taken out of the
    // queue; a failed or uncertain message sent again in its batch. Each
    // answers the batch (or message) as it is afterwards; Conflict when
    // the message is past it.
    Q_SCRIPTABLE QVariantMap PauseBatch(qulonglong batch);
    Q_SCRIPTABLE QVariantMap ResumeBatch(qulonglong batch);
    Q_SCRIPTABLE QVariantMap CancelBatch(qulonglong batch);
    Q_SCRIPTABLE QVariantMap RetryMessage(qulonglong id);
    // A queued message taken out, or an uncertain one dropped (it is not
    // sent again); answers the message.
    Q_SCRIPTABLE QVariantMap CancelMessage(qulonglong id);
    // A USSD session on `modem` ("" the first one up): the code, then each
    // reply while the network asks for one, `waitSeconds` for each answer
    // (at least 1; at most 9 replies and 600 s for all the answers). A
    // delayed answer always comes: Conflict when the modem goes first. Answers each step {"sent", "kind", "text", "detail"} (kind
    // as UssdKindName says). Kept in the history as the program's own.
    Q_SCRIPTABLE QList<QVariantMap> Ussd(const QString& modem, const QStringList& texts, uint waitSeconds);
    // What the phone and its SIM keep, read now from `modem` ("" the first
    // one up) and kept in the store: {"messages": [{"storage", "index",
    // "status", "pdu"}...], "problems": [what could not be read]}.
    Q_SCRIPTABLE QVariantMap ReadPhone(const QString& modem);

signals:
    Q_SCRIPTABLE void StateChanged(qulonglong id, const QString& state, const QString& reason, uint part);
    Q_SCRIPTABLE void Received(qulonglong id, const QString& modem, const QString& number,
                               const QString& text);

private:
    // The modem a USSD session or a read goes through; null (refused) when
    // it is not there or not connected.
    ModemChannel* connectedModem(const QString& modem);
    QList<qulonglong> answer(const Result<Submitted, ApiError>& submitted);
    void refuse(ApiError::Code code, const QString& why);
    QVariantMap batchStep(qulonglong batch, int verb);

    MessageApi& m_api;
    MessageCentre& m_centre;
    QDBusConnection m_bus;
};

} // namespace velmora::api
