// Sending to many in the window: what the outbox window says of a batch and
// its recipients, a row following its message, the typed list queued and
// sent by the simulated phone, the questions on a batch queued twice and on
// closing, and groups made from the phone book and sent to.

#include "Outbox.h"
#include "BatchRecipientModel.h"
#include "GroupsDialog.h"
#include "HistoryFill.h"
#include "MailMergeDialog.h"
#include "MessageService.h"
#include "MessageStore.h"
#include "OutboxWindow.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::msg::State)
Q_DECLARE_METATYPE(velmora::msg::Reason)
Q_DECLARE_METATYPE(velmora::msg::BatchState)
Q_DECLARE_METATYPE(velmora::Prompter::Answer)

namespace {

const QDateTime kNow = QDateTime::fromString("2026-12-09T17:00:00Z", Qt::ISODate);

// A phone that is never there: the outbox starts nothing on it.
class NoPhone : public MessageTransport {
public:
    bool Ready() const override { return false; }
    ModemId Modem() const override { return {}; }
    void Submit(qint64, const std::vector<std::string>&, const std::string&) override {}
};

// `n` one-part texts to 62812000000, 62812000001, ...
std::vector<MessageRecord> Recipients(int n) {
    std::vector<MessageRecord> out(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        MessageRecord& m = out[static_cast<std::size_t>(i)];
        m.number = QString("62812%1").arg(i, 6, 10, QLatin1Char('0'));
        m.kind = "text";
        m.text = "Rapat jam 9";
        m.parts.push_back(PartRecord{1, "0011000C912658969999990000AA0361F118", {}, {}, {}, {}, {}});
    }
    return out;
}

QString Cell(const QAbstractItemModel* model, int row, int column) {
    return model->data(model->index(row, column), Qt::DisplayRole).toString();
}

} // namespace

class OutboxTest : public QObject {
    Q_OBJECT
private slots:
    void theTimeLeftFollowsThePacing_data();
    void theTimeLeftFollowsThePacing();
    void theTimeLeftFollowsThePhonesPace();
    void aRecipientsRowSaysWhereItStands_data();
    void aRecipientsRowSaysWhereItStands();
    void aContactsFileGivesTheGroupsMembers_data();
    void aContactsFileGivesTheGroupsMembers();
    void aRowFollowsItsMessageAloneAndTheCountsFollowTheBatch();
    void theButtonsFollowTheChosenMessages();
    void cancelTheRestCountsThemCancelled();
    void aTypedListIsQueuedAsOneBatchAndSent();
    void aBatchWaitsForThePhoneAndGoesOnceItConnects();
    void aRecipientLeftOutIsNamedFirst();
    void aBatchQueuedTwiceIsAskedAbout_data();
    void aBatchQueuedTwiceIsAskedAbout();
    void closingWithMessagesQueuedAsks_data();
    void closingWithMessagesQueuedAsks();
    void aGroupIsMadeFromThePhoneBookAndSentTo();
    void aContactsFileBecomesAGroupOrReplacesOne();
    void aMailMergeIsQueuedWithEachTextFilledIn();

private:
    QTemporaryDir m_tmp;
    QString record() const { return m_tmp.filePath(QString("pdus-%1.txt").arg(++m_records)); }
    mutable int m_records = 0;
};

void OutboxTest::theTimeLeftFollowsThePacing_data() {
    QTest::addColumn<msg::BatchState>("state");
    QTest::addColumn<msg::Reason>("pauseReason");
    QTest::addColumn<int>("queued");
    QTest::addColumn<int>("intervalS");
    QTest::addColumn<int>("perHour");
    QTest::addColumn<int>("startInMin");
    QTest::addColumn<QString>("said");
    using B = msg::BatchState;
    using R = msg::Reason;
    const QString starts = "starts at " + kNow.addSecs(30 * 60).toLocalTime().toString("HH:mm");
    QTest::newRow("a minute apart, 12 left")
        << B::Active << R::None << 12 << 60 << 0 << 0 << "about 12 min left";
    QTest::newRow("60 an hour, 30 left") << B::Active << R::None << 30 << 0 << 60 << 0 << "about 30 min left";
    QTest::newRow("the cap is slower than the interval")
        << B::Active << R::None << 10 << 10 << 20 << 0 << "about 30 min left";
    QTest::newRow("as fast as the phone, 6 left")
        << B::Active << R::None << 6 << 0 << 0 << 0 << "less than a minute left";
    QTest::newRow("hours") << B::Active << R::None << 150 << 60 << 0 << 0 << "about 2 h 30 min left";
    QTest::newRow("starts later") << B::Active << R::None << 5 << 0 << 0 << 30 << starts;
    QTest::newRow("paused by the user") << B::Paused << R::None << 5 << 0 << 0 << 0 << "paused";
    QTest::newRow("paused: no answer")
        << B::Paused << R::NoAnswer << 5 << 0 << 0 << 0 << "paused: the phone stopped answering";
    QTest::newRow("paused: link lost")
        << B::Paused << R::LinkLost << 5 << 0 << 0 << 0 << "paused: the link to the phone was lost";
    QTest::newRow("nothing left") << B::Active << R::None << 0 << 60 << 0 << 0 << "finished";
    QTest::newRow("cancelled") << B::Cancelled << R::None << 0 << 60 << 0 << 0 << "cancelled";
}

void OutboxTest::theTimeLeftFollowsThePacing() {
    QFETCH(msg::BatchState, state);
    QFETCH(msg::Reason, pauseReason);
    QFETCH(int, queued);
    QFETCH(int, intervalS);
    QFETCH(int, perHour);
    QFETCH(int, startInMin);
    QFETCH(QString, said);
    BatchRecord b;
    b.state = state;
    b.pauseReason = pauseReason;
    b.total = 200;
    b.queued = queued;
    b.sent = b.total - queued;
    b.pacing.intervalMs = intervalS * 1000LL;
    b.pacing.perHour = perHour;
    if (startInMin > 0)
        b.pacing.startAt = kNow.addSecs(60LL * startInMin);
    QCOMPARE(TimeLeftText(b, kNow), said);
}

void OutboxTest::theTimeLeftFollowsThePhonesPace() {
    // 100 gone in 50 minutes: the rest at the same pace, not a typical
    // phone's, nor the interval the user gave when the phone is slower.
    BatchRecord b;
    b.total = 200;
    b.queued = 100;
    b.sent = 100;
    b.pacing.intervalMs = 5'000;
    b.created = kNow.addSecs(-50 * 60);
    b.lastStart = kNow;
    QCOMPARE(TimeLeftText(b, kNow), QString("about 50 min left"));
}

void OutboxTest::aRecipientsRowSaysWhereItStands_data() {
    QTest::addColumn<msg::State>("state");
    QTest::addColumn<msg::Reason>("reason");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("retryInMin");
    QTest::addColumn<QString>("stateWords");
    QTest::addColumn<QString>("note");
    using S = msg::State;
    using R = msg::Reason;
    const QString next = "next try " + kNow.addSecs(4 * 60).toLocalTime().toString("HH:mm");
    QTest::newRow("waiting its turn") << S::Queued << R::None << -1 << 0 << "Queued"
                                      << "";
    QTest::newRow("refused, tried again") << S::Queued << R::Retrying << 2 << 4 << "Queued" << next;
    QTest::newRow("on its way") << S::Sending << R::None << -1 << 0 << "Sending"
                                << "";
    QTest::newRow("sent") << S::Sent << R::None << -1 << 0 << "Sent"
                          << "";
    QTest::newRow("refused by the phone") << S::Failed << R::CmsError << 500 << 0 << "Failed"
                                          << "the phone refused it (+CMS ERROR 500)";
    QTest::newRow("too late") << S::Failed << R::Expired << -1 << 0 << "Failed"
                              << "its batch's time to send ran out first";
    QTest::newRow("taken out of the queue") << S::Cancelled << R::Cancelled << -1 << 0 << "Cancelled"
                                            << "";
    QTest::newRow("uncertain, dropped") << S::Uncertain << R::Cancelled << -1 << 0 << "Uncertain"
                                        << "dropped by the user; whether the phone sent it is not known";
    QTest::newRow("never answered") << S::Uncertain << R::NoAnswer << -1 << 0 << "Uncertain"
                                    << "the phone took the PDU but never answered";
    QTest::newRow("not delivered") << S::NotDelivered << R::ReportFailed << 69 << 0 << "Not delivered"
                                   << "no interworking available";
}

void OutboxTest::aRecipientsRowSaysWhereItStands() {
    QFETCH(msg::State, state);
    QFETCH(msg::Reason, reason);
    QFETCH(int, code);
    QFETCH(int, retryInMin);
    QFETCH(QString, stateWords);
    QFETCH(QString, note);
    BatchRecipientRow row;
    row.state = state;
    row.reason = reason;
    if (code >= 0)
        row.code = code;
    if (retryInMin > 0)
        row.notBefore = kNow.addSecs(60LL * retryInMin);
    QCOMPARE(RecipientState(row), stateWords);
    QCOMPARE(RecipientNote(row), note);
}

void OutboxTest::aContactsFileGivesTheGroupsMembers_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QStringList>("members"); // "name|number"
    QTest::addColumn<bool>("refused");
    QTest::newRow("name and phone") << QByteArray("Name,Phone\nAni,0812 111\nBudi,+62813222\n")
                                    << QStringList{"Ani|0812 111", "Budi|+62813222"} << false;
    QTest::newRow("the name column in any case, anywhere")
        << QByteArray("phone;NAME;city\n0812111;Ani;Bogor\n") << QStringList{"Ani|0812111"} << false;
    QTest::newRow("no name column") << QByteArray("number\n0812111\n0812222\n")
                                    << QStringList{"|0812111", "|0812222"} << false;
    QTest::newRow("a row without a number is left out")
        << QByteArray("name,phone\nAni,0812111\nNobody,\n") << QStringList{"Ani|0812111"} << false;
    QTest::newRow("no column of numbers") << QByteArray("name,city\nAni,Bogor\n") << QStringList{} << true;
}

void OutboxTest::aContactsFileGivesTheGroupsMembers() {
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, members);
    QFETCH(bool, refused);
    const auto table = ParseCsv(csv);
    QVERIFY2(table, table ? "" : qPrintable(table.error()));
    const auto read = MembersFromTable(table.value());
    QCOMPARE(!read, refused);
    if (refused) {
        QVERIFY(!read.error().isEmpty());
        return;
    }
    QStringList got;
    for (const GroupMember& m : read.value())
        got << m.name + "|" + m.number;
    QCOMPARE(got, members);
}

void OutboxTest::aRowFollowsItsMessageAloneAndTheCountsFollowTheBatch() {
    QTemporaryDir dir;
    auto opened = MessageStore::Open(dir.filePath("messages.sqlite"));
    QVERIFY(opened);
    MessageStore& store = *opened.value();
    BatchRecord b;
    b.name = "Rapat";
    b.key = "k";
    b.created = kNow;
    const auto added = store.AddBatch(b, Recipients(5));
    QVERIFY(added);
    // The name the phone book gives the number.
    QVERIFY(store.SavePhonebook({{"Guest 2", "+62812000002"}}));
    NoPhone phone;
    MessageService service(&store, phone);
    Outbox outbox(service);
    TestPrompter prompter;
    OutboxWindow w(&store, outbox, prompter);
    w.showBatch(added.value());
    QCOMPARE(w.chosenBatch(), added.value());
    QTRY_VERIFY(w.isListed());
    BatchRecipientModel* model = w.recipients();
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(Cell(model, 2, BatchRecipientModel::Number), QString("62812000002"));
    QCOMPARE(Cell(model, 2, BatchRecipientModel::Name), QString("Guest 2"));

    const qint64 third = model->at(2).id;
    QSignalSpy resets(model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(model, &QAbstractItemModel::dataChanged);
    QVERIFY(store.Claim(third, kNow).value());
    QVERIFY(store.SetState(third, msg::State::Failed, msg::Reason::CmsError, 500).value());
    emit service.messageChanged(third, msg::State::Failed, msg::Reason::CmsError, 500);
    // Several changes of one message in a moment are shown once.
    emit service.messageChanged(third, msg::State::Failed, msg::Reason::CmsError, 500);
    QTRY_COMPARE(Cell(model, 2, BatchRecipientModel::State), QString("Failed"));
    QCOMPARE(Cell(model, 2, BatchRecipientModel::Tries), QString("1"));
    QCOMPARE(Cell(model, 2, BatchRecipientModel::Note), QString("the phone refused it (+CMS ERROR 500)"));
    QCOMPARE(Cell(model, 1, BatchRecipientModel::State), QString("Queued"));
    QCOMPARE(resets.count(), 0);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.first().at(0).value<QModelIndex>().row(), 2);
    // A message of no batch shown changes nothing.
    emit service.messageChanged(third + 100, msg::State::Sent, msg::Reason::None, 0);
    QTest::qWait(200);
    QCOMPARE(changes.count(), 1);

    emit outbox.batchChanged(added.value());
    auto* bar = w.findChild<QProgressBar*>("prgBatch");
    QTRY_COMPARE(bar->format(), QString("0 of 5 sent, 1 failed"));
    QCOMPARE(bar->maximum(), 5);
    QCOMPARE(bar->value(), 1);
    auto* list = w.findChild<QTreeWidget*>("lstBatches");
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(2), QString("0 of 5 sent, 1 failed"));
    QCOMPARE(list->topLevelItem(0)->text(1), QString("active"));
}

// A batch of 7, 3 sent, the rest taken out with Cancel the Rest: none of
// them failed, and every row and count says cancelled.
void OutboxTest::cancelTheRestCountsThemCancelled() {
    QTemporaryDir dir;
    auto opened = MessageStore::Open(dir.filePath("messages.sqlite"));
    QVERIFY(opened);
    MessageStore& store = *opened.value();
    BatchRecord b;
    b.name = "Rapat";
    b.key = "k";
    b.created = kNow;
    const auto added = store.AddBatch(b, Recipients(7));
    QVERIFY(added);
    NoPhone phone;
    MessageService service(&store, phone);
    Outbox outbox(service);
    TestPrompter prompter;
    OutboxWindow w(&store, outbox, prompter);
    w.showBatch(added.value());
    QTRY_VERIFY(w.isListed());
    for (int row = 0; row < 3; ++row) {
        QVERIFY(store.Claim(w.recipients()->at(row).id, kNow).value());
        QVERIFY(store.SetState(w.recipients()->at(row).id, msg::State::Sent).value());
    }
    emit outbox.batchChanged(added.value());
    auto* bar = w.findChild<QProgressBar*>("prgBatch");
    QTRY_COMPARE(bar->format(), QString("3 of 7 sent, 0 failed"));
    prompter.answerYes = true;
    w.findChild<QPushButton*>("btnBatchCancel")->click();
    QTRY_COMPARE(bar->format(), QString("3 of 7 sent, 0 failed, 4 cancelled"));
    QCOMPARE(bar->value(), 7);
    auto* list = w.findChild<QTreeWidget*>("lstBatches");
    QCOMPARE(list->topLevelItem(0)->text(1), QString("cancelled"));
    QCOMPARE(list->topLevelItem(0)->text(2), QString("3 of 7 sent, 0 failed, 4 cancelled"));
    for (int row = 3; row < 7; ++row) {
        QTRY_COMPARE(Cell(w.recipients(), row, BatchRecipientModel::State), QString("Cancelled"));
        QCOMPARE(Cell(w.recipients(), row, BatchRecipientModel::Note), QString());
    }
    // Sent again, one goes back in the queue.
    auto* table = w.findChild<QTableView*>("tblRecipients");
    table->selectionModel()->select(w.recipients()->index(6, 0),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    auto* again = w.findChild<QPushButton*>("btnSendAgain");
    QVERIFY(again->isEnabled());
    again->click();
    QCOMPARE(store.Message(w.recipients()->at(6).id)->state, msg::State::Queued);
}

void OutboxTest::theButtonsFollowTheChosenMessages() {
    QTemporaryDir dir;
    auto opened = MessageStore::Open(dir.filePath("messages.sqlite"));
    QVERIFY(opened);
    MessageStore& store = *opened.value();
    BatchRecord b;
    b.name = "Rapat";
    b.key = "k";
    b.created = kNow;
    const qint64 batch = store.AddBatch(b, Recipients(4)).value();
    NoPhone phone;
    MessageService service(&store, phone);
    Outbox outbox(service);
    TestPrompter prompter;
    OutboxWindow w(&store, outbox, prompter);
    w.showBatch(batch);
    QTRY_VERIFY(w.isListed());
    const qint64 failed = w.recipients()->at(0).id;
    QVERIFY(store.Claim(failed, kNow).value());
    QVERIFY(store.SetState(failed, msg::State::Failed, msg::Reason::CmsError, 38).value());
    const qint64 uncertain = w.recipients()->at(3).id;
    QVERIFY(store.Claim(uncertain, kNow).value());
    QVERIFY(store.SetState(uncertain, msg::State::Uncertain, msg::Reason::NoAnswer).value());
    w.messageChanged(failed);
    w.messageChanged(uncertain);
    QTRY_COMPARE(Cell(w.recipients(), 3, BatchRecipientModel::State), QString("Uncertain"));
    QCOMPARE(Cell(w.recipients(), 0, BatchRecipientModel::State), QString("Failed"));

    auto* table = w.findChild<QTableView*>("tblRecipients");
    auto* again = w.findChild<QPushButton*>("btnSendAgain");
    auto* drop = w.findChild<QPushButton*>("btnDrop");
    const auto choose = [&](int row) {
        table->selectionModel()->select(w.recipients()->index(row, 0),
                                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    choose(0);
    QVERIFY(again->isEnabled());
    QVERIFY(!drop->isEnabled());
    choose(1);
    QVERIFY(!again->isEnabled());
    QVERIFY(drop->isEnabled());

    // Dropping the chosen queued one takes it out, and only it.
    drop->click();
    QCOMPARE(store.Message(w.recipients()->at(1).id)->state, msg::State::Cancelled);
    QCOMPARE(Cell(w.recipients(), 1, BatchRecipientModel::State), QString("Cancelled"));
    QCOMPARE(store.Message(w.recipients()->at(2).id)->state, msg::State::Queued);

    // An uncertain one may have gone: dropping it only marks it dealt with.
    choose(3);
    QVERIFY(again->isEnabled());
    QVERIFY(drop->isEnabled());
    drop->click();
    QCOMPARE(store.Message(uncertain)->state, msg::State::Uncertain);
    QCOMPARE(store.Message(uncertain)->reason, msg::Reason::Cancelled);
    QCOMPARE(Cell(w.recipients(), 3, BatchRecipientModel::Note),
             QString("dropped by the user; whether the phone sent it is not known"));
    QVERIFY(!drop->isEnabled());
    QVERIFY(again->isEnabled());

    // Sending the failed one again puts it back in the queue and asks the outbox to look.
    QSignalSpy looked(&w, &OutboxWindow::queueChanged);
    choose(0);
    again->click();
    QCOMPARE(store.Message(failed)->state, msg::State::Queued);
    QCOMPARE(Cell(w.recipients(), 0, BatchRecipientModel::State), QString("Queued"));
    QCOMPARE(looked.count(), 1);

    // Pause, then Resume, the batch.
    auto* pause = w.findChild<QPushButton*>("btnBatchPause");
    pause->click();
    QCOMPARE(store.Batch(batch)->state, msg::BatchState::Paused);
    QCOMPARE(w.findChild<QLabel*>("lblTimeLeft")->text(), QString("paused"));
    QVERIFY(pause->text().contains("Resume"));
    pause->click();
    QCOMPARE(store.Batch(batch)->state, msg::BatchState::Active);
}

void OutboxTest::aTypedListIsQueuedAsOneBatchAndSent() {
    ConnectedWindow w(record());
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText("6281200001, 6281200002; 6281200003");
    w.find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    w.find<QPushButton>("bitSendSMS")->click();
    QTRY_VERIFY(!w.form().recordingBatch());
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join('\n')));
    MessageStore* store = w.form().messageStore();
    const std::vector<BatchRecord> batches = store->Batches();
    QCOMPARE(batches.size(), 1U);
    QCOMPARE(batches.front().total, 3);
    QCOMPARE(batches.front().pacing.retries, 2);

    OutboxWindow* shown = w.form().outboxWindow();
    QVERIFY(shown && shown->isVisible());
    QCOMPARE(shown->chosenBatch(), batches.front().id);
    QTRY_COMPARE(shown->recipients()->rowCount(), 3);
    QCOMPARE(Cell(shown->recipients(), 0, BatchRecipientModel::Number), QString("6281200001"));
    QCOMPARE(Cell(shown->recipients(), 2, BatchRecipientModel::Number), QString("6281200003"));

    // The phone takes all three, one after the other; the rows and the
    // status bar follow, and the bar goes once the batch is done.
    QTRY_COMPARE_WITH_TIMEOUT(w.phone.received().size(), 3, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(store->Batch(batches.front().id)->sent, 3, 10000);
    for (int row = 0; row < 3; ++row)
        QTRY_COMPARE(Cell(shown->recipients(), row, BatchRecipientModel::State), QString("Sent"));
    QTRY_COMPARE(shown->findChild<QProgressBar*>("prgBatch")->format(), QString("3 of 3 sent, 0 failed"));
    QTRY_VERIFY(!w.find<QProgressBar>("prgOutbox")->isVisible());
}

void OutboxTest::aBatchWaitsForThePhoneAndGoesOnceItConnects() {
    ConnectedWindow w(record());
    QVERIFY(w.connected());
    w.find<QAction>("mnuClosePort")->trigger();
    QTRY_VERIFY(!w.find<QPushButton>("bitSendSMS")->isEnabled());
    w.find<QLineEdit>("txtHPNo")->setText("6281200001, 6281200002");
    w.find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    QVERIFY(QMetaObject::invokeMethod(&w.form(), "bitSendSMSClick"));
    QTRY_VERIFY(!w.form().recordingBatch());
    MessageStore* store = w.form().messageStore();
    const qint64 batch = store->Batches().front().id;
    QTest::qWait(1000);
    QCOMPARE(w.phone.received().size(), 0);
    QCOMPARE(store->Batch(batch)->queued, 2);
    w.find<QAction>("mnuOpenPort")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(w.phone.received().size(), 2, 20000);
    QTRY_COMPARE_WITH_TIMEOUT(store->Batch(batch)->sent, 2, 10000);
}

void OutboxTest::aRecipientLeftOutIsNamedFirst() {
    Window w("/dev/null/none", "[Outbox]\r\nRetries=5\r\n");
    w.find<QLineEdit>("txtHPNo")->setText("6281200001, Nobody Known, 6281200002");
    w.find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    // Refused first, then queued without the one left out.
    for (const bool yes : {false, true}) {
        w.prompter.questions.clear();
        w.prompter.answerYes = yes;
        QVERIFY(QMetaObject::invokeMethod(&w.form(), "bitSendSMSClick"));
        QTRY_VERIFY(!w.form().recordingBatch());
        QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join(QChar(10))));
        QCOMPARE(w.prompter.questions.size(), 1);
        QVERIFY2(w.prompter.questions.first().contains("Nobody Known: "),
                 qPrintable(w.prompter.questions.first()));
        QVERIFY(w.prompter.questions.first().contains("other 2?"));
        QCOMPARE(w.form().messageStore()->Batches().size(), yes ? 1U : 0U);
    }
    const BatchRecord b = w.form().messageStore()->Batches().front();
    QCOMPARE(b.total, 2);
    QCOMPARE(b.pacing.retries, 5); // from the settings file
    // The status bar tells of it beside its text, which stays.
    auto* bar = w.find<QProgressBar>("prgOutbox");
    QVERIFY(!bar->isHidden());
    QCOMPARE(bar->format(), QString("0 of 2 sent"));
    QCOMPARE(w.form().statusText(), QString("Please Open Communication Port !"));
}

void OutboxTest::aBatchQueuedTwiceIsAskedAbout_data() {
    QTest::addColumn<bool>("again");
    QTest::newRow("no: one batch") << false;
    QTest::newRow("yes: queued again") << true;
}

void OutboxTest::aBatchQueuedTwiceIsAskedAbout() {
    QFETCH(bool, again);
    Window w("/dev/null/none");
    w.find<QLineEdit>("txtHPNo")->setText("6281200001;6281200002");
    w.find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    QVERIFY(QMetaObject::invokeMethod(&w.form(), "bitSendSMSClick"));
    QTRY_VERIFY(!w.form().recordingBatch());
    QVERIFY(w.prompter.questions.isEmpty());
    MessageStore* store = w.form().messageStore();
    const qint64 first = store->Batches().front().id;
    // The same two in the other order are the same batch.
    w.find<QLineEdit>("txtHPNo")->setText("6281200002, 6281200001");
    w.prompter.answerYes = again;
    QVERIFY(QMetaObject::invokeMethod(&w.form(), "bitSendSMSClick"));
    QTRY_VERIFY(!w.form().recordingBatch());
    QCOMPARE(w.prompter.questions, QStringList{QString("The same message to the same recipients was already "
                                                       "queued as batch %1. Queue it again?")
                                                   .arg(first)});
    QCOMPARE(store->Batches().size(), again ? 2U : 1U);
    QCOMPARE(w.form().outboxWindow()->chosenBatch(), store->Batches().front().id);
}

void OutboxTest::closingWithMessagesQueuedAsks_data() {
    QTest::addColumn<Prompter::Answer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("queued");
    QTest::newRow("yes: they stay queued") << Prompter::Answer::Yes << true << 3;
    QTest::newRow("no: the rest is cancelled") << Prompter::Answer::No << true << 0;
    QTest::newRow("cancel: the window stays") << Prompter::Answer::Cancel << false << 3;
}

void OutboxTest::closingWithMessagesQueuedAsks() {
    QFETCH(Prompter::Answer, answer);
    QFETCH(bool, closed);
    QFETCH(int, queued);
    Window w("/dev/null/none");
    w.show();
    w.find<QLineEdit>("txtHPNo")->setText("6281200001,6281200002,6281200003");
    w.find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    QVERIFY(QMetaObject::invokeMethod(&w.form(), "bitSendSMSClick"));
    QTRY_VERIFY(!w.form().recordingBatch());
    const qint64 batch = w.form().messageStore()->Batches().front().id;
    w.prompter.questions.clear();
    w.prompter.threeWay = answer;
    QCOMPARE(w.form().close(), closed);
    QCOMPARE(
        w.prompter.questions,
        QStringList{
            "A batch is still being sent: 3 messages are queued. Leave them queued for the next start?"});
    QCOMPARE(w.form().isVisible(), !closed);
    // Read through a connection of its own, as the next start would.
    auto again = MessageStore::Open(w.form().messageStore()->path());
    QVERIFY(again);
    const auto b = again.value()->Batch(batch);
    QVERIFY(b);
    QCOMPARE(b->queued, queued);
    QCOMPARE(b->cancelled, 3 - queued);
    QCOMPARE(b->failed, 0);
}

void OutboxTest::aGroupIsMadeFromThePhoneBookAndSentTo() {
    Window w("/dev/null/none");
    auto* list = w.find<QTreeWidget>("lvContact");
    for (const auto& [name, number] : {std::pair{"Ani", "6281211"}, {"Budi", "6281222"}, {"Cici", "6281233"}})
        new QTreeWidgetItem(list, QStringList{name, number, "1"});
    list->topLevelItem(0)->setSelected(true);
    list->topLevelItem(2)->setSelected(true);
    w.prompter.texts = {"Tim Inti"};
    w.find<QAction>("actMakeGroup")->trigger();
    const auto group = w.form().messageStore()->GroupNamed("tim inti");
    QVERIFY(group);
    QCOMPARE(group->members.size(), 2U);
    QCOMPARE(group->members[0].name, QString("Ani"));
    QCOMPARE(group->members[1].number, QString("6281233"));

    // The groups dialog lists it and puts its name into the destination.
    w.prompter.onDialog = [](QDialog& dialog) {
        QCOMPARE(dialog.objectName(), QString("GroupsDialog"));
        auto* groups = dialog.findChild<QListWidget*>("lstGroups");
        QCOMPARE(groups->count(), 1);
        QCOMPARE(dialog.findChild<QTreeWidget*>("lstMembers")->topLevelItemCount(), 2);
        dialog.findChild<QPushButton*>("btnSendToGroup")->click();
    };
    w.find<QAction>("mnuGroups")->trigger();
    QCOMPARE(w.find<QLineEdit>("txtHPNo")->text(), QString("Tim Inti"));
    // And the send queues the group's two members as a batch of its name.
    w.find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    QVERIFY(QMetaObject::invokeMethod(&w.form(), "bitSendSMSClick"));
    QTRY_VERIFY(!w.form().recordingBatch());
    const auto batches = w.form().messageStore()->Batches();
    QCOMPARE(batches.size(), 1U);
    QCOMPARE(batches.front().name, QString("Tim Inti"));
    QCOMPARE(batches.front().total, 2);
}

// Imported under a name in use, the members are replaced only when the
// user says so.
void OutboxTest::aContactsFileBecomesAGroupOrReplacesOne() {
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    const QString three = m_tmp.filePath("warga.csv");
    const QString one = m_tmp.filePath("baru.csv");
    QVERIFY(write(three, "Nama Lengkap;HP;Name\r\nAni Rahma;0812 1100 01;Ani\r\nBudi S;;Budi\r\n"
                         "Cici;+62812110003;Cici\r\n"));
    QVERIFY(write(one, "name,phone\nDedi,081311112222\n"));
    Window w("/dev/null/none");
    MessageStore* store = w.form().messageStore();
    const auto import = [&](const QString& file, const QString& name, bool yes) {
        w.prompter.files = {{file, 1}};
        w.prompter.texts = {name};
        w.prompter.answerYes = yes;
        w.prompter.questions.clear();
        w.prompter.onDialog = [](QDialog& dialog) {
            dialog.findChild<QPushButton*>("btnGroupImport")->click();
        };
        w.find<QAction>("mnuGroups")->trigger();
    };
    const auto members = [&] {
        QStringList got;
        if (const auto group = store->GroupNamed("Warga"))
            for (const GroupMember& m : group->members)
                got << m.name + "|" + m.number;
        return got;
    };
    // The row without a number is left out; the names come from "Name".
    import(three, "Warga", true);
    QVERIFY(w.prompter.questions.isEmpty());
    QCOMPARE(members(), (QStringList{"Ani|0812 1100 01", "Cici|+62812110003"}));
    import(one, "warga", false);
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join(QChar(10))));
    QCOMPARE(w.prompter.questions.size(), 1);
    QCOMPARE(members(), (QStringList{"Ani|0812 1100 01", "Cici|+62812110003"}));
    import(one, "WARGA", true);
    QCOMPARE(members(), QStringList{"Dedi|081311112222"});
    QCOMPARE(store->Groups().size(), 1U);
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join('\n')));
}

void OutboxTest::aMailMergeIsQueuedWithEachTextFilledIn() {
    const QString file = m_tmp.filePath("undangan.csv");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("name,phone\nAni,081234567890\nBudi,081298765432\n");
    f.close();
    Window w("/dev/null/none", "[Outbox]\r\nRetries=0\r\n");
    w.find<QPlainTextEdit>("memText")->setPlainText("Halo {name}, rapat jam 9");
    bool checked = false;
    w.prompter.onDialog = [&](QDialog& dialog) {
        auto* merge = qobject_cast<MailMergeDialog*>(&dialog);
        QVERIFY(merge);
        QVERIFY(merge->loadFile(file));
        QTRY_VERIFY_WITH_TIMEOUT(merge->checked(), 10000);
        checked = true;
    };
    w.find<QAction>("mnuMailMerge")->trigger();
    QTRY_VERIFY(!w.form().recordingBatch());
    QVERIFY(checked);
    MessageStore* store = w.form().messageStore();
    const auto batches = store->Batches();
    QCOMPARE(batches.size(), 1U);
    QCOMPARE(batches.front().total, 2);
    QCOMPARE(batches.front().pacing.retries, 0);
    // Named after what was written, not after Ani's own text.
    QCOMPARE(batches.front().name, QString("Halo {name}, rapat jam 9 to 2"));
    HistoryQuery query;
    query.batch = batches.front().id;
    QStringList texts;
    for (const MessageRecord& m : store->Messages(query))
        texts << m.text;
    QCOMPARE(texts, (QStringList{"Halo Ani, rapat jam 9", "Halo Budi, rapat jam 9"}));
    QVERIFY(w.form().outboxWindow() && w.form().outboxWindow()->isVisible());
    QCOMPARE(w.form().outboxWindow()->chosenBatch(), batches.front().id);
}

QTEST_MAIN(OutboxTest)
#include "OutboxTest.moc"
