#include "dialogs/memory_figure.h"

#include <sys/sysinfo.h>

namespace kreslix {

std::uint64_t totalPhysicalMemory() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0)
        return 0;
    return static_cast<std::uint64_t>(info.totalram) * info.mem_unit;
}

QString memoryFigure(std::uint64_t bytes, const QLocale& locale) {
    // Rounded half up without a floating-point detour, exact up to the largest count.
    const std::uint64_t kilobytes = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
    // Grouped in threes whatever the locale's own grouping rule, with its separator.
    QString digits = QString::number(kilobytes);
    const QString separator = locale.groupSeparator();
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, separator);
    return digits + QStringLiteral(" kB");
}

}  // namespace kreslix
