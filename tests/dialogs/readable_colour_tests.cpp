#include <gtest/gtest.h>

#include <QColor>

#include "dialogs/readable_colour.h"

namespace kreslix::testing {
namespace {

// The contrast ratio against published reference values of relative luminance contrast, in
// either order of the two colours: the theme tests judge glyphs and picked colours by it.
TEST(ContrastRatio, MatchesPublishedReferenceValues) {
    struct Pair {
        const char* foreground;
        const char* background;
        double ratio;
    };
    for (const Pair& p : {Pair{"#000000", "#ffffff", 21.0}, Pair{"#777777", "#ffffff", 4.48},
                          Pair{"#767676", "#ffffff", 4.54}, Pair{"#595959", "#ffffff", 7.0},
                          Pair{"#ff0000", "#ffffff", 4.0}, Pair{"#0000ff", "#ffffff", 8.59},
                          Pair{"#008000", "#ffffff", 5.14}, Pair{"#336699", "#336699", 1.0}}) {
        SCOPED_TRACE(std::string(p.foreground) + " on " + p.background);
        const QColor a(QLatin1String(p.foreground)), b(QLatin1String(p.background));
        EXPECT_NEAR(contrastRatio(a, b), p.ratio, 0.01);
        EXPECT_NEAR(contrastRatio(b, a), p.ratio, 0.01);
    }
}

}  // namespace
}  // namespace kreslix::testing
