// The store's side of the API: the event sequence its triggers fill, read
// by a cursor while another connection writes, idempotency keys, a single
// message's own expiry, and a third-schema store brought to the fourth.

#include "MessageStore.h"

#include "MessageApi.h"

#include "PgTest.h"
#include "StoreFixtures.h"
#include "TestNames.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <set>
#include <thread>

namespace velmora {
namespace {

using testing::Deliver;
using testing::Part;
using testing::Utc;

template <class T> T Value(const Result<T>& r) {
    if (!r) {
        ADD_FAILURE() << r.error();
        return T{};
    }
    return *r;
}

const ModemId kModem{QStringLiteral("510011234567890"), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("a")};

MessageRecord Queued(const QString& number, const QDateTime& expire = {}) {
    MessageRecord m;
    m.number = number;
    m.kind = QStringLiteral("text");
    m.text = QStringLiteral("Rapat jam 7");
    m.wantModem = QString();
    m.expireAt = expire;
    PartRecord p;
    p.pdu = QStringLiteral("0011000C912658969999990000AA0361F118");
    m.parts.push_back(p);
    return m;
}

class StoreApi : public ::testing::Test {
protected:
    // A file, or a schema of its own on the test server.
    QString Path() const { return testing::StoreOfTest(QDir(dir.path()), server); }
    std::unique_ptr<MessageStore> OpenStore() {
        auto store = MessageStore::Open(Path());
        EXPECT_TRUE(store) << store.error();
        return store ? std::move(store.value()) : nullptr;
    }
    qint64 QueueOne(MessageStore& s, const QString& number, const QDateTime& expire = {}) {
        const auto ids = Value(s.AddQueuedKeyed({Queued(number, expire)}));
        return ids.empty() ? 0 : ids.front();
    }
    QTemporaryDir dir;
    mutable QString server;
};

// ---- the events each change makes

struct EventStep {
    const char* name;
    std::function<void(MessageStore&, qint64& id)> change;
    std::vector<std::pair<const char*, const char*>> events; // kind, state
};

TEST_F(StoreApi, everyChangeOfAMessageIsOneEventInItsTransaction) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const QDateTime when = Utc("2026-03-01T10:00:00Z");
    const QString number = QStringLiteral("6281234567");
    qint64 id = 0;
    const EventStep steps[] = {
        {"queued", [&](MessageStore& s, qint64& m) { m = QueueOne(s, number); }, {{"state", "queued"}}},
        {"claimed",
         [&](MessageStore& s, qint64& m) { EXPECT_TRUE(Value(s.Claim(m, when, kModem))); },
         {{"state", "sending"}}},
        {"sent",
         [](MessageStore& s, qint64& m) { Value(s.SetState(m, msg::State::Sent)); },
         {{"state", "sent"}}},
        {"the same state again",
         [](MessageStore& s, qint64& m) { Value(s.SetState(m, msg::State::Sent)); },
         {}},
        {"its report",
         [](MessageStore& s, qint64& m) { Value(s.SetState(m, msg::State::Delivered)); },
         {{"state", "delivered"}}},
        {"a text of the user's own program",
         [](MessageStore& s, qint64& m) {
             MessageRecord r = Queued(QStringLiteral("6281111"));
             r.state = msg::State::Sending;
             m = Value(s.AddOutgoing(r));
         },
         {{"state", "sending"}}},
        {"a whole message read",
         [&](MessageStore& s, qint64&) {
             Value(s.AddReceived(kModem, "SM", 1, Deliver(number, "Halo", when), when));
         },
         {{"received", "received"}}},
        {"the same message read again",
         [&](MessageStore& s, qint64&) {
             Value(s.AddReceived(kModem, "SM", 1, Deliver(number, "Halo", when), when));
         },
         {}},
        {"the first part of two",
         [&](MessageStore& s, qint64&) {
             Value(s.AddReceived(kModem, "SM", 2, Deliver(number, "Sa", when, Part{9, 2, 1}), when));
         },
         {}},
        {"the last part",
         [&](MessageStore& s, qint64&) {
             Value(s.AddReceived(kModem, "SM", 3, Deliver(number, "tu", when, Part{9, 2, 2}), when));
         },
         {{"received", "received"}}},
        {"a delivery report, no message",
         [&](MessageStore& s, qint64&) {
             Value(s.AddReceived(kModem, "SM", 4,
                                 QStringLiteral("0006070C91265896999999622180120000826221801200108200"),
                                 when));
         },
         {}},
        {"cancelled in the queue",
         [&](MessageStore& s, qint64& m) {
             m = QueueOne(s, number);
             EXPECT_TRUE(Value(s.CancelQueued(m)));
         },
         {{"state", "queued"}, {"state", "cancelled"}}},
    };
    qint64 seen = store->LastEventSeq();
    EXPECT_EQ(seen, 0);
    for (const EventStep& step : steps) {
        step.change(*store, id);
        const auto events = Value(store->EventsAfter(seen, 100));
        ASSERT_EQ(events.size(), step.events.size()) << step.name;
        for (std::size_t i = 0; i < events.size(); ++i) {
            EXPECT_EQ(events[i].kind, step.events[i].first) << step.name;
            EXPECT_EQ(events[i].state, step.events[i].second) << step.name;
            EXPECT_GT(events[i].seq, seen) << step.name;
            EXPECT_TRUE(events[i].at.isValid()) << step.name;
            seen = events[i].seq;
        }
        EXPECT_EQ(store->LastEventSeq(), seen) << step.name;
    }
}

// ---- the cursor

// One connection writes on a thread of its own while another reads pages
// by the cursor: every message comes, its last change is never passed
// over, and each writer's messages end in commit order, however the pages
// fall between the commits.
TEST_F(StoreApi, theCursorNeverSkipsNorRepeatsWithTwoWriters) {
    auto reader = OpenStore();
    ASSERT_TRUE(reader);
    constexpr int kEach = 150;
    std::atomic<bool> done{false};
    std::vector<qint64> written[2];
    const auto write = [&](int which) {
        auto opened = MessageStore::Open(Path());
        ASSERT_TRUE(opened) << opened.error();
        MessageStore& s = *opened.value();
        for (int i = 0; i < kEach; ++i) {
            const auto ids = Value(s.AddQueuedKeyed({Queued(QStringLiteral("62812%1%2").arg(which).arg(i))}));
            ASSERT_EQ(ids.size(), 1u);
            written[which].push_back(ids.front());
            // A change of state makes events that must not bring it again.
            Value(s.SetState(ids.front(), msg::State::Failed, msg::Reason::Error));
        }
    };
    std::thread first(write, 0), second(write, 1);
    std::vector<qint64> read;
    std::map<qint64, msg::State> lastSeen;
    qint64 cursor = 0;
    const auto page = [&] {
        const MessagePage p = Value(reader->MessagesAfter(cursor, QStringLiteral("state"), 7));
        EXPECT_GE(p.next, cursor);
        EXPECT_EQ(p.last.size(), p.messages.size());
        std::set<qint64> inPage;
        for (const MessageRecord& m : p.messages) {
            EXPECT_TRUE(inPage.insert(m.id).second) << "twice in one page: " << m.id;
            // Seen again later, it is the latest of it that counts.
            std::erase(read, m.id);
            read.push_back(m.id);
            lastSeen[m.id] = m.state;
        }
        cursor = p.next;
        return p.messages.size();
    };
    std::thread watch([&] {
        first.join();
        second.join();
        done = true;
    });
    while (!done)
        page();
    watch.join();
    while (page() > 0) {
    }
    std::set<qint64> all(written[0].begin(), written[0].end());
    all.insert(written[1].begin(), written[1].end());
    ASSERT_EQ(all.size(), 2u * kEach);
    EXPECT_EQ(std::set<qint64>(read.begin(), read.end()), all);
    // Each one's failure is learnt, whether its page came before or after.
    for (const auto& [id, state] : lastSeen)
        EXPECT_EQ(state, msg::State::Failed) << id;
    // In the order they were committed: each writer's own in its order.
    for (const auto& mine : written) {
        std::vector<qint64> order;
        for (const qint64 id : read)
            if (std::find(mine.begin(), mine.end(), id) != mine.end())
                order.push_back(id);
        EXPECT_EQ(order, mine);
    }
    EXPECT_EQ(Value(reader->MessagesAfter(cursor, {}, 10)).messages.size(), 0u);
}

TEST_F(StoreApi, aPageHoldsEachMessageOnceByItsLastEventOfTheKind) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const QDateTime when = Utc("2026-03-01T10:00:00Z");
    const qint64 out = QueueOne(*store, QStringLiteral("6281"));
    const qint64 in = Value(store->AddReceived(kModem, "SM", 1, Deliver("6282", "Halo", when), when)).id;
    Value(store->SetState(out, msg::State::Failed, msg::Reason::Error));
    const qint64 gone = QueueOne(*store, QStringLiteral("6283"));
    Value(store->Delete(gone));
    // Events: 1 out queued, 2 in received, 3 out failed, 4 gone queued.
    const struct {
        const char* kind;
        qint64 after;
        int limit;
        std::vector<qint64> ids;
        std::vector<qint64> last;
    } cases[] = {
        {"", 0, 10, {in, out}, {2, 3}},
        {"received", 0, 10, {in}, {2}},
        {"state", 0, 10, {out}, {3}},
        {"", 0, 1, {out}, {1}},
        {"", 0, 2, {out, in}, {1, 2}},
        // Its failure is news to one who saw it queued.
        {"state", 1, 10, {out}, {3}},
        {"", 2, 1, {out}, {3}},
    };
    for (const auto& c : cases) {
        const MessagePage p = Value(store->MessagesAfter(c.after, QString::fromLatin1(c.kind), c.limit));
        std::vector<qint64> ids;
        for (const MessageRecord& m : p.messages)
            ids.push_back(m.id);
        EXPECT_EQ(ids, c.ids) << c.kind << " " << c.after << " " << c.limit;
        EXPECT_EQ(p.last, c.last) << c.kind << " " << c.after << " " << c.limit;
    }
    // A page that is not full moves the cursor past all it looked at; a full
    // one only to its last event.
    const MessagePage full = Value(store->MessagesAfter(0, {}, 1));
    EXPECT_EQ(full.next, 1);
    const MessagePage rest = Value(store->MessagesAfter(full.next, {}, 10));
    EXPECT_EQ(rest.next, store->LastEventSeq());
    ASSERT_EQ(rest.messages.size(), 2u);
    EXPECT_EQ(rest.messages[0].id, in);
    EXPECT_EQ(rest.messages[1].id, out);
    EXPECT_EQ(rest.messages[1].state, msg::State::Failed);
    EXPECT_TRUE(Value(store->MessagesAfter(rest.next, {}, 10)).messages.empty());
    EXPECT_EQ(Value(store->MessagesAfter(rest.next, {}, 10)).next, rest.next);
}

// ---- keys and expiry

TEST_F(StoreApi, theSameKeyGivesItsIdsAndQueuesNothing) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    bool again = true;
    const auto first =
        Value(store->AddQueuedKeyed({Queued("6281"), Queued("6282")}, QStringLiteral("order-17"), &again));
    ASSERT_EQ(first.size(), 2u);
    EXPECT_FALSE(again);
    const int count = store->Count({});
    const qint64 seq = store->LastEventSeq();
    const auto second = Value(store->AddQueuedKeyed({Queued("6289")}, QStringLiteral("order-17"), &again));
    EXPECT_TRUE(again);
    EXPECT_EQ(second, first);
    EXPECT_EQ(store->Count({}), count);
    EXPECT_EQ(store->LastEventSeq(), seq);
    EXPECT_EQ(store->KeyIds(QStringLiteral("order-17")), first);
    EXPECT_FALSE(store->KeyIds(QStringLiteral("order-18")));
    EXPECT_EQ(Value(store->AddQueuedKeyed({Queued("6289")}, QStringLiteral("order-18"), &again)).size(), 1u);
    EXPECT_FALSE(again);
    // No key, no memory of it: queued each time.
    Value(store->AddQueuedKeyed({Queued("6289")}));
    Value(store->AddQueuedKeyed({Queued("6289")}));
    EXPECT_EQ(store->Count({}), count + 3);
    // A key forgotten queues again.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    EXPECT_EQ(Value(store->ForgetKeysBefore(now.addSecs(-3600))), 0);
    EXPECT_EQ(Value(store->ForgetKeysBefore(now.addSecs(5))), 2);
    EXPECT_NE(Value(store->AddQueuedKeyed({Queued("6289")}, QStringLiteral("order-17"), &again)), first);
    EXPECT_FALSE(again);
}

TEST_F(StoreApi, aDeletedMessagesEventsGoWithIt) {
    if (testing::OnPg())
        GTEST_SKIP() << "about SQLite files";
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 kept = QueueOne(*store, "6281");
    const qint64 gone = QueueOne(*store, "6282");
    Value(store->SetState(gone, msg::State::Failed, msg::Reason::Error));
    const qint64 old = QueueOne(*store, "6283");
    Value(store->SetState(old, msg::State::Failed, msg::Reason::Error));
    ASSERT_TRUE(
        testing::RunSql(Path(), {QStringLiteral("UPDATE messages SET at = 0 WHERE id = %1").arg(old)}));
    EXPECT_TRUE(Value(store->Delete(gone)));
    EXPECT_EQ(Value(store->DeleteBefore(QDateTime::fromMSecsSinceEpoch(1, Qt::UTC))), 1);
    const auto events = Value(store->EventsAfter(0, 100));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].message, kept);
}

TEST_F(StoreApi, aSingleMessageExpiresAtItsOwnTime) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const QDateTime noon = Utc("2026-03-01T12:00:00Z");
    const qint64 late = QueueOne(*store, "6281", noon.addSecs(-1));
    const qint64 early = QueueOne(*store, "6282", noon.addSecs(60));
    const qint64 never = QueueOne(*store, "6283");
    const qint64 taken = QueueOne(*store, "6284", noon.addSecs(-60));
    ASSERT_TRUE(Value(store->Claim(taken, noon, kModem)));
    EXPECT_EQ(Value(store->ExpireQueued(noon)), std::vector<qint64>{late});
    EXPECT_EQ(store->Message(late)->state, msg::State::Failed);
    EXPECT_EQ(store->Message(late)->reason, msg::Reason::Expired);
    EXPECT_EQ(store->Message(early)->state, msg::State::Queued);
    EXPECT_EQ(store->Message(early)->expireAt, noon.addSecs(60));
    EXPECT_EQ(store->Message(never)->state, msg::State::Queued);
    EXPECT_EQ(store->Message(taken)->state, msg::State::Sending) << "one on its way is not taken back";
    EXPECT_EQ(Value(store->ExpireQueued(noon.addSecs(61))), std::vector<qint64>{early});
}

// ---- as every door shows them

// ---- who posts the webhooks

// Two programs with the same [Webhooks] Url= on one store: on a server one
// posts at a time and the other takes over when it lets go or its
// connection ends; on a file each is alone with it, and always leads.
TEST_F(StoreApi, oneConnectionAtATimeLeadsAUrlsWebhooksOnAServer) {
    auto first = OpenStore();
    auto second = OpenStore();
    ASSERT_TRUE(first && second);
    const QString url = QStringLiteral("https://hooks.example/sms");
    const QString other = QStringLiteral("https://hooks.example/other");
    const struct {
        const char* name;
        std::function<bool()> ask;
        bool onServer; // on a file: always true
    } steps[] = {
        {"the first asks", [&] { return first->LeadsWebhooks(url); }, true},
        {"the second asks", [&] { return second->LeadsWebhooks(url); }, false},
        {"the first asks again", [&] { return first->LeadsWebhooks(url); }, true},
        {"another URL is led apart", [&] { return second->LeadsWebhooks(other); }, true},
        {"a release by one that does not lead changes nothing",
         [&] {
             second->ReleaseWebhooks(url);
             return second->LeadsWebhooks(url);
         },
         false},
        {"one release lets go, however often the first asked",
         [&] {
             first->ReleaseWebhooks(url);
             return second->LeadsWebhooks(url);
         },
         true},
        {"the first follows now", [&] { return first->LeadsWebhooks(url); }, false},
        {"the second lets go",
         [&] {
             second->ReleaseWebhooks(url);
             return first->LeadsWebhooks(url);
         },
         true},
        {"the first's connection ends",
         [&] {
             first.reset();
             return second->LeadsWebhooks(url);
         },
         true},
    };
    for (const auto& step : steps)
        EXPECT_EQ(step.ask(), step.onServer || !testing::OnPg()) << step.name;
}

TEST(MessageJsonShape, theModemIsNamedWhenItHasAName) {
    const struct {
        const char* name;
        const char* imsi;
        const char* device;
        const char* modem;
        const char* json; // the "modem" value, compact
    } rows[] = {
        {"nothing known", "", "", "", "null"},
        {"the one modem of the window", "510011234567890", "/dev/ttyUSB0", "",
         R"({"device":"/dev/ttyUSB0","imsi":"510011234567890"})"},
        {"a modem of the daemon", "", "/dev/ttyUSB1", "office",
         R"({"device":"/dev/ttyUSB1","imsi":null,"name":"office"})"},
        {"read by a named modem", "", "", "office", R"({"device":null,"imsi":null,"name":"office"})"},
    };
    for (const auto& row : rows) {
        MessageRecord m;
        m.modemImsi = QString::fromLatin1(row.imsi);
        m.modemDevice = QString::fromLatin1(row.device);
        m.modem = QString::fromLatin1(row.modem);
        const QJsonValue modem = MessageJson(m).value(QLatin1String("modem"));
        const QByteArray shown = modem.isNull()
                                     ? QByteArray("null")
                                     : QJsonDocument(modem.toObject()).toJson(QJsonDocument::Compact);
        EXPECT_EQ(shown.toStdString(), row.json) << row.name;
    }
}

// ---- migration

TEST_F(StoreApi, aThirdSchemaStoreGainsTheEventsInPlaceWithoutTellingItsPast) {
    if (testing::OnPg())
        GTEST_SKIP() << "about SQLite files";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Path()).absolutePath()));
    ASSERT_TRUE(testing::WriteVersion3Store(Path()));
    {
        auto store = OpenStore();
        ASSERT_TRUE(store);
        EXPECT_EQ(store->Count({}), 5);
        EXPECT_EQ(store->LastEventSeq(), 0);
        EXPECT_TRUE(Value(store->MessagesAfter(0, {}, 100)).messages.empty());
        EXPECT_FALSE(store->Message(3)->expireAt.isValid());
        // An old message that moves on is told from then on.
        ASSERT_TRUE(Value(store->CancelQueued(3)));
        const auto events = Value(store->EventsAfter(0, 10));
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].message, 3);
        EXPECT_EQ(events[0].state, "cancelled");
        EXPECT_EQ(Value(store->AddQueuedKeyed({Queued("6281")}, QStringLiteral("k"))).size(), 1u);
    }
    const QByteArray header = testing::Bytes(Path()).left(100);
    ASSERT_EQ(header.size(), 100);
    EXPECT_EQ(header[63], char(MessageStore::kSchemaVersion));
    // The webhooks' queue is there for its own code.
    EXPECT_TRUE(testing::RunSql(Path(), {"INSERT INTO webhooks(seq, url, body, next_at)"
                                         " VALUES(1, 'http://127.0.0.1:1/', X'7B7D', 0)"}));
    EXPECT_FALSE(testing::RunSql(Path(), {"INSERT INTO webhooks(seq, url, body, next_at)"
                                          " VALUES(1, 'http://127.0.0.1:1/', X'7B7D', 0)"}))
        << "one row an event and URL";
}

// What a received log holds came long ago: taken in, it is history, not news.
TEST_F(StoreApi, anImportedLogMakesNoEvents) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 before = QueueOne(*store, "6281");
    const QString log = dir.filePath(QStringLiteral("received.log"));
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(("01-03-2026 10:00:00 AM +6282 " +
             Deliver("6282", "Lama", Utc("2026-03-01T10:00:00Z")).toLatin1() + "\r\n"));
    f.close();
    const ImportReport report = store->ImportReceivedLog(log);
    EXPECT_EQ(report.imported, 1) << report.error.toStdString();
    EXPECT_EQ(store->Count({}), 2);
    const auto events = Value(store->EventsAfter(0, 10));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].message, before);
    // What comes after is told as before.
    QueueOne(*store, "6283");
    EXPECT_EQ(Value(store->EventsAfter(events[0].seq, 10)).size(), 1u);
}

} // namespace
} // namespace velmora
