#include "BusService.h"

#include "ApiNames.h"
#include "BusValues.h"
#include "MessageCentre.h"
#include "MessageService.h"
#include "Outbox.h"
#include "PhoneLink.h"
#include "StoreLocation.h"
#include "Transports.h"
#include "UssdDialogue.h"
#include "UssdRecord.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonDocument>
#include <QPointer>
#include <QTimeZone>

#include <limits>
#include <memory>
#include <optional>

namespace velmora::api {

namespace {

// A D-Bus integer of any width, or nothing.
std::optional<qint64> Whole(const QVariant& v) {
    switch (v.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return v.toLongLong();
    case QMetaType::ULongLong:
        if (v.toULongLong() > static_cast<qulonglong>(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return v.toLongLong();
    default:
        return std::nullopt;
    }
}

// "at" and "expire": ISO 8601 with a zone or UTC's Z, or milliseconds since 1970.
std::optional<QDateTime> When(const QVariant& v) {
    if (const auto ms = Whole(v))
        return QDateTime::fromMSecsSinceEpoch(*ms, Qt::UTC);
    if (v.userType() != QMetaType::QString)
        return std::nullopt;
    const QString text = v.toString();
    if (text.size() > 64)
        return std::nullopt;
    const QDateTime t = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!t.isValid())
        return std::nullopt;
    return t.toUTC();
}

QString WrongOption(const QString& key) {
    return QCoreApplication::translate("BusService", "the option \"%1\" is unknown or of the wrong type")
        .arg(key);
}

// Options the caller gave, read strictly: a key this program does not
// know is refused rather than quietly ignored.
Result<SubmitOptions, QString> ReadOptions(const QVariantMap& given) {
    SubmitOptions options;
    for (auto it = given.begin(); it != given.end(); ++it) {
        const QVariant v = FromBus(it.value());
        const QString& key = it.key();
        if (key == QLatin1String("modem") && v.userType() == QMetaType::QString) {
            options.modem = v.toString();
        } else if (key == QLatin1String("report") && v.userType() == QMetaType::Bool) {
            options.report = v.toBool();
        } else if (key == QLatin1String("key") && v.userType() == QMetaType::QString) {
            options.key = v.toString();
        } else if (key == QLatin1String("at") || key == QLatin1String("expire")) {
            const auto when = When(v);
            if (!when)
                return Result<SubmitOptions, QString>::Fail(
                    QCoreApplication::translate(
                        "BusService", "\"%1\" must be a time in ISO 8601 or milliseconds since 1970")
                        .arg(key));
            (key == QLatin1String("at") ? options.at : options.expire) = *when;
        } else {
            return Result<SubmitOptions, QString>::Fail(WrongOption(key));
        }
    }
    return Result<SubmitOptions, QString>::Ok(std::move(options));
}

// A USSD session through the bus: at most a code and 9 replies, and all
// the answers waited for at most 10 minutes together.
constexpr int kUssdTexts = 10;
constexpr qint64 kUssdHoldSeconds = 600;

// What one List answers at most (and fewer when their size passes
// MessageApi::kMaxAnswerBytes); offset pages on.
constexpr int kMaxListed = 1000;

Result<HistoryQuery, QString> ReadFilter(const QVariantMap& given) {
    HistoryQuery query;
    query.limit = kMaxListed;
    for (auto it = given.begin(); it != given.end(); ++it) {
        const QVariant v = FromBus(it.value());
        const QString& key = it.key();
        const bool text = v.userType() == QMetaType::QString;
        if (key == QLatin1String("number") && text) {
            query.number = v.toString();
        } else if (key == QLatin1String("search") && text) {
            query.search = v.toString();
        } else if (key == QLatin1String("state") && text) {
            query.state = msg::StateFromName(v.toString().toStdString());
            if (!query.state)
                return Result<HistoryQuery, QString>::Fail(
                    QCoreApplication::translate("BusService", "no such state \"%1\"").arg(v.toString()));
        } else if (key == QLatin1String("direction") && text) {
            if (v.toString() == QLatin1String("in"))
                query.direction = msg::Direction::In;
            else if (v.toString() == QLatin1String("out"))
                query.direction = msg::Direction::Out;
            else
                return Result<HistoryQuery, QString>::Fail(
                    QCoreApplication::translate("BusService", "\"direction\" is \"in\" or \"out\""));
        } else if (key == QLatin1String("batch") && Whole(v) && *Whole(v) > 0) {
            query.batch = *Whole(v);
        } else if (key == QLatin1String("limit") && Whole(v) && *Whole(v) >= 1 && *Whole(v) <= kMaxListed) {
            query.limit = static_cast<int>(*Whole(v));
        } else if (key == QLatin1String("offset") && Whole(v) && *Whole(v) >= 0 &&
                   *Whole(v) <= std::numeric_limits<int>::max()) {
            query.offset = static_cast<int>(*Whole(v));
        } else {
            return Result<HistoryQuery, QString>::Fail(WrongOption(key));
        }
    }
    return Result<HistoryQuery, QString>::Ok(std::move(query));
}

// A reply the bus waits for (Ussd, ReadPhone), answered once: with what
// the work found, or with an error when the work never runs or its answer
// never comes back (the modem's link went away: a reload removed the modem,
// the program is ending, the work stopped half way). The closures that
// carry it share it; the last one dropped unanswered sends the error, from
// whichever thread drops it (a bus connection sends from any).
class PendingReply {
public:
    PendingReply(QDBusMessage request, QDBusConnection bus, QString modem)
        : m_request(std::move(request)), m_bus(std::move(bus)), m_modem(std::move(modem)) {}
    PendingReply(const PendingReply&) = delete;
    PendingReply& operator=(const PendingReply&) = delete;
    ~PendingReply() {
        if (!m_answered)
            m_bus.send(m_request.createErrorReply(
                QLatin1String(kErrorPrefix) + ApiErrorName(ApiError::Conflict),
                QCoreApplication::translate("BusService",
                                            "the modem %1 went away before it answered (removed from "
                                            "the settings, or the program is ending)")
                    .arg(m_modem)));
    }
    void answer(const QVariant& value) {
        m_answered = true;
        m_bus.send(m_request.createReply(value));
    }

private:
    QDBusMessage m_request;
    QDBusConnection m_bus;
    QString m_modem;
    bool m_answered = false;
};

} // namespace

BusService::BusService(MessageApi& api, MessageCentre& centre, QObject* parent)
    : QObject(parent), m_api(api), m_centre(centre), m_bus(QString()) {
    RegisterBusTypes();
    connect(&m_api, &MessageApi::stateChanged, this,
            [this](qint64 id, const QString& state, const QString& reason, uint part) {
                emit StateChanged(static_cast<qulonglong>(id), state, reason, part);
            });
    connect(&m_api, &MessageApi::received, this,
            [this](qint64 id, const QString& modem, const QString& number, const QString& text) {
                emit Received(static_cast<qulonglong>(id), modem, number, text);
            });
}

BusService::~BusService() {
    if (m_bus.isConnected()) {
        m_bus.unregisterService(QLatin1String(kBusName));
        m_bus.unregisterObject(QLatin1String(kObjectPath));
    }
}

bool BusService::NameTaken(const QDBusConnection& bus) {
    if (!bus.isConnected() || !bus.interface())
        return false;
    const auto reply = bus.interface()->isServiceRegistered(QLatin1String(kBusName));
    return reply.isValid() && reply.value();
}

QString BusService::BusWord(QDBusConnection::BusType bus) {
    return bus == QDBusConnection::SystemBus ? QCoreApplication::translate("BusService", "system")
                                             : QCoreApplication::translate("BusService", "session");
}

Result<bool, QString> BusService::attach(QDBusConnection bus) {
    if (!bus.isConnected())
        return Result<bool, QString>::Fail(bus.lastError().message());
    if (!bus.registerObject(QLatin1String(kObjectPath), QLatin1String(kMessagesInterface), this,
                            QDBusConnection::ExportScriptableSlots |
                                QDBusConnection::ExportScriptableSignals))
        return Result<bool, QString>::Fail(
            QCoreApplication::translate("BusService", "the object %1 is registered already")
                .arg(kObjectPath));
    const auto claimed =
        bus.interface()->registerService(QLatin1String(kBusName), QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!claimed.isValid() || claimed.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus.unregisterObject(QLatin1String(kObjectPath));
        QString why;
        if (!claimed.isValid()) {
            why = claimed.error().message();
        } else {
            const auto pid = bus.interface()->servicePid(QLatin1String(kBusName));
            why = pid.isValid() ? QCoreApplication::translate("BusService",
                                                              "%1 is taken by another program (process %2)")
                                      .arg(kBusName)
                                      .arg(pid.value())
                                : QCoreApplication::translate("BusService", "%1 is taken by another program")
                                      .arg(kBusName);
        }
        return Result<bool, QString>::Fail(why);
    }
    m_bus = bus;
    return Result<bool, QString>::Ok(true);
}

void BusService::refuse(ApiError::Code code, const QString& why) {
    if (calledFromDBus())
        sendErrorReply(QLatin1String(kErrorPrefix) + ApiErrorName(code), why);
}

QList<qulonglong> BusService::answer(const Result<Submitted, ApiError>& submitted) {
    QList<qulonglong> ids;
    if (!submitted) {
        refuse(submitted.error().code, submitted.error().why);
        return ids;
    }
    for (const qint64 id : submitted.value().ids)
        ids.append(static_cast<qulonglong>(id));
    return ids;
}

QList<qulonglong> BusService::Send(const QStringList& recipients, const QVariantMap& message,
                                   const QVariantMap& options) {
    const auto read = ReadOptions(options);
    if (!read) {
        refuse(ApiError::BadRequest, read.error());
        return {};
    }
    return answer(m_api.submit(recipients, JsonFromBus(message), read.value()));
}

QList<qulonglong> BusService::SendText(const QStringList& recipients, const QString& text,
                                       const QVariantMap& options) {
    const auto read = ReadOptions(options);
    if (!read) {
        refuse(ApiError::BadRequest, read.error());
        return {};
    }
    return answer(m_api.submitText(recipients, text, read.value()));
}

void BusService::Cancel(qulonglong id) {
    const auto done = m_api.cancel(static_cast<qint64>(id));
    if (!done)
        refuse(done.error().code, done.error().why);
}

QVariantMap BusService::Get(qulonglong id) {
    const auto found = m_api.get(static_cast<qint64>(id));
    if (!found) {
        refuse(found.error().code, found.error().why);
        return {};
    }
    return ToBus(MessageJson(found.value()));
}

QList<QVariantMap> BusService::List(const QVariantMap& filter) {
    const auto query = ReadFilter(filter);
    if (!query) {
        refuse(ApiError::BadRequest, query.error());
        return {};
    }
    const auto found = m_api.list(query.value());
    if (!found) {
        refuse(found.error().code, found.error().why);
        return {};
    }
    // Within what a bus carries whatever the messages hold (long ones
    // with every part's PDU): fewer than asked when the answer would pass
    // kMaxAnswerBytes, and the caller pages on by the offset.
    QList<QVariantMap> all;
    qsizetype bytes = 0;
    for (const MessageRecord& m : found.value()) {
        if (bytes > MessageApi::kMaxAnswerBytes)
            break;
        const QJsonObject json = MessageJson(m);
        bytes += QJsonDocument(json).toJson(QJsonDocument::Compact).size();
        all.append(ToBus(json));
    }
    return all;
}

QList<QVariantMap> BusService::ListModems() {
    const auto found = m_api.modems();
    if (!found) {
        refuse(found.error().code, found.error().why);
        return {};
    }
    QList<QVariantMap> all;
    for (const ModemRecord& m : found.value())
        all.append(ToBus(ModemJson(m)));
    return all;
}

QString BusService::StorePath() {
    if (!m_centre.store())
        return {};
    // A server's URL is said as given; a file by its whole path.
    const QString path = m_centre.store()->path();
    return IsStoreUrl(path) ? path : QFileInfo(path).absoluteFilePath();
}

QVariantMap BusService::Identity() {
    QStringList modems;
    for (const ModemChannel* channel : m_centre.channels())
        modems << channel->name();
    return {{QStringLiteral("program"), QCoreApplication::applicationName()},
            {QStringLiteral("version"), QStringLiteral(VELMORA_VERSION)},
            {QStringLiteral("modems"), modems}};
}

namespace {
enum Verb { Pause, Resume, CancelIt, Retry, Drop };
}

QVariantMap BusService::batchStep(qulonglong id, int verb) {
    MessageStore* store = m_centre.store();
    if (!store) {
        refuse(ApiError::NoStore, m_centre.noStoreReason().text());
        return {};
    }
    const auto number = static_cast<qint64>(id);
    const bool batch = verb != Retry && verb != Drop;
    if (batch ? !store->Batch(number) : !store->Message(number)) {
        refuse(ApiError::NotFound,
               batch ? QCoreApplication::translate("BusService", "there is no batch B%1").arg(number)
                     : QCoreApplication::translate("BusService", "there is no message %1").arg(number));
        return {};
    }
    // The outbox's rules, as "velmora-cli queue" applies them to a store
    // with no phone; the centre's own outboxes are then told to look.
    NoPhoneTransport none;
    MessageService service(store, none);
    Outbox outbox(service);
    const Result<bool> done = verb == Pause    ? outbox.pause(number)
                              : verb == Resume ? outbox.resume(number)
                              : verb == Retry  ? outbox.retryMessage(number)
                              : verb == Drop   ? outbox.cancelMessage(number)
                                               : outbox.cancel(number);
    if (!done) {
        refuse(ApiError::Store, QString::fromStdString(done.error()));
        return {};
    }
    m_centre.poke();
    // What the step changed is told now, not at the next look at the store.
    m_api.pump();
    if (!batch) {
        const auto m = store->Message(number);
        if (!done.value()) {
            refuse(ApiError::Conflict,
                   (verb == Retry
                        ? QCoreApplication::translate("BusService", "message %1 is %2: nothing to resume")
                        : QCoreApplication::translate("BusService", "message %1 is %2: nothing to cancel"))
                       .arg(number)
                       .arg(m ? QLatin1String(msg::StateName(m->state)) : QString()));
            return {};
        }
        return m ? ToBus(MessageJson(*m)) : QVariantMap{};
    }
    const auto b = store->Batch(number);
    return b ? ToBus(BatchJson(*b)) : QVariantMap{};
}

QVariantMap BusService::PauseBatch(qulonglong batch) { return batchStep(batch, Pause); }
QVariantMap BusService::ResumeBatch(qulonglong batch) { return batchStep(batch, Resume); }
QVariantMap BusService::CancelBatch(qulonglong batch) { return batchStep(batch, CancelIt); }
QVariantMap BusService::RetryMessage(qulonglong id) { return batchStep(id, Retry); }
QVariantMap BusService::CancelMessage(qulonglong id) { return batchStep(id, Drop); }

ModemChannel* BusService::connectedModem(const QString& modem) {
    // The named modem, else the first one up: one with a link of its own.
    ModemChannel* channel = nullptr;
    for (ModemChannel* c : m_centre.channels())
        if (c->link() && (modem.isEmpty() ? c->link()->isUp() : c->name() == modem)) {
            channel = c;
            break;
        }
    if (!channel || !channel->link()->isUp()) {
        refuse(ApiError::Conflict,
               modem.isEmpty()
                   ? QCoreApplication::translate("BusService", "no modem is connected")
                   : QCoreApplication::translate("BusService", "the modem %1 is not connected").arg(modem));
        return nullptr;
    }
    return channel;
}

QVariantMap BusService::ReadPhone(const QString& modem) {
    ModemChannel* channel = connectedModem(modem);
    if (!channel)
        return {};
    setDelayedReply(true);
    const auto reply = std::make_shared<PendingReply>(message(), connection(), channel->name());
    MessageService* service = &channel->service();
    QPointer<ModemChannel> alive(channel);
    channel->link()->withSession(
        PhoneLink::State::ReadingInbox,
        [reply, service, alive](PhoneSession& session) mutable -> std::function<void()> {
            const std::vector<StoredMessage> stored = session.ReadStoredMessages();
            const std::vector<std::string> problems = session.StoreProblems();
            return [stored, problems, reply, service, alive]() mutable {
                // Kept (and logged) as the program's own reads are.
                if (alive)
                    service->storedRead(QList<StoredMessage>(stored.begin(), stored.end()));
                QVariantList messages;
                for (const StoredMessage& m : stored)
                    messages.append(
                        QVariantMap{{QStringLiteral("storage"), QString::fromStdString(m.storage)},
                                    {QStringLiteral("index"), m.index},
                                    {QStringLiteral("status"), m.status},
                                    {QStringLiteral("pdu"), QString::fromStdString(m.pdu)}});
                QStringList said;
                for (const std::string& p : problems)
                    said << QString::fromStdString(p);
                reply->answer(QVariant(
                    QVariantMap{{QStringLiteral("messages"), messages}, {QStringLiteral("problems"), said}}));
            };
        });
    return {};
}

QList<QVariantMap> BusService::Ussd(const QString& modem, const QStringList& texts, uint waitSeconds) {
    // One call holds its modem (and every send waiting for it) for at most
    // kUssdHoldSeconds; a network ends a session long before that.
    if (texts.isEmpty() || texts.size() > kUssdTexts || waitSeconds < 1 ||
        qint64{waitSeconds} * texts.size() > kUssdHoldSeconds) {
        refuse(ApiError::BadRequest,
               QCoreApplication::translate("BusService",
                                           "a USSD session is a code and at most %1 replies, each answer "
                                           "waited for at least 1 s and all of them at most %2 s")
                   .arg(kUssdTexts - 1)
                   .arg(kUssdHoldSeconds));
        return {};
    }
    for (const QString& text : texts)
        if (text.isEmpty() || text.size() > 182) {
            refuse(ApiError::BadRequest,
                   QCoreApplication::translate("BusService", "a USSD code or reply is 1 to 182 characters"));
            return {};
        }
    ModemChannel* channel = connectedModem(modem);
    if (!channel)
        return {};
    // The answer goes once the network has had its say; the bus waits.
    setDelayedReply(true);
    const auto reply = std::make_shared<PendingReply>(message(), connection(), channel->name());
    const UssdWire wire =
        UssdWireFromName(channel->config().ussdEncoding.toStdString()).value_or(UssdWire::Unknown);
    std::vector<std::string> asked;
    for (const QString& text : texts)
        asked.push_back(text.toStdString());
    MessageService* service = &channel->service();
    QPointer<ModemChannel> alive(channel);
    channel->link()->withSession(
        PhoneLink::State::Ussd,
        [asked, wire, waitMs = static_cast<int>(waitSeconds) * 1000, reply, service,
         alive](PhoneSession& session) mutable -> std::function<void()> {
            UssdDialogue dialogue(session, wire, waitMs);
            std::vector<UssdAnswer> answers;
            for (const std::string& text : asked) {
                answers.push_back(dialogue.Send(text));
                if (answers.back().kind != UssdAnswer::Kind::Asks)
                    break;
            }
            // Nothing more to say, or no answer came: the network is told.
            dialogue.End();
            return [answers, asked, reply, service, alive]() mutable {
                QList<QVariantMap> steps;
                // Kept in the history as a session of the program's own.
                const int kept = alive ? service->beginUssd(QString::fromStdString(asked.front())) : 0;
                for (std::size_t i = 0; i < answers.size(); ++i) {
                    const UssdAnswer& a = answers[i];
                    steps.append({{QStringLiteral("sent"), QString::fromStdString(asked[i])},
                                  {QStringLiteral("kind"), UssdKindName(a.kind)},
                                  {QStringLiteral("text"), QString::fromStdString(a.text)},
                                  {QStringLiteral("detail"), QString::fromStdString(a.detail)}});
                    if (alive && kept) {
                        service->ussdLine(kept, QStringLiteral("> ") + QString::fromStdString(asked[i]));
                        if (!a.text.empty())
                            service->ussdLine(kept, QString::fromStdString(a.text));
                    }
                }
                if (alive && kept)
                    service->endUssd(kept, UssdEndingOf(answers.back(), false));
                reply->answer(QVariant::fromValue(steps));
            };
        });
    return {};
}

} // namespace velmora::api
