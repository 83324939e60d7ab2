// The outbox over a transport that answers at once and a store in a
// temporary folder, on a clock the test moves: when each message of a batch
// starts, what a refusal or a silent phone does to the batch, and that a
// batch is neither queued twice nor sent twice by two programs.

#include "Outbox.h"
#include "MessageService.h"
#include "MessageStore.h"
#include "SimPhone.h"
#include "TestNames.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <filesystem>

namespace velmora::testing {
namespace {

// Answers every part with the outcome it is set to, at once, or when told
// to (`hold`: the message stays on its way until finish()).
class ReadyTransport : public MessageTransport {
public:
    bool Ready() const override { return ready; }
    ModemId Modem() const override { return modem; }
    void Submit(qint64 id, const std::vector<std::string>& pdus, const std::string& destination) override {
        submitted.push_back({id, QString::fromStdString(destination)});
        if (hold) {
            held.emplace_back(id, pdus.size());
            return;
        }
        reply(id, pdus.size());
    }
    void finish() {
        const auto waiting = std::move(held);
        held.clear();
        for (const auto& [id, parts] : waiting)
            reply(id, parts);
    }
    void reply(qint64 id, std::size_t parts) {
        for (std::size_t i = 0; i < parts; ++i) {
            PartOutcome p;
            p.id = id;
            p.part = static_cast<int>(i);
            p.outcome = outcome;
            p.answer = answer;
            p.reference = 1;
            service()->partSubmitted(p);
        }
        service()->sendEnded(id);
    }
    bool ready = true;
    bool hold = false;
    std::vector<std::pair<qint64, std::size_t>> held;
    ModemId modem{"510109876543210", "/dev/ttyUSB0"};
    SubmitOutcome outcome = SubmitOutcome::Sent;
    QString answer = QStringLiteral("+CMGS: 1\r\n\r\nOK");
    std::vector<std::pair<qint64, QString>> submitted;
};

int Argc = 1;
char Arg0[] = "outbox_tests";
char* Argv[] = {Arg0, nullptr};

const QDateTime kStart = QDateTime::fromString(QStringLiteral("2026-12-09T08:00:00Z"), Qt::ISODate);

class OutboxTest : public ::testing::Test {
protected:
    OutboxTest() : dir(TempDir("outbox")), path(QString::fromStdString(dir + "/messages.sqlite")) {
        if (!QCoreApplication::instance())
            new QCoreApplication(Argc, Argv);
        store = Open();
        service = std::make_unique<MessageService>(store.get(), transport);
        outbox = std::make_unique<Outbox>(*service, [this] { return now; });
    }
    ~OutboxTest() override {
        outbox.reset();
        service.reset();
        store.reset();
        std::filesystem::remove_all(dir);
    }
    std::unique_ptr<MessageStore> Open() {
        auto opened = MessageStore::Open(path);
        EXPECT_TRUE(opened) << opened.error();
        return opened ? std::move(opened.value()) : nullptr;
    }

    static BatchRequest Batch(int n, const BatchPacing& pacing = {}) {
        BatchRequest b;
        for (int i = 0; i < n; ++i) {
            BatchRecipient r;
            r.request.destination = "62812000" + std::to_string(1000 + i);
            r.request.text = u"Rapat jam 7";
            b.recipients.push_back(r);
        }
        b.pacing = pacing;
        return b;
    }

    // Runs the outbox until nothing is left, moving the clock to each time
    // it waits for; gives the seconds from kStart at which each message was
    // handed over.
    std::vector<qint64> Drain(Outbox& box, int most = 100) {
        std::vector<qint64> starts;
        for (int i = 0; i < most; ++i) {
            const OutboxStep step = box.next();
            if (step.kind == OutboxStep::Started)
                starts.push_back(kStart.secsTo(now));
            else if (step.kind == OutboxStep::Wait)
                now = step.at;
            else
                break;
        }
        return starts;
    }

    std::string dir;
    QString path;
    QDateTime now = kStart;
    ReadyTransport transport;
    std::unique_ptr<MessageStore> store;
    std::unique_ptr<MessageService> service;
    std::unique_ptr<Outbox> outbox;
};

struct PacingCase {
    const char* name;
    int messages;
    qint64 intervalMs;
    int perHour;
    int startAfterS;  // 0: at once
    int expireAfterS; // 0: never
    std::vector<qint64> starts;
    int expired;
};

class Pacing : public OutboxTest, public ::testing::WithParamInterface<PacingCase> {};

TEST_P(Pacing, eachMessageStartsWhenItsBatchAllows) {
    const PacingCase& c = GetParam();
    BatchPacing pacing;
    pacing.intervalMs = c.intervalMs;
    pacing.perHour = c.perHour;
    if (c.startAfterS)
        pacing.startAt = kStart.addSecs(c.startAfterS);
    if (c.expireAfterS)
        pacing.expireAt = kStart.addSecs(c.expireAfterS);
    const auto queued = outbox->queue(Batch(c.messages, pacing));
    ASSERT_TRUE(queued);
    EXPECT_EQ(Drain(*outbox), c.starts);
    const auto batch = store->Batch(queued->batch);
    ASSERT_TRUE(batch);
    EXPECT_EQ(batch->sent, static_cast<int>(c.starts.size()));
    EXPECT_EQ(batch->failed, c.expired);
    EXPECT_EQ(batch->queued, 0);
}

INSTANTIATE_TEST_SUITE_P(Batches, Pacing,
                         ::testing::Values(PacingCase{"asFastAsThePhone", 3, 0, 0, 0, 0, {0, 0, 0}, 0},
                                           PacingCase{"interval", 4, 5000, 0, 0, 0, {0, 5, 10, 15}, 0},
                                           PacingCase{
                                               "capPerHour", 5, 0, 2, 0, 0, {0, 0, 3600, 3600, 7200}, 0},
                                           PacingCase{"intervalAndCap", 3, 60000, 2, 0, 0, {0, 60, 3600}, 0},
                                           PacingCase{"sendAt", 2, 10000, 0, 600, 0, {600, 610}, 0},
                                           PacingCase{"expiry", 5, 5000, 0, 0, 12, {0, 5, 10}, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OutboxTest, aRefusedMessageIsTriedAgainWithGrowingPausesThenLeftFailed) {
    transport.outcome = SubmitOutcome::Failed;
    transport.answer = QStringLiteral("+CMS ERROR: 38");
    BatchPacing pacing;
    pacing.retries = 2;
    ASSERT_TRUE(outbox->queue(Batch(1, pacing)));
    // The first try, then a minute later, then two minutes after that.
    EXPECT_EQ(Drain(*outbox), (std::vector<qint64>{0, 60, 180}));
    const auto m = store->Messages(HistoryQuery{}).front();
    EXPECT_EQ(m.state, msg::State::Failed);
    EXPECT_EQ(m.reason, msg::Reason::CmsError);
    EXPECT_EQ(m.reasonCode, 38);
    EXPECT_EQ(m.tries, 3);
}

TEST_F(OutboxTest, aMessageThatMayHaveGoneIsNeverSentAgainAndPausesItsBatch) {
    transport.outcome = SubmitOutcome::Unknown;
    const auto queued = outbox->queue(Batch(3));
    ASSERT_TRUE(queued);
    QSignalSpy paused(outbox.get(), &Outbox::batchPaused);
    EXPECT_EQ(Drain(*outbox), (std::vector<qint64>{0}));
    ASSERT_EQ(paused.count(), 1);
    EXPECT_EQ(paused[0][1].value<msg::Reason>(), msg::Reason::NoAnswer);
    auto batch = store->Batch(queued->batch);
    EXPECT_EQ(batch->state, msg::BatchState::Paused);
    EXPECT_EQ(batch->uncertain, 1);
    EXPECT_EQ(batch->queued, 2);
    // Resumed, the rest go; the uncertain one stays as it is.
    transport.outcome = SubmitOutcome::Sent;
    ASSERT_TRUE(outbox->resume(queued->batch));
    EXPECT_EQ(Drain(*outbox).size(), 2u);
    batch = store->Batch(queued->batch);
    EXPECT_EQ(batch->uncertain, 1);
    EXPECT_EQ(batch->sent, 2);
    EXPECT_EQ(transport.submitted.size(), 3u);
}

TEST_F(OutboxTest, aLostLinkPutsTheMessageBackAndPausesTheBatch) {
    transport.outcome = SubmitOutcome::LinkLost;
    const auto queued = outbox->queue(Batch(2));
    ASSERT_TRUE(queued);
    EXPECT_EQ(Drain(*outbox).size(), 1u);
    const auto batch = store->Batch(queued->batch);
    EXPECT_EQ(batch->state, msg::BatchState::Paused);
    EXPECT_EQ(batch->pauseReason, msg::Reason::LinkLost);
    EXPECT_EQ(batch->queued, 2);
    EXPECT_EQ(batch->failed, 0);
}

// A modem of several recovers by itself: what it could not send leaves the
// batch to the other modems rather than pausing it for everyone, and one
// that went silent is given nothing more until it is back or a minute has
// passed, so one hang makes one uncertain message, not a run of them.
struct RecoveringCase {
    const char* name;
    SubmitOutcome outcome;
    bool back; // the link opened the modem again before the next look
    // Seconds from the start of each message this modem started, then the
    // batch's state and counts.
    std::vector<qint64> starts;
    int uncertain, queued;
};

class RecoveringModem : public OutboxTest, public ::testing::WithParamInterface<RecoveringCase> {};

TEST_P(RecoveringModem, waitsOnItsOwnAndLeavesTheBatchGoing) {
    const RecoveringCase& c = GetParam();
    outbox->setModemRecovers(true);
    transport.outcome = c.outcome;
    const auto queued = outbox->queue(Batch(3));
    ASSERT_TRUE(queued);
    QSignalSpy paused(outbox.get(), &Outbox::batchPaused);
    ASSERT_EQ(outbox->next().kind, OutboxStep::Started);
    transport.outcome = SubmitOutcome::Sent;
    if (c.back)
        outbox->modemBack();
    EXPECT_EQ(Drain(*outbox), c.starts);
    EXPECT_EQ(paused.count(), 0);
    const auto batch = store->Batch(queued->batch);
    EXPECT_EQ(batch->state, msg::BatchState::Active);
    EXPECT_EQ(batch->uncertain, c.uncertain);
    EXPECT_EQ(batch->queued, c.queued);
}

INSTANTIATE_TEST_SUITE_P(
    OutboxTest, RecoveringModem,
    ::testing::Values(
        // Silent: held a minute, then the other two go.
        RecoveringCase{"silentIsHeldAMinute", SubmitOutcome::Unknown, false, {60, 60}, 1, 0},
        RecoveringCase{"silentThenBackGoesOnAtOnce", SubmitOutcome::Unknown, true, {0, 0}, 1, 0},
        // Pulled before the PDU left: back in the queue, sent again when it can be.
        RecoveringCase{"lostLinkRequeues", SubmitOutcome::LinkLost, false, {0, 0, 0}, 0, 0}),
    [](const ::testing::TestParamInfo<RecoveringCase>& info) { return std::string(info.param.name); });

TEST_F(OutboxTest, noPhoneLeavesEverythingQueued) {
    transport.ready = false;
    ASSERT_TRUE(outbox->queue(Batch(2)));
    EXPECT_EQ(outbox->next().kind, OutboxStep::NoPhone);
    EXPECT_TRUE(transport.submitted.empty());
    EXPECT_EQ(store->Batches(true).front().queued, 2);
}

TEST_F(OutboxTest, theSameBatchQueuedTwiceIsCaughtWhateverTheOrder) {
    BatchRequest first = Batch(3);
    const auto queued = outbox->queue(first);
    ASSERT_TRUE(queued);
    BatchRequest reversed = first;
    std::reverse(reversed.recipients.begin(), reversed.recipients.end());
    const auto twice = outbox->queue(reversed);
    ASSERT_FALSE(twice);
    EXPECT_EQ(twice.error().kind, QueueRefusal::Duplicate);
    EXPECT_EQ(twice.error().batch, queued->batch);
    // Another text is another batch; asked for, the same one goes again.
    BatchRequest other = first;
    other.recipients[0].request.text = u"Rapat jam 8";
    EXPECT_TRUE(outbox->queue(other));
    reversed.again = true;
    EXPECT_TRUE(outbox->queue(reversed));
}

TEST_F(OutboxTest, aRecipientThatDoesNotBuildIsLeftOutAndNamed) {
    BatchRequest b = Batch(2);
    b.recipients[0].name = QStringLiteral("Ani");
    b.recipients[1].request.destination = "08x1";
    const auto queued = outbox->queue(b);
    ASSERT_TRUE(queued);
    EXPECT_EQ(queued->queued, 1);
    // The name from the list is kept with its message.
    EXPECT_EQ(store->Messages(HistoryQuery{}).front().name, QStringLiteral("Ani"));
    ASSERT_EQ(queued->problems.size(), 1u);
    EXPECT_EQ(queued->problems[0].index, 1);
    EXPECT_EQ(queued->problems[0].who, QStringLiteral("08x1"));
}

TEST_F(OutboxTest, twoProgramsOnOneStoreNeverSendTheSameMessage) {
    // A second program: its own connection, service and transport.
    auto otherStore = Open();
    ReadyTransport otherPhone;
    MessageService otherService(otherStore.get(), otherPhone);
    Outbox other(otherService, [this] { return now; });
    ASSERT_TRUE(outbox->queue(Batch(6)));
    for (int i = 0; i < 6; ++i)
        (i % 2 ? other : *outbox).next();
    EXPECT_EQ(outbox->next().kind, OutboxStep::Idle);
    EXPECT_EQ(other.next().kind, OutboxStep::Idle);
    std::vector<qint64> all;
    for (const auto& s : transport.submitted)
        all.push_back(s.first);
    for (const auto& s : otherPhone.submitted)
        all.push_back(s.first);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all.size(), 6u);
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
}

TEST_F(OutboxTest, theUserDecidesOnAnUncertainMessage) {
    transport.outcome = SubmitOutcome::Unknown;
    const auto queued = outbox->queue(Batch(2));
    ASSERT_TRUE(queued);
    Drain(*outbox);
    const qint64 first = transport.submitted.front().first;
    transport.outcome = SubmitOutcome::Sent;
    ASSERT_TRUE(outbox->resume(queued->batch));
    // Sent again on the user's word: it goes once more, and only then.
    ASSERT_TRUE(outbox->retryMessage(first));
    Drain(*outbox);
    EXPECT_EQ(std::count_if(transport.submitted.begin(), transport.submitted.end(),
                            [&](const auto& s) { return s.first == first; }),
              2);
    EXPECT_EQ(store->Message(first)->state, msg::State::Sent);
    EXPECT_EQ(store->Batch(queued->batch)->sent, 2);
}

// "Cancel the Rest": what was still queued is cancelled, not failed, and
// counted apart; it may be put back in the queue by the user.
TEST_F(OutboxTest, theRestCancelledIsCountedAsCancelled) {
    BatchPacing pacing;
    pacing.intervalMs = 60'000;
    const auto queued = outbox->queue(Batch(7, pacing));
    ASSERT_TRUE(queued);
    for (int sent = 0; sent < 3;) {
        const OutboxStep step = outbox->next();
        if (step.kind == OutboxStep::Started)
            ++sent;
        else if (step.kind == OutboxStep::Wait)
            now = step.at;
    }
    QSignalSpy moved(outbox.get(), &Outbox::messageChanged);
    ASSERT_TRUE(outbox->cancel(queued->batch));
    ASSERT_EQ(moved.count(), 4);
    EXPECT_EQ(moved.at(0).at(1).value<msg::State>(), msg::State::Cancelled);
    const auto b = store->Batch(queued->batch);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->total, 7);
    EXPECT_EQ(b->sent, 3);
    EXPECT_EQ(b->cancelled, 4);
    EXPECT_EQ(b->failed, 0);
    EXPECT_TRUE(b->finished());
    const qint64 last = moved.at(3).at(0).toLongLong();
    EXPECT_EQ(store->Message(last)->state, msg::State::Cancelled);
    ASSERT_TRUE(outbox->retryMessage(last));
    EXPECT_EQ(store->Message(last)->state, msg::State::Queued);
    EXPECT_EQ(store->Batch(queued->batch)->cancelled, 3);
}

// A message sent again is a new message that names the one it replaces,
// and the old one names it: the window offers the old one no more.
TEST_F(OutboxTest, aMessageSentAgainNamesTheOneItReplaces) {
    transport.outcome = SubmitOutcome::Failed;
    MessageRequest text;
    text.destination = "628120001000";
    text.text = u"Rapat jam 7";
    const auto first = service->send(text);
    ASSERT_TRUE(first);
    const qint64 old = first.value()->id();
    ASSERT_EQ(store->Message(old)->state, msg::State::Failed);
    transport.outcome = SubmitOutcome::Sent;
    QSignalSpy changed(service.get(), &MessageService::messageChanged);
    const auto again = service->resend(old);
    ASSERT_TRUE(again);
    const qint64 added = again.value()->id();
    const auto resent = store->Message(added);
    const auto replaced = store->Message(old);
    EXPECT_EQ(resent->replaces, old);
    EXPECT_EQ(resent->replacedBy, 0);
    EXPECT_EQ(replaced->replacedBy, added);
    EXPECT_EQ(replaced->state, msg::State::Failed);
    EXPECT_EQ(resent->state, msg::State::Sent);
    // Told of, so a list showing the old one reads it again.
    EXPECT_TRUE(std::any_of(changed.begin(), changed.end(),
                            [&](const QList<QVariant>& args) { return args.at(0).toLongLong() == old; }));
    // The request kept still builds the same message.
    const auto request = RequestFromJson(resent->request);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->text, text.text);
}

// Two programs resending one message at once both pass the question
// "was it sent again?" before either records; the store lets one record its
// replacement and refuses the other, so the recipient gets it once. A
// message sent again is not put back in its batch either.
TEST_F(OutboxTest, aMessageIsSentAgainOnceThoughTwoProgramsAskAtOnce) {
    transport.outcome = SubmitOutcome::Failed;
    MessageRequest text;
    text.destination = "628120001000";
    text.text = u"Rapat jam 7";
    const auto first = service->send(text);
    ASSERT_TRUE(first);
    const qint64 old = first.value()->id();
    ASSERT_FALSE(service->whyNotResend(old));

    auto other = Open();
    ASSERT_TRUE(other);
    MessageRecord mine = *store->Message(old);
    mine.id = 0;
    mine.replaces = old;
    MessageRecord theirs = mine;
    const auto recorded = store->AddOutgoing(mine);
    const auto refused = other->AddOutgoing(theirs);
    ASSERT_TRUE(recorded) << recorded.error();
    EXPECT_FALSE(refused);
    EXPECT_EQ(store->Message(old)->replacedBy, recorded.value());
    EXPECT_EQ(store->ReplacedBy(old), recorded.value());
    EXPECT_TRUE(service->whyNotResend(old));
    // Requeued by hand after it went again as a message of its own: it
    // would reach them twice.
    const auto requeued = store->Requeue(old, {}, msg::Reason::None, std::nullopt, false);
    ASSERT_TRUE(requeued);
    EXPECT_FALSE(requeued.value());
    EXPECT_EQ(store->Message(old)->state, msg::State::Failed);
}

// A message the user took out of the queue never left: it may go again.
TEST_F(OutboxTest, aCancelledMessageMayBeSentAgain) {
    const auto queued = outbox->queue(Batch(2));
    ASSERT_TRUE(queued);
    ASSERT_TRUE(outbox->cancel(queued.value().batch));
    const auto ids = store->Messages([&] {
        HistoryQuery q;
        q.batch = queued.value().batch;
        return q;
    }());
    ASSERT_EQ(ids.size(), 2u);
    ASSERT_EQ(ids[0].state, msg::State::Cancelled);
    EXPECT_FALSE(service->whyNotResend(ids[0].id));
    const auto again = service->resend(ids[0].id);
    ASSERT_TRUE(again);
    EXPECT_EQ(store->Message(again.value()->id())->replaces, ids[0].id);
}

// ---- several modems on one store, an outbox each

// Another modem on the same store: its own connection, service, transport
// and outbox, on the test's clock.
struct OtherModem {
    OtherModem(const QString& path, const ModemId& id, const std::function<QDateTime()>& clock) {
        auto opened = MessageStore::Open(path);
        EXPECT_TRUE(opened) << opened.error();
        store = opened ? std::move(opened.value()) : nullptr;
        phone.modem = id;
        service = std::make_unique<MessageService>(store.get(), phone);
        outbox = std::make_unique<Outbox>(*service, clock);
    }
    std::vector<qint64> Sent() const {
        std::vector<qint64> ids;
        for (const auto& s : phone.submitted)
            ids.push_back(s.first);
        return ids;
    }
    std::unique_ptr<MessageStore> store;
    ReadyTransport phone;
    std::unique_ptr<MessageService> service;
    std::unique_ptr<Outbox> outbox;
};

const ModemId kA{"510011111111111", "/dev/ttyUSB0", "a"};
const ModemId kB{"510012222222222", "/dev/ttyUSB1", "b"};

MessageRequest OneText(int n = 0) {
    MessageRequest r;
    r.destination = "62813000" + std::to_string(1000 + n);
    r.text = u"Tagihan bulan ini";
    return r;
}

TEST_F(OutboxTest, twoModemsShareABatchAndNeverSendAMessageTwice) {
    OtherModem a(path, kA, [this] { return now; });
    OtherModem b(path, kB, [this] { return now; });
    a.phone.hold = b.phone.hold = true;
    const auto queued = a.outbox->queue(Batch(7));
    ASSERT_TRUE(queued);
    for (int round = 0; round < 5; ++round) {
        // While a's message is on its way, b takes the next one.
        a.outbox->next();
        EXPECT_EQ(a.outbox->next().kind, a.phone.held.empty() ? OutboxStep::Idle : OutboxStep::Busy);
        b.outbox->next();
        a.phone.finish();
        b.phone.finish();
    }
    EXPECT_EQ(a.Sent().size(), 4u);
    EXPECT_EQ(b.Sent().size(), 3u);
    std::vector<qint64> all = a.Sent();
    const std::vector<qint64> byB = b.Sent();
    all.insert(all.end(), byB.begin(), byB.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
    EXPECT_EQ(store->Batch(queued->batch)->sent, 7);
    // Each names the modem that took it, and the SIM its reports come from.
    for (const auto* m : {&a, &b})
        for (const qint64 id : m->Sent()) {
            const auto message = store->Message(id);
            EXPECT_EQ(message->modem, m->phone.modem.name);
            EXPECT_EQ(message->modemImsi, m->phone.modem.imsi);
        }
}

struct RouteCase {
    const char* name;
    bool batch;       // a batch of one, else a message of its own
    const char* want; // the modem it names
    bool aAsksFirst;
    const char* sentBy; // "": neither, it stays queued
};

class Routes : public OutboxTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(Routes, aMessageGoesThroughTheModemItNamesOrTheFirstFree) {
    const RouteCase& c = GetParam();
    OtherModem a(path, kA, [this] { return now; });
    OtherModem b(path, kB, [this] { return now; });
    if (c.batch) {
        BatchRequest request = Batch(1);
        request.wantModem = QString::fromLatin1(c.want);
        ASSERT_TRUE(Outbox::Record(store.get(), request, {}, now));
    } else {
        ASSERT_TRUE(Outbox::RecordOne(store.get(), OneText(), QString::fromLatin1(c.want), {}, now));
    }
    OtherModem& first = c.aAsksFirst ? a : b;
    OtherModem& second = c.aAsksFirst ? b : a;
    first.outbox->next();
    second.outbox->next();
    const QString sentBy = QString::fromLatin1(c.sentBy);
    EXPECT_EQ(a.Sent().size(), sentBy == "a" ? 1u : 0u);
    EXPECT_EQ(b.Sent().size(), sentBy == "b" ? 1u : 0u);
    const auto m = store->Messages({}).front();
    EXPECT_EQ(m.state, sentBy.isEmpty() ? msg::State::Queued : msg::State::Sent);
    EXPECT_EQ(m.modem, sentBy);
}

INSTANTIATE_TEST_SUITE_P(Cases, Routes,
                         ::testing::Values(RouteCase{"alone for a, b asks first", false, "a", false, "a"},
                                           RouteCase{"alone for b, a asks first", false, "b", true, "b"},
                                           RouteCase{"alone for any, a asks first", false, "", true, "a"},
                                           RouteCase{"alone for any, b asks first", false, "", false, "b"},
                                           RouteCase{"batch for b, a asks first", true, "b", true, "b"},
                                           RouteCase{"batch for any, b asks first", true, "", false, "b"},
                                           RouteCase{"alone for a modem not here", false, "c", true, ""},
                                           RouteCase{"batch for a modem not here", true, "c", false, ""}),
                         [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

struct ModemPaceCase {
    const char* name;
    int alone;   // messages of their own, queued first
    int batched; // then a batch of these
    qint64 batchIntervalMs;
    qint64 modemIntervalMs;
    int modemPerHour;
    std::vector<qint64> starts;
};

class ModemPacing : public OutboxTest, public ::testing::WithParamInterface<ModemPaceCase> {};

TEST_P(ModemPacing, eachMessageWaitsForItsModemAndItsBatch) {
    const ModemPaceCase& c = GetParam();
    outbox->setModemPacing(c.modemIntervalMs, c.modemPerHour);
    for (int i = 0; i < c.alone; ++i)
        ASSERT_TRUE(outbox->queueOne(OneText(i)));
    if (c.batched) {
        BatchPacing pacing;
        pacing.intervalMs = c.batchIntervalMs;
        ASSERT_TRUE(outbox->queue(Batch(c.batched, pacing)));
    }
    EXPECT_EQ(Drain(*outbox), c.starts);
    EXPECT_EQ(store->Count([] {
        HistoryQuery q;
        q.state = msg::State::Sent;
        return q;
    }()),
              c.alone + c.batched);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModemPacing,
    ::testing::Values(ModemPaceCase{"no pace", 3, 0, 0, 0, 0, {0, 0, 0}},
                      ModemPaceCase{"interval", 3, 0, 0, 30'000, 0, {0, 30, 60}},
                      ModemPaceCase{"cap per hour", 4, 0, 0, 0, 2, {0, 0, 3600, 3600}},
                      ModemPaceCase{"interval and cap", 3, 0, 0, 600'000, 2, {0, 600, 3600}},
                      ModemPaceCase{"batch slower than its modem", 0, 3, 60'000, 30'000, 0, {0, 60, 120}},
                      ModemPaceCase{"modem slower than the batch", 0, 3, 10'000, 45'000, 0, {0, 45, 90}},
                      ModemPaceCase{"alone and batched share the pace", 1, 2, 0, 20'000, 0, {0, 20, 40}}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// The pace is counted from the store: an outbox started again keeps to it,
// and another modem's starts are not its own.
TEST_F(OutboxTest, aModemsPaceOutlivesItsOutboxAndIsItsOwn) {
    OtherModem a(path, kA, [this] { return now; });
    a.outbox->setModemPacing(60'000, 0);
    ASSERT_TRUE(a.outbox->queueOne(OneText(1)));
    ASSERT_TRUE(a.outbox->queueOne(OneText(2)));
    ASSERT_TRUE(a.outbox->queueOne(OneText(3)));
    EXPECT_EQ(a.outbox->next().kind, OutboxStep::Started);
    Outbox again(*a.service, [this] { return now; });
    again.setModemPacing(60'000, 0);
    const OutboxStep waiting = again.next();
    EXPECT_EQ(waiting.kind, OutboxStep::Wait);
    EXPECT_EQ(waiting.at, kStart.addSecs(60));
    OtherModem b(path, kB, [this] { return now; });
    b.outbox->setModemPacing(60'000, 0);
    EXPECT_EQ(b.outbox->next().kind, OutboxStep::Started);
    EXPECT_EQ(b.outbox->next().at, kStart.addSecs(60));
}

TEST_F(OutboxTest, aMessageOfItsOwnGoesWhenDueAndIsTriedAgainAsABatchsWouldBe) {
    QSignalSpy queuedSignal(outbox.get(), &Outbox::messageChanged);
    const auto later = outbox->queueOne(OneText(), {}, kStart.addSecs(300));
    ASSERT_TRUE(later);
    ASSERT_EQ(queuedSignal.count(), 1);
    EXPECT_EQ(queuedSignal[0][0].toLongLong(), later.value());
    EXPECT_EQ(queuedSignal[0][1].value<msg::State>(), msg::State::Queued);
    transport.outcome = SubmitOutcome::Failed;
    transport.answer = QStringLiteral("+CMS ERROR: 38");
    // Due in five minutes; then refused, a minute and two minutes later.
    EXPECT_EQ(Drain(*outbox), (std::vector<qint64>{300, 360, 480}));
    const auto m = store->Message(later.value());
    EXPECT_EQ(m->state, msg::State::Failed);
    EXPECT_EQ(m->tries, 3);
    EXPECT_EQ(m->batch, 0);
    EXPECT_TRUE(store->Batches().empty());
}

TEST_F(OutboxTest, aMessageOfItsOwnWhoseLinkWasLostWaitsForThePhone) {
    transport.outcome = SubmitOutcome::LinkLost;
    const auto id = outbox->queueOne(OneText());
    ASSERT_TRUE(id);
    EXPECT_EQ(outbox->next().kind, OutboxStep::Started);
    auto m = store->Message(id.value());
    EXPECT_EQ(m->state, msg::State::Queued);
    EXPECT_EQ(m->tries, 0) << "it never reached the phone";
    transport.ready = false;
    EXPECT_EQ(outbox->next().kind, OutboxStep::NoPhone);
    transport.ready = true;
    transport.outcome = SubmitOutcome::Sent;
    EXPECT_EQ(outbox->next().kind, OutboxStep::Started);
    EXPECT_EQ(store->Message(id.value())->state, msg::State::Sent);
}

TEST_F(OutboxTest, aMessageOfItsOwnIsRefusedWithNothingRecorded) {
    MessageRequest bad = OneText();
    bad.destination = "08x1";
    const auto invalid = outbox->queueOne(bad);
    ASSERT_FALSE(invalid);
    EXPECT_EQ(invalid.error().kind, QueueRefusal::Empty);
    ASSERT_EQ(invalid.error().problems.size(), 1u);
    EXPECT_EQ(invalid.error().problems[0].who, "08x1");
    const auto noStore = Outbox::RecordOne(nullptr, OneText(), {}, {}, now, QStringLiteral("no store here"));
    ASSERT_FALSE(noStore);
    EXPECT_EQ(noStore.error().kind, QueueRefusal::Store);
    EXPECT_EQ(noStore.error().why, "no store here");
    EXPECT_EQ(store->Count({}), 0);
}

} // namespace
} // namespace velmora::testing
