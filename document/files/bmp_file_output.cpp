#include "document/files/bmp_file_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "common/error.h"

namespace kreslix::bmp {

namespace {

[[noreturn]] void failCreate(const QString& path) {
    throw KreslixError(QStringLiteral("Cannot create file %1").arg(path));
}

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
    if (!file_.open(QIODevice::WriteOnly))
        failCreate(path);
}

void BmpFileOutput::write(const char* data, qint64 size) {
    if (sink_(file_, data, size) != size)
        failWrite();
}

void BmpFileOutput::commit() {
    if (!file_.commit())
        failWrite();
}

}  // namespace kreslix::bmp
