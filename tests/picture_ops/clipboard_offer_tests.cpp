// The clipboard's own encoders and offer, read back by Qt's decoders (another implementation
// than ours), on shapes that cross the encoder's strip and row-group boundaries.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QSignalSpy>
#include <memory>

#include "document/files/bmp_writer.h"
#include "picture_ops/clipboard_offer.h"
#include "picture_ops/png_strips.h"

namespace kreslix {
namespace {

// Noise with flat bands, so that both of the encoder's ways of compressing are used.
QImage noisyWithBands(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const bool flat = (y / 40) % 3 == 1;
        for (int x = 0; x < width; ++x)
            row[x] = flat ? qRgb(250, 250, 250) : 0xFF000000u | random.generate();
    }
    return image;
}

QImage decoded(const QByteArray& bytes, const char* format) {
    return QImage::fromData(bytes, format).convertToFormat(QImage::Format_RGB32);
}

struct Shape {
    int width;
    int height;
    int threads;
};

class PngInStrips : public ::testing::TestWithParam<Shape> {};

TEST_P(PngInStrips, DecodesToThePicture) {
    const Shape shape = GetParam();
    const QImage picture = noisyWithBands(shape.width, shape.height, 7);
    const QByteArray png = encodePngInStrips(picture, nullptr, shape.threads);
    ASSERT_FALSE(png.isEmpty());
    EXPECT_EQ(decoded(png, "PNG"), picture);
}

INSTANTIATE_TEST_SUITE_P(Shapes, PngInStrips,
                         ::testing::Values(Shape{1, 1, 0}, Shape{3, 2, 0}, Shape{1001, 1, 0},
                                           Shape{257, 513, 2}, Shape{640, 1100, 1},
                                           Shape{641, 1100, 4}, Shape{97, 2049, 7}));

TEST(PngInStripsInput, OtherFormatsAreEncodedAsTheirRgb32Pixels) {
    const QImage picture = noisyWithBands(300, 600, 3);
    for (const QImage::Format format :
         {QImage::Format_RGB888, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB16}) {
        const QImage source = picture.convertToFormat(format);
        EXPECT_EQ(decoded(encodePngInStrips(source), "PNG"),
                  source.convertToFormat(QImage::Format_RGB32))
            << format;
    }
    const std::atomic<bool> stopped{true};
    EXPECT_TRUE(encodePngInStrips(picture, &stopped).isEmpty());
    EXPECT_TRUE(bmpFileBytes(picture, &stopped).isEmpty());
}

TEST(Bmp, DecodesToThePictureWithRowsPadded) {
    for (const int width : {1, 2, 3, 4, 333}) {
        const QImage picture = noisyWithBands(width, 130, 11);
        EXPECT_EQ(decoded(bmpFileBytes(picture), "BMP"), picture) << width;
    }
}

// The offer keeps the bytes of the picture as it was when offered, though the picture changes
// at once (taking pixels of its own, as the canvas does), and answers every request with the
// same bytes; the process itself still gets the picture; deleting an offer mid-encoding stops it.
TEST(ClipboardOfferTest, ServesThePictureAsOfferedFromOneEncoding) {
    QImage picture = noisyWithBands(1500, 1200, 5);
    const QImage original = picture.copy();
    auto offer = std::make_unique<ClipboardOffer>(picture);
    picture.fill(Qt::black);  // detaches: the offer keeps the old pixels

    EXPECT_EQ(offer->formats(), QStringList({"image/png", "image/bmp"}));
    EXPECT_FALSE(offer->hasImage()) << "Qt's platform layer would offer its every writer";
    EXPECT_EQ(qvariant_cast<QImage>(offer->imageData()), original);

    QSignalSpy ready(offer.get(), &ClipboardOffer::bytesReady);
    while (!offer->prepared(QStringLiteral("image/png")))
        ASSERT_TRUE(ready.wait(30000));
    const QByteArray png = offer->data(QStringLiteral("image/png"));
    EXPECT_EQ(decoded(png, "PNG"), original);
    EXPECT_EQ(offer->data(QStringLiteral("image/png")).constData(), png.constData());
    EXPECT_EQ(decoded(offer->data(QStringLiteral("image/bmp")), "BMP"), original);
    EXPECT_TRUE(offer->data(QStringLiteral("image/jpeg")).isEmpty());

    for (int i = 0; i < 5; ++i) {
        auto stopped = std::make_unique<ClipboardOffer>(noisyWithBands(2000, 2000, i));
        stopped->prepared(QStringLiteral("image/bmp"));
    }
}

}  // namespace
}  // namespace kreslix
