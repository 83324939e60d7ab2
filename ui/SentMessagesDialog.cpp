#include "SentMessagesDialog.h"

#include "ChosenRow.h"
#include "DialogPlacement.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

enum Column { When, Destination, Message, Status };

} // namespace

SentMessagesDialog::SentMessagesDialog(QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)), m_detail(new QPlainTextEdit(this)) {
    setObjectName("SentMessagesDialog");
    // Beside the window, so it follows the reports while the user goes on.
    KeepOnScreen(*this, {Side::Right, Side::Left, Side::Below});
    setWindowTitle("Sent Messages");
    m_list->setObjectName("lvSent");
    m_list->setAccessibleName("Sent messages");
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({"Time", "To", "Message", "Status"});
    m_list->header()->setStretchLastSection(true);
    m_detail->setObjectName("memSentDetail");
    m_detail->setAccessibleName("Parts of the message");
    m_detail->setReadOnly(true);
    m_detail->setTabChangesFocus(true);
    m_detail->setPlaceholderText("Choose a message to see its parts and their references.");
    m_detail->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("btnCloseSent");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Whatever made the row current (keys, mouse, a screen reader), its
    // parts are shown.
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &SentMessagesDialog::showChosen);
    CurrentFollowsSelection(*m_list);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_detail, 1);
    layout->addWidget(buttons);
    resize(620, 360);
}

void SentMessagesDialog::addMessage(const QString& destination, const QString& what, int parts,
                                    bool reportAsked) {
    SentMessage m;
    m.when = QDateTime::currentDateTime();
    m.destination = destination;
    m.what = what;
    m.reportAsked = reportAsked;
    m.parts.resize(static_cast<std::size_t>(std::max(parts, 1)));
    m_messages.push_back(std::move(m));
    auto* row = new QTreeWidgetItem(m_list);
    showRow(rows() - 1);
    m_list->scrollToItem(row);
    for (int c = When; c < Status; ++c)
        m_list->resizeColumnToContents(c);
    // A long text's start is cut, not the status beside it.
    m_list->setColumnWidth(Message, std::min(m_list->columnWidth(Message), 240));
}

void SentMessagesDialog::partAnswered(int part, SubmitOutcome outcome, std::optional<int> reference) {
    if (m_messages.empty())
        return;
    SentMessage& m = m_messages.back();
    if (part < 0 || static_cast<std::size_t>(part) >= m.parts.size())
        return;
    SentPart& p = m.parts[static_cast<std::size_t>(part)];
    p.outcome = outcome;
    p.reference = reference;
    showRow(rows() - 1);
}

std::optional<int> SentMessagesDialog::reportArrived(int reference, int status, const QString& text) {
    for (int row = rows() - 1; row >= 0; --row) {
        SentMessage& m = m_messages[static_cast<std::size_t>(row)];
        const int part = m.partAwaiting(reference);
        if (part < 0)
            continue;
        m.parts[static_cast<std::size_t>(part)].report = status;
        m.parts[static_cast<std::size_t>(part)].reportText = text;
        showRow(row);
        return row;
    }
    return std::nullopt;
}

void SentMessagesDialog::showRow(int row) {
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    if (!item)
        return;
    const SentMessage& m = message(row);
    item->setText(When, m.when.toString("yyyy-MM-dd HH:mm:ss"));
    item->setText(Destination, m.destination);
    item->setText(Message, m.what);
    item->setText(Status, m.state());
    if (item == m_list->currentItem())
        showChosen();
}

void SentMessagesDialog::showChosen() {
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    if (row < 0)
        m_detail->clear();
    else
        m_detail->setPlainText(message(row).detail());
}

int SentMessagesDialog::rows() const { return static_cast<int>(m_messages.size()); }

QString SentMessagesDialog::status(int row) const { return rowText(row, Status); }

QString SentMessagesDialog::rowText(int row, int column) const {
    const QTreeWidgetItem* item = m_list->topLevelItem(row);
    return item ? item->text(column) : QString();
}

void SentMessagesDialog::choose(int row) { m_list->setCurrentItem(m_list->topLevelItem(row)); }

QString SentMessagesDialog::detailText() const { return m_detail->toPlainText(); }

} // namespace velmora
