#pragma once

#include "dialogs/button_only_dialog.h"

namespace kreslix {

// `existu`: "Vybraný súbor už existuje." / "Chcete ho prepísať?" with "Áno" and "Nie". Both
// close the prompt with OK; which one was pressed is the answer.
class Texistu : public ButtonOnlyDialog {
    Q_OBJECT

public:
    explicit Texistu(QWidget* parent = nullptr);

    // True when "Áno" closed the prompt last time.
    bool replaceChosen() const { return replace_; }

    void anoClick();
    void nieClick();

private:
    bool replace_ = false;
};

}  // namespace kreslix
