#include "document/files/picture_file.h"

#include "common/error.h"
#include "document/files/bmp_reader.h"
#include "document/files/jpeg_reader.h"

namespace kreslix {
namespace {

// The file name without its folder.
QString fileName(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

PictureFileKind pictureFileKind(const QString& path) {
    const QString name = fileName(path);
    if (name.endsWith(QLatin1String("bmp"), Qt::CaseInsensitive))
        return PictureFileKind::Bmp;
    if (name.endsWith(QLatin1String("jpg"), Qt::CaseInsensitive) ||
        name.endsWith(QLatin1String("jpeg"), Qt::CaseInsensitive)) {
        return PictureFileKind::Jpeg;
    }
    return PictureFileKind::Unknown;
}

Picture readPictureFile(const QString& path, WorkProgress* progress) {
    switch (pictureFileKind(path)) {
        case PictureFileKind::Bmp:
            return readBmp(path, progress);
        case PictureFileKind::Jpeg:
            return readJpeg(path, progress);
        case PictureFileKind::Unknown:
            break;
    }
    const QString name = fileName(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    throw KreslixError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
}

}  // namespace kreslix
