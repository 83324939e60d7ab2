// Communication > Find Phone on the offscreen platform: the simulated phone
// on COM3, a device that never answers on COM1, no other port present.

#include "FindPhoneDialog.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

using namespace velmora;
using namespace velmora::testing;

class FindPhoneTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SimPhone> m_phone, m_silent;
    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<TForm1> m_form;

    // A window that has not connected: the devices are only the dialog's.
    void MakeWindow(const std::string& com2 = "") {
        m_dir = std::make_unique<QTemporaryDir>(); // the settings of a first run
        m_phone = std::make_unique<SimPhone>();
        m_silent = std::make_unique<SimPhone>(std::vector<std::string>{"--silent"});
        DeviceOptions options;
        for (int n = 1; n <= 9; ++n)
            options.ports[n] = "/dev/velmora-test-absent-" + std::to_string(n);
        options.ports[1] = m_silent->device();
        options.ports[3] = m_phone->device();
        if (!com2.empty())
            options.ports[2] = com2;
        WindowSetup setup = MakeWindowSetup(AppPathsIn(m_dir->path().toStdString()), options,
                                            [] { return std::make_unique<RealClock>(0.1); });
        m_prompter = std::make_unique<TestPrompter>();
        setup.prompter = m_prompter.get();
        m_form = std::make_unique<TForm1>(std::move(setup));
    }
    QAction* action(const char* name) { return m_form->findChild<QAction*>(name); }
    static QStringList row(QTableWidget* table, int r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(r, c)->text();
        return cells;
    }

private slots:
    void cleanup() {
        if (m_form)
            m_form->close();
        m_form.reset();
        m_phone.reset();
        m_silent.reset();
    }
    void findsTheAnsweringPortAndPickingItSetsThePort();
    void closingWhileAskingEndsAtOnceAndChangesNothing();
    void aVirtualPortItsMakerHoldsIsAsked();
};

void FindPhoneTest::findsTheAnsweringPortAndPickingItSetsThePort() {
    MakeWindow();
    QVERIFY(action("COM11")->isChecked());
    bool asked = false;
    m_prompter->onDialog = [&](QDialog& dialog) {
        auto* table = dialog.findChild<QTableWidget*>("tblPorts");
        auto* use = dialog.findChild<QPushButton*>("btnUsePort");
        QVERIFY(table && use);
        QCOMPARE(QAccessible::queryAccessibleInterface(use)->text(QAccessible::Name),
                 QString("Use This Port"));
        QCOMPARE(QAccessible::queryAccessibleInterface(table)->text(QAccessible::Name),
                 QString("Serial devices"));
        QCOMPARE(table->rowCount(), 2);
        // The dialog is up and the window answers while the devices are asked.
        QCOMPARE(table->item(0, 2)->text(), QString("asking ..."));
        QVERIFY(QTest::qWaitFor([&] { return !static_cast<FindPhoneDialog&>(dialog).probing(); }, 3000));
        QCOMPARE(row(table, 0),
                 (QStringList{"COM1", QString::fromStdString(m_silent->device()), "no answer"}));
        QCOMPARE(row(table, 1), (QStringList{"COM3", QString::fromStdString(m_phone->device()),
                                             "answers: VELMORA PhoneSim 1"}));
        QCOMPARE(dialog.findChild<QLabel*>("lblFindStatus")->text(), QString("A phone answered on COM3."));
        table->selectRow(0);
        QVERIFY(!use->isEnabled());
        table->selectRow(1);
        QVERIFY(use->isEnabled());
        use->click();
        asked = true;
    };
    action("mnuFindPhone")->trigger();
    QVERIFY(asked);
    QCOMPARE(int(m_form->settings().PortNumber), 3);
    QVERIFY(action("COM31")->isChecked());
    QVERIFY(!action("COM11")->isChecked());
    // As the menu's choice does: the window connects to the phone there.
    QVERIFY(
        QTest::qWaitFor([&] { return m_form->findChild<QPushButton*>("bitSendSMS")->isEnabled(); }, 10000));
}

void FindPhoneTest::closingWhileAskingEndsAtOnceAndChangesNothing() {
    MakeWindow();
    QElapsedTimer timer;
    m_prompter->onDialog = [&](QDialog& dialog) {
        QVERIFY(static_cast<FindPhoneDialog&>(dialog).probing());
        QTest::qWait(100);
        timer.start();
        dialog.reject();
    };
    action("mnuFindPhone")->trigger();
    // The silent device alone would have taken a second.
    QVERIFY2(timer.elapsed() < 400, QByteArray::number(timer.elapsed()));
    QCOMPARE(int(m_form->settings().PortNumber), 1);
    QVERIFY(action("COM11")->isChecked());
}

// socat's way: the maker of the pseudo-terminal (here this test) holds its
// master and the port itself. It is asked, not called busy.
void FindPhoneTest::aVirtualPortItsMakerHoldsIsAsked() {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const std::string port = ::ptsname(master);
    const int held = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(held >= 0);
    MakeWindow(port);
    QStringList found;
    m_prompter->onDialog = [&](QDialog& dialog) {
        auto* table = dialog.findChild<QTableWidget*>("tblPorts");
        QVERIFY(QTest::qWaitFor([&] { return !static_cast<FindPhoneDialog&>(dialog).probing(); }, 3000));
        found = row(table, 1);
        dialog.reject();
    };
    action("mnuFindPhone")->trigger();
    QCOMPARE(found, (QStringList{"COM2", QString::fromStdString(port), "no answer"}));
    char asked[16] = {};
    const ssize_t n = ::read(master, asked, sizeof asked);
    // The escape first, for a phone left at the PDU prompt.
    QCOMPARE(QByteArray(asked, static_cast<int>(std::max<ssize_t>(n, 0))), QByteArray("\x1B"
                                                                                      "AT\r"));
    ::close(held);
    ::close(master);
}

QTEST_MAIN(FindPhoneTest)
#include "FindPhoneTest.moc"
