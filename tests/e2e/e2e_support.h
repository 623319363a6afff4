#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <optional>

namespace kreslix::e2e {

// The main window's caption at start-up.
extern const QString kMainTitle;

// Runs the X helper (x_window_tool) and gives its standard output; the test fails when the
// helper does, unless `ok` is given to receive the outcome.
QString runTool(const QStringList& arguments, bool* ok = nullptr);

struct Found {
    bool ok = false;
    QString id;
    QRect geometry;  // on the screen
};

// The shown top-level window with this title, waited for up to `timeoutMs`.
Found findWindow(const QString& title, int timeoutMs);
// Whether no shown window has this title any more, waited for up to five seconds.
bool windowGone(const QString& title);
// The whole screen now.
QImage screenshot();

// The top-left corner of the start picture, a white area of exactly 488 × 297 pixels, in
// `image`; nothing when it shows none.
std::optional<QPoint> startPicture(const QImage& image);
// The main window of the program once it shows the start picture; fails the test otherwise.
Found waitForStartPicture();

// The real program, started on the display in $DISPLAY with the environment of the test plus
// `changes` (NAME=VALUE) and killed at the end if it still runs.
class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void startProgram(const QStringList& changes = {});
    // Closes the main window, answers "Nie" to the save-changes prompt, and checks that the
    // program then ends cleanly.
    void closeWithoutSaving(const Found& main);

    QProcess program;
};

}  // namespace kreslix::e2e
