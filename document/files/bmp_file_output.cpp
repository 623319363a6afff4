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
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        failCreate(path);
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
