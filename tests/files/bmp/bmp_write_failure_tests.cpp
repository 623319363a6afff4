// Write picture failing for real: the old file stays as it was and no temporary file is left.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "bmp_test_support.h"
#include "document/files/bmp_writer.h"
#include "document/files/bmp_writer_sink.h"

namespace kreslix {
namespace {

using test::errorOf;
using test::fileBytes;

Picture picture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    return Picture{image, nullptr};
}

const QByteArray kOldContents = QByteArray("the user's old file, which must survive");

class WriteFailure : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    // The old file is unchanged and is the only file in the folder.
    void expectOldFileIntact(const QString& file) const {
        EXPECT_EQ(fileBytes(file), kOldContents);
        EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QFileInfo(file).fileName()});
    }

    QTemporaryDir dir_;
};

TEST_F(WriteFailure, MissingFolderCreatesNothing) {
    const QString target = path(QStringLiteral("no/such/folder/a.bmp"));
    EXPECT_EQ(errorOf([&] { writePicture(target, picture(4, 4)); }),
              QStringLiteral("Cannot create file %1").arg(target));
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(WriteFailure, FolderIsNotReplaced) {
    const QString target = path(QStringLiteral("folder.bmp"));
    ASSERT_TRUE(QDir().mkdir(target));
    EXPECT_EQ(errorOf([&] { writePicture(target, picture(4, 4)); }),
              QStringLiteral("Cannot create file %1").arg(target));
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_TRUE(QDir(target).isEmpty());
}

// File permissions don't stop the superuser, so the writer checks the mode itself.
TEST_F(WriteFailure, ReadOnlyFileIsRefused) {
    const QString target = path(QStringLiteral("locked.bmp"));
    test::putFileBytes(target, kOldContents);
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_EQ(errorOf([&] { writePicture(target, picture(4, 4)); }),
              QStringLiteral("Cannot create file %1").arg(target));
    expectOldFileIntact(target);
}

// The injected sink takes part of the bytes, as a full medium does.
TEST_F(WriteFailure, ShortWriteKeepsOldFile) {
    const QString target = path(QStringLiteral("old.bmp"));
    test::putFileBytes(target, kOldContents);
    int calls = 0;
    const bmp::ByteSink halfOfSecondWrite = [&calls](QFileDevice& file, const char* data,
                                                     qint64 size) {
        return ++calls < 2 ? file.write(data, size) : file.write(data, size / 2);
    };
    const QString error =
        errorOf([&] { bmp::writePictureThrough(target, picture(3000, 1000), halfOfSecondWrite); });
    EXPECT_EQ(error, QStringLiteral("Stream write error"));
    EXPECT_EQ(calls, 2);
    expectOldFileIntact(target);

    const bmp::ByteSink failing = [](QFileDevice&, const char*, qint64) { return qint64(-1); };
    EXPECT_EQ(errorOf([&] { bmp::writePictureThrough(target, picture(2, 2), failing); }),
              QStringLiteral("Stream write error"));
    expectOldFileIntact(target);
}

TEST_F(WriteFailure, FullDiskKeepsOldFile) {
    const QString mountPoint = path(QStringLiteral("small"));
    ASSERT_TRUE(QDir().mkdir(mountPoint));
    const QByteArray where = QFile::encodeName(mountPoint);
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a 64 KB tmpfs here (needs root): " << strerror(errno);
    }
    const QString target = mountPoint + QStringLiteral("/old.bmp");
    test::putFileBytes(target, kOldContents);
    const QString error = errorOf([&] { writePicture(target, picture(300, 300)); });
    const QByteArray left = fileBytes(target);
    const QStringList files = QDir(mountPoint).entryList(QDir::Files | QDir::Hidden);
    ::umount(where.constData());
    EXPECT_EQ(error, QStringLiteral("Stream write error"));
    EXPECT_EQ(left, kOldContents);
    EXPECT_EQ(files, QStringList{QStringLiteral("old.bmp")});
}

// A picture goes only to a plain file or a new name. A named pipe, a device node (one like
// /dev/null, which the superuser could otherwise replace) and a link to one are refused and left
// as they were.
TEST_F(WriteFailure, PipesAndDevicesAreNeverReplaced) {
    const QString pipe = path(QStringLiteral("rura.bmp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0666), 0);
    QStringList targets{pipe};
    const QString device = path(QStringLiteral("nula.bmp"));
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        targets << device;  // only the superuser may make one
    const QString link = path(QStringLiteral("odkaz.bmp"));
    ASSERT_TRUE(QFile::link(pipe, link));
    targets << link;
    for (const QString& target : targets) {
        SCOPED_TRACE(target.toStdString());
        struct stat before {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &before), 0);
        EXPECT_EQ(errorOf([&] { writePicture(target, picture(4, 4)); }).toStdString(),
                  QStringLiteral("Do %1 sa nedá uložiť obrázok: nie je to obyčajný súbor")
                      .arg(target)
                      .toStdString());
        struct stat after {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
    }
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::System | QDir::Files | QDir::Hidden).size(),
              targets.size());
}

// 38000 × 38000 pixels, which the picture-size rule allows on a large machine, make a 24-bit file
// of 4.3 GB, more than the format's 32-bit size fields can tell. Refused before the target is
// touched; the pixels are address space only, never read.
TEST_F(WriteFailure, PictureTooLargeForTheFormatIsRefusedBeforeWriting) {
    constexpr int kSide = 38000;
    const qint64 bytes = qint64(kSide) * kSide * 4;
    void* pixels = ::mmap(nullptr, size_t(bytes), PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (pixels == MAP_FAILED)
        GTEST_SKIP() << "no 5.8 GB of address space here";
    const QString target = path(QStringLiteral("old.bmp"));
    test::putFileBytes(target, kOldContents);
    {
        const QImage image(static_cast<uchar*>(pixels), kSide, kSide, QImage::Format_RGB32);
        EXPECT_EQ(errorOf([&] {
                      writePicture(target, Picture{image, nullptr});
                  }).toStdString(),
                  "Obrázok 38000 × 38000 bodov sa nedá uložiť: súbor BMP by mal 4131 MB, viac, "
                  "ako jeho formát dokáže opísať (4 GB)");
    }
    ::munmap(pixels, size_t(bytes));
    expectOldFileIntact(target);
}

TEST_F(WriteFailure, ReplacedFileHasNewLengthAndOldPermissions) {
    const QString target = path(QStringLiteral("big.bmp"));
    test::putFileBytes(target, QByteArray(100000, 'x'));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(target, permissions));
    writePicture(target, picture(10, 10));
    EXPECT_EQ(QFileInfo(target).size(), 54 + 32 * 10);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("big.bmp")});
}

}  // namespace
}  // namespace kreslix
