#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <QTemporaryDir>

namespace velmora::testing {

// A 4000 x 3000 JPEG with edges and gradients everywhere, as a photo has;
// "" when it could not be written.
inline QString WriteTestPhoto(const QTemporaryDir& dir) {
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb(x * 255 / 4000, y * 255 / 3000, (x ^ y) & 0xFF);
    }
    QPainter p(&photo);
    p.setBrush(Qt::black);
    p.drawEllipse(QPoint(2000, 1500), 1200, 1200);
    p.end();
    const QString path = dir.filePath("photo.jpg");
    return photo.save(path, "JPEG", 90) ? path : QString();
}

} // namespace velmora::testing
