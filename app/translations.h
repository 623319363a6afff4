#pragma once

class QApplication;

namespace kreslix {

// Makes Qt's own dialogs speak Slovak: Qt's Slovak catalogue plus ours for the standard buttons.
void installSlovakTranslations(QApplication& app);

}  // namespace kreslix
