#include "ContactCompleter.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardItemModel>

#include <algorithm>

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

void ContactCompleter::clear() {
    m_entries->clear();
    popup()->setMinimumWidth(0);
}

void ContactCompleter::add(const QString& name, const QString& number) {
    if (number.isEmpty())
        return;
    auto* item = new QStandardItem(name.isEmpty() ? number : name + " (" + number + ")");
    item->setData(number, kNumberRole);
    item->setEditable(false);
    m_entries->appendRow(item);
    // As wide as the longest entry (within reason), so a long name does not
    // cut off the number it is there for.
    const int wanted = popup()->fontMetrics().horizontalAdvance(item->text()) + 40;
    popup()->setMinimumWidth(std::min(std::max(popup()->minimumWidth(), wanted), 480));
}

int ContactCompleter::count() const { return m_entries->rowCount(); }

// What goes into the edit when an entry is highlighted or chosen.
QString ContactCompleter::pathFromIndex(const QModelIndex& index) const {
    const QString number = index.data(kNumberRole).toString();
    return number.isEmpty() ? QCompleter::pathFromIndex(index) : number;
}

// The completer's own handling would pass the key on to the edit once the
// entry is in; without an entry chosen it still does, so a typed number and
// Enter send as they always did.
bool ContactCompleter::eventFilter(QObject* watched, QEvent* event) {
    // Only the edit and the popup are watched, and asking for the popup
    // before there is one would make one: so by type first.
    if (event->type() != QEvent::KeyPress || watched == widget())
        return QCompleter::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const QModelIndex chosen = popup()->currentIndex();
    auto* edit = qobject_cast<QLineEdit*>(widget());
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && popup()->isVisible() && chosen.isValid() && edit) {
        popup()->hide();
        edit->setText(pathFromIndex(chosen));
        return true;
    }
    return QCompleter::eventFilter(watched, event);
}

} // namespace velmora
