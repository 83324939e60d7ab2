// Time to turn a picture into content: a 4000 x 3000 photo as an operator
// logo from its JPEG file (decoding included), and the threshold alone, as
// the Picture Editor's slider runs it on the kept grey picture.

#include "ImageImport.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace velmora;

// Something with edges and gradients everywhere, as a photo has.
QString WritePhoto(const QTemporaryDir& dir) {
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
    if (!photo.save(path, "JPEG", 90))
        std::abort();
    return path;
}

void BM_Jpeg4000x3000ToLogo(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = WritePhoto(dir).toStdString();
    for (auto _ : state) {
        auto picture = LoadAnyTabContent(MessageKind::Logo, path, {});
        if (!picture || !picture->fitted)
            std::abort();
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_Jpeg4000x3000ToLogo)->Unit(benchmark::kMillisecond);

void BM_ThresholdPictureMessage(benchmark::State& state) {
    GreyImage grey{72, 28, std::vector<std::uint8_t>(72 * 28)};
    for (std::size_t i = 0; i < grey.grey.size(); ++i)
        grey.grey[i] = static_cast<std::uint8_t>(i * 37 % 256);
    for (auto _ : state) {
        auto content = ThresholdPicture(grey, {static_cast<int>(state.iterations() % 256), true});
        benchmark::DoNotOptimize(content);
    }
}
BENCHMARK(BM_ThresholdPictureMessage)->Unit(benchmark::kMicrosecond);

} // namespace
