#pragma once

namespace kreslix {

// Teaches Qt's accessibility layer what the program's own controls are: the glyph and choice
// buttons, the colour cells, the picture and the area around it, the status bar and its texts and
// the panels; not the width fields: what assistive technology sees of a spin edit belongs with the
// spin edit. Safe to call more than once; it must come before their first use.
void installAccessibleInterfaces();

}  // namespace kreslix
