#include "PhonebookEditor.h"

#include "PhoneLink.h"
#include "PhonebookEntryDialog.h"
#include "PhonebookImportDialog.h"
#include "PhonebookPanel.h"
#include "PhonebookWords.h"
#include "Prompter.h"
#include "QtText.h"
#include "ui_TForm1.h"

#include <QFileInfo>

namespace velmora {

PhonebookEditor::PhonebookEditor(Ui::TForm1& ui, QWidget& window, Prompter& prompter, PhoneLink& link,
                                 PhonebookPanel& panel, std::function<bool()> fastDialogue)
    : QObject(&window), m_ui(ui), m_window(window), m_prompter(prompter), m_link(link), m_panel(panel),
      m_fast(std::move(fastDialogue)) {
    connect(ui.mnuNewEntry, &QAction::triggered, this, &PhonebookEditor::newEntry);
    connect(ui.mnuEditEntry, &QAction::triggered, this, &PhonebookEditor::editEntry);
    connect(ui.mnuDeleteEntry, &QAction::triggered, this, &PhonebookEditor::deleteEntry);
    connect(ui.mnuImportContacts, &QAction::triggered, this, &PhonebookEditor::importContacts);
    connect(&link, &PhoneLink::phonebookSurveyed, this, &PhonebookEditor::Surveyed);
    connect(&link, &PhoneLink::phonebookWritten, this, &PhonebookEditor::Written);
}

// One at a time, and only in the fast dialogue: the classic one judges
// answers by their pauses, which a refused write would be lost in.
bool PhonebookEditor::Start(Step step) {
    if (m_step != Step::None)
        return false;
    if (!m_fast()) {
        SimBookOutcome needs;
        needs.problem = SimBookProblem::NeedsFast;
        m_prompter.Warning(&m_window, SimBookProblemText(needs));
        return false;
    }
    m_step = step;
    return true;
}

bool PhonebookEditor::Chosen() {
    QTreeWidgetItem* item = m_ui.lvContact->currentItem();
    if (!item || !item->isSelected()) {
        const QList<QTreeWidgetItem*> chosen = m_ui.lvContact->selectedItems();
        item = chosen.isEmpty() ? nullptr : chosen.first();
    }
    bool number = false;
    const int index = item ? item->text(2).trimmed().toInt(&number) : 0;
    if (!item || !number) {
        m_prompter.Warning(&m_window,
                           tr("Choose an entry in the phone book's list first (Phone Book reads it "
                              "from the SIM)."));
        return false;
    }
    m_index = index;
    m_name = item->text(0);
    m_number = item->text(1);
    return true;
}

void PhonebookEditor::newEntry() {
    if (Start(Step::New))
        m_link.surveyPhonebook();
}

void PhonebookEditor::editEntry() {
    if (m_step == Step::None && Chosen() && Start(Step::Edit))
        m_link.surveyPhonebook();
}

void PhonebookEditor::deleteEntry() {
    if (m_step != Step::None || !Chosen() || !Start(Step::Writing))
        return;
    if (!m_prompter.AskToDelete(
            &m_window, tr("Delete %1 (%2) at place %3 from the SIM?").arg(m_name, m_number).arg(m_index))) {
        m_step = Step::None;
        return;
    }
    m_link.deletePhonebookEntry(m_index);
}

void PhonebookEditor::importContacts() {
    if (m_step != Step::None)
        return;
    const auto choice =
        m_prompter.OpenFile(&m_window, {{FileType{S(tr("Contacts")), {"*.vcf", "*.vcard", "*.csv"}},
                                         FileType{S(tr("vCard Files")), {"*.vcf", "*.vcard"}},
                                         FileType{S(tr("CSV Files")), {"*.csv"}}},
                                        1});
    if (choice.path.isEmpty())
        return;
    auto read = ReadContactFile(choice.path);
    if (!read) {
        m_prompter.Warning(&m_window, read.error());
        return;
    }
    if (read.value().contacts.empty()) {
        m_prompter.Warning(&m_window,
                           tr("%1 holds no contact with a number.\n%2")
                               .arg(QFileInfo(choice.path).fileName(), read.value().skipped.join('\n')));
        return;
    }
    m_contacts = std::move(read.value());
    m_fileName = QFileInfo(choice.path).fileName();
    if (Start(Step::Import))
        m_link.surveyPhonebook();
}

void PhonebookEditor::Surveyed(const PhonebookSurvey& survey) {
    const Step step = m_step;
    if (step != Step::New && step != Step::Edit && step != Step::Import)
        return; // not asked for here
    m_step = Step::None;
    if (!survey.ok()) {
        m_prompter.Warning(&m_window, SimBookProblemText(survey.outcome));
        return;
    }
    if (step == Step::Import)
        ImportDialog(survey);
    else
        EntryDialog(survey, step == Step::New);
}

void PhonebookEditor::EntryDialog(const PhonebookSurvey& survey, bool isNew) {
    int index = m_index;
    if (isNew) {
        const std::vector<int> free = survey.FreePlaces();
        if (free.empty()) {
            m_prompter.Warning(&m_window, tr("The SIM's phone book is full: all its %1 places hold an entry.")
                                              .arg(survey.limits.last - survey.limits.first + 1));
            return;
        }
        index = free.front();
    } else if (!survey.At(index)) {
        m_prompter.Warning(&m_window, tr("Place %1 is empty now; the list is read again.").arg(index));
        m_panel.request(true);
        return;
    }
    PhonebookEntryDialog dialog(survey,
                                isNew ? PhonebookEntryDialog::Mode::New : PhonebookEntryDialog::Mode::Edit,
                                index, isNew ? QString() : m_name, isNew ? QString() : m_number, &m_window);
    if (m_prompter.Exec(dialog) != QDialog::Accepted)
        return;
    const SimEntry entry = dialog.entry();
    const PhonebookEntry* there = survey.At(entry.index);
    if (isNew && there &&
        !m_prompter.Ask(&m_window, tr("Place %1 holds %2 (%3). Write the new entry over it?")
                                       .arg(entry.index)
                                       .arg(FromPhone(there->name), FromPhone(there->number))))
        return;
    m_step = Step::Writing;
    m_link.writePhonebook({entry}, there != nullptr);
}

void PhonebookEditor::ImportDialog(const PhonebookSurvey& survey) {
    ImportTarget target{survey.limits, survey.Current(), survey.Ucs2Offered(), survey.FreePlaces(), {}};
    for (const PhonebookEntry& e : survey.entries)
        target.numbersThere.emplace_back(e.index.empty() ? 0 : std::atoi(e.index.c_str()), e.number);
    PhonebookImportDialog dialog(m_contacts, target, m_fileName, &m_window);
    if (m_prompter.Exec(dialog) != QDialog::Accepted || dialog.plan().entries.empty())
        return;
    QList<SimEntry> entries;
    for (const PlannedEntry& e : dialog.plan().entries)
        entries << SimEntry{e.index, e.number.toStdString(), e.name.toStdU16String()};
    m_step = Step::Writing;
    m_link.writePhonebook(entries, false);
}

void PhonebookEditor::Written(const QList<SimBookOutcome>& outcomes) {
    if (m_step != Step::Writing)
        return;
    m_step = Step::None;
    QStringList problems;
    for (const SimBookOutcome& o : outcomes)
        if (!o.ok())
            problems << SimBookProblemText(o);
    // Read again whatever came of it: what the SIM holds now is what the
    // list shows.
    m_panel.request(true);
    if (!problems.isEmpty())
        m_prompter.Warning(&m_window, problems.join('\n'));
}

} // namespace velmora
