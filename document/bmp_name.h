#pragma once

#include <QString>

namespace kreslix {

// Whether a path names a file the program may write its BMP data into as the document's own
// file: its name ends in "bmp", in any letter case.
bool isBmpName(const QString& path);

// The text after the last dot of the file name (without its folder); empty without a dot.
QString fileExtension(const QString& path);

}  // namespace kreslix
