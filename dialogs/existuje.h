#pragma once

#include "dialogs/prompt_dialog.h"

namespace kreslix {

// `existu`: "Vybraný súbor už existuje." / "Chcete ho prepísať?" with "Áno" and "Nie". Both
// close the prompt with OK; which one was pressed is the answer. It opens with the focus on
// "Nie", the answer that loses nothing, so Enter at once keeps the file; Escape and a close
// request from the window system answer "Nie" too.
class Texistu : public PromptDialog {
    Q_OBJECT

public:
    explicit Texistu(QWidget* parent = nullptr);

    // True when "Áno" closed the prompt last time.
    bool replaceChosen() const { return replace_; }

    void anoClick();
    void nieClick();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* nie_ = nullptr;
    bool replace_ = false;
};

}  // namespace kreslix
