// The PDU inspector in the window: a pasted logo taken apart and loaded,
// and the PDUs of a real dialogue with the simulated phone handed over.

#include "PduFieldsDialog.h"
#include "InboxDialog.h"
#include "MessageRequest.h"
#include "Ringtone.h"
#include "SilentOutput.h"
#include "WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

MessageRequest Logo() {
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.destination = "628569999999";
    logo.content = std::string(126, 'F') + std::string(126, '0');
    logo.mcc = "510";
    logo.nc = "10";
    return logo;
}

int RowNamed(const PduFieldsDialog& d, const QString& name, const QString& value) {
    for (int row = 0; row < d.fieldRows(); ++row)
        if (d.fieldText(row, 0) == name && d.fieldText(row, 2) == value)
            return row;
    return -1;
}

} // namespace

class PduFieldsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void takesAPastedLogoApartAndLoadsItIntoItsTab();
    void handsOverThePdusOfTheDialogue();
    void playsAPastedTuneUntilStoppedOrClosed();
    void saysACompressedTextIsCompressedAndShowsItsOctets();
};

// Read as the UCS2 its coding scheme also names, it was garbage.
void PduFieldsDialogTest::saysACompressedTextIsCompressedAndShowsItsOctets() {
    QTemporaryDir dir;
    Phone phone(dir.filePath("record.txt"));
    Window w(phone.device());
    w.find<QAction>("mnuPduInspector")->trigger();
    auto* d = w.form().findChild<PduFieldsDialog*>("PduFieldsDialog");
    QVERIFY(d);
    d->findChild<QPlainTextEdit*>("memInspectorPdus")
        ->setPlainText("07912618485400F9040C9126589699999900286221801290000006"
                       "0A1B2C3D4E5F");
    QCOMPARE(d->faultText(), QString());
    QCOMPARE(d->fieldText(RowNamed(*d, "TP-DCS", "28"), 3), QString("UCS2, compressed"));
    QCOMPARE(d->fieldText(RowNamed(*d, "TP-UDL", "06"), 3), QString("6 octets"));
    QCOMPARE(d->fieldText(RowNamed(*d, "TP-UD", "0A1B2C3D4E5F"), 3),
             QString("6 octets compressed, not read"));
    QVERIFY2(
        d->contentText().contains("Compressed: Velmora does not read the text; its octets: 0A1B2C3D4E5F"),
        qPrintable(d->contentText()));
}

void PduFieldsDialogTest::takesAPastedLogoApartAndLoadsItIntoItsTab() {
    QTemporaryDir dir;
    Phone phone(dir.filePath("record.txt"));
    Window w(phone.device());
    w.find<QAction>("mnuPduInspector")->trigger();
    auto* d = w.form().findChild<PduFieldsDialog*>("PduFieldsDialog");
    QVERIFY(d && d->isVisible());
    // Pasted with spaces in it and a blank line after.
    const QString pdu = QString::fromStdString(BuildMessage(Logo())->pdus[0]);
    d->findChild<QPlainTextEdit*>("memInspectorPdus")
        ->setPlainText(pdu.left(10) + " " + pdu.mid(10) + "\n\n");
    QCOMPARE(d->pduCount(), 1);
    QCOMPARE(d->fieldText(0, 0), QString("SMSC length"));
    QCOMPARE(d->faultText(), QString());
    const int ports = RowNamed(*d, "IE data", "15820000");
    QVERIFY(ports > 0);
    QCOMPARE(d->fieldText(ports, 3), QString("to port 5506 (operator logo), from port 0"));
    d->chooseField(ports);
    QCOMPARE(d->markedHex(), QString("15 82 00 00"));
    QCOMPARE(d->fieldText(ports, 1),
             QString("%1-%2").arg(pdu.indexOf("15820000") / 2 + 1).arg(pdu.indexOf("15820000") / 2 + 4));

    QCOMPARE(d->messageCount(), 1);
    QVERIFY(d->contentText().startsWith("Kind: logo\nTo: +628569999999"));
    QVERIFY(d->findChild<QLabel*>("imgInspectorBitmap")->isVisible());
    // A logo is nothing to hear.
    QVERIFY(!d->findChild<QPushButton*>("btnInspectorPlay")->isEnabled());
    auto* load = d->findChild<QPushButton*>("btnInspectorLoad");
    QVERIFY(load->isEnabled());
    load->click();
    QCOMPARE(w.find<QTabWidget>("PageControl1")->currentWidget()->objectName(), QString("tabLogo"));
    QCOMPARE(w.find<QPlainTextEdit>("memHexLogo")->toPlainText().toStdString(), Logo().content);
    QCOMPARE(w.find<QLineEdit>("txtMCC")->text(), QString("510"));

    // A PDU cut before its user data (in the destination's digits): the
    // fields up to the cut and why it stops; no tab for it.
    d->findChild<QPlainTextEdit*>("memInspectorPdus")->setPlainText(pdu.left(18));
    QCOMPARE(d->faultText(), QString("Not read whole: cannot read octet 6 (destination address)"));
    QCOMPARE(d->fieldText(d->fieldRows() - 1, 0), QString("Not read"));
    QVERIFY(!load->isEnabled());

    // Cut in its user data: read as far as it goes, the length that claims
    // more marked; the bitmap is not all there, so no tab for it either.
    d->findChild<QPlainTextEdit*>("memInspectorPdus")->setPlainText(pdu.left(pdu.size() - 20));
    QCOMPARE(d->faultText(), QString("Read as far as it goes: the user data ends before its stated length"));
    const int length = RowNamed(*d, "TP-UDL", "8C");
    QVERIFY(length > 0);
    QVERIFY2(d->fieldText(length, 3).endsWith(", cut short: only 130 octets came"),
             qPrintable(d->fieldText(length, 3)));
    QCOMPARE(d->fieldText(d->fieldRows() - 1, 0), QString("TP-UD"));
    QVERIFY2(d->contentText().startsWith("Not read: operator logo: cannot read octet"),
             qPrintable(d->contentText()));
    QVERIFY(!load->isEnabled());

    // A delivery report on a number written with "#": shown as it is.
    d->findChild<QPlainTextEdit*>("memInspectorPdus")
        ->setPlainText("00062A0B810B48214365F7"
                       "62218012000082"
                       "62218012100082"
                       "00");
    QCOMPARE(d->faultText(), QString());
    QCOMPARE(d->findChild<QComboBox*>("cboInspectorPdu")->itemText(0),
             QString("1: SMS-STATUS-REPORT on #0841234567"));
    QCOMPARE(d->fieldText(RowNamed(*d, "TP-RA", "0B48214365F7"), 3), QString("#0841234567"));
}

void PduFieldsDialogTest::handsOverThePdusOfTheDialogue() {
    QTemporaryDir dir;
    const std::string stored = BuildMessage(Logo())->pdus[0];
    QFile store(dir.filePath("inbox.txt"));
    QVERIFY(store.open(QIODevice::WriteOnly));
    store.write(QByteArray::fromStdString(stored + "\n"));
    store.close();
    ConnectedWindow w(dir.filePath("record.txt"), {"--inbox", dir.filePath("inbox.txt")});
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    w.find<QPlainTextEdit>("memText")->setPlainText("Hello");
    w.find<QPushButton>("bitSendSMS")->click();
    QTRY_VERIFY_WITH_TIMEOUT(w.find<QPushButton>("bitSendSMS")->isEnabled(), 10000);
    w.find<QAction>("mnuInbox")->trigger();
    auto* inbox = w.form().findChild<InboxDialog*>("InboxDialog");
    QTRY_COMPARE_WITH_TIMEOUT(inbox->rows(), 1, 10000);

    // The monitor shows the steps of the dialogue, not its PDUs.
    const QString monitor = w.find<QPlainTextEdit>("memDebug")->toPlainText();
    QVERIFY2(!monitor.contains("0011"), qPrintable(monitor));
    // Its context menu hands them over.
    auto* memDebug = w.find<QPlainTextEdit>("memDebug");
    emit memDebug->customContextMenuRequested(QPoint(4, 4));
    auto* menu = memDebug->findChild<QMenu*>();
    QVERIFY(menu && menu->actions().contains(w.find<QAction>("mnuInspectPdus")));
    w.find<QAction>("mnuInspectPdus")->trigger();
    menu->close();
    auto* d = w.form().findChild<PduFieldsDialog*>("PduFieldsDialog");
    QVERIFY(d && d->isVisible());
    auto* pdus = d->findChild<QComboBox*>("cboInspectorPdu");
    QCOMPARE(pdus->count(), 2);
    QCOMPARE(
        w.phone.received(),
        QStringList{d->findChild<QPlainTextEdit*>("memInspectorPdus")->toPlainText().split('\n').front()});
    QCOMPARE(pdus->itemText(0), QString("1: SMS-SUBMIT to +628569999999"));
    QCOMPARE(pdus->itemText(1), QString("2: SMS-SUBMIT to +628569999999"));
    QCOMPARE(d->messageCount(), 2);
    d->chooseMessage(1);
    QVERIFY(d->contentText().startsWith("Kind: logo"));
}

// The window's one player plays it: Play turns into Stop, and the tune ends
// on Stop or with the inspector's window.
void PduFieldsDialogTest::playsAPastedTuneUntilStoppedOrClosed() {
    QStringList calls; // outlives the window, whose player ends with it
    Window w("/nonexistent/velmora-test-device");
    w.tuneOutput = [&] { return std::make_unique<SilentOutput>(calls); };
    w.find<QAction>("mnuPduInspector")->trigger();
    auto* d = w.form().findChild<PduFieldsDialog*>("PduFieldsDialog");
    MessageRequest tune;
    tune.kind = MessageKind::Ringtone;
    tune.destination = "628569999999";
    tune.content = RingtoneFromLine("Beep:d=4,o=5,b=100:c,8e,p").content;
    d->findChild<QPlainTextEdit*>("memInspectorPdus")
        ->setPlainText(QString::fromStdString(BuildMessage(tune)->pdus[0]));
    auto* play = d->findChild<QPushButton*>("btnInspectorPlay");
    QVERIFY(play->isVisible() && play->isEnabled());
    play->click();
    QCOMPARE(calls, QStringList({"start"}));
    QCOMPARE(play->accessibleName(), QString("Stop"));
    play->click();
    QCOMPARE(calls, QStringList({"start", "stop"}));
    QCOMPARE(play->accessibleName(), QString("Play"));
    play->click();
    d->close();
    QCOMPARE(calls, QStringList({"start", "stop", "start", "stop"}));
}

QTEST_MAIN(PduFieldsDialogTest)
#include "PduFieldsDialogTest.moc"
