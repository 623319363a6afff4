#pragma once

#include <QString>

namespace kreslix {

// The application's title: the caption of the error box and of the program's message boxes.
inline QString applicationTitle() {
    return QStringLiteral("Kreslix - 32bit");
}

}  // namespace kreslix
