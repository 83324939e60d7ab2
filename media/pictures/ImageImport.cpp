#include "ImageImport.h"

#include "EmsPdu.h"
#include "FileIo.h"
#include "QtText.h"
#include "Said.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <algorithm>

namespace velmora {

namespace {

// Decoded at this many times the target each way, the area average still
// has enough pixels to make each grey level from.
constexpr int kOversample = 4;

// Reads the file once, as the other readers do: a FIFO or a device is
// refused at once rather than waited on.
Result<QByteArray> PictureBytes(const std::string& path) {
    const auto read = ReadFilePrefixOrRefusal(path, kMaxPictureFileBytes);
    if (!read)
        return Result<QByteArray>::Fail(read.error());
    if (read->truncated)
        return Result<QByteArray>::Fail(
            Fill(translate("ImageImport", "\"%1\" is larger than %2 MiB !"),
                 {std::string(FileNameOf(path)), std::to_string(kMaxPictureFileBytes >> 20)}));
    return Result<QByteArray>::Ok(QByteArray(read->bytes.data(), static_cast<qsizetype>(read->bytes.size())));
}

// Qt shows a BMP cut short as far as it goes; such a file is as corrupt
// here as it is to DecodeBitmap.
bool BmpHoldsItsRows(const QByteArray& b) {
    if (b.size() < 30)
        return false;
    const auto u = [&](int at, int n) {
        std::uint32_t v = 0;
        for (int k = n - 1; k >= 0; --k)
            v = v << 8 | static_cast<unsigned char>(b[at + k]);
        return v;
    };
    const std::uint32_t header = u(14, 4);
    const bool core = header == 12;
    const std::int64_t width = core ? u(18, 2) : static_cast<std::int32_t>(u(18, 4));
    const std::int64_t height = core ? u(20, 2) : static_cast<std::int32_t>(u(22, 4));
    const std::uint32_t bits = core ? u(24, 2) : u(28, 2);
    const std::uint32_t compression = core || b.size() < 34 ? 0 : u(30, 4);
    if (compression != 0 && compression != 3 && compression != 6)
        return true; // run-length data has no fixed size; Qt checks it
    const std::int64_t stride = (width * bits + 31) / 32 * 4;
    return static_cast<std::int64_t>(u(10, 4)) + stride * (height < 0 ? -height : height) <= b.size();
}

// A JPEG's scan runs to its end marker, which nothing inside the scan can
// imitate (an 0xFF there is followed by 0x00 or a restart marker). Qt shows
// a JPEG cut short as far as it goes, grey below; such a file is cut short
// here. The segments before the scan are stepped over by their lengths, so a
// thumbnail's own end marker in them does not count.
bool JpegHasItsEnd(const QByteArray& b) {
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(b[i]); };
    qsizetype i = 2; // past the start marker
    while (i + 1 < b.size()) {
        if (at(i) != 0xFF)
            return false;
        const unsigned char marker = at(i + 1);
        if (marker == 0xFF) { // fill before a marker
            ++i;
            continue;
        }
        if (marker == 0xD9)
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        if (i + 3 >= b.size())
            return false;
        const qsizetype length = at(i + 2) << 8 | at(i + 3);
        if (marker == 0xDA) {
            for (qsizetype k = i + 2 + length; k + 1 < b.size(); ++k)
                if (at(k) == 0xFF && at(k + 1) == 0xD9)
                    return true;
            return false;
        }
        i += 2 + length;
    }
    return false;
}

// What Qt sees in the bytes: the format (empty for none), and whether the
// picture in them ends where its format says it ends.
struct Seen {
    QByteArray format;
    bool whole = false;
};

Seen SeeIn(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    Seen seen{reader.canRead() ? reader.format() : QByteArray(), false};
    seen.whole = seen.format == "bmp"    ? BmpHoldsItsRows(bytes)
                 : seen.format == "jpeg" ? JpegHasItsEnd(bytes)
                                         : !seen.format.isEmpty();
    return seen;
}

bool IsPicture(const QByteArray& bytes) {
    const Seen seen = SeeIn(bytes);
    return !seen.format.isEmpty() && seen.whole;
}

GreyImage GreyOf(const QImage& decoded) {
    GreyImage g{decoded.width(), decoded.height(), {}};
    g.grey.resize(static_cast<std::size_t>(g.width) * static_cast<std::size_t>(g.height));
    // A grey picture is already what is wanted; made into colour first it
    // would take four times its memory for nothing.
    if (decoded.format() == QImage::Format_Grayscale8 || decoded.format() == QImage::Format_Grayscale16) {
        const QImage image = decoded.convertToFormat(QImage::Format_Grayscale8);
        for (int y = 0; y < g.height; ++y)
            std::copy_n(image.constScanLine(y), g.width,
                        g.grey.begin() + static_cast<std::ptrdiff_t>(y) * g.width);
        return g;
    }
    const QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < g.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < g.width; ++x) {
            const QRgb p = line[x];
            const int luma = (299 * qRed(p) + 587 * qGreen(p) + 114 * qBlue(p) + 500) / 1000;
            const int a = qAlpha(p);
            // Over white: what shows through a transparent pixel is paper.
            g.grey[static_cast<std::size_t>(y) * g.width + x] =
                static_cast<std::uint8_t>((luma * a + 255 * (255 - a) + 127) / 255);
        }
    }
    return g;
}

std::string Unreadable(const std::string& path, const QString& why) {
    return Fill(translate("ImageImport", "\"%1\" is not a picture Velmora can read (%2)."),
                {std::string(FileNameOf(path)), S(why)});
}

} // namespace

PictureSize PictureBox(MessageKind kind) {
    switch (kind) {
    case MessageKind::Picture:
        return {72, 28};
    case MessageKind::Ems:
        return {32, 32};
    default:
        return {72, 14};
    }
}

// Every format here is known by its first few hundred octets; the file is
// read whole only once, when it is loaded.
bool IsPictureFile(const std::string& path) {
    constexpr std::size_t kRecognisedIn = 64 << 10;
    const auto read = ReadFilePrefixOrRefusal(path, kRecognisedIn);
    return read && !SeeIn(QByteArray(read->bytes.data(), static_cast<qsizetype>(read->bytes.size())))
                        .format.isEmpty();
}

bool IsPictureName(const std::string& path) {
    const std::string_view name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == name.size())
        return false;
    const QByteArray suffix =
        QByteArray(name.data() + dot + 1, static_cast<qsizetype>(name.size() - dot - 1)).toLower();
    return QImageReader::supportedImageFormats().contains(suffix);
}

namespace {

// The picture as grey levels (transparent counted as white), decoded at no
// more than a few times `box` when the format can decode smaller (JPEG,
// SVG), so a photo is not decoded whole to make 72 x 14 pixels. `bytes` are
// a picture by IsPicture.
Result<GreyImage> DecodePicture(const std::string& path, const QByteArray& bytes, PictureSize box) {
    using R = Result<GreyImage>;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kPictureAllocationMiB);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    // A drawing is drawn at the tab's size, whatever size it declares.
    const bool drawing = reader.format().startsWith("svg");
    if (!drawing && size.isValid() &&
        static_cast<long long>(size.width()) * size.height() > kMaxPicturePixels)
        return R::Fail(
            QCoreApplication::translate(
                "ImageImport", "\"%1\" is %2 x %3 pixels; Velmora reads pictures of up to %4 million pixels.")
                .arg(Q(std::string(FileNameOf(path))))
                .arg(size.width())
                .arg(size.height())
                .arg(kMaxPicturePixels / 1'000'000)
                .toStdString());
    if (size.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        const PictureSize fitted = FittedSize(size.width(), size.height(), box);
        const QSize wanted(fitted.width * kOversample, fitted.height * kOversample);
        // Only ever smaller: a small SVG is drawn larger, a small JPEG is not.
        if (wanted.width() < size.width() || drawing)
            reader.setScaledSize(size.scaled(wanted, Qt::KeepAspectRatio));
    }
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return R::Fail(Unreadable(path, reader.errorString()));
    return R::Ok(GreyOf(image));
}

// The file's bytes when it is a picture Qt reads; nothing for any other
// file, including one that cannot be read, which the other readers refuse
// in their own words. For the files those readers take by their names.
std::optional<QByteArray> PictureIn(const std::string& path) {
    auto bytes = PictureBytes(path);
    if (!bytes || !IsPicture(*bytes))
        return std::nullopt;
    return std::move(bytes.value());
}

// For a file no reader takes by its name (a content file, or anything for
// EMS): its bytes when it is a picture, nothing when it is neither named nor
// seen as one, and a refusal for a picture Qt cannot read. Read as a content
// file, a photo that is not one would be made into hex of its bytes.
Result<std::optional<QByteArray>> PictureOrNothing(const std::string& path) {
    using R = Result<std::optional<QByteArray>>;
    const bool named = IsPictureName(path);
    auto bytes = PictureBytes(path);
    if (!bytes)
        return named ? R::Fail(bytes.error()) : R::Ok(std::nullopt);
    const Seen seen = SeeIn(*bytes);
    if (seen.format.isEmpty()) {
        if (!named)
            return R::Ok(std::nullopt);
        const std::string_view name = FileNameOf(path);
        return R::Fail(
            Unreadable(path, QCoreApplication::translate("ImageImport", "there is no %1 picture in it")
                                 .arg(Q(std::string(name.substr(name.rfind('.') + 1))).toUpper())));
    }
    if (!seen.whole)
        return R::Fail(
            Unreadable(path, QCoreApplication::translate("ImageImport", "the %1 picture in it is cut short")
                                 .arg(QString(seen.format).toUpper())));
    return R::Ok(std::move(bytes.value()));
}

// The source fitted to a tab, as the slider converts it again.
GreyImage FitToTab(const GreyImage& source, MessageKind kind) {
    const PictureSize box = PictureBox(kind);
    if (kind == MessageKind::Ems)
        return ScalePicture(source, FittedSize(source.width, source.height, box));
    return FitPicture(source, box);
}

} // namespace

Result<TabPicture> LoadAnyTabContent(MessageKind kind, const std::string& path,
                                     const ConvertOptions& options) {
    using R = Result<TabPicture>;
    const ContentReader reader = ChooseReader(kind, path);
    // A content file is text: one Qt sees as a picture, or named as one, is
    // not one.
    std::optional<QByteArray> bytes;
    if (reader == ContentReader::ContentFile) {
        auto picture = PictureOrNothing(path);
        if (!picture)
            return R::Fail(picture.error());
        bytes = std::move(picture.value());
    }
    if (!bytes) {
        auto loaded = LoadTabContent(kind, path);
        if (!loaded && reader != ContentReader::ContentFile)
            bytes = PictureIn(path);
        if (!bytes) {
            if (!loaded)
                return R::Fail(loaded.error());
            return R::Ok({std::move(loaded.value()), std::nullopt});
        }
    }
    auto source = DecodePicture(path, *bytes, PictureBox(kind));
    if (!source)
        return R::Fail(source.error());
    TabPicture picture;
    picture.fitted = FitToTab(*source, kind);
    picture.loaded.content = ThresholdPicture(*picture.fitted, options);
    picture.loaded.previewWidth = picture.fitted->width;
    picture.loaded.tall = kind == MessageKind::Picture;
    picture.loaded.reader = ContentReader::None;
    return R::Ok(std::move(picture));
}

Result<EmsPicture> LoadAnyEmsPicture(const std::string& path, const ConvertOptions& options) {
    using R = Result<EmsPicture>;
    auto tag = LoadEmsPicture(path);
    std::optional<QByteArray> bytes;
    if (!tag && ChooseReader(MessageKind::Ems, path) == ContentReader::Bitmap) {
        bytes = PictureIn(path);
    } else if (!tag) {
        auto picture = PictureOrNothing(path);
        if (!picture)
            return R::Fail(picture.error());
        bytes = std::move(picture.value());
    }
    if (!bytes) {
        if (!tag)
            return R::Fail(tag.error());
        return R::Ok({std::move(tag.value()), std::nullopt});
    }
    auto source = DecodePicture(path, *bytes, PictureBox(MessageKind::Ems));
    if (!source)
        return R::Fail(source.error());
    EmsPicture picture;
    picture.fitted = FitToTab(*source, MessageKind::Ems);
    picture.tag = MakeEmsPictureTag(picture.fitted->width, picture.fitted->height,
                                    ThresholdPicture(*picture.fitted, options));
    return R::Ok(std::move(picture));
}

Result<std::string> WritePicturePng(const std::string& path, int width, int height,
                                    const std::string& content) {
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    const std::vector<bool> pixels = ContentPixels(content, width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (pixels[static_cast<std::size_t>(y) * width + x])
                image.setPixel(x, y, 1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return Result<std::string>::Fail(
            CannotWrite(path, translate("ImageImport", "the picture could not be made into a PNG")));
    auto written = WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written)
        return Result<std::string>::Fail(CannotWrite(path, written.error()));
    return written;
}

} // namespace velmora
