#include "SentMessagesDialog.h"

#include "DialogPlacement.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {

namespace {

enum Column { When, Destination, Part, Reference, Status };
constexpr int kWaitingRole = Qt::UserRole;

QString OutcomeWord(SubmitOutcome outcome) {
    switch (outcome) {
    case SubmitOutcome::Sent:
        return "Sent";
    case SubmitOutcome::Unknown:
        return "Unknown";
    default:
        return "Failed";
    }
}

} // namespace

SentMessagesDialog::SentMessagesDialog(QWidget* parent) : QDialog(parent), m_list(new QTreeWidget(this)) {
    setObjectName("SentMessagesDialog");
    // Beside the window, so it follows the reports while the user goes on.
    KeepOnScreen(*this, {Side::Right, Side::Left, Side::Below});
    setWindowTitle("Sent Messages");
    m_list->setObjectName("lvSent");
    m_list->setAccessibleName("Sent messages");
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({"Time", "Destination", "Part", "Reference", "Status"});
    m_list->header()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("btnCloseSent");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(620, 260);
}

void SentMessagesDialog::addPart(const QString& destination, int part, int parts, SubmitOutcome outcome,
                                 std::optional<int> reference, bool reportAsked) {
    auto* row = new QTreeWidgetItem(m_list);
    row->setText(When, QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss"));
    row->setText(Destination, destination);
    row->setText(Part, QString("%1 of %2").arg(part + 1).arg(parts));
    if (reference)
        row->setText(Reference, QString::number(*reference));
    const bool waiting = reportAsked && reference && outcome == SubmitOutcome::Sent;
    row->setText(Status, waiting ? "Sent, waiting for the report" : OutcomeWord(outcome));
    row->setData(Status, kWaitingRole, waiting);
    m_list->scrollToItem(row);
    for (int c = When; c < Status; ++c)
        m_list->resizeColumnToContents(c);
}

void SentMessagesDialog::reportArrived(int reference, const QString& text) {
    for (int i = m_list->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* row = m_list->topLevelItem(i);
        if (row->text(Reference) != QString::number(reference) || !row->data(Status, kWaitingRole).toBool())
            continue;
        row->setText(Status, text);
        row->setData(Status, kWaitingRole, false);
        return;
    }
}

int SentMessagesDialog::rows() const { return m_list->topLevelItemCount(); }

QString SentMessagesDialog::status(int row) const {
    const QTreeWidgetItem* item = m_list->topLevelItem(row);
    return item ? item->text(Status) : QString();
}

} // namespace velmora
