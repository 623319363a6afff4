#pragma once

#include "dialogs/button_only_dialog.h"

namespace kreslix {

// `OknoUloz`: "Uložiť zmeny v dokumente ?" with "Án&o" (6), "&Nie" (7) and "&Zrušiť" (2).
// No default or cancel button: Escape does nothing, Enter presses the focused button, and the
// box closes only through its buttons.
class TOknoUloz : public ButtonOnlyDialog {
    Q_OBJECT

public:
    explicit TOknoUloz(QWidget* parent = nullptr);
};

}  // namespace kreslix
