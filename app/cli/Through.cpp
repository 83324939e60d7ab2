#include "Through.h"

#include "BusService.h"
#include "Clock.h"
#include "LinkEvents.h"
#include "MessageTypes.h"
#include "QtText.h"
#include "Said.h"
#include "StatusReport.h"
#include "TerminalText.h"
#include "Translations.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QTimer>

#include <ostream>
#include <vector>

namespace velmora::cli {

namespace {

// How long a message waits in the running program's queue for a modem to
// take it before the send gives up and takes it back: the command line
// sends now or says it could not.
constexpr qint64 kStartWaitMs = 60'000;
// A message on its way ends well within this (each part's deadlines).
constexpr qint64 kEndWaitMs = 600'000;

std::optional<SubmitOutcome> OutcomeNamed(const QString& name) {
    static const std::pair<const char*, SubmitOutcome> kNames[] = {
        {"sent", SubmitOutcome::Sent},          {"failed", SubmitOutcome::Failed},
        {"unknown", SubmitOutcome::Unknown},    {"no-pdu-mode", SubmitOutcome::NoPduMode},
        {"no-prompt", SubmitOutcome::NoPrompt}, {"link-lost", SubmitOutcome::LinkLost}};
    for (const auto& [word, outcome] : kNames)
        if (name == QLatin1String(word))
            return outcome;
    return std::nullopt;
}

bool Final(const QString& state) {
    const auto s = msg::StateFromName(state.toStdString());
    return s && *s != msg::State::Queued && *s != msg::State::Sending;
}

struct Event {
    qint64 id;
    QString state, reason;
    uint part;
};

// Waits in the event loop for a little while, or until `wake` is set off;
// an interrupt (the clock cancelled) ends the wait with SessionCancelled.
class Waiter {
public:
    explicit Waiter(Clock* clock) : m_clock(clock) {}
    void wake() { m_loop.quit(); }
    void wait(int ms) {
        QTimer::singleShot(ms, &m_loop, &QEventLoop::quit);
        m_loop.exec();
        if (m_clock)
            m_clock->Sleep(0);
    }

private:
    Clock* m_clock;
    QEventLoop m_loop;
};

} // namespace

std::unique_ptr<api::BusClient> RunningProgram(bool direct, const std::optional<std::string>& store) {
    if (direct)
        return nullptr;
    auto client = api::BusClient::Find();
    if (!client || !store)
        return client;
    // A store named on the command line that is not the program's: the
    // command works on that one, alone.
    const auto path = client->storePath();
    if (!path || QFileInfo(path.value()).canonicalFilePath() != QFileInfo(Q(*store)).canonicalFilePath())
        return nullptr;
    return client;
}

std::string DirectOptionUsage() {
    return translate("cli",
                     "  --direct              open the port even when a running Velmora program (velmorad,\n"
                     "                        the window) holds it; else the command goes through that\n"
                     "                        program over D-Bus and says so on stderr\n");
}

std::string RunningStoreUsage() {
    return translate("cli",
                     "With a Velmora program running (velmorad, the window), the command works on its\n"
                     "store and its queue, through it, unless --store names another or --direct is\n"
                     "given; its store is read where this user may read it.\n");
}

std::unique_ptr<api::BusClient> RunningProgram(const PhoneTarget& target) {
    auto client = RunningProgram(target.direct, target.store);
    if (!client || !target.devices.anyPort)
        return client;
    const QString wanted = QFileInfo(Q(*target.devices.anyPort)).canonicalFilePath();
    const auto modems = client->modems();
    if (!modems)
        return client; // it answers for the modems: what it says of them is its to say
    for (const QJsonValue& m : modems.value())
        for (const char* key : {"device", "byId"}) {
            const QString path = m.toObject().value(QLatin1String(key)).toString();
            if (!path.isEmpty() && QFileInfo(path).canonicalFilePath() == wanted)
                return client;
        }
    return nullptr;
}

void SayThrough(const api::BusClient& client, Io io) {
    io.err << "velmora-cli: "
           << Fill(translate("cli", "through the running Velmora program (D-Bus, %1 bus)"),
                   {S(api::BusService::BusWord(client.busType()))})
           << '\n';
}

int ReportBusFailure(const api::BusFailure& failure, const std::string& what, Io io) {
    io.err << "velmora-cli: " << Fill(what, {ForOutput(S(failure.why), io.errIsTerminal)}) << '\n';
    return failure.code.isEmpty() ? kExitUnreachable : kExitRefused;
}

int SendThrough(api::BusClient& client, const PduJob& job, const ReportOptions& report, Io io) {
    SayThrough(client, io);
    std::vector<Event> events;
    Waiter waiter(io.clock);
    // Listening first: the program may tell of the message before its id
    // comes back.
    QObject::connect(&client, &api::BusClient::stateChanged,
                     [&](qint64 id, const QString& state, const QString& reason, uint part) {
                         events.push_back({id, state, reason, part});
                         waiter.wake();
                     });
    client.listen();
    QVariantMap options;
    if (report.wanted)
        options.insert(QStringLiteral("report"), true);
    const auto queued = client.send({Q(job.number)}, RequestToJson(job.request), options);
    if (!queued)
        return ReportBusFailure(queued.error(), translate("send", "nothing sent: %1"), io);
    if (queued.value().empty())
        return ReportBusFailure({QString(), QString()}, translate("send", "nothing sent: %1"), io);
    const qint64 id = queued.value().front();

    bool announced = false, all = true, partSeen = false;
    QString finalState;
    std::size_t next = 0;
    const auto started = std::chrono::steady_clock::now();
    const auto elapsedMs = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                     started)
            .count();
    };
    const auto announce = [&] {
        if (!announced)
            io.out << Fill(translate("send", "Message %1"), {std::to_string(id)}) << '\n' << std::flush;
        announced = true;
    };
    try {
        while (finalState.isEmpty()) {
            for (; next < events.size(); ++next) {
                const Event& e = events[next];
                if (e.id != id)
                    continue;
                if (e.part == 0 && e.state == QLatin1String("sending")) {
                    announce();
                } else if (e.part > 0) {
                    announce();
                    const auto outcome = OutcomeNamed(e.reason);
                    // Said as it happens, also to a pipe.
                    io.out << (outcome ? SubmitOutcomeText(*outcome) : S(e.reason)) << '\n' << std::flush;
                    all = all && outcome == SubmitOutcome::Sent;
                    partSeen = true;
                } else if (e.part == 0 && Final(e.state)) {
                    finalState = e.state;
                    break;
                }
            }
            if (!finalState.isEmpty())
                break;
            if (!announced && elapsedMs() > kStartWaitMs) {
                // No modem took it: taken back, nothing sent. One that a
                // modem took meanwhile goes on and is followed.
                if (client.cancel(id)) {
                    io.err << "velmora-cli: "
                           << Fill(translate("send", "nothing sent: no modem of the running program took "
                                                     "message %1 within %2 s"),
                                   {std::to_string(id), std::to_string(kStartWaitMs / 1000)})
                           << '\n';
                    return kExitUnreachable;
                }
            }
            if (elapsedMs() > kEndWaitMs) {
                io.err << "velmora-cli: "
                       << Fill(translate("send", "message %1 did not end in time; \"velmora-cli history\" "
                                                 "tells how it ends"),
                               {std::to_string(id)})
                       << '\n';
                return kExitUnreachable;
            }
            waiter.wait(200);
        }
    } catch (const SessionCancelled&) {
        // Interrupted: a message no modem took yet is taken back; one on
        // its way ends in the running program as it would.
        client.cancel(id);
        throw;
    }
    // A message that ended without a part handed over (no modem, refused
    // before the first): said as the program recorded it.
    if (!partSeen) {
        const auto m = client.get(id);
        const QString reason = m ? m.value().value("reason").toString() : QString();
        io.err << "velmora-cli: "
               << Fill(translate("send", "nothing sent: %1"),
                       {S(finalState) + (reason.isEmpty() ? std::string() : " (" + S(reason) + ")")})
               << '\n';
        return kExitRefused;
    }
    if (!all || !report.wanted)
        return all ? kExitOk : kExitRefused;

    // The delivery reports: each part's, once all came or the wait is over.
    const qint64 reportDeadline = elapsedMs() + qint64{report.waitSeconds} * 1000;
    QJsonArray parts;
    const auto allReported = [&] {
        const auto m = client.get(id);
        if (!m)
            return false;
        parts = m.value().value("parts").toArray();
        for (const QJsonValue& p : parts)
            if (!p.toObject().contains("reportStatus"))
                return false;
        return true;
    };
    try {
        while (!allReported() && elapsedMs() < reportDeadline)
            waiter.wait(static_cast<int>(std::min<qint64>(500, reportDeadline - elapsedMs())));
    } catch (const SessionCancelled&) {
        throw;
    }
    int code = kExitOk;
    for (const QJsonValue& p : parts) {
        const QJsonValue status = p.toObject().value("reportStatus");
        if (status.isUndefined() || status.isNull()) {
            io.out << translate("send", "No delivery report") << '\n';
            code = code == kExitOk ? kExitUnreachable : code;
            continue;
        }
        io.out << LocalizedBytes(StatusText(status.toInt())) << '\n';
        if (!IsDelivered(status.toInt()))
            code = kExitRefused;
    }
    return code;
}

int QueueThrough(api::BusClient& client, const PduJob& job, const ManyOptions& many, Io io) {
    SayThrough(client, io);
    QVariantMap options;
    if (many.modem)
        options.insert(QStringLiteral("modem"), Q(*many.modem));
    if (many.pacing.startAt.isValid())
        options.insert(QStringLiteral("at"), many.pacing.startAt.toUTC().toString(Qt::ISODateWithMs));
    const auto queued = client.send({Q(job.number)}, RequestToJson(job.request), options);
    if (!queued)
        return ReportBusFailure(queued.error(), translate("send", "nothing queued: %1"), io);
    for (const qint64 id : queued.value())
        io.out << id << '\n';
    return kExitOk;
}

std::optional<std::string> StoreOfRunning(const std::optional<std::string>& given, bool direct, Io io) {
    if (given || direct)
        return given;
    const auto client = api::BusClient::Find();
    if (!client)
        return given;
    const auto path = client->storePath();
    // A store this user may not read (the system's, outside its group) is
    // left alone: the command then reads its own, as without the program.
    if (!path || path.value().isEmpty() || !QFileInfo(path.value()).isReadable())
        return given;
    SayThrough(*client, io);
    return S(path.value());
}

} // namespace velmora::cli
