// Communication > USSD...: the dialog that asks the network for a balance or
// a data package, through the link like every other request.

#include "MessagesWindow.h"
#include "TForm1.h"
#include "Transports.h"
#include "UssdDialog.h"
#include "ui_TForm1.h"

#include <QAction>
#include <QMenu>

namespace velmora {

void TForm1::SetUpUssd() {
    UssdDialogSetup setup;
    setup.settingsFile = m_setup.paths.settingsFile;
    setup.service = m_service;
    setup.fastDialogue = [this] { return m_settings.FastDialogue; };
    // The Messages window, when open, shows a session as it goes.
    connect(m_service, &MessageService::ussdChanged, this, [this](int, qint64 id, const QString&, bool) {
        if (m_messages && id > 0)
            m_messages->messageChanged(id);
    });
    m_ussd = std::make_unique<UssdDialog>(*m_link, std::move(setup), this);

    auto* item = new QAction(tr("&USSD..."), this);
    item->setObjectName("mnuUssd");
    item->setStatusTip(tr("Ask the network for the balance or a data package with a code such as *123#"));
    // After the inbox, among what the phone is asked.
    m_ui->mnuCommunication->insertAction(m_ui->mnuOutbox, item);
    item->setEnabled(m_link->isUp());
    connect(m_link.get(), &PhoneLink::stateChanged, item,
            [item](PhoneLink::State state) { item->setEnabled(PhoneLink::IsUp(state)); });
    connect(item, &QAction::triggered, this, [this] {
        m_ussd->show();
        m_ussd->raise();
        m_ussd->activateWindow();
    });
}

} // namespace velmora
