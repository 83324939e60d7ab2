#pragma once

#include "ContactImport.h"
#include "PhonebookWrites.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace Ui {
class TForm1;
}

namespace velmora {

class PhoneLink;
class PhonebookPanel;
class Prompter;

// Phonebook > New Entry, Edit Entry, Delete Entry and Import: each asks the
// link for the SIM's limits and filled places first (on its thread), shows
// its dialog with them, asks before a filled place is written over or an
// entry deleted, and has the list read again once the phone has written.
class PhonebookEditor : public QObject {
    Q_OBJECT
public:
    // `fastDialogue` tells whether the link speaks the fast dialogue now:
    // writing needs it.
    PhonebookEditor(Ui::TForm1& ui, QWidget& window, Prompter& prompter, PhoneLink& link,
                    PhonebookPanel& panel, std::function<bool()> fastDialogue);

    void newEntry();
    void editEntry();
    void deleteEntry();
    void importContacts();

private:
    enum class Step { None, New, Edit, Import, Writing };
    bool Start(Step step);
    // The entry chosen in the list; false (and said) when there is none.
    bool Chosen();
    void Surveyed(const PhonebookSurvey& survey);
    void Written(const QList<SimBookOutcome>& outcomes);
    void EntryDialog(const PhonebookSurvey& survey, bool isNew);
    void ImportDialog(const PhonebookSurvey& survey);

    Ui::TForm1& m_ui;
    QWidget& m_window;
    Prompter& m_prompter;
    PhoneLink& m_link;
    PhonebookPanel& m_panel;
    std::function<bool()> m_fast;
    Step m_step = Step::None;
    // The entry chosen for Edit or Delete, as the list shows it.
    int m_index = 0;
    QString m_name, m_number;
    ContactFile m_contacts;
    QString m_fileName;
};

} // namespace velmora
