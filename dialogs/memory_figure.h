#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

namespace kreslix {

// The computer's total physical memory in bytes, in 64 bits so that machines with 4 GiB or
// more report their true total; 0 when the system does not tell.
std::uint64_t totalPhysicalMemory();

// The About box's memory figure: whole kilobytes, rounded to the nearest, the digits grouped
// in threes by the locale's thousands separator, then " kB" ("65,536 kB" for 64 MiB).
QString memoryFigure(std::uint64_t bytes, const QLocale& locale);

}  // namespace kreslix
