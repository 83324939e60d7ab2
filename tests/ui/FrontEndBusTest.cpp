// The window and velmorad on a private session bus (a dbus-daemon of the test's own), on
// the simulated phone: a window started while velmorad holds the modem
// says so, sends through it and follows the message to "Sent" from the
// daemon's signals and its store, and says so when the daemon stops; a
// window that holds the modem itself answers velmora-cli's calls on the
// bus until it lets the modem go.

#include "BusClient.h"
#include "BusRunningProgram.h"
#include "MessageListModel.h"
#include "MessagesWindow.h"
#include "WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

// The program holding the name on the session bus within `ms`, or null.
std::unique_ptr<api::BusClient> WaitForHolder(int ms) {
    std::unique_ptr<api::BusClient> found;
    [[maybe_unused]] const bool got =
        QTest::qWaitFor([&] { return (found = api::BusClient::Find()) != nullptr; }, ms);
    return found;
}

bool NameFree(int ms) {
    return QTest::qWaitFor([] { return api::BusClient::Find() == nullptr; }, ms);
}

} // namespace

class FrontEndBusTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void theWindowBesideVelmoradSendsThroughItAndSaysWhenItStops();
    void aWindowHoldingTheModemAnswersOnTheBusUntilItLetsItGo();

private:
    QProcess m_bus;
    QString m_address;
};

// One bus for the process, before anything connects to one: Qt keeps its
// session connection once made.
void FrontEndBusTest::initTestCase() {
    m_bus.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    QVERIFY(m_bus.waitForStarted(5000));
    QVERIFY(m_bus.waitForReadyRead(5000));
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY(!m_address.isEmpty());
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    QVERIFY(NameFree(100));
}

void FrontEndBusTest::cleanupTestCase() {
    m_bus.kill();
    m_bus.waitForFinished(5000);
}

void FrontEndBusTest::theWindowBesideVelmoradSendsThroughItAndSaysWhenItStops() {
    QTemporaryDir dir;
    Phone phone(dir.filePath("a.pdus"), {"--imei", "354812345678908"});
    QFile conf(dir.filePath("velmorad.conf"));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write(QString("[Modem a]\nDevice=%1\n").arg(phone.device()).toUtf8());
    conf.close();
    QProcess daemon;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_DIR", dir.path());
    env.insert("DBUS_SESSION_BUS_ADDRESS", m_address);
    env.insert("LANG", "C.UTF-8");
    env.remove("LANGUAGE");
    env.remove("LC_ALL");
    daemon.setProcessEnvironment(env);
    daemon.setStandardErrorFile(dir.filePath("log"));
    daemon.start(VELMORAD, {"--config", conf.fileName()});
    QVERIFY(daemon.waitForStarted(5000));
    QVERIFY2(WaitForHolder(15000), "velmorad never took the name");

    // velmora --device naming the daemon's phone works through it; naming
    // another, the window opens that one itself.
    QVERIFY(BusRunningProgram::Find(phone.device()));
    QVERIFY(!BusRunningProgram::Find(dir.filePath("another-phone")));
    auto running = BusRunningProgram::Find();
    QVERIFY(running);
    Window window(std::move(running));
    window.show();
    TForm1& form = window.form();
    QCOMPARE(window.find<QLabel>("lblFrontEnd")->text(), "Working through velmorad (1 modem)");
    QVERIFY(form.messageStore()); // the daemon's store, read only

    window.find<QLineEdit>("txtHPNo")->setText("62812345678");
    window.find<QPlainTextEdit>("memText")->setPlainText("Rapat jam 9");
    window.find<QAction>("mnuSentMessages")->trigger();
    QSignalSpy said(form.statusBar(), &QStatusBar::messageChanged);
    QTest::mouseClick(window.find<QPushButton>("bitSendSMS"), Qt::LeftButton);
    // The daemon sends it; its signals and its store bring the window to "Sent".
    QTRY_COMPARE_WITH_TIMEOUT(form.statusText(), "Sent", 20000);
    QStringList steps;
    for (const QList<QVariant>& s : said)
        steps << s.front().toString();
    QVERIFY2(steps.size() >= 2 && steps.front().startsWith("Queued through velmorad as message "),
             qPrintable(steps.join(" | ")));
    QCOMPARE(phone.received().size(), 1);
    QVERIFY(window.prompter.warnings.isEmpty());
    MessageListModel* shown = form.findChild<MessagesWindow*>()->messages();
    QTRY_COMPARE(shown->rowCount(), 1);

    // terminate(): SIGTERM, and nothing at all when it has ended already.
    daemon.terminate();
    QVERIFY(daemon.waitForFinished(12000));
    QTRY_VERIFY_WITH_TIMEOUT(form.frontEndText().startsWith("velmorad has stopped"), 5000);
    QVERIFY(window.find<QPushButton>("btnTakeModem")->isVisible());
}

void FrontEndBusTest::aWindowHoldingTheModemAnswersOnTheBusUntilItLetsItGo() {
    QTemporaryDir dir;
    Phone phone(dir.filePath("w.pdus"));
    Window window(phone.device());
    window.answerOnBus = true;
    window.recreate(phone.device(), 0.1);
    window.show();
    QVERIFY(window.waitConnected());
    auto client = WaitForHolder(5000);
    QVERIFY2(client, "the window never took the name");
    const auto ids = client->sendText({"62812345678"}, "Halo dari skrip", {});
    QVERIFY2(ids, qPrintable(ids ? QString() : ids.error().why));
    QCOMPARE(ids->size(), std::size_t(1));
    QTRY_COMPARE_WITH_TIMEOUT(phone.received().size(), 1, 20000);

    // A second window finds the first holding the modem and sends through it.
    {
        auto first = BusRunningProgram::Find();
        QVERIFY(first);
        Window second(std::move(first));
        second.show();
        QVERIFY2(second.form().frontEndText().endsWith("(1 modem)"),
                 qPrintable(second.form().frontEndText()));
        second.find<QLineEdit>("txtHPNo")->setText("62812345679");
        second.find<QPlainTextEdit>("memText")->setPlainText("Dari jendela kedua");
        QTest::mouseClick(second.find<QPushButton>("bitSendSMS"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(phone.received().size(), 2, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(second.form().statusText(), "Sent", 5000);
        QCOMPARE(window.form().link().state(), PhoneLink::State::Connected);
    }

    window.find<QAction>("mnuClosePort")->trigger();
    QVERIFY2(NameFree(5000), "the name stayed with a window that let the modem go");
}

QTEST_MAIN(FrontEndBusTest)
#include "FrontEndBusTest.moc"
