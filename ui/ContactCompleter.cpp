#include "ContactCompleter.h"

#include <QStandardItemModel>

namespace velmora {

namespace {
constexpr int kNumberRole = Qt::UserRole + 1;
}

ContactCompleter::ContactCompleter(QObject* parent)
    : QCompleter(parent), m_entries(new QStandardItemModel(this)) {
    setModel(m_entries);
    setCaseSensitivity(Qt::CaseInsensitive);
    // "smith" finds "Ann Smith": people remember a surname as often as a
    // first name.
    setFilterMode(Qt::MatchContains);
    setCompletionMode(QCompleter::PopupCompletion);
}

void ContactCompleter::clear() { m_entries->clear(); }

void ContactCompleter::add(const QString& name, const QString& number) {
    if (number.isEmpty())
        return;
    auto* item = new QStandardItem(name.isEmpty() ? number : name + " (" + number + ")");
    item->setData(number, kNumberRole);
    item->setEditable(false);
    m_entries->appendRow(item);
}

int ContactCompleter::count() const { return m_entries->rowCount(); }

// What goes into the edit when an entry is highlighted or chosen.
QString ContactCompleter::pathFromIndex(const QModelIndex& index) const {
    const QString number = index.data(kNumberRole).toString();
    return number.isEmpty() ? QCompleter::pathFromIndex(index) : number;
}

} // namespace velmora
