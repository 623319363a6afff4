// readBmp's refusals, truncated files, run-length details, colour tables and masks.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "bmp_test_support.h"
#include "document/files/bmp_colour_masks.h"
#include "document/files/bmp_reader.h"

namespace kreslix {
namespace {

using test::errorOf;
using test::fileBytes;
using test::testdata;

class Reader : public ::testing::Test {
protected:
    QString put(const QString& name, const QByteArray& bytes) {
        const QString file = dir_.filePath(name);
        test::putFileBytes(file, bytes);
        return file;
    }

    QTemporaryDir dir_;
};

struct NamedFile {
    const char* name;
    const char* error;  // "" when the file is read
};

TEST_F(Reader, ExtensionDecidesBeforeTheFileIsOpened) {
    const QByteArray valid = fileBytes(testdata(QStringLiteral("bmpsuite/g/pal1.bmp")));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("a.bmp")));
    const NamedFile cases[] = {
        {"picture.bmp", ""},
        {"PICTURE.BMP", ""},
        {"Picture.Bmp", ""},
        {"obrazokbmp", "Unknown picture file extension (.)"},
        {"picture.jpg", "Unknown picture file extension (.jpg)"},
        {"picture.bmp.txt", "Unknown picture file extension (.txt)"},
        {"picture.", "Unknown picture file extension (.)"},
        {"a.bmp/inner", "Unknown picture file extension (.)"},
    };
    for (const NamedFile& c : cases) {
        const QString file = dir_.filePath(QString::fromUtf8(c.name));
        if (!QFileInfo(file).isDir() && !file.contains(QLatin1String("/a.bmp/"))) {
            test::putFileBytes(file, valid);
        }
        EXPECT_EQ(errorOf([&] { readBmp(file); }).toStdString(), c.error) << c.name;
    }
}

TEST_F(Reader, MissingFileAndFolderCannotBeOpened) {
    for (const QString& file : {dir_.filePath(QStringLiteral("missing.bmp")),
                                dir_.filePath(QStringLiteral("folder.bmp"))}) {
        QDir(dir_.path()).mkdir(QStringLiteral("folder.bmp"));
        EXPECT_EQ(errorOf([&] { readBmp(file); }), QStringLiteral("Cannot open file %1").arg(file));
    }
}

// Every cut of a file is refused with one of the two messages, or, where only bytes the
// picture doesn't need are gone (padding, the end-of-bitmap mark), read whole: never in part.
TEST_F(Reader, TruncatedFilesNeverGiveAPartialPicture) {
    const QStringList files = {"bmpsuite/g/pal1.bmp",      "bmpsuite/g/pal4rle.bmp",
                               "bmpsuite/g/pal8rle.bmp",   "bmpsuite/g/pal8os2.bmp",
                               "bmpsuite/g/rgb16-565.bmp", "bmpsuite/g/rgb24.bmp",
                               "bmpsuite/g/pal8v5.bmp",    "bmp/pillow/hopper_rle8.bmp"};
    for (const QString& name : files) {
        const QByteArray whole = fileBytes(testdata(name));
        const QImage full = readBmp(testdata(name)).image;
        for (qsizetype cut = 0; cut < whole.size(); cut += cut < 160 ? 1 : 257) {
            const QString file = put(QStringLiteral("cut.bmp"), whole.left(cut));
            Picture picture;
            const QString error = errorOf([&] { picture = readBmp(file); });
            if (error.isEmpty()) {
                EXPECT_EQ(test::firstDifference(picture.image, full).toStdString(), "")
                    << name.toStdString() << " cut at " << cut;
            } else {
                EXPECT_TRUE(error == QLatin1String("Stream read error") ||
                            error == QLatin1String("Bitmap image is not valid"))
                    << name.toStdString() << " cut at " << cut << ": " << error.toStdString();
            }
        }
    }
}

struct BrokenHeader {
    const char* what;
    int offset;  // where the 32-bit value goes in a valid 8x2 24-bit file
    quint32 value;
    const char* error;
};

TEST_F(Reader, ImpossibleHeadersAreRefused) {
    const BrokenHeader cases[] = {
        {"no BM", 0, 0x00004D41u, "Bitmap image is not valid"},
        {"header size 64", 14, 64, "Bitmap image is not valid"},
        {"header size 0", 14, 0, "Bitmap image is not valid"},
        {"zero planes", 26, 0x00180000, "Bitmap image is not valid"},
        {"depth 3", 26, 0x00030001, "Bitmap image is not valid"},
        {"JPEG compression", 30, 4, "Bitmap image is not valid"},
        {"RLE8 on 24 bits", 30, 1, "Bitmap image is not valid"},
        {"negative width", 18, 0xFFFFFFF8u, "Bitmap image is not valid"},
        {"offset inside the header", 10, 20, "Bitmap image is not valid"},
        {"offset past the end", 10, 100000, "Stream read error"},
        {"taller than the data", 22, 3, "Stream read error"},
        {"most negative height", 22, 0x80000000u, "Stream read error"},
        {"huge width", 18, 0x7FFFFFFF, "Stream read error"},
    };
    test::BmpLayout layout{8, 2, 24, 0, {}, {}, QByteArray(48, '\x40')};
    for (const BrokenHeader& c : cases) {
        QByteArray bytes = test::buildBmp(layout);
        for (int i = 0; i < 4; ++i)
            bytes[c.offset + i] = char(c.value >> (8 * i));
        const QString file = put(QStringLiteral("broken.bmp"), bytes);
        EXPECT_EQ(errorOf([&] { readBmp(file); }).toStdString(), c.error) << c.what;
    }
}

// A header asking for more pixels than a picture may have is refused before anything is
// allocated, even when run-length data could legally describe it in a few bytes.
TEST_F(Reader, OversizedPicturesAreRefusedBySize) {
    const QByteArray endOfBitmap = QByteArray::fromHex("0001");
    const QString file = put(QStringLiteral("huge.bmp"),
                             test::buildBmp({16000000, 16000000, 8, 1, {}, {0}, endOfBitmap}));
    EXPECT_TRUE(errorOf([&] { readBmp(file); }).startsWith(QStringLiteral("Obrázok 16000000")));
}

// Pixels the run-length data never sets show the first colour of the table; runs past the right
// edge are clipped; data after the last row is ignored.
TEST_F(Reader, RunLengthGapsTakeTheFirstColour) {
    const std::vector<quint32> table = {0x0000FF, 0xFF0000, 0x00FF00};
    // Bottom row: 2 × index 1, then a run of 9 reaching past the width, end of line. Top row:
    // delta 1 right, a literal 2 2 1, end of bitmap.
    const QByteArray rle8 = QByteArray::fromHex(
        "0201"
        "0902"
        "0000"
        "00020100"
        "0003020201 00"
        "0001");
    const QImage eight =
        readBmp(put(QStringLiteral("rle8.bmp"), test::buildBmp({6, 2, 8, 1, {}, table, rle8})))
            .image;
    const QRgb a = qRgb(0, 0, 255), b = qRgb(255, 0, 0), c = qRgb(0, 255, 0);
    const std::vector<QRgb> expected8 = {a, c, c, b, a, a, b, b, c, c, c, c};
    std::vector<QRgb> got8;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 6; ++x)
            got8.push_back(eight.pixel(x, y));
    }
    EXPECT_EQ(got8, expected8);

    // RLE4: a run alternates the two halves of its byte; a literal of 3 takes 2 bytes, padded.
    const QByteArray rle4 = QByteArray::fromHex(
        "0512"
        "0000"
        "00032120 0000"
        "0001");
    const QImage four =
        readBmp(put(QStringLiteral("rle4.bmp"), test::buildBmp({5, 2, 4, 2, {}, table, rle4})))
            .image;
    const std::vector<QRgb> expected4 = {c, b, c, a, a, b, c, b, c, b};
    std::vector<QRgb> got4;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 5; ++x)
            got4.push_back(four.pixel(x, y));
    }
    EXPECT_EQ(got4, expected4);
}

// Indices beyond a short colour table read black.
TEST_F(Reader, IndicesBeyondTheTableAreBlack) {
    const QByteArray rows = QByteArray::fromHex("00010205");
    const QImage image = readBmp(put(QStringLiteral("short.bmp"),
                                     test::buildBmp({4, 1, 8, 0, {}, {0xFFFFFF, 0x123456}, rows})))
                             .image;
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 0, 0));
}

// A 16-bit picture of more pixels than there are values reads them through a table of every
// value, a smaller one pixel by pixel: each of the 65536 values, read both ways, gives the same
// colour.
TEST_F(Reader, SixteenBitValuesReadAlikeThroughTheTableAndPixelByPixel) {
    const std::vector<quint32> masks = {0xF800, 0x07E0, 0x001F};
    QByteArray all;
    for (quint32 value = 0; value < 0x10000; ++value)
        all.append(char(value & 0xFF)).append(char(value >> 8));
    const QImage tabled =
        readBmp(put(QStringLiteral("all.bmp"), test::buildBmp({256, 256, 16, 3, masks, {}, all})))
            .image;
    ASSERT_EQ(tabled.size(), QSize(256, 256));
    for (int row = 0; row < 256; ++row) {
        // Stored bottom-up: the file's first row is the picture's last.
        const QImage alone =
            readBmp(put(QStringLiteral("row.bmp"),
                        test::buildBmp({256, 1, 16, 3, masks, {}, all.mid(row * 512, 512)})))
                .image;
        for (int x = 0; x < 256; ++x) {
            ASSERT_EQ(tabled.pixel(x, 255 - row), alone.pixel(x, 0)) << "value " << row * 256 + x;
        }
    }
}

// Channels of any width scale as round(v × 255 / max), and each level the writer finds for a
// channel reads back as that level.
TEST(MaskedChannel, ScalesAnyWidthAndEncodesBack) {
    for (quint32 mask : {0x1u, 0x7u, 0x1Fu << 10, 0x3Fu << 5, 0xFFu << 24, 0x3FFu << 20, 0xFFFFu,
                         0x1FFFFu << 3, 0xFFFFFFFFu, 0b1011u << 4, 0u}) {
        const bmp::MaskedChannel channel(mask);
        const int shift = mask ? __builtin_ctz(mask) : 0;
        const quint64 max = mask >> shift;
        EXPECT_EQ(channel.read(mask), max ? 255 : 0) << std::hex << mask;
        EXPECT_EQ(channel.read(0), 0);
        const quint32 mid = quint32(max / 2) << shift & mask;
        if (max) {
            EXPECT_EQ(channel.read(mid), (quint64(mid >> shift) * 255 + max / 2) / max)
                << std::hex << mask;
        }
        const auto encodings = channel.encodingTable();
        int levels = 0;
        for (int level = 0; level < 256; ++level) {
            if (encodings[level] < 0)
                continue;
            ++levels;
            EXPECT_EQ(encodings[level] & ~qint64(mask), 0);
            EXPECT_EQ(channel.read(quint32(encodings[level])), level) << std::hex << mask;
        }
        const bool contiguous = (max & (max + 1)) == 0;
        if (max >= 255 && contiguous) {
            EXPECT_EQ(levels, 256) << std::hex << mask;
        }
        // A channel made for a few reads has no table of values; it reads and encodes the same.
        const bmp::MaskedChannel untabled(mask, 0);
        EXPECT_EQ(untabled.encodingTable(), encodings) << std::hex << mask;
        for (quint64 value = 0; value <= std::min<quint64>(max, 0x1FFFF); ++value) {
            const quint32 pixel = quint32(value << shift) & mask;
            ASSERT_EQ(untabled.read(pixel), channel.read(pixel)) << std::hex << mask;
        }
    }
}

// Bytes this process has read so far, from any file.
qint64 bytesReadByThisProcess() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

// A tiny picture followed by a long tail (5 GB of holes, a few bytes on the disk) is read only
// as far as its headers describe pixels: uncompressed rows exactly, run-length data within a
// bound.
TEST_F(Reader, BytesPastThePixelDataAreNotRead) {
    const std::vector<quint32> table = {0x112233, 0x445566};
    const struct {
        const char* name;
        quint32 compression;
        QByteArray pixels;
    } cases[] = {
        {"rows.bmp", 0, QByteArray::fromHex("01000000")},
        {"runs.bmp", 1, QByteArray::fromHex("01010001")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = put(QString::fromLatin1(c.name),
                                 test::buildBmp({1, 1, 8, c.compression, {}, table, c.pixels}));
        ASSERT_TRUE(QFile::resize(file, qint64(5) << 30));
        const qint64 before = bytesReadByThisProcess();
        if (before < 0)
            GTEST_SKIP() << "no /proc/self/io to count the bytes read";
        const QImage image = readBmp(file).image;
        const qint64 read = bytesReadByThisProcess() - before;
        ASSERT_EQ(image.size(), QSize(1, 1));
        EXPECT_EQ(image.pixel(0, 0), qRgb(0x44, 0x55, 0x66));
        EXPECT_LT(read, qint64(4) << 20) << "bytes read for a 1 × 1 picture";
    }
}

}  // namespace
}  // namespace kreslix
