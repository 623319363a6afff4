#include "app/no_settings_files.h"

#include <QSettings>

namespace kreslix {

void keepNoSettingsFiles() {
    // A device, not a folder: nothing can be made or found beneath it, also by the superuser.
    const QString nowhere = QStringLiteral("/dev/null");
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, nowhere);
    }
}

}  // namespace kreslix
