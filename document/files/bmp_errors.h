#pragma once

#include <QString>

#include "common/error.h"

namespace kreslix::bmp {

[[noreturn]] inline void failInvalid() {
    throw KreslixError(QStringLiteral("Bitmap image is not valid"));
}

[[noreturn]] inline void failShortFile() {
    throw KreslixError(QStringLiteral("Stream read error"));
}

}  // namespace kreslix::bmp
