// Where Write picture puts the bytes: a new file that replaces the old one under the old file's
// owner, group and mode, or, where no new file can be made beside it, the old file itself.
// Tests run as root, whom file modes don't stop, so the folder the user may not write is met by
// running the writing as the user nobody.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "bmp_test_support.h"
#include "document/files/bmp_reader.h"
#include "document/files/bmp_writer.h"

namespace kreslix {
namespace {

using test::fileBytes;

struct stat statOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info;
}

struct ToolRun {
    int exitCode = -1;
    std::string errors;
};

// Runs the writing tool on path as that user, with no groups but the user's own; a run that
// hangs is ended after 20 seconds and fails. The tool is opened before the user is changed and
// run from that descriptor: the build may lie where the other user cannot reach (root's home).
ToolRun writeAs(const passwd& user, const QString& path, bool inPlace = false) {
    int errors[2];
    if (::pipe(errors) != 0)
        return {};
    const int tool = ::open(KRESLIX_WRITE_PICTURE_TOOL, O_RDONLY);
    const QByteArray target = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(errors[1], STDERR_FILENO);
        ::close(errors[0]);
        if (tool < 0 || ::setgroups(0, nullptr) != 0 || ::setgid(user.pw_gid) != 0 ||
            ::setuid(user.pw_uid) != 0) {
            ::_exit(126);
        }
        ::alarm(20);
        char name[] = "write_picture_tool";
        char inPlaceFlag[] = "--in-place";
        char* withFlag[] = {name, inPlaceFlag, const_cast<char*>(target.constData()), nullptr};
        char* plain[] = {name, const_cast<char*>(target.constData()), nullptr};
        ::fexecve(tool, inPlace ? withFlag : plain, environ);
        ::_exit(127);
    }
    if (tool >= 0)
        ::close(tool);
    ::close(errors[1]);
    ToolRun run;
    char buffer[256];
    for (ssize_t got; (got = ::read(errors[0], buffer, sizeof buffer)) > 0;)
        run.errors.append(buffer, size_t(got));
    ::close(errors[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    return run;
}

Picture greenPicture() {
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    return Picture{image, nullptr};
}

void expectGreenPicture(const QString& path) {
    const Picture read = readBmp(path);
    EXPECT_EQ(read.image.size(), QSize(7, 5));
    EXPECT_EQ(read.image.pixel(6, 4) & 0xFFFFFF, qRgb(10, 200, 30) & 0xFFFFFF);
}

class WritePlace : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    // A folder shared as /tmp is (root's, sticky, everybody may write), for the user nobody to
    // save in; skips where that can't be arranged.
    QString sharedStickyFolder() {
        if (::geteuid() != 0)
            return {};
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody)
            return {};
        nobody_ = *nobody;  // getpwnam's answer is overwritten by the next call
        const QString folder = path(QStringLiteral("spolocny"));
        EXPECT_TRUE(QDir().mkdir(folder));
        EXPECT_EQ(::chmod(QFile::encodeName(dir_.path()).constData(), 0755), 0);
        EXPECT_EQ(::chmod(QFile::encodeName(folder).constData(), 01777), 0);
        return folder;
    }

    QTemporaryDir dir_;
    passwd nobody_{};
};

// The folder refuses new files to the user, the file in it is the user's: the file is written in
// place, and the folder gets no entry of its own.
TEST_F(WritePlace, FileInFolderUserMayNotWriteIsWrittenInPlace) {
    const QString folder = path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString target = folder + QStringLiteral("/obrazok.bmp");
    test::putFileBytes(target, QByteArray(100000, 'x'));
    const ino_t inode = statOf(target).st_ino;
    const QByteArray where = QFile::encodeName(folder);
    if (::geteuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody)
            GTEST_SKIP() << "no user nobody to write as";
        ASSERT_EQ(::chmod(QFile::encodeName(dir_.path()).constData(), 0755), 0);
        ASSERT_EQ(::chmod(where.constData(), 0755), 0);
        ASSERT_EQ(::chown(QFile::encodeName(target).constData(), nobody->pw_uid, nobody->pw_gid),
                  0);
        const ToolRun run = writeAs(*nobody, target);
        if (run.exitCode == 126 || run.exitCode == 127)
            GTEST_SKIP() << "cannot run the writing tool as nobody here (" << run.exitCode << ")";
        EXPECT_EQ(run.exitCode, 0) << run.errors;
    } else {
        ASSERT_EQ(::chmod(where.constData(), 0555), 0);
        writePicture(target, greenPicture());
        ::chmod(where.constData(), 0755);
    }
    expectGreenPicture(target);
    EXPECT_EQ(QFileInfo(target).size(), 54 + 24 * 5);
    EXPECT_EQ(statOf(target).st_ino, inode) << "not written in place";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("obrazok.bmp")});
}

// A shared sticky folder (as /tmp) lets the user write another user's file but not replace it:
// the file is written in place under its owner, where a new file put over it would be refused.
TEST_F(WritePlace, OthersFileInStickyFolderIsWrittenInPlace) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can make a file of another user to write";
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody)
        GTEST_SKIP() << "no user nobody to write as";
    const QString folder = path(QStringLiteral("spolocny"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(dir_.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 01777), 0);
    const QString target = folder + QStringLiteral("/obrazok.bmp");
    test::putFileBytes(target, QByteArray(100000, 'x'));
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0666), 0);
    const struct stat before = statOf(target);
    const ToolRun run = writeAs(*nobody, target);
    if (run.exitCode == 126 || run.exitCode == 127)
        GTEST_SKIP() << "cannot run the writing tool as nobody here (" << run.exitCode << ")";
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    expectGreenPicture(target);
    EXPECT_EQ(QFileInfo(target).size(), 54 + 24 * 5);
    const struct stat after = statOf(target);
    EXPECT_EQ(after.st_ino, before.st_ino) << "not written in place";
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("obrazok.bmp")});
}

// A link in a shared sticky folder is followed, as the system follows it, only when it is the
// saving user's own or the folder owner's: another user's link would lead the save onto the
// user's own file, or make a new one where that user chose.
TEST_F(WritePlace, OthersLinkInStickyFolderIsNotFollowed) {
    const QString folder = sharedStickyFolder();
    const passwd* daemon = ::getpwnam("daemon");
    if (folder.isEmpty() || !daemon)
        GTEST_SKIP() << "needs the superuser and the users nobody and daemon";
    const uid_t other = daemon->pw_uid;
    struct Case {
        const char* what;
        uid_t linkOwner;
        bool dangling;
        bool followed;
    } const cases[] = {
        {"another user's link", other, false, false},
        {"another user's dangling link", other, true, false},
        {"the user's own link", nobody_.pw_uid, false, true},
        {"the folder owner's link", 0, false, true},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString precious = path(QStringLiteral("vlastny%1.bmp").arg(++number));
        if (!c.dangling) {
            test::putFileBytes(precious, QByteArray("the user's own text"));
            ASSERT_EQ(
                ::chown(QFile::encodeName(precious).constData(), nobody_.pw_uid, nobody_.pw_gid),
                0);
        }
        const QString link = folder + QStringLiteral("/obrazok%1.bmp").arg(number);
        const QByteArray native = QFile::encodeName(link);
        ASSERT_EQ(::symlink(QFile::encodeName(precious).constData(), native.constData()), 0);
        ASSERT_EQ(::lchown(native.constData(), c.linkOwner, c.linkOwner), 0);
        const ToolRun run = writeAs(nobody_, link);
        if (run.exitCode == 126 || run.exitCode == 127)
            GTEST_SKIP() << "cannot run the writing tool as nobody here (" << run.exitCode << ")";
        if (c.followed) {
            EXPECT_EQ(run.exitCode, 0) << run.errors;
            expectGreenPicture(precious);
        } else {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_NE(run.errors.find("odkaz iného používateľa"), std::string::npos) << run.errors;
            EXPECT_EQ(QFileInfo::exists(precious), !c.dangling);
            if (!c.dangling) {
                EXPECT_EQ(fileBytes(precious), QByteArray("the user's own text"));
            }
        }
        EXPECT_TRUE(QFileInfo(link).isSymLink());
    }
}

// In a shared sticky folder the user's picture is made beside its name and renamed onto it (by
// name only, so no link planted meanwhile is written through): a new one and a replaced one
// are the user's, with the usual mode, and nothing is left beside them.
TEST_F(WritePlace, UsersOwnFileInStickyFolderIsReplacedByName) {
    const QString folder = sharedStickyFolder();
    if (folder.isEmpty())
        GTEST_SKIP() << "needs the superuser and the user nobody";
    const QString target = folder + QStringLiteral("/obrazok.bmp");
    for (const char* round : {"new", "replaced"}) {
        SCOPED_TRACE(round);
        const ino_t before = QFileInfo::exists(target) ? statOf(target).st_ino : 0;
        const ToolRun run = writeAs(nobody_, target);
        if (run.exitCode == 126 || run.exitCode == 127)
            GTEST_SKIP() << "cannot run the writing tool as nobody here (" << run.exitCode << ")";
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        expectGreenPicture(target);
        const struct stat after = statOf(target);
        EXPECT_NE(after.st_ino, before);
        EXPECT_EQ(after.st_uid, nobody_.pw_uid);
        const mode_t mask = ::umask(0);
        ::umask(mask);
        EXPECT_EQ(after.st_mode & 0777, 0666u & ~mask);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
                  QStringList{QStringLiteral("obrazok.bmp")});
    }
}

// Another user's file in a sticky folder is written in place; should the name become a named
// pipe once looked at, the opening neither waits for a reader nor feeds one.
TEST_F(WritePlace, PipeSwappedInForInPlaceWriteIsRefusedAtOnce) {
    const QString folder = sharedStickyFolder();
    if (folder.isEmpty())
        GTEST_SKIP() << "needs the superuser and the user nobody";
    const QString pipe = folder + QStringLiteral("/obrazok.bmp");
    const QByteArray native = QFile::encodeName(pipe);
    ASSERT_EQ(::mkfifo(native.constData(), 0666), 0);
    ASSERT_EQ(::chmod(native.constData(), 0666), 0);
    for (const bool reader : {false, true}) {
        SCOPED_TRACE(reader ? "with a reader" : "without a reader");
        const int readEnd = reader ? ::open(native.constData(), O_RDONLY | O_NONBLOCK) : -1;
        const ToolRun run = writeAs(nobody_, pipe, true);
        if (run.exitCode == 126 || run.exitCode == 127)
            GTEST_SKIP() << "cannot run the writing tool as nobody here (" << run.exitCode << ")";
        EXPECT_EQ(run.exitCode, 1) << "the opening waited or wrote: " << run.errors;
        if (reader) {
            EXPECT_NE(run.errors.find("nie je to obyčajný súbor"), std::string::npos) << run.errors;
            char byte = 0;
            EXPECT_LE(::read(readEnd, &byte, 1), 0) << "bytes went into the pipe";
            ::close(readEnd);
        }
    }
}

// Where the folder takes new files, the safe replace stays the rule: a new file takes the old
// one's name, so another hard link to the old file keeps the old contents.
TEST_F(WritePlace, WritableFolderGetsANewFileUnderTheName) {
    const QString target = path(QStringLiteral("obrazok.bmp"));
    const QString link = path(QStringLiteral("odkaz.bmp"));
    test::putFileBytes(target, QByteArray("old contents"));
    ASSERT_EQ(::link(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()),
              0);
    const ino_t inode = statOf(target).st_ino;
    writePicture(target, greenPicture());
    expectGreenPicture(target);
    EXPECT_NE(statOf(target).st_ino, inode);
    EXPECT_EQ(fileBytes(link), QByteArray("old contents"));
}

// The replacing file has the old file's owner, group and mode, also when those are not the
// writer's own.
TEST_F(WritePlace, ReplacementKeepsOwnerGroupAndMode) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a file to another user";
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody)
        GTEST_SKIP() << "no user nobody to give the file to";
    const QString target = path(QStringLiteral("cudzi.bmp"));
    test::putFileBytes(target, QByteArray("someone else's"));
    const QByteArray native = QFile::encodeName(target);
    ASSERT_EQ(::chown(native.constData(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_EQ(::chmod(native.constData(), 0604), 0);
    writePicture(target, greenPicture());
    const struct stat after = statOf(target);
    EXPECT_EQ(after.st_uid, nobody->pw_uid);
    EXPECT_EQ(after.st_gid, nobody->pw_gid);
    EXPECT_EQ(after.st_mode & 07777, 0604u);
    expectGreenPicture(target);
}

}  // namespace
}  // namespace kreslix
