#include "TComLed.h"

#include "Pictures.h"

#include <QPainter>

namespace velmora::ui {

TComLed::TComLed(QWidget* parent) : QWidget(parent) {
    setFixedSize(25, 25);
    setAccessibleDescription(tr("off"));
}

void TComLed::setKind(Kind kind) {
    m_kind = kind;
    update();
}

void TComLed::setState(bool on) {
    if (on == m_on)
        return;
    m_on = on;
    setAccessibleDescription(on ? tr("on") : tr("off"));
    update();
}

void TComLed::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor colour = m_kind == Kind::Green    ? QColor(0, 200, 70)
                          : m_kind == Kind::Yellow ? QColor(255, 200, 0)
                                                   : QColor(235, 40, 40);
    velmora::DrawLamp(p, rect(), colour, m_on);
}

} // namespace velmora::ui
