// The window's inbox against the simulated phone's store.

#include "InboxDialog.h"
#include "MessageRequest.h"
#include "WindowFixture.h"

#include <QAction>
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

} // namespace

class InboxTest : public QObject {
    Q_OBJECT
private slots:
    void listsJoinsShowsDeletesAndHearsOfNewMessages();
    void deletesTheMessageAskedAboutWhenOneArrivesDuringTheQuestion();
};

void InboxTest::listsJoinsShowsDeletesAndHearsOfNewMessages() {
    MessageRequest text;
    text.text = QString(200, 'x').toStdU16String();
    text.longText = true;
    text.concatReference = 7;
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.content = std::string(126, 'F') + std::string(126, '0');
    logo.mcc = "510";
    logo.nc = "10";
    const auto parts = Pdus(text);
    QTemporaryDir dir;
    QFile store(dir.filePath("inbox.txt"));
    QVERIFY(store.open(QIODevice::WriteOnly));
    // The parts of the long text stored the wrong way round.
    for (const auto& pdu : {parts[1], Pdus(logo)[0], parts[0]})
        store.write(QByteArray::fromStdString(pdu + "\n"));
    store.close();
    Phone phone(dir.filePath("record.txt"),
                {"--inbox", store.fileName(), "--deliver-after", "2500",
                 "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37"});
    Window w(phone.device(), "[Communication Port]\nDialogue=fast\n", 1.0);
    w.show();
    QVERIFY(w.waitConnected());
    w.find<QAction>("mnuInbox")->trigger();
    auto* inbox = w.form().findChild<InboxDialog*>("InboxDialog");
    QVERIFY(inbox);
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 2, 5000);
    QCOMPARE(inbox->rowText(0, 2), QString(39, 'x') + QString::fromUtf8("…"));
    QCOMPARE(inbox->rowText(1, 2), QString("Operator logo for 510 10"));

    // A received logo goes to its tab, ready to be sent on or saved.
    inbox->choose(1);
    QCOMPARE(w.find<QTabWidget>("PageControl1")->currentWidget()->objectName(), QString("tabLogo"));
    QCOMPARE(w.find<QPlainTextEdit>("memHexLogo")->toPlainText().toStdString(), logo.content);
    QVERIFY(inbox->detailText().contains("Operator Logo tab"));

    // A new message is told of as it comes.
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 3, 10000);
    QCOMPARE(w.form().statusText(), QString("New message from 27838890001"));

    QCOMPARE(inbox->rowText(0, 2), QString("hellohello"));

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
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.content = std::string(126, 'F') + std::string(126, '0');
    logo.mcc = "510";
    logo.nc = "10";
    QTemporaryDir dir;
    QFile store(dir.filePath("inbox.txt"));
    QVERIFY(store.open(QIODevice::WriteOnly));
    store.write(QByteArray::fromStdString(Pdus(logo)[0] + "\n"));
    store.close();
    Phone phone(dir.filePath("record.txt"),
                {"--inbox", store.fileName(), "--deliver-after", "2500",
                 "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37"});
    Window w(phone.device(), "[Communication Port]\nDialogue=fast\n", 1.0);
    w.show();
    QVERIFY(w.waitConnected());
    w.find<QAction>("mnuInbox")->trigger();
    auto* inbox = w.form().findChild<InboxDialog*>("InboxDialog");
    QVERIFY(inbox);
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 1, 5000);
    inbox->choose(0);
    w.prompter.whileAsking = [inbox] { QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 2, 10000); };
    inbox->findChild<QPushButton*>("btnInboxDelete")->click();
    QVERIFY(w.prompter.questions.at(0).contains("Operator logo"));
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 1, 5000);
    QCOMPARE(inbox->rowText(0, 2), QString("hellohello"));
}

QTEST_MAIN(InboxTest)
#include "InboxTest.moc"
