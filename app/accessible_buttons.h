#pragma once

class QAccessibleInterface;
class QObject;

namespace kreslix {

// What assistive technology sees of the program's buttons: the glyph buttons as push buttons,
// the choice buttons as radio buttons, the colour cells as push buttons that tell their colour.
// Null for any other object.
QAccessibleInterface* accessibleButton(QObject* object);

}  // namespace kreslix
