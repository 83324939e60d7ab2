#pragma once

#include "MessageStore.h"

#include <QDialog>
#include <QHash>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmora {

class BatchRecipientModel;
struct BatchRecipientRow;
class HistoryReader;
class Outbox;
class Prompter;

// "120 of 200 sent, 3 failed" (", 1 uncertain" when any is).
QString BatchCounts(const BatchRecord& batch);
// "active", "paused", "cancelled", "finished".
QString BatchStateWords(const BatchRecord& batch);
// How long the rest of a batch will take, from its pacing and what is
// left: "about 12 min left", "starts at 18:00", "paused: the phone stopped
// answering", "finished". `now` in UTC.
QString TimeLeftText(const BatchRecord& batch, const QDateTime& now);

// The batches sent to many, and the chosen one's recipients with where each
// stands; the user pauses, resumes or cancels a batch, sends a failed
// message again or drops a queued one. It never reloads what it shows for
// a change: a message's change repaints its row, a batch's change reads
// that batch's counts (one query), both read on a thread of their own, as
// the recipients are, so a batch of thousands going as fast as the phone
// takes it never holds up the window.
// Shown beside the window without blocking it, as the Messages window is.
class OutboxWindow : public QDialog {
    Q_OBJECT
public:
    // `store` may be null: the window says the history is not open.
    OutboxWindow(MessageStore* store, Outbox& outbox, Prompter& prompter, QWidget* parent = nullptr);
    ~OutboxWindow() override;

    // Shows the window on `batch` (the newest when 0).
    void showBatch(qint64 batch = 0);
    qint64 chosenBatch() const { return m_batch; }
    BatchRecipientModel* recipients() const { return m_model; }
    // Whether the chosen batch's recipients have been read.
    bool isListed() const { return m_listed; }
    // What the buttons change the queue through: the outbox given (the
    // default), or the program that sends the batches when the window
    // works through another one.
    struct QueueSteps {
        std::function<Result<bool>(qint64 batch)> pause, resume, cancel;
        std::function<Result<bool>(qint64 id)> cancelMessage, retryMessage;
    };
    void setQueueSteps(QueueSteps steps);

public slots:
    // A message was recorded or changed its state: its row follows.
    void messageChanged(qint64 id);
    // A batch's counts or state changed, or a batch was queued.
    void batchChanged(qint64 batch);

signals:
    // The user resumed a batch or put a message back in the queue: the
    // outbox should look again.
    void queueChanged();

private:
    void listBatches();
    QTreeWidgetItem* itemOf(qint64 batch);
    void fillItem(QTreeWidgetItem* item, const BatchRecord& batch);
    void flush();
    void showBatchRecord(const BatchRecord& batch);
    // At once, on the window's own connection: after the user's own step.
    void refreshBatch(qint64 batch);
    void refreshRow(qint64 id);
    void batchChosen();
    void listRecipients();
    void showCounts();
    void updateButtons();
    std::vector<qint64> selectedIds(bool (*which)(const BatchRecipientRow&)) const;
    void pauseClick();
    void cancelClick();
    void sendAgainClick();
    void dropClick();
    void refused(const std::string& why);

    MessageStore* m_store;
    Outbox& m_outbox;
    Prompter& m_prompter;
    std::unique_ptr<HistoryReader> m_reader; // ends before the model it answers
    BatchRecipientModel* m_model;

    QTreeWidget* m_batches;
    QProgressBar* m_progress;
    QLabel* m_timeLeft;
    QTableView* m_recipientList;
    QPushButton* m_pause;
    QPushButton* m_cancel;
    QPushButton* m_sendAgain;
    QPushButton* m_drop;
    QTimer* m_clock; // the time left goes down without any change
    QTimer* m_flush; // shows the changes marked since the last time

    QHash<qint64, QTreeWidgetItem*> m_items;
    qint64 m_batch = 0;
    std::optional<BatchRecord> m_record; // the chosen batch as last read
    bool m_listed = false;
    QueueSteps m_steps;
    int m_asked = 0;                          // the recipient list being read
    std::vector<qint64> m_changedMeanwhile;   // changed while the list was being read
    QSet<qint64> m_dirtyBatches, m_dirtyRows; // changed since the last flush
};

} // namespace velmora
