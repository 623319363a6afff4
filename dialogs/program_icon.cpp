#include "dialogs/program_icon.h"

namespace kreslix {

QPixmap programIconPicture() {
    return QPixmap(QStringLiteral(":/icons/kreslix-32.png"));
}

QIcon programIcon() {
    const QPixmap drawn = programIconPicture();
    QIcon icon(drawn);
    for (const int size : {16, 48}) {
        icon.addPixmap(drawn.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    return icon;
}

}  // namespace kreslix
