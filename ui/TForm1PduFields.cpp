// The PDU inspector: PDUs pasted or taken from the phone dialogue, taken
// apart in PduFieldsDialog; what it reads goes into the content tabs.

#include "ContentTabs.h"
#include "MessageWords.h"
#include "PduFields.h"
#include "PduFieldsDialog.h"
#include "QtText.h"
#include "TForm1.h"
#include "ui_TForm1.h"

#include <QMenu>

namespace velmora {

void TForm1::ShowInspector() {
    m_inspector->show();
    m_inspector->raise();
    m_inspector->activateWindow();
}

void TForm1::mnuPduInspectorClick() { ShowInspector(); }

// The monitor shows the dialogue's steps, not its PDUs; the PDUs it carried
// are the ones the window keeps: any PDU line in the monitor, the last
// message handed to the phone, then the phone's store as last read.
QStringList TForm1::DialoguePdus() const {
    QStringList pdus;
    for (const std::string& pdu : FindPdus(S(m_ui->memDebug->toPlainText())))
        pdus << Q(pdu);
    pdus << m_lastSent;
    for (const StoredMessage& s : m_stored)
        pdus << Q(s.pdu);
    pdus.removeDuplicates();
    return pdus;
}

void TForm1::mnuInspectPdusClick() {
    const QStringList pdus = DialoguePdus();
    if (pdus.isEmpty()) {
        ShowStatus(tr("No PDUs yet: send a message or read the inbox first."));
        return;
    }
    m_inspector->setPdus(pdus);
    ShowInspector();
}

void TForm1::memDebugMenu(const QPoint& at) {
    QMenu* menu = m_ui->memDebug->createStandardContextMenu(at);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    menu->addAction(m_ui->mnuInspectPdus);
    menu->popup(m_ui->memDebug->viewport()->mapToGlobal(at));
}

void TForm1::InspectorLoad(const ReadMessage& message) {
    if (m_content->showReceived(message))
        ShowStatus(tr("The %1 from the inspector is in its tab.")
                       .arg(KindInSentence(ContentKindName(message.kind))));
}

} // namespace velmora
