#pragma once

#include <QString>

namespace kreslix {

// The text of the error box: a full stop is appended when the message is not empty and its last
// character sorts after "." (so "!", ")" and "." itself get nothing).
QString errorBoxText(const QString& message);

}  // namespace kreslix
