// Four-component files made here with libjpeg's compressor: plain CMYK, Adobe's inverted CMYK
// and Adobe YCCK must all come out as the colours that were put in.
#include <gtest/gtest.h>

#include <jpeglib.h>
#include <cstdio>

#include <QByteArray>
#include <QColor>
#include <vector>

#include "jpeg_test_support.h"

namespace kreslix::test {
namespace {

struct Stripe {
    uchar ink[4];  // C, M, Y, K as amounts of ink, 255 = full
    QRgb colour;   // what that ink shows
};

// Flat stripes, 16 pixels wide, so the lossy coding keeps their centres close to the input.
const Stripe kStripes[] = {
    {{0, 255, 255, 0}, qRgb(255, 0, 0)},   {{255, 0, 255, 0}, qRgb(0, 255, 0)},
    {{255, 255, 0, 0}, qRgb(0, 0, 255)},   {{0, 0, 0, 128}, qRgb(127, 127, 127)},
    {{0, 0, 0, 0}, qRgb(255, 255, 255)},   {{0, 0, 0, 255}, qRgb(0, 0, 0)},
    {{0, 128, 255, 64}, qRgb(191, 95, 0)},
};
constexpr int kStripeWidth = 16;
constexpr int kHeight = 16;

struct FourComponentFile {
    const char* what;
    J_COLOR_SPACE stored;
    bool adobeMarker;  // Adobe's files hold inverted samples
};

QByteArray encode(const FourComponentFile& kind) {
    const int width = kStripeWidth * int(std::size(kStripes));
    return compressJpeg(
        width, kHeight, 4, JCS_CMYK,
        [&](jpeg_compress_struct& cinfo) {
            jpeg_set_colorspace(&cinfo, kind.stored);
            jpeg_set_quality(&cinfo, 95, TRUE);
            cinfo.write_Adobe_marker = kind.adobeMarker ? TRUE : FALSE;
        },
        [&](int, uchar* row) {
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < 4; ++c) {
                    const uchar ink = kStripes[x / kStripeWidth].ink[c];
                    row[x * 4 + c] = kind.adobeMarker ? uchar(255 - ink) : ink;
                }
            }
        });
}

TEST(JpegFourComponents, DecodeToTheColoursOfTheirInk) {
    const FourComponentFile kinds[] = {
        {"plain CMYK", JCS_CMYK, false},
        {"Adobe CMYK", JCS_CMYK, true},
        {"Adobe YCCK", JCS_YCCK, true},
    };
    for (const FourComponentFile& kind : kinds) {
        SCOPED_TRACE(kind.what);
        const QImage decoded = decodeBytes(encode(kind)).image;
        ASSERT_EQ(decoded.width(), kStripeWidth * int(std::size(kStripes)));
        ASSERT_EQ(decoded.height(), kHeight);
        for (size_t i = 0; i < std::size(kStripes); ++i) {
            const QRgb got = decoded.pixel(int(i) * kStripeWidth + kStripeWidth / 2, kHeight / 2);
            const QRgb want = kStripes[i].colour;
            SCOPED_TRACE(i);
            EXPECT_NEAR(qRed(got), qRed(want), 6);
            EXPECT_NEAR(qGreen(got), qGreen(want), 6);
            EXPECT_NEAR(qBlue(got), qBlue(want), 6);
        }
    }
}

}  // namespace
}  // namespace kreslix::test
