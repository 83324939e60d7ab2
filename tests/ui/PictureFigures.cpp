// The window's longest stall while the Picture Editor's threshold slider
// moves across its whole range, each step converting the kept grey picture
// and redrawing the memo, the preview and the editor; and how long loading
// a 4000 x 3000 JPEG photo into the Picture Message tab takes. Prints them.

#include "StallMeter.h"
#include "TestPhoto.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <cstdio>

using namespace velmora;
using namespace velmora::testing;

namespace {

void Print(const char* what, double ms, const char* target) {
    std::printf("%-58s %8.2f ms   (target %s)\n", what, ms, target);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString photo = WriteTestPhoto(tmp);
    if (photo.isEmpty())
        return 1;
    Window w("/nonexistent/velmora-figures-device");
    w.show();
    w.find<QTabWidget>("PageControl1")->setCurrentIndex(3);
    w.prompter.files << Prompter::FileChoice{photo, 1};
    QElapsedTimer t;
    t.start();
    w.find<QPushButton>("bitBrowsePM")->click();
    const double load = static_cast<double>(t.nsecsElapsed()) / 1e6;
    auto* slider = w.find<QSlider>("sldThreshold");
    auto* memo = w.find<QPlainTextEdit>("memHexPM");
    if (!w.prompter.warnings.isEmpty() || !slider->isEnabled() || memo->toPlainText().isEmpty())
        return 1;
    Print("window: 4000 x 3000 JPEG into the Picture Message tab", load, "< 200 ms");

    // Each step as the window lives it: the conversion and redraws, then
    // the paint they ask for.
    StallMeter meter;
    meter.start();
    int changes = 0;
    double total = 0, longest = 0;
    QString last = memo->toPlainText();
    for (int level = 0; level <= 255; ++level) {
        t.restart();
        slider->setValue(level);
        QApplication::processEvents();
        const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
        total += ms;
        longest = std::max(longest, ms);
        changes += memo->toPlainText() != last;
        last = memo->toPlainText();
        RunUntil([] { return false; }, 5);
    }
    const qint64 stall = meter.stop();
    if (changes == 0)
        return 1;
    Print("window: one threshold step, convert and redraw (mean)", total / 256, "< 16 ms");
    Print("window: the slowest threshold step", longest, "< 16 ms");
    Print("window: longest stall while the slider crosses 0..255", static_cast<double>(stall), "<= 16 ms");
    return 0;
}
