// The reader against the shared JPEG corpus and against libjpeg's own decodes of it.
#include <gtest/gtest.h>

#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "common/error.h"
#include "document/files/jpeg_reader.h"
#include "jpeg_test_support.h"

namespace kreslix::test {
namespace {

// The "JPEG error #n" that expect.tsv's note gives for a file libjpeg rejects.
QString expectedError(const QString& note) {
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("JPEG error #\\d+")).match(note);
    return match.hasMatch() ? match.captured() : QString();
}

bool isGrey(const CorpusExpectation& row) {
    return row.name.startsWith(QLatin1String("grey")) || row.name.contains(QLatin1String("grey"));
}

bool allOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] >> 24) != 0xFF)
                return false;
        }
    }
    return true;
}

TEST(JpegCorpus, EveryFileOpensOrFailsAsExpected) {
    const std::vector<CorpusExpectation> rows = jpegCorpusExpectations();
    ASSERT_EQ(rows.size(), 28u);
    for (const CorpusExpectation& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        const bool cmyk = row.name.startsWith(QLatin1String("cmyk"));
        try {
            const Picture picture = readJpeg(corpusJpeg(row.name));
            EXPECT_TRUE(row.opens || cmyk) << "opened a file that must be rejected";
            EXPECT_EQ(picture.image.width(), row.width);
            EXPECT_EQ(picture.image.height(), row.height);
            EXPECT_EQ(picture.image.format(), QImage::Format_RGB32);
            EXPECT_TRUE(allOpaque(picture.image));
            EXPECT_EQ(picture.storedFormat, nullptr);
        } catch (const KreslixError& error) {
            EXPECT_FALSE(row.opens || cmyk) << error.what();
            EXPECT_EQ(error.message(), expectedError(row.note));
        }
    }
}

TEST(JpegCorpus, ColourFilesMatchDjpegExactly) {
    int compared = 0;
    for (const CorpusExpectation& row : jpegCorpusExpectations()) {
        if (!row.opens || isGrey(row))
            continue;
        SCOPED_TRACE(row.name.toStdString());
        const std::optional<QImage> reference =
            djpegDecode(corpusJpeg(row.name), {QStringLiteral("-ppm")});
        if (!reference)
            GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) is not installed";
        ASSERT_FALSE(reference->isNull());
        const QImage decoded = readJpeg(corpusJpeg(row.name)).image;
        ASSERT_EQ(decoded.size(), reference->size());
        EXPECT_EQ(differingPixels(decoded, *reference), 0);
        ++compared;
    }
    EXPECT_EQ(compared, 15);
}

TEST(JpegCorpus, GreyFilesAreQuantisedTo236LevelsLikeLibjpeg) {
    int compared = 0;
    for (const CorpusExpectation& row : jpegCorpusExpectations()) {
        if (!row.opens || !isGrey(row))
            continue;
        SCOPED_TRACE(row.name.toStdString());
        const QString path = corpusJpeg(row.name);
        const std::optional<QImage> quantised = djpegDecode(
            path, {QStringLiteral("-colors"), QStringLiteral("236"), QStringLiteral("-onepass"),
                   QStringLiteral("-dither"), QStringLiteral("fs"), QStringLiteral("-pnm")});
        if (!quantised)
            GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) is not installed";
        const std::optional<QImage> grey =
            djpegDecode(path, {QStringLiteral("-grayscale"), QStringLiteral("-pnm")});
        const QImage decoded = readJpeg(path).image;
        ASSERT_EQ(decoded.size(), quantised->size());
        EXPECT_EQ(differingPixels(decoded, *quantised), 0);
        EXPECT_LE(largestChannelDifference(decoded, *grey), 2);
        QSet<QRgb> levels;
        for (int y = 0; y < decoded.height(); ++y) {
            for (int x = 0; x < decoded.width(); ++x) {
                const QRgb pixel = decoded.pixel(x, y);
                EXPECT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
                levels.insert(pixel);
            }
        }
        EXPECT_LE(levels.size(), 236);
        EXPECT_GT(levels.size(), 16);
        ++compared;
    }
    EXPECT_EQ(compared, 3);
}

// Pictures of several megabytes get memory of their own (huge pages); they must decode the same.
TEST(JpegLarge, PhotographSizedPictureMatchesDjpeg) {
    QImage source(2600, 1800, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x, y, x ^ y));
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("velka.jpg"));
    QImageWriter writer(path, "jpeg");
    if (!writer.write(source))
        GTEST_SKIP() << "Qt's JPEG plugin is not available";
    const std::optional<QImage> reference = djpegDecode(path, {QStringLiteral("-ppm")});
    if (!reference)
        GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) is not installed";
    const Picture picture = readJpeg(path);
    ASSERT_EQ(picture.image.size(), source.size());
    EXPECT_TRUE(allOpaque(picture.image));
    EXPECT_EQ(differingPixels(picture.image, *reference), 0);
    QImage drawnOn = picture.image;  // a copy that is changed must not disturb the picture
    drawnOn.setPixel(0, 0, qRgb(1, 2, 3));
    EXPECT_EQ(picture.image.pixel(0, 0), reference->pixel(0, 0));
}

TEST(JpegCorpus, AdobeYcckFileLooksLikeQtsDecode) {
    const QString path = corpusJpeg(QStringLiteral("cmyk--pil_sample_cmyk.jpg"));
    const QImage decoded = readJpeg(path).image;
    QImageReader reader(path);
    const QImage qtDecode = reader.read().convertToFormat(QImage::Format_RGB32);
    if (qtDecode.isNull())
        GTEST_SKIP() << "Qt's JPEG plugin is not available";
    ASSERT_EQ(decoded.size(), qtDecode.size());
    EXPECT_LE(largestChannelDifference(decoded, qtDecode), 2);
}

}  // namespace
}  // namespace kreslix::test
