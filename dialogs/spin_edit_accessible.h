#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace kreslix {

// What assistive technology sees of a spin edit: one spin box, named by its label (or its
// accessible name), whose value it reads and sets and steps like the arrows. The field and the
// arrows inside are its own working, not controls of their own.
QAccessibleInterface* spinEditAccessible(const QString& className, QObject* object);

}  // namespace kreslix
