#pragma once

#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

// Driving the real program on the X display in $DISPLAY through the x_window_tool helper.
namespace kreslix::e2e {

struct Found {
    bool ok = false;
    QString id;
    QRect geometry;
};

// Runs the X helper and gives its standard output; the test fails when the helper does, unless
// ok is given to receive the outcome.
QString runTool(const QStringList& arguments, bool* ok = nullptr);

// The shown top-level window of that title, waiting up to timeoutMs for it.
Found findWindow(const QString& title, int timeoutMs);

// The environment the program runs in: the test's own, on the real display, with the leaks of
// the system libraries not counted as the program's in a sanitizer build.
QProcessEnvironment programEnvironment();

}  // namespace kreslix::e2e
