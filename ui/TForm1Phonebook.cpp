// The phone book's handlers, forwarded to PhonebookPanel.

#include "InboxDialog.h"
#include "PhonebookPanel.h"
#include "TForm1.h"

namespace velmora {

void TForm1::bitPhonebookClick() { m_phonebook->request(false); }
void TForm1::mnuPReadFromSIMClick() { m_phonebook->request(true); }
void TForm1::mnuPShowContactClick() { m_phonebook->show(true); }
void TForm1::mnuPHideContactClick() { m_phonebook->show(false); }
void TForm1::lvContactDblClick() { m_phonebook->choose(); }
void TForm1::Printer1Click() { m_phonebook->print(); }
void TForm1::TextFile1Click() { m_phonebook->exportText(); }
void TForm1::mnuExportVCardClick() {
    if (const QString status = m_phonebook->exportVCard(); !status.isEmpty())
        ShowStatus(status);
}

void TForm1::ContactFound(const QString& name, const QString& number, const QString& index) {
    m_phonebook->entryFound(name, number, index);
}

// Also after "&Disconnect" stopped the read: the entries so far stay. The
// inbox's senders get the names the book now gives them.
void TForm1::PhonebookFinished(bool read, int /*count*/, bool /*stopped*/) {
    m_phonebook->readFinished();
    // Kept with the messages, so history shows names also without a phone.
    if (read)
        m_service->phonebookRead(m_link->phonebook());
    if (read && m_inboxRead)
        ShowInbox();
}

} // namespace velmora
