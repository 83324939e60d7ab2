#include "TShape.h"

#include <QPainter>

namespace velmora {

TShape::TShape(QWidget* parent) : QWidget(parent) {
    setFixedSize(13, 13);
    setAccessibleDescription("off");
}

void TShape::setOn(bool on) {
    m_on = on;
    setAccessibleDescription(on ? "on" : "off");
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(brushColor());
    p.drawEllipse(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace velmora
