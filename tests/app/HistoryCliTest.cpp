// velmora-cli history over a store filled through the store's own calls in a
// temporary directory.

#include "Cli.h"
#include "HistoryFill.h"
#include "MessageRequest.h"
#include "MessageStore.h"
#include "PhoneCommands.h"
#include "Shown.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
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

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

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
        {{"--number", "0062 856-9999.999"}, {"Lunch is fine", "lunch at noon?"}},
        {{"--number", "(0856) 9999-999"}, {"Lunch is fine", "lunch at noon?"}},
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

// A logo read from a phone is kept as its kind and content; the words for
// it are made as the lines are, as they always read in English.
TEST_F(HistoryCli, aLogoReadFromThePhoneIsSaidAsItIsShown) {
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.destination = "628123000111";
    logo.content = std::string(126, 'F') + std::string(126, '0');
    logo.mcc = "510";
    logo.nc = "10";
    {
        auto opened = MessageStore::Open(m_path);
        ASSERT_TRUE(opened) << opened.error();
        ASSERT_TRUE(
            opened.value()->AddReceived({}, "SM", 7, QString::fromStdString(BuildMessage(logo)->pdus[0])));
    }
    const Outcome plain = History({"--store", m_path.toStdString(), "--number", "628123000111"});
    EXPECT_NE(plain.out.find("628123000111  sent  Operator logo for 510 10\n"), std::string::npos)
        << plain.out;
    const Outcome csv = History({"--store", m_path.toStdString(), "--number", "628123000111", "--csv"});
    EXPECT_NE(csv.out.find(",Operator logo for 510 10"), std::string::npos) << csv.out;
    const Outcome json = History({"--store", m_path.toStdString(), "--number", "628123000111", "--json"});
    ASSERT_EQ(Parsed(json.out).size(), 1);
    EXPECT_EQ(Texts(json.out), std::vector<std::string>{""}) << "kept as what it holds";
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

// Printed a message at a time, the JSON is still the very document the
// whole list makes.
TEST_F(HistoryCli, streamedJsonIsTheWholeDocumentByteForByte) {
    auto s = MessageStore::Open(m_path, MessageStore::Access::Read);
    ASSERT_TRUE(s);
    for (const std::vector<std::string>& words :
         std::vector<std::vector<std::string>>{{}, {"--search", "zebra"}}) {
        HistoryQuery q;
        if (!words.empty())
            q.search = "zebra";
        QJsonArray all;
        for (const MessageRecord& m : s.value()->Messages(q))
            all.append(MessageJson(m));
        std::vector<std::string> args = words;
        args.insert(args.end(), {"--json", "--store", m_path.toStdString()});
        const Outcome o = History(args);
        EXPECT_EQ(o.code, kExitOk) << o.err;
        EXPECT_EQ(o.out, QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString());
    }
}

TEST_F(HistoryCli, csvHasAHeaderAndQuotesAsRfc4180) {
    {
        auto s = MessageStore::Open(m_path);
        ASSERT_TRUE(s);
        AddSent(*s.value(), Text("628123", u"say \"hi\", then\nbye"), msg::State::Sent, {}, {},
                kStart.addSecs(300));
    }
    const Outcome o = History({"--csv", "--limit", "2", "--store", m_path.toStdString()});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    const std::string header = "id,time,direction,number,name,state,reason,text\r\n";
    ASSERT_EQ(o.out.substr(0, header.size()), header);
    const std::string first = o.out.substr(header.size(), o.out.find("\r\n", header.size()) - header.size());
    EXPECT_NE(first.find(",out,628123,,sent,,\"say \"\"hi\"\", then\nbye\""), std::string::npos) << o.out;
    EXPECT_NE(o.out.find(",in,+628777000000,,received,,sunny\r\n"), std::string::npos) << o.out;
    EXPECT_EQ(History({"--csv", "--json", "--store", m_path.toStdString()}).code, kExitUsage);
}

TEST_F(HistoryCli, aTerminalIsShownTheNewestFiftyAndToldHowToSeeMore) {
    {
        auto s = MessageStore::Open(m_path);
        ASSERT_TRUE(s);
        for (int i = 0; i < 50; ++i)
            AddSent(*s.value(), Text("628123", u"more"), msg::State::Sent, {}, {}, kStart.addSecs(600 + i));
    }
    const auto lines = [](const std::string& out) { return std::count(out.begin(), out.end(), '\n'); };
    const struct Row {
        std::vector<std::string> words;
        bool terminal;
        long printed;
        bool told;
    } rows[] = {
        {{}, true, 50, true},   {{"--limit", "55"}, true, 55, false},      {{"--limit", "3"}, true, 3, false},
        {{}, false, 55, false}, {{"--search", "weather"}, true, 1, false},
    };
    for (const Row& row : rows) {
        std::vector<std::string> words = row.words;
        words.insert(words.end(), {"--store", m_path.toStdString()});
        const Outcome o = History(words, row.terminal);
        const std::string what = ::testing::PrintToString(row.words) + (row.terminal ? " terminal" : " pipe");
        EXPECT_EQ(o.code, kExitOk) << what;
        EXPECT_EQ(lines(o.out), row.printed) << what;
        EXPECT_EQ(o.err.find("--limit") != std::string::npos, row.told) << what << o.err;
    }
}

TEST_F(HistoryCli, deletingBeforeADateAsksAndKeepsWhatIsToGo) {
    {
        auto s = MessageStore::Open(m_path);
        ASSERT_TRUE(s);
        AddSent(*s.value(), Text("628123", u"still queued"), msg::State::Queued, {}, {}, kStart.addDays(-30));
        AddSent(*s.value(), Text("628123", u"long ago"), msg::State::Sent, {}, {}, kStart.addDays(-30));
    }
    const std::string store = m_path.toStdString();
    const std::string day = kStart.toLocalTime().date().addDays(-1).toString(Qt::ISODate).toStdString();
    const auto count = [&] {
        auto s = MessageStore::Open(m_path, MessageStore::Access::Read);
        return s ? s.value()->Count({}) : -1;
    };
    // No terminal to ask on (stdin of a test is none): only --yes agrees.
    if (::isatty(STDIN_FILENO) != 1) {
        const Outcome unasked = History({"--delete-before", day, "--store", store});
        EXPECT_EQ(unasked.code, kExitRefused);
        EXPECT_NE(unasked.err.find("--yes"), std::string::npos) << unasked.err;
        EXPECT_EQ(count(), 7);
    }
    const Outcome yes = History({"--delete-before", day, "--yes", "--store", store});
    EXPECT_EQ(yes.code, kExitOk) << yes.err;
    EXPECT_NE(yes.out.find("Deleted 1 "), std::string::npos) << yes.out;
    EXPECT_EQ(count(), 6);
    const Outcome again = History({"--delete-before", day, "--yes", "--store", store});
    EXPECT_EQ(again.code, kExitOk);
    EXPECT_NE(again.out.find("No message from before"), std::string::npos) << again.out;
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--delete-before", "yesterday"}, {"--delete-before", day, "--json"}, {"--yes"}}) {
        std::vector<std::string> words = bad;
        words.insert(words.end(), {"--store", store});
        EXPECT_EQ(History(words).code, kExitUsage) << ::testing::PrintToString(bad);
    }
    EXPECT_EQ(count(), 6);
}

Outcome Store(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int code = RunStore(std::move(words), Io{out, err, false, false});
    return {code, out.str(), err.str()};
}

TEST_F(HistoryCli, theStoreIsCheckedAndCopiedWithExitCodesThatSaySo) {
    const std::string store = m_path.toStdString();
    const std::string copy = m_dir.filePath("copy.sqlite").toStdString();
    const QString damaged = m_dir.filePath("damaged.sqlite");
    ASSERT_TRUE(QFile::copy(m_path, damaged));
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        // Every page after the schema's own, garbage.
        for (qint64 at = 4096 * 2; at + 200 < f.size(); at += 1024) {
            f.seek(at);
            f.write(QByteArray(200, '\x5a'));
        }
    }
    const struct Row {
        std::vector<std::string> words;
        int code;
        std::string says; // on stdout when 0, else stdout or stderr
    } rows[] = {
        {{"check", "--store", store}, kExitOk, "is whole"},
        {{"check", "--store", damaged.toStdString()}, kExitRefused, "damaged"},
        {{"backup", copy + ".damaged", "--store", damaged.toStdString()}, kExitRefused, "as they lie"},
        {{"backup", copy, "--store", store}, kExitOk, "copied to"},
        {{"backup", copy, "--store", store}, kExitRefused, "--force"},
        {{"backup", copy, "--force", "--store", store}, kExitOk, "copied to"},
        {{"check", "--store", copy}, kExitOk, "is whole"},
        {{"check", "--store", m_dir.filePath("none.sqlite").toStdString()}, kExitRefused, "no message store"},
        {{}, kExitUsage, "check, backup or copy"},
        {{"copy", "--from", store, "--to=" + store}, kExitUsage, "name one store"},
        {{"copy", "--from", store}, kExitUsage, "--from which store, --to which?"},
        {{"copy", "--from", store, "--to", copy, "--store", store}, kExitUsage, "--from and --to only"},
        {{"check", "--from", store}, kExitUsage, "go with copy"},
        {{"copy", "--from", m_dir.filePath("none.sqlite").toStdString(), "--to", copy + ".new"},
         kExitRefused,
         "no message store yet"},
        {{"copy", "--from", damaged.toStdString(), "--to", copy + ".new"}, kExitRefused, "damaged"},
        {{"copy", "--from", store, "--to", damaged.toStdString()}, kExitRefused, "damaged"},
        {{"backup", "--store", store}, kExitUsage, "which file"},
        {{"mend", "--store", store}, kExitUsage, "unknown"},
        {{"copy", "--from", store, "--to", copy + ".new"}, kExitOk, "Copied "},
        {{"copy", "--from", store, "--to", copy + ".new"}, kExitRefused, "holds messages already"},
        {{"copy", "--from", store, "--to", "mysql://u@h/db"}, kExitRefused, "only postgresql://"},
    };
    for (const Row& row : rows) {
        const Outcome o = Store(row.words);
        const std::string what = ::testing::PrintToString(row.words);
        EXPECT_EQ(o.code, row.code) << what << o.err;
        EXPECT_NE((o.out + o.err).find(row.says), std::string::npos) << what << o.out << o.err;
    }
    // What could not be read whole is kept byte for byte.
    EXPECT_TRUE(Bytes(QString::fromStdString(copy + ".damaged")) == Bytes(damaged));
}

// As the store was found damaged: a send and a queue change are refused
// before any phone is needed, naming the damage, and not a byte changes.
TEST_F(HistoryCli, aDamagedStoreRefusesSendsAndChangesAndStaysAsItIs) {
    const QString damaged = m_dir.filePath("damaged.sqlite");
    {
        auto s = MessageStore::Open(damaged);
        ASSERT_TRUE(s);
        BatchRecord batch;
        batch.name = "Rapat";
        batch.key = "rapat";
        std::vector<MessageRecord> messages(500);
        for (std::size_t i = 0; i < messages.size(); ++i) {
            messages[i].number = QString("62812%1").arg(i);
            messages[i].text = "Rapat besok jam sepuluh";
            messages[i].parts.resize(1);
            messages[i].parts[0].pdu = "0011000C912658969999990000AA0361F118";
        }
        ASSERT_TRUE(s.value()->AddBatch(batch, messages));
    }
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        for (qint64 at = 4096 * 2; at + 200 < f.size(); at += 4096) {
            f.seek(at + 300);
            f.write(QByteArray(200, '\x5a'));
        }
    }
    const QByteArray before = Bytes(damaged);
    const std::string store = damaged.toStdString();
    const struct Row {
        int (*run)(std::vector<std::string>, Io);
        std::vector<std::string> words;
    } rows[] = {
        {RunSend,
         {"--device", "/nonexistent/velmora-test", "--fast", "--store", store, "text", "628123", "hi"}},
        {RunQueue, {"cancel", "B1", "--store", store}},
        {RunQueue, {"pause", "B1", "--store", store}},
        {RunHistory, {"--delete-before", "2999-01-01", "--yes", "--store", store}},
    };
    for (const Row& row : rows) {
        std::ostringstream out, err;
        const int code = row.run(row.words, Io{out, err, false, false});
        const std::string what = ::testing::PrintToString(row.words);
        EXPECT_EQ(code, kExitRefused) << what << err.str();
        EXPECT_NE(err.str().find("is damaged"), std::string::npos) << what << err.str();
        EXPECT_EQ(err.str().find("not a Velmora message store"), std::string::npos) << what << err.str();
    }
    EXPECT_TRUE(Bytes(damaged) == before) << "the damaged store was written to";
}

} // namespace
} // namespace velmora::cli
