// The store as other programs and other users meet it: damaged pages,
// several programs creating it at once, a store this user may only read,
// copies made while it is in use, and lists read as they stream.

#include "MessageStore.h"

#include "StoreFixtures.h"
#include "TestNames.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <latch>
#include <random>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora {
namespace {

using testing::Bytes;
using testing::Utc;

MessageRecord Queued(int i, const QDateTime& created = QDateTime::currentDateTimeUtc()) {
    MessageRecord m;
    m.number = QStringLiteral("62812%1").arg(i, 7, 10, QLatin1Char('0'));
    m.kind = QStringLiteral("text");
    m.text = QStringLiteral("Rapat besok jam sepuluh, pesan nomor %1").arg(i);
    m.created = created;
    PartRecord p;
    p.part = 1;
    p.pdu = QStringLiteral("0011000C912658969999990000AA0361F118");
    m.parts.push_back(p);
    return m;
}

class Trust : public ::testing::Test {
protected:
    QString Path() const { return dir.filePath(QStringLiteral("messages.sqlite")); }
    // A store of `n` queued messages in one batch, closed again.
    void Fill(int n) {
        auto store = MessageStore::Open(Path());
        ASSERT_TRUE(store) << store.error();
        BatchRecord batch;
        batch.name = QStringLiteral("Rapat");
        batch.key = QStringLiteral("rapat");
        std::vector<MessageRecord> messages;
        for (int i = 0; i < n; ++i)
            messages.push_back(Queued(i));
        ASSERT_TRUE((*store)->AddBatch(batch, messages));
    }
    QStringList Beside() const {
        return QDir(QFileInfo(Path()).absolutePath()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    QTemporaryDir dir;
};

// ---- damaged pages

// As the store was found: random 200-byte spots overwritten. Each seed
// damages other pages; whatever SQLite notices first, nothing is written.
class Damaged : public Trust, public ::testing::WithParamInterface<unsigned> {};

TEST_P(Damaged, isRefusedForWritingAndLeftAsItIs) {
    Fill(3000);
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        std::mt19937 random(GetParam());
        // Past the header: a header that is not SQLite's is another refusal.
        std::uniform_int_distribution<qint64> at(4096, file.size() - 200);
        for (int spot = 0; spot < 20; ++spot) {
            QByteArray garbage(200, '\0');
            for (char& c : garbage)
                c = static_cast<char>(random());
            ASSERT_TRUE(file.seek(at(random)));
            ASSERT_EQ(file.write(garbage), 200);
        }
    }
    const QByteArray before = Bytes(Path());
    {
        auto opened = MessageStore::Open(Path());
        if (opened) {
            MessageStore& store = **opened;
            EXPECT_EQ(store.fault(), MessageStore::Fault::Damaged);
            EXPECT_TRUE(store.faultText().contains(QLatin1String("damaged")))
                << store.faultText().toStdString();
            // What SQLite found, in one line of the sentence.
            EXPECT_FALSE(store.faultText().contains(QLatin1Char('\n'))) << store.faultText().toStdString();
            EXPECT_FALSE(store.faultText().contains(QLatin1String("***"))) << store.faultText().toStdString();
            EXPECT_TRUE(store.CheckWritable().contains(QLatin1String("damaged")));
            const auto added = store.AddOutgoing(Queued(99999));
            ASSERT_FALSE(added);
            EXPECT_NE(added.error().find("damaged"), std::string::npos) << added.error();
            EXPECT_EQ(store.lastProblem().reason, StoreProblem::Reason::Damaged);
            EXPECT_EQ(store.lastProblem().text().toStdString(), added.error());
            EXPECT_EQ(store.faultProblem().reason, StoreProblem::Reason::Damaged);
            EXPECT_FALSE(store.MarkInterrupted());
            EXPECT_FALSE(store.CancelBatch(1));
            EXPECT_FALSE(store.DeleteBefore(QDateTime::currentDateTimeUtc().addDays(1)));
            // Another connection of this program does not write it either.
            auto again = MessageStore::Open(Path());
            if (again) {
                EXPECT_FALSE((*again)->AddOutgoing(Queued(99998)));
            }
            const auto checked = store.IntegrityCheck();
            ASSERT_TRUE(checked) << checked.error();
            EXPECT_NE(*checked, QStringList{QStringLiteral("ok")});
        } else {
            EXPECT_NE(opened.error().find("damaged"), std::string::npos) << opened.error();
            EXPECT_EQ(opened.error().find("not a Velmora message store"), std::string::npos)
                << opened.error();
        }
    }
    EXPECT_TRUE(Bytes(Path()) == before) << "the damaged store was written to";
}

INSTANTIATE_TEST_SUITE_P(Seeds, Damaged, ::testing::Values(1u, 29u, 2026u));

TEST_F(Trust, aWholeStoreChecksWholeAndWrites) {
    Fill(50);
    auto store = MessageStore::Open(Path());
    ASSERT_TRUE(store) << store.error();
    EXPECT_EQ((*store)->fault(), MessageStore::Fault::None);
    const auto checked = (*store)->IntegrityCheck();
    ASSERT_TRUE(checked);
    EXPECT_EQ(*checked, QStringList{QStringLiteral("ok")});
    EXPECT_TRUE((*store)->AddOutgoing(Queued(51)));
}

// ---- many programs on a new store

TEST_F(Trust, programsStartingTogetherOnANewStoreAllGoOn) {
    constexpr int kPrograms = 6;
    std::latch start(kPrograms);
    std::vector<std::string> failures(kPrograms);
    std::vector<std::thread> programs;
    for (int i = 0; i < kPrograms; ++i)
        programs.emplace_back([&, i] {
            start.arrive_and_wait();
            auto store = MessageStore::Open(Path());
            if (!store) {
                failures[static_cast<std::size_t>(i)] = store.error();
                return;
            }
            if (const auto added = (*store)->AddOutgoing(Queued(i)); !added)
                failures[static_cast<std::size_t>(i)] = added.error();
        });
    for (std::thread& t : programs)
        t.join();
    for (const std::string& f : failures)
        EXPECT_EQ(f, "");
    auto store = MessageStore::Open(Path());
    ASSERT_TRUE(store);
    EXPECT_EQ((*store)->Count({}), kPrograms);
}

// ---- reading what this user may not write

// Run in a child as another user when the test runs as root (root may
// write anything), else as this user with the permissions taken away.
// Gives the child's exit status: the count it read, or 100 + a failure.
int ReadAsOther(const QString& path, bool other) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (other && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(101);
        auto store = MessageStore::Open(path, MessageStore::Access::Read);
        if (!store) {
            std::fprintf(stderr, "%s\n", store.error().c_str());
            ::_exit(102);
        }
        int count = 0;
        const auto read = (*store)->EachMessage({}, [&](const MessageRecord&) { return ++count > 0; });
        ::_exit(read ? std::min(count, 99) : 103);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

struct ReadOnlyCase {
    const char* name;
    mode_t file, folder;
    bool writerOpen; // another program has the store open, its last change in the -wal
    bool rootOnly;   // needs another user: the test must run as root to be one
};

class ReadOnly : public Trust, public ::testing::WithParamInterface<ReadOnlyCase> {};

TEST_P(ReadOnly, listsAndLeavesNoFileBehind) {
    const ReadOnlyCase& c = GetParam();
    const bool root = ::geteuid() == 0;
    if (c.rootOnly && !root)
        GTEST_SKIP() << "another user's store in a folder anyone may write needs a second user: run as root";
    Fill(5);
    std::unique_ptr<MessageStore> writer;
    if (c.writerOpen) {
        auto opened = MessageStore::Open(Path());
        ASSERT_TRUE(opened);
        writer = std::move(opened.value());
        ASSERT_TRUE(writer->AddOutgoing(Queued(6)));
    }
    const QStringList before = Beside();
    const QString folder = QFileInfo(Path()).absolutePath();
    ASSERT_EQ(::chmod(QFile::encodeName(Path()).constData(), c.file), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), c.folder), 0);
    if (root) // the child as nobody must reach it
        for (QString up = QFileInfo(folder).absolutePath(); up != QLatin1String("/");
             up = QFileInfo(up).absolutePath())
            ::chmod(QFile::encodeName(up).constData(),
                    0755 | (QFileInfo(up).permissions() & 01000 ? 01000 : 0));
    if (c.writerOpen) // its -wal and -shm are as the writer made them
        for (const char* end : {"-wal", "-shm"})
            ::chmod(QFile::encodeName(Path() + QLatin1String(end)).constData(), c.file);
    const int read = ReadAsOther(Path(), root);
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    ::chmod(QFile::encodeName(Path()).constData(), 0600);
    EXPECT_EQ(read, c.writerOpen ? 6 : 5);
    EXPECT_EQ(Beside(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, ReadOnly,
    ::testing::Values(ReadOnlyCase{"read-only file in a read-only folder", 0444, 0555, false, false},
                      ReadOnlyCase{"another user's store in a folder anyone writes", 0644, 0777, false, true},
                      ReadOnlyCase{"read-only folder while a writer has it open", 0444, 0555, true, false}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

TEST_F(Trust, aStoreOpenedToBeReadWritesNothing) {
    Fill(2);
    auto store = MessageStore::Open(Path(), MessageStore::Access::Read);
    ASSERT_TRUE(store) << store.error();
    EXPECT_EQ((*store)->fault(), MessageStore::Fault::ReadOnly);
    EXPECT_FALSE((*store)->AddOutgoing(Queued(3)));
    EXPECT_EQ((*store)->Count({}), 2);
}

// ---- copies

TEST_F(Trust, aCopyIsWholeWhileAnotherProgramWritesAndNeverReplacesUnasked) {
    Fill(200);
    auto writer = MessageStore::Open(Path());
    ASSERT_TRUE(writer);
    // A change under way in another connection is not in the copy.
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("trust-writer"));
    {
        other.setDatabaseName(Path());
        ASSERT_TRUE(other.open());
        ASSERT_TRUE(QSqlQuery(other).exec(QStringLiteral("BEGIN IMMEDIATE")));
        ASSERT_TRUE(QSqlQuery(other).exec(QStringLiteral("DELETE FROM messages")));
    }
    const QString copy = dir.filePath(QStringLiteral("copy.sqlite"));
    auto reader = MessageStore::Open(Path(), MessageStore::Access::Read);
    ASSERT_TRUE(reader);
    const auto made = (*reader)->Backup(copy);
    ASSERT_TRUE(made) << made.error();
    QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("trust-writer"));
    {
        auto copied = MessageStore::Open(copy, MessageStore::Access::Read);
        ASSERT_TRUE(copied) << copied.error();
        EXPECT_EQ((*copied)->Count({}), 200);
        const auto checked = (*copied)->IntegrityCheck();
        ASSERT_TRUE(checked);
        EXPECT_EQ(*checked, QStringList{QStringLiteral("ok")});
    }
    const QByteArray first = Bytes(copy);
    ASSERT_TRUE((*writer)->AddOutgoing(Queued(201)));
    const auto refused = (*reader)->Backup(copy);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("--force"), std::string::npos) << refused.error();
    EXPECT_TRUE(Bytes(copy) == first);
    ASSERT_TRUE((*reader)->Backup(copy, true));
    auto replaced = MessageStore::Open(copy, MessageStore::Access::Read);
    ASSERT_TRUE(replaced);
    EXPECT_EQ((*replaced)->Count({}), 201);
    // Nothing half-written is left under another name.
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden),
              QStringList{});
}

// ---- lists as they stream, and deleting the old

TEST_F(Trust, aStreamedListIsTheListAndStopsWhenAsked) {
    {
        auto store = MessageStore::Open(Path());
        ASSERT_TRUE(store);
        for (int i = 0; i < 700; ++i)
            ASSERT_TRUE((*store)->AddOutgoing(Queued(i, Utc("2026-01-01T00:00:00Z").addSecs(i))));
    }
    auto store = MessageStore::Open(Path(), MessageStore::Access::Read);
    ASSERT_TRUE(store);
    for (const int limit : {-1, 1, 300, 699}) {
        HistoryQuery q;
        q.limit = limit;
        std::vector<qint64> streamed;
        const auto n = (*store)->EachMessage(q, [&](const MessageRecord& m) {
            EXPECT_EQ(m.parts.size(), 1u) << m.id;
            streamed.push_back(m.id);
            return true;
        });
        ASSERT_TRUE(n);
        std::vector<qint64> listed;
        for (const MessageRecord& m : (*store)->Messages(q))
            listed.push_back(m.id);
        EXPECT_EQ(streamed, listed) << "limit " << limit;
        EXPECT_EQ(*n, static_cast<int>(listed.size()));
    }
    int taken = 0;
    const auto stopped = (*store)->EachMessage({}, [&](const MessageRecord&) { return ++taken < 3; });
    ASSERT_TRUE(stopped);
    EXPECT_EQ(taken, 3);
}

TEST_F(Trust, deletingTheOldKeepsWhatIsStillToGo) {
    auto opened = MessageStore::Open(Path());
    ASSERT_TRUE(opened);
    MessageStore& store = **opened;
    const QDateTime old = Utc("2025-01-01T08:00:00Z"), recent = Utc("2026-06-01T08:00:00Z");
    struct Row {
        msg::State state;
        QDateTime created;
        bool kept;
    };
    const Row rows[] = {
        {msg::State::Sent, old, false},      {msg::State::Failed, old, false},
        {msg::State::Uncertain, old, false}, {msg::State::Queued, old, true},
        {msg::State::Sending, old, true},    {msg::State::Sent, recent, true},
    };
    std::vector<std::pair<qint64, bool>> ids;
    for (const Row& r : rows) {
        MessageRecord m = Queued(static_cast<int>(ids.size()), r.created);
        m.state = r.state;
        const auto id = store.AddOutgoing(m);
        ASSERT_TRUE(id);
        ids.emplace_back(*id, r.kept);
    }
    const QDateTime cut = Utc("2026-01-01T00:00:00Z");
    EXPECT_EQ(store.CountBefore(cut), 3);
    const auto deleted = store.DeleteBefore(cut);
    ASSERT_TRUE(deleted) << deleted.error();
    EXPECT_EQ(*deleted, 3);
    for (const auto& [id, kept] : ids)
        EXPECT_EQ(store.Message(id).has_value(), kept) << id;
    HistoryQuery search;
    search.search = QStringLiteral("nomor 0");
    EXPECT_EQ(store.Count(search), 0) << "the search still finds a deleted message";
}

} // namespace
} // namespace velmora
