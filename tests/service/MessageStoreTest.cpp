#include "MessageStore.h"

#include "MessageRequest.h"
#include "StoreFixtures.h"
#include "TestNames.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

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
    QString Path() const { return dir.filePath(QStringLiteral("data/messages.sqlite")); }
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
                     "PRAGMA user_version = 3"},
                    {},
                    "was written by a newer Velmora (schema 3; this one knows 1)"},
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

TEST_F(Store, interruptedSendsBecomeUncertain) {
    auto store = OpenStore();
    ASSERT_TRUE(store);
    const msg::State states[] = {msg::State::Queued, msg::State::Sending, msg::State::Sent,
                                 msg::State::Sending, msg::State::Failed};
    std::vector<qint64> ids;
    for (const msg::State s : states) {
        ids.push_back(Outgoing(*store, 1, {"", "/dev/ttyUSB0"}));
        store->SetState(ids.back(), s);
    }
    EXPECT_EQ(Value(store->MarkInterrupted()), 2);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const auto m = store->Message(ids[i]);
        const bool was = states[i] == msg::State::Sending;
        EXPECT_EQ(m->state, was ? msg::State::Uncertain : states[i]) << i;
        EXPECT_EQ(m->reason, was ? msg::Reason::Stopped : msg::Reason::None) << i;
    }
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
        {"Telkomsel", "62", "telkomsel"},
        {" INFO 123 ", "62", "info 123"},
        {"", "62", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConversationKey(c.number, c.country), c.key) << c.number;
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

} // namespace
} // namespace velmora
