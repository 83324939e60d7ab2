#include "ConversationModel.h"

#include "HistoryReader.h"
#include "MessageWords.h"

#include <QFont>

#include <algorithm>

namespace velmora {

// Not a ConversationKey: those are digits or a sender's name in lower case.
const QString ConversationModel::kAllKey = QStringLiteral("\x01"
                                                          "all");
const QString ConversationModel::kSentKey = QStringLiteral("\x01"
                                                           "sent");

ConversationModel::ConversationModel(HistoryReader& reader, QObject* parent)
    : QAbstractTableModel(parent), m_reader(reader) {}

void ConversationModel::setSearch(const QString& search, bool askNow) {
    m_search = search;
    if (askNow)
        ask();
}

void ConversationModel::refresh() { ask(); }

void ConversationModel::ask() {
    const int ticket = ++m_ticket;
    m_answered = false;
    m_reader.ask(
        this, [search = m_search](MessageStore& store) { return store.Conversations(search); },
        [this, ticket](std::vector<Conversation> found) { take(ticket, std::move(found)); });
}

// A change that leaves every conversation where it was renews the figures
// in place, so the list keeps its choice and where it was scrolled; else
// the list is made anew and the window chooses again by key. Every
// conversation found counts, not only those shown: a search cleared finds
// more than the one it found, and its first row may be the same.
void ConversationModel::take(int ticket, std::vector<Conversation> found) {
    if (ticket != m_ticket)
        return; // a later question is on its way
    m_answered = true;
    const bool sameRows =
        std::equal(m_found.begin(), m_found.end(), found.begin(), found.end(),
                   [](const Conversation& a, const Conversation& b) { return a.key == b.key; });
    if (sameRows && m_shown > 0) {
        m_found = std::move(found);
        emit dataChanged(index(FixedRows, 0), index(FixedRows + m_shown - 1, ColumnCount - 1));
        emit answered(true);
        return;
    }
    beginResetModel();
    m_found = std::move(found);
    m_shown = std::min(kPage, static_cast<int>(m_found.size()));
    endResetModel();
    emit answered(false);
}

const Conversation* ConversationModel::conversation(int row) const {
    const int at = row - FixedRows;
    return at >= 0 && at < m_shown ? &m_found[static_cast<std::size_t>(at)] : nullptr;
}

QString ConversationModel::keyOf(int row) const {
    if (row == AllRow)
        return kAllKey;
    if (row == SentRow)
        return kSentKey;
    const Conversation* c = conversation(row);
    return c ? c->key : QString();
}

int ConversationModel::rowOf(const QString& key) {
    if (key == kAllKey)
        return AllRow;
    if (key == kSentKey)
        return SentRow;
    const auto it =
        std::find_if(m_found.begin(), m_found.end(), [&](const Conversation& c) { return c.key == key; });
    if (it == m_found.end())
        return -1;
    const int at = static_cast<int>(it - m_found.begin());
    if (at >= m_shown) {
        beginInsertRows({}, FixedRows + m_shown, FixedRows + at);
        m_shown = at + 1;
        endInsertRows();
    }
    return FixedRows + at;
}

HistoryQuery ConversationModel::queryOf(int row) const {
    HistoryQuery q;
    if (row == SentRow)
        q.direction = msg::Direction::Out;
    else if (const Conversation* c = conversation(row))
        q.number = c->key;
    return q;
}

QString ConversationModel::title(int row) const {
    if (row == AllRow)
        return tr("All messages");
    if (row == SentRow)
        return tr("Sent");
    const Conversation* c = conversation(row);
    return c ? Correspondent(c->name, c->number) : QString();
}

int ConversationModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FixedRows + m_shown;
}

int ConversationModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ConversationModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row();
    const Conversation* c = conversation(row);
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == Name)
            return c ? (c->name.isEmpty() ? c->number : c->name) : title(row);
        if (!c)
            return {};
        return index.column() == Last ? QVariant(ShortTime(c->last, QDateTime::currentDateTime()))
                                      : QVariant(c->count);
    case Qt::ToolTipRole:
        if (!c)
            return row == SentRow ? tr("Every message sent, to any number")
                                  : tr("Every message, sent and received");
        // One arg() for all: a name or a text holding "%2" stays as it is.
        if (c->count == 1)
            return tr("%1\n1 message, the last %2:\n%3")
                .arg(Correspondent(c->name, c->number), ShownTime(c->last), c->lastText.left(200));
        return tr("%1\n%2 messages, the last %3:\n%4")
            .arg(Correspondent(c->name, c->number), QString::number(c->count), ShownTime(c->last),
                 c->lastText.left(200));
    case Qt::TextAlignmentRole:
        return index.column() == Count ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::FontRole:
        if (!c) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant ConversationModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const names[] = {QT_TR_NOOP("Conversation"), QT_TR_NOOP("Last"),
                                        QT_TR_NOOP("Messages")};
    return section >= 0 && section < ColumnCount ? tr(names[section]) : QVariant();
}

bool ConversationModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_shown < static_cast<int>(m_found.size());
}

void ConversationModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    const int more = std::min(kPage, static_cast<int>(m_found.size()) - m_shown);
    beginInsertRows({}, FixedRows + m_shown, FixedRows + m_shown + more - 1);
    m_shown += more;
    endInsertRows();
}

} // namespace velmora
