#include "PictureCanvas.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {

namespace {

// A screen reader says "canvas", not "filler": the cells are driven by
// position, and a user needs to know there is something to draw on.
QAccessibleInterface* CanvasAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(PictureCanvas::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Canvas);
    return nullptr;
}

} // namespace

PictureCanvas::PictureCanvas(QWidget* parent) : QWidget(parent) {
    [[maybe_unused]] static const bool roleGiven = (QAccessible::installFactory(CanvasAccessible), true);
    setObjectName("pictureCanvas");
    setAccessibleName(tr("Picture editor"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setPicture(72, 14, "");
}

void PictureCanvas::setPicture(int width, int height, const std::string& content) {
    const bool resized = width != m_picture.width() || height != m_picture.height();
    m_picture.load(width, height, content);
    m_cursorX = std::min(m_cursorX, std::max(width - 1, 0));
    m_cursorY = std::min(m_cursorY, std::max(height - 1, 0));
    if (resized) {
        setFixedSize(sizeHint());
        describe();
    }
    update();
}

void PictureCanvas::changed() {
    update();
    emit edited();
}

QSize PictureCanvas::sizeHint() const { return {m_picture.width() * kCell, m_picture.height() * kCell}; }

void PictureCanvas::describe() {
    setAccessibleDescription(tr("%1 × %2 pixels").arg(m_picture.width()).arg(m_picture.height()));
}

bool PictureCanvas::cellUnder(const QPointF& at, int& x, int& y) const {
    return m_picture.cellAt(at.x(), at.y(), width(), height(), x, y);
}

void PictureCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const double cw = static_cast<double>(width()) / std::max(m_picture.width(), 1);
    const double ch = static_cast<double>(height()) / std::max(m_picture.height(), 1);
    for (int y = 0; y < m_picture.height(); ++y)
        for (int x = 0; x < m_picture.width(); ++x)
            if (m_picture.black(x, y))
                p.fillRect(QRectF(x * cw, y * ch, cw, ch), QColor(24, 32, 20));
    // A faint grid, so single pixels can be aimed at.
    p.setPen(QColor(220, 220, 220));
    for (int x = 1; x < m_picture.width(); ++x)
        p.drawLine(QPointF(x * cw, 0), QPointF(x * cw, height()));
    for (int y = 1; y < m_picture.height(); ++y)
        p.drawLine(QPointF(0, y * ch), QPointF(width(), y * ch));
    if (hasFocus()) {
        p.setPen(QPen(QColor(220, 40, 40), 2));
        p.drawRect(QRectF(m_cursorX * cw + 1, m_cursorY * ch + 1, cw - 2, ch - 2));
    }
}

void PictureCanvas::mousePressEvent(QMouseEvent* event) {
    int x = 0, y = 0;
    if (event->button() != Qt::LeftButton || !cellUnder(event->position(), x, y))
        return;
    m_painting = true;
    m_paintBlack = !m_picture.black(x, y);
    m_cursorX = x;
    m_cursorY = y;
    m_picture.begin();
    m_picture.set(x, y, m_paintBlack);
    changed();
}

void PictureCanvas::mouseMoveEvent(QMouseEvent* event) {
    int x = 0, y = 0;
    if (!m_painting || !cellUnder(event->position(), x, y) || m_picture.black(x, y) == m_paintBlack)
        return;
    m_picture.set(x, y, m_paintBlack);
    changed();
}

void PictureCanvas::mouseReleaseEvent(QMouseEvent*) {
    if (!m_painting)
        return;
    m_painting = false;
    m_picture.end();
}

void PictureCanvas::keyPressEvent(QKeyEvent* event) {
    const int w = m_picture.width(), h = m_picture.height();
    switch (event->key()) {
    case Qt::Key_Left:
        m_cursorX = (m_cursorX + w - 1) % std::max(w, 1);
        break;
    case Qt::Key_Right:
        m_cursorX = (m_cursorX + 1) % std::max(w, 1);
        break;
    case Qt::Key_Up:
        m_cursorY = (m_cursorY + h - 1) % std::max(h, 1);
        break;
    case Qt::Key_Down:
        m_cursorY = (m_cursorY + 1) % std::max(h, 1);
        break;
    case Qt::Key_Space:
        m_picture.set(m_cursorX, m_cursorY, !m_picture.black(m_cursorX, m_cursorY));
        changed();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
}

} // namespace velmora
