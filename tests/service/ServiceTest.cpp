// The message service over a transport that answers as scripted, and a real
// store in a temporary folder: what each send comes to, what a report
// changes, what is received once, and what the logs get.

#include "LogObserver.h"
#include "MessageService.h"
#include "MessageStore.h"
#include "SimPhone.h"
#include "Terms.h"
#include "TextPdu.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

namespace velmora::testing {
namespace {

// Answers each part as scripted, at once, on the caller's thread as the
// CLI's session does.
class ScriptedTransport : public MessageTransport {
public:
    bool Ready() const override { return true; }
    ModemId Modem() const override { return {"510109876543210", "/dev/ttyUSB0"}; }
    void Submit(qint64 id, const std::vector<std::string>& pdus, const std::string& destination) override {
        ++submits;
        if (later) // answers come afterwards, as the link's do
            return;
        for (std::size_t i = 0; i < pdus.size(); ++i) {
            PartOutcome p;
            p.id = id;
            p.part = static_cast<int>(i);
            p.destination = QString::fromStdString(destination);
            if (i < answers.size()) {
                p.outcome = answers[i].outcome;
                p.answer = answers[i].answer;
                p.stopped = answers[i].stopped;
                p.reference = answers[i].reference;
            }
            service()->partSubmitted(p);
            if (p.stopped)
                return;
        }
        service()->sendEnded(id);
    }
    void DeleteStored(const StoredMessage& part) override {
        deleted.push_back(part);
        service()->deleteEnded(part, {});
    }
    std::vector<PartOutcome> answers;
    int submits = 0;
    bool later = false;
    std::vector<StoredMessage> deleted; // what the phone was asked to delete
};

int Argc = 1;
char Arg0[] = "service_tests";
char* Argv[] = {Arg0, nullptr};

class ServiceTest : public ::testing::Test {
protected:
    ServiceTest() : dir(TempDir("service")), paths(AppPathsIn(dir)) {
        if (!QCoreApplication::instance())
            new QCoreApplication(Argc, Argv);
        auto opened = MessageStore::Open(QString::fromStdString(paths.messageStore));
        EXPECT_TRUE(opened) << opened.error();
        if (opened)
            store = std::move(opened.value());
        service = std::make_unique<MessageService>(store.get(), transport);
        logs = std::make_unique<LogObserver>(*service, paths);
    }
    ~ServiceTest() override {
        logs.reset();
        service.reset();
        store.reset();
        std::filesystem::remove_all(dir);
    }

    static MessageRequest Text(const std::u16string& text, bool longText = false) {
        MessageRequest r;
        r.destination = "628569999999";
        r.text = text;
        r.longText = longText;
        return r;
    }
    // The log's lines without their time stamps.
    static std::vector<std::string> Logged(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        static const std::regex stamp(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d \S+ )");
        const std::string bare = std::regex_replace(text, stamp, "");
        std::vector<std::string> lines;
        for (std::size_t at = 0; at < bare.size();) {
            const std::size_t end = std::min(bare.find("\r\n", at), bare.size());
            lines.push_back(bare.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }

    std::string dir;
    AppPaths paths;
    ScriptedTransport transport;
    std::unique_ptr<MessageStore> store;
    std::unique_ptr<MessageService> service;
    std::unique_ptr<LogObserver> logs;
};

PartOutcome Part(SubmitOutcome outcome, std::optional<int> reference = std::nullopt, const char* answer = "",
                 bool stopped = false) {
    PartOutcome p;
    p.outcome = outcome;
    p.reference = reference;
    p.answer = QString::fromLatin1(answer);
    p.stopped = stopped;
    return p;
}

struct SendCase {
    const char* name;
    std::vector<PartOutcome> parts;
    msg::State state;
    msg::Reason reason;
    std::optional<int> code;
    std::vector<std::string> transmitLog, failedLog;
};

class SendStates : public ServiceTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(SendStates, eachSendEndsInTheStateItsPartsSay) {
    const SendCase& c = GetParam();
    transport.answers = c.parts;
    QSignalSpy changed(service.get(), &MessageService::messageChanged);
    // Two parts when the case has two.
    const auto sent =
        service->send(Text(c.parts.size() > 1 ? std::u16string(200, u'a') : u"hi", c.parts.size() > 1));
    ASSERT_TRUE(sent);
    SendJob* job = sent.value();
    EXPECT_TRUE(job->isFinished());
    EXPECT_EQ(job->state(), c.state);
    EXPECT_EQ(job->reason(), c.reason);
    EXPECT_EQ(job->reasonCode(), c.code);
    const auto kept = store->Message(job->id());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->state, c.state);
    EXPECT_EQ(kept->reason, c.reason);
    EXPECT_EQ(kept->reasonCode, c.code);
    EXPECT_EQ(kept->parts.size(), c.parts.size());
    // Queued, sending, then where it ended, in that order.
    ASSERT_EQ(changed.count(), 3);
    EXPECT_EQ(changed[0][1].value<msg::State>(), msg::State::Queued);
    EXPECT_EQ(changed[1][1].value<msg::State>(), msg::State::Sending);
    EXPECT_EQ(changed[2][1].value<msg::State>(), c.state);
    EXPECT_EQ(Logged(paths.transmitLog), c.transmitLog);
    EXPECT_EQ(Logged(paths.failedLog), c.failedLog);
}

const std::string kTo = "628569999999";

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SendStates,
    ::testing::Values(
        SendCase{"sent", {Part(SubmitOutcome::Sent, 7)}, msg::State::Sent, msg::Reason::None, {}, {kTo}, {}},
        SendCase{"twoPartsSent",
                 {Part(SubmitOutcome::Sent, 7), Part(SubmitOutcome::Sent, 8)},
                 msg::State::Sent,
                 msg::Reason::None,
                 {},
                 {kTo, kTo},
                 {}},
        // The failed log keeps the phone's answer as it came, line breaks and all.
        SendCase{"cmsError",
                 {Part(SubmitOutcome::Failed, {}, "\r\n+CMS ERROR: 500\r\n")},
                 msg::State::Failed,
                 msg::Reason::CmsError,
                 500,
                 {},
                 {kTo, "", "+CMS ERROR: 500", ""}},
        SendCase{"cmeError",
                 {Part(SubmitOutcome::Failed, {}, "+CME ERROR: 10")},
                 msg::State::Failed,
                 msg::Reason::CmeError,
                 10,
                 {},
                 {kTo, "+CME ERROR: 10"}},
        SendCase{"bareError",
                 {Part(SubmitOutcome::Failed, {}, "ERROR")},
                 msg::State::Failed,
                 msg::Reason::Error,
                 {},
                 {},
                 {kTo, "ERROR"}},
        SendCase{"noPrompt",
                 {Part(SubmitOutcome::NoPrompt)},
                 msg::State::Failed,
                 msg::Reason::NoPrompt,
                 {},
                 {},
                 {}},
        // The phone's coded answer instead of PDU mode or the prompt is its
        // reason, as for a refused PDU; only a refused PDU is logged.
        SendCase{"noPromptWithTheCause",
                 {Part(SubmitOutcome::NoPrompt, {}, "\r\n+CMS ERROR: 38\r\n")},
                 msg::State::Failed,
                 msg::Reason::CmsError,
                 38,
                 {},
                 {}},
        SendCase{"noPromptWithAWordedReason",
                 {Part(SubmitOutcome::NoPrompt, {}, "\r\n+CME ERROR: SIM PIN required\r\n")},
                 msg::State::Failed,
                 msg::Reason::CmeError,
                 {},
                 {},
                 {}},
        SendCase{"noPromptWithABareError",
                 {Part(SubmitOutcome::NoPrompt, {}, "\r\nERROR\r\n")},
                 msg::State::Failed,
                 msg::Reason::NoPrompt,
                 {},
                 {},
                 {}},
        SendCase{"noPduModeWithTheCause",
                 {Part(SubmitOutcome::NoPduMode, {}, "+CMS ERROR: 302")},
                 msg::State::Failed,
                 msg::Reason::CmsError,
                 302,
                 {},
                 {}},
        SendCase{"linkLost",
                 {Part(SubmitOutcome::LinkLost)},
                 msg::State::Failed,
                 msg::Reason::LinkLost,
                 {},
                 {},
                 {}},
        SendCase{"noAnswerToTheSecondPart",
                 {Part(SubmitOutcome::Sent, 7), Part(SubmitOutcome::Unknown)},
                 msg::State::Uncertain,
                 msg::Reason::NoAnswer,
                 {},
                 {kTo},
                 {kTo + " (?)"}},
        SendCase{"stoppedAfterThePdu",
                 {Part(SubmitOutcome::Unknown, {}, "", true)},
                 msg::State::Uncertain,
                 msg::Reason::Stopped,
                 {},
                 {},
                 {kTo + " (?)"}},
        // A lost part loses the message, whatever came after it.
        SendCase{"firstPartRefused",
                 {Part(SubmitOutcome::Failed, {}, "+CMS ERROR: 38"), Part(SubmitOutcome::Sent, 8)},
                 msg::State::Failed,
                 msg::Reason::CmsError,
                 38,
                 {kTo},
                 {kTo, "+CMS ERROR: 38"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReportCase {
    const char* name;
    std::vector<std::pair<int, int>> reports; // reference, TP-ST
    msg::State state;
    std::optional<int> code;
};

class Reports : public ServiceTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(Reports, aMessageIsDeliveredOnlyWhenEveryPartIs) {
    transport.answers = {Part(SubmitOutcome::Sent, 7), Part(SubmitOutcome::Sent, 8)};
    const auto sent = service->send(Text(std::u16string(200, u'a'), true));
    ASSERT_TRUE(sent);
    for (const auto& [reference, status] : GetParam().reports)
        service->deliveryReport(reference, status);
    const auto kept = store->Message(sent.value()->id());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->state, GetParam().state);
    EXPECT_EQ(kept->reasonCode, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, Reports,
    ::testing::Values(ReportCase{"none", {}, msg::State::Sent, {}},
                      ReportCase{"onePart", {{7, 0}}, msg::State::Sent, {}},
                      ReportCase{"both", {{8, 0}, {7, 0}}, msg::State::Delivered, {}},
                      ReportCase{"oneRefused", {{7, 0}, {8, 0x45}}, msg::State::NotDelivered, 0x45},
                      // a reference this message never had changes nothing
                      ReportCase{"another", {{9, 0}, {7, 0}}, msg::State::Sent, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServiceTest, aMessageLetGoOfOnItsWayIsStillFollowedToItsEnd) {
    transport.later = true;
    const auto sent = service->send(Text(u"hi"));
    ASSERT_TRUE(sent);
    const qint64 id = sent.value()->id();
    service->release(sent.value());
    PartOutcome part = Part(SubmitOutcome::Sent, 7);
    part.id = id;
    service->partSubmitted(part);
    EXPECT_EQ(store->Message(id)->state, msg::State::Sent);
    EXPECT_EQ(service->job(id), nullptr); // let go of once it ended
}

TEST_F(ServiceTest, withoutAStoreNothingReachesThePhone) {
    MessageService alone(nullptr, transport);
    alone.setStoreProblem("messages.sqlite: not a Velmora store");
    const auto sent = alone.send(Text(u"hi"));
    ASSERT_FALSE(sent);
    EXPECT_EQ(sent.error().kind, SendRefusal::Store);
    EXPECT_EQ(sent.error().store.reason, StoreProblem::Reason::Unopened);
    EXPECT_EQ(sent.error().store.detail, "messages.sqlite: not a Velmora store");
    EXPECT_EQ(terms::StoreProblemText(sent.error().store), "messages.sqlite: not a Velmora store");
    EXPECT_EQ(transport.submits, 0);
}

// Another program holds the store's write lock: a send is refused before
// the phone hears of it, and a step that cannot be recorded is told of,
// each with why in parts: the file and SQLite's words.
TEST_F(ServiceTest, aLockedStoreRefusesWithWhyInParts) {
    const QString path = QString::fromStdString(paths.messageStore);
    const QString locker = QStringLiteral("service-test-locker");
    {
        QSqlDatabase lock = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), locker);
        lock.setDatabaseName(path);
        ASSERT_TRUE(lock.open());
        ASSERT_TRUE(QSqlQuery(lock).exec(QStringLiteral("BEGIN EXCLUSIVE")));
        ASSERT_TRUE(QSqlQuery(lock).exec(QStringLiteral("INSERT INTO meta VALUES('held', '1')")));
        store->SetBusyTimeout(20);
        const auto sent = service->send(Text(u"hi"));
        ASSERT_FALSE(sent);
        const StoreProblem& why = sent.error().store;
        EXPECT_EQ(sent.error().kind, SendRefusal::Store);
        EXPECT_EQ(why.reason, StoreProblem::Reason::WriteFailed);
        EXPECT_EQ(why.file, path);
        EXPECT_EQ(why.detail, "database is locked");
        EXPECT_EQ(why.text(), "The message store " + path + " could not be written: database is locked");
        EXPECT_EQ(transport.submits, 0);
        QSignalSpy problems(service.get(), &MessageService::storeProblem);
        // What only shows the sentence still takes it as a QString.
        QStringList shown;
        QObject::connect(service.get(), &MessageService::storeProblem,
                         [&shown](const QString& why) { shown << why; });
        PhonebookEntry ani;
        ani.index = "1";
        ani.number = "0812";
        ani.type = "129";
        ani.name = "Ani";
        service->phonebookRead({ani});
        ASSERT_EQ(problems.count(), 1);
        const auto told = problems[0][0].value<StoreProblem>();
        EXPECT_EQ(told.reason, StoreProblem::Reason::WriteFailed);
        EXPECT_EQ(told.detail, "database is locked");
        EXPECT_EQ(shown, QStringList{told.text()});
        QSqlQuery(lock).exec(QStringLiteral("ROLLBACK"));
        lock.close();
    }
    QSqlDatabase::removeDatabase(locker);
    EXPECT_TRUE(service->send(Text(u"hi")));
}

TEST_F(ServiceTest, aMessageReadTwiceIsKeptAndLoggedOnce) {
    const std::string deliver = "07912618485400F9040C9126589699999900006221801290000005C8329BFD06";
    const StoredMessage announced{"SM", 3, 0, deliver};
    service->storedRead({announced}); // by +CMTI
    service->storedRead({announced}); // and by the next read of the inbox
    EXPECT_EQ(store->Count({}), 1);
    EXPECT_EQ(Logged(paths.receivedLog), std::vector<std::string>{"+628569999999 " + deliver});
}

// A compressed text read from the phone is kept as what it is: its kind,
// its octets and the mark that they are compressed, never garbage text.
TEST_F(ServiceTest, aCompressedTextIsKeptAsItsOctets) {
    const std::string compressed = "07912618485400F9040C9126589699999900286221801290000006"
                                   "0A1B2C3D4E5F";
    service->storedRead({StoredMessage{"SM", 4, 0, compressed}});
    const auto kept = store->Messages({});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].kind, "text");
    EXPECT_EQ(kept[0].text, "");
    EXPECT_EQ(terms::MessageText(kept[0]), "Compressed text: 0A1B2C3D4E5F");
    EXPECT_EQ(kept[0].content.value("content").toString(), "0A1B2C3D4E5F");
    EXPECT_TRUE(kept[0].content.value("compressed").toBool());
}

// A received logo is kept as what it holds, its kind and content, not as
// words made in English; the words are made as it is shown.
TEST_F(ServiceTest, aReceivedLogoIsKeptAsItsKindAndContent) {
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.destination = "628569999999";
    logo.content = std::string(126, 'F') + std::string(126, '0');
    logo.mcc = "510";
    logo.nc = "10";
    service->storedRead({StoredMessage{"SM", 2, 0, BuildMessage(logo)->pdus[0]}});
    const auto kept = store->Messages({});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].kind, "logo");
    EXPECT_EQ(kept[0].text, "");
    EXPECT_EQ(kept[0].content.value("mcc").toString(), "510");
    EXPECT_EQ(terms::MessageText(kept[0]), "Operator logo for 510 10");
    // The conversation it is the newest of says it too.
    const auto conversations = store->Conversations();
    ASSERT_EQ(conversations.size(), 1u);
    EXPECT_EQ(conversations[0].lastText, "Operator logo for 510 10");
    EXPECT_EQ(store->Conversations("628569999999").at(0).lastText, "Operator logo for 510 10");
}

TEST_F(ServiceTest, aLogThatCannotBeWrittenIsReportedAndTheMessageStands) {
    std::filesystem::create_directories(paths.transmitLog); // a folder where the log should be
    transport.answers = {Part(SubmitOutcome::Sent, 7)};
    QSignalSpy problems(logs.get(), &LogObserver::problem);
    const auto sent = service->send(Text(u"hi"));
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent.value()->state(), msg::State::Sent);
    ASSERT_EQ(problems.count(), 1);
    EXPECT_EQ(problems[0][0].value<ProblemKind>(), ProblemKind::LogFailed);
    EXPECT_TRUE(problems[0][1].toString().startsWith("Unable to write to " +
                                                     QString::fromStdString(paths.transmitLog)));
}

// What the phone keeps goes from it only once the store holds it: with no
// store, a damaged one, or a write that failed, the phone is never asked.
TEST_F(ServiceTest, aMessageIsDeletedFromThePhoneOnlyOnceItsRecordIsCommitted) {
    const std::string deliver = "07912618485400F9040C9126589699999900006221801290000005C8329BFD06";
    const StoredMessage kept{"SM", 3, 0, deliver};
    struct Row {
        const char* name;
        // The store the service keeps to; null: none could be opened.
        std::function<std::unique_ptr<MessageStore>(const QString& path)> store;
        bool read; // storedRead was given the message first
        std::optional<DeleteRefusal::Kind> refused;
    } rows[] = {
        {"recorded as it was read", [](const QString& p) { return std::move(MessageStore::Open(p).value()); },
         true, std::nullopt},
        {"never read, so never recorded",
         [](const QString& p) { return std::move(MessageStore::Open(p).value()); }, false,
         DeleteRefusal::NotRecorded},
        {"no store", [](const QString&) { return nullptr; }, true, DeleteRefusal::NoStore},
        {"the write of its record failed",
         [](const QString& p) {
             MessageStore::Open(p).value().reset(); // made, then opened for reading only
             return std::move(MessageStore::Open(p, MessageStore::Access::Read).value());
         },
         true, DeleteRefusal::NotRecorded},
        {"recorded, then the store was found damaged",
         [&](const QString& p) {
             {
                 auto whole = std::move(MessageStore::Open(p).value());
                 MessageService before(whole.get(), transport);
                 before.storedRead({kept});
             }
             // Every page but the first (the schema) overwritten.
             QFile file(p);
             EXPECT_TRUE(file.open(QIODevice::ReadWrite));
             const qint64 size = file.size();
             file.seek(4096);
             file.write(QByteArray(static_cast<int>(size - 4096), '\x5a'));
             file.close();
             auto opened = MessageStore::Open(p);
             EXPECT_TRUE(opened) << opened.error();
             return opened ? std::move(opened.value()) : nullptr;
         },
         true, DeleteRefusal::Damaged},
    };
    for (const Row& r : rows) {
        const QString path = QString::fromStdString(dir) + "/" + r.name + ".sqlite";
        std::unique_ptr<MessageStore> own = r.store(path);
        MessageService deleting(own.get(), transport);
        deleting.setStoreProblem("no store here");
        if (r.read)
            deleting.storedRead({kept});
        transport.deleted.clear();
        QSignalSpy told(&deleting, &MessageService::storedDeleted);
        const auto refused = deleting.deleteStored(kept);
        if (r.refused) {
            ASSERT_TRUE(refused) << r.name;
            EXPECT_EQ(refused->kind, *r.refused) << r.name;
            EXPECT_TRUE(transport.deleted.empty()) << r.name << ": the phone was asked";
            EXPECT_EQ(told.count(), 0) << r.name;
        } else {
            EXPECT_FALSE(refused) << r.name;
            ASSERT_EQ(transport.deleted.size(), 1u) << r.name;
            EXPECT_EQ(transport.deleted[0].pdu, deliver);
            ASSERT_EQ(told.count(), 1) << r.name;
            EXPECT_EQ(told[0][1].toString(), QString()) << r.name;
        }
        EXPECT_EQ(deleting.whyNotDelete(kept).has_value(), r.refused.has_value()) << r.name;
    }
}

// Each USSD exchange is kept by the service as it goes and told of, so any
// front end listening hears of it; a store that will not keep it is said
// once and the session goes on.
TEST_F(ServiceTest, aUssdSessionIsRecordedAndToldOfAsItGoes) {
    struct Row {
        const char* name;
        bool writable; // false: the store is opened for reading only
        int problems;  // storeProblem signals
        bool kept;
    } rows[] = {{"a store that keeps it", true, 0, true}, {"a store that will not", false, 1, false}};
    for (const Row& r : rows) {
        const QString path = QString::fromStdString(dir) + "/" + r.name + ".sqlite";
        MessageStore::Open(path).value().reset();
        auto own = std::move(
            MessageStore::Open(path, r.writable ? MessageStore::Access::Write : MessageStore::Access::Read)
                .value());
        MessageService ussd(own.get(), transport);
        QSignalSpy changed(&ussd, &MessageService::ussdChanged);
        QSignalSpy problems(&ussd, &MessageService::storeProblem);
        QString refused;
        const int session = ussd.beginUssd("*888#", &refused);
        EXPECT_EQ(refused.isEmpty(), r.kept) << r.name;
        EXPECT_EQ(ussd.ussdLine(session, "> *888#").isEmpty(), r.kept) << r.name;
        ussd.ussdLine(session, "1. Paket data\n2. Pulsa");
        ussd.endUssd(session, UssdEnding{});
        EXPECT_EQ(problems.count(), r.problems) << r.name;
        ASSERT_EQ(changed.count(), 3) << r.name;
        const QList<QVariant> last = changed.back();
        EXPECT_EQ(last[0].toInt(), session);
        EXPECT_EQ(last[2].toString(), "> *888#\n1. Paket data\n2. Pulsa") << r.name;
        EXPECT_TRUE(last[3].toBool());
        EXPECT_FALSE(changed[0][3].toBool());
        const qint64 id = last[1].toLongLong();
        EXPECT_EQ(id > 0, r.kept) << r.name;
        if (r.kept) {
            const auto m = own->Message(id);
            ASSERT_TRUE(m);
            EXPECT_EQ(m->kind, "ussd");
            EXPECT_EQ(m->number, "*888#");
            EXPECT_EQ(m->text, "> *888#\n1. Paket data\n2. Pulsa");
            EXPECT_EQ(m->state, msg::State::Sent);
        }
        // A session ended is gone: nothing more is written or told.
        ussd.ussdLine(session, "late");
        EXPECT_EQ(changed.count(), 3) << r.name;
    }
}

} // namespace
} // namespace velmora::testing
