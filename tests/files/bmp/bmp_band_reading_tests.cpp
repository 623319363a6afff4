// Files whose rows readBmp takes from the file a band at a time decode exactly as the same bytes
// do in memory: the same pixels, the same refusals, at any band size.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QTemporaryDir>
#include <cstring>

#include "bmp_test_support.h"
#include "document/files/bmp_decoder.h"
#include "document/files/bmp_reader.h"

namespace kreslix {
namespace {

using test::errorOf;

struct Outcome {
    QString error;
    QImage image;
};

Outcome fromFile(const QString& path, qint64 bandBytes) {
    Outcome outcome;
    outcome.error = errorOf([&] { outcome.image = bmp::readBmpFile(path, bandBytes).image; });
    return outcome;
}

Outcome fromBytes(const QByteArray& bytes) {
    Outcome outcome;
    outcome.error = errorOf([&] {
        outcome.image =
            bmp::decodeBmp(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size()).image;
    });
    return outcome;
}

// The first row whose pixel bytes differ, fourth byte included, or -1.
int firstDifferentRow(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.width()) * 4) != 0)
            return y;
    }
    return -1;
}

void expectSameOutcome(const Outcome& file, const Outcome& bytes, const std::string& what) {
    EXPECT_EQ(file.error.toStdString(), bytes.error.toStdString()) << what;
    ASSERT_EQ(file.image.size(), bytes.image.size()) << what;
    EXPECT_EQ(file.image.format(), bytes.image.format()) << what;
    EXPECT_EQ(firstDifferentRow(file.image, bytes.image), -1) << what;
}

// A 24-bit picture whose every byte differs from its neighbours, rows stored as the height's
// sign says; padding bytes are nonzero too, so that decoding them would show.
QByteArray patterned24Bit(int width, int height, bool lastPadding) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    QByteArray pixels(rowBytes * qAbs(height), '\0');
    for (int i = 0; i < pixels.size(); ++i)
        pixels[i] = char(i * 37 + i / rowBytes);
    if (!lastPadding)
        pixels.chop(rowBytes - width * 3);
    return test::buildBmp({width, height, 24, 0, {}, {}, pixels});
}

constexpr qint64 kBandSizes[] = {1, 2 * 4 * 3 + 1, 4096, qint64(1) << 20};

TEST(BandReading, GeneratedRowsMatchAtEveryBandSize) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("band.bmp"));
    for (int width : {1, 2, 3, 4, 5, 7, 8, 13, 333}) {
        for (int height : {1, 2, 5, 17, -1, -6}) {
            for (bool lastPadding : {true, false}) {
                const QByteArray bytes = patterned24Bit(width, height, lastPadding);
                test::putFileBytes(file, bytes);
                const Outcome expected = fromBytes(bytes);
                ASSERT_EQ(expected.error, QString());
                for (qint64 band : kBandSizes) {
                    expectSameOutcome(fromFile(file, band), expected,
                                      std::to_string(width) + "x" + std::to_string(height) +
                                          " band " + std::to_string(band));
                }
            }
        }
    }
}

// Every cut of a 24-bit file: the same refusal or the same picture either way.
TEST(BandReading, CutFilesFailAlike) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cut.bmp"));
    const QByteArray whole = patterned24Bit(9, 7, true);
    for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
        test::putFileBytes(file, whole.left(cut));
        const Outcome expected = fromBytes(whole.left(cut));
        for (qint64 band : {qint64(1), qint64(100)}) {
            expectSameOutcome(fromFile(file, band), expected,
                              "cut at " + std::to_string(cut) + " band " + std::to_string(band));
        }
    }
}

// Every bitmap of the corpora, whichever way readBmp takes it.
TEST(BandReading, CorpusFilesMatch) {
    int compared = 0;
    QDirIterator files(test::testdata(QString()), {QStringLiteral("*.bmp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (QFileInfo(path).size() > (qint64(4) << 20))
            continue;
        const Outcome expected = fromBytes(test::fileBytes(path));
        expectSameOutcome(fromFile(path, 64), expected, path.toStdString());
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

// Rows the file can't hold are found missing from its size before any picture is allocated,
// even when the picture would be far too large to allocate at all.
TEST(BandReading, MissingRowsAreFoundBeforeTheSizeCheck) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tall.bmp"));
    test::putFileBytes(file,
                       test::buildBmp({16000000, 16000000, 24, 0, {}, {}, QByteArray(64, 'x')}));
    EXPECT_EQ(fromFile(file, qint64(1) << 20).error, QStringLiteral("Stream read error"));
    EXPECT_EQ(errorOf([&] { readBmp(file); }), QStringLiteral("Stream read error"));
}

}  // namespace
}  // namespace kreslix
