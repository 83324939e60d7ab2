// At real time against the simulated phone: an inbox of 100 stored messages
// read in the fast dialogue, by a fresh velmora-cli and by the window, and
// the window's longest stall meanwhile. Prints them.

#include "InboxDialog.h"
#include "MessageRequest.h"
#include "StallMeter.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace velmora;
using namespace velmora::testing;

namespace {

void Print(const char* what, qint64 ms, const char* target) {
    std::printf("%-58s %6lld ms   (target %s)\n", what, static_cast<long long>(ms), target);
}

// 80 texts of 160 characters and 10 long texts of two parts each.
bool WriteStore(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    MessageRequest r;
    r.destination = "628569999999";
    for (int i = 0; i < 90; ++i) {
        r.longText = i >= 80;
        r.concatReference = i;
        r.text = QString(i >= 80 ? 300 : 160, QChar('a' + i % 26)).toStdU16String();
        const auto built = BuildMessage(r);
        for (const auto& pdu : built->pdus)
            f.write(QByteArray::fromStdString(pdu + "\n"));
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    if (!WriteStore(tmp.filePath("inbox.txt")))
        return 1;
    Phone phone(tmp.filePath("pdus.txt"), {"--inbox", tmp.filePath("inbox.txt")});
    const QString device = phone.device();

    std::vector<qint64> cli;
    for (int run = 0; run < 3; ++run) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELMORA_DIR", tmp.path());
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(VELMORA_CLI, {"inbox", "--device", device, "--fast", "--json"});
        if (!p.waitForFinished(60000) || p.exitCode() != 0 || p.readAllStandardOutput().count('\n') != 90) {
            std::printf("velmora-cli inbox failed: %s\n", p.readAllStandardError().data());
            return 1;
        }
        cli.push_back(t.elapsed());
    }
    std::sort(cli.begin(), cli.end());
    Print("fresh velmora-cli inbox --fast, 100 stored (median of 3)", cli[1], "< 2000 ms");

    StallMeter meter;
    Window w(device, "[Communication Port]\nDialogue=fast\n", 1.0);
    w.show();
    if (!w.waitConnected(15000))
        return 1;
    w.find<QAction>("mnuInbox")->trigger();
    auto* inbox = w.form().findChild<InboxDialog*>("InboxDialog");
    meter.start();
    QElapsedTimer t;
    t.start();
    if (!RunUntil([&] { return inbox->rows() == 90; }, 15000))
        return 1;
    Print("window: Inbox opened to 100 stored messages listed", t.elapsed(), "< 2000 ms");
    auto* again = inbox->findChild<QPushButton*>("btnInboxRead");
    t.restart();
    again->click();
    if (!RunUntil([&] { return again->isEnabled(); }, 15000))
        return 1;
    Print("window: Read From Phone again", t.elapsed(), "< 2000 ms");
    Print("window: longest stall over both reads", meter.stop(), "<= 16 ms");
    return 0;
}
