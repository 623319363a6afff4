// Which reader a file name leads to, and what a file that cannot be read says.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>

#include "common/error.h"
#include "document/files/picture_file.h"

namespace kreslix {
namespace {

TEST(PictureFileKind, IsChosenByTheEndOfTheNameInAnyCase) {
    const struct {
        const char* path;
        PictureFileKind kind;
    } cases[] = {
        {"/home/eva/obrazok.bmp", PictureFileKind::Bmp},
        {"OBRAZOK.BMP", PictureFileKind::Bmp},
        {"obrazok.Bmp", PictureFileKind::Bmp},
        {"obrazokbmp", PictureFileKind::Bmp},
        {".bmp", PictureFileKind::Bmp},
        {"/media/karta/DCIM/PHOTO.JPG", PictureFileKind::Jpeg},
        {"obrazok.jpg", PictureFileKind::Jpeg},
        {"obrazok.jpeg", PictureFileKind::Jpeg},
        {"obrazok.JPEG", PictureFileKind::Jpeg},
        {"obrazok.jPeG", PictureFileKind::Jpeg},
        {"obrazok.png", PictureFileKind::Unknown},
        {"obrazok", PictureFileKind::Unknown},
        {"mp", PictureFileKind::Unknown},
        {"", PictureFileKind::Unknown},
        {"obrazok.jpg.png", PictureFileKind::Unknown},
        {"obrazok.jpe", PictureFileKind::Unknown},
        {"/tmp/x.bmp/obrazok", PictureFileKind::Unknown},
        {"/tmp/fotky.jpg/", PictureFileKind::Unknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pictureFileKind(QString::fromUtf8(c.path)), c.kind) << c.path;
    }
}

// Copies of corpus files under chosen names in a temporary folder.
class PictureFileRead : public ::testing::Test {
protected:
    QString copyAs(const char* corpusFile, const QString& name) {
        const QString target = folder_.filePath(name);
        EXPECT_TRUE(QFile::copy(QStringLiteral(KRESLIX_TESTDATA_DIR "/") + corpusFile, target));
        return target;
    }
    QString path(const QString& name) const { return folder_.filePath(name); }

    static QString failureOf(const QString& path) {
        try {
            readPictureFile(path);
        } catch (const KreslixError& error) {
            return error.message();
        }
        return QStringLiteral("(read)");
    }

    QTemporaryDir folder_;
};

constexpr const char* kJpeg = "jpeg/baseline--testorig.jpg";  // 227 × 149
constexpr const char* kBmp = "bmpsuite/g/rgb24.bmp";          // 127 × 64

TEST_F(PictureFileRead, OpensJpegAndBmpEndingsInAnyCase) {
    const struct {
        const char* source;
        const char* name;
        QSize size;
    } cases[] = {
        {kJpeg, "obrazok.jpg", {227, 149}},  {kJpeg, "PHOTO.JPG", {227, 149}},
        {kJpeg, "obrazok.jpeg", {227, 149}}, {kJpeg, "OBRAZOK.JPEG", {227, 149}},
        {kBmp, "obrazok.bmp", {127, 64}},    {kBmp, "OBRAZOK.BMP", {127, 64}},
        {kBmp, "obrazok.Bmp", {127, 64}},    {kBmp, ".bmp", {127, 64}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Picture picture = readPictureFile(copyAs(c.source, QString::fromUtf8(c.name)));
        EXPECT_EQ(picture.image.size(), c.size);
    }
}

TEST_F(PictureFileRead, NamesThatReadNothingOrTheWrongKindFail) {
    const struct {
        const char* source;
        const char* name;
        const char* message;  // %1 stands for the full path
    } cases[] = {
        {kBmp, "obrazokbmp", "Unknown picture file extension (.)"},
        {kBmp, "obrazok.png", "Unknown picture file extension (.png)"},
        {kBmp, "obrazok", "Unknown picture file extension (.)"},
        {kJpeg, "fotka.Jpg.PNG", "Unknown picture file extension (.PNG)"},
        {kJpeg, "fotka.bmp", "Bitmap image is not valid"},
        {kBmp, "obrazok.jpg", "JPEG error #53"},
        {nullptr, "chyba.jpg", "Cannot open file %1"},
        {nullptr, "chyba.JPEG", "Cannot open file %1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromUtf8(c.name);
        const QString file = c.source ? copyAs(c.source, name) : path(name);
        QString message = QString::fromUtf8(c.message);
        message.replace(QLatin1String("%1"), file);
        EXPECT_EQ(failureOf(file), message);
    }
}

// Open, a dropped file and the command line all read through here. Named pipes, devices and
// folders with picture names are refused at once: a pipe must not keep the program waiting in
// open() for a writer that never comes. Each read runs beside the test, and a read still waiting
// after 20 s is let go by opening the pipe for writing, so that the test fails instead of
// hanging.
TEST_F(PictureFileRead, AnythingButAPlainFileIsRefusedAtOnce) {
    const QByteArray pipes[] = {"rura.bmp", "rura.jpg"};
    for (const QByteArray& name : pipes)
        ASSERT_EQ(::mkfifo(QFile::encodeName(path(QString::fromLatin1(name))).constData(), 0600),
                  0);
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("x.jpg")));
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("x.bmp")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), path(QStringLiteral("nuly.bmp"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("rura.bmp")), path(QStringLiteral("odkaz.bmp"))));
    for (const char* name : {"rura.bmp", "rura.jpg", "x.jpg", "x.bmp", "nuly.bmp", "odkaz.bmp"}) {
        SCOPED_TRACE(name);
        const QString file = path(QString::fromLatin1(name));
        auto read = std::async(std::launch::async, [file] { return failureOf(file); });
        if (read.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << "the read waited on " << name;
            ::close(::open(QFile::encodeName(file).constData(), O_WRONLY | O_NONBLOCK));
        }
        EXPECT_EQ(read.get().toStdString(),
                  QStringLiteral("Cannot open file %1").arg(file).toStdString());
    }
}

}  // namespace
}  // namespace kreslix
