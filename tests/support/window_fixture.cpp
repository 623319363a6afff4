#include "tests/support/window_fixture.h"

#include <QApplication>
#include <QMouseEvent>

#include "app/main_menu.h"

namespace kreslix::testing {

void WindowTest::SetUp() {
    window = std::make_unique<THlavneOkno>(prompts);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

QAction* WindowTest::action(const char* name) const {
    QAction* found = window->menu().action(QLatin1String(name));
    if (!found)
        ADD_FAILURE() << "no menu item named " << name;
    return found;
}

void WindowTest::click(const char* name, QPoint at) const {
    QWidget* widget = child(name);
    if (!widget)
        return;
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier,
                      at.isNull() ? widget->rect().center() : at);
}

void WindowTest::choose(const char* name) const {
    if (QAction* item = action(name))
        item->trigger();
}

namespace {

// QTest takes (0, 0) for "the middle" and its moves carry no buttons, so the picture's mouse
// events are sent as they are. As the window delivers them, they carry the unrounded position in
// the window and the rounded one in the view.
void sendMouse(QWidget* view, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    const QPointF inWindow = at + view->mapTo(view->window(), QPointF(0, 0));
    const QPoint rounded = view->mapFrom(view->window(), inWindow.toPoint());
    QMouseEvent event(type, rounded, inWindow, view->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

}  // namespace

void WindowTest::press(QPointF at, Qt::MouseButton button) const {
    sendMouse(image(), QEvent::MouseButtonPress, at, button, button);
}

void WindowTest::move(QPointF at, Qt::MouseButtons held) const {
    sendMouse(image(), QEvent::MouseMove, at, Qt::NoButton, held);
}

void WindowTest::release(QPointF at, Qt::MouseButton button) const {
    sendMouse(image(), QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

Colour WindowTest::pixel(int x, int y) const {
    return fromPixel(window->document().image().pixel(x, y));
}

}  // namespace kreslix::testing
