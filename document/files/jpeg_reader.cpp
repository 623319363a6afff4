#include "document/files/jpeg_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "common/error.h"
#include "document/files/jpeg_decoder.h"
#include "document/files/picture_size.h"

namespace kreslix {
namespace {

// Closes the file on every way out of the read.
class OpenFile {
public:
    explicit OpenFile(const QString& path)
        // Not blocking: a pipe named like a picture must not hang the program in open().
        : descriptor_(
              ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~OpenFile() {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int descriptor() const { return descriptor_; }

private:
    int descriptor_;
};

}  // namespace

Picture readJpeg(const QString& path) {
    const OpenFile file(path);
    struct stat info {};
    if (file.descriptor() < 0 || ::fstat(file.descriptor(), &info) != 0 || !S_ISREG(info.st_mode)) {
        throw KreslixError(QStringLiteral("Cannot open file %1").arg(path));
    }
    // No picture allowed in memory needs a larger file; a bigger one is refused before a byte
    // of it is read.
    const qint64 limit = pictureMemoryLimit();
    if (info.st_size > limit) {
        throw KreslixError(QStringLiteral("Súbor %1 sa nedá otvoriť: je väčší, ako môže byť "
                                          "jeden obrázok (%2 MB)")
                               .arg(path)
                               .arg(limit >> 20));
    }
    return decodeJpegFile(file.descriptor());
}

}  // namespace kreslix
