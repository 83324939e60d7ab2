#include "ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace velmora {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void ElidedLabel::setText(const QString& text) {
    QLabel::setText(text);
    setToolTip(text);
    setAccessibleDescription(text.isEmpty() ? tr("Content file") : text);
}

// Room for a few characters around the ellipsis; the layout gives more when
// the window has it.
QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("/…/x")), QLabel::minimumSizeHint().height()};
}

void ElidedLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

} // namespace velmora
