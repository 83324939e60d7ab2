// The window against the simulated phone at real time, once per exchange:
// every other window test runs the dialogue on a scaled clock, so this is
// where the program's own intervals meet a phone. Each exchange must take at
// least the sleeps it is made of, and not much more.

#include "WindowFixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <functional>

using namespace velmora;
using namespace velmora::testing;

class RealTimeTest : public QObject {
    Q_OBJECT

private slots:
    void eachExchangeTakesItsRealIntervals();
};

namespace {

// What a loaded machine and a sanitised build may add to an exchange.
constexpr qint64 kSlackMs = 3000;

// Waits for `spy`'s next emission and gives the time it took, or -1.
qint64 Timed(QSignalSpy& spy, int limitMs, const std::function<void()>& start = {}) {
    const int before = spy.count();
    QElapsedTimer t;
    t.start();
    if (start)
        start();
    if (!QTest::qWaitFor([&] { return spy.count() > before; }, limitMs))
        return -1;
    return t.elapsed();
}

QByteArray Between(qint64 ms, qint64 least, qint64 most) {
    return QString("%1 ms, not within [%2, %3]").arg(ms).arg(least).arg(most).toLatin1();
}

} // namespace

void RealTimeTest::eachExchangeTakesItsRealIntervals() {
    QTemporaryDir tmp;
    QFile book(tmp.filePath("book.txt"));
    QVERIFY(book.open(QIODevice::WriteOnly));
    book.write("1,+628569999999,Budi\n2,0812345678,Sari\n");
    book.close();
    Phone phone(tmp.filePath("pdus.txt"), {"--phonebook", book.fileName()});
    Window w(phone.device(), {}, 1.0);
    PhoneLink& link = w.form().link();
    QSignalSpy connected(&link, &PhoneLink::connectFinished);
    QSignalSpy polled(&link, &PhoneLink::signalQuality);
    QSignalSpy sent(&link, &PhoneLink::sendFinished);
    QSignalSpy read(&link, &PhoneLink::phonebookFinished);
    QSignalSpy operators(&link, &PhoneLink::operatorsFinished);

    // Connect: ate0 and its answer, then the setup commands: 3.5 s of sleeps.
    const qint64 connect = Timed(connected, 15000, [&] { w.show(); });
    QVERIFY2(connect >= 3500 && connect < 3500 + kSlackMs, Between(connect, 3500, 3500 + kSlackMs));
    QVERIFY(connected[0][0].toBool());

    // The signal poll comes 20 s after the connection, by a coarse timer
    // (within 5 %), and waits 200 ms for the answer.
    const qint64 poll = Timed(polled, 30000);
    QVERIFY2(poll >= 19000 && poll < 21200 + kSlackMs, Between(poll, 19000, 21200 + kSlackMs));

    // One submission: 1.5 s of sleeps.
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    w.find<QPlainTextEdit>("memText")->setPlainText("At real time");
    const qint64 submit = Timed(sent, 15000, [&] { w.find<QPushButton>("bitSendSMS")->click(); });
    QVERIFY2(submit >= 1500 && submit < 1500 + kSlackMs, Between(submit, 1500, 1500 + kSlackMs));
    QVERIFY(sent[0][0].toBool());
    QCOMPARE(phone.received().size(), 1);

    // The phone book: two entries and the five empty slots that end the
    // read, each at least one 300 ms wait.
    const qint64 phonebook = Timed(read, 20000, [&] { w.find<QPushButton>("bitPhonebook")->click(); });
    QVERIFY2(phonebook >= 7 * 300 && phonebook < 7 * 300 + kSlackMs,
             Between(phonebook, 7 * 300, 7 * 300 + kSlackMs));
    QCOMPARE(read[0][1].toInt(), 2);

    // The operator list takes its full ten seconds; entering the tab asks.
    const qint64 list =
        Timed(operators, 25000, [&] { w.find<QTabWidget>("PageControl1")->setCurrentIndex(1); });
    QVERIFY2(list >= 10000 && list < 10000 + kSlackMs, Between(list, 10000, 10000 + kSlackMs));
    QVERIFY(operators[0][0].toBool());
    // The spy hears the link's thread at once; the window hears it through
    // its event queue, a moment later.
    QTRY_VERIFY(w.find<QComboBox>("cboProvider")->count() > 0);
}

QTEST_MAIN(RealTimeTest)
#include "RealTimeTest.moc"
