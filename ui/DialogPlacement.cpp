#include "DialogPlacement.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace velmora {

namespace {

// Moved, not shrunk, into `area` (PlaceDialog shrinks first).
QRect Inside(QRect r, const QRect& area) {
    if (area.isEmpty())
        return r;
    r.moveLeft(std::max(area.left(), std::min(r.left(), area.right() - r.width() + 1)));
    r.moveTop(std::max(area.top(), std::min(r.top(), area.bottom() - r.height() + 1)));
    return r;
}

QRect Beside(const QRect& window, QSize size, Side side) {
    switch (side) {
    case Side::Right:
        return {QPoint(window.right() + 1, window.top()), size};
    case Side::Left:
        return {QPoint(window.left() - size.width(), window.top()), size};
    case Side::Below:
        return {QPoint(window.left(), window.bottom() + 1), size};
    case Side::Above:
        return {QPoint(window.left(), window.top() - size.height()), size};
    }
    return {window.topLeft(), size};
}

// Beside on the left or right needs the width beside the window; the
// height is found by sliding along the window's edge, and the other way
// round above and below.
bool Fits(const QRect& r, const QRect& area, Side side) {
    if (side == Side::Right || side == Side::Left)
        return r.left() >= area.left() && r.right() <= area.right();
    return r.top() >= area.top() && r.bottom() <= area.bottom();
}

// The frame a window manager puts around a window; a dialog not shown yet
// has none known, so it is taken to get the one its window has.
QMargins FrameOf(const QWidget& w) {
    const QRect frame = w.frameGeometry();
    const QRect inner = w.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

void Place(QWidget& dialog, const std::vector<Side>& sides) {
    QWidget* window = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    const QScreen* screen = window && window->screen() ? window->screen() : dialog.screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    QMargins frame = FrameOf(dialog);
    if (frame.isNull() && window)
        frame = FrameOf(*window);
    const QRect placed =
        PlaceDialog(window ? window->frameGeometry() : available, dialog.size().grownBy(frame), available,
                    window ? sides : std::vector<Side>{});
    const QSize inner = placed.size().shrunkBy(frame);
    if (inner.width() < dialog.width() || inner.height() < dialog.height())
        dialog.resize(inner.boundedTo(dialog.size()));
    dialog.move(placed.topLeft());
}

// Places its dialog as it is shown, once the dialog's own show has laid it
// out: a message box takes its size from its text only then.
class ScreenKeeper : public QObject {
public:
    ScreenKeeper(QWidget& dialog, std::vector<Side> sides) : QObject(&dialog), m_sides(std::move(sides)) {
        dialog.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // Spontaneous: a window coming back from being minimised stays where it was.
        if (event->type() != QEvent::Show || event->spontaneous() || m_inShow)
            return false;
        auto& dialog = static_cast<QWidget&>(*watched);
        m_inShow = true;
        QCoreApplication::sendEvent(&dialog, event);
        m_inShow = false;
        Place(dialog, m_sides);
        return true; // delivered just now
    }

private:
    std::vector<Side> m_sides;
    bool m_inShow = false;
};

} // namespace

QRect PlaceDialog(const QRect& window, QSize dialog, const QRect& available, const std::vector<Side>& sides) {
    const QSize size = available.isEmpty() ? dialog : dialog.boundedTo(available.size());
    if (sides.empty()) {
        QRect centred({}, size);
        centred.moveCenter(window.center());
        return Inside(centred, available);
    }
    if (available.isEmpty())
        return Beside(window, size, sides.front());
    for (const Side side : sides)
        if (const QRect r = Beside(window, size, side); Fits(r, available, side))
            return Inside(r, available);
    // Nowhere beside: over the window, as near the side asked first as the
    // screen allows, so it covers as little of the window as it can.
    return Inside(Beside(window, size, sides.front()), available);
}

void KeepOnScreen(QWidget& dialog, std::vector<Side> sides) { new ScreenKeeper(dialog, std::move(sides)); }

} // namespace velmora
