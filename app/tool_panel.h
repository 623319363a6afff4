#pragma once

#include <QFrame>

#include "app/choice_guard.h"

namespace kreslix {

class ChoiceButton;
class ChoiceGroup;
class SpinEdit;

// `OknoNastroje`: the nine tool buttons, the width group `GroupBox1` with the field `hr`, the
// fill toggles in `Panel2`, and the unseen width field `PenSize` (beyond the panel's edge, yet a
// shown, focusable control and the first tab stop). The tools, the widths and the fill toggles
// are one Tab stop each, after `PenSize` and `hr`. It only shows and reports; the window's
// handlers decide.
class ToolPanel : public QFrame {
    Q_OBJECT

public:
    static constexpr int kWidth = 65;

    explicit ToolPanel(QWidget* parent);

    SpinEdit* hr() const { return hr_; }
    SpinEdit* PenSize() const { return penSize_; }

    // Pushes down width button n (1..5), or the hidden `dodatok` for 6.
    void pushWidthButton(int n);
    // Shows or hides `PlnyObj` and `PrazdnyObj`; `Panel2` itself stays.
    void showFillToggles(bool shown);
    // Choices from the keyboard or by assistive technology ask this guard.
    void setGuard(const ChoiceGuard& guard);

signals:
    // A choice of the user, by a click, the keyboard or assistive technology.
    void toolChosen(int tool);
    void widthChosen(int width);
    void fillChosen(bool filled);

private:
    void buildToolButtons();
    void buildWidthGroup();
    void buildFillToggles();
    ChoiceGroup* roving(const QList<ChoiceButton*>& buttons);

    ChoiceGroup* widthGroup_ = nullptr;
    ChoiceButton* filledToggle_ = nullptr;
    ChoiceButton* emptyToggle_ = nullptr;
    SpinEdit* hr_ = nullptr;
    SpinEdit* penSize_ = nullptr;
};

}  // namespace kreslix
