#include "BatchRecipientModel.h"

#include "Translations.h"

#include "MessageWords.h"
#include "QtText.h"
#include "StatusReport.h"
#include "Terms.h"

#include <QCoreApplication>

namespace velmora {

BatchRecipientRow RecipientRow(const MessageRecord& m) {
    return {m.id, m.number, m.name, m.state, m.reason, m.reasonCode, m.tries, m.notBefore};
}

// The state alone, its reason in the note beside it.
QString RecipientState(const BatchRecipientRow& row) {
    switch (row.state) {
    case msg::State::NotDelivered:
    case msg::State::Failed:
    case msg::State::Uncertain:
    case msg::State::Cancelled:
        return terms::StateLabel(row.state);
    default:
        return StateWords(row.state, row.reason, row.code);
    }
}

QString RecipientNote(const BatchRecipientRow& row) {
    switch (row.state) {
    case msg::State::Queued:
        if (!row.notBefore.isValid())
            return {};
        return (row.reason == msg::Reason::Retrying
                    ? QCoreApplication::translate("BatchRecipientModel", "next try %1")
                    : QCoreApplication::translate("BatchRecipientModel", "not before %1"))
            .arg(row.notBefore.toLocalTime().toString("HH:mm"));
    case msg::State::NotDelivered: {
        // The network's report, in its words (TS 23.040 9.2.3.15).
        if (!row.code)
            return {};
        const QString said = Localized(StatusText(*row.code));
        const auto colon = said.indexOf(": ");
        return colon < 0 ? said : said.mid(colon + 2);
    }
    case msg::State::Uncertain:
        if (row.reason == msg::Reason::Cancelled)
            return QCoreApplication::translate("BatchRecipientModel",
                                               "dropped by the user; whether the phone sent it is not known");
        [[fallthrough]];
    case msg::State::Failed:
        // The sentence the history uses after its "Failed: ".
        return StateWhy(row.state, row.reason, row.code);
    default:
        return {};
    }
}

void BatchRecipientModel::reset(std::vector<BatchRecipientRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_rowOf.clear();
    m_rowOf.reserve(static_cast<qsizetype>(m_rows.size()));
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        m_rowOf.insert(m_rows[i].id, static_cast<int>(i));
    endResetModel();
}

bool BatchRecipientModel::update(const BatchRecipientRow& row) {
    const int r = rowOf(row.id);
    if (r < 0)
        return false;
    m_rows[static_cast<std::size_t>(r)] = row;
    emit dataChanged(index(r, 0), index(r, ColumnCount - 1), {Qt::DisplayRole});
    return true;
}

int BatchRecipientModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int BatchRecipientModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BatchRecipientModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    const BatchRecipientRow& row = at(index.row());
    switch (index.column()) {
    case Number:
        return row.number;
    case Name:
        return row.name;
    case State:
        return RecipientState(row);
    case Tries:
        return row.tries;
    case Note:
        return RecipientNote(row);
    default:
        return {};
    }
}

QVariant BatchRecipientModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[ColumnCount] = {
        QT_TRANSLATE_NOOP("BatchRecipientModel", "Number"), QT_TRANSLATE_NOOP("BatchRecipientModel", "Name"),
        QT_TRANSLATE_NOOP("BatchRecipientModel", "State"), QT_TRANSLATE_NOOP("BatchRecipientModel", "Tries"),
        QT_TRANSLATE_NOOP("BatchRecipientModel", "Note")};
    return section >= 0 && section < ColumnCount
               ? QVariant(QCoreApplication::translate("BatchRecipientModel", kTitles[section]))
               : QVariant();
}

} // namespace velmora
