// At real time against the simulated phone: the time from start to the
// first painted window, and the longest stall of the window's event loop
// while it connects and while it sends one text. Prints the figures.

#include "WindowFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace velmora::testing;

namespace {

// Ticks every 5 ms on the window's thread and keeps the longest gap.
class StallMeter : public QObject {
public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this,
                [this] { m_longest = std::max(m_longest, m_since.restart()); });
    }
    void start() {
        m_longest = 0;
        m_since.start();
        m_timer.start(5);
    }
    qint64 stop() {
        m_timer.stop();
        return m_longest;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* e) override {
        painted = painted || e->type() == QEvent::Paint;
        return false;
    }
};

// Gives 0 when the figure is within its limit.
int Check(const char* what, qint64 ms, qint64 limit) {
    std::printf("%s: %lld ms (limit here %lld ms)\n", what, static_cast<long long>(ms),
                static_cast<long long>(limit));
    return ms <= limit ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    // The limits leave room for a sanitised debug build on a busy machine;
    // the figures worth quoting come from a Release build.
    const qint64 startLimit = qEnvironmentVariableIntValue("VELMORA_START_LIMIT_MS") ?: 1500;
    const qint64 stallLimit = qEnvironmentVariableIntValue("VELMORA_STALL_LIMIT_MS") ?: 100;
    QTemporaryDir tmp;
    Phone phone(tmp.filePath("pdus.txt"));
    int failures = 0;

    StallMeter meter;
    {
        Window w(phone.device(), {}, 1.0);
        FirstPaint paint;
        w.form().installEventFilter(&paint);
        meter.start();
        w.form().show();
        if (!QTest::qWaitFor([&] { return paint.painted; }, 5000))
            return 1;
        failures += Check("start to first painted window", sinceStart.elapsed(), startLimit);
        if (!w.waitConnected(15000))
            return 1;
        failures += Check("longest stall while connecting", meter.stop(), stallLimit);

        w.find<QLineEdit>("txtHPNo")->setText("628569999999");
        w.find<QPlainTextEdit>("memText")->setPlainText("Hello from the figures");
        meter.start();
        w.find<QPushButton>("bitSendSMS")->click();
        if (!QTest::qWaitFor([&] { return w.find<QPushButton>("bitSendSMS")->isEnabled(); }, 15000))
            return 1;
        failures += Check("longest stall while sending one text", meter.stop(), stallLimit);
        if (phone.received().size() != 1)
            return 1;
    }
    return failures;
}
