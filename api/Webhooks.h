#pragma once

// [Webhooks]: every event of the store's sequence (a message received, an
// outgoing message's new state) posted to a URL as EventJson, signed with
// HMAC-SHA256 over the exact body (X-Velmora-Signature: sha256=HEX) with
// the secret of SecretFile=. The queue is the store's `webhooks` table,
// filled in the same transaction that moves the webhooks' position in the
// event sequence, so a restart neither loses an event nor queues one twice.
// A delivery is done when the receiver answers 2xx; anything else, no
// answer in kTimeoutMs, or a network error is tried again after 1 min, 2,
// 4 ... at most a day, for as long as it takes. One delivery at a time, in
// order (MessageStore::NextWebhook says how a failing one stops holding
// back the rest). On a store shared by several programs with the same
// Url=, every one queues but only one posts (MessageStore::LeadsWebhooks);
// another takes over within kFollowPauseMs of its stop. A receiver sees
// a delivery more than once only when the program stopped between its
// answer and recording it: X-Velmora-Delivery names the row, the same each
// time. The message itself never waits for any of it.

#include "DaemonConfig.h"
#include "MessageStore.h"
#include "Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkReply;

namespace velmora {
class MessageApi;
}

namespace velmora::api {

class Webhooks : public QObject {
    Q_OBJECT
public:
    static constexpr int kTimeoutMs = 10000;
    static constexpr qint64 kFirstPauseMs = 60 * 1000;
    static constexpr qint64 kLongestPauseMs = 24 * 3600 * 1000;
    // How often a program that another one leads on a shared store asks
    // again whether it may lead: how long posting stops when the leader's
    // box dies.
    static constexpr qint64 kFollowPauseMs = 5 * 1000;
    static constexpr int kKeepDays = 7; // delivered rows are deleted after
    // A delivery still refused after this many attempts (about a week of
    // pauses) is given up, said in the log: a receiver gone for good, or a
    // Url= changed since, does not grow the queue for ever.
    static constexpr int kGiveUpAttempts = 18;
    static constexpr int kMostSecret = 4096; // bytes of SecretFile=
    static constexpr int kLeastSecret = 16;
    static constexpr int kEventsAtOnce = 200;

    // The api and the store (the centre's, on this thread) must outlive it.
    Webhooks(MessageApi& api, MessageStore& store, const WebhookConfig& config, QObject* parent = nullptr);
    ~Webhooks() override;

    // Checks the URL, reads the secret (refused when group or others may
    // read its file), queues what happened since the last run and starts
    // delivering. Why not, when it cannot.
    Result<bool, QString> start();

    // The clock (UTC) the pauses are counted on, and how long a receiver
    // has to answer (tests: a fake clock, a short limit).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    // Looks at the queue now (after the clock moved on).
    void poke();

    // The pause after a delivery failed for the `attempts`-th time.
    static qint64 PauseAfter(int attempts);
    // "sha256=" and the HMAC-SHA256 of `body` with `secret`, in lower-case hex.
    static QByteArray Signature(const QByteArray& secret, const QByteArray& body);
    // The secret in `file`, without the white space round it.
    static Result<QByteArray, QString> ReadSecret(const QString& file);

signals:
    // One attempt ended and is recorded: whether it was delivered.
    void attempted(qint64 id, bool delivered);

private:
    void queueNew();
    void deliverNext();
    void send(const WebhookDelivery& row);
    void answered(const WebhookDelivery& row);
    void sleepUntil(const QDateTime& wake);
    void cleanUp();

    MessageApi& m_api;
    MessageStore& m_store;
    WebhookConfig m_config;
    QUrl m_url;
    QByteArray m_secret;
    qint64 m_position = 0;
    bool m_started = false;
    bool m_storeWarned = false;
    // Whether this program posts to the URL, as last asked (none yet).
    std::optional<bool> m_leading;
    std::function<QDateTime()> m_now;
    int m_timeoutMs = kTimeoutMs;
    QNetworkAccessManager m_net;
    QPointer<QNetworkReply> m_reply;
    bool m_timedOut = false;
    QTimer m_timeout, m_wake, m_cleanUp;
};

} // namespace velmora::api
