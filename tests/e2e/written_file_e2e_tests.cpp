// Files written by the program, checked by a reader no one here wrote: ImageMagick's.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "document/files/bmp_reader.h"
#include "document/files/bmp_writer.h"

namespace kreslix::test {
namespace {

// ImageMagick's description of a file: "<width> <height> <class> <colour space>", the class
// telling a palette picture (PseudoClass) from a true-colour one (DirectClass).
std::string identify(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("identify"),
                  {QStringLiteral("-format"), QStringLiteral("%w %h %r"), path});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return std::string();
    return process.readAllStandardOutput().trimmed().toStdString();
}

// The pixels as ImageMagick decodes them.
QImage decodedByImageMagick(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("convert"), {path, QStringLiteral("ppm:-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QImage();
    return QImage::fromData(process.readAllStandardOutput(), "PPM");
}

class WrittenFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("identify")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("convert")).isEmpty()) {
            GTEST_SKIP() << "ImageMagick (identify, convert) is not installed";
        }
        ASSERT_TRUE(folder_.isValid());
    }
    QString path(const char* name) const { return folder_.filePath(QLatin1String(name)); }

    static void expectSamePixels(const QImage& ours, const QImage& theirs) {
        ASSERT_FALSE(theirs.isNull()) << "ImageMagick could not decode the file";
        ASSERT_EQ(theirs.size(), ours.size());
        const QImage a = ours.convertToFormat(QImage::Format_RGB32);
        const QImage b = theirs.convertToFormat(QImage::Format_RGB32);
        int differing = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x)
                differing += a.pixel(x, y) != b.pixel(x, y);
        }
        EXPECT_EQ(differing, 0);
    }

private:
    QTemporaryDir folder_;
};

TEST_F(WrittenFiles, PictureTheProgramMadeIsA24BitBmpImageMagickReads) {
    Picture picture;
    picture.image = QImage(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x)
            picture.image.setPixel(x, y, qRgb(x * 7, y * 11, (x ^ y) * 5));
    }
    writePicture(path("made.bmp"), picture);
    EXPECT_EQ(identify(path("made.bmp")), "37 23 DirectClass sRGB");
    expectSamePixels(picture.image, decodedByImageMagick(path("made.bmp")));
}

TEST_F(WrittenFiles, PaletteFileWrittenBackKeepsItsDepthForImageMagickToo) {
    const Picture picture = readBmp(QStringLiteral(KRESLIX_TESTDATA_DIR "/bmpsuite/g/pal8.bmp"));
    writePicture(path("pal8.bmp"), picture);
    EXPECT_EQ(identify(path("pal8.bmp")), "127 64 PseudoClass sRGB");
    expectSamePixels(picture.image, decodedByImageMagick(path("pal8.bmp")));
}

}  // namespace
}  // namespace kreslix::test
