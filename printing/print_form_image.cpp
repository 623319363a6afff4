#include "printing/print_form_image.h"

#include <QWidget>

#include "printing/capture_form_image.h"
#include "printing/print_job.h"
#include "printing/printed_size.h"

namespace kreslix {

void PrintFormImage(CurrentPrinter& current, QWidget& clientArea) {
    PrintJob job(current);
    const QImage image = CaptureFormImage(clientArea);
    const QSize screenSize = clientArea.size();
    const QPaintDevice& page = *job.painter().device();
    const PrintedSize printed =
        printedSize(screenSize.width(), screenSize.height(), clientArea.logicalDpiY(),
                    page.logicalDpiX(), page.logicalDpiY());
    if (!screenSize.isEmpty()) {
        // The printer gets the small screen image and a scale, never a copy enlarged to its
        // own resolution (at 1200 dpi that would take hundreds of megabytes). Pixels stay
        // sharp squares, and are kept exactly as the screen shows them.
        QPainter& painter = job.painter();
        painter.setRenderHint(QPainter::LosslessImageRendering);
        painter.setTransform(QTransform::fromScale(double(printed.width) / screenSize.width(),
                                                   double(printed.height) / screenSize.height()));
        painter.drawImage(QPointF(0, 0), image);
    }
    job.finish();
}

}  // namespace kreslix
