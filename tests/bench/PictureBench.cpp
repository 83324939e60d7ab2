// Time to turn a picture into content: a 4000 x 3000 photo as an operator
// logo from its JPEG file (decoding included), and the threshold alone, as
// the Picture Editor's slider runs it on the kept grey picture.

#include "ImageImport.h"
#include "TestPhoto.h"

#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace velmora;

QString WritePhoto(const QTemporaryDir& dir) {
    const QString path = testing::WriteTestPhoto(dir);
    if (path.isEmpty())
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
