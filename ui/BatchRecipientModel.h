#pragma once

#include "MessageTypes.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QHash>

#include <optional>
#include <vector>

namespace velmora {

// One recipient of a batch as the outbox window lists it: what the row
// shows and no more, so a batch of thousands stays small.
struct BatchRecipientRow {
    qint64 id = 0;
    QString number, name;
    msg::State state = msg::State::Queued;
    msg::Reason reason = msg::Reason::None;
    std::optional<int> code;
    int tries = 0;
    QDateTime notBefore; // UTC
};

BatchRecipientRow RecipientRow(const MessageRecord& m);
// The state in one word or two: "Queued", "Sent", "Not delivered", ...
QString RecipientState(const BatchRecipientRow& row);
// What the row adds to its state: when a refused one goes again ("next try
// 18:04", in the user's zone), why one failed (the phone's error), why one
// is uncertain; "" when there is nothing to add.
QString RecipientNote(const BatchRecipientRow& row);

// The recipients of one batch, in their order in it. A change of one
// message finds its row through a map and repaints that row alone.
class BatchRecipientModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Name, State, Tries, Note, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void reset(std::vector<BatchRecipientRow> rows);
    // The message's row takes `row`; false when it is not listed.
    bool update(const BatchRecipientRow& row);
    int rowOf(qint64 id) const { return m_rowOf.value(id, -1); }
    const BatchRecipientRow& at(int row) const { return m_rows[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<BatchRecipientRow> m_rows;
    QHash<qint64, int> m_rowOf;
};

} // namespace velmora
