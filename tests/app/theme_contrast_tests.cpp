#include <QApplication>
#include <QDir>
#include <QToolButton>
#include <map>

#include "app/colour_panel.h"
#include "dialogs/readable_colour.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

// The contrast ratio of two colours, 1 to 21.
double contrast(QRgb a, QRgb b) {
    return contrastRatio(QColor(a), QColor(b));
}

QPalette themed(QColor face, QColor text, QColor base, QColor highlight) {
    QPalette p(face);
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::Highlight, highlight);
    return p;
}

struct Theme {
    const char* name;
    QPalette palette;
};

const char* const kGlyphButtons[] = {
    "SpeedButton5", "SpeedButton6",  "TlacitkoUloz", "SpeedButton11", "SpeedButton8",
    "SpeedButton9", "SpeedButton10", "CiaraTl",      "Ceruzka",       "ObdlTl",
    "ElipsaTl",     "ZaobObdlTl",    "SpeedButton2", "SpeedButton3",  "stete",
    "SpeedButton4", "jeden",         "dva",          "tri",           "styry",
    "pat",          "PlnyObj",       "PrazdnyObj"};

class ThemeTest : public WindowTest, public ::testing::WithParamInterface<Theme> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        original_ = QApplication::palette();
        click("ObdlTl");  // shows the fill toggles
        // Switched while the window is shown, as a desktop switches its theme.
        QApplication::setPalette(GetParam().palette);
        QCoreApplication::processEvents();
    }
    void TearDown() override { QApplication::setPalette(original_); }

    QPalette original_;
};

// Every glyph reads against its button: its outline, the pixels it draws next to the button's
// face (the colour the button shows most), reaches 3:1 against the face. The screenshots stay in
// the build tree for a look.
TEST_P(ThemeTest, GlyphsKeepTheirContrastAgainstTheButton) {
    const QString shots = QStringLiteral(KRESLIX_TEST_OUTPUT_DIR "/theme_contrast");
    ASSERT_TRUE(QDir().mkpath(shots));
    window->grab().save(QStringLiteral("%1/window_%2.png").arg(shots, GetParam().name));
    for (const char* name : kGlyphButtons) {
        SCOPED_TRACE(name);
        auto* button = child<QToolButton>(name);
        ASSERT_NE(button, nullptr);
        const QImage shot = button->grab().toImage();
        shot.save(QStringLiteral("%1/glyph_%2_%3.png").arg(shots, GetParam().name, name));
        std::map<QRgb, int> counts;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x)
                ++counts[shot.pixel(x, y)];
        }
        const QRgb face = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                              return a.second < b.second;
                          })->first;
        // The glyph's outline: its pixels next to the face, inside the frames the button may
        // wear (chosen, focused).
        auto isFace = [&](int x, int y) { return contrast(shot.pixel(x, y), face) <= 1.1; };
        int outline = 0, strong = 0;
        for (int y = 2; y < shot.height() - 2; ++y) {
            for (int x = 2; x < shot.width() - 2; ++x) {
                if (isFace(x, y) ||
                    !(isFace(x - 1, y) || isFace(x + 1, y) || isFace(x, y - 1) || isFace(x, y + 1)))
                    continue;
                ++outline;
                strong += contrast(shot.pixel(x, y), face) >= 3.0 ? 1 : 0;
            }
        }
        EXPECT_GE(strong, 6) << outline << " outline pixels";
        // Half at least: the smoothed edges of round shapes blend into the face.
        EXPECT_GE(2 * strong, outline) << strong << " of " << outline << " reach 3:1";
    }
}

// The chosen tool wears the theme's highlight; the palette and the swatches keep their true
// colours whatever the theme.
TEST_P(ThemeTest, ChosenToolIsFramedInTheHighlightAndColoursStayTrue) {
    QWidget* tool = child("ObdlTl");
    const QImage chosen = tool->grab().toImage();
    EXPECT_EQ(chosen.pixelColor(0, 12), tool->palette().color(QPalette::Highlight));
    EXPECT_EQ(chosen.pixelColor(12, 0), tool->palette().color(QPalette::Highlight));
    for (const char* cell : {"biela", "cierna", "silnomodra", "zlta", "FarbaPop"}) {
        auto* shown = child<ColourCell>(cell);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->grab().toImage().pixel(shown->width() / 2, shown->height() / 2),
                  toPixel(shown->colour()) | 0xFF000000u)
            << cell;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Themes, ThemeTest,
    ::testing::Values(Theme{"light", QPalette(QColor(0xEF, 0xEF, 0xEF))},
                      Theme{"dark", themed(QColor(0x35, 0x35, 0x35), Qt::white,
                                           QColor(0x2A, 0x2A, 0x2A), QColor(0x2A, 0x82, 0xDA))},
                      Theme{"contrast", themed(Qt::black, Qt::white, Qt::black, Qt::cyan)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kreslix::testing
