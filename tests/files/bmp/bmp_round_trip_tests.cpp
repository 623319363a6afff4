// Pictures written by writePicture and read back: kept formats byte for byte, 24-bit for
// everything else, and the exact header fields.
#include <gtest/gtest.h>

#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>
#include <random>

#include "bmp_test_support.h"
#include "document/files/bmp_reader.h"
#include "document/files/bmp_writer.h"
#include "document/files/stored_bmp_format.h"

namespace kreslix {
namespace {

using test::fileBytes;
using test::testdata;

quint32 field32(const QByteArray& file, int at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(file.constData()) + at);
}

int bitsPerPixelOf(const QByteArray& file) {
    return int(field32(file, 28) & 0xFFFF);
}

class RoundTrip : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Reads source, writes the picture to a new file and returns that file's bytes.
    QByteArray rewrite(const QString& source, Picture* picture = nullptr) {
        const Picture read = readBmp(source);
        writePicture(path(QStringLiteral("out.bmp")), read);
        if (picture)
            *picture = read;
        return fileBytes(path(QStringLiteral("out.bmp")));
    }

    QString putBmp(const test::BmpLayout& layout) {
        const QString file = path(QStringLiteral("in.bmp"));
        test::putFileBytes(file, test::buildBmp(layout));
        return file;
    }

    QTemporaryDir dir_;
};

// Files with a 40-byte header, bottom-up rows and no compression come back with the same masks,
// colour table and pixel rows.
TEST_F(RoundTrip, UnchangedFilesKeepRowsAndTableByteForByte) {
    const QStringList files = {"bmpsuite/g/pal1.bmp",
                               "bmpsuite/g/pal1bg.bmp",
                               "bmpsuite/g/pal1wb.bmp",
                               "bmpsuite/g/pal4.bmp",
                               "bmpsuite/g/pal4gs.bmp",
                               "bmpsuite/g/pal8.bmp",
                               "bmpsuite/g/pal8-0.bmp",
                               "bmpsuite/g/pal8gs.bmp",
                               "bmpsuite/g/pal8w124.bmp",
                               "bmpsuite/g/pal8w125.bmp",
                               "bmpsuite/g/pal8w126.bmp",
                               "bmpsuite/g/rgb16.bmp",
                               "bmpsuite/g/rgb16-565.bmp",
                               "bmpsuite/g/rgb16bfdef.bmp",
                               "bmpsuite/g/rgb24.bmp",
                               "bmpsuite/g/rgb32.bmp",
                               "bmpsuite/g/rgb32bf.bmp",
                               "bmpsuite/g/rgb32bfdef.bmp",
                               "bmpsuite/b/pal8badindex.bmp",
                               "bmp/libjpeg-turbo/testimg.bmp",
                               "bmp/libjpeg-turbo/vgl_6434_0018a.bmp"};
    for (const QString& file : files) {
        const QByteArray original = fileBytes(testdata(file));
        const QByteArray written = rewrite(testdata(file));
        EXPECT_EQ(bitsPerPixelOf(written), bitsPerPixelOf(original)) << file.toStdString();
        EXPECT_TRUE(test::rowsAndTable(written) == test::rowsAndTable(original))
            << file.toStdString();
    }
}

// Other variants keep their depth and every colour.
TEST_F(RoundTrip, OtherVariantsKeepDepthAndColours) {
    const QList<QPair<QString, int>> files = {
        {"bmpsuite/g/pal4rle.bmp", 4},     {"bmpsuite/g/pal8rle.bmp", 8},
        {"bmpsuite/g/pal8os2.bmp", 8},     {"bmpsuite/g/pal8topdown.bmp", 8},
        {"bmpsuite/g/pal8v5.bmp", 8},      {"bmpsuite/g/rgb16-565pal.bmp", 16},
        {"bmpsuite/g/rgb24pal.bmp", 24},   {"bmp/pillow/rgb32bf-abgr.bmp", 32},
        {"bmp/pillow/hopper_rle8.bmp", 8}, {"bmpsuite/b/rgb16-880.bmp", 16}};
    for (const auto& [file, bits] : files) {
        Picture original;
        const QByteArray written = rewrite(testdata(file), &original);
        EXPECT_EQ(bitsPerPixelOf(written), bits) << file.toStdString();
        const Picture back = readBmp(path(QStringLiteral("out.bmp")));
        EXPECT_EQ(test::firstDifference(back.image, original.image).toStdString(), "")
            << file.toStdString();
    }
}

// Cases the corpus lacks: duplicate colours (with different reserved bytes), indices beyond
// the table, a 2-bit file, bits outside the colour masks.
TEST_F(RoundTrip, AmbiguousPixelsComeBackAsStored) {
    const QByteArray eightBitRows = QByteArray::fromHex("0001020300010203");
    const QByteArray twoBitRows = QByteArray::fromHex("1be40000e4180000");
    const QByteArray sixteenBitRows = QByteArray::fromHex("1f80e07f0000ff7f");
    const QByteArray thirtyTwoBitRows = QByteArray::fromHex("0102037f040506ff0708090010203040");
    const std::vector<test::BmpLayout> layouts = {
        {4, 2, 8, 0, {}, {0x00FF0000, 0x11FF0000, 0x0000FF00}, eightBitRows},
        {7, 2, 2, 0, {}, {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00}, twoBitRows},
        {2, 2, 16, 0, {}, {}, sixteenBitRows},
        {2, 2, 32, 0, {}, {}, thirtyTwoBitRows},
        {2, 2, 32, 3, {0xFF0000, 0xFF00, 0xFF}, {}, thirtyTwoBitRows},
        {2, 2, 16, 3, {0xF800, 0x07C0, 0x003E}, {}, sixteenBitRows},
    };
    for (size_t i = 0; i < layouts.size(); ++i) {
        const QByteArray original = test::buildBmp(layouts[i]);
        const QByteArray written = rewrite(putBmp(layouts[i]));
        EXPECT_EQ(written.mid(54).toHex().toStdString(), original.mid(54).toHex().toStdString())
            << "case " << i;
    }
}

struct DrawnColour {
    const char* file;
    QRgb colour;
    int bitsAfter;
};

// A drawn colour the kept format can't hold turns the file 24-bit and every colour survives;
// one it can hold keeps the format.
TEST_F(RoundTrip, DrawnColoursDecideTheDepth) {
    const DrawnColour cases[] = {
        {"bmpsuite/g/pal4.bmp", qRgb(1, 2, 3), 24},
        {"bmpsuite/g/pal1.bmp", qRgb(255, 0, 0), 24},
        {"bmpsuite/g/pal8.bmp", qRgb(1, 2, 3), 24},
        {"bmpsuite/g/rgb16.bmp", qRgb(1, 2, 3), 24},
        {"bmpsuite/g/rgb16.bmp", qRgb(255, 0, 8), 16},
        {"bmpsuite/g/rgb16-565.bmp", qRgb(8, 5, 8), 24},
        {"bmpsuite/g/rgb16-565.bmp", qRgb(8, 4, 8), 16},
        {"bmpsuite/b/rgb16-880.bmp", qRgb(1, 2, 1), 24},
        {"bmpsuite/g/rgb32.bmp", qRgb(1, 2, 3), 32},
        {"bmpsuite/g/pal1.bmp", qRgb(0, 0, 0), 1},
    };
    for (const DrawnColour& c : cases) {
        Picture picture = readBmp(testdata(c.file));
        picture.image.setPixel(5, 7, c.colour);
        writePicture(path(QStringLiteral("out.bmp")), picture);
        const QByteArray written = fileBytes(path(QStringLiteral("out.bmp")));
        EXPECT_EQ(bitsPerPixelOf(written), c.bitsAfter) << c.file;
        const Picture back = readBmp(path(QStringLiteral("out.bmp")));
        EXPECT_EQ(test::firstDifference(back.image, picture.image).toStdString(), "") << c.file;
    }
}

QImage randomPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(12345);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random() | 0xFF000000u);
    }
    return image;
}

// Pictures the program makes are written 24-bit; our reader and Qt's agree on every pixel.
TEST_F(RoundTrip, ProgramPicturesAre24BitAndReadableByQt) {
    for (const QSize size :
         {QSize(488, 297), QSize(1, 1), QSize(3, 5), QSize(130, 2), QSize(1100, 1000)}) {
        const Picture picture{randomPicture(size.width(), size.height()), nullptr};
        writePicture(path(QStringLiteral("out.bmp")), picture);
        const QByteArray written = fileBytes(path(QStringLiteral("out.bmp")));
        EXPECT_EQ(bitsPerPixelOf(written), 24);
        EXPECT_EQ(written.size(), 54 + (size.width() * 3 + 3) / 4 * 4 * size.height());
        const Picture ours = readBmp(path(QStringLiteral("out.bmp")));
        EXPECT_EQ(test::firstDifference(ours.image, picture.image).toStdString(), "");
        QImageReader qt(path(QStringLiteral("out.bmp")), "bmp");
        EXPECT_EQ(test::firstDifference(qt.read(), picture.image).toStdString(), "");
    }
}

TEST_F(RoundTrip, SmallFileHasExactHeaders) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0x11, 0x22, 0x33));
    image.setPixel(1, 0, qRgb(0x44, 0x55, 0x66));
    image.setPixel(2, 0, qRgb(0x77, 0x88, 0x99));
    image.setPixel(0, 1, qRgb(0xAA, 0xBB, 0xCC));
    image.setPixel(1, 1, qRgb(0xDD, 0xEE, 0xFF));
    image.setPixel(2, 1, qRgb(0x01, 0x02, 0x03));
    writePicture(path(QStringLiteral("small.bmp")), Picture{image, nullptr});
    const QByteArray expected = QByteArray::fromHex(
        "424d4e000000000000003600000028000000030000000200000001001800000000001800"
        "0000c40e0000c40e00000000000000000000"
        "ccbbaaffeedd030201000000"
        "332211665544998877000000");
    EXPECT_EQ(fileBytes(path(QStringLiteral("small.bmp"))).toHex().toStdString(),
              expected.toHex().toStdString());
}

}  // namespace
}  // namespace kreslix
