// The window started while another program (velmorad) holds the modems:
// it says so where the lamps are, never opens the port, sends through that
// program, follows the program's store as it changes, and offers to take
// the modem once the program has stopped. The program is a stand-in that
// records in a store of its own, as velmorad does.

#include "HistoryFill.h"
#include "InboxDialog.h"
#include "MessageStore.h"
#include "MessagesWindow.h"
#include "Outbox.h"
#include "OutboxWindow.h"
#include "RunningProgram.h"
#include "WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace velmora;
using namespace velmora::testing;

namespace {

// velmorad as the window sees it: what it was asked to send is queued in its
// own store (one message a recipient), or refused with `refusal`.
class StandInProgram : public RunningProgram {
public:
    struct Call {
        QStringList recipients;
        QJsonObject message;
        bool report = false;
    };

    StandInProgram(MessageStore* store, QStringList modemNames)
        : m_store(store), m_modems(std::move(modemNames)) {}

    QString name() const override { return "velmorad"; }
    QStringList modems() override { return m_modems; }
    QString storePath() override { return storeHidden ? QString() : m_store->path(); }
    void send(const QStringList& recipients, const QJsonObject& message, bool report,
              std::function<void(Queued)> done) override {
        calls.push_back({recipients, message, report});
        Queued answer = Queued::Fail(refusal);
        if (refusal.isEmpty()) {
            std::vector<qint64> ids;
            for (const QString& number : recipients) {
                auto request = RequestFromJson(message);
                if (!request)
                    break;
                request->destination = number.toStdString();
                ids.push_back(AddSent(*m_store, *request, msg::State::Queued));
            }
            answer = Queued::Ok(ids);
            // A fast modem: the message went before the answer reached the window.
            if (sendsBeforeAnswering)
                for (const qint64 id : ids)
                    QTimer::singleShot(0, this, [this, id] { move(id, msg::State::Sent); });
        }
        // As a D-Bus reply comes: later, on the window's thread.
        QTimer::singleShot(0, this, [done = std::move(done), answer]() mutable { done(std::move(answer)); });
    }
    // velmorad's first modem's phone, holding `onPhone` on the SIM.
    void readPhone(std::function<void(Result<PhoneRead, QString>)> done) override {
        ++reads;
        PhoneRead read;
        read.messages = onPhone;
        QTimer::singleShot(0, this,
                           [done = std::move(done), read] { done(Result<PhoneRead, QString>::Ok(read)); });
    }
    // As velmorad does them, in its store; the steps asked kept.
    Result<bool, QString> queueStep(QueueStep step, qint64 id) override {
        steps.push_back({step, id});
        if (step == QueueStep::PauseBatch && m_store->SetBatchState(id, msg::BatchState::Paused))
            return Result<bool, QString>::Ok(true);
        return Result<bool, QString>::Fail("it cannot be done any more");
    }
    // The newest first, as history --json writes them (the fields shown).
    Result<std::vector<QJsonObject>, QString> list(int limit) override {
        ++lists;
        HistoryQuery newest;
        newest.limit = limit;
        std::vector<QJsonObject> out;
        for (const MessageRecord& m : m_store->Messages(newest))
            out.push_back({{"id", m.id},
                           {"direction", msg::DirectionName(m.direction)},
                           {"number", m.number},
                           {"kind", m.kind},
                           {"text", m.text},
                           {"state", msg::StateName(m.state)},
                           {"reason", msg::ReasonName(m.reason)},
                           {"created", m.created.toString(Qt::ISODate)}});
        return Result<std::vector<QJsonObject>, QString>::Ok(out);
    }

    // What the program does to a message and says on the bus.
    void move(qint64 id, msg::State state, msg::Reason reason = msg::Reason::None) {
        if (state != msg::State::Sending)
            m_store->SetState(id, msg::State::Sending);
        m_store->SetState(id, state, reason);
        emit stateChanged(id, msg::StateName(state), "", 0);
    }
    void partSent(qint64 id, uint part) { emit stateChanged(id, "sending", "sent", part); }
    void stop() { emit vanished(); }
    void comeBack() { emit returned(); }

    std::vector<Call> calls;
    QString refusal;
    std::vector<std::pair<QueueStep, qint64>> steps;
    bool storeHidden = false; // as the system's service's store is from a user
    bool sendsBeforeAnswering = false;
    QList<StoredMessage> onPhone;
    int reads = 0;
    int lists = 0;

private:
    MessageStore* m_store;
    QStringList m_modems;
};

MessageRequest Text(const QString& number, const QString& text) {
    MessageRequest r;
    r.destination = number.toStdString();
    r.countryCode = "62";
    r.text = text.toStdU16String();
    return r;
}

} // namespace

class FrontEndTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void theWindowSaysWhoseModemsItUsesAndLeavesThePortAlone_data();
    void theWindowSaysWhoseModemsItUsesAndLeavesThePortAlone();
    void aTextGoesThroughTheProgramAndItsProgressIsShown();
    void whatIsNotQueuedSaysWhy_data();
    void whatIsNotQueuedSaysWhy();
    void theOutboxFollowsTheProgramsStore();
    void aStepToldBeforeTheAnswerIsShownAfterIt();
    void aStoppedProgramIsSaidAndTheModemOffered();
    void thePhonesInboxIsReadThroughTheProgramAndKept();
    void aStoreTheWindowCannotReadIsListedThroughTheProgram();

private:
    QTemporaryDir m_tmp;
    std::unique_ptr<MessageStore> m_store; // the program's
    StandInProgram* m_program = nullptr;   // owned by the window
    std::unique_ptr<Window> m_window;
    void Open(QStringList modems = {"a", "b"});
};

void FrontEndTest::init() {
    auto opened = MessageStore::Open(m_tmp.filePath("velmorad.sqlite"));
    QVERIFY(opened);
    m_store = std::move(opened.value());
}

void FrontEndTest::cleanup() {
    m_window.reset();
    m_store.reset();
    QFile::remove(m_tmp.filePath("velmorad.sqlite"));
}

void FrontEndTest::Open(QStringList modems) {
    auto program = std::make_unique<StandInProgram>(m_store.get(), std::move(modems));
    m_program = program.get();
    m_window = std::make_unique<Window>(std::move(program));
    m_window->show();
}

void FrontEndTest::theWindowSaysWhoseModemsItUsesAndLeavesThePortAlone_data() {
    QTest::addColumn<QStringList>("modems");
    QTest::addColumn<QString>("said");
    QTest::newRow("two modems") << QStringList{"a", "b"} << "Working through velmorad (2 modems)";
    QTest::newRow("one modem") << QStringList{"a"} << "Working through velmorad (1 modem)";
}

void FrontEndTest::theWindowSaysWhoseModemsItUsesAndLeavesThePortAlone() {
    QFETCH(QStringList, modems);
    QFETCH(QString, said);
    Open(modems);
    TForm1& form = m_window->form();
    auto* banner = m_window->find<QLabel>("lblFrontEnd");
    QVERIFY(banner);
    QCOMPARE(banner->text(), said);
    QVERIFY(banner->isVisible());
    QCOMPARE(form.statusText(), said);
    // The lamps are the port's; they make way for the words.
    QVERIFY(!m_window->find<QWidget>("ComLed1")->isVisible());
    // The first show connects a window that holds its own modem: this one
    // never opens the port.
    QTest::qWait(100);
    QCOMPARE(form.link().state(), PhoneLink::State::Disconnected);
    QVERIFY(m_window->find<QPushButton>("bitSendSMS")->isEnabled());
    for (const char* name : {"mnuOpenPort", "mnuFindPhone", "mnuReadSIM", "mnuMobile", "mnuUssd"}) {
        auto* item = m_window->find<QAction>(name);
        QVERIFY2(item, name);
        QVERIFY2(!item->isEnabled(), name);
        QVERIFY2(item->toolTip().contains("velmorad holds the modem"), name);
    }
    QVERIFY(!m_window->find<QPushButton>("bitPhonebook")->isEnabled());
    QVERIFY(!m_window->find<QPushButton>("btnTakeModem")->isVisible());
    // Nothing of the window's own store was made beside its settings.
    QVERIFY(!QFile::exists(m_window->path("messages.sqlite")));
}

void FrontEndTest::aTextGoesThroughTheProgramAndItsProgressIsShown() {
    Open();
    auto* number = m_window->find<QLineEdit>("txtHPNo");
    number->setText("62812345678");
    m_window->find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    QTest::mouseClick(m_window->find<QPushButton>("bitSendSMS"), Qt::LeftButton);
    QCOMPARE(m_program->calls.size(), std::size_t(1));
    const auto& call = m_program->calls.front();
    QCOMPARE(call.recipients, QStringList{"62812345678"});
    QCOMPARE(call.message.value("kind").toString(), "text");
    QCOMPARE(call.message.value("text").toString(), "Rapat jam 9");
    QVERIFY(!call.report);
    TForm1& form = m_window->form();
    QTRY_VERIFY(form.statusText().startsWith("Queued through velmorad as message "));
    const auto queued = m_store->Messages({});
    QCOMPARE(queued.size(), std::size_t(1));
    const qint64 id = queued.front().id;
    QCOMPARE(form.statusText(), QString("Queued through velmorad as message %1").arg(id));

    // The program's signals, as it sends: the status bar follows the newest message.
    m_program->move(id, msg::State::Sending);
    QCOMPARE(form.statusText(), "Sending");
    m_program->move(id, msg::State::Failed, msg::Reason::NoAnswer);
    QVERIFY(form.statusText().startsWith("Failed"));
    QVERIFY(m_window->find<QLabel>("imgStatus")->isVisible());
    // Another program's message changes nothing the status bar says.
    const qint64 other = AddSent(*m_store, Text("62811111111", "x"), msg::State::Queued);
    m_program->move(other, msg::State::Sent);
    QVERIFY(form.statusText().startsWith("Failed"));

    // Sent again from the Messages window: the same request, to the same number, through the program.
    m_window->find<QAction>("mnuMessages")->trigger();
    auto* messages = form.findChild<MessagesWindow*>();
    QVERIFY(messages);
    emit messages->resendRequested(id);
    QCOMPARE(m_program->calls.size(), std::size_t(2));
    QCOMPARE(m_program->calls.back().recipients, QStringList{"62812345678"});
    QCOMPARE(m_program->calls.back().message.value("text").toString(), "Rapat jam 9");
    QTRY_VERIFY(form.statusText().startsWith("Queued through velmorad as message "));
}

void FrontEndTest::whatIsNotQueuedSaysWhy_data() {
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<int>("calls");
    QTest::addColumn<QString>("warning");
    QTest::newRow("no number: refused before asking") << ""
                                                      << "" << 0 << "destination";
    QTest::newRow("a name nobody has") << "62812345678, Ani"
                                       << "" << 1 << "";
    QTest::newRow("the program refuses") << "62812345678"
                                         << "the store is full" << 1 << "Nothing was sent: the store is full";
}

void FrontEndTest::whatIsNotQueuedSaysWhy() {
    QFETCH(QString, destination);
    QFETCH(QString, refusal);
    QFETCH(int, calls);
    QFETCH(QString, warning);
    Open();
    m_program->refusal = refusal;
    m_window->find<QLineEdit>("txtHPNo")->setText(destination);
    m_window->find<QPlainTextEdit>("memText")->setPlainText("Rapat");
    QTest::mouseClick(m_window->find<QPushButton>("bitSendSMS"), Qt::LeftButton);
    QCOMPARE(static_cast<int>(m_program->calls.size()), calls);
    TestPrompter& prompter = m_window->prompter;
    if (!warning.isEmpty()) {
        QTRY_COMPARE(prompter.warnings.size(), 1);
        QVERIFY2(prompter.warnings.front().contains(warning, Qt::CaseInsensitive),
                 qPrintable(prompter.warnings.front()));
    } else {
        // The one left out is asked about; the other goes.
        QCOMPARE(prompter.questions.size(), 1);
        QVERIFY(prompter.questions.front().contains("Ani"));
        QCOMPARE(m_program->calls.front().recipients, QStringList{"62812345678"});
    }
    // The button is back for the next try.
    QTRY_VERIFY(m_window->find<QPushButton>("bitSendSMS")->isEnabled());
}

// A batch velmora-cli queued through the program's store: the window shows
// it, its buttons off (the program sends it), and follows each message the
// program sends, from the program's signal alone.
void FrontEndTest::theOutboxFollowsTheProgramsStore() {
    BatchRequest request;
    request.name = "Rapat";
    for (const char* number : {"62812000001", "62812000002", "62812000003"})
        request.recipients.push_back({"", Text(number, "Rapat jam 9")});
    const auto queued = Outbox::Record(m_store.get(), request, {}, QDateTime::currentDateTimeUtc());
    QVERIFY(queued);
    Open();
    auto* bar = m_window->find<QProgressBar>("prgOutbox");
    QTRY_VERIFY(bar->isVisible());
    QCOMPARE(bar->text(), "0 of 3 sent");

    m_window->find<QAction>("mnuOutbox")->trigger();
    OutboxWindow* outbox = m_window->form().outboxWindow();
    QVERIFY(outbox);
    QTRY_VERIFY(outbox->isListed());
    auto* pause = outbox->findChild<QPushButton*>("btnBatchPause");
    QVERIFY(pause->isEnabled());

    HistoryQuery ofBatch;
    ofBatch.batch = queued->batch;
    std::vector<qint64> ids;
    for (const MessageRecord& m : m_store->Messages(ofBatch))
        ids.push_back(m.id);
    QCOMPARE(ids.size(), std::size_t(3));
    m_program->move(ids[0], msg::State::Sent);
    QTRY_COMPARE(bar->text(), "1 of 3 sent");
    auto* progress = outbox->findChild<QProgressBar*>();
    QTRY_COMPARE(progress->value(), 1);
    m_program->move(ids[1], msg::State::Sent);
    QTRY_COMPARE(bar->text(), "2 of 3 sent");

    // The buttons ask the program, which holds the queue; what it refuses
    // is said in its words.
    QTest::mouseClick(pause, Qt::LeftButton);
    QCOMPARE(m_program->steps.size(), std::size_t(1));
    QCOMPARE(m_program->steps.front().first, RunningProgram::QueueStep::PauseBatch);
    QCOMPARE(m_program->steps.front().second, queued->batch);
    QTRY_COMPARE(pause->text(), "&Resume");
    QVERIFY(m_window->prompter.warnings.isEmpty());
    QTest::mouseClick(pause, Qt::LeftButton);
    QCOMPARE(m_program->steps.back().first, RunningProgram::QueueStep::ResumeBatch);
    QCOMPARE(m_window->prompter.warnings, QStringList{"it cannot be done any more"});
}

void FrontEndTest::aStepToldBeforeTheAnswerIsShownAfterIt() {
    Open();
    m_program->sendsBeforeAnswering = true;
    m_window->find<QLineEdit>("txtHPNo")->setText("62812345678");
    m_window->find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    QTest::mouseClick(m_window->find<QPushButton>("bitSendSMS"), Qt::LeftButton);
    QTRY_COMPARE(m_window->form().statusText(), "Sent");
    QTest::qWait(50);
    QCOMPARE(m_window->form().statusText(), "Sent");
    QVERIFY(m_window->find<QLabel>("imgOK")->isVisible());
}

// The program may only be restarting: the window says it stopped and offers
// the modem, takes it only when asked, and goes back to the program when it
// is there again.
void FrontEndTest::aStoppedProgramIsSaidAndTheModemOffered() {
    Open();
    TForm1& form = m_window->form();
    QSignalSpy take(&form, &TForm1::takeModemRequested);
    auto* button = m_window->find<QPushButton>("btnTakeModem");
    auto* send = m_window->find<QPushButton>("bitSendSMS");
    m_program->stop();
    QCOMPARE(form.frontEndText(), "velmorad has stopped.");
    QCOMPARE(form.statusText(), "velmorad has stopped: nothing can be sent until it runs again or this "
                                "window takes the modem.");
    QVERIFY(button->isVisible());
    QVERIFY(!send->isEnabled());
    QVERIFY(m_window->find<QAction>("mnuTakeModem")->isVisible());
    QTest::qWait(50);
    QCOMPARE(take.count(), 0);
    QCOMPARE(form.link().state(), PhoneLink::State::Disconnected);

    m_program->comeBack();
    QCOMPARE(form.frontEndText(), "Working through velmorad (2 modems)");
    QVERIFY(!button->isVisible());
    QVERIFY(send->isEnabled());
    m_window->find<QAction>("mnuTakeModem")->trigger();
    QCOMPARE(take.count(), 0);

    m_program->stop();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(take.count(), 1);
    // What the user was writing goes to the window made again.
    m_window->find<QLineEdit>("txtHPNo")->setText("62812345678");
    m_window->find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    const TForm1::Draft draft = form.draft();
    Window again(m_tmp.filePath("no-such-device"));
    again.form().setDraft(draft);
    QCOMPARE(again.find<QLineEdit>("txtHPNo")->text(), "62812345678");
    QCOMPARE(again.find<QPlainTextEdit>("memText")->toPlainText(), "Rapat jam 9");
}

// The system's service keeps its store where a user cannot read it: the
// window lists the program's messages through it instead, again a moment
// after it tells of a change (once for several).
void FrontEndTest::aStoreTheWindowCannotReadIsListedThroughTheProgram() {
    const qint64 first = AddSent(*m_store, Text("62812000001", "Rapat jam 9"), msg::State::Queued);
    auto program = std::make_unique<StandInProgram>(m_store.get(), QStringList{"a"});
    program->storeHidden = true;
    m_program = program.get();
    m_window = std::make_unique<Window>(std::move(program));
    m_window->show();
    m_window->find<QAction>("mnuOutbox")->trigger();
    auto* list = m_window->form().findChild<QTreeWidget*>("lstRunningMessages");
    QVERIFY(list);
    QVERIFY(list->isVisible());
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(1), "62812000001");
    QCOMPARE(list->topLevelItem(0)->text(2), "Queued");
    QCOMPARE(list->topLevelItem(0)->text(3), "Rapat jam 9");
    const int before = m_program->lists;

    m_program->move(first, msg::State::Sending);
    m_program->move(first, msg::State::Sent);
    QTRY_COMPARE(list->topLevelItem(0)->text(2), "Sent");
    QCOMPARE(m_program->lists, before + 1);
    // A message sent from the window shows at the top once told.
    m_window->find<QLineEdit>("txtHPNo")->setText("62812000002");
    m_window->find<QPlainTextEdit>("memText")->setPlainText("Besok");
    QTest::mouseClick(m_window->find<QPushButton>("bitSendSMS"), Qt::LeftButton);
    QTRY_VERIFY(m_window->form().statusText().startsWith("Queued through velmorad"));
    m_program->move(m_store->Messages({}).front().id, msg::State::Sending);
    QTRY_COMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(3), "Besok");
}

// The phone is the program's: the inbox is read by it, shown as the
// window's own read is, and nothing in it can be deleted from here.
void FrontEndTest::thePhonesInboxIsReadThroughTheProgramAndKept() {
    Open();
    const auto job = BuildMessage(Text("628123456789", "Sampai jumpa"));
    QVERIFY(job);
    m_program->onPhone = {{"SM", 3, 1, DeliverOf(job->pdus.front(), QDateTime::currentDateTimeUtc())}};
    auto* item = m_window->find<QAction>("mnuInbox");
    QVERIFY(item->isEnabled());
    item->trigger();
    auto* inbox = m_window->form().findChild<InboxDialog*>();
    QTRY_COMPARE(inbox->entries().size(), std::size_t(1));
    QCOMPARE(m_program->reads, 1);
    QVERIFY(inbox->entries().front().message);
    auto* list = inbox->findChild<QTreeWidget*>("lvInbox");
    list->setCurrentItem(list->topLevelItem(0));
    auto* remove = inbox->findChild<QPushButton*>("btnInboxDelete");
    QVERIFY(!remove->isEnabled());
    QVERIFY(remove->toolTip().contains("velmorad"));
    // Read again on asking; off once the program has stopped.
    auto* read = inbox->findChild<QPushButton*>("btnInboxRead");
    QVERIFY(read->isEnabled());
    QTest::mouseClick(read, Qt::LeftButton);
    QTRY_COMPARE(m_program->reads, 2);
    m_program->stop();
    QTRY_VERIFY(!read->isEnabled());
}

QTEST_MAIN(FrontEndTest)
#include "FrontEndTest.moc"
