#pragma once

#include "Preview.h"
#include "Tab.h"

#include <QColor>
#include <QIcon>
#include <QPixmap>

class QPainter;
class QRect;

namespace velmora {

// Every picture of the window is drawn here, in code, so it stays sharp at
// any device pixel ratio and nothing is taken from elsewhere.

void DrawLamp(QPainter& p, const QRect& rect, const QColor& colour, bool on);

QPixmap ConnectionPicture(bool open, qreal dpr);
QPixmap ResultPicture(bool ok, qreal dpr);
// The empty phone screen behind the preview: `screen` is the LCD's size.
QPixmap PhoneScreenPicture(QSize screen, qreal dpr);
// The screen preview's pixels, twice their size, on a clear ground (the
// phone screen's picture goes behind them).
QPixmap PreviewPicture(const PreviewImage& preview);
QIcon TabIcon(Tab tab);
QPixmap AboutPicture(qreal dpr);
QIcon ApplicationIcon();

} // namespace velmora
