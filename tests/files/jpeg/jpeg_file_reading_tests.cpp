// Reading a JPEG file from the disk: through a small buffer the file gives the same outcome as
// the whole file in memory, and a file no picture can need, a pipe or a failing medium are
// refused with a message.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/error.h"
#include "document/files/jpeg_reader.h"
#include "document/files/picture_size.h"
#include "jpeg_test_support.h"

namespace kreslix::test {
namespace {

// The picture decoded, or the message of the failure.
template <typename Read>
std::pair<QImage, QString> outcomeOf(Read read) {
    try {
        return {read().image, QString()};
    } catch (const KreslixError& error) {
        return {QImage(), error.message()};
    }
}

class JpegFileReading : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) const {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }
    QTemporaryDir folder_;
};

// Whole files and files cut anywhere, also across the read buffer's 64 KB: the same picture or
// the same error as from memory.
TEST_F(JpegFileReading, FileGivesWhatTheSameBytesInMemoryGive) {
    for (const char* name : {"icc-progressive--icc_profile_big.jpg",
                             "junk-bytes--junk_jpeg_header.jpg", "baseline--testorig.jpg"}) {
        const QByteArray whole = fileBytes(corpusJpeg(QLatin1String(name)));
        ASSERT_FALSE(whole.isEmpty()) << name;
        for (const qsizetype cut :
             {qsizetype(0), qsizetype(2), qsizetype(700), qsizetype(65536), qsizetype(65537),
              whole.size() / 2, whole.size() - 3, whole.size()}) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(cut));
            const QByteArray bytes = whole.left(cut);
            const QString path = write(QStringLiteral("cut.jpg"), bytes);
            const auto fromFile = outcomeOf([&] { return readJpeg(path); });
            const auto fromMemory = outcomeOf([&] { return decodeBytes(bytes); });
            EXPECT_EQ(fromFile.second.toStdString(), fromMemory.second.toStdString());
            EXPECT_EQ(fromFile.first, fromMemory.first);
        }
    }
}

// A file larger than any picture allowed in memory is refused before it is read: here a real
// JPEG followed by a hole, which would otherwise decode.
TEST_F(JpegFileReading, FileLargerThanAnyPictureIsRefusedUnread) {
    const QString path =
        write(QStringLiteral("obrovsky.jpg"), fileBytes(corpusJpeg("baseline--testorig.jpg")));
    const qint64 limit = pictureMemoryLimit();
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), limit + 1), 0);
    EXPECT_EQ(outcomeOf([&] { return readJpeg(path); }).second,
              QStringLiteral("Súbor %1 sa nedá otvoriť: je väčší, ako môže byť jeden obrázok "
                             "(%2 MB)")
                  .arg(path)
                  .arg(limit >> 20));
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), limit), 0);
    EXPECT_EQ(outcomeOf([&] { return readJpeg(path); }).first.size(), QSize(227, 149));
}

// A pipe named like a picture is no file to read: refused at once, not waited on.
TEST_F(JpegFileReading, PipeIsRefusedWithoutWaiting) {
    const QString path = folder_.filePath(QStringLiteral("rura.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(outcomeOf([&] { return readJpeg(path); }).second,
              QStringLiteral("Cannot open file %1").arg(path));
}

// A medium that fails to give its bytes: this process's own memory at address 0, a file that
// opens and then fails every read.
TEST_F(JpegFileReading, FailingMediumIsAReadError) {
    const QString path = folder_.filePath(QStringLiteral("pamat.jpg"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), path));
    char byte;
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly) || probe.read(&byte, 1) >= 0)
        GTEST_SKIP() << "/proc/self/mem does not fail its reads here";
    EXPECT_EQ(outcomeOf([&] { return readJpeg(path); }).second,
              QStringLiteral("Stream read error"));
}

}  // namespace
}  // namespace kreslix::test
