#pragma once

#include <QFont>

namespace kreslix {

// The heavy typeface of the About box's title: "Arial Black" where it is installed, otherwise
// the heaviest upright weight of the default sans-serif family, so the title is the same kind
// of bold everywhere. `characterHeight` is the em height in pixels (the glyphs' ascent plus
// descent without the font's internal leading), which is what a pixel size sets.
QFont heavyFont(int characterHeight);

}  // namespace kreslix
