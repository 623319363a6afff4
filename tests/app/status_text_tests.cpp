#include <gtest/gtest.h>

#include <QImage>

#include "app/status_text.h"

namespace kreslix::testing {
namespace {

int darkPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 96;
    }
    return count;
}

// The panel shows its text inside the frame, and a new text, however long, never changes the
// size the panel asks for (so the bar is not laid out again on every mouse move).
TEST(StatusText, DrawsItsTextWithoutAskingForAnotherSize) {
    StatusText panel(nullptr);
    panel.resize(150, 18);
    const QSize hint = panel.sizeHint();
    const QRect inside = panel.contentsRect();
    const int empty = darkPixels(panel.grab().toImage(), inside);

    panel.setText(QStringLiteral("Pozícia: 1234,5678"));
    EXPECT_EQ(panel.text(), QStringLiteral("Pozícia: 1234,5678"));
    EXPECT_GT(darkPixels(panel.grab().toImage(), inside), empty + 20);
    EXPECT_EQ(panel.sizeHint(), hint);

    panel.setText(QString());
    EXPECT_EQ(darkPixels(panel.grab().toImage(), inside), empty);
}

}  // namespace
}  // namespace kreslix::testing
