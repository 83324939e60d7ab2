#include "PhonebookImportDialog.h"

#include "DialogPlacement.h"
#include "PhonebookWords.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora {

namespace {

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidget* Table(QWidget* parent, const char* name, const QStringList& headers) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setColumnCount(static_cast<int>(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}

} // namespace

PhonebookImportDialog::PhonebookImportDialog(ContactFile contacts, ImportTarget target,
                                             const QString& fileName, QWidget* parent)
    : QDialog(parent), m_contacts(std::move(contacts)), m_target(std::move(target)),
      m_summary(new QLabel(this)),
      m_entries(Table(this, "tblImportPlan", {tr("Place"), tr("Name"), tr("Number"), tr("Note")})),
      m_unfit(
          Table(this, "tblImportUnfit", {tr("Line"), tr("Name"), tr("Number"), tr("Why it is left out")})),
      m_cut(new QCheckBox(this)), m_write(nullptr) {
    setObjectName("PhonebookImportDialog");
    KeepOnScreen(*this);
    setWindowTitle(tr("Import to SIM: %1").arg(fileName));
    m_summary->setObjectName("lblImportSummary");
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText);
    m_entries->setAccessibleName(tr("Entries to write"));
    m_unfit->setAccessibleName(tr("Contacts left out"));
    m_cut->setObjectName("chkImportCutNames");
    m_cut->setText(tr("&Cut names longer than the SIM holds (%1 characters)")
                       .arg(NameCapacity(m_target.limits, m_target.charset)));
    m_cut->setChecked(true);
    auto* unfitLabel = new QLabel(tr("Left out:"), this);
    unfitLabel->setBuddy(m_unfit);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->setObjectName("btnsImport");
    m_write = buttons->addButton(tr("&Write"), QDialogButtonBox::AcceptRole);
    m_write->setObjectName("btnImportWrite");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnImportCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_entries, 3);
    layout->addWidget(m_cut);
    layout->addWidget(unfitLabel);
    layout->addWidget(m_unfit, 2);
    layout->addWidget(buttons);
    resize(640, 480);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_cut, &QCheckBox::toggled, this, &PhonebookImportDialog::Replan);
    Replan();
}

void PhonebookImportDialog::Replan() {
    m_plan = PlanImport(m_contacts.contacts, m_target, m_cut->isChecked());
    m_entries->setRowCount(static_cast<int>(m_plan.entries.size()));
    for (int row = 0; row < m_entries->rowCount(); ++row) {
        const PlannedEntry& e = m_plan.entries[static_cast<std::size_t>(row)];
        m_entries->setItem(row, 0, Cell(QString::number(e.index)));
        m_entries->setItem(row, 1, Cell(e.name));
        m_entries->setItem(row, 2, Cell(e.number));
        m_entries->setItem(row, 3, Cell(e.cut ? tr("cut from \"%1\"").arg(e.fullName) : QString()));
    }
    const int skipped = static_cast<int>(m_contacts.skipped.size());
    m_unfit->setRowCount(static_cast<int>(m_plan.unfit.size()) + skipped);
    int row = 0;
    for (const UnfitEntry& u : m_plan.unfit) {
        m_unfit->setItem(row, 0, Cell(QString::number(u.line)));
        m_unfit->setItem(row, 1, Cell(u.name));
        m_unfit->setItem(row, 2, Cell(u.number));
        m_unfit->setItem(row++, 3, Cell(UnfitText(u)));
    }
    for (const QString& s : m_contacts.skipped) {
        m_unfit->setItem(row, 0, Cell(QString()));
        m_unfit->setItem(row, 1, Cell(QString()));
        m_unfit->setItem(row, 2, Cell(QString()));
        m_unfit->setItem(row++, 3, Cell(s));
    }
    m_entries->resizeColumnsToContents();
    m_unfit->resizeColumnsToContents();
    const int entries = static_cast<int>(m_plan.entries.size());
    m_summary->setText(
        tr("%1 entries go to the SIM's free places, %2 of them with their names cut; %3 contacts are left "
           "out. Nothing is written until you choose Write.")
            .arg(entries)
            .arg(m_plan.cutCount())
            .arg(static_cast<int>(m_plan.unfit.size()) + skipped));
    m_write->setText(tr("&Write %1 Entries").arg(entries));
    m_write->setEnabled(entries > 0);
}

} // namespace velmora
