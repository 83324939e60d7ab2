#pragma once

#include "PhonebookWrites.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace velmora {

// One entry of the SIM's phone book to write: its place, name and number,
// with the SIM's limits in view and a count of the name's characters
// against what the SIM holds in the set it would go in. OK stays off while
// the entry could not be written; the line under the fields says why.
class PhonebookEntryDialog : public QDialog {
    Q_OBJECT
public:
    // A new entry starts at `index` (the first free place); an edited one
    // keeps its place.
    enum class Mode { New, Edit };
    PhonebookEntryDialog(const PhonebookSurvey& survey, Mode mode, int index, const QString& name,
                         const QString& number, QWidget* parent = nullptr);

    SimEntry entry() const;

private:
    void Check();

    PhonebookSurvey m_survey;
    Mode m_mode;
    QLineEdit* m_name;
    QLineEdit* m_number;
    QSpinBox* m_index;
    QLabel* m_count;
    QLabel* m_place;
    QLabel* m_problem;
    QPushButton* m_ok;
};

} // namespace velmora
