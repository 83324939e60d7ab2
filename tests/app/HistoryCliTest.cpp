// velmora-cli history over a store filled through the store's own calls in a
// temporary directory.

#include "Cli.h"
#include "HistoryFill.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace velmora::cli {
namespace {

using testing::AddReceived;
using testing::AddSent;
using testing::Text;

struct Outcome {
    int code;
    std::string out, err;
};

Outcome History(std::vector<std::string> words, bool terminal = false) {
    std::ostringstream out, err;
    const int code = RunHistory(std::move(words), Io{out, err, terminal, terminal});
    return {code, out.str(), err.str()};
}

QJsonArray Parsed(const std::string& out) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(out)).array();
}

std::vector<std::string> Texts(const std::string& out) {
    std::vector<std::string> texts;
    for (const QJsonValue& v : Parsed(out))
        texts.push_back(v.toObject().value("text").toString().toStdString());
    return texts;
}

const QDateTime kStart = QDateTime::currentDateTimeUtc().addDays(-1);

// Five messages between three numbers, one of them in the phone book.
class HistoryCli : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The SQLite driver is a plugin, loaded only inside an application.
        static int argc = 1;
        static char name[] = "history-tests";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath("messages.sqlite");
        auto opened = MessageStore::Open(m_path);
        ASSERT_TRUE(opened) << opened.error();
        MessageStore& s = *opened.value();
        ASSERT_TRUE(s.SavePhonebook({{"Budi", "+628569999999"}}));
        m_lunch = AddSent(s, Text("628569999999", u"lunch at noon?"), msg::State::Sent, {}, {}, kStart);
        ASSERT_TRUE(s.SetPartSent(m_lunch, 1, 42, "+CMGS: 42"));
        ASSERT_TRUE(s.SetModem(m_lunch, {"510109876543210", "/dev/ttyUSB1"}));
        ASSERT_TRUE(s.SetState(m_lunch, msg::State::Delivered, {}, {}, kStart.addSecs(30)));
        m_fine = AddReceived(s, Text("628569999999", u"Lunch is fine"), kStart.addSecs(60));
        m_invoice = AddSent(s, Text("628561234567", u"the invoice"), msg::State::Failed,
                            msg::Reason::CmsError, 500, kStart.addSecs(120));
        AddSent(s, Text("628777000000", u"weather report"), msg::State::Uncertain, msg::Reason::NoAnswer, {},
                kStart.addSecs(180));
        AddReceived(s, Text("628777000000", u"sunny"), kStart.addSecs(240), 2);
    }

    QTemporaryDir m_dir;
    QString m_path;
    qint64 m_lunch = 0, m_fine = 0, m_invoice = 0;
};

TEST_F(HistoryCli, filtersAsAsked) {
    const struct Row {
        std::vector<std::string> words;
        std::vector<std::string> texts; // newest first
    } rows[] = {
        {{}, {"sunny", "weather report", "the invoice", "Lunch is fine", "lunch at noon?"}},
        {{"--number", "08569999999"}, {"Lunch is fine", "lunch at noon?"}},
        {{"--number=+62 856 9999 999"}, {"Lunch is fine", "lunch at noon?"}},
        {{"--search", "LUNCH"}, {"Lunch is fine", "lunch at noon?"}},
        {{"--search", "budi"}, {"Lunch is fine", "lunch at noon?"}},
        {{"--search", "1234567"}, {"the invoice"}},
        {{"--state", "failed"}, {"the invoice"}},
        {{"--state", "uncertain"}, {"weather report"}},
        {{"--state", "received", "--direction", "in"}, {"sunny", "Lunch is fine"}},
        {{"--direction", "out", "--limit", "2"}, {"weather report", "the invoice"}},
        {{"--limit=1"}, {"sunny"}},
        {{"--search", "zebra"}, {}},
    };
    for (const Row& row : rows) {
        std::vector<std::string> words = row.words;
        words.insert(words.end(), {"--json", "--store", m_path.toStdString()});
        const Outcome o = History(words);
        const std::string what = ::testing::PrintToString(row.words);
        EXPECT_EQ(o.code, kExitOk) << what << o.err;
        EXPECT_EQ(Texts(o.out), row.texts) << what;
    }
}

TEST_F(HistoryCli, jsonHoldsEveryFieldOfAMessage) {
    const Outcome o = History({"--json", "--store", m_path.toStdString()});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    const QJsonArray all = Parsed(o.out);
    ASSERT_EQ(all.size(), 5);
    const QRegularExpression utc("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$");
    std::map<qint64, QJsonObject> byId;
    for (const QJsonValue& v : all) {
        for (const char* key :
             {"id", "direction", "number", "name", "kind", "text", "content", "state", "reason", "parts",
              "references", "created", "sent", "delivered", "received", "modem"})
            EXPECT_TRUE(v.toObject().contains(key)) << key;
        byId[v.toObject().value("id").toInteger()] = v.toObject();
    }
    const QJsonObject lunch = byId[m_lunch], fine = byId[m_fine], invoice = byId[m_invoice];
    EXPECT_EQ(lunch.value("direction").toString(), "out");
    EXPECT_EQ(lunch.value("number").toString(), "628569999999");
    EXPECT_EQ(lunch.value("name").toString(), "Budi");
    EXPECT_EQ(lunch.value("kind").toString(), "text");
    EXPECT_EQ(lunch.value("state").toString(), "delivered");
    EXPECT_EQ(lunch.value("references").toArray(), (QJsonArray{42}));
    EXPECT_EQ(lunch.value("parts").toArray().at(0).toObject().value("answer").toString(), "+CMGS: 42");
    const auto job = BuildMessage(Text("628569999999", u"lunch at noon?"));
    EXPECT_EQ(lunch.value("parts").toArray().at(0).toObject().value("pdu").toString().toStdString(),
              job->pdus[0]);
    EXPECT_TRUE(utc.match(lunch.value("sent").toString()).hasMatch())
        << lunch.value("sent").toString().toStdString();
    EXPECT_TRUE(utc.match(lunch.value("delivered").toString()).hasMatch());
    EXPECT_TRUE(lunch.value("received").isNull());
    EXPECT_EQ(lunch.value("modem").toObject(),
              (QJsonObject{{"imsi", "510109876543210"}, {"device", "/dev/ttyUSB1"}}));

    EXPECT_EQ(invoice.value("state").toString(), "failed");
    EXPECT_EQ(invoice.value("reason").toString(), "cms-error");
    EXPECT_EQ(invoice.value("reasonCode").toInt(), 500);
    EXPECT_TRUE(invoice.value("name").isNull());
    EXPECT_TRUE(invoice.value("delivered").isNull());
    EXPECT_TRUE(invoice.value("modem").isNull());

    EXPECT_EQ(fine.value("direction").toString(), "in");
    EXPECT_EQ(fine.value("state").toString(), "received");
    EXPECT_TRUE(utc.match(fine.value("received").toString()).hasMatch());
    EXPECT_TRUE(fine.value("sent").isNull());
    EXPECT_EQ(fine.value("parts").toArray().at(0).toObject().value("storage").toString(), "SM");
}

TEST_F(HistoryCli, plainLinesSayTimeDirectionNumberNameStateAndText) {
    const Outcome o = History({"--store", m_path.toStdString()});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    std::istringstream in(o.out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 5u) << o.out;
    const QRegularExpression shape("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d  (out|in )  \\S");
    for (const auto& line : lines)
        EXPECT_TRUE(shape.match(QString::fromStdString(line)).hasMatch()) << line;
    EXPECT_NE(lines[2].find("out  628561234567  failed (+CMS ERROR 500)  the invoice"), std::string::npos)
        << lines[2];
    EXPECT_NE(lines[1].find("uncertain (no-answer)  weather report"), std::string::npos) << lines[1];
    EXPECT_NE(lines[4].find("628569999999 (Budi)  delivered  lunch at noon?"), std::string::npos) << lines[4];
    const QDateTime sent = kStart.toLocalTime();
    EXPECT_EQ(lines[4].substr(0, 16), sent.toString("yyyy-MM-dd HH:mm").toStdString());
}

TEST_F(HistoryCli, aNameThatWouldDriveTheTerminalIsEscapedThere) {
    {
        auto s = MessageStore::Open(m_path);
        ASSERT_TRUE(s);
        ASSERT_TRUE(s.value()->SavePhonebook({{"Bu\x1b[2Jdi", "+628569999999"}}));
    }
    const Outcome shown = History({"--store", m_path.toStdString(), "--number", "628569999999"}, true);
    EXPECT_EQ(shown.out.find('\x1b'), std::string::npos);
    EXPECT_NE(shown.out.find("Bu\\x1B[2Jdi"), std::string::npos) << shown.out;
    const Outcome piped = History({"--store", m_path.toStdString(), "--number", "628569999999"}, false);
    EXPECT_NE(piped.out.find("Bu\x1b[2Jdi"), std::string::npos);
}

TEST_F(HistoryCli, badValuesAreUsageErrors) {
    const struct Row {
        std::vector<std::string> words;
        std::string says;
    } rows[] = {
        {{"--state", "lost"},
         "history: --state must be one of queued, sending, sent, delivered, not-delivered, "
         "failed, uncertain, received, cancelled, not \"lost\""},
        {{"--limit", "ten"}, "history: --limit must be a whole number of at least 1, not \"ten\""},
        {{"--limit", "0"}, "history: --limit must be a whole number of at least 1, not \"0\""},
        {{"--direction", "sideways"}, "history: --direction must be in or out, not \"sideways\""},
        {{"--colour"}, "history: unknown option \"--colour\""},
        {{"extra"}, "history: unexpected \"extra\""},
        {{"--limit"}, "history: --limit needs a value"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> words = row.words;
        words.insert(words.begin(), {"--store", m_path.toStdString()});
        const Outcome o = History(words);
        EXPECT_EQ(o.code, kExitUsage) << row.says;
        EXPECT_EQ(o.err.substr(0, o.err.find('\n')), "velmora-cli: " + row.says);
        EXPECT_NE(o.err.find("usage: velmora-cli history"), std::string::npos);
        EXPECT_TRUE(o.out.empty());
    }
}

TEST_F(HistoryCli, noStoreIsNoMessagesAndNoneIsMade) {
    const QString none = m_dir.filePath("elsewhere/none.sqlite");
    const Outcome plain = History({"--store", none.toStdString()});
    EXPECT_EQ(plain.code, kExitOk);
    EXPECT_EQ(plain.out.rfind("no messages yet", 0), 0u) << plain.out;
    const Outcome json = History({"--json", "--store", none.toStdString()});
    EXPECT_EQ(json.code, kExitOk);
    EXPECT_EQ(json.out, "[]\n");
    EXPECT_FALSE(QFile::exists(none));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("elsewhere")));
}

TEST_F(HistoryCli, aFileThatIsNoStoreIsRefusedWithTheStoresSentence) {
    const QString text = m_dir.filePath("notes.sqlite");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("These are my notes, not a database.\n");
    f.close();
    const Outcome o = History({"--store", text.toStdString()});
    EXPECT_EQ(o.code, kExitRefused);
    EXPECT_NE(o.err.find(text.toStdString()), std::string::npos) << o.err;
    EXPECT_EQ(o.err.rfind("velmora-cli: ", 0), 0u);
    EXPECT_TRUE(o.out.empty());
}

// Without --store: the settings' [Messages] Store=, beside the logs, else
// messages.sqlite there.
TEST_F(HistoryCli, theSettingsNameTheStore) {
    {
        auto kept = MessageStore::Open(m_dir.filePath("kept.sqlite"));
        ASSERT_TRUE(kept);
        ASSERT_TRUE(AddSent(*kept.value(), Text("628569999999", u"kept"), msg::State::Sent));
    }
    QFile ini(m_dir.filePath("velmora.Ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Messages]\nStore=kept.sqlite\n");
    ini.close();
    qputenv("VELMORA_DIR", m_dir.path().toLocal8Bit());
    const Outcome named = History({"--json"});
    ini.remove();
    const Outcome beside = History({"--json", "--limit", "1"});
    qunsetenv("VELMORA_DIR");
    EXPECT_EQ(named.code, kExitOk) << named.err;
    EXPECT_EQ(Texts(named.out), std::vector<std::string>{"kept"});
    EXPECT_EQ(Texts(beside.out), std::vector<std::string>{"sunny"});
}

} // namespace
} // namespace velmora::cli
