#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

namespace kreslix::testing {

// What poppler's tools (another program's PDF reader) say of a PDF file. Each fails the running
// test, and gives 0, an empty size or a null image, when the tool can't read the file.

// The number of pages, from pdfinfo.
int pdfPageCount(const QString& path);
// The first page's size in points, from pdfinfo.
QSizeF pdfPageSize(const QString& path);
// The first page rendered by pdftoppm at `dpi`.
QImage rasterisePdf(const QString& path, int dpi);

}  // namespace kreslix::testing
