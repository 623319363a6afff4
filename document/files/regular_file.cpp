#include "document/files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "common/error.h"

namespace kreslix {

RegularFileForReading::RegularFileForReading(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    // Looked at before opening, since opening a device may already do something; the open
    // itself never waits, and what it opened is looked at again, in case the name changed.
    if (::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode))
        descriptor_ = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        throw KreslixError(QStringLiteral("Cannot open file %1").arg(path));
    }
    size_ = info.st_size;
}

RegularFileForReading::~RegularFileForReading() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

int RegularFileForReading::release() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

}  // namespace kreslix
