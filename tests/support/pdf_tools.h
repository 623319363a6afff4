#pragma once

#include <QImage>
#include <QRect>
#include <QSizeF>
#include <QString>

namespace kreslix::testing {

// What poppler's tools (another program's PDF reader) say of a PDF file. Each fails the running
// test, and gives 0, an empty size or a null image, when the tool can't read the file.

// The number of pages, from pdfinfo.
int pdfPageCount(const QString& path);
// The first page's size in points, from pdfinfo.
QSizeF pdfPageSize(const QString& path);
// The first page rendered by pdftoppm at `dpi`, or only the part `area` of it (in pixels of that
// rendering).
QImage rasterisePdf(const QString& path, int dpi, QRect area = {});
// The pixels of a window image printed at screen size, as they come back from the page: the
// page's `area` (in pixels of a rendering at `screenDpi`) rendered four times as fine, each
// pixel taken from the middle of its 4 × 4 block, so that poppler's smoothing of the image's
// pixel edges plays no part.
QImage printedScreenPixels(const QString& path, int screenDpi, QRect area);

// The smallest rectangle of a rendered page that holds every pixel that is not white.
QRect inkBox(const QImage& page);

}  // namespace kreslix::testing
