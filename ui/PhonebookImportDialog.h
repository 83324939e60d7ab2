#pragma once

#include "ContactImport.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace velmora {

// What an import would do before anything is written: each entry and the
// free place it goes to, the names cut to the SIM's length (only while the
// box allowing it is ticked), and the contacts that do not fit, with why.
class PhonebookImportDialog : public QDialog {
    Q_OBJECT
public:
    PhonebookImportDialog(ContactFile contacts, ImportTarget target, const QString& fileName,
                          QWidget* parent = nullptr);

    // The plan as last shown: what Write writes.
    const ImportPlan& plan() const { return m_plan; }

private:
    void Replan();

    ContactFile m_contacts;
    ImportTarget m_target;
    ImportPlan m_plan;
    QLabel* m_summary;
    QTableWidget* m_entries;
    QTableWidget* m_unfit;
    QCheckBox* m_cut;
    QPushButton* m_write;
};

} // namespace velmora
