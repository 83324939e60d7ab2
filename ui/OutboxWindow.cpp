#include "OutboxWindow.h"

#include "BatchRecipientModel.h"
#include "DialogPlacement.h"
#include "HistoryReader.h"
#include "MessageWords.h"
#include "Outbox.h"
#include "Prompter.h"
#include "QtText.h"
#include "Terms.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmora {

namespace {

// A message takes about this long through the phone when the pacing asks
// for no pause: the fast dialogue's submission, rounded up.
constexpr qint64 kTypicalSendMs = 5000;
// The time left is said again this often, with nothing else changing.
constexpr int kClockMs = 30'000;
// Changes are shown together at most this often: faster than anyone reads,
// and a batch going as fast as the phone takes it is read again a few
// times a second, not several times a message.
constexpr int kFlushMs = 50;

enum BatchColumn { BatchName, BatchState, BatchProgress };

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QString ShownClock(const QDateTime& utc, const QDateTime& now) {
    const QDateTime local = utc.toLocalTime();
    if (local.date() == now.toLocalTime().date())
        return local.toString("HH:mm");
    return local.toString("yyyy-MM-dd HH:mm");
}

QString PausedWhy(msg::Reason reason) {
    switch (reason) {
    case msg::Reason::NoAnswer:
        return QCoreApplication::translate("OutboxWindow", "paused: the phone stopped answering");
    case msg::Reason::LinkLost:
        return QCoreApplication::translate("OutboxWindow", "paused: the link to the phone was lost");
    case msg::Reason::NotConnected:
        return QCoreApplication::translate("OutboxWindow", "paused: no phone is connected");
    case msg::Reason::StoreFailed:
        return QCoreApplication::translate("OutboxWindow", "paused: the history could not record a step");
    default:
        return QCoreApplication::translate("OutboxWindow", "paused");
    }
}

bool IsRetryable(const BatchRecipientRow& row) {
    return row.state == msg::State::Failed || row.state == msg::State::Uncertain ||
           row.state == msg::State::Cancelled;
}
// A queued one is taken out; an uncertain one is only marked as dealt with,
// since it may have gone.
bool IsDroppable(const BatchRecipientRow& row) {
    return row.state == msg::State::Queued ||
           (row.state == msg::State::Uncertain && row.reason != msg::Reason::Cancelled);
}

} // namespace

QString BatchCounts(const BatchRecord& batch) {
    QString said = batch.uncertain > 0
                       ? QCoreApplication::translate("OutboxWindow", "%1 of %2 sent, %3 failed, %4 uncertain")
                             .arg(batch.sent)
                             .arg(batch.total)
                             .arg(batch.failed)
                             .arg(batch.uncertain)
                       : QCoreApplication::translate("OutboxWindow", "%1 of %2 sent, %3 failed")
                             .arg(batch.sent)
                             .arg(batch.total)
                             .arg(batch.failed);
    // Taken out by the user is no failure: said apart, when there are any.
    if (batch.cancelled > 0)
        said = QCoreApplication::translate("OutboxWindow", "%1, %2 cancelled")
                   .arg(said, QString::number(batch.cancelled));
    return said;
}

QString BatchStateWords(const BatchRecord& batch) {
    if (batch.state != msg::BatchState::Cancelled && batch.finished())
        return terms::FinishedWord();
    return terms::BatchStateWord(batch.state);
}

QString TimeLeftText(const BatchRecord& batch, const QDateTime& now) {
    if (batch.state == msg::BatchState::Cancelled || batch.finished())
        return BatchStateWords(batch);
    if (batch.state == msg::BatchState::Paused)
        return PausedWhy(batch.pauseReason);
    const BatchPacing& p = batch.pacing;
    if (p.startAt.isValid() && p.startAt > now)
        return QCoreApplication::translate("OutboxWindow", "starts at %1").arg(ShownClock(p.startAt, now));
    // Each message takes the longest of: the interval, its share of the
    // hour's cap, the phone's own time (as this batch has gone so far, once
    // a few have gone; a typical phone's before).
    qint64 phoneMs = kTypicalSendMs;
    const int done = batch.sent + batch.failed + batch.uncertain;
    const QDateTime began = p.startAt.isValid() && p.startAt > batch.created ? p.startAt : batch.created;
    if (done >= 3 && batch.lastStart.isValid() && began < batch.lastStart)
        phoneMs = began.msecsTo(batch.lastStart) / done;
    qint64 each = std::max(p.intervalMs, phoneMs);
    if (p.perHour > 0)
        each = std::max(each, static_cast<qint64>(3'600'000 / p.perHour));
    const qint64 ms = each * (batch.queued + batch.sending);
    if (p.expireAt.isValid() && now.addMSecs(ms) > p.expireAt)
        return QCoreApplication::translate("OutboxWindow", "expires at %1, before all can go")
            .arg(ShownClock(p.expireAt, now));
    if (ms < 60'000)
        return QCoreApplication::translate("OutboxWindow", "less than a minute left");
    const auto minutes = static_cast<qint64>(std::ceil(static_cast<double>(ms) / 60'000.0));
    if (minutes < 120)
        return QCoreApplication::translate("OutboxWindow", "about %1 min left").arg(minutes);
    return QCoreApplication::translate("OutboxWindow", "about %1 h %2 min left")
        .arg(minutes / 60)
        .arg(minutes % 60);
}

OutboxWindow::OutboxWindow(MessageStore* store, Outbox& outbox, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_store(store), m_outbox(outbox), m_prompter(prompter),
      m_model(new BatchRecipientModel(this)), m_batches(new QTreeWidget(this)),
      m_progress(new QProgressBar(this)), m_timeLeft(new QLabel(this)), m_recipientList(new QTableView(this)),
      m_pause(Button(tr("&Pause"), "btnBatchPause", this)),
      m_cancel(Button(tr("&Cancel the Rest"), "btnBatchCancel", this)),
      m_sendAgain(Button(tr("Send &Again"), "btnSendAgain", this)),
      m_drop(Button(tr("&Drop"), "btnDrop", this)), m_clock(new QTimer(this)), m_flush(new QTimer(this)) {
    m_steps = {[this](qint64 batch) { return m_outbox.pause(batch); },
               [this](qint64 batch) { return m_outbox.resume(batch); },
               [this](qint64 batch) { return m_outbox.cancel(batch); },
               [this](qint64 id) { return m_outbox.cancelMessage(id); },
               [this](qint64 id) { return m_outbox.retryMessage(id); }};
    setObjectName("OutboxWindow");
    setWindowTitle(tr("Outbox"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    KeepOnScreen(*this);

    m_batches->setObjectName("lstBatches");
    m_batches->setAccessibleName(tr("Batches"));
    m_batches->setHeaderLabels({tr("Batch"), tr("State"), tr("Progress")});
    m_batches->setRootIsDecorated(false);
    m_batches->setUniformRowHeights(true);
    m_batches->setAllColumnsShowFocus(true);
    m_batches->setColumnWidth(BatchName, 200);
    m_progress->setObjectName("prgBatch");
    m_progress->setAccessibleName(tr("Batch progress"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_timeLeft->setObjectName("lblTimeLeft");
    m_timeLeft->setTextFormat(Qt::PlainText);
    m_recipientList->setObjectName("tblRecipients");
    m_recipientList->setAccessibleName(tr("Recipients of the batch"));
    m_recipientList->setModel(m_model);
    // Rows of one height: a list of thousands is laid out without measuring each.
    m_recipientList->verticalHeader()->hide();
    m_recipientList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_recipientList->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_recipientList->horizontalHeader()->setStretchLastSection(true);
    m_recipientList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_recipientList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_recipientList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_recipientList->setWordWrap(false);
    m_recipientList->setShowGrid(false);
    m_recipientList->setTabKeyNavigation(false);
    const int widths[] = {130, 140, 100, 45};
    for (int c = 0; c < 4; ++c)
        m_recipientList->setColumnWidth(c, widths[c]);
    m_pause->setToolTip(tr("Hold the batch's messages back, or let them go again"));
    m_cancel->setToolTip(tr("Take the messages not sent yet out of the batch"));
    m_sendAgain->setToolTip(tr("Put the chosen failed or uncertain messages back in the queue"));
    m_drop->setToolTip(tr("Take the chosen queued messages out of the batch; an uncertain one is marked as "
                          "dealt with, since it may have gone"));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->setObjectName("btnCloseOutbox");
    for (QAbstractButton* b : close->buttons())
        if (auto* push = qobject_cast<QPushButton*>(b))
            push->setAutoDefault(false);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_progress);
    rightLayout->addWidget(m_timeLeft);
    rightLayout->addWidget(m_recipientList, 1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    split->addWidget(m_batches);
    split->addWidget(right);
    split->setStretchFactor(1, 3);
    split->setSizes({140, 400});
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_pause, m_cancel, m_sendAgain, m_drop})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_batches, &QTreeWidget::currentItemChanged, this, &OutboxWindow::batchChosen);
    connect(m_recipientList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &OutboxWindow::updateButtons);
    connect(m_pause, &QPushButton::clicked, this, &OutboxWindow::pauseClick);
    connect(m_cancel, &QPushButton::clicked, this, &OutboxWindow::cancelClick);
    connect(m_sendAgain, &QPushButton::clicked, this, &OutboxWindow::sendAgainClick);
    connect(m_drop, &QPushButton::clicked, this, &OutboxWindow::dropClick);
    connect(&m_outbox, &Outbox::batchChanged, this, &OutboxWindow::batchChanged);
    // What the service moved (sending, sent, failed) and what the outbox
    // moved itself (queued again, cancelled, expired).
    connect(&m_outbox.service(), &MessageService::messageChanged, this,
            [this](qint64 id) { messageChanged(id); });
    connect(&m_outbox, &Outbox::messageChanged, this, [this](qint64 id) { messageChanged(id); });
    m_flush->setSingleShot(true);
    m_flush->setInterval(kFlushMs);
    connect(m_flush, &QTimer::timeout, this, &OutboxWindow::flush);
    m_clock->setInterval(kClockMs);
    connect(m_clock, &QTimer::timeout, this, [this] {
        if (m_record)
            m_timeLeft->setText(TimeLeftText(*m_record, QDateTime::currentDateTimeUtc()));
    });
    m_clock->start();

    if (m_store)
        m_reader = std::make_unique<HistoryReader>(m_store->path(), HistoryReader::AccessFor(*m_store));
    else
        m_timeLeft->setText(tr("The history is not open, so no batch can be shown."));
    resize(760, 520);
    listBatches();
    updateButtons();
}

OutboxWindow::~OutboxWindow() {
    // The reader's answers go to the model: it ends first.
    m_reader.reset();
}

void OutboxWindow::showBatch(qint64 batch) {
    if (batch == 0 && m_batches->topLevelItemCount() > 0)
        batch = m_batches->topLevelItem(0)->data(BatchName, Qt::UserRole).toLongLong();
    if (QTreeWidgetItem* item = itemOf(batch))
        m_batches->setCurrentItem(item);
    show();
    raise();
    activateWindow();
}

void OutboxWindow::listBatches() {
    m_batches->clear();
    m_items.clear();
    if (!m_store)
        return;
    for (const BatchRecord& b : m_store->Batches()) {
        auto* item = new QTreeWidgetItem(m_batches);
        item->setData(BatchName, Qt::UserRole, b.id);
        fillItem(item, b);
        m_items.insert(b.id, item);
    }
    if (m_items.isEmpty())
        m_timeLeft->setText(tr("No batch has been queued."));
}

QTreeWidgetItem* OutboxWindow::itemOf(qint64 batch) {
    if (QTreeWidgetItem* item = m_items.value(batch))
        return item;
    if (m_store && batch > 0)
        refreshBatch(batch);
    return m_items.value(batch);
}

void OutboxWindow::fillItem(QTreeWidgetItem* item, const BatchRecord& batch) {
    item->setText(BatchName, batch.name.isEmpty() ? tr("Batch %1").arg(batch.id) : batch.name);
    item->setText(BatchState, BatchStateWords(batch));
    item->setText(BatchProgress, BatchCounts(batch));
}

// A change is marked, and shown with the others of the moment: a batch's
// counts are read once however many of its messages moved meanwhile.
void OutboxWindow::batchChanged(qint64 batch) {
    if (!m_store)
        return;
    m_dirtyBatches.insert(batch);
    if (!m_flush->isActive())
        m_flush->start();
}

void OutboxWindow::messageChanged(qint64 id) {
    if (!m_store || m_batch == 0)
        return;
    if (!m_listed) {
        // Read again once the list has come: it may hold this one as it was.
        m_changedMeanwhile.push_back(id);
        return;
    }
    if (m_model->rowOf(id) < 0)
        return;
    m_dirtyRows.insert(id);
    if (!m_flush->isActive())
        m_flush->start();
}

// What changed is read on the reader's thread, through its own connection:
// a batch's counts over a long history take milliseconds the window does
// not wait for.
void OutboxWindow::flush() {
    if (!m_reader)
        return;
    struct Changes {
        std::vector<BatchRecord> batches;
        std::vector<BatchRecipientRow> rows;
    };
    std::vector<qint64> batches(m_dirtyBatches.begin(), m_dirtyBatches.end());
    std::vector<qint64> rows(m_dirtyRows.begin(), m_dirtyRows.end());
    m_dirtyBatches.clear();
    m_dirtyRows.clear();
    m_reader->ask(
        this,
        [batches = std::move(batches), rows = std::move(rows)](MessageStore& store) {
            Changes read;
            for (const qint64 id : batches)
                if (auto b = store.Batch(id))
                    read.batches.push_back(std::move(*b));
            for (const qint64 id : rows)
                if (const auto m = store.Message(id))
                    read.rows.push_back(RecipientRow(*m));
            return read;
        },
        [this](Changes read) {
            for (const BatchRecord& b : read.batches)
                showBatchRecord(b);
            for (const BatchRecipientRow& row : read.rows)
                m_model->update(row);
            if (!read.rows.empty())
                updateButtons();
        });
}

void OutboxWindow::showBatchRecord(const BatchRecord& batch) {
    QTreeWidgetItem* item = m_items.value(batch.id);
    if (!item) {
        // Queued since the list was made: it comes in at the top.
        item = new QTreeWidgetItem;
        item->setData(BatchName, Qt::UserRole, batch.id);
        m_batches->insertTopLevelItem(0, item);
        m_items.insert(batch.id, item);
    }
    fillItem(item, batch);
    if (batch.id == m_batch) {
        m_record = batch;
        showCounts();
    }
}

void OutboxWindow::refreshBatch(qint64 batch) {
    if (const auto record = m_store->Batch(batch))
        showBatchRecord(*record);
}

void OutboxWindow::refreshRow(qint64 id) {
    if (m_model->rowOf(id) < 0)
        return;
    if (const auto m = m_store->Message(id))
        m_model->update(RecipientRow(*m));
}

void OutboxWindow::batchChosen() {
    QTreeWidgetItem* item = m_batches->currentItem();
    m_batch = item ? item->data(BatchName, Qt::UserRole).toLongLong() : 0;
    m_record = m_store && m_batch ? m_store->Batch(m_batch) : std::nullopt;
    if (item && m_record)
        fillItem(item, *m_record);
    showCounts();
    listRecipients();
}

void OutboxWindow::listRecipients() {
    m_model->reset({});
    m_listed = false;
    m_changedMeanwhile.clear();
    const int asked = ++m_asked;
    if (!m_reader || m_batch == 0) {
        updateButtons();
        return;
    }
    HistoryQuery query;
    query.batch = m_batch;
    m_reader->ask(
        this,
        [query](MessageStore& store) {
            std::vector<BatchRecipientRow> rows;
            for (const MessageRecord& m : store.Messages(query))
                rows.push_back(RecipientRow(m));
            return rows;
        },
        [this, asked](std::vector<BatchRecipientRow> rows) {
            if (asked != m_asked)
                return; // another batch was chosen meanwhile
            m_model->reset(std::move(rows));
            m_listed = true;
            std::vector<qint64> again;
            again.swap(m_changedMeanwhile);
            for (const qint64 id : again)
                m_dirtyRows.insert(id);
            if (!again.empty() && !m_flush->isActive())
                m_flush->start();
            updateButtons();
        });
}

void OutboxWindow::showCounts() {
    if (!m_record) {
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
        m_progress->setFormat(QString());
        if (m_store && m_batches->topLevelItemCount() > 0)
            m_timeLeft->clear();
        updateButtons();
        return;
    }
    const BatchRecord& b = *m_record;
    m_progress->setRange(0, std::max(1, b.total));
    m_progress->setValue(b.sent + b.failed + b.uncertain + b.cancelled);
    m_progress->setFormat(BatchCounts(b));
    m_timeLeft->setText(TimeLeftText(b, QDateTime::currentDateTimeUtc()));
    updateButtons();
}

std::vector<qint64> OutboxWindow::selectedIds(bool (*which)(const BatchRecipientRow&)) const {
    std::vector<qint64> ids;
    if (!m_listed)
        return ids;
    for (const QModelIndex& index : m_recipientList->selectionModel()->selectedRows()) {
        const BatchRecipientRow& row = m_model->at(index.row());
        if (which(row))
            ids.push_back(row.id);
    }
    return ids;
}

void OutboxWindow::setQueueSteps(QueueSteps steps) { m_steps = std::move(steps); }

void OutboxWindow::updateButtons() {
    const bool open = m_record && !m_record->finished() && m_record->state != msg::BatchState::Cancelled;
    m_pause->setEnabled(open);
    m_pause->setText(m_record && m_record->state == msg::BatchState::Paused ? tr("&Resume") : tr("&Pause"));
    m_cancel->setEnabled(open && m_record->queued > 0);
    m_sendAgain->setEnabled(!selectedIds(IsRetryable).empty());
    m_drop->setEnabled(!selectedIds(IsDroppable).empty());
}

void OutboxWindow::refused(const std::string& why) { m_prompter.Warning(this, Q(why)); }

void OutboxWindow::pauseClick() {
    if (!m_record)
        return;
    const bool resume = m_record->state == msg::BatchState::Paused;
    const auto done = resume ? m_steps.resume(m_batch) : m_steps.pause(m_batch);
    if (!done)
        refused(done.error());
    refreshBatch(m_batch);
    if (resume)
        emit queueChanged();
}

void OutboxWindow::cancelClick() {
    if (!m_record || m_record->queued == 0)
        return;
    const QString question =
        tr("Take the %1 messages not sent yet out of \"%2\"? They will not be sent.")
            .arg(QString::number(m_record->queued), m_batches->currentItem()->text(BatchName));
    if (!m_prompter.AskToDelete(this, question))
        return;
    if (const auto done = m_steps.cancel(m_batch); !done)
        refused(done.error());
    refreshBatch(m_batch);
}

void OutboxWindow::sendAgainClick() {
    bool any = false;
    for (const qint64 id : selectedIds(IsRetryable)) {
        const auto done = m_steps.retryMessage(id);
        if (!done) {
            refused(done.error());
            break;
        }
        any = true;
        refreshRow(id);
    }
    if (!any)
        return;
    refreshBatch(m_batch);
    updateButtons();
    emit queueChanged();
}

void OutboxWindow::dropClick() {
    for (const qint64 id : selectedIds(IsDroppable)) {
        if (const auto done = m_steps.cancelMessage(id); !done) {
            refused(done.error());
            break;
        }
        refreshRow(id);
    }
    refreshBatch(m_batch);
    updateButtons();
}

} // namespace velmora
