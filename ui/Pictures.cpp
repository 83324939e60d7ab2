#include "Pictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

namespace velmora {

namespace {

QPixmap Draw(QSize size, qreal dpr, const std::function<void(QPainter&)>& paint) {
    QPixmap pm(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return pm;
}

const QColor kInk(45, 52, 64);

} // namespace

void DrawLamp(QPainter& p, const QRect& rect, const QColor& colour, bool on) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(2.5, 2.5, -2.5, -2.5);
    QRadialGradient g(r.center() - QPointF(r.width() / 5, r.height() / 5), r.width() * 0.7);
    if (on) {
        g.setColorAt(0, colour.lighter(170));
        g.setColorAt(1, colour);
    } else {
        g.setColorAt(0, colour.darker(260));
        g.setColorAt(1, colour.darker(420));
    }
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(g);
    p.drawEllipse(r);
}

QPixmap ConnectionPicture(bool open, qreal dpr) {
    return Draw({32, 32}, dpr, [open](QPainter& p) {
        // A plug and a socket: joined when the port is open, apart when not.
        const QColor body = open ? QColor(30, 150, 70) : QColor(150, 150, 150);
        const qreal gap = open ? 0 : 6;
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        p.drawRoundedRect(QRectF(2, 11, 11 - gap / 2, 10), 2, 2); // plug
        p.drawRect(QRectF(13 - gap / 2, 13, 4, 2));               // pins
        p.drawRect(QRectF(13 - gap / 2, 17, 4, 2));
        p.drawRoundedRect(QRectF(17 + gap / 2, 10, 13 - gap / 2, 12), 2, 2); // socket
        p.setPen(QPen(body.darker(130), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2, 16), QPointF(0.5, 16));
        if (!open) {
            p.setPen(QPen(QColor(200, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(14, 4), QPointF(18, 8));
            p.drawLine(QPointF(18, 4), QPointF(14, 8));
        }
    });
}

QPixmap ResultPicture(bool ok, qreal dpr) {
    return Draw({32, 32}, dpr, [ok](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(ok ? QColor(30, 160, 80) : QColor(210, 45, 45));
        p.drawEllipse(QRectF(2, 2, 28, 28));
        p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (ok) {
            p.drawPolyline(QPolygonF({{9, 16.5}, {14, 21.5}, {23, 11}}));
        } else {
            p.drawLine(QPointF(11, 11), QPointF(21, 21));
            p.drawLine(QPointF(21, 11), QPointF(11, 21));
        }
    });
}

QPixmap PhoneScreenPicture(QSize screen, qreal dpr) {
    const QSize size = screen + QSize(12, 12);
    return Draw(size, dpr, [size](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 66, 76));
        p.drawRoundedRect(QRectF(0, 0, size.width(), size.height()), 7, 7);
        p.setBrush(QColor(170, 196, 150)); // the green-grey of a monochrome display
        p.drawRoundedRect(QRectF(4, 4, size.width() - 8, size.height() - 8), 3, 3);
    });
}

QPixmap PreviewPicture(const PreviewImage& preview) {
    QImage image(PreviewImage::kWidth, PreviewImage::kHeight, QImage::Format_ARGB32);
    for (int y = 0; y < PreviewImage::kHeight; ++y)
        for (int x = 0; x < PreviewImage::kWidth; ++x)
            image.setPixel(x, y, preview.black(x, y) ? qRgb(24, 32, 20) : qRgba(0, 0, 0, 0));
    return QPixmap::fromImage(image.scaled(image.size() * 2));
}

QIcon TabIcon(Tab tab) {
    QIcon icon;
    for (qreal dpr : {1.0, 2.0}) {
        icon.addPixmap(Draw({16, 16}, dpr, [tab](QPainter& p) {
            p.setPen(QPen(kInk, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            switch (tab) {
            case Tab::TextSms: // text: a speech bubble with lines
                p.drawRoundedRect(QRectF(1.5, 2.5, 13, 9), 2, 2);
                p.drawLine(QPointF(4, 11.5), QPointF(3, 14.5));
                p.drawLine(QPointF(4.5, 5.5), QPointF(11.5, 5.5));
                p.drawLine(QPointF(4.5, 8.5), QPointF(9.5, 8.5));
                break;
            case Tab::OperatorLogo: // operator logo: a mast with waves
                p.drawLine(QPointF(8, 6), QPointF(8, 15));
                p.drawLine(QPointF(5, 15), QPointF(11, 15));
                p.drawArc(QRectF(4.5, 2.5, 7, 7), 30 * 16, 120 * 16);
                p.drawArc(QRectF(1.5, 0.5, 13, 11), 35 * 16, 110 * 16);
                break;
            case Tab::GroupGraphic: // group graphic: two people
                p.drawEllipse(QRectF(2.5, 3, 4, 4));
                p.drawEllipse(QRectF(9.5, 3, 4, 4));
                p.drawArc(QRectF(1, 8.5, 7, 7), 0, 180 * 16);
                p.drawArc(QRectF(8, 8.5, 7, 7), 0, 180 * 16);
                break;
            case Tab::PictureMessage: // picture: a frame with a hill and a sun
                p.drawRect(QRectF(1.5, 3.5, 13, 10));
                p.drawPolyline(QPolygonF({{2, 12.5}, {6, 8}, {9, 11}, {11, 9}, {14, 12.5}}));
                p.drawEllipse(QRectF(10, 5, 2.5, 2.5));
                break;
            case Tab::Ringtone: // ringtone: a note
                p.setBrush(kInk);
                p.drawEllipse(QRectF(3, 10.5, 4, 3.5));
                p.drawEllipse(QRectF(10, 9, 4, 3.5));
                p.drawPolyline(QPolygonF({{7, 12}, {7, 3}, {14, 1.5}, {14, 10.5}}));
                break;
            case Tab::VoidMessage: // void: an empty envelope
                p.drawRect(QRectF(1.5, 4, 13, 9));
                p.drawPolyline(QPolygonF({{1.5, 4}, {8, 9}, {14.5, 4}}));
                break;
            case Tab::Indicator: // indicator: an envelope with a waiting dot
                p.drawRect(QRectF(1.5, 5, 11, 8));
                p.drawPolyline(QPolygonF({{1.5, 5}, {7, 9}, {12.5, 5}}));
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(220, 60, 40));
                p.drawEllipse(QRectF(10, 1, 5.5, 5.5));
                break;
            case Tab::Ems: // EMS: a smiling face
                p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
                p.drawArc(QRectF(4.5, 5, 7, 6), 200 * 16, 140 * 16);
                p.setBrush(kInk);
                p.drawEllipse(QRectF(5, 5, 1.5, 1.5));
                p.drawEllipse(QRectF(9.5, 5, 1.5, 1.5));
                break;
            }
        }));
    }
    return icon;
}

namespace {

void DrawPhone(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, r.width() / 24));
    p.setBrush(QColor(70, 80, 96));
    p.drawRoundedRect(r, r.width() / 6, r.width() / 6);
    p.setBrush(QColor(170, 196, 150));
    const QRectF screen(r.x() + r.width() * 0.15, r.y() + r.height() * 0.12, r.width() * 0.7,
                        r.height() * 0.38);
    p.drawRect(screen);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 205, 215));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(r.x() + r.width() * (0.2 + 0.22 * col),
                                 r.y() + r.height() * (0.58 + 0.12 * row), r.width() * 0.14,
                                 r.height() * 0.07));
}

} // namespace

QPixmap AboutPicture(qreal dpr) {
    return Draw({64, 64}, dpr, [](QPainter& p) {
        DrawPhone(p, QRectF(14, 8, 26, 50));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(30, 150, 70), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(34, 8, 14, 14), -60 * 16, 120 * 16);
        p.drawArc(QRectF(30, 3, 24, 24), -60 * 16, 120 * 16);
        p.drawArc(QRectF(26, -2, 34, 34), -60 * 16, 120 * 16);
    });
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addPixmap(Draw({size, size}, 1.0, [size](QPainter& p) {
            const qreal s = size / 64.0;
            p.scale(s, s);
            DrawPhone(p, QRectF(8, 6, 28, 54));
            p.setPen(QPen(Qt::white, 2));
            p.setBrush(QColor(30, 150, 70));
            QPainterPath bubble;
            bubble.addRoundedRect(QRectF(30, 6, 30, 22), 6, 6);
            bubble.moveTo(36, 27);
            bubble.lineTo(32, 34);
            bubble.lineTo(43, 27);
            p.drawPath(bubble.simplified());
            p.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(36, 14), QPointF(54, 14));
            p.drawLine(QPointF(36, 20), QPointF(48, 20));
        }));
    }
    return icon;
}

} // namespace velmora
