// The window's inbox against the simulated phone's store.

#include "InboxDialog.h"
#include "MessageRequest.h"
#include "MessageStore.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace velmora;
using namespace velmora::testing;

namespace {

std::vector<std::string> Pdus(MessageRequest r) {
    r.destination = "628569999999";
    return BuildMessage(r)->pdus;
}

MessageRequest Logo() {
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.content = std::string(126, 'F') + std::string(126, '0');
    logo.mcc = "510";
    logo.nc = "10";
    return logo;
}

// The "hellohello" of PDU mode's examples, 2.5 s after connecting.
const QString kArriving = "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37";

QString WriteStore(const QTemporaryDir& dir, const std::vector<std::string>& stored) {
    QFile store(dir.filePath("inbox.txt"));
    if (store.open(QIODevice::WriteOnly))
        for (const auto& pdu : stored)
            store.write(QByteArray::fromStdString(pdu + "\n"));
    return dir.filePath("record.txt");
}

// A phone holding `stored` and announcing kArriving, a window on it in the
// fast dialogue, and its inbox opened.
struct OpenInbox {
    OpenInbox(const QTemporaryDir& dir, const std::vector<std::string>& stored)
        : phone(WriteStore(dir, stored), {"--inbox", dir.filePath("inbox.txt"), "--phonebook", PHONEBOOK,
                                          "--deliver-after", "2500", kArriving}),
          window(phone.device(), "[Communication Port]\nDialogue=fast\n", 1.0) {
        window.show();
        if (window.waitConnected())
            window.find<QAction>("mnuInbox")->trigger();
        inbox = window.form().findChild<InboxDialog*>("InboxDialog");
    }
    Phone phone;
    Window window;
    InboxDialog* inbox = nullptr;
};

// Where each part of a message is kept: store and index.
using Places = QList<QPair<QString, int>>;

} // namespace

class InboxTest : public QObject {
    Q_OBJECT
private slots:
    void listsJoinsShowsDeletesAndHearsOfNewMessages();
    void deletesTheMessageAskedAboutWhenOneArrivesDuringTheQuestion();
    void saysInWordsWhereAMessageIsKept_data();
    void saysInWordsWhereAMessageIsKept();
    void aRowChosenThroughTheAccessibilityInterfaceShowsItsMessage();
    void showsAServiceNumberAndAMessageCutShort();
    void namesTheStoreThePhoneWouldNotOpen();
    void showsACompressedTextAsItsOctets();
    void keepsOnThePhoneWhatTheStoreDoesNotHold_data();
    void keepsOnThePhoneWhatTheStoreDoesNotHold();
};

void InboxTest::listsJoinsShowsDeletesAndHearsOfNewMessages() {
    MessageRequest text;
    text.text = QString(200, 'x').toStdU16String();
    text.longText = true;
    text.concatReference = 7;
    const MessageRequest logo = Logo();
    const auto parts = Pdus(text);
    QTemporaryDir dir;
    // The parts of the long text stored the wrong way round.
    OpenInbox o(dir, {parts[1], Pdus(logo)[0], parts[0]});
    Window& w = o.window;
    InboxDialog* inbox = o.inbox;
    QVERIFY(inbox);
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 2, 5000);
    // Three PDUs, two messages: the window's status bar counts as the list does.
    QCOMPARE(inbox->statusText(), QString("2 messages on the phone."));
    QCOMPARE(w.form().statusText(), QString("Found (2) Messages"));
    QCOMPARE(inbox->rowText(0, 2), QString(39, 'x') + QString::fromUtf8("…"));
    QCOMPARE(inbox->rowText(1, 2), QString("Operator logo for 510 10"));

    // A received logo goes to its tab, ready to be sent on or saved.
    inbox->choose(1);
    QCOMPARE(w.find<QTabWidget>("PageControl1")->currentWidget()->objectName(), QString("tabLogo"));
    QCOMPARE(w.find<QPlainTextEdit>("memHexLogo")->toPlainText().toStdString(), logo.content);
    QVERIFY(inbox->detailText().contains("Operator Logo tab"));
    // No file came with it: Save As writes the tab's own file.
    w.prompter.files << Prompter::FileChoice{dir.filePath("received"), 1};
    w.find<QAction>("mnuFSaveAs")->trigger();
    QFile saved(dir.filePath("received.VOL"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains(QByteArray::fromStdString(logo.content)));

    // A new message is told of as it comes.
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 3, 10000);
    QCOMPARE(w.form().statusText(), QString("New message from 27838890001"));

    QCOMPARE(inbox->rowText(0, 2), QString("hellohello"));
    // A phone book read later names the senders it knows.
    w.find<QPushButton>("bitPhonebook")->click();
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rowText(1, 1), QString("To Budi"), 10000);

    // Delete asks first and removes every part of the long text.
    inbox->choose(1);
    inbox->findChild<QPushButton*>("btnInboxDelete")->click();
    QCOMPARE(w.prompter.questions, QStringList{"Delete the message to Budi (+628569999999) from the phone?"});
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 2, 5000);
    QCOMPARE(inbox->rowText(1, 2), QString("Operator logo for 510 10"));
    w.find<QAction>("mnuInbox")->trigger(); // shown again, nothing read twice
    QCOMPARE(inbox->rows(), 2);
}

void InboxTest::deletesTheMessageAskedAboutWhenOneArrivesDuringTheQuestion() {
    QTemporaryDir dir;
    OpenInbox o(dir, {Pdus(Logo())[0]});
    Window& w = o.window;
    InboxDialog* inbox = o.inbox;
    QVERIFY(inbox);
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 1, 5000);
    inbox->choose(0);
    w.prompter.whileAsking = [inbox] { QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 2, 10000); };
    inbox->findChild<QPushButton*>("btnInboxDelete")->click();
    QCOMPARE(w.prompter.questions.at(0), QString("Delete the message to +628569999999 from the phone?"));
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 1, 5000);
    QCOMPARE(inbox->rowText(0, 2), QString("hellohello"));
}

// Parts of a long text the phone keeps in the places given, part 1 first.
void InboxTest::saysInWordsWhereAMessageIsKept_data() {
    QTest::addColumn<Places>("places");
    QTest::addColumn<QString>("said");
    QTest::newRow("one part on the phone") << Places{{"ME", 5}} << "phone, place 5";
    QTest::newRow("two on the SIM, stored the wrong way round")
        << Places{{"SM", 3}, {"SM", 2}} << "SIM, places 2 and 3";
    QTest::newRow("three on the SIM") << Places{{"SM", 4}, {"SM", 1}, {"SM", 2}} << "SIM, places 1, 2 and 4";
    QTest::newRow("a modem counting from 0") << Places{{"SM", 1}, {"SM", 0}} << "SIM, places 0 and 1";
    QTest::newRow("on the phone and on the SIM")
        << Places{{"ME", 5}, {"SM", 1}, {"ME", 2}} << "phone, places 2 and 5; SIM, place 1";
    QTest::newRow("a store of another name") << Places{{"MT", 7}} << "store MT, place 7";
}

void InboxTest::saysInWordsWhereAMessageIsKept() {
    QFETCH(Places, places);
    QFETCH(QString, said);
    MessageRequest text;
    text.text = QString(places.size() == 1 ? 20 : 153 * places.size(), 'x').toStdU16String();
    text.longText = places.size() > 1;
    text.concatReference = 9;
    const auto parts = Pdus(text);
    QCOMPARE(static_cast<int>(parts.size()), places.size());
    std::vector<StoredMessage> stored;
    for (int i = 0; i < places.size(); ++i)
        stored.push_back(
            {places[i].first.toStdString(), places[i].second, 1, parts[static_cast<std::size_t>(i)]});
    InboxDialog inbox;
    inbox.setEntries(JoinInbox(stored), nullptr);
    QCOMPARE(inbox.rows(), 1);
    inbox.choose(0);
    QCOMPARE(inbox.detailText().section('\n', 0, 0), "Stored at: " + said);
}

// A screen reader chooses a row by selecting it; the message shows as it
// does for a click or an arrow key, and goes to its tab.
void InboxTest::aRowChosenThroughTheAccessibilityInterfaceShowsItsMessage() {
    MessageRequest hello;
    hello.text = u"Hello from the list";
    std::vector<StoredMessage> stored{{"SM", 1, 1, Pdus(hello)[0]}, {"SM", 2, 1, Pdus(Logo())[0]}};
    InboxDialog inbox;
    inbox.setEntries(JoinInbox(stored), nullptr);
    inbox.show();
    QVERIFY(QTest::qWaitForWindowExposed(&inbox));
    QSignalSpy chosen(&inbox, &InboxDialog::messageChosen);
    auto* list = inbox.findChild<QTreeWidget*>("lvInbox");
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list);
    QVERIFY(table && table->tableInterface());
    for (const int row : {1, 0}) {
        QVERIFY(table->tableInterface()->selectRow(row));
        QCOMPARE(inbox.chosenRow(), row);
        QCOMPARE(chosen.takeLast(), QVariantList{row});
    }
    QVERIFY2(inbox.detailText().endsWith("Hello from the list"), qPrintable(inbox.detailText()));
    QVERIFY(table->tableInterface()->selectRow(1));
    QVERIFY2(inbox.detailText().contains("Operator logo for 510 10"), qPrintable(inbox.detailText()));
}

// A sender written with "*" and "#" (an operator's service number) shows
// so; a message whose user data ends before its stated length is listed
// with what came, and says so.
void InboxTest::showsAServiceNumberAndAMessageCutShort() {
    const std::string service = "0004"
                                "05811A00FB" // "*100#"
                                "0000"
                                "62218012000082"
                                "05C8329BFD06";
    const std::string cut = kArriving.left(kArriving.size() - 10).toStdString();
    QTemporaryDir dir;
    OpenInbox o(dir, {service, cut});
    InboxDialog* inbox = o.inbox;
    QVERIFY(inbox);
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 2, 5000);
    // Oldest first: the cut message came in 1999.
    QCOMPARE(inbox->rowText(0, 2), QString("hell"));
    QCOMPARE(inbox->rowText(1, 1), QString("*100#"));
    QCOMPARE(inbox->rowText(1, 2), QString("Hello"));
    inbox->choose(0);
    QVERIFY2(inbox->detailText().contains("\nCut short: the user data ends before its stated length\n"),
             qPrintable(inbox->detailText()));
    inbox->choose(1);
    QVERIFY2(inbox->detailText().contains("From: *100#\n"), qPrintable(inbox->detailText()));
    QVERIFY(!inbox->detailText().contains("Cut short"));
}

// A Nokia that answers ERROR to its phone store: what was read is listed,
// and the inbox and the status bar say which store was not.
void InboxTest::namesTheStoreThePhoneWouldNotOpen() {
    QTemporaryDir dir;
    Phone phone(WriteStore(dir, {Pdus(Logo())[0]}),
                {"--inbox", dir.filePath("inbox.txt"), "--refuse-store", "ME"});
    Window window(phone.device(), "[Communication Port]\nDialogue=fast\n", 1.0);
    window.show();
    QVERIFY(window.waitConnected());
    window.find<QAction>("mnuInbox")->trigger();
    auto* inbox = window.form().findChild<InboxDialog*>("InboxDialog");
    QVERIFY(inbox);
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 1, 5000);
    const QString unread = "The phone store (ME) could not be read: ERROR.";
    QTRY_COMPARE_WITH_TIMEOUT(inbox->statusText(), "1 message on the phone. " + unread, 5000);
    QCOMPARE(window.form().statusText(), unread);
    // A delete does not make the store that was not read a read one.
    inbox->choose(0);
    inbox->findChild<QPushButton*>("btnInboxDelete")->click();
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 0, 5000);
    QCOMPARE(inbox->statusText(),
             "The message was deleted from the phone. 0 messages on the phone. " + unread);
}

// Read as the UCS2 its coding scheme also names, it was garbage.
void InboxTest::showsACompressedTextAsItsOctets() {
    QTemporaryDir dir;
    OpenInbox o(dir, {"07912618485400F9040C9126589699999900286221801290000006"
                      "0A1B2C3D4E5F"});
    QVERIFY(o.inbox);
    QTRY_COMPARE_WITH_TIMEOUT(o.inbox->rows(), 1, 5000);
    QCOMPARE(o.inbox->rowText(0, 2), QString("Compressed text: 0A1B2C3D4E5F"));
    o.inbox->choose(0);
    QVERIFY2(o.inbox->detailText().contains("Compressed: Velmora does not read the text; its octets: "
                                            "0A1B2C3D4E5F"),
             qPrintable(o.inbox->detailText()));
}

// The stores a delete meets: none, a damaged one, one whose writes fail.
enum class StoreFound { None, Damaged, Refusing };
Q_DECLARE_METATYPE(StoreFound)

// The store's file, made as `found` says; its path.
static QString MakeStore(const QTemporaryDir& dir, StoreFound found) {
    if (found == StoreFound::None)
        return "/dev/null/none/messages.sqlite";
    const QString path = dir.filePath("messages.sqlite");
    MessageStore::Open(path).value().reset();
    if (found == StoreFound::Damaged) {
        // Every page but the first (the schema) overwritten.
        QFile file(path);
        if (file.open(QIODevice::ReadWrite)) {
            const qint64 size = file.size();
            file.seek(4096);
            file.write(QByteArray(static_cast<int>(size - 4096), 'Z'));
        }
        return path;
    }
    {
        // Every received PDU's write fails, as on a full disk.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "refusing");
        db.setDatabaseName(path);
        if (db.open())
            QSqlQuery(db).exec("CREATE TRIGGER full BEFORE INSERT ON pdus BEGIN SELECT RAISE(ABORT, "
                               "'database or disk is full'); END");
        db.close();
    }
    QSqlDatabase::removeDatabase("refusing");
    return path;
}

void InboxTest::keepsOnThePhoneWhatTheStoreDoesNotHold_data() {
    QTest::addColumn<StoreFound>("found");
    QTest::addColumn<QString>("why");
    QTest::newRow("no store") << StoreFound::None << "the message store could not keep it first (";
    QTest::newRow("a damaged store") << StoreFound::Damaged << "the message store could not keep it first (";
    QTest::newRow("its record's write failed")
        << StoreFound::Refusing << "the message store has no record of it yet";
}

void InboxTest::keepsOnThePhoneWhatTheStoreDoesNotHold() {
    QFETCH(StoreFound, found);
    QFETCH(QString, why);
    QTemporaryDir dir;
    const QString store = MakeStore(dir, found);
    Phone phone(WriteStore(dir, {Pdus(Logo())[0]}), {"--inbox", dir.filePath("inbox.txt")});
    Window window(phone.device(),
                  "[Communication Port]\nDialogue=fast\n[Messages]\nStore=" + store.toUtf8() + "\n", 1.0);
    window.show();
    QVERIFY(window.waitConnected());
    window.find<QAction>("mnuInbox")->trigger();
    auto* inbox = window.form().findChild<InboxDialog*>("InboxDialog");
    QVERIFY(inbox);
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 1, 5000);
    inbox->choose(0);
    inbox->findChild<QPushButton*>("btnInboxDelete")->click();
    QCOMPARE(window.prompter.questions.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(window.prompter.warnings.size(), 1, 5000);
    QVERIFY2(window.prompter.warnings[0].startsWith("The message was not deleted: " + why),
             qPrintable(window.prompter.warnings[0]));
    // The phone still keeps it.
    inbox->findChild<QPushButton*>("btnInboxRead")->click();
    QTRY_VERIFY_WITH_TIMEOUT(inbox->statusText().startsWith("1 message on the phone."), 5000);
    QCOMPARE(inbox->rows(), 1);
}

QTEST_MAIN(InboxTest)
#include "InboxTest.moc"
