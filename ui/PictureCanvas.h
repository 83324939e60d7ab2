#pragma once

#include "PixelPicture.h"

#include <QWidget>

namespace velmora {

// A bitmap's pixels as equal square cells, changed by hand: a click toggles
// a pixel and a drag paints with the colour that click gave; the arrow keys
// move a cursor cell and Space toggles it.
class PictureCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCell = 7; // pixels on screen per picture pixel

    explicit PictureCanvas(QWidget* parent = nullptr);

    // Replaces the picture (and its undo steps).
    void setPicture(int width, int height, const std::string& content);
    const PixelPicture& picture() const { return m_picture; }
    PixelPicture& edit() { return m_picture; }
    // After a change made through edit(): redraws and says so.
    void changed();

    QSize sizeHint() const override;

signals:
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool cellUnder(const QPointF& at, int& x, int& y) const;
    void describe();

    PixelPicture m_picture;
    bool m_painting = false;
    bool m_paintBlack = false;
    int m_cursorX = 0;
    int m_cursorY = 0;
};

} // namespace velmora
