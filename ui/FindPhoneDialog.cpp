#include "FindPhoneDialog.h"

#include "DialogPlacement.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velmora {

namespace {

enum Column { kPort, kDevice, kOutcome, kColumns };

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

FindPhoneDialog::FindPhoneDialog(std::vector<PortCandidate> candidates, ProbeOptions options, int ownPort,
                                 QWidget* parent)
    : QDialog(parent), m_table(new QTableWidget(this)), m_status(new QLabel(this)),
      m_candidates(std::move(candidates)), m_outcomes(m_candidates.size(), ProbeOutcome::NoAnswer) {
    setObjectName("FindPhoneDialog");
    KeepOnScreen(*this);
    setWindowTitle(tr("Find Phone"));
    m_table->setObjectName("tblPorts");
    m_table->setAccessibleName(tr("Serial devices"));
    m_table->setAccessibleDescription(tr("One row per device: its port, its path and what it answered"));
    m_table->setColumnCount(kColumns);
    m_table->setHorizontalHeaderLabels({tr("Port"), tr("Device"), tr("Answer")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setRowCount(static_cast<int>(m_candidates.size()));
    m_status->setObjectName("lblFindStatus");
    // No fixed accessible name: a screen reader reads the label's text, the
    // progress and the result.
    m_status->setTextFormat(Qt::PlainText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("btnsFindPhone");
    m_use = buttons->addButton(tr("&Use This Port"), QDialogButtonBox::AcceptRole);
    m_use->setObjectName("btnUsePort");
    m_use->setAccessibleName(tr("Use This Port"));
    m_use->setEnabled(false);
    buttons->button(QDialogButtonBox::Close)->setObjectName("btnFindClose");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(560, 280);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_use, &QPushButton::clicked, this, &FindPhoneDialog::UsePort);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &FindPhoneDialog::RowChanged);
    connect(m_table, &QTableWidget::itemActivated, this, [this] {
        if (Answered(m_table->currentRow()))
            UsePort();
    });
    connect(this, &FindPhoneDialog::probed, this, &FindPhoneDialog::ShowResult, Qt::QueuedConnection);

    std::vector<PortCandidate> asked;
    std::vector<int> rows;
    for (std::size_t i = 0; i < m_candidates.size(); ++i) {
        const int row = static_cast<int>(i);
        const PortCandidate& c = m_candidates[i];
        m_table->setItem(row, kPort, Cell(QString::fromStdString(c.name())));
        m_table->setItem(row, kDevice, Cell(QString::fromStdString(c.path)));

        const bool own = ownPort > 0 && c.port == ownPort;
        m_table->setItem(row, kOutcome,
                         Cell(own ? tr("busy: this window is connected to it") : tr("asking ...")));
        if (own) {
            m_outcomes[i] = ProbeOutcome::Busy;
            m_ownRow = row;
            continue;
        }
        asked.push_back(c);
        rows.push_back(row);
    }
    m_table->resizeColumnsToContents();
    m_pending = static_cast<int>(asked.size());
    ShowProgress();
    if (asked.empty())
        return;
    options.cancel = &m_cancel;
    m_worker = std::thread([this, asked = std::move(asked), rows = std::move(rows), options] {
        ProbePorts(asked, options, [&](std::size_t i, const PortProbeResult& r) {
            emit probed(rows[i], static_cast<int>(r.outcome), QString::fromStdString(r.text));
        });
    });
}

// The probes end within a fraction of a second of the cancel; the results
// still queued for this dialog go with it.
FindPhoneDialog::~FindPhoneDialog() {
    m_cancel = true;
    if (m_worker.joinable())
        m_worker.join();
}

void FindPhoneDialog::ShowResult(int row, int outcome, const QString& text) {
    m_outcomes[static_cast<std::size_t>(row)] = static_cast<ProbeOutcome>(outcome);
    m_table->item(row, kOutcome)->setText(text);
    --m_pending;
    ShowProgress();
    RowChanged();
}

void FindPhoneDialog::ShowProgress() {
    if (m_candidates.empty()) {
        m_status->setText(tr("No serial device is present for COM1 to COM9."));
        return;
    }
    if (m_pending > 0) {
        m_status->setText(m_pending == 1
                              ? tr("Asking 1 device whether a phone answers ...")
                              : tr("Asking %1 devices whether a phone answers ...").arg(m_pending));
        return;
    }
    QStringList answered;
    int first = -1;
    for (std::size_t i = 0; i < m_candidates.size(); ++i)
        if (m_outcomes[i] == ProbeOutcome::Answers) {
            answered << QString::fromStdString(m_candidates[i].name());
            first = first < 0 ? static_cast<int>(i) : first;
        }
    QString text = answered.isEmpty() ? tr("No other phone answered.")
                                      : tr("A phone answered on %1.").arg(answered.join(", "));
    if (m_ownRow < 0 && answered.isEmpty())
        text = tr("No phone answered.");
    if (m_ownRow >= 0)
        text =
            tr("This window is connected on %1. %2")
                .arg(QString::fromStdString(m_candidates[static_cast<std::size_t>(m_ownRow)].name()), text);
    m_status->setText(text);
    // The first phone that answered is chosen, so Enter or Use This Port
    // takes it at once.
    if (first >= 0 && m_table->selectedItems().isEmpty()) {
        m_table->selectRow(first);
        m_table->setCurrentCell(first, kPort);
    }
}

bool FindPhoneDialog::Answered(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < m_outcomes.size() &&
           m_outcomes[static_cast<std::size_t>(row)] == ProbeOutcome::Answers &&
           m_candidates[static_cast<std::size_t>(row)].port > 0;
}

void FindPhoneDialog::RowChanged() {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    m_use->setEnabled(!selected.isEmpty() && Answered(selected.first()->row()));
}

void FindPhoneDialog::UsePort() {
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty() || !Answered(selected.first()->row()))
        return;
    m_chosen = m_candidates[static_cast<std::size_t>(selected.first()->row())].port;
    accept();
}

} // namespace velmora
