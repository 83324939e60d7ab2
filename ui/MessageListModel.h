#pragma once

#include "MessageStore.h"

#include <QAbstractTableModel>

#include <map>
#include <set>
#include <vector>

namespace velmora {

class HistoryReader;

// The messages of one list (a conversation, everything sent, a search),
// oldest at the top as a conversation reads. The list is counted first and
// each page of 200 rows read from the reader's thread when the view first
// shows one of its rows; far pages are forgotten again. A list of 100,000
// messages thus opens at once, its scroll bar the length of the whole, and
// scrolls without waiting for the store.
class MessageListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, With, Kind, State, Text, ColumnCount };
    static constexpr int kPage = 200;
    static constexpr int kPagesKept = 40;

    MessageListModel(HistoryReader& reader, QObject* parent = nullptr);

    // Lists what `query` matches (its limit and offset are the model's).
    void setQuery(HistoryQuery query);
    const HistoryQuery& query() const { return m_query; }
    // Whether the list has been counted since it was last asked for.
    bool isCounted() const { return m_counted; }
    // A row's message once its page has been read; null before.
    const MessageRecord* record(int row) const;
    // The row of a message among the pages read; -1 when not read.
    int rowOf(qint64 id) const;
    // Pages asked for and not answered yet.
    int pagesAwaited() const { return static_cast<int>(m_awaited.size()); }

    // The message was added, changed or deleted: its row is read again, a
    // new one joins the end of the list, a deleted one leaves it; rows
    // around keep their places, so the view keeps its choice and scroll.
    void messageChanged(qint64 id);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The list asked for is counted and its newest page read.
    void counted();
    // Rows were read in (or read again); the view may show a choice.
    void rowsRead();
    // The list could not be kept in step and was made anew.
    void madeAnew();

private:
    QString rowState(const MessageRecord& m) const;
    struct Page {
        int first = 0, end = 0; // rows
        HistoryQuery query;
    };
    Page pageQuery(int page, int total) const;
    void askPage(int page) const;
    void takeRows(int ticket, int total, int first, std::vector<MessageRecord> newestFirst);
    void takeChange(int ticket, qint64 id, std::optional<MessageRecord> record, int total);
    void forgetFarPages(int nearRow);
    void remakeCount(int total);

    HistoryReader& m_reader;
    HistoryQuery m_query;
    int m_total = 0;
    bool m_counted = false;
    int m_ticket = 0; // answers to an older list are dropped
    std::map<int, MessageRecord> m_rows;
    mutable std::set<int> m_awaited; // pages
};

} // namespace velmora
