// At real time against the simulated phone: the fast dialogue's figures.
// One text from a fresh velmora-cli (fast beside classic), each further
// message on a connected link (the window, and a CLI sending the parts of a
// long text), and the window's longest stall meanwhile. Prints them.

#include "StallMeter.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace velmora::testing;

namespace {

// The wall time of one velmora-cli run, or -1 when it failed.
qint64 TimeCli(const QString& dir, const QStringList& args) {
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELMORA_DIR", dir);
    cli.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    cli.start(VELMORA_CLI, args);
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) {
        std::printf("velmora-cli %s failed: %s\n", qPrintable(args.join(' ')),
                    cli.readAllStandardError().data());
        return -1;
    }
    return t.elapsed();
}

qint64 Median(std::vector<qint64> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

void Print(const char* what, qint64 ms, const char* target) {
    std::printf("%-58s %6lld ms   (target %s)\n", what, static_cast<long long>(ms), target);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    Phone phone(tmp.filePath("pdus.txt"), {"--report", "delivered"});
    const QString device = phone.device();
    const QString text = "Hello from the figures";
    const QString longText = QString(300, 'x'); // two parts

    std::vector<qint64> fast, fastLong;
    for (int run = 0; run < 5; ++run) {
        fast.push_back(
            TimeCli(tmp.path(), {"send", "--device", device, "--fast", "text", "628569999999", text}));
        fastLong.push_back(TimeCli(
            tmp.path(), {"send", "--device", device, "--fast", "text", "--long", "628569999999", longText}));
    }
    const qint64 classic = TimeCli(tmp.path(), {"send", "--device", device, "text", "628569999999", text});
    Print("fresh velmora-cli send --fast, one text (median of 5)", Median(fast), "< 500 ms");
    Print("fresh velmora-cli send, classic dialogue, one text", classic, "the fixed pauses");
    Print("velmora-cli send --fast: the second part of a long text", Median(fastLong) - Median(fast),
          "< 100 ms");
    const qint64 report =
        TimeCli(tmp.path(), {"send", "--device", device, "--report", "text", "628569999999", text});
    Print("fresh velmora-cli send --report, until \"Delivered\"", report,
          "the network's 300 ms, then the rest");

    StallMeter meter;
    Window w(device, "[Communication Port]\nDialogue=fast\n", 1.0);
    w.show();
    QElapsedTimer connect;
    connect.start();
    meter.start();
    auto* send = w.find<QPushButton>("bitSendSMS");
    if (!RunUntil([&] { return send->isEnabled(); }, 15000))
        return 1;
    Print("window: connect in the fast dialogue", connect.elapsed(), "well under a second");
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    std::vector<qint64> each;
    for (int i = 0; i < 10; ++i) {
        w.find<QPlainTextEdit>("memText")->setPlainText(QString("Message %1").arg(i));
        QElapsedTimer t;
        t.start();
        send->click();
        if (!RunUntil([&] { return send->isEnabled(); }, 15000))
            return 1;
        each.push_back(t.elapsed());
    }
    Print("window: each further message, Send to done (median of 10)", Median(each), "< 100 ms");
    Print("window: the slowest of them", *std::max_element(each.begin(), each.end()), "< 100 ms");
    w.find<QCheckBox>("chkLong")->setChecked(true);
    w.find<QPlainTextEdit>("memText")->setPlainText(longText);
    QElapsedTimer t;
    t.start();
    send->click();
    if (!RunUntil([&] { return send->isEnabled(); }, 15000))
        return 1;
    Print("window: a 300-character text, both parts", t.elapsed(), "< 200 ms");
    Print("window: longest stall over all of it", meter.stop(), "<= 16 ms");
    return 0;
}
