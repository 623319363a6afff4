#pragma once

#include <QToolButton>
#include <functional>

namespace kreslix {

// A flat button of the button bar or the tool panel with a glyph and a hint. The glyph is drawn
// from the button's palette, and drawn again when the palette or the style changes, so that a
// theme switched while the program runs keeps it readable. The hint is also the button's name
// for assistive technology.
class GlyphButton : public QToolButton {
    Q_OBJECT

public:
    using Glyph = std::function<QIcon(const QPalette&)>;

    GlyphButton(const QString& name, const QString& hint, Glyph glyph, QWidget* parent);

protected:
    void changeEvent(QEvent* event) override;

private:
    Glyph glyph_;
};

}  // namespace kreslix
