#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace kreslix {

// What assistive technology sees of a spin edit. The field inside, which takes the focus and
// whose text changes, is the spin box itself: named by the spin edit's label (or accessible
// name), with the value read, set and stepped like the arrows, and the text read as the field's.
// A screen reader follows the object that has the focus, so the focused object must be the one
// with the name, the role and the value. The spin edit around it is a nameless grouping whose
// only part is that spin box; the arrows are its own working, not controls of their own.
QAccessibleInterface* spinEditAccessible(const QString& className, QObject* object);

}  // namespace kreslix
