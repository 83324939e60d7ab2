// Several programs on one store: claims that never take a message twice,
// a pace kept between programs, leases that run out, and a store's history
// copied into another. On a file, and again on the test server
// (service_tests_pg), where programs on several boxes meet.

#include "MessageStore.h"

#include "PgTest.h"
#include "StoreFixtures.h"
#include "TestNames.h"

#include <QSqlError>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <set>
#include <thread>

namespace velmora {
namespace {

template <class T> T Value(const Result<T>& r) {
    if (!r) {
        ADD_FAILURE() << r.error();
        return T{};
    }
    return *r;
}

const QDateTime kNow = QDateTime::fromMSecsSinceEpoch(1'800'000'000'000, Qt::UTC);

class SharedStore : public ::testing::Test {
protected:
    QString Path() const {
        return testing::StoreOfTest(QDir(dir.path()), server, QStringLiteral("messages.sqlite"));
    }
    std::unique_ptr<MessageStore> Open(const QString& where) {
        auto store = MessageStore::Open(where);
        EXPECT_TRUE(store) << store.error();
        return store ? std::move(store.value()) : nullptr;
    }
    // A statement on the store as another program would run it.
    bool Sql(const QString& statement) {
        if (!testing::OnPg())
            return testing::RunSql(Path(), {statement});
        bool ok = false;
        {
            QSqlDatabase db = testing::OpenPg(Path(), QStringLiteral("shared-test-sql"));
            QSqlQuery q(db);
            ok = q.exec(QStringLiteral("SET search_path TO ") + testing::ParsePgUrl(Path())->schema) &&
                 q.exec(statement);
            EXPECT_TRUE(ok) << q.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("shared-test-sql"));
        return ok;
    }
    static MessageRecord Text(const QString& number) { return testing::QueuedText(number); }
    qint64 Batch(MessageStore& s, int n, qint64 intervalMs = 0, int perHour = 0) {
        BatchRecord b;
        b.name = QStringLiteral("rapat");
        b.key = QStringLiteral("k%1").arg(n);
        b.state = msg::BatchState::Active;
        b.pacing.intervalMs = intervalMs;
        b.pacing.perHour = perHour;
        std::vector<MessageRecord> messages;
        for (int i = 0; i < n; ++i)
            messages.push_back(Text(QStringLiteral("62812%1").arg(1000 + i)));
        return Value(s.AddBatch(b, messages));
    }
    QTemporaryDir dir;
    mutable QString server;
};

// Two programs (each its own connection, its own modem) claim from one
// batch at once until nothing is left: each message is taken once.
TEST_F(SharedStore, twoProgramsClaimingFromOneBatchTakeEachMessageOnce) {
    auto setup = Open(Path());
    ASSERT_TRUE(setup);
    constexpr int kMessages = 120;
    const qint64 batch = Batch(*setup, kMessages);
    std::vector<qint64> taken[2];
    const auto claim = [&](int which) {
        auto own = MessageStore::Open(Path());
        ASSERT_TRUE(own) << own.error();
        const ModemId modem(QString(), QStringLiteral("/dev/ttyUSB%1").arg(which),
                            QStringLiteral("m%1").arg(which));
        for (;;) {
            const auto got = (*own)->ClaimNext(batch, modem, kNow);
            ASSERT_TRUE(got) << got.error();
            if (got->id == 0)
                break;
            taken[which].push_back(got->id);
        }
    };
    std::thread first(claim, 0), second(claim, 1);
    first.join();
    second.join();
    std::set<qint64> all(taken[0].begin(), taken[0].end());
    all.insert(taken[1].begin(), taken[1].end());
    EXPECT_EQ(all.size(), taken[0].size() + taken[1].size()) << "a message was claimed twice";
    EXPECT_EQ(all.size(), std::size_t(kMessages));
    for (int which = 0; which < 2; ++which)
        for (const qint64 id : taken[which]) {
            const auto m = setup->Message(id);
            ASSERT_TRUE(m);
            EXPECT_EQ(m->state, msg::State::Sending);
            EXPECT_EQ(m->modem, QStringLiteral("m%1").arg(which));
            EXPECT_EQ(m->tries, 1);
        }
}

struct PaceCase {
    const char* name;
    qint64 batchIntervalMs;
    int batchPerHour;
    ModemPace modem;
    // Claims at kNow + each offset (ms), by programs in turn; whether each
    // takes one, and when the ones refused may try.
    std::vector<std::pair<qint64, qint64>> claims; // {offset, wait offset or 0 for taken}
};

class Pace : public SharedStore, public ::testing::WithParamInterface<PaceCase> {};

// The pace of a batch and of a modem is decided inside the claim: a second
// program claiming a moment after the first waits as the first would.
TEST_P(Pace, holdsAcrossPrograms) {
    const PaceCase& c = GetParam();
    auto a = Open(Path());
    auto b = Open(Path());
    ASSERT_TRUE(a && b);
    const qint64 batch = Batch(*a, 5, c.batchIntervalMs, c.batchPerHour);
    const ModemId modem(QString(), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("office"));
    for (std::size_t i = 0; i < c.claims.size(); ++i) {
        MessageStore& s = i % 2 ? *b : *a;
        const auto [at, wait] = c.claims[i];
        const auto got = Value(s.ClaimNext(batch, modem, kNow.addMSecs(at), c.modem));
        if (wait == 0) {
            EXPECT_NE(got.id, 0) << "claim " << i;
        } else {
            EXPECT_EQ(got.id, 0) << "claim " << i;
            EXPECT_EQ(got.wait, kNow.addMSecs(wait)) << "claim " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pace,
    ::testing::Values(PaceCase{"batch interval", 60'000, 0, {}, {{0, 0}, {10, 60'000}, {60'000, 0}}},
                      PaceCase{"batch per hour", 0, 2, {}, {{0, 0}, {1, 0}, {2, 3'600'000}}},
                      PaceCase{"modem interval", 0, 0, {30'000, 0}, {{0, 0}, {5, 30'000}, {30'000, 0}}},
                      PaceCase{"none", 0, 0, {}, {{0, 0}, {0, 0}, {0, 0}}}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// A program that stops beating loses what it was sending to "uncertain"
// once its lease runs out, never to the queue; the message, queued again
// by the user and taken by another, is not overwritten by a late word
// from the one that vanished.
TEST_F(SharedStore, aLeaseRunningOutMakesItsMessageUncertainAndALateWordChangesNothing) {
    auto store = Open(Path());
    ASSERT_TRUE(store);
    const qint64 batch = Batch(*store, 2);
    const ModemId modem(QString(), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("office"));
    const qint64 mine = Value(store->ClaimNext(batch, modem, kNow)).id;
    const qint64 theirs = Value(store->ClaimNext(batch, modem, kNow)).id;
    ASSERT_NE(mine, 0);
    ASSERT_NE(theirs, 0);
    // Another box took `theirs` and stopped beating a while ago.
    ASSERT_TRUE(
        Sql(QStringLiteral("UPDATE messages SET owner = 'elsewhere/77:1', lease_until = 1 WHERE id = %1")
                .arg(theirs)));
    const auto expired = Value(store->ExpireLeases());
    if (!store->shared()) {
        // A file's programs are found by their process instead.
        EXPECT_TRUE(expired.empty());
        return;
    }
    EXPECT_EQ(expired, std::vector<qint64>{theirs});
    EXPECT_EQ(store->Message(theirs)->state, msg::State::Uncertain);
    EXPECT_EQ(store->Message(theirs)->reason, msg::Reason::Vanished);
    EXPECT_EQ(store->Message(mine)->state, msg::State::Sending) << "its own claim is not its to expire";
    // This program's word on the other's message changes nothing.
    EXPECT_FALSE(Value(store->SetState(theirs, msg::State::Sent)));
    EXPECT_EQ(store->Message(theirs)->state, msg::State::Uncertain);
    // Its beat keeps its own lease and names it among the programs, the
    // window's one modem (no name) too.
    ASSERT_TRUE(Value(store->Beat({QString()})));
    ASSERT_TRUE(Value(store->Beat({QStringLiteral("office")})));
    EXPECT_TRUE(Value(store->ExpireLeases()).empty());
    const auto instances = Value(store->Instances());
    ASSERT_EQ(instances.size(), 1u);
    EXPECT_EQ(instances[0].id, store->InstanceId());
    EXPECT_EQ(instances[0].modems, QStringList{QStringLiteral("office")});
    EXPECT_TRUE(instances[0].alive);
    // A program of this box that stopped is gone at once, whatever its last
    // beat; one of another box is alive until its lease runs out.
    const QString box = store->InstanceId().section(QLatin1Char('/'), 0, 0);
    const QString now = QStringLiteral("CAST(floor(extract(epoch FROM clock_timestamp()) * 1000) AS bigint)");
    ASSERT_TRUE(
        Sql(QStringLiteral("INSERT INTO instances(id, host, started, beat, modems) VALUES"
                           " ('%1/1:1', 'here', 0, %2, 'office'), ('elsewhere/1:1', 'there', 0, %2, 'shop')")
                .arg(box, now)));
    std::map<QString, bool> alive;
    for (const InstanceRecord& i : Value(store->Instances()))
        alive[i.id] = i.alive;
    EXPECT_FALSE(alive[box + QStringLiteral("/1:1")]);
    EXPECT_TRUE(alive[QStringLiteral("elsewhere/1:1")]);
    // Once its lease ran out it is forgotten, and its modems are away.
    ModemRecord shop;
    shop.name = QStringLiteral("shop");
    shop.state = QStringLiteral("ready");
    ASSERT_TRUE(Value(store->SaveModem(shop)));
    ASSERT_TRUE(Sql(QStringLiteral("UPDATE instances SET beat = 1 WHERE id = 'elsewhere/1:1'")));
    EXPECT_TRUE(Value(store->ExpireLeases()).empty());
    EXPECT_EQ(Value(store->Modems()).front().state, QStringLiteral("away"));
    EXPECT_EQ(Value(store->Instances()).size(), 2u);
    // Its own word is taken; the user may drop the other's, which stays
    // uncertain.
    EXPECT_TRUE(Value(store->SetState(mine, msg::State::Sent)));
    EXPECT_TRUE(Value(store->DropUncertain(theirs)));
    EXPECT_EQ(store->Message(theirs)->state, msg::State::Uncertain);
    EXPECT_EQ(store->Message(theirs)->reason, msg::Reason::Cancelled);
    // Queued again and taken by another, the late word of the first is not
    // taken either.
    ASSERT_TRUE(Value(store->Requeue(theirs, {})));
    ASSERT_EQ(Value(store->ClaimNext(batch, modem, kNow)).id, theirs);
    ASSERT_TRUE(
        Sql(QStringLiteral("UPDATE messages SET owner = 'elsewhere/78:1' WHERE id = %1").arg(theirs)));
    EXPECT_FALSE(Value(store->SetState(theirs, msg::State::Failed, msg::Reason::Error)));
    EXPECT_EQ(store->Message(theirs)->state, msg::State::Sending);
}

// Two programs whose modems hold one SIM read the same PDUs at once: each
// is one message, whichever program recorded it first.
TEST_F(SharedStore, whatTwoProgramsReadFromOneSimIsOneMessageEach) {
    auto setup = Open(Path());
    ASSERT_TRUE(setup);
    constexpr int kPdus = 40;
    std::vector<ReceivedRecord> got[2];
    const auto read = [&](int which) {
        auto own = MessageStore::Open(Path());
        ASSERT_TRUE(own) << own.error();
        const ModemId modem(QStringLiteral("510011234567890"), QStringLiteral("/dev/ttyUSB%1").arg(which),
                            QStringLiteral("m%1").arg(which));
        for (int i = 0; i < kPdus; ++i) {
            const auto r = (*own)->AddReceived(
                modem, QStringLiteral("SM"), i,
                testing::Deliver(QStringLiteral("62812%1").arg(i), QStringLiteral("Halo %1").arg(i), kNow));
            ASSERT_TRUE(r) << r.error();
            got[which].push_back(*r);
        }
    };
    std::thread first(read, 0), second(read, 1);
    first.join();
    second.join();
    HistoryQuery in;
    in.direction = msg::Direction::In;
    EXPECT_EQ(setup->Count(in), kPdus);
    for (int i = 0; i < kPdus; ++i) {
        EXPECT_EQ(got[0][i].id, got[1][i].id) << i;
        EXPECT_NE(got[0][i].newPdu, got[1][i].newPdu) << "one of them recorded PDU " << i << " first";
    }
}

// ---- what only a server does

// Programs starting at once on a new schema all go on, and each schema is
// a store of its own, whatever another schema of the database holds.
TEST_F(SharedStore, programsStartingAtOnceOnANewSchemaAllGoOnAndSchemasStayApart) {
    if (!testing::OnPg())
        GTEST_SKIP() << "about a server";
    const QString where = Path();
    std::vector<std::string> errors(6);
    std::vector<std::thread> programs;
    for (int i = 0; i < 6; ++i)
        programs.emplace_back([&, i] {
            auto s = MessageStore::Open(where);
            if (!s)
                errors[i] = s.error();
            else if (const auto queued = (*s)->AddQueued(Text(QStringLiteral("62812%1").arg(i))); !queued)
                errors[i] = queued.error();
        });
    for (std::thread& t : programs)
        t.join();
    for (const std::string& e : errors)
        EXPECT_EQ(e, "");
    const QString other = testing::FreshPgStore();
    auto apart = Open(other);
    ASSERT_TRUE(apart);
    EXPECT_EQ(apart->Count({}), 0);
    EXPECT_EQ(Open(Path())->Count({}), 6);
}

// A wait for the write lock that runs out fails that one step; a connection
// the server dropped fails the step that found it: the next goes on.
TEST_F(SharedStore, aStepThatFailedOnTheServerLeavesTheNextWhole) {
    if (!testing::OnPg())
        GTEST_SKIP() << "about a server";
    auto store = Open(Path());
    ASSERT_TRUE(store);
    store->SetBusyTimeout(200);
    std::atomic<bool> held{false}, done{false};
    std::thread other([&] {
        {
            QSqlDatabase db = testing::OpenPg(Path(), QStringLiteral("shared-test-hold"));
            QSqlQuery q(db);
            q.exec(QStringLiteral("BEGIN"));
            q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1, hashtext('%2'))")
                       .arg(0x564C4D57)
                       .arg(testing::ParsePgUrl(Path())->schema));
            held = true;
            while (!done)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            q.exec(QStringLiteral("COMMIT"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("shared-test-hold"));
    });
    while (!held)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(store->AddQueued(Text(QStringLiteral("6281200")))) << "another program holds the write lock";
    done = true;
    other.join();
    EXPECT_TRUE(store->AddQueued(Text(QStringLiteral("6281201"))));
    ASSERT_TRUE(Sql(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                                   " WHERE application_name = 'velmora' AND pid <> pg_backend_pid()")));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const bool first = bool(store->AddQueued(Text(QStringLiteral("6281202"))));
    EXPECT_TRUE(store->AddQueued(Text(QStringLiteral("6281203")))) << "the connection was made again";
    EXPECT_EQ(store->Count({}), first ? 3 : 2);
}

// A file of the fourth schema, brought up to date, copied into an empty store
// (the test server's on the pg run) and, from there, back into a file: every
// message, part and event as it was, found by a search, and the next id
// after the copied ones. A store that holds messages takes no copy.
TEST_F(SharedStore, aStoreOfTheLastSchemaCopiesIntoAnEmptyOneAndBack) {
    const QString file = dir.filePath(QStringLiteral("old.sqlite"));
    ASSERT_TRUE(testing::WriteVersion4Store(file));
    auto old = Open(file);
    ASSERT_TRUE(old);
    const ModemId sim(QStringLiteral("510011234567890"), QStringLiteral("/dev/ttyUSB0"));
    ASSERT_NE(Value(old->AddReceived(sim, QStringLiteral("SM"), 3,
                                     testing::Deliver("6281299", "Jadi besok?", kNow)))
                  .id,
              0);
    ASSERT_NE(Value(old->AddReceived({}, QStringLiteral("SM"), 4, QStringLiteral("not a pdu at all"))).id, 0);
    ASSERT_TRUE(Value(old->CancelQueued(3)));
    const auto before = old->Messages({});
    ASSERT_GE(before.size(), 7u);
    // Brought from the fourth schema: its key is still known, its queued
    // message can be claimed with a lease.
    EXPECT_EQ(old->KeyIds(QStringLiteral("order-6")), std::vector<qint64>{6});
    const auto eventsBefore = Value(old->EventsAfter(0, 100));
    EXPECT_EQ(eventsBefore.size(), 4u) << "its own event, and the three changes since";

    const auto same = [&](MessageStore& copy) {
        const auto after = copy.Messages({});
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(after[i].id, before[i].id);
            EXPECT_EQ(after[i].text, before[i].text);
            EXPECT_EQ(after[i].state, before[i].state);
            EXPECT_EQ(after[i].kind, before[i].kind);
            EXPECT_EQ(after[i].received, before[i].received);
            ASSERT_EQ(after[i].parts.size(), before[i].parts.size());
            for (std::size_t p = 0; p < before[i].parts.size(); ++p)
                EXPECT_EQ(after[i].parts[p].pdu, before[i].parts[p].pdu);
        }
        const auto events = Value(copy.EventsAfter(0, 100));
        ASSERT_EQ(events.size(), eventsBefore.size());
        for (std::size_t i = 0; i < events.size(); ++i)
            EXPECT_EQ(events[i].seq, eventsBefore[i].seq);
        HistoryQuery search;
        search.search = QStringLiteral("BESOK");
        EXPECT_EQ(copy.Messages(search).size(), 1u);
        EXPECT_TRUE(copy.HasPdu(QStringLiteral("not a pdu at all")));
    };

    auto target = Open(Path());
    ASSERT_TRUE(target);
    EXPECT_EQ(Value(old->CopyTo(*target)), static_cast<int>(before.size()));
    same(*target);
    const qint64 next = Value(target->AddQueued(Text(QStringLiteral("6281300"))));
    EXPECT_GT(next, before.front().id);
    EXPECT_GT(Value(target->EventsAfter(0, 100)).back().seq, eventsBefore.back().seq);
    const auto refused = old->CopyTo(*target);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("holds messages already"), std::string::npos) << refused.error();

    if (testing::OnPg()) {
        ASSERT_TRUE(Value(target->Delete(next)));
        auto back = Open(dir.filePath(QStringLiteral("back.sqlite")));
        ASSERT_TRUE(back);
        EXPECT_EQ(Value(target->CopyTo(*back)), static_cast<int>(before.size()));
        same(*back);
        // A server's store backed up is such a file, made under another
        // name and renamed.
        const QString backup = dir.filePath(QStringLiteral("backup.sqlite"));
        EXPECT_TRUE(Value(target->Backup(backup)));
        auto copy = Open(backup);
        ASSERT_TRUE(copy);
        same(*copy);
        EXPECT_FALSE(target->Backup(backup)) << "an existing file is kept unless asked";
    }
}

} // namespace
} // namespace velmora
