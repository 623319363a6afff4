#pragma once

#include <QFrame>
#include <QString>

namespace kreslix {

// One text panel of the status bar: a sunken frame with a line of text. The position texts
// change on every mouse move over the picture, so a new text only repaints this panel: unlike a
// label it never asks the bar to lay itself out again, and it draws its one line at the
// baseline without laying out a text block. A label's way cost more than the rest of a move
// besides the drawing itself. Assistive technology sees a label named by the text, and hears of
// each change.
class StatusText : public QFrame {
    Q_OBJECT

public:
    explicit StatusText(QWidget* parent);

    QString text() const { return text_; }
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

}  // namespace kreslix
