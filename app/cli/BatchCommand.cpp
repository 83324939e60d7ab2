// Sending to many from the command line: "send --to/--to-file" queues a
// batch and sends it, "queue" lists the outbox, takes a hand on a batch or a
// message, and "queue run" sends what is due.

#include "BatchBuilder.h"
#include "CliPhone.h"
#include "CommandApplication.h"
#include "MessageApi.h"
#include "Outbox.h"
#include "Recipients.h"
#include "Said.h"
#include "Shown.h"
#include "StoreLocation.h"
#include "Terms.h"
#include "Through.h"
#include "Transports.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <ostream>
#include <set>

namespace velmora::cli {

namespace {

std::string QueueUsage() {
    return translate("queue",
                     "usage: velmora-cli queue list [--json] [BATCH] [--store PATH]\n"
                     "       velmora-cli queue pause BATCH [--store PATH]\n"
                     "       velmora-cli queue resume BATCH|MESSAGE [--store PATH]\n"
                     "       velmora-cli queue cancel BATCH|MESSAGE [--store PATH]\n"
                     "       velmora-cli queue run [LINK OPTIONS] [--follow]\n"
                     "\n"
                     "The outbox: the batches \"send --to\" and \"send --to-file\" queued, each message\n"
                     "of them recorded before anything went. A batch is written B3, a message by its\n"
                     "number alone (as \"send\" prints it).\n"
                     "  list            every batch with what became of its messages, then each message\n"
                     "                  queued alone (send --queue); with BATCH, its messages; --json\n"
                     "                  for a program (the batches)\n"
                     "  pause           hold a batch: what is queued stays queued\n"
                     "  resume          go on with a batch (also one the program paused when the phone\n"
                     "                  stopped answering); of a failed or uncertain message of a\n"
                     "                  batch: send it again in its batch (\"velmora-cli resend\" sends\n"
                     "                  any message again)\n"
                     "  cancel          take what is queued of a batch, or one message, out; an\n"
                     "                  uncertain message is dropped: it is not sent again\n"
                     "  run             send what is due and wait for what is scheduled, until nothing\n"
                     "                  is queued (or for ever with --follow); prints each message's end\n"
                     "\n"
                     "Exit status of run: 0 when every message was sent (one another program is\n"
                     "sending is not counted), 1 when one failed or is left queued, or a batch holds an\n"
                     "uncertain message (named on stderr, also when nothing is queued), 3 when the\n"
                     "phone could not be reached or stopped answering.\n") +
           RunningStoreUsage();
}

std::string ManyUsageText() {
    return translate("send",
                     "Sending to many (the kind then takes no number):\n"
                     "  --to LIST             numbers, phone-book names and groups, between commas or\n"
                     "                        semicolons\n"
                     "  --to-file FILE.csv    a contacts file with a header row; {column} in a text is\n"
                     "                        filled from each row\n"
                     "  --number-column NAME  the column of the numbers, by its header or its place (1\n"
                     "                        for the first); default: the one headed Phone, Number,\n"
                     "                        Cell, Mobile, HP, No. HP, Nomor, Telepon, WA... or else\n"
                     "                        the only one whose cells are all phone numbers (dates\n"
                     "                        and account numbers are not); else it must be given\n"
                     "  --dry-run             print each recipient's own text, coding and parts, and who\n"
                     "                        is left out and why; queue and send nothing\n"
                     "  --allow-empty         send a row whose cell for a {column} is empty (else it is\n"
                     "                        left out)\n"
                     "  --unicode auto|never|always  a recipient's text with characters outside GSM:\n"
                     "                        auto (default) sends it as UCS2, in more parts if need\n"
                     "                        be; never leaves it out; always sends every text as UCS2\n"
                     "  --interval SECONDS    between one message's start and the next's\n"
                     "  --per-hour N          at most N messages in any hour\n"
                     "  --at \"YYYY-MM-DD HH:MM\"      queue only; \"queue run\" sends it from then on\n"
                     "  --expire \"YYYY-MM-DD HH:MM\"  send none after this time\n"
                     "  --again               queue it even when the same batch (the same message to the\n"
                     "                        same recipients, from the same --at) was queued before\n"
                     "  --report              as for one recipient: wait for each message's delivery\n"
                     "                        report and print it\n"
                     "Each recipient's message is recorded before anything goes; the outcome of each\n"
                     "is printed as it ends. Exit status 0 when every message was sent, 1 when one\n"
                     "failed or is uncertain or a recipient was left out (named on stderr), 3 when\n"
                     "the phone could not be reached, 4 when the same batch was queued before (the\n"
                     "line names it).\n");
}

// Waits longer than this are said.
constexpr qint64 kSayWaitMs = 10'000;

// "2026-12-24 18:00" in local time.
std::optional<QDateTime> LocalTime(const std::string& text) {
    QDateTime t =
        QDateTime::fromString(QString::fromStdString(text).trimmed(), QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!t.isValid())
        return std::nullopt;
    return t.toUTC();
}

std::string Local(const QDateTime& t) {
    return S(t.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

std::string Counts(const BatchRecord& b) {
    std::string s =
        Fill(translate("queue", "%1 of %2 sent"), {std::to_string(b.sent), std::to_string(b.total)});
    const auto add = [&s](int count, const std::string& said) {
        if (count)
            s += ", " + Fill(said, {std::to_string(count)});
    };
    // Of the sent, what their reports said, when any were asked for.
    add(b.delivered, translate("queue", "%1 delivered"));
    add(b.notDelivered, translate("queue", "%1 not delivered"));
    add(b.failed, translate("queue", "%1 failed"));
    add(b.cancelled, translate("queue", "%1 cancelled"));
    add(b.uncertain, translate("queue", "%1 uncertain"));
    add(b.sending, translate("queue", "%1 sending"));
    add(b.queued, translate("queue", "%1 queued"));
    return s;
}

std::string BatchState(const BatchRecord& b) {
    // A cancelled batch says so, as the window's list does, though nothing is left of it to send.
    const bool finished = b.finished() && b.state != msg::BatchState::Cancelled;
    std::string s = (finished ? terms::FinishedWord() : terms::BatchStateWord(b.state)).toStdString();
    if (!b.finished() && b.pauseReason != msg::Reason::None)
        s += " (" + terms::ReasonWord(b.pauseReason).toStdString() + ")";
    return s;
}

std::string Who(const MessageRecord& m) {
    return S(m.name.isEmpty() ? m.number : m.number + " (" + m.name + ")");
}

// B3 or 3: a batch or a message.
struct Target {
    bool batch = false;
    qint64 id = 0;
};

std::optional<Target> ParseTarget(const std::string& word) {
    Target t;
    std::string digits = word;
    if (!digits.empty() && (digits[0] == 'B' || digits[0] == 'b')) {
        t.batch = true;
        digits.erase(0, 1);
    }
    bool ok = false;
    t.id = QString::fromStdString(digits).toLongLong(&ok);
    if (!ok || t.id <= 0 || digits.empty() || digits[0] == '+')
        return std::nullopt;
    return t;
}

// A batch and a message as the running program answers them (BusService),
// back into the records the lines are made from.
BatchRecord BatchFromJson(const QJsonObject& j) {
    BatchRecord b;
    b.id = j.value("batch").toInteger();
    b.name = j.value("name").toString();
    b.state =
        msg::BatchStateFromName(j.value("state").toString().toStdString()).value_or(msg::BatchState::Active);
    b.pauseReason =
        msg::ReasonFromName(j.value("pauseReason").toString().toStdString()).value_or(msg::Reason::None);
    int* counts[] = {&b.total,        &b.queued, &b.sending,   &b.sent,     &b.delivered,
                     &b.notDelivered, &b.failed, &b.cancelled, &b.uncertain};
    const char* names[] = {"total",        "queued", "sending",   "sent",     "delivered",
                           "notDelivered", "failed", "cancelled", "uncertain"};
    for (std::size_t i = 0; i < std::size(counts); ++i)
        *counts[i] = j.value(names[i]).toInt();
    return b;
}

MessageRecord StateFromJson(qint64 id, const QJsonObject& j) {
    MessageRecord m;
    m.id = id;
    m.state = msg::StateFromName(j.value("state").toString().toStdString()).value_or(msg::State::Queued);
    m.reason = msg::ReasonFromName(j.value("reason").toString().toStdString()).value_or(msg::Reason::None);
    if (j.contains("reasonCode"))
        m.reasonCode = j.value("reasonCode").toInt();
    return m;
}

// "queue pause|resume|cancel" through the running program: the same lines
// and exit status as on the store itself.
int QueueStepThrough(api::BusClient& client, const std::string& verb, const Target& target, Io io) {
    SayThrough(client, io);
    const QString method =
        target.batch ? (verb == "pause"    ? QStringLiteral("PauseBatch")
                        : verb == "resume" ? QStringLiteral("ResumeBatch")
                                           : QStringLiteral("CancelBatch"))
                     : (verb == "resume" ? QStringLiteral("RetryMessage") : QStringLiteral("CancelMessage"));
    const auto done = client.queueStep(method, target.id);
    const std::string id = std::to_string(target.id);
    if (!done) {
        const QString& code = done.error().code;
        if (code == QLatin1String("NotFound"))
            return Report({kExitRefused, Fill(target.batch ? translate("queue", "there is no batch B%1")
                                                           : translate("queue", "there is no message %1"),
                                              {id})},
                          io);
        if (code == QLatin1String("Conflict") && !target.batch) {
            const auto m = client.get(target.id);
            return Report({kExitRefused,
                           Fill(verb == "resume" ? translate("queue", "message %1 is %2: nothing to resume")
                                                 : translate("queue", "message %1 is %2: nothing to cancel"),
                                {id, m ? StateShown(StateFromJson(target.id, m.value()))
                                       : translate("queue", "gone")})},
                          io);
        }
        return ReportBusFailure(done.error(), "%1", io);
    }
    if (target.batch) {
        const BatchRecord b = BatchFromJson(done.value());
        io.out << Fill(translate("queue", "Batch B%1 %2: %3"), {id, BatchState(b), Counts(b)}) << '\n';
    } else {
        io.out << Fill(translate("queue", "Message %1: %2"),
                       {id, StateShown(StateFromJson(target.id, done.value()))})
               << '\n';
    }
    return kExitOk;
}

// The uncertain messages of a batch still waiting for the user: not sent
// again in their batch (queue resume) nor as a message of their own
// (resend).
std::vector<MessageRecord> Unsettled(MessageStore& store, const BatchRecord& b) {
    std::vector<MessageRecord> out;
    if (!b.uncertain)
        return out;
    HistoryQuery query;
    query.batch = b.id;
    query.state = msg::State::Uncertain;
    for (MessageRecord& m : store.Messages(query))
        // One the user let be (queue cancel) is settled too.
        if (m.reason != msg::Reason::Cancelled && m.replacedBy == 0)
            out.push_back(std::move(m));
    return out;
}

// Names each uncertain message (its number, whom to, why) and how to go on.
void SayUncertain(const BatchRecord& b, const std::vector<MessageRecord>& unsure, Io io) {
    if (unsure.empty())
        return;
    for (const MessageRecord& m : unsure)
        io.err << "velmora-cli: "
               << Fill(translate("queue", "message %1 to %2 is %3: it may have gone"),
                       {std::to_string(m.id), ForOutput(Who(m), io.errIsTerminal), StateShown(m)})
               << '\n';
    io.err << "velmora-cli: "
           << Fill(translate("queue", "batch B%1 has %2 uncertain: they may have gone; \"velmora-cli queue "
                                      "resume MESSAGE\" sends one again in its batch, \"queue cancel "
                                      "MESSAGE\" lets it be"),
                   {std::to_string(b.id), std::to_string(unsure.size())})
           << '\n';
}

// The end of a run: each batch it sent from with what became of it, a
// paused one and the uncertain named on stderr; the exit status.
int BatchSummary(MessageStore& store, std::optional<qint64> batch, const std::set<qint64>& touched,
                 const std::set<qint64>& alone, bool phoneGone, Io io) {
    int code = kExitOk;
    // One of no batch that did not go, or may not have, is this run's failure.
    for (const qint64 id : alone)
        if (const auto m = store.Message(id);
            m && (m->state == msg::State::Failed || m->state == msg::State::Uncertain ||
                  m->state == msg::State::Queued))
            code = kExitRefused;
    for (const BatchRecord& b : store.Batches()) {
        if (batch && b.id != *batch)
            continue;
        const std::vector<MessageRecord> unsure = Unsettled(store, b);
        // What this run sent from, and what it leaves unsent: an old
        // batch's failure does not decide this run's status. Its uncertain
        // messages wait for the user, whichever run left them.
        if (!batch && !touched.count(b.id) && b.finished() && unsure.empty())
            continue;
        io.out << Fill(translate("queue", "Batch B%1: %2"), {std::to_string(b.id), Counts(b)}) << '\n';
        // A message another program is sending now is not this run's
        // failure; one left queued (a paused batch) is.
        if ((b.failed && touched.count(b.id)) || !unsure.empty() || b.queued)
            code = kExitRefused;
        if (!b.finished() && b.state == msg::BatchState::Paused) {
            const bool phone =
                b.pauseReason == msg::Reason::NoAnswer || b.pauseReason == msg::Reason::LinkLost;
            phoneGone = phoneGone || phone;
            io.err << "velmora-cli: "
                   << Fill(phone ? translate("queue",
                                             "batch B%1 is paused (the phone stopped answering): %2 queued; "
                                             "\"velmora-cli queue resume B%1\" goes on")
                                 : translate("queue",
                                             "batch B%1 is paused: %2 queued; \"velmora-cli queue resume "
                                             "B%1\" goes on"),
                           {std::to_string(b.id), std::to_string(b.queued)})
                   << '\n';
        }
        SayUncertain(b, unsure, io);
    }
    return phoneGone ? kExitUnreachable : code;
}

// What the running program sends, followed as a run of this command sends
// it: each message's end as it comes (told by StateChanged, read from the
// store), then the same summary. `batch`'s messages (send --to), until
// nothing of it is left to go or it is paused; or every message queued
// when it starts or later (queue run), until nothing is due, or for ever
// with `follow`.
int FollowThrough(api::BusClient& client, MessageStore& store, std::optional<qint64> batch, bool follow,
                  Io io) {
    QEventLoop loop;
    const QObject listening;
    QObject::connect(&client, &api::BusClient::stateChanged, &listening, [&loop] { loop.quit(); });
    std::set<qint64> watched, told, touched, alone;
    std::map<qint64, QDateTime> again; // a message queued again, by the time it goes again
    QDateTime waitingFor;
    for (;;) {
        // The batch is read before its messages: one that ended between the
        // two reads would otherwise stop the wait with its last message
        // untold.
        bool over = false;
        if (batch) {
            const auto b = store.Batch(*batch);
            over = !b || b->finished() || b->state != msg::BatchState::Active;
        }
        // What may end: the batch's, or what is queued now and what was.
        std::map<qint64, MessageRecord> now;
        std::map<qint64, QDateTime> startOf; // a batch's --at
        HistoryQuery query;
        if (batch) {
            query.batch = *batch;
            for (MessageRecord& m : store.Messages(query))
                watched.insert(m.id), now.emplace(m.id, std::move(m));
        } else {
            for (const BatchRecord& b : store.Batches(true)) {
                if (b.state != msg::BatchState::Active)
                    continue;
                startOf[b.id] = b.pacing.startAt;
                query.batch = b.id;
                for (MessageRecord& m : store.Messages(query))
                    if (m.state == msg::State::Queued || m.state == msg::State::Sending)
                        watched.insert(m.id), now.emplace(m.id, std::move(m));
            }
            for (MessageRecord& m : store.QueuedAlone())
                watched.insert(m.id), now.emplace(m.id, std::move(m));
            for (const qint64 id : watched)
                if (!now.count(id))
                    if (auto m = store.Message(id))
                        now.emplace(id, std::move(*m));
        }
        bool pending = false, sending = false;
        QDateTime next;
        for (const auto& entry : now) {
            const qint64 id = entry.first;
            const MessageRecord& m = entry.second;
            const auto say = [&](const std::string& what) {
                touched.insert(m.batch);
                if (m.batch == 0)
                    alone.insert(id);
                io.out << Fill(translate("queue", "Message %1 to %2: %3"),
                               {std::to_string(id), ForOutput(Who(m), io.outIsTerminal), what})
                       << '\n'
                       << std::flush;
            };
            if (m.state == msg::State::Queued || m.state == msg::State::Sending) {
                pending = true;
                sending = sending || m.state == msg::State::Sending;
                QDateTime due = m.notBefore;
                if (const auto at = startOf.find(m.batch); at != startOf.end() && at->second > due)
                    due = at->second;
                if (m.state == msg::State::Queued && due.isValid() && (!next.isValid() || due < next))
                    next = due;
            }
            if (m.state == msg::State::Queued && m.notBefore.isValid() && m.reason == msg::Reason::Retrying) {
                if (again[id] != m.notBefore) {
                    again[id] = m.notBefore;
                    say(Fill(translate("queue", "%1, tried again from %2"),
                             {StateShown(m), Local(m.notBefore)}));
                }
            } else if (m.state != msg::State::Queued && m.state != msg::State::Sending &&
                       told.insert(id).second) {
                say(StateShown(m));
            }
        }
        if (batch) {
            if (over)
                break;
        } else {
            if (!pending && !follow)
                break;
            // A wait of more than a few seconds is said once, as a run of
            // its own says it.
            if (!sending && next.isValid() && next != waitingFor &&
                QDateTime::currentDateTimeUtc().msecsTo(next) > kSayWaitMs) {
                waitingFor = next;
                io.out << Fill(translate("queue", "Waiting until %1 for the next message"), {Local(next)})
                       << '\n'
                       << std::flush;
            }
        }
        // Told at once by the program; a second at most between looks, so
        // Ctrl-C (a cancelled clock) ends the wait.
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
        if (io.clock)
            io.clock->Sleep(0);
    }
    if (batch)
        return BatchSummary(store, batch, {*batch}, {}, false, io);
    return BatchSummary(store, std::nullopt, touched, alone, false, io);
}

// Sends what is due until nothing is queued (or for ever), printing each
// message's end. Only `batch`'s messages when one is given.
int Drain(CliPhone& phone, Outbox& outbox, std::optional<qint64> batch, bool follow, Io io) {
    MessageService& service = phone.Service();
    MessageStore& store = *phone.store();
    bool phoneGone = false;
    std::set<qint64> touched; // the batches this run sent from
    std::set<qint64> alone;   // the messages of no batch it sent
    const auto said = [&](qint64 id, const std::string& what) {
        const auto m = store.Message(id);
        if (!m || (batch && m->batch != *batch))
            return;
        touched.insert(m->batch);
        if (m->batch == 0)
            alone.insert(id);
        io.out << Fill(translate("queue", "Message %1 to %2: %3"),
                       {std::to_string(id), ForOutput(Who(*m), io.outIsTerminal), what})
               << '\n'
               << std::flush;
    };
    const QMetaObject::Connection ended = QObject::connect(
        &service, &MessageService::messageChanged, [&](qint64 id, msg::State state, msg::Reason, int) {
            if (state == msg::State::Sent || state == msg::State::Failed || state == msg::State::Uncertain)
                // One queued again by now is told of by the outbox's line.
                if (const auto m = store.Message(id); m && m->state != msg::State::Queued)
                    said(id, StateShown(*m));
        });
    const QMetaObject::Connection again = QObject::connect(
        &outbox, &Outbox::messageChanged, [&](qint64 id, msg::State state, msg::Reason, int) {
            const auto m = store.Message(id);
            if (!m)
                return;
            if (state == msg::State::Queued && m->notBefore.isValid())
                said(id, Fill(translate("queue", "%1, tried again from %2"),
                              {StateShown(*m), Local(m->notBefore)}));
            else if (state != msg::State::Queued)
                said(id, StateShown(*m));
        });
    // Said in the summary, with how to go on.
    const QMetaObject::Connection paused = QObject::connect(
        &outbox, &Outbox::batchPaused, [&phoneGone](qint64, msg::Reason) { phoneGone = true; });
    QDateTime waitingFor;
    for (;;) {
        const OutboxStep step = outbox.next(batch);
        if (step.kind == OutboxStep::Started || step.kind == OutboxStep::Busy)
            continue;
        if (step.kind == OutboxStep::NoPhone) {
            io.err << "velmora-cli: " << phone.Why() << '\n';
            phoneGone = true;
            break;
        }
        if (step.kind == OutboxStep::Idle && !follow)
            break;
        // A wait of more than a few seconds is said once, so a run that
        // seems idle says what it waits for.
        if (step.kind == OutboxStep::Wait && step.at != waitingFor &&
            outbox.now().msecsTo(step.at) > kSayWaitMs) {
            waitingFor = step.at;
            io.out << Fill(translate("queue", "Waiting until %1 for the next message"), {Local(step.at)})
                   << '\n'
                   << std::flush;
        }
        // Sleeps of at most a second: a batch queued or resumed meanwhile
        // by another program is seen soon, and Ctrl-C ends the wait.
        const qint64 wait = step.kind == OutboxStep::Wait ? outbox.now().msecsTo(step.at) : 1000;
        phone.clock().Sleep(static_cast<int>(std::clamp<qint64>(wait, 1, 1000)));
    }
    QObject::disconnect(ended);
    QObject::disconnect(again);
    QObject::disconnect(paused);
    return BatchSummary(store, batch, touched, alone, phoneGone, io);
}

// What "send --to-file ... --dry-run" shows: each recipient's own
// message as it would go, and who is left out and why. Nothing is kept.
int ShowDryRun(const BatchRecipients& recipients,
               const std::function<std::string(const RecipientProblem&)>& problemLine, bool leftOut, Io io) {
    int parts = 0, shown = 0, out = 0;
    std::vector<std::string> refused;
    for (const BatchRecipient& r : recipients.recipients) {
        const RecipientPreview p = PreviewRecipient(r);
        const std::string who = S(p.name.isEmpty() ? p.number : p.number + " (" + p.name + ")");
        if (!p.problem.isEmpty()) {
            refused.push_back(Fill(translate("send", "left out: %1: %2"), {who, S(p.problem)}));
            continue;
        }
        ++shown;
        parts += p.parts;
        std::string line =
            Fill(translate("send", "To %1: %2, %3"),
                 {who, S(p.coding),
                  p.parts == 1 ? translate("send", "1 part")
                               : Fill(translate("send", "%1 parts"), {std::to_string(p.parts)})});
        if (p.madeUnicode)
            line += translate("send", " (made UCS2: the text has characters outside GSM)");
        io.out << ForOutput(line, io.outIsTerminal) << '\n';
        for (const QString& textLine : p.text.split(QLatin1Char('\n')))
            io.out << "    " << ForOutput(S(textLine), io.outIsTerminal) << '\n';
    }
    for (const RecipientProblem& p : recipients.problems) {
        out += p.duplicate ? 0 : 1;
        io.out << ForOutput(problemLine(p), io.outIsTerminal) << '\n';
    }
    for (const std::string& line : refused)
        io.out << ForOutput(line, io.outIsTerminal) << '\n';
    out += static_cast<int>(refused.size());
    io.out << Fill(translate("send", "Dry run: %1 in %2, %3 left out; nothing was queued or sent"),
                   {shown == 1 ? translate("send", "1 recipient")
                               : Fill(translate("send", "%1 recipients"), {std::to_string(shown)}),
                    parts == 1 ? translate("send", "1 part")
                               : Fill(translate("send", "%1 parts"), {std::to_string(parts)}),
                    std::to_string(out)})
           << '\n';
    return leftOut || !refused.empty() ? kExitRefused : kExitOk;
}

// After a batch went with --report: waits for the final report of each
// message sent, then prints what became of each. The exit status: 0 all
// delivered, 1 one not, 3 one without a report in time.
int AwaitBatchReports(CliPhone& phone, qint64 batch, int waitSeconds, Io io) {
    WaitForReports(phone, waitSeconds, io);
    HistoryQuery query;
    query.batch = batch;
    int code = kExitOk;
    for (const MessageRecord& m : phone.store()->Messages(query)) {
        std::string said;
        if (m.state == msg::State::Delivered) {
            said = StateShown(m);
        } else if (m.state == msg::State::NotDelivered) {
            said = StateShown(m);
            code = kExitRefused;
        } else if (m.state == msg::State::Sent) {
            said = translate("send", "no delivery report");
            code = code == kExitOk ? kExitUnreachable : code;
        } else {
            continue; // its end was said as it came
        }
        io.out << Fill(translate("queue", "Message %1 to %2: %3"),
                       {std::to_string(m.id), ForOutput(Who(m), io.outIsTerminal), said})
               << '\n';
    }
    return code;
}

} // namespace

Result<std::unique_ptr<MessageStore>> OpenMessageStore(const std::optional<std::string>& given, bool create,
                                                       Io io, MessageStore::Access access) {
    std::string path = given.value_or("");
    const AppPaths paths = CurrentAppPaths();
    Settings settings;
    const auto messages = LoadSettings(SettingsSection::Communication, paths.settingsFile, settings);
    // The store's numbers are looked up as the settings dial them, whichever
    // store it is.
    SetHomeCountryCode(Q(settings.CountryCode));
    if (path.empty()) {
        for (const auto& message : messages)
            io.err << "velmora-cli: " << AboutFile(paths.settingsFile, message) << '\n';
        path = ChooseMessageStore(paths, SettingsStore(settings));
    }
    if (!create && StoreNotMadeYet(Q(path)))
        return Result<std::unique_ptr<MessageStore>>::Ok(nullptr);
    auto opened = MessageStore::Open(Q(path), access);
    // A command that would change a damaged store says so before it looks
    // anything up: what a damaged page gives back is no answer to trust.
    if (opened && access == MessageStore::Access::Write &&
        opened.value()->fault() == MessageStore::Fault::Damaged)
        return Result<std::unique_ptr<MessageStore>>::Fail(opened.value()->faultText().toStdString());
    return opened;
}

bool TakeManyOption(const GivenWord& given, ManyOptions& many, std::optional<Failure>& failure) {
    const std::string& option = given.option;
    const auto refuse = [&](const std::string& why) { failure = Failure{kExitUsage, "send: " + why}; };
    const auto refuseFilled = [&](const char* why, std::initializer_list<std::string_view> args) {
        refuse(Fill(translate("send", why), args));
    };
    if (option == "--again") {
        many.again = true;
        return true;
    }
    if (option == "--dry-run") {
        many.dryRun = true;
        return true;
    }
    if (option == "--allow-empty") {
        many.batch.allowEmpty = many.allowEmptyGiven = true;
        return true;
    }
    if (option != "--to" && option != "--to-file" && option != "--number-column" && option != "--interval" &&
        option != "--per-hour" && option != "--at" && option != "--expire" && option != "--unicode")
        return false;
    if (given.kind == GivenWord::MissingValue || given.value.empty()) {
        refuseFilled(QT_TRANSLATE_NOOP("send", "%1 needs a value"), {option});
        return true;
    }
    if ((option == "--to" && many.to) || (option == "--to-file" && many.toFile)) {
        refuseFilled(QT_TRANSLATE_NOOP("send", "%1 is given twice: put every recipient in one"), {option});
    } else if (option == "--to") {
        many.to = given.value;
    } else if (option == "--to-file") {
        many.toFile = given.value;
    } else if (option == "--number-column") {
        many.numberColumn = given.value;
    } else if (option == "--unicode") {
        using U = BatchOptions::Unicode;
        many.unicodeGiven = true;
        if (given.value == "auto")
            many.batch.unicode = U::Auto;
        else if (given.value == "never")
            many.batch.unicode = U::Never;
        else if (given.value == "always")
            many.batch.unicode = U::Always;
        else
            refuseFilled(QT_TRANSLATE_NOOP("send", "--unicode must be auto, never or always, not \"%1\""),
                         {given.value});
    } else if (option == "--interval") {
        const auto n = Number(given.value);
        if (!n || *n < 0 || *n > 86400)
            refuse(translate("send", "--interval must be a number of seconds from 0 to 86400"));
        else
            many.pacing.intervalMs = qint64{*n} * 1000;
    } else if (option == "--per-hour") {
        const auto n = Number(given.value);
        if (!n || *n < 0 || *n > 100000)
            refuse(translate("send", "--per-hour must be a number from 0 (no cap) to 100000"));
        else
            many.pacing.perHour = *n;
    } else {
        const auto t = LocalTime(given.value);
        if (!t)
            refuseFilled(QT_TRANSLATE_NOOP("send",
                                           "%1 must be a time written \"YYYY-MM-DD HH:MM\" (that exists "
                                           "here), not \"%2\""),
                         {option, given.value});
        // A time gone by is a typo more often than a wish to send at once.
        else if (*t < QDateTime::currentDateTimeUtc().addSecs(-60))
            refuseFilled(QT_TRANSLATE_NOOP("send", "%1 %2 is in the past"), {option, given.value});
        else
            (option == "--at" ? many.pacing.startAt : many.pacing.expireAt) = *t;
    }
    return true;
}

std::string ManyUsage() { return ManyUsageText(); }

std::string QueueOptionsUsage() {
    return translate("send",
                     "  --queue               record the message in the store and send nothing now:\n"
                     "                        \"velmora-cli queue run\" or velmorad sends it when it is\n"
                     "                        due; no port is opened. Prints the message's number, or\n"
                     "                        with --to or --to-file its batch's number and count\n"
                     "  --modem NAME          with --queue: the modem it goes through (a [Modem NAME] of\n"
                     "                        velmorad's settings); by default the first one free\n");
}

int RunSendToMany(const PhoneTarget& given, const ManyOptions& many, const ReportOptions& report,
                  std::vector<std::string> kindWords, Io io) {
    if (many.to && many.toFile)
        return Report({kExitUsage, translate("send", "send: --to and --to-file cannot be given together")},
                      io);
    if (many.numberColumn && !many.toFile)
        return Report({kExitUsage, translate("send", "send: --number-column goes with --to-file")}, io);
    if (many.allowEmptyGiven && !many.toFile)
        return Report({kExitUsage, translate("send", "send: --allow-empty goes with --to-file")}, io);
    if (many.pacing.startAt.isValid() && many.pacing.expireAt.isValid() &&
        many.pacing.expireAt <= many.pacing.startAt)
        return Report({kExitUsage, translate("send", "send: --expire must be after --at")}, io);
    if (report.wanted && many.pacing.startAt.isValid() && !many.dryRun)
        return Report(
            {kExitUsage, translate("send", "send: --report waits for what is sent now, not with --at")}, io);
    // The kind is built as for one recipient, with a number that stands in
    // for each of them.
    if (!kindWords.empty())
        kindWords.insert(kindWords.begin() + 1, "0");
    auto built = BuildPduJob(kindWords);
    // A text the batch may send as UCS2 is checked as it may go: a character
    // outside GSM refuses it only with --unicode never. The request keeps
    // the kind's own choice; each recipient's coding is decided from it.
    const auto has = [&](const char* word) {
        return std::find(kindWords.begin(), kindWords.end(), word) != kindWords.end();
    };
    if (std::holds_alternative<Failure>(built) && std::get<Failure>(built).code == kExitRefused &&
        many.batch.unicode != BatchOptions::Unicode::Never && !kindWords.empty() &&
        kindWords.front() == "text" && !has("--flash") && !has("--blink")) {
        std::vector<std::string> asUcs2 = kindWords;
        for (const char* option : {"--long", "--unicode"})
            if (!has(option))
                asUcs2.insert(asUcs2.begin() + 1, option);
        if (auto again = BuildPduJob(asUcs2); std::holds_alternative<PduJob>(again)) {
            std::get<PduJob>(again).request.longText = has("--long");
            std::get<PduJob>(again).request.unicode = has("--unicode");
            built = std::move(again);
        }
    }
    if (auto* f = std::get_if<Failure>(&built)) {
        if (f->code == kExitUsage && f->countOff)
            f->message += translate("send", " (with --to or --to-file the kind takes no number)");
        return Report(*f, io);
    }
    const MessageRequest message = std::get<PduJob>(built).request;
    PhoneTarget target = given;
    if (report.wanted)
        target.fast = true; // only the fast dialogue reads what comes later
    // A running program that holds the modems sends the batch: it is queued
    // in its store, where this user may write it, and followed through it.
    Running running;
    if (!many.dryRun && !many.queue && !report.wanted)
        running = RunningProgram(target, io);
    FollowRunning(running, target, true, io);

    // A dry run reads the store for names and groups, if there is one, and
    // touches neither the phone nor anything kept.
    std::unique_ptr<MessageStore> readOnly;
    std::unique_ptr<CliPhone> phone;
    MessageStore* store = nullptr;
    if (many.dryRun) {
        auto opened = OpenMessageStore(target.store, false, io, MessageStore::Access::Read);
        if (!opened)
            return Report(
                {kExitRefused, ForOutput(Fill(translate("send", "nothing queued: %1"), {opened.error()}),
                                         io.errIsTerminal)},
                io);
        readOnly = std::move(opened.value());
        store = readOnly.get();
    } else {
        phone = std::make_unique<CliPhone>(target, io);
        if (!phone->Service().store()) {
            io.err << "velmora-cli: "
                   << Fill(translate("send", "nothing queued: %1"), {S(phone->Service().noStoreReason())})
                   << '\n';
            return kExitRefused;
        }
        store = phone->store();
    }
    BatchRecipients recipients;
    bool fromFile = false; // a problem names the file's line
    QStringList columns;
    if (many.to) {
        recipients = RecipientsFromList(SplitRecipients(Q(*many.to)), store, message, many.batch);
    } else {
        const auto table = ReadCsvFile(Q(*many.toFile));
        if (!table)
            return Report(
                {kExitRefused, ForOutput(Fill(translate("send", "nothing queued: %1"), {S(table.error())}),
                                         io.errIsTerminal)},
                io);
        const auto column = NumberColumn(table.value(), Q(many.numberColumn.value_or("")), HomeCountryCode());
        if (!column) {
            // Which column is the numbers' is the user's to say when no
            // header says it: a guess sent a batch to dates and accounts.
            const std::string why =
                many.numberColumn
                    ? S(column.error())
                    : Fill(translate("send", "%1; name it with --number-column (its header or its place, "
                                             "1 for the first)"),
                           {S(column.error())});
            return Report({kExitRefused,
                           ForOutput(Fill(translate("send", "nothing queued: %1"), {why}), io.errIsTerminal)},
                          io);
        }
        recipients = RecipientsFromTable(table.value(), column.value(), message, many.batch);
        columns = table->header;
        fromFile = true;
    }
    if (!recipients.unknown.isEmpty()) {
        const std::string names = "{" + S(recipients.unknown.join("}, {")) + "}";
        const std::string why =
            many.to ? Fill(translate("send", "the text has %1, which only a contacts file (--to-file) fills; "
                                             "write {{ and }} for braces of your own"),
                           {names})
                    : Fill(recipients.unknown.size() == 1
                               ? translate("send", "the text names %1, which is not a column of %2 (%3)")
                               : translate("send", "the text names %1, which are not a column of %2 (%3)"),
                           {names, *many.toFile, S(columns.join(", "))});
        return Report(
            {kExitRefused, ForOutput(Fill(translate("send", "nothing queued: %1"), {why}), io.errIsTerminal)},
            io);
    }
    bool leftOut = false;
    const auto problemLine = [&](const RecipientProblem& p) {
        const std::string who =
            fromFile ? Fill(translate("send", "line %1 (%2)"), {std::to_string(p.index), S(p.who)})
                     : S(p.who);
        return Fill(p.duplicate ? translate("send", "once only: %1: %2")
                                : translate("send", "left out: %1: %2"),
                    {who, S(p.why)});
    };
    for (const RecipientProblem& p : recipients.problems)
        leftOut = leftOut || !p.duplicate;
    if (many.dryRun)
        return ShowDryRun(recipients, problemLine, leftOut, io);
    for (const RecipientProblem& p : recipients.problems)
        io.err << "velmora-cli: " << ForOutput(problemLine(p), io.errIsTerminal) << '\n';
    BatchRequest request;
    request.name = Outbox::DefaultName(message, recipients.recipients.size());
    if (many.toFile)
        request.name = QFileInfo(Q(*many.toFile)).fileName() + ": " + request.name;
    request.recipients = std::move(recipients.recipients);
    request.pacing = many.pacing;
    // A refused message is tried again as often as the window would.
    request.pacing.retries = phone->settings().Retries;

    request.again = many.again;
    // The modem --device named, when the running program has it.
    request.wantModem = many.modem ? Q(*many.modem) : running ? running.modem : QString();
    Outbox& outbox = phone->Channel().outbox();
    const auto queued = outbox.queue(request);
    if (!queued) {
        const QueueRefusal& r = queued.error();
        if (r.kind == QueueRefusal::Duplicate) {
            const auto earlier = store->Batch(r.batch);
            io.err << "velmora-cli: "
                   << Fill(earlier ? translate("send",
                                               "nothing queued: the same message to the same recipients was "
                                               "queued as batch B%1 (%2: %3); --again queues it once more")
                                   : translate("send",
                                               "nothing queued: the same message to the same recipients was "
                                               "queued as batch B%1; --again queues it once more"),
                           {std::to_string(r.batch), earlier ? BatchState(*earlier) : "",
                            earlier ? Counts(*earlier) : ""})
                   << '\n';
            return kExitDuplicate;
        }
        io.err << "velmora-cli: "
               << Fill(translate("send", "nothing queued: %1"),
                       {S(r.kind == QueueRefusal::Store ? terms::StoreProblemText(r.store) : r.why)})
               << '\n';
        return kExitRefused;
    }
    const qint64 batch = queued->batch;
    const std::vector<std::string> said{std::to_string(batch), std::to_string(queued->queued)};
    const bool one = queued->queued == 1;
    if (many.pacing.startAt.isValid()) {
        io.out << Fill(one ? translate("send",
                                       "Batch B%1: %2 message queued to go from %3; \"velmora-cli queue "
                                       "run\" sends them from then")
                           : translate("send",
                                       "Batch B%1: %2 messages queued to go from %3; \"velmora-cli queue "
                                       "run\" sends them from then"),
                       {said[0], said[1], Local(many.pacing.startAt)})
               << '\n';
        return leftOut ? kExitRefused : kExitOk;
    }
    io.out << Fill(one ? translate("send", "Batch B%1: %2 message queued")
                       : translate("send", "Batch B%1: %2 messages queued"),
                   {said[0], said[1]})
           << '\n'
           << std::flush;
    if (many.queue)
        return leftOut ? kExitRefused : kExitOk;
    if (running) {
        const int code = FollowThrough(*running, *store, batch, false, io);
        return code == kExitOk && leftOut ? kExitRefused : code;
    }
    if (!phone->Connect()) {
        io.err << "velmora-cli: "
               << Fill(translate("send", "batch B%1 stays queued; \"velmora-cli queue run\" sends it"),
                       {std::to_string(batch)})
               << '\n';
        return kExitUnreachable;
    }
    phone->transport().SetReports(report.wanted);
    int code = Drain(*phone, outbox, batch, false, io);
    if (report.wanted) {
        if (phone->transport().ReportsRefused())
            io.err << "velmora-cli: "
                   << translate("send", "no delivery reports: the phone will not pass them on") << '\n';
        const int reports = AwaitBatchReports(*phone, batch, report.waitSeconds, io);
        code = code == kExitOk ? reports : code;
    }
    // Not everyone on the list got it: said above, and in the status.
    return leftOut && code == kExitOk ? kExitRefused : code;
}

int RunQueue(std::vector<std::string> words, Io io) {
    if (words.empty() || IsHelp(words)) {
        (words.empty() ? io.err : io.out) << QueueUsage();
        return words.empty() ? kExitUsage : kExitOk;
    }
    const std::string verb = words.front();
    words.erase(words.begin());
    const CommandApplication app;
    if (verb == "run") {
        PhoneTarget target;
        bool follow = false;
        const CommandLine line(words, PhoneOptions({{"--follow"}, kStore}), kPhoneWords);
        for (const GivenWord& given : line.given()) {
            std::optional<Failure> failure;
            if (given.option == "--follow")
                follow = true;
            else if (!TakeLinkOption(given, target, "queue run", failure))
                failure = Failure{kExitUsage,
                                  Fill(translate("queue", "queue run: unexpected \"%1\""), {given.word})};
            if (failure)
                return Report(*failure, io, QueueUsage());
        }
        // A running program that holds the modems sends the queue: it is
        // followed through it, in its store where this user may read it.
        auto running = RunningProgram(target, io);
        FollowRunning(running, target, false, io);
        CliPhone phone(target, io);
        MessageService& service = phone.Service();
        if (!phone.store()) {
            io.err << "velmora-cli: " << S(service.noStoreReason()) << '\n';
            return kExitRefused;
        }
        // Messages of no batch (send --queue) are this modem's when they
        // name none: the command line's modem has no name.
        if (!follow && phone.store()->Batches(true).empty() && !phone.store()->NextQueued(0, QString())) {
            io.out << translate("queue", "Nothing is queued") << '\n';
            // A run a crash stopped left its message uncertain, not queued:
            // nothing to send, and still something the user must decide.
            bool unsure = false;
            for (const BatchRecord& b : phone.store()->Batches()) {
                const std::vector<MessageRecord> left = Unsettled(*phone.store(), b);
                SayUncertain(b, left, io);
                unsure = unsure || !left.empty();
            }
            return unsure ? kExitRefused : kExitOk;
        }
        if (running)
            return FollowThrough(*running, *phone.store(), std::nullopt, follow, io);
        if (!phone.Connect())
            return kExitUnreachable;
        Outbox& outbox = phone.Channel().outbox();
        return Drain(phone, outbox, std::nullopt, follow, io);
    }
    if (verb != "list" && verb != "pause" && verb != "resume" && verb != "cancel")
        return Report(
            {kExitUsage,
             Fill(translate("queue", "queue: unknown \"%1\": list, pause, resume, cancel or run"), {verb})},
            io, QueueUsage());
    const CommandLine line(words, {{"--json"}, kStore, {"--direct"}}, kCommandWords);
    if (const GivenWord* unknown = line.first(GivenWord::Unknown))
        return Report(
            {kExitUsage, Fill(translate("queue", "queue %1: unknown option %2"), {verb, unknown->word})}, io,
            QueueUsage());
    if (const GivenWord* missing = line.first(GivenWord::MissingValue))
        return Report(
            {kExitUsage, Fill(translate("queue", "queue %1: %2 needs a value"), {verb, missing->option})}, io,
            QueueUsage());
    const std::vector<std::string> rest = line.positional();
    const bool json = line.has("--json");
    if (json && verb != "list")
        return Report({kExitUsage, Fill(translate("queue", "queue %1: --json goes with list"), {verb})}, io,
                      QueueUsage());
    if (rest.size() > 1 || (rest.empty() && verb != "list"))
        return Report(
            {kExitUsage, Fill(translate("queue", "queue %1: expected one batch (B3) or message"), {verb})},
            io, QueueUsage());
    std::optional<Target> target;
    if (!rest.empty()) {
        target = ParseTarget(rest.front());
        if (!target || (verb == "list" && !target->batch))
            return Report(
                {kExitUsage,
                 Fill(verb == "list"
                          ? translate("queue", "queue %1: \"%2\" is no batch (B3)")
                          : translate("queue", "queue %1: \"%2\" is no batch (B3) or message number"),
                      {verb, rest.front()})},
                io, QueueUsage());
        if (verb == "pause" && !target->batch)
            return Report(
                {kExitUsage, translate("queue", "queue pause: only a batch is paused; a batch is written "
                                                "B and its number, as queue list shows it")},
                io, QueueUsage());
    }
    // A running program's queue: it steps it (its outboxes hear at once);
    // its store is listed where this user may read it.
    if (verb != "list")
        if (auto running = RunningProgram(line.has("--direct"), line.value("--store"), io))
            return QueueStepThrough(*running, verb, *target, io);
    // The list only reads: a store this user may not write is listed too.
    auto opened = OpenMessageStore(
        verb == "list" ? StoreOfRunning(line.value("--store"), line.has("--direct"), io)
                       : line.value("--store"),
        false, io, verb == "list" ? MessageStore::Access::Read : MessageStore::Access::Write);
    if (!opened)
        return Report({kExitRefused, ForOutput(opened.error(), io.errIsTerminal)}, io);
    if (!opened.value()) {
        if (verb != "list")
            return Report({kExitRefused, Fill(translate("queue", "nothing was ever queued: there is no %1"),
                                              {rest.front()})},
                          io);
        // The JSON says it in its own way, for a program.
        io.out << (json ? std::string("[]\n") : translate("queue", "Nothing was ever queued") + '\n');
        return kExitOk;
    }
    MessageStore& store = *opened.value();

    if (verb == "list") {
        if (target) {
            const auto batch = store.Batch(target->id);
            if (!batch)
                return Report({kExitRefused, Fill(translate("queue", "there is no batch B%1"),
                                                  {std::to_string(target->id)})},
                              io);
            HistoryQuery query;
            query.batch = target->id;
            const auto messages = store.Messages(query);
            if (json) {
                QJsonArray all;
                for (const MessageRecord& m : messages)
                    all.append(MessageJson(m));
                io.out << QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString();
                return kExitOk;
            }
            io.out << Fill(translate("queue", "Batch B%1 %2: %3"),
                           {std::to_string(batch->id), BatchState(*batch), Counts(*batch)})
                   << '\n';
            for (const MessageRecord& m : messages)
                io.out << ForOutput(std::to_string(m.id) + "  " + Who(m) + "  " + StateShown(m) +
                                        (m.state == msg::State::Queued && m.notBefore.isValid()
                                             ? "  " + Fill(translate("queue", "(not before %1)"),
                                                           {Local(m.notBefore)})
                                             : ""),
                                    io.outIsTerminal)
                       << '\n';
            return kExitOk;
        }
        const auto batches = store.Batches();
        if (json) {
            QJsonArray all;
            for (const BatchRecord& b : batches) {
                const auto time = [](const QDateTime& t) {
                    return t.isValid() ? QJsonValue(t.toUTC().toString(Qt::ISODate)) : QJsonValue();
                };
                QJsonObject batch = BatchJson(b);
                batch.insert("intervalSeconds", static_cast<double>(b.pacing.intervalMs) / 1000);
                batch.insert("perHour", b.pacing.perHour);
                batch.insert("startAt", time(b.pacing.startAt));
                batch.insert("expireAt", time(b.pacing.expireAt));
                batch.insert("retries", b.pacing.retries);
                all.append(batch);
            }
            io.out << QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString();
            return kExitOk;
        }
        // Then the messages of no batch still to go (send --queue), as a
        // batch's are listed.
        const std::vector<MessageRecord> alone = store.QueuedAlone();
        if (batches.empty() && alone.empty())
            io.out << translate("queue", "Nothing was ever queued") << '\n';
        for (const BatchRecord& b : batches)
            io.out << ForOutput("B" + std::to_string(b.id) + "  " + Local(b.created) + "  " + BatchState(b) +
                                    "  " + Counts(b) + "  " + S(b.name),
                                io.outIsTerminal)
                   << '\n';
        for (const MessageRecord& m : alone)
            io.out << ForOutput(
                          std::to_string(m.id) + "  " + Who(m) + "  " + StateShown(m) +
                              (m.notBefore.isValid()
                                   ? "  " + Fill(translate("queue", "(not before %1)"), {Local(m.notBefore)})
                                   : "") +
                              (m.wantModem.isEmpty()
                                   ? ""
                                   : "  " + Fill(translate("queue", "(through %1)"), {S(m.wantModem)})),
                          io.outIsTerminal)
                   << '\n';
        return kExitOk;
    }

    // pause, resume, cancel: through an outbox over a service with no phone.
    NoPhoneTransport none;
    MessageService service(&store, none);
    Outbox outbox(service);
    Result<bool> done = Result<bool>::Ok(false);
    if (target->batch) {
        if (!store.Batch(target->id))
            return Report({kExitRefused,
                           Fill(translate("queue", "there is no batch B%1"), {std::to_string(target->id)})},
                          io);
        done = verb == "pause"    ? outbox.pause(target->id)
               : verb == "resume" ? outbox.resume(target->id)
                                  : outbox.cancel(target->id);
    } else {
        if (!store.Message(target->id))
            return Report({kExitRefused,
                           Fill(translate("queue", "there is no message %1"), {std::to_string(target->id)})},
                          io);
        done = verb == "resume" ? outbox.retryMessage(target->id) : outbox.cancelMessage(target->id);
    }
    if (!done)
        return Report({kExitRefused, done.error()}, io);
    if (target->batch) {
        const auto b = store.Batch(target->id);
        io.out << (b ? Fill(translate("queue", "Batch B%1 %2: %3"),
                            {std::to_string(target->id), BatchState(*b), Counts(*b)})
                     : Fill(translate("queue", "Batch B%1 %2"), {std::to_string(target->id), verb}))
               << '\n';
    } else {
        const auto m = store.Message(target->id);
        if (!done.value())
            return Report(
                {kExitRefused,
                 Fill(verb == "resume" ? translate("queue", "message %1 is %2: nothing to resume")
                                       : translate("queue", "message %1 is %2: nothing to cancel"),
                      {std::to_string(target->id), m ? StateShown(*m) : translate("queue", "gone")})},
                io);
        io.out << Fill(translate("queue", "Message %1: %2"),
                       {std::to_string(target->id), m ? StateShown(*m) : verb})
               << '\n';
    }
    return kExitOk;
}

} // namespace velmora::cli
