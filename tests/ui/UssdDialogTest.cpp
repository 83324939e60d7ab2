// Communication > USSD... on the offscreen platform against the simulated
// phone: a menu answered, a session cancelled, the classic dialogue told
// apart, the menu item following the connection.

#include "UssdDialog.h"

#include "MessageStore.h"
#include "WindowFixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

const QByteArray kFast = "[Communication Port]\nDialogue=fast\n";

// A phone recording its USSD commands, a window on it, the dialog opened.
struct OpenUssd {
    OpenUssd(const QTemporaryDir& dir, const QByteArray& settings)
        : phone(dir.filePath("pdus.txt"), {"--ussd-record", dir.filePath("ussd.txt"), "--ussd-delay", "200"}),
          window(phone.device(), settings) {
        window.show();
        connected = window.waitConnected();
        if (connected)
            window.find<QAction>("mnuUssd")->trigger();
        dialog = window.form().findChild<UssdDialog*>("UssdDialog");
        if (!dialog)
            return;
        code = dialog->findChild<QComboBox*>("cboUssdCode");
        session = dialog->findChild<QPlainTextEdit*>("txtUssdSession");
        reply = dialog->findChild<QLineEdit*>("txtUssdReply");
        status = dialog->findChild<QLabel*>("lblUssdStatus");
        send = dialog->findChild<QPushButton*>("btnUssdSend");
        cancel = dialog->findChild<QPushButton*>("btnUssdCancel");
    }
    QStringList asked(const QTemporaryDir& dir) const {
        QFile f(dir.filePath("ussd.txt"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }
    Phone phone;
    Window window;
    bool connected = false;
    UssdDialog* dialog = nullptr;
    QComboBox* code = nullptr;
    QPlainTextEdit* session = nullptr;
    QLineEdit* reply = nullptr;
    QLabel* status = nullptr;
    QPushButton *send = nullptr, *cancel = nullptr;
};

} // namespace

class UssdDialogTest : public QObject {
    Q_OBJECT

private slots:
    void aMenuIsAnsweredAndTheSessionKept();
    void cancelEndsTheSessionWithTheNetwork();
    void theClassicDialogueIsToldItNeedsTheFastOne();
    void theMenuItemFollowsTheConnection();
};

void UssdDialogTest::aMenuIsAnsweredAndTheSessionKept() {
    QTemporaryDir dir;
    OpenUssd u(dir, kFast);
    QVERIFY(u.connected);
    QVERIFY(u.dialog && u.code && u.session && u.reply && u.send && u.cancel);
    QVERIFY(u.dialog->isVisible());
    QVERIFY(!u.reply->isEnabled());
    QVERIFY(!u.cancel->isEnabled());

    // The Messages window, open meanwhile, shows the session as it goes.
    u.window.find<QAction>("mnuMessages")->trigger();
    auto* conversations = u.window.form().findChild<QAbstractItemView*>("lvConversations");
    QVERIFY(conversations);
    const auto listed = [conversations] {
        QAbstractItemModel* m = conversations->model();
        return m && !m->match(m->index(0, 0), Qt::DisplayRole, "*888#", 1, Qt::MatchContains).isEmpty();
    };
    QVERIFY(!listed());

    // The service tells every listener of the session, as it goes.
    QSignalSpy told(&u.window.form().messages(), &MessageService::ussdChanged);
    u.code->setEditText("*888#");
    // The window goes on answering while the network takes its time.
    QElapsedTimer clicked;
    clicked.start();
    QTest::mouseClick(u.send, Qt::LeftButton);
    QVERIFY(clicked.elapsed() < 100);
    QVERIFY(!u.send->isEnabled());
    QVERIFY(u.cancel->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(u.reply->isEnabled(), 10000);
    QCOMPARE(u.session->toPlainText(), QString("> *888#\n1. Paket data\n2. Pulsa"));
    QVERIFY(!u.code->isEnabled());

    u.reply->setText("1");
    QTest::keyClick(u.reply, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(u.send->isEnabled() && !u.cancel->isEnabled(), 10000);
    QCOMPARE(u.session->toPlainText(),
             QString("> *888#\n1. Paket data\n2. Pulsa\n> 1\nPaket data 2GB Rp 25.000 aktif 30 hari"));
    QVERIFY(!u.reply->isEnabled());
    QCOMPARE(u.asked(dir), (QStringList{"AT+CUSD=1,\"*888#\",15", "AT+CUSD=1,\"1\",15"}));
    QTRY_VERIFY_WITH_TIMEOUT(listed(), 5000);
    QVERIFY(!told.isEmpty());
    QVERIFY(told.back()[3].toBool()); // the last tells of its end
    QCOMPARE(told.back()[2].toString(), u.session->toPlainText());

    // Kept in the store, and the code offered again.
    auto store = MessageStore::Open(u.window.path("messages.sqlite"));
    QVERIFY(store);
    HistoryQuery query;
    query.number = "*888#";
    const auto kept = (*store)->Messages(query);
    QCOMPARE(kept.size(), std::size_t(1));
    QCOMPARE(kept[0].kind, QString("ussd"));
    QCOMPARE(kept[0].text, u.session->toPlainText());
    QCOMPARE(kept[0].state, msg::State::Sent);
    QCOMPARE(u.code->findText("*888#"), 0);
    QVERIFY(u.window.lines("velmora.Ini").join('\n').contains("VELMORA PhoneSim 1=text"));
}

void UssdDialogTest::cancelEndsTheSessionWithTheNetwork() {
    QTemporaryDir dir;
    OpenUssd u(dir, kFast);
    QVERIFY(u.connected && u.dialog);
    // Waiting for the network's answer, then in its menu.
    for (const char* code : {"*555#", "*888#"}) {
        u.code->setEditText(code);
        QTest::mouseClick(u.send, Qt::LeftButton);
        if (QString(code) == "*888#")
            QTRY_VERIFY_WITH_TIMEOUT(u.reply->isEnabled(), 10000);
        QVERIFY(u.cancel->isEnabled());
        QTest::mouseClick(u.cancel, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!u.cancel->isEnabled() && u.send->isEnabled(), 10000);
        QVERIFY(u.session->toPlainText().endsWith("[Cancelled; the session was ended.]"));
        QVERIFY(u.code->isEnabled());
    }
    QCOMPARE(u.asked(dir),
             (QStringList{"AT+CUSD=1,\"*555#\",15", "AT+CUSD=2", "AT+CUSD=1,\"*888#\",15", "AT+CUSD=2"}));
}

void UssdDialogTest::theClassicDialogueIsToldItNeedsTheFastOne() {
    QTemporaryDir dir;
    OpenUssd u(dir, {});
    QVERIFY(u.connected && u.dialog);
    u.code->setEditText("*123#");
    QTest::mouseClick(u.send, Qt::LeftButton);
    QVERIFY(u.status->text().contains("Fast Dialogue"));
    QVERIFY(u.send->isEnabled());
    QVERIFY(u.session->toPlainText().isEmpty());
    QTest::qWait(500);
    QVERIFY(u.asked(dir).isEmpty());
}

void UssdDialogTest::theMenuItemFollowsTheConnection() {
    QTemporaryDir dir;
    Phone phone(dir.filePath("pdus.txt"));
    Window window(phone.device(), kFast);
    QAction* item = window.find<QAction>("mnuUssd");
    QVERIFY(item);
    QVERIFY(!item->isEnabled());
    window.show();
    QVERIFY(window.waitConnected());
    QTRY_VERIFY(item->isEnabled());
    window.find<QAction>("mnuClosePort")->trigger();
    QTRY_VERIFY(!item->isEnabled());
}

QTEST_MAIN(UssdDialogTest)
#include "UssdDialogTest.moc"
