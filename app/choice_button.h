#pragma once

#include "app/choice_guard.h"
#include "app/glyph_button.h"

namespace kreslix {

// A button of an exclusive choice (a tool, a width, a fill style), seen by assistive technology
// as a radio button. The chosen one wears a frame in the palette's highlight colour, the one with
// the keyboard focus a dotted frame in its text colour. Space chooses it as a click does, and so
// does assistive technology, each only when the guard allows.
class ChoiceButton : public GlyphButton {
    Q_OBJECT

public:
    ChoiceButton(const QString& name, const QString& hint, Glyph glyph, QWidget* parent);

    void setGuard(ChoiceGuard guard) { guard_ = std::move(guard); }
    // Chooses the button as a click does, if the guard allows.
    void choose();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    ChoiceGuard guard_;
};

}  // namespace kreslix
