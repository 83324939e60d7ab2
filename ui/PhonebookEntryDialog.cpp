#include "PhonebookEntryDialog.h"

#include "DialogPlacement.h"
#include "PhonebookWords.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace velmora {

namespace {

QString Latin1(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

} // namespace

PhonebookEntryDialog::PhonebookEntryDialog(const PhonebookSurvey& survey, Mode mode, int index,
                                           const QString& name, const QString& number, QWidget* parent)
    : QDialog(parent), m_survey(survey), m_mode(mode), m_name(new QLineEdit(name, this)),
      m_number(new QLineEdit(number, this)), m_index(new QSpinBox(this)), m_count(new QLabel(this)),
      m_place(new QLabel(this)), m_problem(new QLabel(this)), m_ok(nullptr) {
    setObjectName("PhonebookEntryDialog");
    KeepOnScreen(*this);
    setWindowTitle(mode == Mode::New ? tr("New Phone Book Entry") : tr("Edit Phone Book Entry"));

    auto* limits = new QLabel(SimLimitsText(survey.limits, QString::fromStdString(survey.charset)), this);
    limits->setObjectName("lblEntryLimits");
    limits->setWordWrap(true);
    limits->setTextFormat(Qt::PlainText);

    m_index->setObjectName("spnEntryIndex");
    m_index->setRange(survey.limits.first, survey.limits.last);
    m_index->setValue(index);
    // An edited entry stays where it is: moving it is a new entry and a delete.
    m_index->setEnabled(mode == Mode::New);
    m_index->setAccessibleName(tr("Place"));
    m_name->setObjectName("txtEntryName");
    m_name->setAccessibleName(tr("Name"));
    m_number->setObjectName("txtEntryNumber");
    m_number->setAccessibleName(tr("Number"));
    m_number->setPlaceholderText(tr("+628123456789"));
    m_count->setObjectName("lblEntryNameCount");
    m_place->setObjectName("lblEntryPlace");
    m_place->setTextFormat(Qt::PlainText);
    m_problem->setObjectName("lblEntryProblem");
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet("color: #b00000;");

    auto* form = new QFormLayout;
    form->addRow(tr("&Place:"), m_index);
    form->addRow(QString(), m_place);
    form->addRow(tr("N&ame:"), m_name);
    form->addRow(QString(), m_count);
    form->addRow(tr("N&umber:"), m_number);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("btnsEntry");
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName("btnEntryOk");
    m_ok->setText(tr("&Write to SIM"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnEntryCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(limits);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_name, &QLineEdit::textChanged, this, &PhonebookEntryDialog::Check);
    connect(m_number, &QLineEdit::textChanged, this, &PhonebookEntryDialog::Check);
    connect(m_index, &QSpinBox::valueChanged, this, &PhonebookEntryDialog::Check);
    Check();
}

SimEntry PhonebookEntryDialog::entry() const {
    return SimEntry{m_index->value(), m_number->text().trimmed().toStdString(),
                    m_name->text().toStdU16String()};
}

void PhonebookEntryDialog::Check() {
    const SimEntry e = entry();
    const PreparedEntry p = PrepareSimEntry(e, m_survey.limits, m_survey.Current(), m_survey.Ucs2Offered());
    // The count whatever else is wrong: the name is typed before the number.
    const NamePlan name = PlanSimName(e.name, m_survey.Current(), m_survey.Ucs2Offered(), m_survey.limits);
    const int length = static_cast<int>(m_name->text().toUcs4().size());
    const QString set = QString::fromLatin1(CharsetName(name.charset));
    m_count->setText(name.capacity > 0
                         ? tr("%1 of %2 characters (%3)").arg(length).arg(name.capacity).arg(set)
                         : tr("%1 characters (%2)").arg(length).arg(set));
    m_count->setStyleSheet(name.tooLong ? "color: #b00000;" : "");
    const PhonebookEntry* there = m_survey.At(e.index);
    if (m_mode == Mode::Edit || !there)
        m_place->setText(there ? QString() : tr("This place is free."));
    else
        m_place->setText(tr("This place holds %1 (%2); writing asks first.")
                             .arg(Latin1(there->name), Latin1(there->number)));
    // A number not typed yet is no problem to shout about.
    const bool quiet = p.outcome.problem == SimBookProblem::NumberEmpty && m_number->text().isEmpty();
    m_problem->setText(p.outcome.ok() || quiet ? QString() : SimBookProblemText(p.outcome));
    m_ok->setEnabled(p.outcome.ok());
}

} // namespace velmora
