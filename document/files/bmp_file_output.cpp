#include "document/files/bmp_file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

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

}  // namespace

ByteSink plainByteSink() {
    return [](QSaveFile& file, const char* data, qint64 size) { return file.write(data, size); };
}

void checkWritableTarget(const QString& path) {
    struct stat info {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &info) != 0)
        return;  // nothing there yet: it is created
    if (S_ISDIR(info.st_mode) || ::access(native.constData(), W_OK) != 0)
        failCreate(path);
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        failCreate(path);
}

BmpFileOutput::BmpFileOutput(const QString& path, ByteSink sink)
    : file_(path), sink_(std::move(sink)) {
    // In a folder the user may not write, no new file can be made beside a file the user may
    // write: only then is that file written in place, which is the one way such a save works.
    file_.setDirectWriteFallback(true);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        failCreate(path);
    keepOwnerAndMode(path);
}

void BmpFileOutput::keepOwnerAndMode(const QString& path) {
    struct stat old {};
    struct stat written {};
    if (::stat(QFile::encodeName(path).constData(), &old) != 0 ||
        ::fstat(file_.handle(), &written) != 0) {
        return;  // a new file: the user's defaults hold
    }
    if (old.st_dev == written.st_dev && old.st_ino == written.st_ino)
        return;  // written in place
    // The new file replaces the old one under the old owner and group where the system lets
    // the user give them (the superuser both, others a group of their own), and with its mode.
    const int handle = file_.handle();
    if (::fchown(handle, old.st_uid, old.st_gid) != 0 &&
        ::fchown(handle, uid_t(-1), old.st_gid) != 0) {
        // Neither can be given: the new file is the user's own, as any file they make.
    }
    // After the owner: giving a file away may clear some of its mode's bits.
    ::fchmod(handle, old.st_mode & 0777);
}

void BmpFileOutput::write(const char* data, qint64 size) {
    if (sink_(file_, data, size) != size)
        failWrite();
    written_ += size;
    if (written_ - writingBack_ >= kWriteBackStep) {
        // Only starts the writing; the sync in commit() still waits for all of it. A refusal
        // costs nothing but the overlap.
        ::sync_file_range(file_.handle(), writingBack_, written_ - writingBack_,
                          SYNC_FILE_RANGE_WRITE);
        writingBack_ = written_;
    }
}

void BmpFileOutput::commit() {
    if (!file_.commit())
        failWrite();
}

}  // namespace kreslix::bmp
