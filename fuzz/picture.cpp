// The picture writer on arbitrary images: the BMP's fields are read back one by one and every
// pixel equals the image's; the PNG decodes to the same pixels; a written file holds exactly the
// encoded bytes.

#include "chart/PictureFile.h"
#include "platform/ImageFile.h"

#include "FuzzCheck.h"
#include "FuzzQt.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

namespace {

using namespace kurvon;

std::uint32_t Read(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | b[at + static_cast<std::size_t>(i)];
    return value;
}

// The BMP read back from its documented layout; every pixel must equal the image's colour.
void CheckBmp(const std::vector<std::uint8_t>& b, const QImage& image) {
    const auto w = static_cast<std::uint32_t>(image.width());
    const auto h = static_cast<std::uint32_t>(image.height());
    const std::uint32_t row = (w * 3 + 3) / 4 * 4;
    FUZZ_CHECK(b.size() == 54 + std::size_t(row) * h);
    FUZZ_CHECK(b[0] == 'B' && b[1] == 'M' && Read(b, 2, 4) == b.size());
    FUZZ_CHECK(Read(b, 6, 4) == 0 && Read(b, 10, 4) == 54 && Read(b, 14, 4) == 40);
    FUZZ_CHECK(Read(b, 18, 4) == w && Read(b, 22, 4) == h);
    FUZZ_CHECK(Read(b, 26, 2) == 1 && Read(b, 28, 2) == 24 && Read(b, 30, 4) == 0);
    for (std::uint32_t y = 0; y < h; ++y) {
        const std::size_t start = 54 + std::size_t(row) * (h - 1 - y); // bottom-up
        for (std::uint32_t x = 0; x < w; ++x) {
            const QRgb p = image.pixel(static_cast<int>(x), static_cast<int>(y));
            const std::size_t at = start + 3 * x;
            FUZZ_CHECK(b[at] == qBlue(p) && b[at + 1] == qGreen(p) && b[at + 2] == qRed(p));
        }
        for (std::size_t at = start + 3 * w; at < start + row; ++at)
            FUZZ_CHECK(b[at] == 0);
    }
}

bool SameRgb(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) ^ b.pixel(x, y)) & 0xFFFFFF)
                return false;
    return true;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<QTemporaryDir> g_dir;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    StartOffscreenApp<QGuiApplication>(argc, argv);
    g_dir = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange(0, 70);
    const int height = in.ConsumeIntegralInRange(0, 70);
    // Opaque pixels in the formats a grab may come in: their colours convert exactly.
    static const QImage::Format kFormats[] = {QImage::Format_RGB32, QImage::Format_ARGB32,
                                              QImage::Format_RGB888,
                                              QImage::Format_ARGB32_Premultiplied};
    QImage image(width, height, in.PickValueInArray(kFormats));
    const QRgb fill = in.ConsumeIntegral<std::uint32_t>() | 0xFF000000u;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(
                x, y, in.ConsumeBool() ? in.ConsumeIntegral<std::uint32_t>() | 0xFF000000u : fill);

    const std::vector<std::uint8_t> bmp = EncodeBmp24(image).bytes;
    if (image.isNull()) {
        FUZZ_CHECK(bmp.empty() && !EncodeBmp24(image).Ok() && !EncodePng24(image).Ok());
        return 0;
    }
    CheckBmp(bmp, image);
    // PNG and the written files now and then: zlib and a file per run cost far more than the BMP.
    const int rare = in.ConsumeIntegralInRange(0, 63);
    if (rare % 8 != 0)
        return 0;
    const EncodedImage encodedPng = EncodePng24(image);
    FUZZ_CHECK(encodedPng.Ok());
    const QByteArray png(reinterpret_cast<const char*>(encodedPng.bytes.data()),
                         qsizetype(encodedPng.bytes.size()));
    FUZZ_CHECK(SameRgb(QImage::fromData(png, "PNG"), image));
    if (rare == 0) {
        const QString path = g_dir->filePath(QStringLiteral("picture"));
        FUZZ_CHECK(WritePictureFile(image, path, PictureFormat::Bmp).written);
        FUZZ_CHECK(FileBytes(path) ==
                   QByteArray(reinterpret_cast<const char*>(bmp.data()), qsizetype(bmp.size())));
        FUZZ_CHECK(WritePictureFile(image, path, PictureFormat::Png).written);
        FUZZ_CHECK(FileBytes(path) == png);
    }
    return 0;
}
