#include "LinkIndicators.h"

#include "TComLed.h"
#include "ui_TForm1.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QTimer>

namespace velmora {

LinkIndicators::LinkIndicators(Ui::TForm1& ui, QObject* parent)
    : QObject(parent), m_ui(ui), m_climb(new QTimer(this)), m_readProgress(new QProgressBar) {
    m_readProgress->setAccessibleName(
        QCoreApplication::translate("LinkIndicators", "Reading from the phone"));
    m_readProgress->setMaximumWidth(120);
    m_readProgress->setTextVisible(false);
    m_readProgress->hide();
    m_ui.stbStatus->addPermanentWidget(m_readProgress);
    // The gauge climbs from empty to the class, a bar every 50 ms.
    m_climb->setInterval(50);
    connect(m_climb, &QTimer::timeout, this, &LinkIndicators::climb);
}

void LinkIndicators::showStatus(const QString& text) {
    m_status = text;
    m_ui.stbStatus->showMessage(text);
    // Screen readers read the bar by its name.
    m_ui.stbStatus->setAccessibleName(text);
}

void LinkIndicators::restoreStatus() { m_ui.stbStatus->showMessage(m_status); }

void LinkIndicators::stateChanged(PhoneLink::State state) {
    // A long read shows how far it is beside the status text, which keeps
    // saying what the phone is asked.
    const bool reading = state == PhoneLink::State::ReadingPhonebook ||
                         state == PhoneLink::State::ReadingOperators ||
                         state == PhoneLink::State::ReadingInbox;
    if (reading && !m_readProgress->isVisible())
        m_readProgress->setValue(0);
    m_readProgress->setVisible(reading);
    const bool open = state >= PhoneLink::State::Identifying;
    m_ui.imgClose->setVisible(!open);
    m_ui.imgOpen->setVisible(open);
    m_ui.imgOpen->move(m_ui.imgClose->pos());
}

void LinkIndicators::readProgress(int done, int total) {
    m_readProgress->setRange(0, total);
    m_readProgress->setValue(done);
}

void LinkIndicators::lamp(LedSignal lamp, bool on) {
    ui::TComLed* led = lamp == LedSignal::Conn ? m_ui.ComLed1
                       : lamp == LedSignal::Tx ? m_ui.ComLed2
                                               : m_ui.ComLed3;
    led->setState(on);
}

void LinkIndicators::lineSignals(bool cts, bool dsr, bool /*ring*/, bool rlsd) {
    m_ui.shpCTS->setOn(cts);
    m_ui.shpDSR->setOn(dsr);
    m_ui.shpRLSD->setOn(rlsd);
}

void LinkIndicators::signalBar(int bars) {
    m_climb->stop();
    m_ui.pbarRSSI->setValue(bars);
}

void LinkIndicators::signalQuality(const QString& rssi, const QString& ber, int bars, int berBar) {
    m_ui.lblRSSI->setText(rssi);
    m_ui.lblBER->setText(ber);
    m_ui.pbarBER->setValue(berBar);
    m_ui.pbarRSSI->setValue(0);
    m_barTarget = bars;
    if (bars > 0)
        m_climb->start();
    else
        m_climb->stop();
}

void LinkIndicators::climb() {
    const int next = m_ui.pbarRSSI->value() + 1;
    m_ui.pbarRSSI->setValue(next);
    if (next >= m_barTarget)
        m_climb->stop();
}

} // namespace velmora
