#include "MessageRowDelegate.h"

#include "MessageListModel.h"

#include <QApplication>
#include <QPainter>

namespace velmora {

namespace {

const int kMargin = 4;

QString At(const QModelIndex& index, int column) { return index.siblingAtColumn(column).data().toString(); }

} // namespace

int MessageRowDelegate::RowHeight(const QFontMetrics& fm) { return 2 * fm.lineSpacing() + 2 * kMargin; }

QSize MessageRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), RowHeight(option.fontMetrics)};
}

void MessageRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem o = option;
    initStyleOption(&o, index);
    o.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &o, painter, widget);

    const bool chosen = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QColor ink = option.palette.color(group, chosen ? QPalette::HighlightedText : QPalette::Text);
    QColor quiet = ink;
    quiet.setAlphaF(0.7f);
    const QFontMetrics& fm = option.fontMetrics;
    const QRect area = option.rect.adjusted(kMargin + 2, kMargin, -kMargin - 2, -kMargin);
    const QRect first(area.left(), area.top(), area.width(), fm.lineSpacing());
    const QRect second = first.translated(0, fm.lineSpacing());

    painter->save();
    // Line one: the text's start, and the time at the right.
    const QString time = At(index, MessageListModel::Time);
    const int timeWidth = fm.horizontalAdvance(time) + 2 * kMargin;
    painter->setPen(quiet);
    painter->drawText(first, Qt::AlignRight | Qt::AlignVCenter, time);
    painter->setPen(ink);
    painter->drawText(
        first.adjusted(0, 0, -timeWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
        fm.elidedText(At(index, MessageListModel::Text), Qt::ElideRight, first.width() - timeWidth));
    // Line two: with whom and what it is, then its state in its colour.
    const QString with = At(index, MessageListModel::With);
    const QString what =
        with.isEmpty() ? QString() : with + "  \u00b7  " + At(index, MessageListModel::Kind) + "  \u00b7  ";
    // Who and what keep at most half the line; the state has the rest.
    const int whatWidth = std::min(fm.horizontalAdvance(what), second.width() / 2);
    painter->setPen(quiet);
    painter->drawText(
        second.adjusted(0, 0, whatWidth - second.width(), 0), Qt::AlignLeft | Qt::AlignVCenter,
        fm.horizontalAdvance(what) <= whatWidth ? what : fm.elidedText(what, Qt::ElideMiddle, whatWidth));
    const QVariant colour = index.siblingAtColumn(MessageListModel::State).data(Qt::ForegroundRole);
    painter->setPen(!chosen && colour.canConvert<QBrush>() ? colour.value<QBrush>().color() : ink);
    const QRect state = second.adjusted(whatWidth, 0, 0, 0);
    painter->drawText(state, Qt::AlignLeft | Qt::AlignVCenter,
                      fm.elidedText(At(index, MessageListModel::State), Qt::ElideRight, state.width()));
    painter->restore();
}

} // namespace velmora
