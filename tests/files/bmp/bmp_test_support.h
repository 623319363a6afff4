#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <vector>

namespace kreslix::test {

QString testdata(const QString& relative);

QByteArray fileBytes(const QString& path);
void putFileBytes(const QString& path, const QByteArray& bytes);

// The message of the KreslixError that call throws, or "" when it throws none.
QString errorOf(const std::function<void()>& call);

// The first pixel whose colour differs (RGB only), as "x,y: ours vs expected", or "" when the
// two pictures have the same size and colours.
QString firstDifference(const QImage& ours, const QImage& expected);

// The pixel rows and colour table of a BMP file with a 40-byte header: everything from the end
// of the info header (and masks) on.
QByteArray rowsAndTable(const QByteArray& file);

// A BMP file with a 40-byte header: masks (for compression 3) follow the header, then the colour
// table, then the given pixel data as stored. A negative height stores rows top-down.
struct BmpLayout {
    int width = 1;
    int height = 1;
    int bitsPerPixel = 24;
    quint32 compression = 0;
    std::vector<quint32> masks;  // red, green, blue
    std::vector<quint32> table;  // entries with blue in the low byte
    QByteArray pixels;
};
QByteArray buildBmp(const BmpLayout& layout);

// Names of the files in folder (sorted), without the folder; an empty or missing folder fails
// the test, so that a loop over a corpus never passes by running zero times.
QStringList filesIn(const QString& folder);

}  // namespace kreslix::test
