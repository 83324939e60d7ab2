// The outbox over a transport that answers at once and a store in a
// temporary folder, on a clock the test moves: when each message of a batch
// starts, what a refusal or a silent phone does to the batch, and that a
// batch is neither queued twice nor sent twice by two programs.

#include "Outbox.h"
#include "MessageService.h"
#include "MessageStore.h"
#include "SimPhone.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <filesystem>

namespace velmora::testing {
namespace {

// Answers every part with the outcome it is set to, at once.
class ReadyTransport : public MessageTransport {
public:
    bool Ready() const override { return ready; }
    ModemId Modem() const override { return {"510109876543210", "/dev/ttyUSB0"}; }
    void Submit(qint64 id, const std::vector<std::string>& pdus, const std::string& destination) override {
        submitted.push_back({id, QString::fromStdString(destination)});
        for (std::size_t i = 0; i < pdus.size(); ++i) {
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

} // namespace
} // namespace velmora::testing
