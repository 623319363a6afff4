#pragma once

#include <functional>
#include <optional>

#include "canvas/colour.h"
#include "dialogs/prompt_dialog.h"

class QColorDialog;
class QPushButton;

namespace kreslix {

class SpinEdit;

// `NewBMPForm`, "Nový obrázok": the width and height of the new picture and its background
// colour `FPo`, kept between uses (white at first). `DialogFarby` opens on the colour last
// chosen in it, black at first. Tab goes through "OK", "Zrušiť", the two size fields and
// "Farba pozadia..."; Enter confirms and Escape cancels.
class TNewBMPForm : public PromptDialog {
    Q_OBJECT

public:
    explicit TNewBMPForm(QWidget* parent = nullptr);

    SpinEdit* WidthEdit() const { return width_; }
    SpinEdit* HeightEdit() const { return height_; }
    Colour FPo() const { return background_; }

    // The answer the user gave in `DialogFarby`; a test seam for the colour dialog.
    void setColourChooser(std::function<std::optional<Colour>(Colour)> chooser) {
        chooser_ = std::move(chooser);
    }

    void SpeedButton1Click();

protected:
    // Every showing places the dialog in the middle of the screen, not over its parent.
    void showEvent(QShowEvent* event) override;

private:
    SpinEdit* width_ = nullptr;
    SpinEdit* height_ = nullptr;
    QWidget* swatch_ = nullptr;
    Colour background_ = kWhite;
    Colour lastChosen_ = kBlack;
    std::function<std::optional<Colour>(Colour)> chooser_;
    QColorDialog* dialogFarby_ = nullptr;  // made at its first use
};

}  // namespace kreslix
