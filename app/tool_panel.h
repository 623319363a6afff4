#pragma once

#include <QFrame>

class QAbstractButton;
class QButtonGroup;
class QToolButton;

namespace kreslix {

class SpinEdit;

// `OknoNastroje`: the nine tool buttons, the width group `GroupBox1` with the field `hr`, the
// fill toggles in `Panel2`, and the unseen width field `PenSize` (beyond the panel's edge, yet a
// shown, focusable control and the first tab stop). It only shows and reports; the window's
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

signals:
    void toolClicked(int tool);
    void widthClicked(int width);
    void fillClicked(bool filled);

private:
    void buildToolButtons();
    void buildWidthGroup();
    void buildFillToggles();

    QButtonGroup* widthGroup_ = nullptr;
    QToolButton* widthButtons_[6] = {};  // jeden..pat, dodatok
    QToolButton* filledToggle_ = nullptr;
    QToolButton* emptyToggle_ = nullptr;
    SpinEdit* hr_ = nullptr;
    SpinEdit* penSize_ = nullptr;
};

}  // namespace kreslix
