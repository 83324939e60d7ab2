#include "Webhooks.h"

#include "EventJson.h"
#include "MessageApi.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>

namespace velmora::api {

Webhooks::Webhooks(MessageApi& api, MessageStore& store, const WebhookConfig& config, QObject* parent)
    : QObject(parent), m_api(api), m_store(store), m_config(config),
      m_now([] { return QDateTime::currentDateTimeUtc(); }) {
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        if (m_reply) {
            m_timedOut = true;
            m_reply->abort();
        }
    });
    m_wake.setSingleShot(true);
    connect(&m_wake, &QTimer::timeout, this, &Webhooks::deliverNext);
    connect(&m_cleanUp, &QTimer::timeout, this, &Webhooks::cleanUp);
}

Webhooks::~Webhooks() {
    // What was on its way stays queued: it is posted again at the next start.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        delete m_reply;
    }
    // Another program on the shared store posts from now on, at its next look.
    if (m_started)
        m_store.ReleaseWebhooks(m_config.url);
}

qint64 Webhooks::PauseAfter(int attempts) {
    qint64 pause = kFirstPauseMs;
    for (int i = 1; i < attempts && pause < kLongestPauseMs; ++i)
        pause *= 2;
    return std::min(pause, kLongestPauseMs);
}

QByteArray Webhooks::Signature(const QByteArray& secret, const QByteArray& body) {
    return QByteArrayLiteral("sha256=") +
           QMessageAuthenticationCode::hash(body, secret, QCryptographicHash::Sha256).toHex();
}

Result<QByteArray, QString> Webhooks::ReadSecret(const QString& file) {
    using R = Result<QByteArray, QString>;
    if (file.isEmpty())
        return R::Fail(tr("[Webhooks] SecretFile= is needed with Url="));
    const QFileInfo info(file);
    if (!info.isFile())
        return R::Fail(tr("[Webhooks] SecretFile=: %1 is not a file").arg(file));
    // Anyone who can read it can sign what the receiver takes for ours.
    if (info.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther))
        return R::Fail(tr("[Webhooks] SecretFile=: %1 may be read by others (chmod 600 it)").arg(file));
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return R::Fail(tr("[Webhooks] SecretFile=: %1: %2").arg(file, f.errorString()));
    const QByteArray bytes = f.read(kMostSecret + 1);
    if (bytes.size() > kMostSecret)
        return R::Fail(tr("[Webhooks] SecretFile=: %1 is longer than %2 bytes").arg(file).arg(kMostSecret));
    const QByteArray secret = bytes.trimmed();
    if (secret.isEmpty())
        return R::Fail(tr("[Webhooks] SecretFile=: %1 is empty").arg(file));
    // As the settings' check: a secret short enough to guess signs nothing.
    if (secret.size() < kLeastSecret)
        return R::Fail(
            tr("[Webhooks] SecretFile=: %1 is shorter than %2 characters").arg(file).arg(kLeastSecret));
    return R::Ok(secret);
}

Result<bool, QString> Webhooks::start() {
    using R = Result<bool, QString>;
    m_url = QUrl(m_config.url, QUrl::StrictMode);
    const QString scheme = m_url.scheme().toLower();
    if (!m_url.isValid() || m_url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return R::Fail(tr("[Webhooks] Url=: %1 is not an http or https address").arg(m_config.url));
    auto secret = ReadSecret(m_config.secretFile);
    if (!secret)
        return R::Fail(secret.error());
    m_secret = secret.value();
    auto position = m_store.WebhookPosition();
    if (!position)
        return R::Fail(tr("webhooks: %1").arg(QString::fromStdString(position.error())));
    m_position = position.value();
    m_started = true;
    connect(&m_api, &MessageApi::eventsAdded, this, &Webhooks::queueNew);
    cleanUp();
    m_cleanUp.start(3600 * 1000);
    queueNew();
    return R::Ok(true);
}

void Webhooks::poke() { deliverNext(); }

// Each new event becomes a row, built once: its body is what is posted
// and signed on every attempt, whatever becomes of the message since.
void Webhooks::queueNew() {
    if (!m_started)
        return;
    for (;;) {
        auto events = m_store.EventsAfter(m_position, kEventsAtOnce);
        if (!events) {
            qWarning().noquote() << tr("webhooks: %1").arg(QString::fromStdString(events.error()));
            break;
        }
        if (events->empty())
            break;
        std::vector<WebhookEvent> rows;
        rows.reserve(events->size());
        for (const StoreEvent& e : *events) {
            const bool received = e.kind == ReceivedEvent();
            if (!received && e.kind != StateEvent())
                continue;
            auto message = m_api.get(e.message);
            rows.push_back({e.seq, EventJson(e.kind, e.seq, e.message,
                                             message ? std::optional(message.value()) : std::nullopt, e.state,
                                             e.reason)});
        }
        const qint64 to = events->back().seq;
        auto queued = m_store.QueueWebhooks(m_config.url, m_position, to, rows);
        if (!queued) {
            // Another program moved the position (or the store refused):
            // take it up from where the store says, at the next event.
            qWarning().noquote() << tr("webhooks: %1").arg(QString::fromStdString(queued.error()));
            if (auto position = m_store.WebhookPosition())
                m_position = position.value();
            break;
        }
        m_position = to;
    }
    deliverNext();
}

void Webhooks::deliverNext() {
    if (!m_started || m_reply)
        return;
    const QDateTime now = m_now();
    // Every program on a shared store queues; only the one that leads
    // posts, or the receiver would get each event from each of them.
    const bool leading = m_store.LeadsWebhooks(m_config.url);
    if (leading != m_leading.value_or(true)) {
        if (leading)
            qInfo().noquote() << tr("webhooks: this program posts to %1 from now on").arg(m_config.url);
        else
            qInfo().noquote() << tr("webhooks: another program on the shared store posts to %1; this one "
                                    "takes over when it stops")
                                     .arg(m_config.url);
    }
    m_leading = leading;
    if (!leading) {
        sleepUntil(now.addMSecs(kFollowPauseMs));
        return;
    }
    auto next = m_store.NextWebhook(m_config.url, now);
    if (!next) {
        if (!m_storeWarned)
            qWarning().noquote() << tr("webhooks: %1").arg(QString::fromStdString(next.error()));
        m_storeWarned = true;
        sleepUntil(now.addMSecs(kFirstPauseMs));
        return;
    }
    m_storeWarned = false;
    if (next->due)
        send(*next->due);
    else if (next->wake.isValid())
        sleepUntil(next->wake);
}

void Webhooks::sleepUntil(const QDateTime& wake) {
    // Looked at again at least once a minute: the clock may be set.
    const qint64 ms = std::clamp<qint64>(m_now().msecsTo(wake), 0, kFirstPauseMs);
    m_wake.start(static_cast<int>(ms));
}

void Webhooks::send(const WebhookDelivery& row) {
    m_wake.stop();
    QNetworkRequest request(m_url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    request.setRawHeader("X-Velmora-Signature", Signature(m_secret, row.body));
    request.setRawHeader(
        "X-Velmora-Event",
        QJsonDocument::fromJson(row.body).object().value(QLatin1String("event")).toString().toUtf8());
    request.setRawHeader("X-Velmora-Delivery", QByteArray::number(row.id));
    // A redirect is not a delivery: a POST would come back a GET.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    m_timedOut = false;
    m_reply = m_net.post(request, row.body);
    // Only the status matters; what the receiver says is read and let go.
    connect(m_reply, &QNetworkReply::readyRead, this, [reply = m_reply] {
        if (reply)
            reply->skip(reply->bytesAvailable());
    });
    connect(m_reply, &QNetworkReply::finished, this, [this, row] { answered(row); });
    m_timeout.start(m_timeoutMs);
}

void Webhooks::answered(const WebhookDelivery& row) {
    m_timeout.stop();
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    const QVariant statusValue = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const std::optional<int> status =
        statusValue.isValid() ? std::optional(statusValue.toInt()) : std::nullopt;
    const QDateTime now = m_now();
    const int attempts = row.attempts + 1;
    const bool delivered = !m_timedOut && status && *status >= 200 && *status < 300;
    Result<bool> recorded = Result<bool>::Ok(true);
    if (delivered) {
        recorded = m_store.WebhookDelivered(row.id, *status, now);
        if (attempts > 1)
            qInfo().noquote() << tr("webhook: event %1 delivered at attempt %2").arg(row.seq).arg(attempts);
    } else {
        QString why;
        if (m_timedOut)
            why = tr("no answer within %1 s").arg(m_timeoutMs / 1000.0);
        else if (status)
            why = tr("HTTP status %1").arg(*status);
        else
            why = reply->errorString();
        if (attempts >= kGiveUpAttempts) {
            recorded = m_store.WebhookGivenUp(row.id, status, why, now);
            qWarning().noquote() << tr("webhook: event %1 not delivered after %2 attempts: %3; given up")
                                        .arg(row.seq)
                                        .arg(attempts)
                                        .arg(why);
        } else {
            const qint64 pause = PauseAfter(attempts);
            recorded = m_store.WebhookFailed(row.id, status, why, now.addMSecs(pause));
            qWarning().noquote()
                << tr("webhook: event %1 not delivered (attempt %2): %3; tried again in %4 min")
                       .arg(row.seq)
                       .arg(attempts)
                       .arg(why)
                       .arg(pause / 60000);
        }
    }
    emit attempted(row.id, delivered);
    if (!recorded) {
        // Not recorded: rather than post it again at once, wait.
        qWarning().noquote() << tr("webhooks: %1").arg(QString::fromStdString(recorded.error()));
        sleepUntil(now.addMSecs(kFirstPauseMs));
        return;
    }
    deliverNext();
}

void Webhooks::cleanUp() {
    auto deleted = m_store.DeleteDeliveredWebhooks(m_now().addDays(-kKeepDays));
    if (!deleted)
        qWarning().noquote() << tr("webhooks: %1").arg(QString::fromStdString(deleted.error()));
}

} // namespace velmora::api
