#pragma once

#include "dialogs/prompt_dialog.h"

class QCheckBox;

namespace kreslix {

// `OknoZmaz`, "Vymazanie obrázka": asks whether to clear the picture, with "Áno" (`zmaz`), "Nie"
// (`zrus`) and the check box `ZmazFarbou` for clearing to the foreground colour. Made once and
// kept for the run, so the check box stays as the user left it. Both buttons close with OK (1);
// the close box, the window menu and Escape close with Cancel (2).
class TOknoZmaz : public PromptDialog {
    Q_OBJECT

public:
    explicit TOknoZmaz(QWidget* parent = nullptr);

    QCheckBox* ZmazFarbou() const { return ZmazFarbou_; }

    // "Nie" was pressed; the clear command reads it and makes it false again when it ends.
    bool Zrusene = false;

    void zrusClick();

    void reject() override;

private:
    QCheckBox* ZmazFarbou_ = nullptr;
};

}  // namespace kreslix
