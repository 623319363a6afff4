// Progressive files with many scans: real ones decode, crafted ones with hundreds of scans are
// refused instead of keeping the program busy for minutes.
#include <gtest/gtest.h>

#include <jerror.h>
#include <jpeglib.h>
#include <cstdio>

#include <QByteArray>
#include <vector>

#include "common/error.h"
#include "jpeg_test_support.h"

namespace kreslix::test {
namespace {

constexpr int kSide = 16;

// One DC scan, then for each of the 63 AC coefficients a first scan at point transform `bits`
// and a refinement scan for each lower bit: 1 + 63 × (bits + 1) scans in all.
std::vector<jpeg_scan_info> manyScans(int bits) {
    std::vector<jpeg_scan_info> scans;
    scans.push_back({1, {0, 0, 0, 0}, 0, 0, 0, 0});
    for (int k = 1; k < 64; ++k) {
        scans.push_back({1, {0, 0, 0, 0}, k, k, 0, bits});
        for (int al = bits - 1; al >= 0; --al)
            scans.push_back({1, {0, 0, 0, 0}, k, k, al + 1, al});
    }
    return scans;
}

QByteArray encodeGrey(const std::vector<jpeg_scan_info>& scans) {
    return compressJpeg(
        kSide, kSide, 1, JCS_GRAYSCALE,
        [&](jpeg_compress_struct& cinfo) {
            cinfo.scan_info = scans.data();
            cinfo.num_scans = int(scans.size());
        },
        [](int y, uchar* row) {
            for (int x = 0; x < kSide; ++x)
                row[x] = uchar((x * 16 + y * 7) & 0xFF);
        });
}

TEST(JpegScanLimit, ProgressiveFileWithUpTo256ScansDecodes) {
    const auto scans = manyScans(3);  // 253 scans
    ASSERT_EQ(scans.size(), 253u);
    const Picture picture = decodeBytes(encodeGrey(scans));
    EXPECT_EQ(picture.image.size(), QSize(kSide, kSide));
}

TEST(JpegScanLimit, FileWithMoreScansIsRefusedWithALibraryError) {
    const auto scans = manyScans(5);  // 379 scans
    try {
        decodeBytes(encodeGrey(scans));
        FAIL() << "a file of 379 scans was decoded";
    } catch (const KreslixError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("JPEG error #%1").arg(int(JERR_BAD_SCAN_SCRIPT)));
    }
}

}  // namespace
}  // namespace kreslix::test
