#include "document/files/bmp_reader.h"

#include <QFile>
#include <QFileInfo>

#include "common/error.h"
#include "document/files/bmp_decoder.h"
#include "document/files/bmp_errors.h"
#include "document/files/bmp_large_pages.h"
#include "document/files/picture_size.h"

namespace kreslix {

namespace bmp {

void checkBmpExtension(const QString& path) {
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    if (extension.compare(QLatin1String("bmp"), Qt::CaseInsensitive) != 0) {
        throw KreslixError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    }
}

}  // namespace bmp

namespace {

// Pixel data never needs more bytes than the largest picture allowed takes in memory (run-length
// data of such a picture included), so bytes past that are not read.
qint64 bytesWorthReading() {
    return pictureMemoryLimit() + (qint64(1) << 20);
}

}  // namespace

Picture readBmp(const QString& path) {
    bmp::checkBmpExtension(path);
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        throw KreslixError(QStringLiteral("Cannot open file %1").arg(path));
    }
    // The whole file in one read: decoding then works on memory only.
    const bmp::LargeBuffer bytes(qMin(file.size(), bytesWorthReading()));
    if (bytes.size() > 0 && !bytes.data())
        bmp::failShortFile();
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 got =
            file.read(reinterpret_cast<char*>(bytes.data()) + done, bytes.size() - done);
        if (got <= 0)
            bmp::failShortFile();
        done += got;
    }
    return bmp::decodeBmp(bytes.data(), bytes.size());
}

}  // namespace kreslix
