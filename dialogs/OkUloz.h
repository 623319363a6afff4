#pragma once

#include "dialogs/prompt_dialog.h"

namespace kreslix {

// `OknoUloz`: "Uložiť zmeny v dokumente ?" with "Án&o" (6), "&Nie" (7) and "&Zrušiť" (2).
// No button is the default: Enter presses the focused button, "Án&o" at first. Escape and a
// close request from the window system answer "&Zrušiť".
class TOknoUloz : public PromptDialog {
    Q_OBJECT

public:
    explicit TOknoUloz(QWidget* parent = nullptr);

    void reject() override;
};

}  // namespace kreslix
