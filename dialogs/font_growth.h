#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSizeF>
#include <QStringList>
#include <functional>
#include <vector>

class QFont;
class QFontMetrics;
class QLabel;
class QWidget;

namespace kreslix {

// A dialog laid out at fixed pixel places is designed for an interface font 12 pixels high
// (9 points on a 96-dpi screen). With a larger font it grows: every place and size is scaled,
// across just as far as its texts need to keep the room they have at the designed font, and
// down as far as a line of text grows. At the designed font, or a smaller one, nothing moves.
// Within their rooms the labels narrow their font where the designed layout already needs it
// (a wide face at the designed size), never further; the buttons' texts fit whole.
class FontGrowth : public QObject {
public:
    static constexpr int kDesignedPixelSize = 12;

    // Takes the places and sizes that `dialog` and its controls have now as the designed ones:
    // the controls in the dialog and in its plain frames and group boxes, which lay out
    // nothing of their own.
    explicit FontGrowth(QWidget* dialog);

    // A text sized to itself that must end before `designedRight` (in its parent's designed
    // coordinates): a label, or a check box. `texts` are all the texts it may show, the widest
    // deciding; empty means the text it shows when laid out.
    void keepBefore(QWidget* widget, int designedRight, const QStringList& texts = {});
    // A label of fixed size whose font shrinks until a whole line fits its height.
    void keepLineHeight(QLabel* label);
    // Work run at the end of every layout, such as sizing a label of a font of its own.
    void afterLayout(std::function<void()> work) { afterLayout_.push_back(std::move(work)); }
    // How the window takes the scale; by default a fixed-size window is fixed at its scaled
    // designed size and a sizeable one resized to it.
    void setWindowSizer(std::function<void(QSizeF scale)> sizer) { sizer_ = std::move(sizer); }

    // Lays the dialog out for its font. Runs by itself whenever the dialog is shown, and when
    // its font changes while it is shown.
    void layOut();
    QSizeF scale() const { return applied_; }

    // `rect` scaled as the dialog's places are.
    static QRect scaled(const QRect& rect, QSizeF scale);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kept {
        QPointer<QWidget> widget;
        int designedRight;
        QStringList texts;
    };
    struct Designed {
        QPointer<QWidget> widget;
        QRect geometry;
    };

    // A text of the dialog, the room it has at the designed places, and whether it may narrow.
    struct TextRoom {
        QStringList texts;
        int extra;  // what the control takes beside the text
        int room;
        bool narrows;
    };

    QStringList textsOf(const Kept& kept) const;
    int boxWidth(const QWidget* widget) const;
    std::vector<TextRoom> textRooms() const;
    static double share(const QFontMetrics& metrics, const TextRoom& room);
    QSizeF scaleFor(const QFont& font) const;

    QWidget* dialog_;
    QSize designedSize_;
    std::vector<Designed> designed_;
    std::vector<Kept> kept_;
    std::vector<QPointer<QLabel>> lineHeights_;
    std::vector<std::function<void()>> afterLayout_;
    std::function<void(QSizeF)> sizer_;
    QSizeF applied_{1.0, 1.0};
};

}  // namespace kreslix
