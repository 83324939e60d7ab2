// The main window on the offscreen platform against the simulated phone.

#include "MessageStore.h"
#include "SMSLibU.h"
#include "SignalCircle.h"
#include "StatusReport.h"
#include "SubmitReader.h"
#include "TComLed.h"
#include "TForm2.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace velmora;
using namespace velmora::testing;

class WindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    QString record() const { return m_tmp.filePath(QString("pdus-%1.txt").arg(++m_records)); }
    mutable int m_records = 0;

    static QString monitor(Window& w) { return w.find<QPlainTextEdit>("memDebug")->toPlainText(); }
    static void send(Window& w) { w.find<QPushButton>("bitSendSMS")->click(); }
    static bool waitSent(Window& w) {
        return QTest::qWaitFor([&] { return w.find<QPushButton>("bitSendSMS")->isEnabled(); }, 10000);
    }

private slots:
    void startsFromTheSettingsFileAndWritesItBackAtExit_data();
    void startsFromTheSettingsFileAndWritesItBackAtExit();
    void connectsOnceDisconnectsAndReconnectsFromTheMenus();
    void aFailedConnectionSaysWhichDeviceAndWhy_data();
    void aFailedConnectionSaysWhichDeviceAndWhy();
    void sendsTextAndFlashMessages_data();
    void sendsTextAndFlashMessages();
    void aRefusedSubmissionShowsThePhonesReason();
    void theFastDialogueFollowsTheDeliveryReport();
    void aLongMessageIsDeliveredOnlyWhenEveryPartIs();
    void aNewSendClearsTheLastMessagesDeliveryStatus();
    void aConnectThatSucceedsClearsAnEarlierPinRefusal();
    void theSimAsksForItsPinOnce_data();
    void theSimAsksForItsPinOnce();
    void countsAndLimitsTheText();
    void theFlashLimitFollowsTheBoxHoweverItChanges();
    void countsALongTextInMessages();
    void sendsALongTextAsItsParts();
    void refusesWhatCannotBeSent_data();
    void refusesWhatCannotBeSent();
    void showsTheSignalAndDisconnectsAfterThreeFailedPolls();
    void theTerminalInformationShowsThePhonesAnswersAndKeepsThem();
    void aPulledCableEndsTheConnectionOnceWithItsReason();
    void aLogThatCannotBeWrittenIsReported();
    void controlsCarryAccessibleNames();
    void logMenuSaysWhenNoViewerOpens();
    void theStoreIsBackedUpFromTheFileMenu();
};

void WindowTest::startsFromTheSettingsFileAndWritesItBackAtExit_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QRect>("bounds"); // x = -1: moved to the primary screen
    QTest::addColumn<QString>("portItem");
    QTest::addColumn<QString>("baudItem");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("message");
    QTest::newRow("first run") << QByteArray() << QRect(0, 0, 507, 396) << "COM11"
                               << "N192001"
                               << QStringList{"Port=1", "Baudrate=19200", "ZHeight=396", "ZWidth=507"} << "";
    QTest::newRow("sizes fall back, left edge kept")
        << QByteArray("[Form]\nZLeft=-20\nZTop=30\nZHeight=0\nZWidth=-5\n") << QRect(-20, 30, 507, 396)
        << "COM11"
        << "N192001" << QStringList{"ZLeft=-20", "ZTop=30"} << "";
    QTest::newRow("port 12 checks no item")
        << QByteArray("[Communication Port]\nPort=12\nBaudrate=4800\n") << QRect(0, 0, 507, 396) << ""
        << "N48001" << QStringList{"Port=12", "Baudrate=4800"} << "";
    QTest::newRow("port 260 keeps its low 8 bits")
        << QByteArray("[Communication Port]\nPort=260\n") << QRect(0, 0, 507, 396) << "COM41"
        << "N192001" << QStringList{"Port=4"} << "";
    QTest::newRow("115200 runs and is saved as 19200")
        << QByteArray("[Communication Port]\nBaudrate=115200\n") << QRect(0, 0, 507, 396) << "COM11"
        << "N192001" << QStringList{"Baudrate=19200"} << "";
    QTest::newRow("off every screen")
        << QByteArray("[Form]\nZLeft=30000\nZTop=30000\nZHeight=420\nZWidth=600\n") << QRect(-1, -1, 600, 420)
        << "COM11"
        << "N192001" << QStringList{"ZHeight=420", "ZWidth=600"} << "";
    QTest::newRow("not a number: said once, default used")
        << QByteArray("; mine\n[Communication Port]\nPort=abc\n[Other]\nKey=kept\n") << QRect(0, 0, 507, 396)
        << "COM11"
        << "N192001" << QStringList{"; mine", "Port=1", "[Other]", "Key=kept"}
        << "'abc' is not a valid integer value";
}

void WindowTest::startsFromTheSettingsFileAndWritesItBackAtExit() {
    QFETCH(QByteArray, settings);
    QFETCH(QRect, bounds);
    QFETCH(QString, portItem);
    QFETCH(QString, baudItem);
    QFETCH(QStringList, written);
    QFETCH(QString, message);
    Window w("/nonexistent/velmora-test-device", settings);
    TForm1& form = w.form();
    QCOMPARE(form.windowTitle(), QString("Velmora 1.00 - Smart Messaging"));
    QCOMPARE(form.size(), bounds.size());
    if (bounds.x() == -1)
        QCOMPARE(form.pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    else
        QCOMPARE(form.pos(), bounds.topLeft());
    for (const char* item : {"COM11", "COM21", "COM41", "COM91"})
        QCOMPARE(w.find<QAction>(item)->isChecked(), portItem == item);
    QCOMPARE(w.find<QAction>("COM21")->statusTip(), QString("COM2 is /nonexistent/velmora-test-device"));
    QVERIFY(w.find<QAction>(baudItem.toLatin1())->isChecked());
    QCOMPARE(form.statusText(), QString("Please Open Communication Port !"));

    w.show();
    // The connection runs once, on its own; it fails on a missing device.
    QTRY_VERIFY(form.statusText().startsWith("Unable to open port"));
    QCOMPARE(w.prompter.errors.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY(w.prompter.errors[0].contains(message));
    form.close();
    const QString saved = QString::fromLatin1([&] {
        QFile f(w.path("velmora.Ini"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }());
    for (const QString& line : written)
        QVERIFY2(saved.contains(line), qPrintable(saved));
}

void WindowTest::connectsOnceDisconnectsAndReconnectsFromTheMenus() {
    Phone phone(record());
    Window w(phone.device());
    TForm1& form = w.form();
    auto* closed = w.find<QLabel>("imgClose");
    auto* open = w.find<QLabel>("imgOpen");
    auto* led = w.find<ui::TComLed>("ComLed1");
    QVERIFY(!w.find<QPushButton>("bitPhonebook")->isEnabled());
    w.show();
    QVERIFY(w.waitConnected());
    QCOMPARE(form.statusText(), QString("Initialization Complete"));
    QVERIFY(open->isVisible() && !closed->isVisible());
    QVERIFY(led->state());
    QCOMPARE(w.find<QProgressBar>("pbarRSSI")->value(), 3);
    QVERIFY(w.find<QPushButton>("bitPhonebook")->isEnabled());
    QVERIFY(w.find<QMenu>("mnuPhonebook")->menuAction()->isEnabled());
    QVERIFY(w.find<QAction>("mnuMobile")->isEnabled());

    // A later activation does not connect again.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&form, &activate);
    QTest::qWait(300);
    QCOMPARE(form.statusText(), QString("Initialization Complete"));

    w.find<QAction>("mnuOpenPort")->trigger();
    QTRY_VERIFY(form.statusText().startsWith("Port 1 already open"));

    w.find<QAction>("mnuClosePort")->trigger();
    QTRY_COMPARE(form.statusText(), QString("Communication Port Close"));
    QVERIFY(closed->isVisible() && !open->isVisible());
    QVERIFY(!w.find<QPushButton>("bitSendSMS")->isEnabled());
    QVERIFY(!w.find<QAction>("mnuMobile")->isEnabled());
    QTRY_VERIFY(!led->state());

    // A port or a speed chosen reconnects; the choice is saved at exit.
    w.find<QAction>("COM31")->trigger();
    QVERIFY(w.waitConnected());
    QVERIFY(w.find<QAction>("COM31")->isChecked() && !w.find<QAction>("COM11")->isChecked());
    w.find<QAction>("N96001")->trigger();
    QTRY_VERIFY(!w.find<QPushButton>("bitSendSMS")->isEnabled() || form.settings().BaudRate == 9600);
    QVERIFY(w.waitConnected());
    QCOMPARE(form.settings().PortNumber, 3);
    QCOMPARE(form.settings().BaudRate, 9600);
}

void WindowTest::aFailedConnectionSaysWhichDeviceAndWhy_data() {
    QTest::addColumn<bool>("silentPhone");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("detail");
    QTest::newRow("no such device") << false << "Unable to open port 1 !"
                                    << "/nonexistent/ttyACM7: No such file or directory";
    QTest::newRow("a phone that does not answer") << true << "No Response From Mobile Phone !"
                                                  << " at 19200 bit/s";
}

void WindowTest::aFailedConnectionSaysWhichDeviceAndWhy() {
    QFETCH(bool, silentPhone);
    QFETCH(QString, status);
    QFETCH(QString, detail);
    std::unique_ptr<Phone> phone;
    if (silentPhone)
        phone = std::make_unique<Phone>(record(), QStringList{"--silent"});
    Window w(phone ? phone->device() : "/nonexistent/ttyACM7");
    w.show();
    QTRY_COMPARE_WITH_TIMEOUT(w.form().statusText(), status, 10000);
    QTRY_VERIFY2(monitor(w).contains(detail), qPrintable(monitor(w)));
    if (phone)
        QVERIFY(monitor(w).startsWith(phone->device()));
    QVERIFY(w.prompter.warnings.isEmpty() && w.prompter.errors.isEmpty());
}

void WindowTest::sendsTextAndFlashMessages_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("flash");
    QTest::addColumn<bool>("blink");
    QTest::addColumn<QString>("sent"); // the text as the phone gets it
    QTest::newRow("text") << "Hello @ home" << false << false << "Hello @ home";
    QTest::newRow("line break as CR LF") << "one\ntwo" << false << false << "one\r\ntwo";
    QTest::newRow("flash") << QString::fromUtf8("Привет") << true << false << QString::fromUtf8("Привет");
    QTest::newRow("blinking flash") << "Look" << true << true << "Look";
}

void WindowTest::sendsTextAndFlashMessages() {
    QFETCH(QString, typed);
    QFETCH(bool, flash);
    QFETCH(bool, blink);
    QFETCH(QString, sent);
    ConnectedWindow w(record());
    QVERIFY(w.connected());
    QTest::keyClicks(w.find<QLineEdit>("txtHPNo"), "+628569999999");
    w.find<QPlainTextEdit>("memText")->setPlainText(typed);
    if (flash)
        w.find<QCheckBox>("chkFlash")->click();
    if (blink)
        w.find<QCheckBox>("chkBlink")->click();
    send(w);
    QVERIFY(!w.find<QPushButton>("bitSendSMS")->isEnabled());
    QVERIFY(waitSent(w));
    const auto expected = BuildTextPDU("628569999999", sent.toStdU16String(), flash, blink);
    QVERIFY(expected.ok());
    QCOMPARE(w.phone.received(), QStringList{QString::fromStdString(expected.value())});
    QCOMPARE(monitor(w), QString("Message Sent"));
    QVERIFY(w.find<QLabel>("imgOK")->isVisible() && !w.find<QLabel>("imgStatus")->isVisible());
    const QStringList log = w.lines("Tr_smsn.Txt");
    QCOMPARE(log.size(), 1);
    QVERIFY(log[0].endsWith(" 628569999999"));
}

void WindowTest::aRefusedSubmissionShowsThePhonesReason() {
    ConnectedWindow w(record(), {"--pdu-answer", "cms-error:38"});
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    send(w);
    QVERIFY(waitSent(w));
    QVERIFY(monitor(w).startsWith("Fail (1)"));
    QVERIFY2(monitor(w).contains("+CMS ERROR: 38"), qPrintable(monitor(w)));
    QVERIFY(w.find<QLabel>("imgStatus")->isVisible() && !w.find<QLabel>("imgOK")->isVisible());
    // The destination, then the phone's answer with its own line breaks.
    const QStringList failed = w.lines("Fl_smsn.Txt");
    QVERIFY(failed.size() >= 2 && failed[0].endsWith(" 628569999999"));
    QVERIFY(failed.join('\n').contains("+CMS ERROR: 38"));
}

void WindowTest::theFastDialogueFollowsTheDeliveryReport() {
    Phone phone(record(), {"--report", "failed", "--urc"});
    Window w(phone.device(), "[Communication Port]\nDialogue=fast\nDeliveryReport=1\n", 1.0);
    QVERIFY(w.find<QAction>("mnuFastDialogue")->isChecked());
    QVERIFY(w.find<QAction>("mnuDeliveryReport")->isChecked());
    w.show();
    QVERIFY(w.waitConnected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    w.find<QPlainTextEdit>("memText")->setPlainText("Did it arrive?");
    send(w);
    QVERIFY(waitSent(w));
    const auto plain = BuildTextPDU("628569999999", u"Did it arrive?", false, false);
    QCOMPARE(phone.received(), QStringList{QString::fromStdString(*RequestStatusReport(*plain))});
    QTRY_COMPARE_WITH_TIMEOUT(monitor(w), QString("Not delivered: incompatible destination"), 5000);
    QCOMPARE(w.form().statusText(), QString("Not delivered: incompatible destination"));
    // The store keeps the network's word with the message.
    MessageStore* store = w.form().messageStore();
    QVERIFY(store);
    const auto kept = store->Messages({});
    QCOMPARE(kept.size(), std::size_t{1});
    QCOMPARE(kept[0].state, msg::State::NotDelivered);
    QCOMPARE(kept[0].reason, msg::Reason::ReportFailed);
    QCOMPARE(kept[0].text, QString("Did it arrive?"));
    QCOMPARE(kept[0].modemDevice, QString(phone.device()));
    QCOMPARE(kept[0].modemImsi, QString("510109876543210"));
    // Without the fast dialogue there is nothing to read a report with.
    w.find<QAction>("mnuFastDialogue")->toggle();
    QVERIFY(!w.find<QAction>("mnuDeliveryReport")->isEnabled());
    QVERIFY(!w.form().settings().FastDialogue);
}

void WindowTest::aLongMessageIsDeliveredOnlyWhenEveryPartIs() {
    QStringList said; // the status bar's texts in turn, as long as the window lives
    Phone phone(record(), {"--report", "delivered", "--report-delay", "100"});
    Window w(phone.device(), "[Communication Port]\nDialogue=fast\nDeliveryReport=1\n", 1.0);
    w.show();
    QVERIFY(w.waitConnected());
    connect(w.find<QStatusBar>("stbStatus"), &QStatusBar::messageChanged, this,
            [&said](const QString& text) { said << text; });
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    w.find<QCheckBox>("chkLong")->click();
    w.find<QPlainTextEdit>("memText")->setPlainText(QString(200, 'a'));
    send(w);
    QVERIFY(waitSent(w));
    QTRY_COMPARE_WITH_TIMEOUT(w.form().statusText(), QString("Delivered"), 5000);
    QCOMPARE(monitor(w), QString("Delivered"));
    // The first part's report told of one part, not of the message.
    QCOMPARE(said.filter(QRegularExpression("^Delivered")), (QStringList{"Delivered (1 of 2)", "Delivered"}));
    // Both parts with their references and their reports, in the store.
    const auto kept = w.form().messageStore()->Messages({});
    QCOMPARE(kept.size(), std::size_t{1});
    QCOMPARE(kept[0].state, msg::State::Delivered);
    QCOMPARE(kept[0].number, QString("628569999999"));
    QCOMPARE(kept[0].text, QString(200, 'a'));
    QCOMPARE(kept[0].parts.size(), std::size_t{2});
    for (const PartRecord& part : kept[0].parts) {
        QVERIFY(part.reference);
        QCOMPARE(part.reportStatus, std::optional<int>(0));
    }
}

void WindowTest::aNewSendClearsTheLastMessagesDeliveryStatus() {
    Phone phone(record(), {"--report", "delivered", "--report-delay", "1500"});
    Window w(phone.device(), "[Communication Port]\nDialogue=fast\nDeliveryReport=1\n", 1.0);
    w.show();
    QVERIFY(w.waitConnected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    w.find<QPlainTextEdit>("memText")->setPlainText("first");
    send(w);
    QTRY_COMPARE_WITH_TIMEOUT(w.form().statusText(), QString("Delivered"), 5000);
    // One Unicode part: no "Sending SMS Part" replaces the old report.
    w.find<QCheckBox>("chkLong")->click();
    w.find<QPlainTextEdit>("memText")->setPlainText(QString::fromUtf8("Привет"));
    send(w);
    QCOMPARE(w.form().statusText(), QString());
    QVERIFY(waitSent(w));
    QCOMPARE(monitor(w), QString("Message Sent"));
    QVERIFY(w.form().statusText() != "Delivered");
    QTRY_COMPARE_WITH_TIMEOUT(w.form().statusText(), QString("Delivered"), 5000);
    const auto kept = w.form().messageStore()->Messages({});
    QCOMPARE(kept.size(), std::size_t{2});
    QCOMPARE(kept[0].state, msg::State::Delivered);
    QCOMPARE(kept[1].state, msg::State::Delivered);
}

void WindowTest::aConnectThatSucceedsClearsAnEarlierPinRefusal() {
    Phone phone(record(), {"--pin", "1234"});
    Window w(phone.device(), "[Communication Port]\nDialogue=fast\n", 1.0);
    w.prompter.secret = "0000";
    w.show();
    QTRY_VERIFY_WITH_TIMEOUT(monitor(w).contains("+CME ERROR: 16"), 10000);
    w.prompter.secret = "1234";
    w.find<QAction>("mnuOpenPort")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(w.form().statusText(), QString("Initialization Complete"), 10000);
    QVERIFY2(!monitor(w).contains("+CME ERROR"), qPrintable(monitor(w)));
}

void WindowTest::theSimAsksForItsPinOnce_data() {
    QTest::addColumn<QString>("pin");
    QTest::addColumn<bool>("connects");
    QTest::addColumn<QString>("status");
    QTest::newRow("right") << "1234" << true << "Initialization Complete";
    QTest::newRow("wrong") << "0000" << false
                           << "The SIM refused the PIN (2 tries left); connect again to give another";
}

void WindowTest::theSimAsksForItsPinOnce() {
    QFETCH(QString, pin);
    QFETCH(bool, connects);
    QFETCH(QString, status);
    Phone phone(record(), {"--pin", "1234"});
    Window w(phone.device(), "[Communication Port]\nDialogue=fast\n", 1.0);
    w.prompter.secret = pin;
    w.show();
    QTRY_COMPARE_WITH_TIMEOUT(w.form().statusText(), status, 10000);
    QCOMPARE(w.form().link().isUp(), connects);
    QCOMPARE(w.prompter.secretLabels, QStringList{"The SIM asks for its PIN (3 tries left):"});
}

void WindowTest::countsAndLimitsTheText() {
    Window w("/nonexistent/velmora-test-device");
    auto* memo = w.find<QPlainTextEdit>("memText");
    auto* left = w.find<QLabel>("lblLeftChar");
    auto* flash = w.find<QCheckBox>("chkFlash");
    auto* blink = w.find<QCheckBox>("chkBlink");
    memo->setPlainText(QString(100, 'a'));
    QCOMPARE(left->text(), QString("60"));
    memo->setPlainText(QString(100, 'a') + QString::fromUtf8("€\n"));
    QCOMPARE(left->text(), QString("56")); // the euro sign and the line break count two each
    memo->setPlainText(QString(100, 'a'));
    flash->click();
    QCOMPARE(memo->toPlainText(), QString(69, 'a'));
    QCOMPARE(w.find<QLabel>("lblDescription")->text(), QString("Maximum 69 Characters"));
    QCOMPARE(left->text(), QString("0"));
    QVERIFY(blink->isEnabled());
    blink->click();
    flash->click();
    QCOMPARE(left->text(), QString("91"));
    QVERIFY(blink->isChecked() && !blink->isEnabled());
    // Typing and pasting stop at the limit.
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QString(95, 'b'));
    QCOMPARE(memo->toPlainText().size(), 160);
    QCOMPARE(left->text(), QString("0"));
    memo->moveCursor(QTextCursor::Start);
    memo->insertPlainText("xyz");
    QCOMPARE(memo->toPlainText(), QString(69, 'a') + QString(91, 'b'));
    w.find<QPushButton>("btnClear")->click();
    QVERIFY(memo->toPlainText().isEmpty());
    QCOMPARE(left->text(), QString("160"));
}

// Screen readers and automation toggle a check box through its accessible
// action, which changes the state without a click.
void WindowTest::theFlashLimitFollowsTheBoxHoweverItChanges() {
    Window w("/nonexistent/velmora-test-device");
    auto* memo = w.find<QPlainTextEdit>("memText");
    auto* flash = w.find<QCheckBox>("chkFlash");
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(flash);
    QVERIFY(box && box->actionInterface());
    memo->setPlainText(QString(100, 'a'));
    box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(flash->isChecked());
    QCOMPARE(w.find<QLabel>("lblDescription")->text(), QString("Maximum 69 Characters"));
    QCOMPARE(memo->toPlainText(), QString(69, 'a'));
    QCOMPARE(w.find<QLabel>("lblLeftChar")->text(), QString("0"));
    QVERIFY(w.find<QCheckBox>("chkBlink")->isEnabled());
    flash->setChecked(false);
    QCOMPARE(w.find<QLabel>("lblDescription")->text(), QString("Maximum 160 Characters"));
    QCOMPARE(w.find<QLabel>("lblLeftChar")->text(), QString("91"));
}

void WindowTest::countsALongTextInMessages() {
    Window w("/nonexistent/velmora-test-device");
    auto* memo = w.find<QPlainTextEdit>("memText");
    auto* left = w.find<QLabel>("lblLeftChar");
    auto* description = w.find<QLabel>("lblDescription");
    auto* flash = w.find<QCheckBox>("chkFlash");
    auto* longText = w.find<QCheckBox>("chkLong");
    longText->click();
    QCOMPARE(left->text(), QString("1 message, 160 left"));
    memo->setPlainText(QString(208, 'a'));
    QCOMPARE(left->text(), QString("2 messages, 98 left"));
    QCOMPARE(description->text(), QString("Long: 160 characters per message, 153 per part"));
    // A character outside the GSM alphabet turns the text to UCS2: 211
    // units, the line break counting two.
    memo->appendPlainText(QString::fromUtf8("Ж"));
    QCOMPARE(left->text(), QString("4 messages, 57 left"));
    QCOMPARE(description->text(), QString("Unicode: 70 characters per message, 67 per part"));
    // The limit is 255 parts: a paste stops there.
    memo->setPlainText(QString(255 * 153 + 10, 'x'));
    QCOMPARE(memo->toPlainText().size(), 255 * 153);
    QCOMPARE(left->text(), QString("255 messages, 0 left"));
    // A flash message is one message: the box waits while Flash is on.
    memo->setPlainText(QString(208, 'a'));
    flash->click();
    QVERIFY(!longText->isEnabled() && longText->isChecked());
    QCOMPARE(memo->toPlainText(), QString(69, 'a'));
    QCOMPARE(left->text(), QString("0"));
    QCOMPARE(description->text(), QString("Maximum 69 Characters"));
    flash->click();
    QVERIFY(longText->isEnabled());
    QCOMPARE(left->text(), QString("1 message, 91 left"));
    // Off again, the tab is a normal one: the text is cut to 160.
    memo->setPlainText(QString(300, 'a'));
    longText->click();
    QCOMPARE(memo->toPlainText(), QString(160, 'a'));
    QCOMPARE(left->text(), QString("0"));
    QCOMPARE(description->text(), QString("Maximum 160 Characters"));
}

void WindowTest::sendsALongTextAsItsParts() {
    ConnectedWindow w(record());
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    w.find<QCheckBox>("chkLong")->click();
    const QString typed = QString(150, 'a') + QString::fromUtf8(" Привет ") + QString(50, 'b');
    w.find<QPlainTextEdit>("memText")->setPlainText(typed);
    send(w);
    QCOMPARE(w.form().statusText(), QString("Sending SMS Part (1)"));
    QVERIFY(waitSent(w));
    QCOMPARE(w.form().statusText(), QString("Sending SMS Part (4)"));
    const QStringList pdus = w.phone.received();
    QCOMPARE(pdus.size(), 4); // 208 UCS2 units
    QString joined;
    int reference = -1;
    for (int i = 0; i < pdus.size(); ++i) {
        const auto part = ReadSubmitPdu(pdus[i].toStdString());
        QCOMPARE(QString::fromStdString(part.dcs), QString("08"));
        QCOMPARE(part.parts, 4);
        QCOMPARE(part.part, i + 1);
        if (i == 0)
            reference = part.reference;
        QCOMPARE(part.reference, reference);
        joined += QString::fromStdU16String(part.text);
    }
    QCOMPARE(joined, typed);
    QCOMPARE(w.lines("Tr_smsn.Txt").size(), 4);
    QVERIFY(w.prompter.warnings.isEmpty());
}

void WindowTest::refusesWhatCannotBeSent_data() {
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no destination") << ""
                                    << "hi"
                                    << "Please Fill Destination Mobile Number !"
                                    << "txtHPNo";
    QTest::newRow("letters") << "62856abc"
                             << "hi"
                             << "must be 1 to 20 digits"
                             << "txtHPNo";
    QTest::newRow("21 digits") << QString(21, '6') << "hi"
                               << "must be 1 to 20 digits"
                               << "txtHPNo";
    QTest::newRow("outside the GSM alphabet")
        << "628569999999" << QString::fromUtf8("Привет")
        << "or send the text as a Flash Message, which carries any character. Turn on Long / Unicode to send "
           "them."
        << "memText";
}

void WindowTest::refusesWhatCannotBeSent() {
    QFETCH(QString, destination);
    QFETCH(QString, text);
    QFETCH(QString, warning);
    QFETCH(QString, focus);
    ConnectedWindow w(record());
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText(destination);
    w.find<QPlainTextEdit>("memText")->setPlainText(text);
    send(w);
    QCOMPARE(w.prompter.warnings.size(), 1);
    QVERIFY2(w.prompter.warnings[0].contains(warning), qPrintable(w.prompter.warnings[0]));
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), focus);
    QVERIFY(w.find<QPushButton>("bitSendSMS")->isEnabled());
    // Nothing was sent, yet the success picture shows while the failure one is hidden.
    QVERIFY(w.find<QLabel>("imgOK")->isVisible());
    QTest::qWait(200);
    QVERIFY(w.phone.received().isEmpty());
}

void WindowTest::showsTheSignalAndDisconnectsAfterThreeFailedPolls() {
    ConnectedWindow w(
        record(), {"--csq", "17,99", "--csq", "31,0", "--csq", "0,7", "--csq", "99,99", "--csq", "error"});
    QVERIFY(w.connected());
    auto* rssi = w.find<QProgressBar>("pbarRSSI");
    auto* ber = w.find<QProgressBar>("pbarBER");
    auto* rssiText = w.find<QLabel>("lblRSSI");
    auto* berText = w.find<QLabel>("lblBER");
    struct Poll {
        const char* rssi;
        const char* ber;
        int bars, berBar;
    };
    for (const Poll& p : {Poll{"[17]", "[99]", 3, 0}, Poll{"[31]", "[0\r]", 4, 1}, Poll{"[0]", "[7\r]", 1, 1},
                          Poll{"[99]", "[99]", 0, 0}}) {
        w.form().link().pollSignal();
        QTRY_COMPARE(rssiText->text(), QString(p.rssi));
        QCOMPARE(berText->text(), QString(p.ber));
        QCOMPARE(ber->value(), p.berBar);
        QTRY_COMPARE(rssi->value(), p.bars); // the gauge climbs to it
    }
    for (int n = 1; n <= 2; ++n) {
        w.form().link().pollSignal();
        QTRY_COMPARE(w.form().statusText(),
                     QString("Unable to get RSSI (%1), please check data cable connection !").arg(n));
    }
    w.form().link().pollSignal();
    QTRY_COMPARE(w.form().statusText(), QString("Communication Port Close"));
    QVERIFY(!w.find<QPushButton>("bitSendSMS")->isEnabled());
}

void WindowTest::theTerminalInformationShowsThePhonesAnswersAndKeepsThem() {
    ConnectedWindow w(record(), {"--manufacturer", "ACME <b>Phones</b>", "--model", "X1"});
    QVERIFY(w.connected());
    QString shown, model;
    w.prompter.onDialog = [&](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("txtManufacture");
        QTest::keyClicks(edit, "typed");
        edit->setText("changed");
        shown = edit->text();
        model = dialog.findChild<QLineEdit*>("txtModel")->text();
    };
    w.find<QAction>("mnuMobile")->trigger();
    QCOMPARE(shown, QString("ACME <b>Phones</b>"));
    QCOMPARE(model, QString("X1"));
}

void WindowTest::aPulledCableEndsTheConnectionOnceWithItsReason() {
    // Six answers: the connect dialogue; the signal poll then finds no phone.
    ConnectedWindow w(record(), {"--vanish-after", "6"});
    QVERIFY(w.connected());
    w.form().link().pollSignal();
    QTRY_VERIFY(!w.find<QPushButton>("bitSendSMS")->isEnabled());
    QTRY_VERIFY2(w.form().statusText().startsWith("Connection to the phone lost ("),
                 qPrintable(w.form().statusText()));
    QVERIFY(w.find<QLabel>("imgClose")->isVisible());
    QVERIFY(w.prompter.warnings.isEmpty() && w.prompter.errors.isEmpty());
    // The window still answers: the menus work and a reconnect is tried.
    w.find<QAction>("mnuOpenPort")->trigger();
    QTRY_VERIFY(w.form().statusText().startsWith("Unable to open port 1 !") ||
                w.form().statusText().startsWith("No Response"));
}

void WindowTest::aLogThatCannotBeWrittenIsReported() {
    Phone phone(record());
    Window w(phone.device());
    QDir().mkpath(w.path("Tr_smsn.Txt")); // a directory where the log should be
    w.show();
    QVERIFY(w.waitConnected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    send(w);
    QVERIFY(waitSent(w));
    QCOMPARE(monitor(w), QString("Message Sent"));
    QVERIFY2(w.form().statusText().contains("Tr_smsn.Txt"), qPrintable(w.form().statusText()));
}

void WindowTest::controlsCarryAccessibleNames() {
    Window w("/nonexistent/velmora-test-device");
    w.show();
    const QList<QPair<const char*, QString>> names = {
        {"txtHPNo", "Destination Mobile No."},
        {"memDebug", "Communication Monitor"},
        {"txtMCC", "MCC"},
        {"txtNC", "NC"},
        {"cboProvider", "Provider"},
        {"cboAnimation", "Add Animation"},
        {"cboSound", "Add Sound"},
        {"memEMS", "Input EMS Text Here !"},
        {"memText", "Message text"},
        {"memHexLogo", "Operator logo content"},
        {"memHexGG", "Group graphic content"},
        {"memHexPM", "Picture message content"},
        {"memRTTTL", "Ringtone text"},
        {"memHexRT", "Ringtone content"},
        {"ComLed1", "Connect"},
        {"ComLed2", "Tx"},
        {"ComLed3", "Rx"},
        {"shpCTS", "CTS"},
        {"shpDSR", "DSR"},
        {"shpRLSD", "RLSD"},
        {"bitSendSMS", "Send Via SMS"},
        {"chkFlash", "Flash Message"},
        {"chkLong", "Long / Unicode"},
        {"btnClear", "Clear Text"},
    };
    for (const auto& [name, expected] : names) {
        auto* widget = w.find<QWidget>(name);
        QVERIFY2(widget, name);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
        QVERIFY2(a, name);
        // A drop-down list is named by its current item on this desktop; its
        // caption reaches screen readers as the label it is labelled by.
        if (a->role() == QAccessible::ComboBox) {
            QStringList labels;
            for (const auto& [label, relation] : a->relations(QAccessible::Label))
                labels << label->text(QAccessible::Name);
            QVERIFY2(labels.contains(expected), name);
            continue;
        }
        QCOMPARE(a->text(QAccessible::Name), expected);
    }
    auto* led = w.find<ui::TComLed>("ComLed2");
    QCOMPARE(QAccessible::queryAccessibleInterface(led)->text(QAccessible::Description), QString("off"));
    led->setState(true);
    QCOMPARE(QAccessible::queryAccessibleInterface(led)->text(QAccessible::Description), QString("on"));
    QTRY_VERIFY(w.form().statusText().startsWith("Unable"));
    QCOMPARE(QAccessible::queryAccessibleInterface(w.find<QStatusBar>("stbStatus"))->text(QAccessible::Name),
             w.form().statusText());
}

void WindowTest::logMenuSaysWhenNoViewerOpens() {
    Window w("/nonexistent/velmora-test-device");
    w.prompter.viewerAvailable = false;
    w.find<QAction>("mnuFFailedLog")->trigger();
    QCOMPARE(w.prompter.opened, QStringList{w.path("Fl_smsn.Txt")});
    QCOMPARE(w.form().statusText(), "No viewer could be asked to open " + w.path("Fl_smsn.Txt"));
}

void WindowTest::theStoreIsBackedUpFromTheFileMenu() {
    Window w("/nonexistent/velmora-test-device");
    auto* action = w.find<QAction>("mnuFBackUpStore");
    QVERIFY(action);
    QVERIFY(w.form().messageStore());
    QVERIFY(w.form().messageStore()->AddOutgoing([] {
        MessageRecord m;
        m.number = "628123";
        m.text = "kept";
        PartRecord part;
        part.pdu = "0011000C912658969999990000AA0361F118";
        m.parts.push_back(part);
        return m;
    }()));
    w.prompter.files = {{w.path("copy"), 1}};
    action->trigger();
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join('\n')));
    QCOMPARE(w.form().statusText(), "The message store is copied to " + w.path("copy.sqlite"));
    {
        auto copy = MessageStore::Open(w.path("copy.sqlite"), MessageStore::Access::Read);
        QVERIFY(copy);
        QCOMPARE(copy.value()->Count({}), 1);
    }
    // Cancelled: nothing made, nothing said.
    const QString before = w.form().statusText();
    action->trigger();
    QCOMPARE(w.form().statusText(), before);
    QVERIFY(w.prompter.warnings.isEmpty());
}

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
