// The phone book's handlers, forwarded to PhoneBookPanel.

#include "PhoneBookPanel.h"
#include "TForm1.h"

namespace velmora {

void TForm1::bitPhonebookClick() { m_phoneBook->request(false); }
void TForm1::mnuPReadFromSIMClick() { m_phoneBook->request(true); }
void TForm1::mnuPShowContactClick() { m_phoneBook->show(true); }
void TForm1::mnuPHideContactClick() { m_phoneBook->show(false); }
void TForm1::lvContactDblClick() { m_phoneBook->choose(); }
void TForm1::Printer1Click() { m_phoneBook->print(); }
void TForm1::TextFile1Click() { m_phoneBook->exportText(); }

void TForm1::ContactFound(const QString& name, const QString& number, const QString& index) {
    m_phoneBook->entryFound(name, number, index);
}

// Also after "&Disconnect" stopped the read: the entries so far stay.
void TForm1::PhonebookFinished(bool /*read*/, int /*count*/, bool /*stopped*/) {
    m_phoneBook->readFinished();
}

} // namespace velmora
