#include "printing/capture_form_image.h"

#include <QWidget>
#include <new>

namespace kreslix {

QImage CaptureFormImage(QWidget& clientArea) {
    const qreal ratio = clientArea.devicePixelRatioF();
    QImage image((QSizeF(clientArea.size()) * ratio).toSize(), QImage::Format_RGB32);
    if (image.isNull() && !clientArea.size().isEmpty())
        throw std::bad_alloc();
    image.setDevicePixelRatio(ratio);
    image.fill(clientArea.palette().color(QPalette::Button));
    clientArea.render(&image, QPoint(), QRegion(),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}

}  // namespace kreslix
