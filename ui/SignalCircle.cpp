#include "SignalCircle.h"

#include <QPainter>

namespace velmora {

SignalCircle::SignalCircle(QWidget* parent) : QWidget(parent) {
    setFixedSize(13, 13);
    setAccessibleDescription(tr("off"));
}

void SignalCircle::setOn(bool on) {
    m_on = on;
    setAccessibleDescription(on ? tr("on") : tr("off"));
    update();
}

void SignalCircle::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(brushColor());
    p.drawEllipse(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

} // namespace velmora
