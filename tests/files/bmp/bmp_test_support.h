#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <functional>

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

// Names of the files in folder (sorted), without the folder.
QStringList filesIn(const QString& folder);

}  // namespace kreslix::test
