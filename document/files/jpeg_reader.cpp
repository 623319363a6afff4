#include "document/files/jpeg_reader.h"

#include <QByteArray>
#include <QFile>

#include "common/error.h"
#include "document/files/jpeg_decoder.h"

namespace kreslix {

// The whole file is read first, so the decoder works on memory and never sees a short read.
Picture readJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw KreslixError(QStringLiteral("Cannot open file %1").arg(path));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw KreslixError(QStringLiteral("Cannot open file %1").arg(path));
    }
    return decodeJpeg(reinterpret_cast<const unsigned char*>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
}

}  // namespace kreslix
