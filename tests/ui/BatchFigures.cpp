// 1,000 recipients typed into the destination and queued from the window:
// the window's longest stall from the click until the batch is recorded and
// shown, and how long it took to land. For comparison, the same batch built
// and recorded on the window's own thread, as it was before. Prints them.

#include "MessageStore.h"
#include "Outbox.h"
#include "OutboxWindow.h"
#include "StallMeter.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdio>

using namespace velmora;
using namespace velmora::testing;

namespace {

const int kRecipients = 1000;

void Print(const char* what, double ms, const char* target) {
    std::printf("%-58s %8.1f ms   (target %s)\n", what, ms, target);
}

double Ms(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

QString Numbers(int first) {
    QStringList numbers;
    for (int i = 0; i < kRecipients; ++i)
        numbers << QString("62813%1").arg(first + i);
    return numbers.join(", ");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window w("/dev/null/none");
    w.show();
    MessageStore* store = w.form().messageStore();
    if (!store) {
        std::printf("no store\n");
        return 1;
    }
    int failures = 0;
    // Loose by default, as the other window figures: a busy machine stalls
    // any program; VELMORA_STALL_LIMIT_MS=16 holds it to the target.
    const qint64 stallLimit = qEnvironmentVariableIntValue("VELMORA_STALL_LIMIT_MS") ?: 150;
    // Three rounds, each a new batch (other numbers): the first opens the
    // recorder's own connection.
    for (int round = 0; round < 3; ++round) {
        const std::size_t before = store->Batches().size();
        w.find<QLineEdit>("txtHPNo")->setText(Numbers(4000000 + round * kRecipients));
        w.find<QPlainTextEdit>("memText")->setPlainText("Rapat besok jam 9 di balai desa");
        StallMeter meter;
        meter.start();
        QElapsedTimer t;
        t.start();
        QMetaObject::invokeMethod(&w.form(), "bitSendSMSClick", Qt::QueuedConnection);
        const qint64 shownBefore = w.form().outboxWindow() ? w.form().outboxWindow()->chosenBatch() : 0;
        // Looked at without reading the store: the check must not stall the window itself.
        const bool landed = RunUntil(
            [&] {
                OutboxWindow* shown = w.form().outboxWindow();
                return !w.form().recordingBatch() && shown && shown->chosenBatch() != shownBefore &&
                       shown->isListed();
            },
            30000);
        const double took = Ms(t);
        const double stall = static_cast<double>(meter.stop());
        if (!landed || store->Batches().size() != before + 1 ||
            store->Batches().front().total != kRecipients) {
            std::printf("round %d: the batch did not land\n", round + 1);
            return 1;
        }
        std::printf("round %d: 1,000 typed recipients recorded and listed in %.1f ms\n", round + 1, took);
        Print("window: longest stall while 1,000 are queued", stall, "<= 16 ms");
        failures += stall > static_cast<double>(stallLimit) ? 1 : 0;
    }

    // The same built and recorded on the window's thread, for comparison.
    BatchRequest request;
    for (int i = 0; i < kRecipients; ++i) {
        BatchRecipient r;
        r.request.destination = "62814" + std::to_string(4000000 + i);
        r.request.text = u"Rapat besok jam 9 di balai desa";
        request.recipients.push_back(r);
    }
    StallMeter meter;
    meter.start();
    QTimer::singleShot(0, &w.form(), [&] { w.form().outbox().queue(request); });
    RunUntil([&] { return store->Batches().size() == 4; }, 30000);
    RunUntil([] { return false; }, 50);
    Print("the same on the window's thread (before): its stall", static_cast<double>(meter.stop()),
          "for comparison");
    return failures ? 1 : 0;
}
