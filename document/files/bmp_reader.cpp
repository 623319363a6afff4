#include "document/files/bmp_reader.h"

#include <QFile>
#include <QFileInfo>

#include "common/error.h"
#include "document/files/bmp_decoder.h"
#include "document/files/bmp_errors.h"

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

// The whole file in one read: decoding then works on memory only.
QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        throw KreslixError(QStringLiteral("Cannot open file %1").arg(path));
    }
    const qint64 size = file.size();
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const qint64 got = file.read(bytes.data() + done, size - done);
        if (got <= 0)
            bmp::failShortFile();
        done += got;
    }
    return bytes;
}

}  // namespace

Picture readBmp(const QString& path) {
    bmp::checkBmpExtension(path);
    const QByteArray bytes = readWholeFile(path);
    return bmp::decodeBmp(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
}

}  // namespace kreslix
