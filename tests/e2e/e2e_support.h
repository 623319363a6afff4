#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

namespace kreslix::e2e {

class Xclip;

// The main window's caption at start-up.
extern const QString kMainTitle;

// A top-level window found by its title: its X id and where it is on the screen.
struct Found {
    bool ok = false;
    QString id;
    QRect geometry;
};

// Runs the X helper and gives its standard output; the test fails when the helper does, unless
// `ok` is given to take the outcome.
QString runTool(const QStringList& arguments, bool* ok = nullptr);
Found findWindow(const QString& title, int timeoutMs);
// Whether the window of that title is gone within the time.
bool windowGone(const QString& title, int timeoutMs = 5000);
// The whole screen as it is now.
QImage screenshot();

// Where the start picture (white, 488 × 297) is shown in the image, if it is.
std::optional<QPoint> startPictureAt(const QImage& image);
// Where `picture` is shown pixel for pixel in the image, if it is.
std::optional<QPoint> pictureAt(const QImage& image, const QImage& picture);

// The program under test: the build's own, or the one named by KRESLIX_E2E_PROGRAM, such as an
// installed copy.
QString programPath();
// Its environment: the real X display of an X11 session, and in a sanitizer build no reports of
// the system libraries' leaks.
QProcessEnvironment programEnvironment();

// The program under test, started on the real display and killed at the end if still running.
class ProgramTest : public ::testing::Test {
protected:
    void TearDown() override;
    // Starts the program with the environment of the test plus `environmentChanges`
    // (NAME=VALUE); skips the test when there is no display.
    void start(const QStringList& arguments = {}, const QString& workingDirectory = {},
               const QStringList& environmentChanges = {});
    // Waits for the main window with that caption to show the picture (the white start picture
    // when null); then `main` is the window and `pictureOrigin` the picture's top-left corner
    // on the screen.
    void waitForPicture(const QString& caption, const QImage& picture);
    // The untitled main window once it shows the white start picture; fails the test
    // otherwise.
    Found waitForStartPicture();
    // A point of the picture, as screen coordinates for the X helper.
    QStringList at(int x, int y) const;
    // Ctrl+C in the main window, then the picture as another program reads it from the
    // clipboard (after text there, so that the program's offer is seen to arrive).
    QImage copyPicture(Xclip& xclip);
    // Closes the main window, answers "Nie" to the save-changes prompt, and checks that the
    // program then ends cleanly.
    void closeWithoutSaving(const Found& window);

    QProcess program;
    Found main;
    std::optional<QPoint> pictureOrigin;
};

}  // namespace kreslix::e2e
