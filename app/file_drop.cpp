#include "app/file_drop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace kreslix {

std::optional<QString> draggedPictureFile(const QMimeData& data) {
    if (!data.hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return std::nullopt;
    const QString path = urls.front().toLocalFile();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("bmp") && suffix != QLatin1String("jpg") &&
        suffix != QLatin1String("jpeg")) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> acceptPictureDrop(QDropEvent& event) {
    std::optional<QString> path;
    if ((event.possibleActions() & Qt::CopyAction) && event.mimeData())
        path = draggedPictureFile(*event.mimeData());
    if (!path) {
        event.ignore();
        return std::nullopt;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return path;
}

}  // namespace kreslix
