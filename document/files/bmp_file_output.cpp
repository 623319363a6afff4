#include "document/files/bmp_file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>

#include "common/error.h"

namespace kreslix::bmp {

namespace {

[[noreturn]] void failCreate(const QString& path) {
    throw KreslixError(QStringLiteral("Cannot create file %1").arg(path));
}

// Written bytes are sent on to the disk in steps of this size while the rest is still being
// encoded, so that the sync before the file replaces the old one has little left to wait for.
constexpr qint64 kWriteBackStep = qint64(8) << 20;

[[noreturn]] void failWrite() {
    throw KreslixError(QStringLiteral("Stream write error"));
}

[[noreturn]] void failNotPlainFile(const QString& path) {
    throw KreslixError(
        QStringLiteral("Do %1 sa nedá uložiť obrázok: nie je to obyčajný súbor").arg(path));
}

// In a sticky folder only the owner of a file, the owner of the folder and the superuser may
// remove the file or rename another over it, though others may have the right to write it.
// The path has no links left in it.
bool stickyFolderKeepsFile(const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).path());
    struct stat fileInfo {};
    struct stat folderInfo {};
    if (::stat(file.constData(), &fileInfo) != 0 || ::stat(folder.constData(), &folderInfo) != 0)
        return false;  // nothing there yet: it is created
    const uid_t user = ::geteuid();
    return (folderInfo.st_mode & S_ISVTX) != 0 && user != 0 && fileInfo.st_uid != user &&
           folderInfo.st_uid != user;
}

}  // namespace

ByteSink plainByteSink() {
    return [](QFileDevice& file, const char* data, qint64 size) { return file.write(data, size); };
}

void checkWritableTarget(const QString& path, const QString& named) {
    const QString& shown = named.isEmpty() ? path : named;
    struct stat info {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &info) != 0) {
        // Nothing there yet: it is created. Any other failure (a folder on the way that may not
        // be searched) is no proof of that.
        if (errno == ENOENT)
            return;
        failCreate(shown);
    }
    if (S_ISDIR(info.st_mode) || ::access(native.constData(), W_OK) != 0)
        failCreate(shown);
    if (!S_ISREG(info.st_mode))
        failNotPlainFile(shown);
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        failCreate(shown);
}

BmpFileOutput::BmpFileOutput(const QString& path, ByteSink sink, const QString& named)
    : sink_(std::move(sink)), named_(named.isEmpty() ? path : named) {
    if (stickyFolderKeepsFile(path)) {
        openInPlace(path);
    } else {
        openReplacement(path);
    }
}

void BmpFileOutput::openInPlace(const QString& path) {
    // Without O_CREAT: a system that protects files in sticky folders refuses creating opens of
    // other users' files there, also when the file exists. Others may swap the name for a link
    // or a named pipe after it was looked at: the open follows no link and never waits, and
    // the file is emptied only once the opened one is seen to be a plain file.
    const int handle = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK);
    inPlace_ = std::make_unique<QFile>();
    if (handle < 0)
        failCreate(named_);
    struct stat opened {};
    if (::fstat(handle, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(handle);
        failNotPlainFile(named_);
    }
    if (::ftruncate(handle, 0) != 0) {
        ::close(handle);
        failCreate(named_);
    }
    if (!inPlace_->open(handle, QIODevice::WriteOnly | QIODevice::Unbuffered,
                        QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        failCreate(named_);
    }
    file_ = inPlace_.get();
}

void BmpFileOutput::openReplacement(const QString& path) {
    if (inSharedStickyFolder(path)) {
        shared_ = std::make_unique<SharedFolderReplacement>(path);
        if (!shared_->file().isOpen())
            failCreate(named_);
        file_ = &shared_->file();
        keepOwnerAndMode(path);
        return;
    }
    replacement_ = std::make_unique<QSaveFile>(path);
    // In a folder the user may not write, no new file can be made beside a file the user may
    // write: only then is that file written in place, which is the one way such a save works.
    replacement_->setDirectWriteFallback(true);
    if (!replacement_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        failCreate(named_);
    file_ = replacement_.get();
    keepOwnerAndMode(path);
}

void BmpFileOutput::keepOwnerAndMode(const QString& path) {
    struct stat old {};
    struct stat written {};
    if (::stat(QFile::encodeName(path).constData(), &old) != 0 ||
        ::fstat(file_->handle(), &written) != 0) {
        return;  // a new file: the user's defaults hold
    }
    if (old.st_dev == written.st_dev && old.st_ino == written.st_ino)
        return;  // written in place
    // The new file replaces the old one under the old owner and group where the system lets
    // the user give them (the superuser both, others a group of their own), and with its mode.
    const int handle = file_->handle();
    if (::fchown(handle, old.st_uid, old.st_gid) != 0 &&
        ::fchown(handle, uid_t(-1), old.st_gid) != 0) {
        // Neither can be given: the new file is the user's own, as any file they make.
    }
    // After the owner: giving a file away may clear some of its mode's bits.
    ::fchmod(handle, old.st_mode & 0777);
}

void BmpFileOutput::write(const char* data, qint64 size) {
    if (sink_(*file_, data, size) != size)
        failWrite();
    written_ += size;
    if (written_ - writingBack_ >= kWriteBackStep) {
        // Only starts the writing; the sync in commit() still waits for all of it. A refusal
        // costs nothing but the overlap.
        ::sync_file_range(file_->handle(), writingBack_, written_ - writingBack_,
                          SYNC_FILE_RANGE_WRITE);
        writingBack_ = written_;
    }
}

void BmpFileOutput::commit() {
    if (shared_) {
        if (!shared_->commit())
            failWrite();
        return;
    }
    if (replacement_) {
        if (!replacement_->commit())
            failWrite();
        return;
    }
    const bool synced = ::fsync(inPlace_->handle()) == 0;
    inPlace_->close();
    if (!synced || inPlace_->error() != QFileDevice::NoError)
        failWrite();
}

}  // namespace kreslix::bmp
