// The window's side of the phone link: the Communication menu, the
// connection icon, the lamps, the line signals and the signal gauges.

#include "FindPhoneDialog.h"
#include "InboxDialog.h"
#include "LinkIndicators.h"
#include "PhonebookPanel.h"
#include "Prompter.h"
#include "QtText.h"
#include "TForm1.h"
#include "TForm2.h"
#include "Transports.h"
#include "ui_TForm1.h"

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

// A report needs the fast dialogue's reading of unsolicited lines.
void TForm1::mnuFastDialogueClick(bool on) {
    m_settings.FastDialogue = on;
    m_link->setDialogue(on);
    m_ui->mnuDeliveryReport->setEnabled(on);
}

void TForm1::mnuDeliveryReportClick(bool on) {
    m_settings.DeliveryReport = on;
    m_link->setDeliveryReports(on);
}

// Asked once a connect; a wrong PIN ends the connect, and connecting again
// asks again, so a try of the SIM is only ever used by the user.
void TForm1::PinRequested(int triesLeft) {
    const QString label = triesLeft < 0    ? tr("The SIM asks for its PIN:")
                          : triesLeft == 1 ? tr("The SIM asks for its PIN (1 try left):")
                                           : tr("The SIM asks for its PIN (%1 tries left):").arg(triesLeft);
    m_link->answerPin(m_prompter->AskSecret(this, tr("SIM PIN"), label));
}

// The devices are asked on the dialog's own thread; the window goes on
// answering meanwhile.
void TForm1::mnuFindPhoneClick() {
    if (!m_setup.portsToProbe)
        return;
    ProbeOptions options;
    options.baud = m_settings.BaudRate;
    FindPhoneDialog dialog(m_setup.portsToProbe(m_settings), options,
                           m_link->isUp() ? m_settings.PortNumber : 0, this);
    m_prompter->Exec(dialog);
    if (const int port = dialog.chosenPort(); port > 0)
        ChoosePort(port);
}

// As choosing the port from Communication > Serial Port: its item checked
// (none for a port beyond the menu's), then the reconnect.
void TForm1::ChoosePort(int portNumber) {
    const QList<QAction*> ports = PortItems();
    for (int n = 1; n <= ports.size(); ++n)
        ports[n - 1]->setChecked(n == portNumber);
    SerialPortClick(portNumber);
}

void TForm1::LinkStateChanged(PhoneLink::State state) {
    // The phone answered: what an earlier connect was refused (a wrong PIN)
    // is over; what this one meets is said afresh.
    if (state == PhoneLink::State::Identifying) {
        m_ui->memDebug->clear();
        // What each message is recorded as having gone through.
        if (m_setup.deviceFor)
            m_transport->setDevice(Q(m_setup.deviceFor(m_settings, m_settings.PortNumber)));
    }
    m_indicators->stateChanged(state);
    if (state == PhoneLink::State::Connected || state == PhoneLink::State::Disconnected)
        HoldName(state == PhoneLink::State::Connected);
    if (state == PhoneLink::State::ReadingPhonebook)
        m_phonebook->readStarted();
    SetConnectedUI(PhoneLink::IsUp(state));
    m_inbox->setPhoneReady(PhoneLink::IsUp(state));
}

void TForm1::SetConnectedUI(bool on) {
    m_ui->bitSendSMS->setEnabled(on && !m_sending);
    m_ui->bitPhonebook->setEnabled(on);
    m_ui->mnuPhonebook->menuAction()->setEnabled(on);
    m_ui->mnuMobile->setEnabled(on);
}

void TForm1::LinkStatus(const QString& text) { ShowStatus(text); }

void TForm1::ReadProgress(int done, int total) { m_indicators->readProgress(done, total); }

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
    case ProblemKind::AnswerTooLong:
        m_ui->memDebug->appendPlainText(text);
        break;
    case ProblemKind::LinkError:
        if (m_link->isUp())
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

void TForm1::LampChanged(LedSignal lamp, bool on) { m_indicators->lamp(lamp, on); }

void TForm1::ShowLineSignals(bool cts, bool dsr, bool ring, bool rlsd) {
    m_indicators->lineSignals(cts, dsr, ring, rlsd);
}

void TForm1::SetSignalBar(int bars) { m_indicators->signalBar(bars); }

void TForm1::ShowSignalQuality(const QString& rssi, const QString& ber, int bars, int berBar) {
    m_indicators->signalQuality(rssi, ber, bars, berBar);
}

void TForm1::IdentityRead(const QString& manufacturer, const QString& model, const QString& revision,
                          const QString& imsi, const QString& serviceCentre) {
    m_form2->setIdentity({manufacturer, model, revision, imsi, serviceCentre});
    m_phonebook->setImsi(imsi); // for the printout's header
}

} // namespace velmora
