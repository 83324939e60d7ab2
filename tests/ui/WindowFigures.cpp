// At real time against the simulated phone: the time from start to the
// first painted window, and the longest stall of the window's event loop
// while it connects and while it sends one text. Prints the figures.

#include "StallMeter.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace velmora::testing;

namespace {

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
    // The figures worth quoting come from a Release build on a quiet machine
    // (set the limits to the targets, 300 and 16, to check them). By default
    // the limits only catch a window that waits on the phone: the shortest
    // wait of the dialogue is 200 ms, and a cold start of a sanitised build
    // on a busy machine has taken over 4 s.
    const qint64 startLimit = qEnvironmentVariableIntValue("VELMORA_START_LIMIT_MS") ?: 10000;
    const qint64 stallLimit = qEnvironmentVariableIntValue("VELMORA_STALL_LIMIT_MS") ?: 150;
    QTemporaryDir tmp;
    Phone phone(tmp.filePath("pdus.txt"));
    int failures = 0;

    StallMeter meter;
    {
        Window w(phone.device(), {}, 1.0);
        FirstPaint paint;
        w.form().installEventFilter(&paint);
        w.form().show();
        if (!RunUntil([&] { return paint.painted; }, 5000))
            return 1;
        failures += Check("start to first painted window", sinceStart.elapsed(), startLimit);
        // The connection runs from here on (the first paint itself is counted above).
        meter.start();
        auto* sendButton = w.find<QPushButton>("bitSendSMS");
        if (!RunUntil([&] { return sendButton->isEnabled(); }, 15000))
            return 1;
        failures += Check("longest stall while connecting", meter.stop(), stallLimit);

        // What the meter shows with nothing happening, for comparison.
        meter.start();
        RunUntil([] { return false; }, 2000);
        std::printf("longest stall while idle (the meter's own noise): %lld ms\n",
                    static_cast<long long>(meter.stop()));

        w.find<QLineEdit>("txtHPNo")->setText("628569999999");
        w.find<QPlainTextEdit>("memText")->setPlainText("Hello from the figures");
        meter.start();
        w.find<QPushButton>("bitSendSMS")->click();
        if (!RunUntil([&] { return sendButton->isEnabled(); }, 15000))
            return 1;
        failures += Check("longest stall while sending one text", meter.stop(), stallLimit);
        if (phone.received().size() != 1)
            return 1;

        // The operator list takes its full ten seconds.
        auto* providers = w.find<QComboBox>("cboProvider");
        // Entering the tab lays out its page for the first time; the read
        // is metered from the next round of the event loop on.
        w.find<QTabWidget>("PageControl1")->setCurrentIndex(1);
        RunUntil([] { return false; }, 20);
        meter.start();
        if (!RunUntil([&] { return providers->count() > 0; }, 20000))
            return 1;
        failures += Check("longest stall while reading the operator list", meter.stop(), stallLimit);
    }
    return failures;
}
