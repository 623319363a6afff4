// What decoding a JPEG file takes besides the picture counts against the picture-size rule. A
// file of several scans is decoded from coefficients of the whole image that libjpeg keeps
// (128 bytes per 8 × 8 block of each component, blocks rounded up to whole sampling units): a
// few bytes of a progressive file can declare gigabytes of them.
#include <gtest/gtest.h>

#include <functional>

#include "common/error.h"
#include "document/files/jpeg_decoder.h"
#include "jpeg_test_support.h"

namespace kreslix::test {
namespace {

// The picture, or the message of the failure.
std::pair<QSize, QString> decodeWithin(const QByteArray& bytes, qint64 memoryLimit) {
    try {
        const Picture picture =
            decodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()),
                       std::size_t(bytes.size()), -1, memoryLimit);
        return {picture.image.size(), QString()};
    } catch (const KreslixError& error) {
        return {QSize(), error.message()};
    }
}

// 100 × 60 pixels take 24000 bytes as a picture; the block counts below are worked out by hand.
TEST(JpegMemory, WholeImageCoefficientsCountWithThePicture) {
    static const jpeg_scan_info kScanPerComponent[] = {
        {1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
    // Luma 13 × 8 blocks rounded up to 14 × 8 for its 2 × 2 sampling, chroma 7 × 4 each.
    constexpr qint64 kCoefficients = (14 * 8 + 2 * 7 * 4) * 128;
    const struct {
        const char* kind;
        std::function<void(jpeg_compress_struct&)> setup;
        qint64 needed;  // picture and coefficients
    } cases[] = {
        // One interleaved scan: decoded a band of rows at a time.
        {"baseline", [](jpeg_compress_struct&) {}, 24000},
        {"progressive", [](jpeg_compress_struct& c) { jpeg_simple_progression(&c); },
         24000 + kCoefficients},
        // Sequential, but one scan per component: all of the image is kept until the last.
        {"one scan per component",
         [](jpeg_compress_struct& c) {
             c.scan_info = kScanPerComponent;
             c.num_scans = 3;
         },
         24000 + kCoefficients},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const QByteArray bytes = compressJpeg(100, 60, 3, JCS_RGB, c.setup, [](int y, uchar* row) {
            for (int i = 0; i < 300; ++i)
                row[i] = uchar(i * 7 + y * 3);
        });
        EXPECT_EQ(decodeWithin(bytes, c.needed).first, QSize(100, 60));
        const QString refusal = decodeWithin(bytes, c.needed - 1).second;
        EXPECT_TRUE(refusal.startsWith(QStringLiteral("Obrázok 100 × 60 bodov sa nedá ")))
            << refusal.toStdString();
    }
}

// A crafted file of about a kilobyte: a progressive 30000 × 30000 header over the scans of a
// 64 × 64 picture. The picture alone (3.4 GB) fits a limit of 4 GB; with the 5 GB of
// coefficients it does not, and it is refused before either is allocated.
TEST(JpegMemory, TinyProgressiveFileDeclaringAHugeImageIsRefused) {
    const QByteArray bytes = fileBytes(QStringLiteral(KRESLIX_SOURCE_DIR) +
                                       "/tests/regressions/jpeg/"
                                       "progressive-30000x30000-from-64x64-scans.jpg");
    ASSERT_LT(bytes.size(), 4000);
    EXPECT_EQ(decodeWithin(bytes, qint64(4) << 30).second.toStdString(),
              "Obrázok 30000 × 30000 bodov sa nedá otvoriť: jeho dekódovanie by potrebovalo "
              "8583 MB, viac, ako môže mať jeden obrázok (4096 MB)");
}

}  // namespace
}  // namespace kreslix::test
