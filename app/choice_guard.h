#pragma once

#include <QKeyEvent>
#include <functional>

namespace kreslix {

// Whether a choice made from the keyboard or by assistive technology (a tool, a width, a fill
// style, a colour) may take effect now, and how a refusal is answered. The window refuses while
// the left button holds a stroke open: a click cannot reach the panels then, and the stroke's
// previews rely on the tool, pen and brush staying as they are until its release.
struct ChoiceGuard {
    std::function<bool()> allowed = [] { return true; };
    std::function<void()> refused = [] {};

    bool check() const {
        if (allowed())
            return true;
        refused();
        return false;
    }
};

// The key that chooses the control with the focus, as a click does: Space (or Select), alone.
inline bool isChoosingKey(const QKeyEvent* event) {
    return (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) &&
           event->modifiers() == Qt::NoModifier;
}

}  // namespace kreslix
