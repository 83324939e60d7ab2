#include "MessageStore.h"

#include "MessageRequest.h"
#include "PgTest.h"
#include "StoreFixtures.h"
#include "Terms.h"
#include "TestNames.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora {
namespace {

using testing::Deliver;
using testing::Part;
using testing::Utc;

// The status report smslib's own tests read: TP-MR 7, delivered.
const QString kReport = QStringLiteral("0006070C91265896999999622180120000826221801200108200");

// The value of a store's answer; a failure is reported with its reason.
template <class T> T Value(const Result<T>& r) {
    if (!r) {
        ADD_FAILURE() << r.error();
        return T{};
    }
    return *r;
}

class Store : public ::testing::Test {
protected:
    // The store of this test: a file, or a schema of its own on the test
    // server.
    QString Path() const { return testing::StoreOfTest(QDir(dir.path()), server); }
    std::unique_ptr<MessageStore> OpenStore() {
        auto store = MessageStore::Open(Path());
        EXPECT_TRUE(store) << store.error();
        return store ? std::move(store.value()) : nullptr;
    }
    // An outgoing message of `parts` parts sent through `modem`.
    qint64 Outgoing(MessageStore& s, int parts, const ModemId& modem, const QString& number = "628569999999",
                    const QDateTime& created = {}) {
        MessageRecord m;
        m.created = created;
        m.number = number;
        m.kind = QStringLiteral("text");
        m.text = QStringLiteral("hello");
        for (int i = 1; i <= parts; ++i) {
            PartRecord p;
            p.part = i;
            p.pdu = QStringLiteral("0011000C912658969999990000AA0361F118");
            m.parts.push_back(p);
        }
        const auto id = s.AddOutgoing(m);
        EXPECT_TRUE(id) << id.error();
        if (!id)
            return 0;
        EXPECT_TRUE(Value(s.SetModem(*id, modem)));
        return *id;
    }
    QTemporaryDir dir;
    mutable QString server;
};

// ---- opening

struct FreshCase {
    const char* name;
    std::function<bool(const QString&)> make; // leaves the file as it was before the first start
};

class FreshFiles : public Store, public ::testing::WithParamInterface<FreshCase> {};

// A missing file, an empty one and an empty database (schema 0) are all
// brought to the schema through the migrations, and marked as Velmora's.
TEST_P(FreshFiles, areMigratedToTheSchema) {
    if (testing::OnPg())
        GTEST_SKIP() << "about SQLite files";
    ASSERT_TRUE(GetParam().make(Path()));
    {
        auto store = OpenStore();
        ASSERT_TRUE(store);
        EXPECT_TRUE(store->IsEmpty());
        EXPECT_EQ(store->CheckWritable(), "");
        EXPECT_GT(Outgoing(*store, 1, {"", "/dev/ttyUSB0"}), 0);
    }
    const QByteArray header = testing::Bytes(Path()).left(100);
    ASSERT_EQ(header.size(), 100);
    const auto word = [&](int at) {
        return (quint32(quint8(header[at])) << 24) | (quint32(quint8(header[at + 1])) << 16) |
               (quint32(quint8(header[at + 2])) << 8) | quint32(quint8(header[at + 3]));
    };
    EXPECT_EQ(word(60), quint32(MessageStore::kSchemaVersion));
    EXPECT_EQ(word(68), quint32(MessageStore::kApplicationId));
    EXPECT_EQ(header[18], 2) << "not in write-ahead-log mode";
    auto again = OpenStore();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Count({}), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FreshFiles,
    ::testing::Values(FreshCase{"missing, folder too", [](const QString&) { return true; }},
                      FreshCase{"empty file",
                                [](const QString& p) {
                                    return QDir().mkpath(QFileInfo(p).absolutePath()) &&
                                           testing::Write(p, "");
                                }},
                      FreshCase{"empty database, schema 0",
                                [](const QString& p) {
                                    return QDir().mkpath(QFileInfo(p).absolutePath()) &&
                                           testing::RunSql(p, {"CREATE TABLE t(x)", "DROP TABLE t"}) &&
                                           testing::Bytes(p).size() > 0;
                                }}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

struct RefusedCase {
    const char* name;
    QStringList sql; // run on a new database; none: `bytes` is the file
    QByteArray bytes;
    const char* why;
};

class RefusedFiles : public Store, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedFiles, areNamedAndLeftUntouched) {
    if (testing::OnPg())
        GTEST_SKIP() << "about SQLite files";
    const RefusedCase& c = GetParam();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Path()).absolutePath()));
    ASSERT_TRUE(c.sql.isEmpty() ? testing::Write(Path(), c.bytes) : testing::RunSql(Path(), c.sql));
    const QByteArray before = testing::Bytes(Path());
    const QStringList filesBefore = QDir(QFileInfo(Path()).absolutePath()).entryList(QDir::Files);
    const auto store = MessageStore::Open(Path());
    ASSERT_FALSE(store);
    EXPECT_NE(store.error().find(QDir::toNativeSeparators(Path()).toStdString()), std::string::npos)
        << store.error();
    EXPECT_NE(store.error().find(c.why), std::string::npos) << store.error();
    EXPECT_EQ(testing::Bytes(Path()), before);
    EXPECT_EQ(QDir(QFileInfo(Path()).absolutePath()).entryList(QDir::Files), filesBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFiles,
    ::testing::Values(
        RefusedCase{"newer schema",
                    {"CREATE TABLE messages(id INTEGER PRIMARY KEY)",
                     QStringLiteral("PRAGMA application_id = %1").arg(MessageStore::kApplicationId),
                     "PRAGMA user_version = 6"},
                    {},
                    "was written by a newer Velmora (schema 6; this one knows 5)"},
        RefusedCase{"another program's id",
                    {"CREATE TABLE places(id INTEGER PRIMARY KEY)", "PRAGMA application_id = 1179208788"},
                    {},
                    "belongs to another program (application id 0x46494c54)"},
        RefusedCase{"tables without an id",
                    {"CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT)"},
                    {},
                    "holds another program's tables"},
        RefusedCase{"a text file", {}, "12-03-2025 09:15:02 AM +62856 0791\r\n", "is not an SQLite database"},
        RefusedCase{
            "a short SQLite header", {}, QByteArray("SQLite format 3\0", 16), "is not an SQLite database"}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// ---- a store that cannot be written

struct UnwritableCase {
    const char* name;
    bool readOnly; // else locked by another connection
    const char* why;
};

class Unwritable : public Store, public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(Unwritable, saysWhyAndRecordsNothing) {
    if (testing::OnPg())
        GTEST_SKIP() << "about SQLite files";
    const UnwritableCase& c = GetParam();
    {
        auto store = OpenStore();
        ASSERT_TRUE(store);
        Outgoing(*store, 1, {"", "/dev/ttyUSB0"});
    }
    const QString locker = QStringLiteral("test-locker");
    std::optional<testing::WithoutFileOverride> asUser;
    {
        QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), locker);
        lock.setDatabaseName(Path());
        if (c.readOnly) {
            ASSERT_TRUE(QFile::setPermissions(Path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
            asUser.emplace();
        } else {
            ASSERT_TRUE(lock.open());
            ASSERT_TRUE(QSqlQuery(lock).exec(QStringLiteral("BEGIN EXCLUSIVE")));
            ASSERT_TRUE(QSqlQuery(lock).exec(QStringLiteral("INSERT INTO meta VALUES('held', '1')")));
        }
        auto store = OpenStore();
        ASSERT_TRUE(store);
        store->SetBusyTimeout(50);
        const QString why = store->CheckWritable();
        EXPECT_TRUE(why.contains(QDir::toNativeSeparators(Path()))) << why.toStdString();
        EXPECT_TRUE(why.contains(QLatin1String(c.why))) << why.toStdString();
        MessageRecord m;
        m.number = QStringLiteral("628569999999");
        m.parts.push_back(PartRecord{});
        const auto added = store->AddOutgoing(m);
        ASSERT_FALSE(added);
        EXPECT_NE(added.error().find(c.why), std::string::npos) << added.error();
        // The same, in parts: the sentence is made from them.
        const StoreProblem problem = store->lastProblem();
        EXPECT_EQ(problem.reason, StoreProblem::Reason::WriteFailed);
        EXPECT_EQ(problem.file, Path());
        EXPECT_TRUE(problem.detail.contains(QLatin1String(c.why))) << problem.detail.toStdString();
        EXPECT_EQ(problem.text().toStdString(), added.error());
        EXPECT_EQ(store->ProblemFor(added.error()).reason, StoreProblem::Reason::WriteFailed);
        EXPECT_EQ(store->Count({}), 1);
        // Once the other side lets go, the same store writes.
        if (c.readOnly) {
            asUser.reset();
            QFile::setPermissions(Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        } else {
            QSqlQuery(lock).exec(QStringLiteral("ROLLBACK"));
            lock.close();
            EXPECT_EQ(store->CheckWritable(), "");
        }
    }
    QSqlDatabase::removeDatabase(locker);
}

INSTANTIATE_TEST_SUITE_P(Causes, Unwritable,
                         ::testing::Values(UnwritableCase{"read-only file", true, "readonly"},
                                           UnwritableCase{"locked", false, "database is locked"}),
                         [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// ---- going out: states and reports

TEST_F(Store, stateChangesStampTheirTimes) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 id = Outgoing(*store, 1, {"510011", "/dev/ttyUSB0"});
    const QDateTime t1 = Utc("2026-01-02T03:04:05Z"), t2 = Utc("2026-01-02T03:09:00Z");
    ASSERT_TRUE(Value(store->SetState(id, msg::State::Sending)));
    ASSERT_TRUE(Value(store->SetState(id, msg::State::Sent, msg::Reason::None, std::nullopt, t1)));
    // a second "sent" (another part) keeps the first time
    ASSERT_TRUE(Value(store->SetState(id, msg::State::Sent, msg::Reason::None, std::nullopt, t2)));
    auto m = store->Message(id);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->sent, t1);
    EXPECT_FALSE(m->delivered.isValid());
    ASSERT_TRUE(Value(store->SetState(id, msg::State::Failed, msg::Reason::CmsError, 38, t2)));
    m = store->Message(id);
    EXPECT_EQ(m->state, msg::State::Failed);
    EXPECT_EQ(m->reason, msg::Reason::CmsError);
    EXPECT_EQ(m->reasonCode, 38);
    EXPECT_FALSE(Value(store->SetState(id + 100, msg::State::Sent))) << "no such message";
}

TEST_F(Store, sendsOfAProgramThatStoppedBecomeUncertainAndThoseOfOneStillRunningDoNot) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const msg::State states[] = {msg::State::Queued, msg::State::Sending, msg::State::Sent,
                                 msg::State::Sending, msg::State::Failed};
    std::vector<qint64> ids;
    for (std::size_t i = 0; i < std::size(states); ++i)
        ids.push_back(Outgoing(*store, 1, {"", "/dev/ttyUSB0"}));
    // Another program records them and ends without a word, as a killed one does.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto other = MessageStore::Open(store->path());
        for (std::size_t i = 0; other && i < ids.size(); ++i)
            other.value()->SetState(ids[i], states[i]);
        ::_exit(other ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // And this one is sending one now.
    const qint64 mine = Outgoing(*store, 1, {"", "/dev/ttyUSB0"});
    store->SetState(mine, msg::State::Sending);

    EXPECT_EQ(Value(store->MarkInterrupted()), 2);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const auto m = store->Message(ids[i]);
        const bool was = states[i] == msg::State::Sending;
        EXPECT_EQ(m->state, was ? msg::State::Uncertain : states[i]) << i;
        EXPECT_EQ(m->reason, was ? msg::Reason::Stopped : msg::Reason::None) << i;
    }
    EXPECT_EQ(store->Message(mine)->state, msg::State::Sending);
}

struct Report {
    ModemId modem;
    int reference, status;
    int matches; // 1: the newest message, 2: the older one, 0: none
};

struct ReportCase {
    const char* name;
    int parts; // of the newest message, references 7, 8, ...; an older one has 7 too
    std::vector<Report> reports;
    msg::State state;
    msg::Reason reason;
    std::optional<int> code;
};

class Reports : public Store, public ::testing::WithParamInterface<ReportCase> {};

const ModemId kModem{"510011234567890", "/dev/ttyUSB0"};

TEST_P(Reports, moveTheMessageTheyMatch) {
    const ReportCase& c = GetParam();
    auto store = OpenStore();
    ASSERT_TRUE(store);
    // An older message whose part had the same reference: the newest part
    // with that reference takes the report.
    const qint64 older = Outgoing(*store, 1, kModem);
    ASSERT_TRUE(Value(store->SetPartSent(older, 1, 7, QStringLiteral("+CMGS: 7"))));
    store->SetState(older, msg::State::Sent);
    const qint64 id = Outgoing(*store, c.parts, kModem);
    for (int p = 1; p <= c.parts; ++p)
        ASSERT_TRUE(Value(store->SetPartSent(id, p, 6 + p, QStringLiteral("+CMGS: %1").arg(6 + p))));
    store->SetState(id, msg::State::Sent);
    const QDateTime when = Utc("2026-05-06T07:08:09Z");
    for (const Report& r : c.reports) {
        const auto matched = store->RecordReport(r.modem, r.reference, r.status, when);
        ASSERT_TRUE(matched) << matched.error();
        EXPECT_EQ(*matched, r.matches == 1 ? id : r.matches == 2 ? older : 0) << "reference " << r.reference;
    }
    const auto m = store->Message(id);
    EXPECT_EQ(m->state, c.state);
    EXPECT_EQ(m->reason, c.reason);
    EXPECT_EQ(m->reasonCode, c.code);
    EXPECT_EQ(m->delivered.isValid(), c.state == msg::State::Delivered);
    if (c.state == msg::State::Delivered) {
        EXPECT_EQ(m->delivered, when);
    }
    const bool olderReported =
        std::any_of(c.reports.begin(), c.reports.end(), [](const Report& r) { return r.matches == 2; });
    EXPECT_EQ(store->Message(older)->state, olderReported ? msg::State::Delivered : msg::State::Sent);
}

const ModemId kOtherSim{"510019999999999", "/dev/ttyUSB0"};
const ModemId kSamePortNoSim{"", "/dev/ttyUSB0"};
const ModemId kSameSimOtherPort{"510011234567890", "/dev/ttyACM0"};

INSTANTIATE_TEST_SUITE_P(
    Cases, Reports,
    ::testing::Values(
        ReportCase{"delivered", 1, {{kModem, 7, 0x00, 1}}, msg::State::Delivered, msg::Reason::None, {}},
        ReportCase{"forwarded counts as delivered",
                   1,
                   {{kModem, 7, 0x01, 1}},
                   msg::State::Delivered,
                   msg::Reason::None,
                   {}},
        ReportCase{
            "expired", 1, {{kModem, 7, 0x46, 1}}, msg::State::NotDelivered, msg::Reason::ReportFailed, 0x46},
        ReportCase{
            "still trying is not final", 1, {{kModem, 7, 0x20, 1}}, msg::State::Sent, msg::Reason::None, {}},
        ReportCase{"trying, then delivered",
                   1,
                   {{kModem, 7, 0x21, 1}, {kModem, 7, 0x00, 1}},
                   msg::State::Delivered,
                   msg::Reason::None,
                   {}},
        ReportCase{"one of two parts", 2, {{kModem, 7, 0x00, 1}}, msg::State::Sent, msg::Reason::None, {}},
        ReportCase{"both parts",
                   2,
                   {{kModem, 8, 0x00, 1}, {kModem, 7, 0x00, 1}},
                   msg::State::Delivered,
                   msg::Reason::None,
                   {}},
        ReportCase{"second part failed",
                   2,
                   {{kModem, 7, 0x00, 1}, {kModem, 8, 0x41, 1}},
                   msg::State::NotDelivered,
                   msg::Reason::ReportFailed,
                   0x41},
        // a second report of the same reference goes to the older part still waiting
        ReportCase{"same reference twice",
                   1,
                   {{kModem, 7, 0x00, 1}, {kModem, 7, 0x00, 2}},
                   msg::State::Delivered,
                   msg::Reason::None,
                   {}},
        ReportCase{"another SIM", 1, {{kOtherSim, 7, 0x00, 0}}, msg::State::Sent, msg::Reason::None, {}},
        ReportCase{"same port, SIM not told",
                   1,
                   {{kSamePortNoSim, 7, 0x00, 1}},
                   msg::State::Delivered,
                   msg::Reason::None,
                   {}},
        ReportCase{"same SIM, other port",
                   1,
                   {{kSameSimOtherPort, 7, 0x00, 1}},
                   msg::State::Delivered,
                   msg::Reason::None,
                   {}},
        ReportCase{"unknown reference", 1, {{kModem, 99, 0x00, 0}}, msg::State::Sent, msg::Reason::None, {}}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// ---- coming in

struct Reading {
    ModemId modem;
    const char* storage;
    std::optional<int> index;
    bool lowerCase; // the same PDU as another phone writes it
    bool newPlace, newPdu;
};

TEST_F(Store, aPduIsRecordedOncePerPlace) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const QString pdu = Deliver("628123456789", "Halo", Utc("2026-03-04T05:06:07Z"));
    const Reading readings[] = {
        {kModem, "SM", 3, false, true, true},
        {kModem, "SM", 3, false, false, false},           // read again
        {kModem, "SM", 3, true, false, false},            // in other letters
        {kModem, "ME", 3, false, true, false},            // moved to the phone
        {kOtherSim, "SM", 3, false, true, false},         // another modem
        {kModem, "SM", std::nullopt, false, true, false}, // shown at once, never stored
    };
    qint64 first = 0;
    EXPECT_FALSE(store->HasPdu(pdu));
    for (const Reading& r : readings) {
        const auto got = store->AddReceived(r.modem, QLatin1String(r.storage), r.index,
                                            r.lowerCase ? pdu.toLower() : pdu, Utc("2026-03-04T06:00:00Z"));
        ASSERT_TRUE(got) << got.error();
        EXPECT_EQ(got->newPlace, r.newPlace) << r.storage << r.index.value_or(-1);
        EXPECT_EQ(got->newPdu, r.newPdu) << r.storage << r.index.value_or(-1);
        first = first ? first : got->id;
        EXPECT_EQ(got->id, first);
    }
    EXPECT_TRUE(store->HasPdu(QStringLiteral(" ") + pdu.toLower()));
    ASSERT_EQ(store->Count({}), 1);
    const auto m = store->Message(first);
    EXPECT_EQ(m->direction, msg::Direction::In);
    EXPECT_EQ(m->state, msg::State::Received);
    EXPECT_EQ(m->number, "+628123456789");
    EXPECT_EQ(m->text, "Halo");
    EXPECT_EQ(m->kind, "text");
    // the network's time stamp, not the time it was read
    EXPECT_EQ(m->received, Utc("2026-03-04T05:06:07Z"));
    ASSERT_EQ(m->parts.size(), 1u);
    EXPECT_EQ(m->parts[0].pdu, pdu);
}

TEST_F(Store, reportsAndUnreadablePdusAreRememberedAsRead) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const auto report = store->AddReceived(kModem, "SM", 1, kReport);
    ASSERT_TRUE(report) << report.error();
    EXPECT_EQ(report->id, 0) << "a report makes no message";
    EXPECT_TRUE(report->newPdu);
    EXPECT_FALSE(Value(store->AddReceived(kModem, "SM", 1, kReport)).newPdu);
    EXPECT_TRUE(store->IsEmpty());
    const auto garbled = store->AddReceived(kModem, "SM", 2, QStringLiteral("0004"));
    ASSERT_TRUE(garbled) << garbled.error();
    ASSERT_NE(garbled->id, 0) << "a PDU that cannot be read is still kept";
    const auto m = store->Message(garbled->id);
    EXPECT_EQ(m->kind, "unreadable");
    EXPECT_TRUE(m->text.startsWith("Unreadable: its PDU could not be read")) << m->text.toStdString();
    EXPECT_FALSE(store->AddReceived(kModem, "SM", 4, QString(2000, QLatin1Char('A'))));
}

struct LongCase {
    const char* name;
    std::vector<int> order; // parts in the order they come
    std::size_t restartAfter;
};

class LongMessages : public Store, public ::testing::WithParamInterface<LongCase> {};

// Three parts across two starts of the program become one message, its text
// in part order, complete once the last came; before that it shows what came.
TEST_P(LongMessages, joinAcrossRestarts) {
    const LongCase& c = GetParam();
    const QString texts[] = {"Satu ", "dua ", "tiga."};
    const QDateTime sent = Utc("2026-07-01T10:00:00Z");
    const auto pdu = [&](int seq) {
        return Deliver("628123456789", texts[seq - 1], sent.addSecs(seq), Part{0x5A, 3, seq});
    };
    // Another sender's part with the same reference stays apart.
    const QString stranger = Deliver("628999999999", "lain", sent, Part{0x5A, 3, 1});
    qint64 id = 0;
    {
        auto store = OpenStore();
        ASSERT_TRUE(store);
        store->AddReceived(kModem, "SM", 20, stranger);
        for (std::size_t i = 0; i < c.restartAfter; ++i) {
            const auto got = store->AddReceived(kModem, "SM", c.order[i], pdu(c.order[i]));
            ASSERT_TRUE(got) << got.error();
            id = id ? id : got->id;
            EXPECT_EQ(got->id, id);
        }
        const auto m = store->Message(id);
        EXPECT_FALSE(m->complete);
        for (std::size_t i = 0; i < c.restartAfter; ++i)
            EXPECT_TRUE(m->text.contains(texts[c.order[i] - 1])) << m->text.toStdString();
    }
    auto store = OpenStore();
    ASSERT_TRUE(store);
    for (std::size_t i = c.restartAfter; i < c.order.size(); ++i)
        EXPECT_EQ(Value(store->AddReceived(kModem, "ME", c.order[i], pdu(c.order[i]))).id, id);
    EXPECT_EQ(store->Count({}), 2);
    const auto m = store->Message(id);
    EXPECT_TRUE(m->complete);
    EXPECT_EQ(m->text, "Satu dua tiga.");
    EXPECT_EQ(m->received, sent.addSecs(1));
    ASSERT_EQ(m->parts.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m->parts[i].part, i + 1);
        EXPECT_EQ(m->parts[i].pdu, pdu(i + 1));
    }
    // The same sender's reference come round again is a new message.
    const auto next = Value(store->AddReceived(
        kModem, "SM", 30, Deliver("628123456789", "lagi", sent.addDays(30), Part{0x5A, 3, 1})));
    EXPECT_NE(next.id, id);
}

INSTANTIATE_TEST_SUITE_P(Orders, LongMessages,
                         ::testing::Values(LongCase{"in order", {1, 2, 3}, 2},
                                           LongCase{"last first", {3, 1, 2}, 2},
                                           LongCase{"middle alone", {2, 3, 1}, 1}),
                         [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// ---- the received log

TEST_F(Store, importingALogNamesTheLinesItCannotRead) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const QString a = Deliver("628123456789", "pagi", Utc("2026-02-01T01:00:00Z"));
    const QString b = Deliver("628123456780", "sore", Utc("2026-02-01T11:00:00Z"));
    MessageRequest request;
    request.destination = "628569999999";
    request.text = u"keluar";
    // A PDU with no time stamp of its own (the phone's sent message) takes
    // the log's, 12-hour clock and all.
    const QString submit = QString::fromStdString(BuildMessage(request)->pdus.front());
    const QByteArray log = "01-02-2026 08:00:05 AM +628123456789 " + a.toLatin1() + "\r\n" +
                           "01-02-2026 06.30.00 PM +628123456780 " + b.toLatin1() + "\r\n" +
                           "31-02-2026 08:00:05 AM +628123456789 " + a.toLatin1() + "\r\n" +
                           "01-02-2026 08:00:05 AM +628123456789 0791ZZ\r\n" + "\r\n" +
                           "01-02-2026 08:00:05 AM +62 " + QByteArray(5000, 'A') + "\r\n" +
                           "01-02-2026 08:00:05 AM +628123456789 " + a.toLower().toLatin1() + "\r\n" +
                           "02-02-2026 12:15:00 PM 628569999999 " + submit.toLatin1() + "\r\n" +
                           "02-02-2026 08:00 AM +62 " + b.toLatin1() + "\r\n" +
                           "02-02-2026 09:00:00 AM +62 0011000C9126\r\n" + "02-02-2026 09:00:00 AM";
    const QString logPath = dir.filePath(QStringLiteral("Received.Txt"));
    ASSERT_TRUE(testing::Write(logPath, log));
    const ImportReport report = store->ImportReceivedLog(logPath);
    EXPECT_EQ(report.error, "");
    EXPECT_EQ(report.imported, 3);
    EXPECT_EQ(report.duplicates, 1);
    std::vector<int> badLines;
    for (const auto& [line, why] : report.bad) {
        badLines.push_back(line);
        EXPECT_FALSE(why.isEmpty()) << line;
    }
    EXPECT_EQ(badLines, (std::vector<int>{3, 4, 6, 9, 10, 11}));
    ASSERT_EQ(report.bad.size(), 6u);
    EXPECT_TRUE(report.bad[2].second.contains("4 KiB")) << report.bad[2].second.toStdString();
    EXPECT_EQ(store->Count({}), 3);
    HistoryQuery outgoing;
    outgoing.direction = msg::Direction::Out;
    const auto out = store->Messages(outgoing);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].received, QDateTime(QDate(2026, 2, 2), QTime(12, 15), Qt::LocalTime).toUTC());
    EXPECT_TRUE(store->HasPdu(a) && store->HasPdu(b));
    // read from the phone after the import: no second message, nothing new for the log
    const auto again = Value(store->AddReceived(kModem, "SM", 1, a));
    EXPECT_FALSE(again.newPdu);
    EXPECT_TRUE(again.newPlace);
    const auto missing = store->ImportReceivedLog(dir.filePath(QStringLiteral("none.txt")));
    EXPECT_TRUE(missing.error.contains("none.txt"));
}

// ---- reading

TEST(ConversationKeys, followTheDestinationRules) {
    const struct {
        const char* number;
        const char* country;
        const char* key;
    } cases[] = {
        {"+62 812-3456-789", "62", "628123456789"},
        {"08123456789", "62", "628123456789"},
        {"628123456789", "62", "628123456789"},
        {"07700 900123", "44", "447700900123"},
        {"0062 812.3456.789", "62", "628123456789"},
        {"(0812) 3456-789", "62", "628123456789"},
        {"00", "62", "620"},
        {"Telkomsel", "62", "telkomsel"},
        {" INFO 123 ", "62", "info 123"},
        {"", "62", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConversationKey(c.number, c.country), c.key) << c.number;
}

// The settings' country code is every lookup's that names none; a code that
// is not one leaves the last.
TEST(ConversationKeys, takeTheProgramsCountryCode) {
    EXPECT_EQ(ConversationKey("0401234567"), "62401234567");
    SetHomeCountryCode("358");
    EXPECT_EQ(ConversationKey("0401234567"), "358401234567");
    SetHomeCountryCode("35a");
    EXPECT_EQ(HomeCountryCode(), "358");
    SetHomeCountryCode("62");
    EXPECT_EQ(ConversationKey("0401234567"), "62401234567");
}

// However a number is written, the history, the phone book and the names
// of a batch find the one person.
TEST_F(Store, everyWayOfWritingANumberFindsTheSamePerson) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    ASSERT_TRUE(Value(store->SavePhonebook({{"Ani", "+62 812-3456-789"}, {"Ani", "08123456789"}})));
    const qint64 sent = Outgoing(*store, 1, kModem, "628123456789");
    for (const char* form : {"+62 812-3456-789", "08123456789", "0062 812 3456 789", "628123456789",
                             "62.812.3456.789", "+628123456789"}) {
        const QString written = QString::fromUtf8(form);
        EXPECT_EQ(ConversationKey(written), "628123456789") << form;
        EXPECT_EQ(store->NameFor(written), "Ani") << form;
        HistoryQuery query;
        query.number = ConversationKey(written);
        const auto found = store->Messages(query);
        ASSERT_EQ(found.size(), 1u) << form;
        EXPECT_EQ(found.front().id, sent) << form;
    }
    EXPECT_EQ(store->NumbersNamed("Ani").size(), 1u) << "two ways of writing one number are one number";
}

TEST_F(Store, searchesFindTextsNamesAndNumbersInAnyCase) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    ASSERT_TRUE(Value(store->SavePhonebook({{"Élise Martin", "08123456789"}, {"Budi", "+62 856 9999 999"}})));
    const QDateTime t = Utc("2026-04-01T00:00:00Z");
    const qint64 fromElise =
        Value(store->AddReceived(kModem, "SM", 1, Deliver("628123456789", "Rapat jam 10", t))).id;
    const qint64 toBudi = Outgoing(*store, 1, kModem, "08569999999", t.addSecs(300));
    const qint64 greek =
        Value(store->AddReceived(kModem, "SM", 2, Deliver("628111", "ΚΑΛΗΜΕΡΑ 100% [x]*", t.addSecs(60)))).id;
    const qint64 later =
        Value(store->AddReceived(kModem, "SM", 3, Deliver("628123456789", "ok", t.addSecs(120)))).id;
    EXPECT_EQ(store->NameFor("+628123456789"), "Élise Martin");
    EXPECT_EQ(store->Message(fromElise)->name, "Élise Martin");
    const struct {
        const char* search;
        std::vector<qint64> ids; // newest first
    } searches[] = {
        {"rapat", {fromElise}},
        {"ÉLISE", {later, fromElise}},
        {"budi", {toBudi}},
        {"καλημέρα", {}}, // accents are not folded away
        {"καλημερα", {greek}},
        {"100%", {greek}},
        {"0%", {greek}},
        {"1_0", {}},
        {"[x]*", {greek}}, // the index's own wildcards, as they are
        {"x]", {greek}},
        {"[y", {}},
        {"ok", {later}}, // shorter than the index's three characters
        {"ya", {}},
        {"8569999", {toBudi}},
    };
    for (const auto& s : searches) {
        HistoryQuery q;
        q.search = QString::fromUtf8(s.search);
        std::vector<qint64> got;
        for (const auto& m : store->Messages(q))
            got.push_back(m.id);
        EXPECT_EQ(got, s.ids) << s.search;
        EXPECT_EQ(store->Count(q), static_cast<int>(s.ids.size())) << s.search;
    }
    HistoryQuery conversation;
    conversation.number = QStringLiteral("0812 3456 789");
    EXPECT_EQ(store->Count(conversation), 2);
    conversation.limit = 1;
    EXPECT_EQ(store->Messages(conversation).front().id, later);
    conversation.offset = 1;
    EXPECT_EQ(store->Messages(conversation).front().id, fromElise);

    // Newest first by their newest message.
    const auto conversations = store->Conversations();
    ASSERT_EQ(conversations.size(), 3u);
    EXPECT_EQ(conversations[0].key, "628569999999");
    EXPECT_EQ(conversations[0].name, "Budi");
    EXPECT_EQ(conversations[1].key, "628123456789");
    EXPECT_EQ(conversations[1].count, 2);
    EXPECT_EQ(conversations[1].lastText, "ok");
    EXPECT_EQ(conversations[1].last, t.addSecs(120));
    EXPECT_EQ(conversations[2].key, "628111");
    EXPECT_EQ(store->Conversations("élise").size(), 1u);

    ASSERT_TRUE(Value(store->Delete(later)));
    EXPECT_FALSE(Value(store->Delete(later)));
    EXPECT_EQ(store->Count(conversation), 1);
    // a deleted message read from the phone again stays deleted
    EXPECT_EQ(Value(store->AddReceived(kModem, "SM", 3, Deliver("628123456789", "ok", t.addSecs(120)))).id,
              0);
}

// A page of a search is the same page whether the newest messages alone
// fill it or every message is looked through: a word in every tenth message,
// a word only the oldest hold, and a name.
TEST_F(Store, aSearchPageIsTheSameWhicheverWayItIsFound) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    QByteArray log;
    const QDateTime start = Utc("2024-01-01T00:00:00Z");
    for (int i = 0; i < 2100; ++i) {
        const QString text = QStringLiteral("pesan %1%2%3")
                                 .arg(i)
                                 .arg(i % 10 == 0 ? QStringLiteral(" umum") : QString())
                                 .arg(i < 3 ? QStringLiteral(" langka") : QString());
        const QString number = QStringLiteral("6281%1").arg(100 + i % 7);
        log += "01-01-2024 08:00:00 AM +" + number.toLatin1() + " " +
               Deliver(number, text, start.addSecs(60 * i)).toLatin1() + "\r\n";
    }
    const QString logPath = dir.filePath(QStringLiteral("Received.Txt"));
    ASSERT_TRUE(testing::Write(logPath, log));
    ASSERT_EQ(store->ImportReceivedLog(logPath).imported, 2100);
    ASSERT_TRUE(Value(store->SavePhonebook({{"Sari", "081106"}})));
    for (const char* word : {"umum", "langka", "sari", "20 UMUM"}) {
        HistoryQuery all;
        all.search = QString::fromLatin1(word);
        const auto every = store->Messages(all);
        ASSERT_FALSE(every.empty()) << word;
        for (const auto& [limit, offset] :
             {std::pair{5, 0}, std::pair{5, 3}, std::pair{50, 190}, std::pair{2, 1}}) {
            HistoryQuery page = all;
            page.limit = limit;
            page.offset = offset;
            std::vector<qint64> want, got;
            for (std::size_t i = offset; i < every.size() && want.size() < std::size_t(limit); ++i)
                want.push_back(every[i].id);
            for (const auto& m : store->Messages(page))
                got.push_back(m.id);
            EXPECT_EQ(got, want) << word << " limit " << limit << " offset " << offset;
        }
    }
}

// ---- many recipients

// `n` one-part messages to 62812000000, 62812000001, ...
std::vector<MessageRecord> Recipients(int n) {
    std::vector<MessageRecord> out(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        MessageRecord& m = out[static_cast<std::size_t>(i)];
        m.number = QStringLiteral("62812%1").arg(i, 6, 10, QLatin1Char('0'));
        m.kind = QStringLiteral("text");
        m.text = QStringLiteral("Halo %1").arg(i);
        m.parts.push_back(
            PartRecord{1, QStringLiteral("0011000C912658969999990000AA0361F118"), {}, {}, {}, {}, {}});
    }
    return out;
}

std::vector<qint64> Ids(const std::vector<MessageRecord>& list) {
    std::vector<qint64> ids;
    for (const MessageRecord& m : list)
        ids.push_back(m.id);
    return ids;
}

class Batches : public Store {
protected:
    qint64 AddBatch(MessageStore& s, int n, const QString& key = QStringLiteral("k"),
                    BatchPacing pacing = {}) {
        BatchRecord b;
        b.name = QStringLiteral("Rapat");
        b.key = key;
        b.created = Utc("2026-02-01T08:00:00Z");
        b.pacing = pacing;
        return Value(s.AddBatch(b, Recipients(n)));
    }
    std::vector<qint64> MessagesOf(MessageStore& s, qint64 batch) {
        HistoryQuery q;
        q.batch = batch;
        return Ids(s.Messages(q));
    }
};

TEST_F(Batches, aFirstSchemaStoreIsMigratedInPlaceAndKeepsItsMessages) {
    if (testing::OnPg())
        GTEST_SKIP() << "about SQLite files";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Path()).absolutePath()));
    ASSERT_TRUE(testing::WriteVersion1Store(Path()));
    {
        auto store = OpenStore();
        ASSERT_TRUE(store);
        const auto old = store->Message(1);
        ASSERT_TRUE(old);
        EXPECT_EQ(old->text, "Apa kabar");
        EXPECT_EQ(old->name, "Budi");
        EXPECT_EQ(old->state, msg::State::Sent);
        EXPECT_EQ(old->batch, 0);
        EXPECT_EQ(old->tries, 0);
        EXPECT_FALSE(old->notBefore.isValid());
        ASSERT_EQ(old->parts.size(), 2u);
        EXPECT_EQ(old->parts[1].pdu, "0012");
        // its reports and its search still find it
        EXPECT_EQ(Value(store->RecordReport(kModem, 8, 0x00)), 1);
        EXPECT_EQ(store->Message(1)->state, msg::State::Delivered);
        HistoryQuery search;
        search.search = QStringLiteral("KABAR");
        EXPECT_EQ(Ids(store->Messages(search)), std::vector<qint64>{1});
        // and what the new schema adds works on it
        const qint64 batch = AddBatch(*store, 3);
        EXPECT_EQ(store->Batch(batch)->queued, 3);
        EXPECT_EQ(store->NumbersNamed(QStringLiteral("BUDI")), std::vector<QString>{"08123456789"});
        EXPECT_GT(Value(store->SaveGroup({0, QStringLiteral("Kantor"), {{"", "0811"}}})), 0);
    }
    const QByteArray header = testing::Bytes(Path()).left(100);
    ASSERT_EQ(header.size(), 100);
    EXPECT_EQ(header[63], char(MessageStore::kSchemaVersion));
    auto again = OpenStore();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Count({}), 4);
    EXPECT_EQ(again->Groups().size(), 1u);
}

// A batch is recorded whole or not at all: a message that cannot be
// recorded halfway (two parts numbered alike) leaves no batch behind and
// none of the messages before it.
TEST_F(Batches, areRecordedWholeOrNotAtAll) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 lone = Outgoing(*store, 1, kModem);
    std::vector<MessageRecord> messages = Recipients(2000);
    messages[1500].parts.push_back(messages[1500].parts.front());
    BatchRecord b;
    b.key = QStringLiteral("k");
    const auto refused = store->AddBatch(b, messages);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("could not be written"), std::string::npos) << refused.error();
    EXPECT_EQ(store->Count({}), 1);
    EXPECT_TRUE(store->Batches().empty());
    EXPECT_EQ(store->BatchByKey(QStringLiteral("k")), 0);
    HistoryQuery search;
    search.search = QStringLiteral("Halo");
    EXPECT_EQ(store->Count(search), 0) << "the search index kept a message that is not there";

    // Given as they should be, each comes back Queued in its place, with
    // the batch's time when it has none of its own, whatever it was given.
    messages[1500].parts.pop_back();
    messages[7].state = msg::State::Sent;
    messages[7].tries = 5;
    messages[9].created = Utc("2026-03-01T00:00:00Z");
    b.created = Utc("2026-02-01T08:00:00Z");
    const qint64 id = Value(store->AddBatch(b, messages));
    ASSERT_GT(id, 0);
    EXPECT_EQ(store->BatchByKey(QStringLiteral("k")), id);
    HistoryQuery page;
    page.batch = id;
    EXPECT_EQ(store->Count(page), 2000);
    page.limit = 3;
    page.offset = 6;
    const auto list = store->Messages(page);
    ASSERT_EQ(list.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const MessageRecord& m = list[static_cast<std::size_t>(i)];
        EXPECT_EQ(m.batch, id);
        EXPECT_EQ(m.position, 6 + i);
        EXPECT_EQ(m.number, messages[static_cast<std::size_t>(6 + i)].number);
        EXPECT_EQ(m.state, msg::State::Queued);
        EXPECT_EQ(m.tries, 0);
        EXPECT_EQ(m.direction, msg::Direction::Out);
        EXPECT_EQ(m.created, i == 3 ? messages[9].created : b.created);
        ASSERT_EQ(m.parts.size(), 1u);
    }
    EXPECT_EQ(store->Message(lone)->batch, 0);
    EXPECT_EQ(store->Count(search), 2000);
    page.search = QStringLiteral("halo 1999");
    page.offset = 0;
    EXPECT_EQ(store->Messages(page).size(), 1u);
}

struct CountCase {
    const char* name;
    std::vector<msg::State> states; // each message's, in order
    int queued, sending, sent, failed, uncertain;
};

class BatchCounts : public Batches, public ::testing::WithParamInterface<CountCase> {};

TEST_P(BatchCounts, followTheirMessages) {
    const CountCase& c = GetParam();
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 other = AddBatch(*store, 2, QStringLiteral("other"));
    const qint64 id = AddBatch(*store, static_cast<int>(c.states.size()));
    const auto ids = MessagesOf(*store, id);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (c.states[i] != msg::State::Queued) {
            ASSERT_TRUE(Value(store->SetState(ids[i], c.states[i])));
        }
    }
    const auto b = store->Batch(id);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->total, static_cast<int>(c.states.size()));
    EXPECT_EQ(b->queued, c.queued);
    EXPECT_EQ(b->sending, c.sending);
    EXPECT_EQ(b->sent, c.sent);
    EXPECT_EQ(b->failed, c.failed);
    EXPECT_EQ(b->uncertain, c.uncertain);
    const bool finished = c.queued == 0 && c.sending == 0;
    EXPECT_EQ(b->finished(), finished);
    std::vector<qint64> unfinished;
    for (const BatchRecord& r : store->Batches(true))
        unfinished.push_back(r.id);
    const std::vector<qint64> want = finished ? std::vector<qint64>{other} : std::vector<qint64>{id, other};
    EXPECT_EQ(unfinished, want);
    const auto all = store->Batches();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].id, id) << "newest first";
    EXPECT_EQ(all[0].sent, c.sent);
    EXPECT_EQ(all[1].queued, 2);
}

using S = msg::State;
INSTANTIATE_TEST_SUITE_P(
    States, BatchCounts,
    ::testing::Values(
        CountCase{"all queued", {S::Queued, S::Queued, S::Queued}, 3, 0, 0, 0, 0},
        CountCase{"one on its way", {S::Sent, S::Sending, S::Queued}, 1, 1, 1, 0, 0},
        CountCase{
            "delivered or not, all went", {S::Sent, S::Delivered, S::NotDelivered, S::Failed}, 0, 0, 3, 1, 0},
        CountCase{"uncertain ends it too", {S::Uncertain, S::Failed, S::Delivered}, 0, 0, 1, 1, 1},
        CountCase{"the last one sending", {S::Failed, S::Sending}, 0, 1, 0, 1, 0}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

TEST_F(Batches, keepTheirPacingAndWhyTheyWerePaused) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    BatchPacing p{1500, 120, Utc("2026-02-01T09:00:00Z"), Utc("2026-02-01T17:00:00Z"), 4};
    const qint64 id = AddBatch(*store, 1, QStringLiteral("k"), p);
    auto b = store->Batch(id);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->name, "Rapat");
    EXPECT_EQ(b->created, Utc("2026-02-01T08:00:00Z"));
    EXPECT_EQ(b->pacing.intervalMs, 1500);
    EXPECT_EQ(b->pacing.perHour, 120);
    EXPECT_EQ(b->pacing.startAt, p.startAt);
    EXPECT_EQ(b->pacing.expireAt, p.expireAt);
    EXPECT_EQ(b->pacing.retries, 4);
    EXPECT_EQ(b->state, msg::BatchState::Active);
    ASSERT_TRUE(Value(store->SetBatchState(id, msg::BatchState::Paused, msg::Reason::NoAnswer)));
    EXPECT_EQ(store->Batch(id)->pauseReason, msg::Reason::NoAnswer);
    ASSERT_TRUE(Value(store->SetBatchState(id, msg::BatchState::Active, msg::Reason::NoAnswer)));
    b = store->Batch(id);
    EXPECT_EQ(b->state, msg::BatchState::Active);
    EXPECT_EQ(b->pauseReason, msg::Reason::None);
    EXPECT_FALSE(Value(store->SetBatchState(id + 1, msg::BatchState::Paused)));
    // A batch queued again with the same content is found by its key, the newest.
    const qint64 second = AddBatch(*store, 1, QStringLiteral("k"));
    EXPECT_EQ(store->BatchByKey(QStringLiteral("k")), second);
    EXPECT_EQ(store->BatchByKey(QStringLiteral("K")), 0);
}

// Two programs on one store never take the same message; the second try,
// here or through another connection, is refused.
TEST_F(Batches, aMessageIsClaimedOnceAndItsStartsCounted) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    auto other = OpenStore();
    ASSERT_TRUE(other);
    const qint64 batch = AddBatch(*store, 3);
    const auto ids = MessagesOf(*store, batch);
    const QDateTime t = Utc("2026-02-01T09:00:00Z");
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const QDateTime at = t.addSecs(60 * static_cast<int>(i));
        EXPECT_TRUE(Value(store->Claim(ids[i], at))) << i;
        EXPECT_FALSE(Value(store->Claim(ids[i], at))) << i;
        EXPECT_FALSE(Value(other->Claim(ids[i], at))) << i;
    }
    const auto m = store->Message(ids[0]);
    EXPECT_EQ(m->state, msg::State::Sending);
    EXPECT_EQ(m->tries, 1);
    EXPECT_FALSE(store->NextQueued(batch));
    EXPECT_EQ(store->StartsSince(batch, t.addSecs(60)),
              (std::vector<QDateTime>{t.addSecs(60), t.addSecs(120)}));
    EXPECT_TRUE(store->StartsSince(batch, t.addSecs(121)).empty());
    EXPECT_EQ(store->Batch(batch)->lastStart, t.addSecs(120));
    EXPECT_EQ(store->Batch(batch)->sending, 3);
    // A failed one taken again counts a second try.
    ASSERT_TRUE(Value(store->SetState(ids[0], msg::State::Failed, msg::Reason::CmsError, 38)));
    ASSERT_TRUE(Value(store->Requeue(ids[0], {}, msg::Reason::Retrying, 1)));
    EXPECT_TRUE(Value(other->Claim(ids[0], t.addSecs(600))));
    EXPECT_EQ(store->Message(ids[0])->tries, 2);
    EXPECT_EQ(store->Message(ids[0])->reason, msg::Reason::None);
    EXPECT_EQ(store->Batch(batch)->lastStart, t.addSecs(600));
}

// A program killed while a batch's message was on its way leaves it
// Uncertain at the next start, as any other send; its batch stays as it was.
TEST_F(Batches, aClaimOfAProgramThatStoppedBecomesUncertain) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 batch = AddBatch(*store, 2);
    const auto ids = MessagesOf(*store, batch);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto killed = MessageStore::Open(store->path());
        const auto claimed = killed ? killed.value()->Claim(ids[0]) : Result<bool>::Fail("not opened");
        ::_exit(claimed && *claimed ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(Value(store->Claim(ids[1])));
    EXPECT_EQ(Value(store->MarkInterrupted()), 1);
    EXPECT_EQ(store->Message(ids[0])->state, msg::State::Uncertain);
    EXPECT_EQ(store->Message(ids[0])->reason, msg::Reason::Stopped);
    EXPECT_EQ(store->Message(ids[1])->state, msg::State::Sending);
    const auto b = store->Batch(batch);
    EXPECT_EQ(b->state, msg::BatchState::Active);
    EXPECT_EQ(b->uncertain, 1);
    EXPECT_EQ(b->sending, 1);
}

struct RequeueCase {
    const char* name;
    msg::State from;
    bool refund;
    bool requeued;
    int tries; // after
};

class Requeues : public Batches, public ::testing::WithParamInterface<RequeueCase> {};

TEST_P(Requeues, takeOnlyWhatEndedBadly) {
    const RequeueCase& c = GetParam();
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 batch = AddBatch(*store, 1);
    const qint64 id = MessagesOf(*store, batch).front();
    ASSERT_TRUE(Value(store->Claim(id)));
    if (c.from != msg::State::Sending) {
        ASSERT_TRUE(Value(store->SetState(id, c.from, msg::Reason::CmsError, 500)));
    }
    const QDateTime notBefore = Utc("2026-02-01T10:00:00Z");
    EXPECT_EQ(Value(store->Requeue(id, notBefore, msg::Reason::Retrying, 2, c.refund)), c.requeued);
    const auto m = store->Message(id);
    EXPECT_EQ(m->tries, c.tries);
    if (c.requeued) {
        EXPECT_EQ(m->state, msg::State::Queued);
        EXPECT_EQ(m->notBefore, notBefore);
        EXPECT_EQ(m->reason, msg::Reason::Retrying);
        EXPECT_EQ(m->reasonCode, 2);
        // and goes again as any queued message, its try counted anew
        EXPECT_TRUE(Value(store->Claim(id)));
        EXPECT_EQ(store->Message(id)->tries, c.tries + 1);
    } else {
        EXPECT_EQ(m->state, c.from);
    }
}

INSTANTIATE_TEST_SUITE_P(From, Requeues,
                         ::testing::Values(RequeueCase{"failed", S::Failed, false, true, 1},
                                           RequeueCase{"failed before the phone saw it", S::Failed, true,
                                                       true, 0},
                                           RequeueCase{"uncertain", S::Uncertain, false, true, 1},
                                           RequeueCase{"uncertain, refunded", S::Uncertain, true, true, 0},
                                           RequeueCase{"sending", S::Sending, true, false, 1},
                                           RequeueCase{"sent", S::Sent, true, false, 1},
                                           RequeueCase{"delivered", S::Delivered, false, false, 1}),
                         [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// Messages refused and queued again wait for their time; those without one
// go first, in their order.
TEST_F(Batches, theNextQueuedIsTheEarliestDueThenByPosition) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 other = AddBatch(*store, 1, QStringLiteral("other"));
    const qint64 batch = AddBatch(*store, 5);
    const auto ids = MessagesOf(*store, batch);
    const QDateTime t = Utc("2026-02-01T09:00:00Z");
    const struct {
        std::size_t at;
        int waitSecs;
    } refused[] = {{0, 600}, {1, 300}, {3, 300}};
    for (const auto& r : refused) {
        ASSERT_TRUE(Value(store->Claim(ids[r.at], t)));
        ASSERT_TRUE(Value(store->SetState(ids[r.at], msg::State::Failed, msg::Reason::CmsError, 38)));
        ASSERT_TRUE(Value(store->Requeue(ids[r.at], t.addSecs(r.waitSecs), msg::Reason::Retrying, 1)));
    }
    std::vector<qint64> order;
    while (const auto next = store->NextQueued(batch)) {
        EXPECT_EQ(next->batch, batch);
        ASSERT_EQ(next->parts.size(), 1u);
        order.push_back(next->id);
        ASSERT_TRUE(Value(store->Claim(next->id, t.addSecs(900))));
        ASSERT_LE(order.size(), ids.size());
    }
    EXPECT_EQ(order, (std::vector<qint64>{ids[2], ids[4], ids[1], ids[3], ids[0]}));
    EXPECT_EQ(store->NextQueued(other)->position, 0);
    EXPECT_FALSE(store->NextQueued(other + batch));
}

struct ExpiryCase {
    const char* name;
    msg::BatchState state;
    const char* expireAt; // "" none
    bool expires;
};

class Expiry : public Batches, public ::testing::WithParamInterface<ExpiryCase> {};

// What is still queued when its batch's time runs out fails as Expired;
// what already went, or is on its way, is left alone.
TEST_P(Expiry, failsWhatIsStillQueued) {
    const ExpiryCase& c = GetParam();
    auto store = OpenStore();
    ASSERT_TRUE(store);
    BatchPacing p;
    p.expireAt = *c.expireAt ? Utc(c.expireAt) : QDateTime();
    const qint64 batch = AddBatch(*store, 4, QStringLiteral("k"), p);
    const qint64 untimed = AddBatch(*store, 1, QStringLiteral("u"));
    const auto ids = MessagesOf(*store, batch);
    ASSERT_TRUE(Value(store->Claim(ids[0])));
    ASSERT_TRUE(Value(store->Claim(ids[1])));
    ASSERT_TRUE(Value(store->SetState(ids[1], msg::State::Sent)));
    ASSERT_TRUE(Value(store->SetBatchState(batch, c.state)));
    const auto expired = store->ExpireQueued(Utc("2026-02-01T12:00:00Z"));
    ASSERT_TRUE(expired) << expired.error();
    EXPECT_EQ(*expired, c.expires ? (std::vector<qint64>{ids[2], ids[3]}) : std::vector<qint64>{});
    const auto b = store->Batch(batch);
    EXPECT_EQ(b->queued, c.expires ? 0 : 2);
    EXPECT_EQ(b->sending, 1);
    EXPECT_EQ(b->sent, 1);
    EXPECT_EQ(store->Message(ids[3])->state, c.expires ? msg::State::Failed : msg::State::Queued);
    if (c.expires) {
        EXPECT_EQ(store->Message(ids[3])->reason, msg::Reason::Expired);
    }
    EXPECT_EQ(store->Batch(untimed)->queued, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Expiry,
    ::testing::Values(ExpiryCase{"active, past", msg::BatchState::Active, "2026-02-01T11:59:59Z", true},
                      ExpiryCase{"paused, past", msg::BatchState::Paused, "2026-02-01T11:00:00Z", true},
                      ExpiryCase{"active, to come", msg::BatchState::Active, "2026-02-01T12:00:01Z", false},
                      ExpiryCase{"at that moment still goes", msg::BatchState::Active, "2026-02-01T12:00:00Z",
                                 false},
                      ExpiryCase{"no expiry", msg::BatchState::Active, "", false}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

TEST_F(Batches, cancellingTakesOutOnlyWhatIsQueued) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    BatchPacing p;
    p.expireAt = Utc("2026-02-01T10:00:00Z");
    const qint64 batch = AddBatch(*store, 4, QStringLiteral("k"), p);
    const qint64 other = AddBatch(*store, 2, QStringLiteral("o"));
    const auto ids = MessagesOf(*store, batch);
    ASSERT_TRUE(Value(store->Claim(ids[1])));
    EXPECT_FALSE(Value(store->CancelQueued(ids[1]))) << "on its way: not taken out";
    EXPECT_TRUE(Value(store->CancelQueued(ids[2])));
    EXPECT_FALSE(Value(store->CancelQueued(ids[2])));
    EXPECT_EQ(store->Message(ids[2])->state, msg::State::Cancelled);
    EXPECT_EQ(store->Message(ids[2])->reason, msg::Reason::Cancelled);
    EXPECT_EQ(Value(store->CancelBatch(batch)), (std::vector<qint64>{ids[0], ids[3]}));
    const auto b = store->Batch(batch);
    EXPECT_EQ(b->state, msg::BatchState::Cancelled);
    EXPECT_EQ(b->queued, 0);
    EXPECT_EQ(b->cancelled, 3);
    EXPECT_EQ(b->failed, 0);
    EXPECT_EQ(b->sending, 1);
    EXPECT_EQ(store->Batch(other)->queued, 2);
    // One the user puts back in a cancelled batch does not expire by itself.
    ASSERT_TRUE(Value(store->Requeue(ids[0], {})));
    EXPECT_TRUE(Value(store->ExpireQueued(Utc("2026-02-02T00:00:00Z"))).empty());
    EXPECT_TRUE(Value(store->CancelBatch(batch + other)).empty());
}

// ---- why, in parts

struct WordsCase {
    const char* name;
    StoreProblem problem;
    const char* said;
};

class ProblemWords : public ::testing::TestWithParam<WordsCase> {};

// In English each reads as the store said it before it said it in parts.
TEST_P(ProblemWords, sayTheSentenceTheStoreAlwaysSaid) {
    const WordsCase& c = GetParam();
    EXPECT_EQ(terms::StoreProblemText(c.problem), QString::fromUtf8(c.said));
    EXPECT_EQ(QString(c.problem), QString::fromUtf8(c.said));
    EXPECT_EQ(c.problem.isNull(), *c.said == '\0');
}

const QString kFile = QStringLiteral("/home/ani/.local/share/velmora/messages.sqlite");

INSTANTIATE_TEST_SUITE_P(
    Reasons, ProblemWords,
    ::testing::Values(
        WordsCase{"none", {}, ""},
        WordsCase{"unopened",
                  {StoreProblem::Reason::Unopened, kFile,
                   "The message store X could not be opened: disk I/O error"},
                  "The message store X could not be opened: disk I/O error"},
        WordsCase{
            "read only",
            {StoreProblem::Reason::ReadOnly, kFile, {}},
            "The message store /home/ani/.local/share/velmora/messages.sqlite was opened only to be read"},
        WordsCase{
            "damaged",
            {StoreProblem::Reason::Damaged, kFile, "database disk image is malformed"},
            "The message store /home/ani/.local/share/velmora/messages.sqlite is damaged (database disk "
            "image is malformed): nothing more is written to it. Keep a copy of it (velmora-cli store "
            "backup FILE); the README's Troubleshooting says how to mend it"},
        WordsCase{"write failed",
                  {StoreProblem::Reason::WriteFailed, kFile, "database or disk is full"},
                  "The message store /home/ani/.local/share/velmora/messages.sqlite could not be written: "
                  "database or disk is full"},
        WordsCase{
            "read failed",
            {StoreProblem::Reason::ReadFailed, kFile, "disk I/O error"},
            "The message store /home/ani/.local/share/velmora/messages.sqlite could not be read: disk I/O "
            "error"},
        WordsCase{"refused",
                  {StoreProblem::Reason::Refused, kFile, "message 3 was sent again already"},
                  "message 3 was sent again already"}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// What the store turns down itself, or cannot do as opened, is kept in
// parts as the last problem, and is the sentence its Result gave.
TEST_F(Store, eachRefusalIsTheLastProblemInParts) {
    {
        auto store = OpenStore();
        ASSERT_TRUE(store);
        EXPECT_TRUE(store->lastProblem().isNull());
        const qint64 failed = Outgoing(*store, 1, kModem);
        ASSERT_TRUE(Value(store->SetState(failed, msg::State::Failed, msg::Reason::CmsError, 38)));
        MessageRecord again = *store->Message(failed);
        again.id = 0;
        again.replaces = failed;
        ASSERT_TRUE(store->AddOutgoing(again));
        struct Step {
            const char* name;
            std::function<std::string()> run;
            const char* detail;
        } steps[] = {
            {"sent again twice", [&] { return store->AddOutgoing(again).error(); },
             "was sent again already, or is no longer one to send again"},
            {"no PDU", [&] { return store->AddReceived(kModem, "SM", 3, "  ").error(); },
             "The message from SM:3 was not recorded: the phone gave no PDU"},
            {"a PDU too long",
             [&] { return store->AddReceived(kModem, "ME", 4, QString(2000, 'A')).error(); },
             "its PDU is longer than 1024 characters"},
        };
        for (const Step& s : steps) {
            const std::string said = s.run();
            const StoreProblem problem = store->lastProblem();
            EXPECT_EQ(problem.reason, StoreProblem::Reason::Refused) << s.name;
            EXPECT_EQ(problem.file, Path()) << s.name;
            EXPECT_TRUE(problem.detail.contains(QLatin1String(s.detail))) << s.name << ": " << said;
            EXPECT_EQ(problem.text().toStdString(), said) << s.name;
        }
        // A sentence it did not give last is a refusal in those words.
        const StoreProblem other = store->ProblemFor(std::string("the batch is gone"));
        EXPECT_EQ(other.reason, StoreProblem::Reason::Refused);
        EXPECT_EQ(other.detail, "the batch is gone");
    }
    auto reading = MessageStore::Open(Path(), MessageStore::Access::Read);
    ASSERT_TRUE(reading) << reading.error();
    EXPECT_EQ((*reading)->faultProblem().reason, StoreProblem::Reason::ReadOnly);
    const auto added = (*reading)->AddOutgoing(Recipients(1).front());
    ASSERT_FALSE(added);
    EXPECT_EQ((*reading)->lastProblem().reason, StoreProblem::Reason::ReadOnly);
    EXPECT_EQ((*reading)->lastProblem().text().toStdString(), added.error());
    EXPECT_EQ((*reading)->faultText(), (*reading)->faultProblem().text());
}

// ---- several modems on one store

const ModemId kModemA{"510011111111111", "/dev/ttyUSB0", "a", "356938035643809"};
const ModemId kModemB{"510012222222222", "/dev/ttyUSB1", "b"};

ModemId Named(const char* name) {
    return QString::fromLatin1(name) == "a" ? kModemA : QString::fromLatin1(name) == "b" ? kModemB : kModem;
}

struct TakeCase {
    const char* name;
    enum { Alone, InBatch, PausedBatch, SentAtOnce } how;
    const char* want;  // the modem the queued message names
    const char* taker; // the modem of the outbox asking
    bool offered;      // NextQueued gives it and QueueDepth counts it
    bool claimed;
};

class Takers : public Batches, public ::testing::WithParamInterface<TakeCase> {};

TEST_P(Takers, takeWhatNamesTheirModemOrNone) {
    const TakeCase& c = GetParam();
    auto store = OpenStore();
    ASSERT_TRUE(store);
    MessageRecord m = Recipients(1).front();
    m.wantModem = QString::fromLatin1(c.want);
    qint64 id = 0, batch = 0;
    switch (c.how) {
    case TakeCase::Alone:
        id = Value(store->AddQueued(m));
        break;
    case TakeCase::SentAtOnce:
        id = Value(store->AddOutgoing(m));
        break;
    case TakeCase::InBatch:
    case TakeCase::PausedBatch: {
        BatchRecord b;
        b.name = QStringLiteral("Rapat");
        batch = Value(store->AddBatch(b, {m}));
        id = MessagesOf(*store, batch).front();
        if (c.how == TakeCase::PausedBatch)
            ASSERT_TRUE(Value(store->SetBatchState(batch, msg::BatchState::Paused)));
        break;
    }
    }
    ASSERT_GT(id, 0);
    EXPECT_EQ(store->Message(id)->wantModem, c.want);
    EXPECT_EQ(store->Message(id)->modem, "") << "taken before it was claimed";
    const ModemId taker = Named(c.taker);
    const auto next = store->NextQueued(batch, taker.name);
    EXPECT_EQ(next ? next->id : 0, c.offered || c.how == TakeCase::PausedBatch ? id : 0);
    EXPECT_EQ(Value(store->QueueDepth(taker.name)), c.offered ? 1 : 0);
    const QDateTime at = Utc("2026-03-01T10:00:00Z");
    ASSERT_EQ(Value(store->Claim(id, at, taker)), c.claimed);
    const auto after = store->Message(id);
    EXPECT_EQ(after->state, c.claimed ? msg::State::Sending : msg::State::Queued);
    EXPECT_EQ(after->modem, c.claimed ? taker.name : "");
    if (c.claimed) {
        EXPECT_EQ(after->modemImsi, taker.imsi);
        EXPECT_EQ(after->modemDevice, taker.device);
        EXPECT_EQ(store->ModemStartsSince(taker.name, at), std::vector<QDateTime>{at});
        EXPECT_EQ(Value(store->QueueDepth(taker.name)), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Takers,
    ::testing::Values(TakeCase{"alone, any modem, by a", TakeCase::Alone, "", "a", true, true},
                      TakeCase{"alone, any modem, by the unnamed", TakeCase::Alone, "", "", true, true},
                      TakeCase{"alone, for a, by a", TakeCase::Alone, "a", "a", true, true},
                      TakeCase{"alone, for a, by b", TakeCase::Alone, "a", "b", false, false},
                      TakeCase{"alone, for a, by the unnamed", TakeCase::Alone, "a", "", false, false},
                      TakeCase{"batch, for b, by b", TakeCase::InBatch, "b", "b", true, true},
                      TakeCase{"batch, for b, by a", TakeCase::InBatch, "b", "a", false, false},
                      TakeCase{"batch, any modem, by a", TakeCase::InBatch, "", "a", true, true},
                      // still queued, but its batch waits for the user
                      TakeCase{"paused batch", TakeCase::PausedBatch, "", "a", false, true},
                      // its own program sends it: no outbox is offered it
                      TakeCase{"sent at once", TakeCase::SentAtOnce, "", "a", false, true}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// Two modems sent a message each whose part got the same reference (A's
// first, B's later); a report settles the part of the modem that read it.
struct ModemReportCase {
    const char* name;
    ModemId sentA, sentB, report;
    int settles; // 1: A's, 2: B's, 0: neither
};

class ModemReports : public Store, public ::testing::WithParamInterface<ModemReportCase> {};

TEST_P(ModemReports, settleOnlyTheModemThatReadThem) {
    const ModemReportCase& c = GetParam();
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 a = Outgoing(*store, 1, c.sentA);
    ASSERT_TRUE(Value(store->SetPartSent(a, 1, 7, QStringLiteral("+CMGS: 7"))));
    const qint64 b = Outgoing(*store, 1, c.sentB);
    ASSERT_TRUE(Value(store->SetPartSent(b, 1, 7, QStringLiteral("+CMGS: 7"))));
    for (const qint64 id : {a, b})
        ASSERT_TRUE(Value(store->SetState(id, msg::State::Sent)));
    EXPECT_EQ(Value(store->RecordReport(c.report, 7, 0x00)), c.settles == 1 ? a : c.settles == 2 ? b : 0);
    EXPECT_EQ(store->Message(a)->state, c.settles == 1 ? msg::State::Delivered : msg::State::Sent);
    EXPECT_EQ(store->Message(b)->state, c.settles == 2 ? msg::State::Delivered : msg::State::Sent);
}

const ModemId kNoSimA{"", "/dev/ttyUSB0", "a"};
const ModemId kNoSimB{"", "/dev/ttyUSB1", "b"};

INSTANTIATE_TEST_SUITE_P(
    Cases, ModemReports,
    ::testing::Values(
        ModemReportCase{"read on B", kModemA, kModemB, kModemB, 2},
        ModemReportCase{"read on A, B's newer", kModemA, kModemB, kModemA, 1},
        ModemReportCase{"A back on another port", kModemA, kModemB, {"", "/dev/ttyUSB7", "a"}, 1},
        ModemReportCase{"A's SIM on another port", kModemA, kModemB, {kModemA.imsi, "/dev/ttyACM0", "a"}, 1},
        // B came back on the port A had, neither SIM read
        ModemReportCase{"B on A's old port", kNoSimA, kNoSimB, {"", "/dev/ttyUSB0", "b"}, 2},
        ModemReportCase{"another SIM under A's name", kModemA, kModemB, {"510019999999999", "", "a"}, 0},
        ModemReportCase{"a modem nothing went through", kModemA, kModemB, {"", "/dev/ttyUSB0", "c"}, 0},
        // the window's one modem on A's port is not A
        ModemReportCase{"unnamed on A's port", kNoSimA, kNoSimB, {"", "/dev/ttyUSB0"}, 0},
        ModemReportCase{"unnamed, both unnamed, by port",
                        {"", "/dev/ttyUSB0"},
                        {"", "/dev/ttyUSB1"},
                        {"", "/dev/ttyUSB0"},
                        1}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// The parts of long messages from one sender with one reference, read by
// two modems: joined per modem.
struct JoinCase {
    const char* name;
    std::vector<std::pair<ModemId, int>> reads; // who read which part (of 2)
    int messages;
    int complete;
};

class JoinPerModem : public Store, public ::testing::WithParamInterface<JoinCase> {};

TEST_P(JoinPerModem, joinOnlyWhatOneModemRead) {
    const JoinCase& c = GetParam();
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const QDateTime sent = Utc("2026-07-01T10:00:00Z");
    int index = 0;
    std::map<QString, qint64> byModem;
    for (const auto& [modem, seq] : c.reads) {
        // Each modem's copy differs in its text: two copies of one PDU are one PDU.
        const QString text = QStringLiteral("%1 part %2 ").arg(modem.name).arg(seq);
        const auto got = store->AddReceived(
            modem, "SM", ++index, Deliver("628123456789", text, sent.addSecs(seq), Part{0x33, 2, seq}));
        ASSERT_TRUE(got) << got.error();
        EXPECT_EQ(store->Message(got->id)->modem, modem.name);
        if (const auto known = byModem.find(modem.name); known != byModem.end())
            EXPECT_EQ(got->id, known->second) << "joined " << modem.name.toStdString();
        byModem[modem.name] = got->id;
    }
    EXPECT_EQ(store->Count({}), c.messages);
    int complete = 0;
    for (const MessageRecord& m : store->Messages({}))
        complete += m.complete ? 1 : 0;
    EXPECT_EQ(complete, c.complete);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JoinPerModem,
    ::testing::Values(JoinCase{"one modem", {{kModemA, 1}, {kModemA, 2}}, 1, 1},
                      JoinCase{"a part each", {{kModemA, 1}, {kModemB, 2}}, 2, 0},
                      JoinCase{"both whole", {{kModemA, 1}, {kModemB, 1}, {kModemB, 2}, {kModemA, 2}}, 2, 2},
                      JoinCase{"named and unnamed", {{kModem, 2}, {kModemA, 1}}, 2, 0}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// Two modems' outboxes at one batch through two connections: each message
// is taken by one of them, whichever asks first.
TEST_F(Batches, twoModemsNeverTakeTheSameMessage) {
    auto a = OpenStore();
    auto b = OpenStore();
    ASSERT_TRUE(a && b);
    const qint64 batch = AddBatch(*a, 4);
    const QDateTime at = Utc("2026-03-01T10:00:00Z");
    std::map<QString, int> taken;
    for (int round = 0; round < 4; ++round) {
        // Both are offered the same first message; only one gets it.
        const auto first = a->NextQueued(batch, kModemA.name);
        const auto same = b->NextQueued(batch, kModemB.name);
        ASSERT_TRUE(first && same);
        EXPECT_EQ(first->id, same->id);
        const bool aFirst = round % 2 == 0;
        EXPECT_TRUE(Value((aFirst ? a : b)->Claim(first->id, at, aFirst ? kModemA : kModemB)));
        EXPECT_FALSE(Value((aFirst ? b : a)->Claim(first->id, at, aFirst ? kModemB : kModemA)));
        ++taken[a->Message(first->id)->modem];
    }
    EXPECT_EQ(taken, (std::map<QString, int>{{"a", 2}, {"b", 2}}));
    EXPECT_FALSE(a->NextQueued(batch, kModemA.name));
    EXPECT_EQ(a->Batch(batch)->sending, 4);
}

TEST_F(Store, modemsAreKeptByName) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    EXPECT_TRUE(Value(store->Modems()).empty());
    ModemRecord a;
    a.name = QStringLiteral("a");
    a.imei = QStringLiteral("356938035643809");
    a.imsi = kModemA.imsi;
    a.device = QStringLiteral("/dev/ttyUSB0");
    a.byIdPath = QStringLiteral("/dev/serial/by-id/usb-Wavecom-if00");
    a.operatorName = QStringLiteral("TELKOMSEL");
    a.signal = 17;
    a.state = QStringLiteral("ready");
    a.lastSeen = Utc("2026-03-01T10:00:00Z");
    ModemRecord unnamed;
    unnamed.device = QStringLiteral("/dev/ttyACM0");
    ASSERT_TRUE(Value(store->SaveModem(a)));
    ASSERT_TRUE(Value(store->SaveModem(unnamed)));
    // Seen again under another port: the same modem, what it is now.
    a.device = QStringLiteral("/dev/ttyUSB3");
    a.state = QStringLiteral("away");
    a.signal = -1;
    ASSERT_TRUE(Value(store->SaveModem(a)));
    const auto modems = Value(store->Modems());
    ASSERT_EQ(modems.size(), 2u);
    EXPECT_EQ(modems[0].name, "");
    EXPECT_EQ(modems[0].device, "/dev/ttyACM0");
    EXPECT_EQ(modems[0].signal, -1);
    EXPECT_FALSE(modems[0].lastSeen.isValid());
    const ModemRecord& got = modems[1];
    EXPECT_EQ(got.name, "a");
    EXPECT_EQ(got.imei, a.imei);
    EXPECT_EQ(got.imsi, a.imsi);
    EXPECT_EQ(got.device, "/dev/ttyUSB3");
    EXPECT_EQ(got.byIdPath, a.byIdPath);
    EXPECT_EQ(got.operatorName, "TELKOMSEL");
    EXPECT_EQ(got.signal, -1);
    EXPECT_EQ(got.state, "away");
    EXPECT_EQ(got.lastSeen, a.lastSeen);
}

// A store of the second schema gains the modems in place: what it holds
// went through the one unnamed modem, and what its batches have queued may
// go through any.
TEST_F(Batches, aSecondSchemaStoreIsMigratedInPlace) {
    if (testing::OnPg())
        GTEST_SKIP() << "about SQLite files";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Path()).absolutePath()));
    ASSERT_TRUE(testing::WriteVersion2Store(Path()));
    {
        auto store = OpenStore();
        ASSERT_TRUE(store);
        EXPECT_EQ(store->Count({}), 4);
        const auto old = store->Message(1);
        ASSERT_TRUE(old);
        EXPECT_EQ(old->modem, "");
        EXPECT_EQ(old->wantModem, "");
        // its report, read by the unnamed modem, still finds it; a named
        // modem's does not
        EXPECT_EQ(Value(store->RecordReport({kModem.imsi, kModem.device, "a"}, 8, 0x00)), 0);
        EXPECT_EQ(Value(store->RecordReport(kModem, 8, 0x00)), 1);
        EXPECT_EQ(store->Message(1)->state, msg::State::Delivered);
        // the batch's queued messages go through any modem, in their order;
        // the message sent at once is no outbox's
        EXPECT_EQ(Value(store->QueueDepth(QStringLiteral("a"))), 2);
        EXPECT_FALSE(store->NextQueued(0, QStringLiteral("a")));
        const auto next = store->NextQueued(1, QStringLiteral("a"));
        ASSERT_TRUE(next);
        EXPECT_EQ(next->id, 2);
        ASSERT_EQ(next->parts.size(), 1u);
        EXPECT_EQ(next->parts[0].pdu, "0021");
        EXPECT_TRUE(Value(store->Claim(2, Utc("2026-03-01T10:00:00Z"), kModemA)));
        EXPECT_EQ(store->Message(2)->modem, "a");
        EXPECT_EQ(store->Message(2)->modemImsi, kModemA.imsi);
        EXPECT_EQ(store->Message(3)->modemImsi, kModem.imsi) << "only the one taken changes";
        ModemRecord a;
        a.name = QStringLiteral("a");
        EXPECT_TRUE(Value(store->SaveModem(a)));
    }
    const QByteArray header = testing::Bytes(Path()).left(100);
    ASSERT_EQ(header.size(), 100);
    EXPECT_EQ(header[63], char(MessageStore::kSchemaVersion));
    auto again = OpenStore();
    ASSERT_TRUE(again);
    EXPECT_EQ(Value(again->Modems()).size(), 1u);
    EXPECT_EQ(Value(again->QueueDepth(QStringLiteral("b"))), 1);
}

// ---- groups and names

TEST_F(Store, groupNamesAreUniqueInAnyCase) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const qint64 family =
        Value(store->SaveGroup({0, QStringLiteral("Keluarga"), {{"Ibu", "0811"}, {"", "0812"}}}));
    const qint64 office = Value(store->SaveGroup({0, QStringLiteral("Ärzte"), {}}));
    ASSERT_GT(family, 0);
    ASSERT_GT(office, 0);
    const struct {
        const char* name;
        qint64 id;
        const char* refused; // "" when saved
    } saves[] = {
        {"keluarga", 0, "already a group named \"Keluarga\""},
        {" KELUARGA ", 0, "already a group named \"Keluarga\""},
        {"ÄRZTE", family, "already a group named \"Ärzte\""},
        {"", 0, "needs a name"},
        {"   ", family, "needs a name"},
        {"Rapat", family + office + 1, "no longer there"},
        {"KELUARGA", family, ""}, // its own name in other letters
    };
    for (const auto& s : saves) {
        const auto saved = store->SaveGroup({s.id, QString::fromUtf8(s.name), {{"Ayah", "0813"}}});
        if (*s.refused) {
            ASSERT_FALSE(saved) << s.name;
            EXPECT_NE(saved.error().find(s.refused), std::string::npos) << saved.error();
        } else {
            EXPECT_EQ(Value(saved), s.id) << s.name;
        }
    }
    const auto named = store->GroupNamed(QStringLiteral("ärzte"));
    ASSERT_TRUE(named);
    EXPECT_EQ(named->id, office);
    EXPECT_TRUE(Value(store->DeleteGroup(office)));
    EXPECT_FALSE(Value(store->DeleteGroup(office)));
    EXPECT_FALSE(store->GroupNamed(QStringLiteral("Ärzte")));
    // the name is free again
    const qint64 lower = Value(store->SaveGroup({0, QStringLiteral("ärzte"), {}}));
    EXPECT_GT(lower, 0);
    // Where accents sort depends on the user's language; case does not count in any.
    ASSERT_TRUE(Value(store->DeleteGroup(lower)));
    const qint64 children = Value(store->SaveGroup({0, QStringLiteral("anak"), {}}));
    const auto groups = store->Groups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].id, children) << "by name, in any case";
    EXPECT_EQ(groups[1].name, "KELUARGA");
    ASSERT_EQ(groups[1].members.size(), 1u) << "replaced, not added to";
    EXPECT_EQ(groups[1].members[0].number, "0813");
    EXPECT_EQ(store->GroupNamed(QStringLiteral("Keluarga"))->members.size(), 1u);
}

TEST_F(Store, numbersAreFoundByTheWholeNameInAnyCase) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    ASSERT_TRUE(Value(store->SavePhonebook({{"Budi", "0811"},
                                            {"Budi Santoso", "0812"},
                                            {"BUDI", "0813"},
                                            {"budi ", "0811"},
                                            {"Élise", "0814"}})));
    const struct {
        const char* name;
        std::vector<QString> numbers;
    } cases[] = {
        {"budi", {"0811", "0813"}}, {" Budi", {"0811", "0813"}},
        {"budi santoso", {"0812"}}, {"bud", {}},
        {"ÉLISE", {"0814"}},        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(store->NumbersNamed(QString::fromUtf8(c.name)), c.numbers) << c.name;
}

} // namespace
} // namespace velmora
