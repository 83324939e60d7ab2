#pragma once

#include "LinkEvents.h"
#include "PhoneLink.h"

#include <QObject>
#include <QString>

class QProgressBar;
class QTimer;

namespace Ui {
class TForm1;
}

namespace velmora {

// What the window shows of the link: the connection icon, the lamps, the
// line-signal circles, the signal gauges, the status bar and its progress
// bar for long reads. It keeps only what drawing them needs (the status
// text, the gauge's climb); the link's state is the link's.
class LinkIndicators : public QObject {
public:
    LinkIndicators(Ui::TForm1& ui, QObject* parent);

    void showStatus(const QString& text);
    const QString& statusText() const { return m_status; }
    // A menu item's tip hid the status text: put it back.
    void restoreStatus();

    void stateChanged(PhoneLink::State state);
    void readProgress(int done, int total);
    void lamp(LedSignal lamp, bool on);
    void lineSignals(bool cts, bool dsr, bool ring, bool rlsd);
    // Connect sets the gauge at once; a poll makes it climb.
    void signalBar(int bars);
    void signalQuality(const QString& rssi, const QString& ber, int bars, int berBar);

private:
    void climb();

    Ui::TForm1& m_ui;
    QTimer* m_climb;
    QProgressBar* m_readProgress;
    QString m_status;
    int m_barTarget = 0;
};

} // namespace velmora
