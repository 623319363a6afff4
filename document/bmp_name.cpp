#include "document/bmp_name.h"

#include <QFileInfo>

namespace kreslix {

bool isBmpName(const QString& path) {
    return QFileInfo(path).fileName().endsWith(QLatin1String("bmp"), Qt::CaseInsensitive);
}

QString fileExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

}  // namespace kreslix
