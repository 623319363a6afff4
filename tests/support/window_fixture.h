#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <memory>

#include "app/status_panel.h"
#include "app/telo.h"
#include "tests/support/scripted_prompts.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace kreslix::testing {

// A shown main window with scripted prompts, and the ways tests reach into it.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;

    template <typename T = QWidget>
    T* child(const char* name) const {
        T* found = window->findChild<T*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no child named " << name;
        return found;
    }
    QAction* action(const char* name) const;
    QWidget* image() const { return child("Image"); }
    StatusPanel* statusBar() const { return child<StatusPanel>("DolnyPanel"); }

    // Clicks a widget in its middle (or at `at`) with the left button.
    void click(const char* name, QPoint at = {}) const;
    // Chooses a menu item as the user does: triggers its action.
    void choose(const char* name) const;

    // Mouse events on the picture, in picture coordinates, unrounded as a screen with a device
    // pixel ratio above 1 gives them.
    void press(QPointF at, Qt::MouseButton button = Qt::LeftButton) const;
    void move(QPointF at, Qt::MouseButtons held = Qt::LeftButton) const;
    void release(QPointF at, Qt::MouseButton button = Qt::LeftButton) const;

    // The picture's pixel as 0x00BBGGRR.
    Colour pixel(int x, int y) const;

    ScriptedPrompts prompts;
    std::unique_ptr<THlavneOkno> window;
};

}  // namespace kreslix::testing
