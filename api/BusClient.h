#pragma once

// A running Velmora program, reached over D-Bus: what velmora-cli and the
// window use when another program holds the modems. It is looked for on
// the session bus first (a user's daemon or window), then on the system
// bus (the system's service).

#include "Result.h"

#include <QDBusConnection>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>
#include <vector>

namespace velmora::api {

// Why a call did not do what was asked: `code` is the API's ("Refused",
// "NotFound", ... the part of the error's name after
// org.velmora.Velmora1.Error.), "" when the call itself failed (the
// program went away, no answer, not allowed); `why` is for a person.
struct BusFailure {
    QString code;
    QString why;
    // When the call itself failed: the bus's error name
    // (org.freedesktop.DBus.Error.NoReply ...), "" when it had none.
    QString busError = {};

    // The program refused this caller (the system bus's policy): asking
    // again will not help.
    bool denied() const;
    // The call may have reached the program and been done there, though no
    // answer came back (no reply in time, the program or the bus went
    // meanwhile); false for a refusal and for a call that surely never
    // left (no program held the name).
    bool mayHaveArrived() const;
};

class BusClient : public QObject {
    Q_OBJECT
public:
    // The program holding org.velmora.Velmora1, session bus first; null
    // when none does on either bus (or neither bus can be reached).
    static std::unique_ptr<BusClient> Find(QObject* parent = nullptr);
    BusClient(QDBusConnection bus, QDBusConnection::BusType type, QObject* parent = nullptr);
    ~BusClient() override;

    QDBusConnection::BusType busType() const { return m_type; }
    // Whether a program holds org.velmora.Velmora1 on this bus now (one
    // that restarted holds it again).
    bool answers() const;

    // Starts taking the program's signals; before a send, so that none of
    // its events is missed. False when the bus would not let it. From then
    // on ownerChanged tells when the program goes (false) and when one
    // answers again (true).
    bool listen();

    Result<std::vector<qint64>, BusFailure> send(const QStringList& recipients, const QJsonObject& message,
                                                 const QVariantMap& options = {});
    Result<std::vector<qint64>, BusFailure> sendText(const QStringList& recipients, const QString& text,
                                                     const QVariantMap& options = {});
    Result<bool, BusFailure> cancel(qint64 id);
    Result<QJsonObject, BusFailure> get(qint64 id);
    Result<QJsonArray, BusFailure> list(const QVariantMap& filter = {});
    Result<QJsonArray, BusFailure> modems();
    Result<QString, BusFailure> storePath();
    // {"program", "version", "modems"} of the program that answers.
    Result<QJsonObject, BusFailure> identity();
    // "PauseBatch", "ResumeBatch", "CancelBatch" or "RetryMessage": the
    // batch (or message) as it is afterwards.
    Result<QJsonObject, BusFailure> queueStep(const QString& method, qint64 id);
    // A USSD session there (BusService::Ussd): each step's answer.
    Result<QJsonArray, BusFailure> ussd(const QString& modem, const QStringList& texts, uint waitSeconds);
    // What the phone keeps, read there (BusService::ReadPhone).
    Result<QJsonObject, BusFailure> readPhone(const QString& modem);

signals:
    void stateChanged(qint64 id, const QString& state, const QString& reason, uint part);
    void received(qint64 id, const QString& modem, const QString& number, const QString& text);
    void ownerChanged(bool present);

private slots:
    void onStateChanged(qulonglong id, const QString& state, const QString& reason, uint part);
    void onReceived(qulonglong id, const QString& modem, const QString& number, const QString& text);

private:
    QDBusConnection m_bus;
    QDBusConnection::BusType m_type;
    bool m_listening = false;
};

} // namespace velmora::api
