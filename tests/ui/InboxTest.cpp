// The window's inbox against the simulated phone's store.

#include "InboxDialog.h"
#include "MessageRequest.h"
#include "WindowFixture.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

class InboxTest : public QObject {
    Q_OBJECT
private slots:
    void listsJoinsShowsDeletesAndHearsOfNewMessages();
    void deletesTheMessageAskedAboutWhenOneArrivesDuringTheQuestion();
    void namesTheStoreThePhoneWouldNotOpen();
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
    QCOMPARE(w.prompter.questions.size(), 1);
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
    QVERIFY(w.prompter.questions.at(0).contains("Operator logo"));
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 1, 5000);
    QCOMPARE(inbox->rowText(0, 2), QString("hellohello"));
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
}

QTEST_MAIN(InboxTest)
#include "InboxTest.moc"
