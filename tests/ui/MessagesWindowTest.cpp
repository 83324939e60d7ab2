// The Messages window and its models over a real store in a temporary
// directory, on the offscreen platform; no phone is needed.

#include "MessagesWindow.h"
#include "ConversationModel.h"
#include "HistoryFill.h"
#include "HistoryReader.h"
#include "Inbox.h"
#include "InboxDialog.h"
#include "MessageListModel.h"
#include "MessageWords.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::msg::State)
Q_DECLARE_METATYPE(velmora::msg::Reason)
Q_DECLARE_METATYPE(std::optional<int>)

namespace {

const QDateTime kStart = QDateTime::currentDateTimeUtc().addDays(-2);

QString Cell(QAbstractItemModel* model, int row, int column) {
    return model->data(model->index(row, column), Qt::DisplayRole).toString();
}

bool Settled(MessagesWindow& w) {
    return w.messages() && w.messages()->isCounted() && w.messages()->pagesAwaited() == 0 &&
           w.conversations()->hasAnswered();
}

// A received log of `count` texts "message N" from `numbers` senders in
// turn, a minute apart, imported in one go.
bool ImportTexts(MessageStore& store, const QString& log, int count, int numbers) {
    QFile f(log);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    for (int i = 0; i < count; ++i) {
        const QDateTime when = kStart.addSecs(60 * i);
        const std::string number = "62811" + std::to_string(1000000 + i % numbers);
        const auto job = BuildMessage(Text(number, QString("message %1").arg(i).toStdU16String()));
        const std::string line = when.toLocalTime().toString("dd-MM-yyyy hh:mm:ss AP").toStdString() + " " +
                                 number + " " + DeliverOf(job->pdus[0], when) + "\r\n";
        f.write(line.data(), static_cast<qint64>(line.size()));
    }
    f.close();
    return store.ImportReceivedLog(log).imported == count;
}

} // namespace

class MessagesWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The month names below are English ones, whatever the desktop's language.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();
    void statesAreSaidInWords_data();
    void statesAreSaidInWords();
    void conversationTimesAreShort_data();
    void conversationTimesAreShort();
    void conversationsAreNewestFirstWithTheirNames();
    void conversationsAreShownAPageAtATime();
    void messagesAreOldestAtTheTopAndReadByPage();
    void theSearchFiltersBothLists_data();
    void theSearchFiltersBothLists();
    void aClearedSearchListsEveryConversationAgain();
    void theWindowListsEveryStateAndKind();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void resendAsksAndAsksTheService_data();
    void resendAsksAndAsksTheService();
    void aResentMessageNamesTheOneItReplaced();
    void theKindIsSaidAsTheInboxSaysIt();
    void sentListsWhatWentToEveryNumber();
    void aChangedMessageKeepsTheChoiceAndTheScroll();
    void aNewMessageJoinsTheEndInSight();
    void aReceivedLogoIsDrawnAndCopyTakesTheText();
    void theMenuOpensTheWindowOnTheFormsStore();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MessageStore> m_store;
    TestPrompter m_prompter;
};

void MessagesWindowTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    auto opened = MessageStore::Open(m_dir->filePath("messages.sqlite"));
    QVERIFY2(opened, opened ? "" : opened.error().c_str());
    m_store = std::move(opened.value());
    m_prompter = TestPrompter{};
}

void MessagesWindowTest::cleanup() {
    m_store.reset();
    m_dir.reset();
}

void MessagesWindowTest::statesAreSaidInWords_data() {
    using msg::Reason;
    using msg::State;
    QTest::addColumn<State>("state");
    QTest::addColumn<Reason>("reason");
    QTest::addColumn<std::optional<int>>("code");
    QTest::addColumn<QString>("said");
    const std::optional<int> none;
    QTest::newRow("sent") << State::Sent << Reason::None << none << "Sent";
    QTest::newRow("delivered") << State::Delivered << Reason::None << none << "Delivered";
    QTest::newRow("not delivered, TP-ST 69") << State::NotDelivered << Reason::ReportFailed
                                             << std::optional<int>(69) << "Not delivered (TP-ST 69)";
    QTest::newRow("refused with +CMS ERROR 500")
        << State::Failed << Reason::CmsError << std::optional<int>(500)
        << "Failed: the phone refused it (+CMS ERROR 500)";
    QTest::newRow("refused with +CME ERROR 10") << State::Failed << Reason::CmeError << std::optional<int>(10)
                                                << "Failed: the phone refused it (+CME ERROR 10)";
    QTest::newRow("refused with a bare ERROR")
        << State::Failed << Reason::Error << none << "Failed: the phone refused it (ERROR)";
    QTest::newRow("no prompt") << State::Failed << Reason::NoPrompt << none
                               << "Failed: the phone gave no prompt for the PDU";
    QTest::newRow("no phone") << State::Failed << Reason::NotConnected << none
                              << "Failed: no phone was connected";
    QTest::newRow("written, never answered") << State::Uncertain << Reason::NoAnswer << none
                                             << "Uncertain: the phone took the PDU but never answered";
    QTest::newRow("stopped while sending") << State::Uncertain << Reason::Stopped << none
                                           << "Uncertain: the program stopped while it was being sent";
    QTest::newRow("received") << State::Received << Reason::None << none << "Received";
    QTest::newRow("queued") << State::Queued << Reason::None << none << "Queued";
    QTest::newRow("sending") << State::Sending << Reason::None << none << "Sending";
}

void MessagesWindowTest::statesAreSaidInWords() {
    QFETCH(msg::State, state);
    QFETCH(msg::Reason, reason);
    QFETCH(std::optional<int>, code);
    QFETCH(QString, said);
    QCOMPARE(StateWords(state, reason, code), said);
}

void MessagesWindowTest::conversationTimesAreShort_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("said");
    QTest::newRow("today: the time") << QDateTime(QDate(2026, 12, 8), QTime(0, 5)).toUTC() << "00:05";
    QTest::newRow("yesterday: the day") << QDateTime(QDate(2026, 12, 7), QTime(23, 59)).toUTC() << "7 Dec";
    QTest::newRow("another year: the date")
        << QDateTime(QDate(2025, 12, 8), QTime(21, 0)).toUTC() << "2025-12-08";
    QTest::newRow("no time") << QDateTime() << "";
}

void MessagesWindowTest::conversationTimesAreShort() {
    QFETCH(QDateTime, when);
    QFETCH(QString, said);
    QCOMPARE(ShortTime(when, QDateTime(QDate(2026, 12, 8), QTime(21, 0))), said);
}

void MessagesWindowTest::conversationsAreNewestFirstWithTheirNames() {
    QVERIFY(m_store->SavePhonebook({{"Budi", "+628569999999"}, {"Sari", "08561234567"}}));
    QVERIFY(AddSent(*m_store, Text("08561234567", u"to Sari"), msg::State::Sent, {}, {}, kStart));
    QVERIFY(AddSent(*m_store, Text("628123000000", u"to a stranger"), msg::State::Sent, {}, {},
                    kStart.addSecs(60)));
    QVERIFY(AddReceived(*m_store, Text("628569999999", u"from Budi"), kStart.addSecs(120)));
    HistoryReader reader(m_store->path());
    ConversationModel model(reader);
    model.setSearch({});
    QTRY_VERIFY(model.hasAnswered());
    QCOMPARE(model.rowCount(), ConversationModel::FixedRows + 3);
    const QStringList want = {"All messages", "Sent", "Budi", "628123000000", "Sari"};
    for (int row = 0; row < want.size(); ++row)
        QCOMPARE(Cell(&model, row, ConversationModel::Name), want[row]);
    QVERIFY2(model.title(2).startsWith("Budi (") && model.title(2).contains("8569999999"),
             qPrintable(model.title(2)));
    // A conversation lists by its key, whatever form its number was written in.
    QCOMPARE(model.queryOf(4).number, ConversationKey("08561234567"));
    QCOMPARE(model.queryOf(ConversationModel::SentRow).direction, std::optional(msg::Direction::Out));
    QVERIFY(model.queryOf(ConversationModel::AllRow).number.isEmpty());
}

void MessagesWindowTest::conversationsAreShownAPageAtATime() {
    QVERIFY(ImportTexts(*m_store, m_dir->filePath("Received.Txt"), 450, 450));
    HistoryReader reader(m_store->path());
    ConversationModel model(reader);
    model.setSearch({});
    QTRY_VERIFY(model.hasAnswered());
    QCOMPARE(model.found(), 450);
    const int fixed = ConversationModel::FixedRows;
    QCOMPARE(model.rowCount(), fixed + 200);
    QVERIFY(model.canFetchMore({}));
    model.fetchMore({});
    QCOMPARE(model.rowCount(), fixed + 400);
    model.fetchMore({});
    QCOMPARE(model.rowCount(), fixed + 450);
    QVERIFY(!model.canFetchMore({}));
    // Newest first: the last one imported heads the list.
    QCOMPARE(model.keyOf(fixed), ConversationKey("62811" + QString::number(1000449)));
    // A key past what is shown is found by revealing rows down to it.
    ConversationModel again(reader);
    again.setSearch({});
    QTRY_VERIFY(again.hasAnswered());
    const QString oldest = ConversationKey("62811" + QString::number(1000000));
    QCOMPARE(again.rowOf(oldest), fixed + 449);
    QCOMPARE(again.rowCount(), fixed + 450);
}

void MessagesWindowTest::messagesAreOldestAtTheTopAndReadByPage() {
    QVERIFY(ImportTexts(*m_store, m_dir->filePath("Received.Txt"), 450, 1));
    HistoryReader reader(m_store->path());
    MessageListModel model(reader);
    model.setQuery({});
    QTRY_VERIFY(model.isCounted());
    QCOMPARE(model.rowCount(), 450);
    // Only the newest rows are read at first: the bottom of the list.
    QVERIFY(model.record(449));
    QCOMPARE(model.record(449)->text, QString("message 449"));
    QVERIFY(!model.record(0));
    QCOMPARE(Cell(&model, 0, MessageListModel::Text), QString()); // asks for its page
    QTRY_VERIFY(model.record(0));
    QCOMPARE(model.record(0)->text, QString("message 0"));
    QCOMPARE(model.record(199)->text, QString("message 199"));
    QCOMPARE(Cell(&model, 0, MessageListModel::State), QString("Received"));
    QCOMPARE(Cell(&model, 0, MessageListModel::Kind), QString("Text"));
    QVERIFY(Cell(&model, 0, MessageListModel::With).startsWith("From "));
    QCOMPARE(model.rowOf(model.record(0)->id), 0);
}

void MessagesWindowTest::theSearchFiltersBothLists_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("conversations");
    QTest::addColumn<QStringList>("texts");
    const QStringList all{"lunch at noon?", "Lunch is fine", "the invoice", "weather"};
    QTest::newRow("a word of a text, any case")
        << "LUNCH" << 1 << QStringList{"lunch at noon?", "Lunch is fine"};
    QTest::newRow("words of two conversations") << "THE" << 2 << QStringList{"the invoice", "weather"};
    QTest::newRow("a name") << "budi" << 1 << QStringList{"lunch at noon?", "Lunch is fine"};
    QTest::newRow("a number's digits") << "1234567" << 1 << QStringList{"the invoice"};
    QTest::newRow("nothing matches") << "zebra" << 0 << QStringList{};
    QTest::newRow("two characters: not yet a search") << "lu" << 3 << all;
}

void MessagesWindowTest::theSearchFiltersBothLists() {
    QFETCH(QString, typed);
    QFETCH(int, conversations);
    QFETCH(QStringList, texts);
    QVERIFY(m_store->SavePhonebook({{"Budi", "+628569999999"}}));
    QVERIFY(
        AddSent(*m_store, Text("628569999999", u"lunch at noon?"), msg::State::Delivered, {}, {}, kStart));
    QVERIFY(AddReceived(*m_store, Text("628569999999", u"Lunch is fine"), kStart.addSecs(60)));
    QVERIFY(AddSent(*m_store, Text("628561234567", u"the invoice"), msg::State::Sent, {}, {},
                    kStart.addSecs(120)));
    QVERIFY(AddReceived(*m_store, Text("628777000000", u"weather"), kStart.addSecs(180)));
    MessagesWindow w(m_store.get(), m_prompter);
    w.showAll();
    QTRY_VERIFY(Settled(w));
    QCOMPARE(w.messages()->rowCount(), 4);
    auto* search = w.findChild<QLineEdit*>("txtSearch");
    QTest::keyClicks(search, typed);
    const bool searched = typed.size() >= 3;
    // Debounced: nothing is asked while the user types.
    QCOMPARE(w.statusText(), QString("4 messages"));
    if (searched) {
        QTRY_COMPARE(w.conversations()->search(), typed);
    } else {
        QTRY_COMPARE(w.statusText(), QString("Type 3 characters or more to search."));
        QCOMPARE(w.conversations()->search(), QString());
    }
    QTRY_VERIFY(Settled(w));
    QCOMPARE(w.conversations()->found(), conversations);
    QStringList shown;
    for (int row = 0; row < w.messages()->rowCount(); ++row)
        shown << w.messages()->record(row)->text;
    QCOMPARE(shown, texts);
    QCOMPARE(w.chosenConversation(), ConversationModel::kAllKey);
    if (texts.isEmpty())
        QCOMPARE(w.statusText(), QString("No message matches \"%1\".").arg(typed));
    // Cleared, everything is back.
    search->clear();
    QTRY_COMPARE(w.statusText(), QString("4 messages"));
    QCOMPARE(w.conversations()->search(), QString());
    QTRY_VERIFY(Settled(w));
    QCOMPARE(w.conversations()->found(), 3);
}

// Typed as a user types, one search after another: a search whose only
// conversation heads the list cleared must not leave the others out.
void MessagesWindowTest::aClearedSearchListsEveryConversationAgain() {
    QVERIFY(AddSent(*m_store, Text("628561111111", u"a tulip for you"), msg::State::Sent, {}, {}, kStart));
    QVERIFY(AddSent(*m_store, Text("628562222222", u"an orchid for you"), msg::State::Sent, {}, {},
                    kStart.addSecs(60)));
    MessagesWindow w(m_store.get(), m_prompter);
    w.showAll();
    QTRY_VERIFY(Settled(w));
    auto* search = w.findChild<QLineEdit*>("txtSearch");
    auto* list = w.findChild<QTreeView*>("lvConversations");
    const int fixed = ConversationModel::FixedRows;
    const struct {
        QString typed;
        QStringList numbers;
    } steps[] = {
        {"tulip", {"628561111111"}},
        {"orchid", {"628562222222"}},
        {"", {"628562222222", "628561111111"}},
        {"tulip", {"628561111111"}},
        {"", {"628562222222", "628561111111"}},
    };
    for (const auto& step : steps) {
        search->clear();
        QTest::keyClicks(search, step.typed);
        QTRY_COMPARE(w.conversations()->search(), step.typed);
        QTRY_VERIFY(Settled(w));
        QStringList shown;
        for (int row = fixed; row < list->model()->rowCount(); ++row)
            shown << Cell(list->model(), row, ConversationModel::Name);
        QCOMPARE(shown, step.numbers);
    }
}

void MessagesWindowTest::theWindowListsEveryStateAndKind() {
    using msg::Reason;
    using msg::State;
    struct Row {
        qint64 id;
        QString kind, state;
    };
    std::vector<Row> rows;
    int minute = 0;
    const auto sent = [&](const char16_t* text, State state, Reason reason, std::optional<int> code,
                          const QString& said) {
        const qint64 id =
            AddSent(*m_store, Text("628569999999", text), state, reason, code, kStart.addSecs(60 * minute++));
        rows.push_back({id, "Text", said});
    };
    sent(u"a", State::Sent, Reason::None, {}, "Sent");
    sent(u"b", State::Delivered, Reason::None, {}, "Delivered");
    sent(u"c", State::NotDelivered, Reason::ReportFailed, 69, "Not delivered (TP-ST 69)");
    sent(u"d", State::Failed, Reason::CmsError, 500, "Failed: the phone refused it (+CMS ERROR 500)");
    sent(u"e", State::Uncertain, Reason::NoAnswer, {},
         "Uncertain: the phone took the PDU but never answered");
    sent(u"f", State::Queued, Reason::None, {}, "Queued");
    sent(u"g", State::Sending, Reason::None, {}, "Sending");
    rows.push_back({AddReceived(*m_store, Text("628569999999", u"h"), kStart.addSecs(60 * minute++)), "Text",
                    "Received"});
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.destination = "628569999999";
    logo.content = std::string(126, 'F') + std::string(126, '0');
    logo.mcc = "510";
    logo.nc = "10";
    rows.push_back(
        {AddReceived(*m_store, logo, kStart.addSecs(60 * minute++), 5), "Operator logo", "Received"});
    MessagesWindow w(m_store.get(), m_prompter);
    w.showAll();
    QTRY_VERIFY(Settled(w));
    QCOMPARE(w.messages()->rowCount(), static_cast<int>(rows.size()));
    for (const Row& r : rows) {
        QVERIFY(r.id > 0);
        const int row = w.messages()->rowOf(r.id);
        QVERIFY2(row >= 0, qPrintable(r.state));
        QCOMPARE(Cell(w.messages(), row, MessageListModel::State), r.state);
        QCOMPARE(Cell(w.messages(), row, MessageListModel::Kind), r.kind);
        // The list shows one column: a screen reader hears the row whole.
        const QString heard = w.messages()->index(row, 0).data(Qt::AccessibleTextRole).toString();
        QVERIFY2(heard.contains(", " + r.kind + ", " + r.state + ", "), qPrintable(heard));
    }
    // Scrolled to the newest; Enter on the conversation goes to its
    // messages, the newest chosen.
    auto* list = w.findChild<QTableView*>("lvMessages");
    QCOMPARE(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
    QVERIFY(!w.chosenMessage());
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* conversations = w.findChild<QTreeView*>("lvConversations");
    conversations->setFocus();
    QTest::keyClick(conversations, Qt::Key_Return);
    QVERIFY(list->hasFocus());
    QVERIFY(w.chosenMessage());
    QCOMPARE(w.chosenMessage()->id, rows.back().id);
}

void MessagesWindowTest::deleteAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes: gone from the store and the list") << true;
    QTest::newRow("no: kept") << false;
}

void MessagesWindowTest::deleteAsksFirst() {
    QFETCH(bool, yes);
    QVERIFY(m_store->SavePhonebook({{"Budi", "+628569999999"}}));
    const qint64 first = AddSent(*m_store, Text("628569999999", u"one"), msg::State::Sent, {}, {}, kStart);
    const qint64 second =
        AddSent(*m_store, Text("628569999999", u"two"), msg::State::Sent, {}, {}, kStart.addSecs(60));
    MessagesWindow w(m_store.get(), m_prompter);
    w.showAll();
    QTRY_VERIFY(Settled(w));
    w.chooseMessage(w.messages()->rowOf(first));
    m_prompter.answerYes = yes;
    auto* list = w.findChild<QTableView*>("lvMessages");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(m_prompter.questions,
             QStringList{"Delete this message to Budi (628569999999) from the history?"});
    QCOMPARE(m_store->Message(first).has_value(), !yes);
    QTRY_COMPARE(w.messages()->rowCount(), yes ? 1 : 2);
    QTRY_VERIFY(Settled(w));
    QVERIFY(w.messages()->rowOf(second) >= 0);
    // The button asks the same.
    w.chooseMessage(w.messages()->rowOf(second));
    w.findChild<QPushButton*>("bitDelete")->click();
    QCOMPARE(m_prompter.questions.size(), 2);
}

void MessagesWindowTest::resendAsksAndAsksTheService_data() {
    QTest::addColumn<msg::State>("state");
    QTest::addColumn<msg::Reason>("reason");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<bool>("asked");
    QTest::newRow("failed, yes") << msg::State::Failed << msg::Reason::CmsError << true << true << true;
    QTest::newRow("failed, no") << msg::State::Failed << msg::Reason::CmsError << false << true << false;
    QTest::newRow("uncertain, yes") << msg::State::Uncertain << msg::Reason::NoAnswer << true << true << true;
    QTest::newRow("cancelled, yes") << msg::State::Cancelled << msg::Reason::Cancelled << true << true
                                    << true;
    QTest::newRow("delivered: not offered")
        << msg::State::Delivered << msg::Reason::None << true << false << false;
    QTest::newRow("sending: not offered")
        << msg::State::Sending << msg::Reason::None << true << false << false;
}

void MessagesWindowTest::resendAsksAndAsksTheService() {
    QFETCH(msg::State, state);
    QFETCH(msg::Reason, reason);
    QFETCH(bool, yes);
    QFETCH(bool, offered);
    QFETCH(bool, asked);
    const qint64 id = AddSent(*m_store, Text("628569999999", u"again?"), state, reason, 500, kStart);
    MessagesWindow w(m_store.get(), m_prompter);
    QSignalSpy resend(&w, &MessagesWindow::resendRequested);
    w.showAll();
    QTRY_VERIFY(Settled(w));
    w.chooseMessage(0);
    auto* button = w.findChild<QPushButton*>("bitResend");
    QCOMPARE(button->isEnabled(), offered);
    m_prompter.answerYes = yes;
    button->click();
    QCOMPARE(m_prompter.questions,
             offered ? QStringList{"Send this message to 628569999999 again?"} : QStringList{});
    QCOMPARE(resend.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(resend.at(0).at(0).toLongLong(), id);
}

void MessagesWindowTest::aResentMessageNamesTheOneItReplaced() {
    const qint64 old = AddSent(*m_store, Text("628569999999", u"again?"), msg::State::Failed,
                               msg::Reason::CmsError, 500, kStart);
    MessageRecord again = *m_store->Message(old);
    again.replaces = old;
    again.state = msg::State::Sent;
    again.created = kStart.addSecs(60);
    const auto added = m_store->AddOutgoing(again);
    QVERIFY(added);
    MessagesWindow w(m_store.get(), m_prompter);
    w.showAll();
    QTRY_VERIFY(Settled(w));
    auto* resend = w.findChild<QPushButton*>("bitResend");
    const QString oldTime = ShownTime(kStart), newTime = ShownTime(kStart.addSecs(60));
    w.chooseMessage(w.messages()->rowOf(old));
    QVERIFY(!resend->isEnabled());
    QCOMPARE(Cell(w.messages(), w.messages()->rowOf(old), MessageListModel::State),
             QString("Failed: the phone refused it (+CMS ERROR 500); sent again"));
    QCOMPARE(Cell(w.messages(), w.messages()->rowOf(added.value()), MessageListModel::State),
             QString("Sent; sent again in place of an earlier one"));
    QVERIFY2(w.detailText().contains(QString("Sent again as the message of %1 (Sent)").arg(newTime)),
             qPrintable(w.detailText()));
    w.chooseMessage(w.messages()->rowOf(added.value()));
    QVERIFY2(
        w.detailText().contains(
            QString(
                "Sent again in place of the message of %1 (Failed: the phone refused it (+CMS ERROR 500))")
                .arg(oldTime)),
        qPrintable(w.detailText()));
}

// The window says a message's kind in its own catalog's words: in English
// the very words the link's InboxKind gives, for every kind.
void MessagesWindowTest::theKindIsSaidAsTheInboxSaysIt() {
    std::vector<ReadMessage> all;
    const auto add = [&](ContentKind kind, const std::function<void(ReadMessage&)>& more = {}) {
        ReadMessage m;
        m.kind = kind;
        if (more)
            more(m);
        all.push_back(m);
    };
    add(ContentKind::Text);
    add(ContentKind::Text, [](ReadMessage& m) { m.parts = PartInfo{7, 3, 1}; });
    add(ContentKind::Flash);
    add(ContentKind::Flash, [](ReadMessage& m) { m.blink = true; });
    add(ContentKind::Ems);
    add(ContentKind::Picture);
    add(ContentKind::Logo, [](ReadMessage& m) { m.mcc = "510", m.nc = "10"; });
    add(ContentKind::Group);
    add(ContentKind::Ringtone);
    add(ContentKind::Ringtone, [](ReadMessage& m) { m.title = "Tada"; });
    add(ContentKind::Void);
    for (int kind = 1; kind <= 4; ++kind) {
        add(ContentKind::Indicator, [kind](ReadMessage& m) { m.indicatorKind = kind, m.waiting = 3; });
        add(ContentKind::Indicator, [kind](ReadMessage& m) { m.indicatorKind = kind, m.active = true; });
        add(ContentKind::Indicator, [kind](ReadMessage& m) { m.indicatorKind = kind; });
    }
    add(ContentKind::Data);
    add(ContentKind::Data, [](ReadMessage& m) { m.port = 5506; });
    add(ContentKind::Report, [](ReadMessage& m) { m.pdu.status = 0; });
    for (const ReadMessage& m : all)
        QCOMPARE(ContentLines(m).first(), "Kind: " + QString::fromStdU16String(InboxKind(m)));
}

void MessagesWindowTest::sentListsWhatWentToEveryNumber() {
    AddSent(*m_store, Text("628569999999", u"out one"), msg::State::Sent, {}, {}, kStart);
    AddReceived(*m_store, Text("628569999999", u"in"), kStart.addSecs(60));
    AddSent(*m_store, Text("628777000000", u"out two"), msg::State::Failed, msg::Reason::Error, {},
            kStart.addSecs(120));
    MessagesWindow w(m_store.get(), m_prompter);
    QSignalSpy forward(&w, &MessagesWindow::forwardRequested);
    w.showSent();
    QTRY_VERIFY(Settled(w));
    QCOMPARE(w.chosenConversation(), ConversationModel::kSentKey);
    QCOMPARE(w.messages()->rowCount(), 2);
    QCOMPARE(w.messages()->record(0)->text, QString("out one"));
    QCOMPARE(w.messages()->record(1)->text, QString("out two"));
    QCOMPARE(w.findChild<QLabel*>("lblConversation")->text(), QString("Sent"));
    w.chooseMessage(1);
    QVERIFY(w.detailText().contains("State: Failed: the phone refused it (ERROR)"));
    w.findChild<QPushButton*>("bitForward")->click();
    QCOMPARE(forward.size(), 1);
    QCOMPARE(forward.at(0).at(0).value<MessageRecord>().text, QString("out two"));
}

void MessagesWindowTest::aChangedMessageKeepsTheChoiceAndTheScroll() {
    QVERIFY(ImportTexts(*m_store, m_dir->filePath("Received.Txt"), 300, 1));
    const qint64 id = AddSent(*m_store, Text("628111000000", u"watched"), msg::State::Sending, {}, {},
                              kStart.addSecs(60 * 150 + 30));
    MessagesWindow w(m_store.get(), m_prompter);
    w.resize(800, 500);
    w.showAll();
    QTRY_VERIFY(Settled(w));
    auto* list = w.findChild<QTableView*>("lvMessages");
    // Half way up, the sent message in the middle chosen.
    list->scrollTo(w.messages()->index(140, 0), QAbstractItemView::PositionAtTop);
    // Its page is read once the view shows its rows.
    QTRY_VERIFY(w.messages()->rowOf(id) >= 0);
    const int row = w.messages()->rowOf(id);
    QCOMPARE(row, 151);
    w.chooseMessage(row);
    const int scrolled = list->verticalScrollBar()->value();
    QVERIFY(scrolled < list->verticalScrollBar()->maximum());
    QVERIFY(m_store->SetState(id, msg::State::Failed, msg::Reason::CmsError, 500));
    w.messageChanged(id);
    QTRY_COMPARE(Cell(w.messages(), row, MessageListModel::State),
                 QString("Failed: the phone refused it (+CMS ERROR 500)"));
    QCOMPARE(w.chosenMessage() ? w.chosenMessage()->id : 0, id);
    QCOMPARE(list->verticalScrollBar()->value(), scrolled);
    QVERIFY(w.findChild<QPushButton*>("bitResend")->isEnabled());
    QVERIFY(w.detailText().contains("+CMS ERROR 500"));
}

void MessagesWindowTest::aNewMessageJoinsTheEndInSight() {
    AddSent(*m_store, Text("628569999999", u"first"), msg::State::Sent, {}, {}, kStart);
    MessagesWindow w(m_store.get(), m_prompter);
    w.showAll();
    QTRY_VERIFY(Settled(w));
    w.chooseMessage(0);
    const qint64 id = AddSent(*m_store, Text("628569999999", u"second"), msg::State::Queued);
    w.messageChanged(id);
    QTRY_COMPARE(w.messages()->rowCount(), 2);
    QTRY_VERIFY(Settled(w));
    QCOMPARE(w.messages()->record(1)->id, id);
    QCOMPARE(w.chosenMessage()->text, QString("first"));
    // The conversation's figures follow a moment later.
    QTRY_COMPARE(Cell(w.conversations(), ConversationModel::FixedRows, ConversationModel::Count),
                 QString("2"));
}

void MessagesWindowTest::aReceivedLogoIsDrawnAndCopyTakesTheText() {
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.destination = "628569999999";
    logo.content = std::string(126, 'F') + std::string(126, '0');
    logo.mcc = "510";
    logo.nc = "10";
    AddReceived(*m_store, logo, kStart);
    AddReceived(*m_store, Text("628569999999", u"plain words"), kStart.addSecs(60));
    MessagesWindow w(m_store.get(), m_prompter);
    w.showAll();
    QTRY_VERIFY(Settled(w));
    w.chooseMessage(0);
    QVERIFY(w.showsPicture());
    QVERIFY2(w.detailText().contains("Operator logo"), qPrintable(w.detailText()));
    QVERIFY(!w.findChild<QPushButton*>("bitResend")->isEnabled());
    w.chooseMessage(1);
    QVERIFY(!w.showsPicture());
    w.findChild<QPushButton*>("bitCopy")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("plain words"));
}

void MessagesWindowTest::theMenuOpensTheWindowOnTheFormsStore() {
    Window window("/nonexistent/velmora-test-device");
    MessageStore* store = window.form().messageStore();
    QVERIFY(store);
    AddSent(*store, Text("628569999999", u"out"), msg::State::Sent, {}, {}, kStart);
    AddReceived(*store, Text("628569999999", u"in"), kStart.addSecs(60));
    QVERIFY(!window.form().findChild<MessagesWindow*>("MessagesWindow"));
    window.find<QAction>("mnuSentMessages")->trigger();
    auto* w = window.form().findChild<MessagesWindow*>("MessagesWindow");
    QVERIFY(w && w->isVisible());
    QTRY_VERIFY(Settled(*w));
    QCOMPARE(w->messages()->rowCount(), 1);
    window.find<QAction>("mnuMessages")->trigger();
    QTRY_VERIFY(Settled(*w));
    QCOMPARE(w->chosenConversation(), ConversationModel::kAllKey);
    QCOMPARE(w->messages()->rowCount(), 2);
}

QTEST_MAIN(MessagesWindowTest)
#include "MessagesWindowTest.moc"
