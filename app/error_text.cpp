#include "app/error_text.h"

namespace kreslix {

QString errorBoxText(const QString& message) {
    if (message.isEmpty() || message.back() <= QChar(u'.'))
        return message;
    return message + u'.';
}

}  // namespace kreslix
