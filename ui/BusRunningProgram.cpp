#include "BusRunningProgram.h"

#include "ApiNames.h"
#include "BusClient.h"
#include "BusValues.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QJsonArray>

namespace velmora {

namespace {

// A send the program does not answer within this long is given up on
// here; the window is never held while it waits.
constexpr int kSendTimeoutMs = 10'000;
// A phone's whole store read through the program: a SIM of a few hundred
// messages takes a minute.
constexpr int kReadTimeoutMs = 180'000;

// The program's refusal carries the API's words; the bus's own failure (no
// answer, not allowed) says what the bus said.
QString Why(const api::BusFailure& failure) { return failure.why; }

// The connection the client found the program on, for the calls not waited for.
QDBusConnection Bus(const api::BusClient& client) {
    return client.busType() == QDBusConnection::SystemBus ? QDBusConnection::systemBus()
                                                          : QDBusConnection::sessionBus();
}

// Whether the program has a modem on `device` (its path or its stable
// by-id name, links followed), as velmora-cli asks before it goes direct.
// A program that does not list its modems is taken to hold it.
bool HoldsDevice(api::BusClient& client, const QString& device) {
    const auto modems = client.modems();
    if (!modems)
        return true;
    const QString wanted = QFileInfo(device).canonicalFilePath();
    for (const QJsonValue& m : modems.value())
        for (const char* key : {"device", "byId"}) {
            const QString path = m.toObject().value(QLatin1String(key)).toString();
            if (!path.isEmpty() && QFileInfo(path).canonicalFilePath() == wanted)
                return true;
        }
    return false;
}

} // namespace

std::unique_ptr<RunningProgram> BusRunningProgram::Find(const QString& device) {
    auto client = api::BusClient::Find();
    if (!client)
        return nullptr;
    if (!device.isEmpty() && !HoldsDevice(*client, device))
        return nullptr;
    // Listening before anything is sent: no event of a send is missed.
    if (!client->listen())
        return nullptr;
    return std::make_unique<BusRunningProgram>(std::move(client));
}

BusRunningProgram::BusRunningProgram(std::unique_ptr<api::BusClient> client)
    : m_client(std::move(client)), m_name(tr("the running Velmora program")) {
    connect(m_client.get(), &api::BusClient::stateChanged, this, &RunningProgram::stateChanged);
    connect(m_client.get(), &api::BusClient::received, this, &RunningProgram::received);
    connect(m_client.get(), &api::BusClient::ownerChanged, this, [this](bool present) {
        if (!present) {
            emit vanished();
            return;
        }
        identify();
        emit returned();
    });
    identify();
}

BusRunningProgram::~BusRunningProgram() = default;

void BusRunningProgram::identify() {
    const auto who = m_client->identity();
    if (!who)
        return;
    if (const QString program = who->value("program").toString(); !program.isEmpty())
        m_name = program;
    m_modems.clear();
    for (const QJsonValue& modem : who->value("modems").toArray())
        m_modems << modem.toString();
}

QStringList BusRunningProgram::modems() { return m_modems; }

QString BusRunningProgram::storePath() {
    const auto path = m_client->storePath();
    return path ? path.value() : QString();
}

// Asked without waiting, so that a program that hangs never holds the
// window; a send it never answered may have been queued all the same, and
// the words say so rather than invite a second one.
void BusRunningProgram::send(const QStringList& recipients, const QJsonObject& message, bool report,
                             std::function<void(Queued)> done) {
    QVariantMap options;
    if (report)
        options.insert("report", true);
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(api::kBusName), QLatin1String(api::kObjectPath),
                                       QLatin1String(api::kMessagesInterface), QStringLiteral("Send"));
    call.setArguments({recipients, api::ToBus(message), options});
    auto* watcher = new QDBusPendingCallWatcher(Bus(*m_client).asyncCall(call, kSendTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, done = std::move(done)](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                const QDBusMessage reply = answered->reply();
                if (reply.type() == QDBusMessage::ErrorMessage) {
                    const bool refused = reply.errorName().startsWith(QLatin1String(api::kErrorPrefix));
                    done(Queued::Fail(refused ? reply.errorMessage()
                                              : tr("%1 did not answer (%2); the message may have been "
                                                   "queued all the same: look in Messages before sending "
                                                   "it again")
                                                    .arg(m_name, reply.errorMessage())));
                    return;
                }
                std::vector<qint64> ids;
                if (!reply.arguments().isEmpty())
                    for (const QVariant& id : api::FromBus(reply.arguments().front()).toList())
                        ids.push_back(id.toLongLong());
                done(Queued::Ok(std::move(ids)));
            });
}

void BusRunningProgram::readPhone(std::function<void(Result<PhoneRead, QString>)> done) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(api::kBusName), QLatin1String(api::kObjectPath),
                                       QLatin1String(api::kMessagesInterface), QStringLiteral("ReadPhone"));
    call.setArguments({QString()});
    auto* watcher = new QDBusPendingCallWatcher(Bus(*m_client).asyncCall(call, kReadTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [done = std::move(done)](QDBusPendingCallWatcher* answered) {
                answered->deleteLater();
                const QDBusMessage reply = answered->reply();
                if (reply.type() == QDBusMessage::ErrorMessage || reply.arguments().isEmpty()) {
                    done(Result<PhoneRead, QString>::Fail(reply.errorMessage()));
                    return;
                }
                const QJsonObject read = api::JsonFromBus(api::FromBus(reply.arguments().front()).toMap());
                PhoneRead out;
                for (const QJsonValue& v : read.value("messages").toArray()) {
                    const QJsonObject m = v.toObject();
                    out.messages.push_back({m.value("storage").toString().toStdString(),
                                            m.value("index").toInt(), m.value("status").toInt(),
                                            m.value("pdu").toString().toStdString()});
                }
                for (const QJsonValue& p : read.value("problems").toArray())
                    out.problems << p.toString();
                done(Result<PhoneRead, QString>::Ok(std::move(out)));
            });
}

Result<bool, QString> BusRunningProgram::queueStep(QueueStep step, qint64 id) {
    const QString method = step == QueueStep::PauseBatch      ? "PauseBatch"
                           : step == QueueStep::ResumeBatch   ? "ResumeBatch"
                           : step == QueueStep::CancelBatch   ? "CancelBatch"
                           : step == QueueStep::CancelMessage ? "CancelMessage"
                                                              : "RetryMessage";
    const auto done = m_client->queueStep(method, id);
    return done ? Result<bool, QString>::Ok(true) : Result<bool, QString>::Fail(Why(done.error()));
}

Result<std::vector<QJsonObject>, QString> BusRunningProgram::list(int limit) {
    const auto listed = m_client->list({{"limit", limit}});
    if (!listed)
        return Result<std::vector<QJsonObject>, QString>::Fail(Why(listed.error()));
    std::vector<QJsonObject> out;
    for (const QJsonValue& m : listed.value())
        out.push_back(m.toObject());
    return Result<std::vector<QJsonObject>, QString>::Ok(std::move(out));
}

} // namespace velmora
