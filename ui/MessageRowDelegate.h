#pragma once

#include <QStyledItemDelegate>

namespace velmora {

// A message of the Messages window in two lines: the start of its text and
// its time, then to or from whom, its kind and its state, the state in the
// colour the model gives it. The five columns of MessageListModel in the
// width of one, so no word of a long state is cut for the text's sake.
class MessageRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The height of a row: two lines and a margin.
    static int RowHeight(const QFontMetrics& fm);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace velmora
