#include "dialogs/spin_value.h"

#include <climits>

namespace kreslix {

int spinEditValue(const QString& text, int minimum) {
    bool ok = false;
    // Leading blanks are accepted as by the usual integer conversion; nothing else is.
    int start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    const QStringView digits = QStringView(text).mid(start);
    if (digits.isEmpty())
        return minimum;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const QChar c = digits[i];
        const bool sign = i == 0 && (c == u'+' || c == u'-');
        if (!sign && (c < u'0' || c > u'9'))
            return minimum;
    }
    const int value = digits.toInt(&ok, 10);
    return ok ? value : minimum;
}

int clampSpinValue(long long value, int minimum, int maximum) {
    if (minimum != maximum) {
        if (value < minimum)
            return minimum;
        if (value > maximum)
            return maximum;
    }
    if (value < INT_MIN)
        return INT_MIN;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

}  // namespace kreslix
