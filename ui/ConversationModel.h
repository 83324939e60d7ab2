#pragma once

#include "MessageStore.h"

#include <QAbstractTableModel>

#include <vector>

namespace velmora {

class HistoryReader;

// The history's conversations, newest first, under two rows that are not
// one number's: every message, and every message sent. The conversations
// come from the reader's thread in one answer and are shown 200 rows at a
// time as the list is scrolled down (canFetchMore/fetchMore), so a history
// of many numbers opens at once.
class ConversationModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Last, Count, ColumnCount };
    // The first rows, and the keys that stand for them.
    enum Fixed { AllRow, SentRow, FixedRows };
    static const QString kAllKey;
    static const QString kSentKey;
    static constexpr int kPage = 200;

    ConversationModel(HistoryReader& reader, QObject* parent = nullptr);

    // Asks for the conversations with a message that matches `search`, now
    // or at the next refresh().
    void setSearch(const QString& search, bool askNow = true);
    QString search() const { return m_search; }
    // Asks again for the same search: a message was added or changed.
    void refresh();

    // kAllKey, kSentKey or the conversation's ConversationKey; "" for none.
    QString keyOf(int row) const;
    // The row of `key`, revealing rows down to it; -1 when it is not listed.
    int rowOf(const QString& key);
    // The messages a row lists (without the search).
    HistoryQuery queryOf(int row) const;
    // How the row's conversation is named: "Budi (+628569999999)", "Sent".
    QString title(int row) const;
    // Conversations found for the search, shown or not yet.
    int found() const { return static_cast<int>(m_found.size()); }
    // Whether the last question asked has been answered.
    bool hasAnswered() const { return m_answered; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

signals:
    // An answer came and the rows changed: the same rows with new figures
    // (`sameRows`), or rows listed anew.
    void answered(bool sameRows);

private:
    void ask();
    void take(int ticket, std::vector<Conversation> found);
    const Conversation* conversation(int row) const;

    HistoryReader& m_reader;
    QString m_search;
    std::vector<Conversation> m_found;
    int m_shown = 0; // of m_found
    int m_ticket = 0;
    bool m_answered = false;
};

} // namespace velmora
