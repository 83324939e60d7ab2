// The window's side of the phone link: the Communication menu, the
// connection icon, the lamps, the line signals and the signal gauges.

#include "TForm1.h"
#include "TForm2.h"
#include "ui_TForm1.h"

#include <QTimer>

namespace velmora {

void TForm1::mnuOpenPortClick() { m_link->connectPhone(m_settings.PortNumber, m_settings.BaudRate); }

void TForm1::mnuClosePortClick() { m_link->disconnectPhone(); }

// The choice waits its turn behind whatever the link is doing.
void TForm1::SerialPortClick(int portNumber) {
    m_settings.PortNumber = static_cast<std::uint8_t>(portNumber);
    m_link->reconnect(m_settings.PortNumber, m_settings.BaudRate);
}

void TForm1::BaudrateClick(int baudRate) {
    m_settings.BaudRate = baudRate;
    m_link->reconnect(m_settings.PortNumber, m_settings.BaudRate);
}

void TForm1::LinkStateChanged(PhoneLink::State state) {
    m_linkState = state;
    // A long read shows how far it is beside the status text, which keeps
    // saying what the phone is asked.
    const bool reading =
        state == PhoneLink::State::ReadingPhonebook || state == PhoneLink::State::ReadingOperators;
    if (reading && !m_readProgress->isVisible())
        m_readProgress->setValue(0);
    m_readProgress->setVisible(reading);
    // The list empties only when the link really reads: a list that is
    // current is kept and shown as it is.
    if (state == PhoneLink::State::ReadingPhonebook)
        m_ui->lvContact->clear();
    SetConnectionIcon(state >= PhoneLink::State::Identifying);
    SetConnectedUI(PhoneLink::IsUp(state));
}

void TForm1::SetConnectionIcon(bool open) {
    m_ui->imgClose->setVisible(!open);
    m_ui->imgOpen->setVisible(open);
    m_ui->imgOpen->move(m_ui->imgClose->pos());
}

void TForm1::SetConnectedUI(bool on) {
    m_ui->bitSendSMS->setEnabled(on && !m_sending);
    m_ui->bitPhonebook->setEnabled(on);
    m_ui->mnuPhonebook->menuAction()->setEnabled(on);
    m_ui->mnuMobile->setEnabled(on);
}

void TForm1::LinkStatus(const QString& text) { ShowStatus(text); }

void TForm1::ReadProgress(int done, int total) {
    m_readProgress->setRange(0, total);
    m_readProgress->setValue(done);
}

// Each step of a submission replaces the monitor's text.
void TForm1::LinkMonitor(const QString& text) { m_ui->memDebug->setPlainText(text); }

// What the phone or the platform said beside a step is a line of its own
// in the monitor; during a connect the platform's reason comes with the
// device tried (ConnectFailed), which replaces the monitor's text. A log
// that could not be written goes to the status bar: the monitor's text is
// the submission's outcome, shown right after.
void TForm1::LinkProblem(ProblemKind kind, const QString& text) {
    switch (kind) {
    case ProblemKind::PhoneRefused:
        m_ui->memDebug->appendPlainText(text);
        break;
    case ProblemKind::LinkError:
        if (PhoneLink::IsUp(m_linkState))
            m_ui->memDebug->appendPlainText(text);
        break;
    case ProblemKind::ConnectFailed:
        m_ui->memDebug->setPlainText(text);
        break;
    case ProblemKind::LogFailed:
        ShowStatus(text);
        break;
    }
}

void TForm1::LampChanged(LedSignal lamp, bool on) {
    ui::TComLed* led = lamp == LedSignal::Conn ? m_ui->ComLed1
                       : lamp == LedSignal::Tx ? m_ui->ComLed2
                                               : m_ui->ComLed3;
    led->setState(on);
}

void TForm1::ShowLineSignals(bool cts, bool dsr, bool /*ring*/, bool rlsd) {
    m_ui->shpCTS->setOn(cts);
    m_ui->shpDSR->setOn(dsr);
    m_ui->shpRLSD->setOn(rlsd);
}

void TForm1::SetSignalBar(int bars) {
    m_climb->stop();
    m_ui->pbarRSSI->setValue(bars);
}

// The gauge climbs from empty to the class, a bar every 50 ms.
void TForm1::ShowSignalQuality(const QString& rssi, const QString& ber, int bars, int berBar) {
    m_ui->lblRSSI->setText(rssi);
    m_ui->lblBER->setText(ber);
    m_ui->pbarBER->setValue(berBar);
    m_ui->pbarRSSI->setValue(0);
    m_barTarget = bars;
    if (bars > 0)
        m_climb->start();
    else
        m_climb->stop();
}

void TForm1::ClimbSignalBar() {
    const int next = m_ui->pbarRSSI->value() + 1;
    m_ui->pbarRSSI->setValue(next);
    if (next >= m_barTarget)
        m_climb->stop();
}

void TForm1::IdentityRead(const QString& manufacturer, const QString& model, const QString& revision,
                          const QString& imsi, const QString& serviceCentre) {
    m_form2->setIdentity({manufacturer, model, revision, imsi, serviceCentre});
    m_imsi = imsi; // for the phone book's printout
}

} // namespace velmora
