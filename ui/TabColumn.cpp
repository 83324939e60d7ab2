#include "TabColumn.h"

#include <QStyleOptionTab>
#include <QStylePainter>

#include <algorithm>

namespace velmora {

namespace {

const int kPad = 4;

} // namespace

QSize TabColumnBar::tabSizeHint(int index) const {
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, fontMetrics().horizontalAdvance(tabText(i)));
    (void)index; // one width for all, so the column is even
    return {kPad + 16 + kPad + widest + 2 * kPad, std::max(24, fontMetrics().height() + 10)};
}

void TabColumnBar::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab tab;
        initStyleOption(&tab, i);
        // The frame as a tab on top would have it, the caption unturned.
        tab.shape = QTabBar::RoundedNorth;
        p.drawControl(QStyle::CE_TabBarTabShape, tab);
        const QRect r = tabRect(i);
        const QRect iconRect(r.left() + kPad, r.center().y() - 7, 16, 16);
        tabIcon(i).paint(&p, iconRect, Qt::AlignCenter, isTabEnabled(i) ? QIcon::Normal : QIcon::Disabled);
        QRect textRect = r.adjusted(kPad + 16 + kPad, 0, -kPad, 0);
        p.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                       isTabEnabled(i), tabText(i), QPalette::WindowText);
    }
}

TabColumn::TabColumn(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new TabColumnBar(this));
    setTabPosition(QTabWidget::West);
}

} // namespace velmora
