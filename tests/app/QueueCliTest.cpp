// velmora-cli queue over a store in a temporary folder, as a user reads it:
// a batch whose rest was cancelled counts its cancelled messages apart from
// the failed ones, in the lines and in the JSON, and under an Indonesian
// catalog every state, kind and coding comes out in Indonesian.

#include "Cli.h"
#include "MessageStore.h"
#include "Outbox.h"
#include "PhoneCommands.h"
#include "Terms.h"
#include "Translations.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

#include <sstream>

namespace velmora::cli {
namespace {

struct Outcome {
    int code;
    std::string out, err;
};

Outcome Queue(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int code = RunQueue(std::move(words), Io{out, err, false, false});
    return {code, out.str(), err.str()};
}

Outcome Decode(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int code = RunDecode(std::move(words), Io{out, err, false, false});
    return {code, out.str(), err.str()};
}

// A message to 628569999999 saying "Halo", as "pdu text" prints it.
const std::string kPdu = "0011000C912658969999990000AA04C830FB0D";

class QueueCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "cli_queue_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }

    // A batch of 7: the first 3 sent, then the rest cancelled (Cancel the
    // Rest); and a single message sent.
    void SetUp() override {
        m_path = m_dir.filePath("messages.sqlite");
        auto opened = MessageStore::Open(m_path);
        ASSERT_TRUE(opened) << opened.error();
        MessageStore& store = *opened.value();
        BatchRequest request;
        for (int i = 0; i < 7; ++i) {
            BatchRecipient r;
            r.request.destination = "62811000" + std::to_string(100 + i);
            r.request.text = u"Halo semua";
            request.recipients.push_back(r);
        }
        const auto queued = Outbox::Record(&store, request, {}, QDateTime::currentDateTimeUtc());
        ASSERT_TRUE(queued);
        m_batch = queued->batch;
        HistoryQuery query;
        query.batch = m_batch;
        const auto messages = store.Messages(query);
        ASSERT_EQ(messages.size(), 7U);
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(store.Claim(messages[i].id, QDateTime::currentDateTimeUtc()).value());
            ASSERT_TRUE(store.SetState(messages[i].id, msg::State::Sent));
        }
        m_sent = messages[0].id;
        const auto cancelled = store.CancelBatch(m_batch);
        ASSERT_TRUE(cancelled);
        ASSERT_EQ(cancelled.value().size(), 4U);
    }

    std::vector<std::string> Words(std::vector<std::string> words) const {
        words.insert(words.end(), {"--store", m_path.toStdString()});
        return words;
    }

    QTemporaryDir m_dir;
    QString m_path;
    qint64 m_batch = 0;
    qint64 m_sent = 0;
};

TEST_F(QueueCli, cancelledMessagesAreCountedAsCancelledNotFailed) {
    const Outcome list = Queue(Words({"list"}));
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_NE(list.out.find("  cancelled  3 of 7 sent, 4 cancelled  Halo semua to 7\n"), std::string::npos)
        << list.out;
    EXPECT_EQ(list.out.find("failed"), std::string::npos) << list.out;

    const Outcome one = Queue(Words({"list", "B" + std::to_string(m_batch)}));
    ASSERT_EQ(one.code, 0) << one.err;
    EXPECT_NE(one.out.find("cancelled: 3 of 7 sent, 4 cancelled\n"), std::string::npos) << one.out;
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 8) << one.out;
    EXPECT_EQ(QString::fromStdString(one.out).count(QRegularExpression("  cancelled\n")), 4) << one.out;
    EXPECT_EQ(one.out.find("failed"), std::string::npos) << one.out;

    const Outcome json = Queue(Words({"list", "--json"}));
    ASSERT_EQ(json.code, 0) << json.err;
    const QJsonObject batch =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array().at(0).toObject();
    EXPECT_EQ(batch["cancelled"].toInt(), 4);
    EXPECT_EQ(batch["failed"].toInt(), 0);
    EXPECT_EQ(batch["sent"].toInt(), 3);
    EXPECT_EQ(batch["state"].toString(), "cancelled");

    const Outcome messages = Queue(Words({"list", "--json", "B" + std::to_string(m_batch)}));
    QStringList states;
    for (const QJsonValue m : QJsonDocument::fromJson(QByteArray::fromStdString(messages.out)).array())
        states << m["state"].toString();
    EXPECT_EQ(states.join(','), "sent,sent,sent,cancelled,cancelled,cancelled,cancelled");
}

// A store written before "cancelled" was a state of its own kept such a
// message as failed, taken out of the queue: it reads as cancelled.
TEST_F(QueueCli, aStoreThatKeptThemAsFailedReadsAsCancelled) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "older");
        db.setDatabaseName(m_path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("UPDATE messages SET state = 'failed' WHERE state = 'cancelled'"));
        ASSERT_EQ(q.numRowsAffected(), 4);
        db.close();
    }
    QSqlDatabase::removeDatabase("older");
    const Outcome list = Queue(Words({"list"}));
    EXPECT_NE(list.out.find("3 of 7 sent, 4 cancelled"), std::string::npos) << list.out;
    auto store = MessageStore::Open(m_path);
    ASSERT_TRUE(store);
    HistoryQuery cancelled;
    cancelled.state = msg::State::Cancelled;
    EXPECT_EQ(store.value()->Messages(cancelled).size(), 4U);
    HistoryQuery failed;
    failed.state = msg::State::Failed;
    EXPECT_TRUE(store.value()->Messages(failed).empty());
}

// Under an Indonesian catalog, then back to English.
class QueueCliInIndonesian : public QueueCli {
protected:
    // Before the batch is queued: its name is given in the user's language.
    void SetUp() override {
        m_language = InstallTranslations(kCliCatalogs, VELMORA_QM_DIR, QLocale("id_ID"));
        QueueCli::SetUp();
    }
    void TearDown() override {
        for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
    QString m_language;
};

// Every word of the one table differs from its English name in Indonesian,
// and none is one of the table's English words.
TEST_F(QueueCliInIndonesian, everyStateReasonKindAndCodingHasItsIndonesianWord) {
    ASSERT_FALSE(m_language.isEmpty()) << "no Indonesian catalog in " VELMORA_QM_DIR;
    QStringList english;
    for (const terms::Term& t : terms::All())
        english << QString::fromLatin1(t.name).split('-');
    // Names Indonesian writes as English does.
    for (const char* both : {"data", "logo", "ussd", "ucs2", "mode", "prompt", "status"})
        english.removeAll(both);
    for (const terms::Term& t : terms::All()) {
        for (const char* source : {t.name, t.label}) {
            if (!source)
                continue;
            const QString said = QCoreApplication::translate(terms::Context(t.table), source);
            EXPECT_NE(said, QString::fromLatin1(source)) << terms::Context(t.table) << ": " << source;
            for (const QString& word :
                 said.toLower().split(QRegularExpression("[^a-z0-9]+"), Qt::SkipEmptyParts))
                EXPECT_FALSE(english.contains(word) && word.size() > 3)
                    << terms::Context(t.table) << ": " << source << " -> " << said.toStdString();
        }
    }
}

TEST_F(QueueCliInIndonesian, theQueuesLinesSayEveryStateInIndonesian) {
    ASSERT_FALSE(m_language.isEmpty());
    const Outcome list = Queue(Words({"list"}));
    EXPECT_NE(list.out.find("  dibatalkan  3 dari 7 terkirim, 4 dibatalkan  Halo semua ke 7 penerima\n"),
              std::string::npos)
        << list.out;
    const Outcome one = Queue(Words({"list", "B" + std::to_string(m_batch)}));
    EXPECT_NE(one.out.find("  terkirim\n"), std::string::npos) << one.out;
    EXPECT_NE(one.out.find("  dibatalkan\n"), std::string::npos) << one.out;
    // A word of the table's English left anywhere is a fault.
    static const QRegularExpression english("\\b(sent|cancelled|failed|finished|queued|to)\\b");
    EXPECT_FALSE(english.match(QString::fromStdString(list.out + one.out)).hasMatch()) << list.out << one.out;
    const Outcome refused = Queue(Words({"cancel", std::to_string(m_sent)}));
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("pesan " + std::to_string(m_sent) +
                               " berstatus terkirim: tidak ada yang bisa dibatalkan"),
              std::string::npos)
        << refused.err;
    // The machine's form stays English.
    const Outcome json = Queue(Words({"list", "--json"}));
    EXPECT_NE(json.out.find("\"state\": \"cancelled\""), std::string::npos) << json.out;
}

// What a received logo is, said in the reader's language; an older store's
// English words stay as they were kept.
TEST_F(QueueCliInIndonesian, aReceivedLogoIsSaidInIndonesian) {
    ASSERT_FALSE(m_language.isEmpty());
    MessageRecord logo;
    logo.direction = msg::Direction::In;
    logo.kind = "logo";
    logo.content = QJsonObject{{"mcc", "510"}, {"nc", "10"}};
    EXPECT_EQ(terms::MessageText(logo), "Logo operator untuk 510 10");
    logo.text = "Operator logo for 510 10";
    EXPECT_EQ(terms::MessageText(logo), "Operator logo for 510 10");
}

TEST_F(QueueCliInIndonesian, aReadMessageSaysItsTypeKindAndCodingInIndonesian) {
    ASSERT_FALSE(m_language.isEmpty());
    const Outcome read = Decode({kPdu});
    ASSERT_EQ(read.code, 0) << read.err;
    for (const char* line : {": keluar\n", ": teks\n", ": GSM 7-bit\n"})
        EXPECT_NE(read.out.find(line), std::string::npos) << line << " in " << read.out;
    static const QRegularExpression english(": (submit|text|gsm7)\\n");
    EXPECT_FALSE(english.match(QString::fromStdString(read.out)).hasMatch()) << read.out;
}

} // namespace
} // namespace velmora::cli
