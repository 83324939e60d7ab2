#include "BusRunningProgram.h"

#include "BusClient.h"

#include <QJsonArray>

namespace velmora {

namespace {

// The bus's own failure (no answer, not allowed) says what the bus said;
// the program's refusal carries the API's words.
QString Why(const api::BusFailure& failure) { return failure.why; }

} // namespace

std::unique_ptr<RunningProgram> BusRunningProgram::Find() {
    auto client = api::BusClient::Find();
    if (!client)
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

void BusRunningProgram::send(const QStringList& recipients, const QJsonObject& message, bool report,
                             std::function<void(Queued)> done) {
    QVariantMap options;
    if (report)
        options.insert("report", true);
    const auto sent = m_client->send(recipients, message, options);
    done(sent ? Queued::Ok(sent.value()) : Queued::Fail(Why(sent.error())));
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
