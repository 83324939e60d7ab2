#pragma once

#include <QCompleter>

class QStandardItemModel;

namespace velmora {

// Offers the phone book's entries while the destination is typed: a name
// (or part of one, or of a number) lists "Name (number)", and choosing one
// puts the number, not the name, into the edit. Enter on a chosen entry
// only chooses it: the edit's Enter sends the message, which must not go
// before its text is written.
class ContactCompleter : public QCompleter {
public:
    explicit ContactCompleter(QObject* parent);

    void clear();
    void add(const QString& name, const QString& number);
    int count() const;

    QString pathFromIndex(const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStandardItemModel* m_entries;
};

} // namespace velmora
