#include "BusClient.h"

#include "ApiNames.h"
#include "BusValues.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>

#include <algorithm>
#include <limits>

namespace velmora::api {

namespace {

constexpr const char* kAccessDenied = "org.freedesktop.DBus.Error.AccessDenied";

bool Held(const QDBusConnection& bus) {
    if (!bus.isConnected() || !bus.interface())
        return false;
    const auto reply = bus.interface()->isServiceRegistered(QLatin1String(kBusName));
    return reply.isValid() && reply.value();
}

// What a call that should answer at once may take: a program that hangs
// must not hold a window for D-Bus's own 25 s. VELMORA_CALL_TIMEOUT_MS
// sets another (1 ms to 10 minutes).
int CallTimeoutMs() {
    static const int ms = [] {
        bool ok = false;
        const int given = qEnvironmentVariableIntValue("VELMORA_CALL_TIMEOUT_MS", &ok);
        return ok && given > 0 && given <= 600'000 ? given : 10'000;
    }();
    return ms;
}

// Qt's bus thread hands an error reply to the caller first and then still
// tells the connection's own objects of it. A command that ends at once on
// the error can reach its static teardown in between, and Qt then writes
// warnings of invalid types onto its stderr. A ping to the bus goes through
// that same thread, so its answer comes after that thread is done.
void SettleBusThread(const QDBusConnection& bus) {
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    bus.call(ping, QDBus::Block, 1000);
}

// Calls `method`; the failure as the API named it, or the bus's own words.
Result<QList<QVariant>, BusFailure> Call(const QDBusConnection& bus, const QString& method,
                                         const QList<QVariant>& arguments, int timeoutMs = CallTimeoutMs()) {
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kBusName), QLatin1String(kObjectPath),
                                                       QLatin1String(kMessagesInterface), method);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        SettleBusThread(bus);
        const QString name = reply.errorName();
        const QString prefix = QLatin1String(kErrorPrefix);
        if (name == QLatin1String(kAccessDenied))
            return Result<QList<QVariant>, BusFailure>::Fail(
                {QString(),
                 QCoreApplication::translate("BusClient",
                                             "this user may not call the running Velmora program (on "
                                             "the system bus only the group velmora may)"),
                 name});
        if (name.startsWith(prefix))
            return Result<QList<QVariant>, BusFailure>::Fail(
                {name.mid(prefix.size()), reply.errorMessage(), QString()});
        return Result<QList<QVariant>, BusFailure>::Fail({QString(), reply.errorMessage(), name});
    }
    if (reply.type() != QDBusMessage::ReplyMessage)
        return Result<QList<QVariant>, BusFailure>::Fail(
            {QString(), bus.lastError().message(), bus.lastError().name()});
    return Result<QList<QVariant>, BusFailure>::Ok(reply.arguments());
}

Result<std::vector<qint64>, BusFailure> Ids(const Result<QList<QVariant>, BusFailure>& reply) {
    if (!reply)
        return Result<std::vector<qint64>, BusFailure>::Fail(reply.error());
    std::vector<qint64> ids;
    if (!reply.value().isEmpty())
        for (const QVariant& id : FromBus(reply.value().front()).toList())
            ids.push_back(id.toLongLong());
    return Result<std::vector<qint64>, BusFailure>::Ok(std::move(ids));
}

Result<QJsonObject, BusFailure> Object(const Result<QList<QVariant>, BusFailure>& reply) {
    if (!reply)
        return Result<QJsonObject, BusFailure>::Fail(reply.error());
    if (reply.value().isEmpty())
        return Result<QJsonObject, BusFailure>::Ok({});
    return Result<QJsonObject, BusFailure>::Ok(JsonFromBus(FromBus(reply.value().front()).toMap()));
}

Result<QJsonArray, BusFailure> Objects(const Result<QList<QVariant>, BusFailure>& reply) {
    if (!reply)
        return Result<QJsonArray, BusFailure>::Fail(reply.error());
    QJsonArray all;
    if (!reply.value().isEmpty())
        for (const QVariant& item : FromBus(reply.value().front()).toList())
            all.append(JsonFromBus(item.toMap()));
    return Result<QJsonArray, BusFailure>::Ok(std::move(all));
}

} // namespace

bool BusFailure::denied() const { return code.isEmpty() && busError == QLatin1String(kAccessDenied); }

bool BusFailure::mayHaveArrived() const {
    if (!code.isEmpty())
        return false;
    // The bus answers these itself, before the call reaches any program,
    // or the program turned the call away unread.
    static const char* const kNeverLeft[] = {kAccessDenied,
                                             "org.freedesktop.DBus.Error.ServiceUnknown",
                                             "org.freedesktop.DBus.Error.NameHasNoOwner",
                                             "org.freedesktop.DBus.Error.UnknownMethod",
                                             "org.freedesktop.DBus.Error.UnknownObject",
                                             "org.freedesktop.DBus.Error.UnknownInterface",
                                             "org.freedesktop.DBus.Error.InvalidArgs"};
    for (const char* name : kNeverLeft)
        if (busError == QLatin1String(name))
            return false;
    return true;
}

std::unique_ptr<BusClient> BusClient::Find(QObject* parent) {
    for (const auto type : {QDBusConnection::SessionBus, QDBusConnection::SystemBus}) {
        const QDBusConnection bus = type == QDBusConnection::SessionBus ? QDBusConnection::sessionBus()
                                                                        : QDBusConnection::systemBus();
        if (Held(bus))
            return std::make_unique<BusClient>(bus, type, parent);
    }
    return nullptr;
}

BusClient::BusClient(QDBusConnection bus, QDBusConnection::BusType type, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_type(type) {
    RegisterBusTypes();
}

BusClient::~BusClient() = default;

bool BusClient::answers() const { return Held(m_bus); }

bool BusClient::listen() {
    if (m_listening)
        return true;
    m_listening = true;
    {
        auto* watcher = new QDBusServiceWatcher(QLatin1String(kBusName), m_bus,
                                                QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
                [this](const QString&, const QString&, const QString& owner) {
                    emit ownerChanged(!owner.isEmpty());
                });
    }
    const QString service = QLatin1String(kBusName), path = QLatin1String(kObjectPath),
                  interface = QLatin1String(kMessagesInterface);
    return m_bus.connect(service, path, interface, QStringLiteral("StateChanged"), this,
                         SLOT(onStateChanged(qulonglong, QString, QString, uint))) &&
           m_bus.connect(service, path, interface, QStringLiteral("Received"), this,
                         SLOT(onReceived(qulonglong, QString, QString, QString)));
}

void BusClient::onStateChanged(qulonglong id, const QString& state, const QString& reason, uint part) {
    emit stateChanged(static_cast<qint64>(id), state, reason, part);
}

void BusClient::onReceived(qulonglong id, const QString& modem, const QString& number, const QString& text) {
    emit received(static_cast<qint64>(id), modem, number, text);
}

Result<std::vector<qint64>, BusFailure>
BusClient::send(const QStringList& recipients, const QJsonObject& message, const QVariantMap& options) {
    return Ids(Call(m_bus, QStringLiteral("Send"), {recipients, ToBus(message), options}));
}

Result<std::vector<qint64>, BusFailure> BusClient::sendText(const QStringList& recipients,
                                                            const QString& text, const QVariantMap& options) {
    return Ids(Call(m_bus, QStringLiteral("SendText"), {recipients, text, options}));
}

Result<bool, BusFailure> BusClient::cancel(qint64 id) {
    const auto reply =
        Call(m_bus, QStringLiteral("Cancel"), {QVariant::fromValue(static_cast<qulonglong>(id))});
    if (!reply)
        return Result<bool, BusFailure>::Fail(reply.error());
    return Result<bool, BusFailure>::Ok(true);
}

Result<QJsonObject, BusFailure> BusClient::get(qint64 id) {
    return Object(Call(m_bus, QStringLiteral("Get"), {QVariant::fromValue(static_cast<qulonglong>(id))}));
}

Result<QJsonArray, BusFailure> BusClient::list(const QVariantMap& filter) {
    return Objects(Call(m_bus, QStringLiteral("List"), {filter}));
}

Result<QJsonArray, BusFailure> BusClient::modems() {
    return Objects(Call(m_bus, QStringLiteral("ListModems"), {}));
}

Result<QString, BusFailure> BusClient::storePath() {
    const auto reply = Call(m_bus, QStringLiteral("StorePath"), {});
    if (!reply)
        return Result<QString, BusFailure>::Fail(reply.error());
    return Result<QString, BusFailure>::Ok(reply.value().isEmpty() ? QString()
                                                                   : reply.value().front().toString());
}

Result<QJsonArray, BusFailure> BusClient::ussd(const QString& modem, const QStringList& texts,
                                               uint waitSeconds) {
    // Each step may take the whole wait, and the link may finish a send first.
    const int timeoutMs = static_cast<int>(
        std::min<qint64>(std::numeric_limits<int>::max(),
                         (qint64{waitSeconds} * std::max<qsizetype>(1, texts.size()) + 120) * 1000));
    return Objects(
        Call(m_bus, QStringLiteral("Ussd"), {modem, texts, QVariant::fromValue(waitSeconds)}, timeoutMs));
}

Result<QJsonObject, BusFailure> BusClient::readPhone(const QString& modem) {
    // A full SIM and phone take a while to read, behind a send on its way.
    return Object(Call(m_bus, QStringLiteral("ReadPhone"), {modem}, 300'000));
}

Result<QJsonObject, BusFailure> BusClient::identity() {
    return Object(Call(m_bus, QStringLiteral("Identity"), {}));
}

Result<QJsonObject, BusFailure> BusClient::queueStep(const QString& method, qint64 id) {
    return Object(Call(m_bus, method, {QVariant::fromValue(static_cast<qulonglong>(id))}));
}

} // namespace velmora::api
