#include "MessageListModel.h"

#include "HistoryReader.h"
#include "MessageWords.h"
#include "Terms.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace velmora {

namespace {

// What the list shows of a text: its start, on one line.
QString TextStart(const QString& text) {
    QString start = text.left(160);
    for (QChar& c : start)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = ' ';
    return start;
}

} // namespace

MessageListModel::MessageListModel(HistoryReader& reader, QObject* parent)
    : QAbstractTableModel(parent), m_reader(reader) {}

void MessageListModel::setQuery(HistoryQuery query) {
    query.limit = -1;
    query.offset = 0;
    beginResetModel();
    m_query = query;
    m_total = 0;
    m_counted = false;
    m_rows.clear();
    m_awaited.clear();
    const int ticket = ++m_ticket;
    endResetModel();
    // Counted with the newest rows in one question: the view opens at the
    // bottom, and a last page of a few rows brings the one before it.
    m_reader.ask(
        this,
        [query](MessageStore& store) {
            const int total = store.Count(query);
            int first = total > 0 ? (total - 1) / kPage * kPage : 0;
            if (total - first < kPage / 4)
                first = std::max(0, first - kPage);
            HistoryQuery newest = query;
            newest.limit = total - first;
            return std::make_pair(total, total > 0 ? store.Messages(newest) : std::vector<MessageRecord>{});
        },
        [this, ticket](std::pair<int, std::vector<MessageRecord>> answer) {
            if (ticket != m_ticket)
                return;
            const int total = answer.first;
            if (total > 0) {
                beginInsertRows({}, 0, total - 1);
                m_total = total;
                endInsertRows();
            }
            m_counted = true;
            const int first = total - static_cast<int>(answer.second.size());
            takeRows(ticket, total, first, std::move(answer.second));
            emit counted();
        });
}

const MessageRecord* MessageListModel::record(int row) const {
    const auto it = m_rows.find(row);
    return it == m_rows.end() ? nullptr : &it->second;
}

int MessageListModel::rowOf(qint64 id) const {
    for (const auto& [row, m] : m_rows)
        if (m.id == id)
            return row;
    return -1;
}

// Rows [first, end) are newest-first offsets [total - end, total - first).
MessageListModel::Page MessageListModel::pageQuery(int page, int total) const {
    Page p;
    p.first = page * kPage;
    p.end = std::min(total, p.first + kPage);
    p.query = m_query;
    p.query.offset = total - p.end;
    p.query.limit = p.end - p.first;
    return p;
}

void MessageListModel::askPage(int page) const {
    if (!m_counted || page < 0 || page * kPage >= m_total || !m_awaited.insert(page).second)
        return;
    const Page p = pageQuery(page, m_total);
    auto* self = const_cast<MessageListModel*>(this);
    m_reader.ask(
        self, [q = p.query](MessageStore& store) { return store.Messages(q); },
        [self, ticket = m_ticket, total = m_total, page, first = p.first](std::vector<MessageRecord> rows) {
            if (ticket == self->m_ticket)
                self->m_awaited.erase(page);
            self->takeRows(ticket, total, first, std::move(rows));
        });
}

void MessageListModel::takeRows(int ticket, int total, int first, std::vector<MessageRecord> newestFirst) {
    // Rows counted for another length would land one place off.
    if (ticket != m_ticket || total != m_total || newestFirst.empty())
        return;
    const int end = first + static_cast<int>(newestFirst.size());
    for (int row = end - 1, i = 0; row >= first; --row, ++i)
        m_rows[row] = std::move(newestFirst[static_cast<std::size_t>(i)]);
    forgetFarPages(first);
    emit dataChanged(index(first, 0), index(end - 1, ColumnCount - 1));
    emit rowsRead();
}

// The pages farthest from where the view is go first.
void MessageListModel::forgetFarPages(int nearRow) {
    const std::size_t keep = static_cast<std::size_t>(kPagesKept) * kPage;
    while (m_rows.size() > keep) {
        const int low = m_rows.begin()->first, high = m_rows.rbegin()->first;
        const int page = std::abs(nearRow - low) > std::abs(high - nearRow) ? low / kPage : high / kPage;
        m_rows.erase(m_rows.lower_bound(page * kPage), m_rows.lower_bound((page + 1) * kPage));
    }
}

void MessageListModel::messageChanged(qint64 id) {
    if (!m_counted)
        return; // the count on its way is made after the change
    m_reader.ask(
        this,
        [q = m_query, id](MessageStore& store) { return std::make_pair(store.Message(id), store.Count(q)); },
        [this, ticket = m_ticket, id](std::pair<std::optional<MessageRecord>, int> answer) {
            takeChange(ticket, id, std::move(answer.first), answer.second);
        });
}

void MessageListModel::takeChange(int ticket, qint64 id, std::optional<MessageRecord> record, int total) {
    if (ticket != m_ticket)
        return;
    const int row = rowOf(id);
    if (total == m_total) {
        if (row >= 0 && record) {
            m_rows[row] = std::move(*record);
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
        } else if (row >= 0) {
            remakeCount(total); // gone, yet the count holds: the list moved under us
        }
        return;
    }
    if (total > m_total) {
        // A new message is the newest: it joins the end, and the rows that
        // were the last page's are read again with it.
        const int from = m_total;
        beginInsertRows({}, from, total - 1);
        m_total = total;
        endInsertRows();
        m_rows.erase(m_rows.lower_bound(std::max(0, from - 1) / kPage * kPage), m_rows.end());
        m_awaited.clear();
        ++m_ticket;
        askPage((total - 1) / kPage);
        if ((total - 1) / kPage != std::max(0, from - 1) / kPage)
            askPage(std::max(0, from - 1) / kPage);
        return;
    }
    if (row >= 0 && total == m_total - 1) {
        // It left this list (deleted, or no longer of its state): the rows
        // after it move up one.
        beginRemoveRows({}, row, row);
        auto it = m_rows.find(row);
        it = m_rows.erase(it);
        std::map<int, MessageRecord> moved;
        while (it != m_rows.end()) {
            moved.emplace(it->first - 1, std::move(it->second));
            it = m_rows.erase(it);
        }
        m_rows.merge(moved);
        m_total = total;
        m_awaited.clear();
        ++m_ticket;
        endRemoveRows();
        return;
    }
    remakeCount(total);
}

// Rows went that were not read: where is not known, so the list is read anew
// at its new length.
void MessageListModel::remakeCount(int total) {
    beginResetModel();
    m_rows.clear();
    m_awaited.clear();
    m_total = total;
    ++m_ticket;
    endResetModel();
    emit madeAnew();
}

int MessageListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_total; }

int MessageListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

// The state, and whether the message was sent again or is itself sent
// again: the list tells the two apart without opening either.
QString MessageListModel::rowState(const MessageRecord& m) const {
    if (m.replacedBy)
        return tr("%1; sent again").arg(StateWords(m));
    if (m.replaces)
        return tr("%1; sent again in place of an earlier one").arg(StateWords(m));
    return StateWords(m);
}

QVariant MessageListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_total)
        return {};
    const MessageRecord* m = record(index.row());
    if (!m) {
        if (role == Qt::DisplayRole)
            askPage(index.row() / kPage);
        return {};
    }
    const bool out = m->direction == msg::Direction::Out;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Time:
            return ShownTime(MessageTime(*m));
        case With:
            return (out ? tr("To %1") : tr("From %1")).arg(m->name.isEmpty() ? m->number : m->name);
        case Kind:
            return KindWords(m->kind);
        case State:
            return rowState(*m);
        case Text:
            return TextStart(terms::MessageText(*m));
        }
        return {};
    case Qt::ToolTipRole:
        return Correspondent(m->name, m->number) + "\n" + rowState(*m);
    case Qt::AccessibleTextRole:
        // The row as one sentence: a list shows its first column alone.
        return QStringList{ShownTime(MessageTime(*m)),
                           data(index.siblingAtColumn(With), Qt::DisplayRole).toString(), KindWords(m->kind),
                           rowState(*m), TextStart(terms::MessageText(*m))}
            .join(", ");
    case Qt::ForegroundRole:
        // One sent again is dealt with: no longer shown as a failure.
        if (index.column() != State || m->replacedBy)
            return {};
        if (m->state == msg::State::Failed || m->state == msg::State::NotDelivered)
            return QBrush(QColor(0xb0, 0x10, 0x10));
        if (m->state == msg::State::Uncertain)
            return QBrush(QColor(0xa0, 0x58, 0x00));
        return {};
    default:
        return {};
    }
}

QVariant MessageListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const names[] = {QT_TR_NOOP("Time"), QT_TR_NOOP("With"), QT_TR_NOOP("Kind"),
                                        QT_TR_NOOP("State"), QT_TR_NOOP("Message")};
    return section >= 0 && section < ColumnCount ? tr(names[section]) : QVariant();
}

} // namespace velmora
