#include "Through.h"

#include "BusService.h"
#include "Clock.h"
#include "LinkEvents.h"
#include "MessageTypes.h"
#include "QtText.h"
#include "Said.h"
#include "StatusReport.h"
#include "StoreLocation.h"
#include "TerminalText.h"
#include "Terms.h"
#include "Translations.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QTimer>
#include <QUuid>

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

namespace {

// The line that says why a command works alone though a program runs.
void SayRefused(const api::BusFailure& failure, Io io) {
    io.err << "velmora-cli: "
           << Fill(translate("cli", "not through the running Velmora program: %1; working alone"),
                   {ForOutput(S(failure.why), io.errIsTerminal)})
           << '\n';
}

} // namespace

std::unique_ptr<api::BusClient> RunningProgram(bool direct, const std::optional<std::string>& store, Io io) {
    if (direct)
        return nullptr;
    auto client = api::BusClient::Find();
    if (!client)
        return client;
    // The system's service answers only its group: any other user works
    // as if it were not there (its own store, a modem it does not hold).
    std::optional<Result<QString, api::BusFailure>> path;
    if (client->busType() == QDBusConnection::SystemBus || store)
        path = client->storePath();
    if (path && !*path && path->error().denied()) {
        SayRefused(path->error(), io);
        return nullptr;
    }
    if (!store)
        return client;
    // A store named on the command line that is not the program's: the
    // command works on that one, alone.
    if (!*path || !SameStore(path->value(), Q(*store)))
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

Running RunningProgram(const PhoneTarget& target, Io io) {
    Running running{RunningProgram(target.direct, target.store, io), QString()};
    if (!running || !target.devices.anyPort)
        return running;
    const QString wanted = QFileInfo(Q(*target.devices.anyPort)).canonicalFilePath();
    const auto modems = running->modems();
    if (!modems)
        return running; // it answers for the modems: what it says of them is its to say
    for (const QJsonValue& m : modems.value())
        for (const char* key : {"device", "byId"}) {
            const QString path = m.toObject().value(QLatin1String(key)).toString();
            if (!path.isEmpty() && QFileInfo(path).canonicalFilePath() == wanted) {
                running.modem = m.toObject().value(QLatin1String("name")).toString();
                return running;
            }
        }
    return {};
}

void FollowRunning(Running& running, PhoneTarget& target, bool write, Io io) {
    if (running && !target.store) {
        const auto path = running->storePath();
        if (path && !path.value().isEmpty() && StoreMayOpen(path.value(), write))
            target.store = S(path.value());
        else
            running = {};
    }
    if (running) {
        SayThrough(*running, io);
        running->listen();
    }
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

namespace {

// How long a send waits for a program that went away during the call to
// answer again (a restart) before it asks the second time.
constexpr int kBackWaitMs = 10'000;

// A send with a key of this command's own: a call that got no answer (no
// reply in time, the program restarted meanwhile) is asked once more with
// the same key, which the program answers with the ids of the first if it
// had queued it, queueing nothing twice. `uncertain` is set when no answer
// came at all though a call may have arrived.
Result<std::vector<qint64>, api::BusFailure> SendKeyed(api::BusClient& client, const PduJob& job,
                                                       QVariantMap options, bool& uncertain, Io io) {
    options.insert(QStringLiteral("key"),
                   QStringLiteral("velmora-cli:") + QUuid::createUuid().toString(QUuid::WithoutBraces));
    const QStringList to{Q(job.number)};
    const QJsonObject message = RequestToJson(job.request);
    auto sent = client.send(to, message, options);
    if (sent || !sent.error().code.isEmpty() || sent.error().denied())
        return sent;
    bool arrived = sent.error().mayHaveArrived();
    Waiter waiter(io.clock);
    for (int waited = 0; !client.answers() && waited < kBackWaitMs; waited += 100)
        waiter.wait(100);
    sent = client.send(to, message, options);
    if (!sent && sent.error().code.isEmpty())
        arrived = arrived || sent.error().mayHaveArrived();
    uncertain = !sent && sent.error().code.isEmpty() && arrived;
    return sent;
}

int SayUncertain(Io io) {
    io.err << "velmora-cli: "
           << translate("send", "the running program did not answer: the message may have been queued; "
                                "see \"velmora-cli history\" before sending it again")
           << '\n';
    return kExitUncertain;
}

} // namespace

int SendThrough(const Running& running, const PduJob& job, const ReportOptions& report, Io io) {
    api::BusClient& client = *running;
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
    if (!running.modem.isEmpty())
        options.insert(QStringLiteral("modem"), running.modem);
    bool uncertain = false;
    const auto queued = SendKeyed(client, job, options, uncertain, io);
    if (uncertain)
        return SayUncertain(io);
    if (!queued)
        return ReportBusFailure(queued.error(), translate("send", "nothing sent: %1"), io);
    if (queued.value().empty())
        return ReportBusFailure({QString(), QString(), QString()}, translate("send", "nothing sent: %1"), io);
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
        // In the user's words, as history says them.
        const auto state = msg::StateFromName(finalState.toStdString());
        const auto why = msg::ReasonFromName(reason.toStdString());
        const std::string said = state ? S(terms::StateWord(*state)) : S(finalState);
        const std::string because = why && *why != msg::Reason::None ? S(terms::ReasonWord(*why)) : S(reason);
        io.err << "velmora-cli: "
               << Fill(translate("send", "nothing sent: %1"),
                       {said + (because.empty() ? std::string() : " (" + because + ")")})
               << '\n';
        // No phone to hand it to is what a send alone says with 3.
        return reason == QLatin1String("not-connected") || reason == QLatin1String("link-lost")
                   ? kExitUnreachable
                   : kExitRefused;
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

int QueueThrough(const Running& running, const PduJob& job, const ManyOptions& many, Io io) {
    api::BusClient& client = *running;
    SayThrough(client, io);
    QVariantMap options;
    if (many.modem)
        options.insert(QStringLiteral("modem"), Q(*many.modem));
    else if (!running.modem.isEmpty())
        options.insert(QStringLiteral("modem"), running.modem);
    if (many.pacing.startAt.isValid())
        options.insert(QStringLiteral("at"), many.pacing.startAt.toUTC().toString(Qt::ISODateWithMs));
    bool uncertain = false;
    const auto queued = SendKeyed(client, job, options, uncertain, io);
    if (uncertain)
        return SayUncertain(io);
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
    if (!path && path.error().denied())
        SayRefused(path.error(), io);
    // A store this user may not read (the system's, outside its group) is
    // left alone: the command then reads its own, as without the program.
    if (!path || path.value().isEmpty() || !StoreMayOpen(path.value(), false))
        return given;
    SayThrough(*client, io);
    return S(path.value());
}

} // namespace velmora::cli
