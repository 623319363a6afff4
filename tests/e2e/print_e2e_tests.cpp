// Printing from the real program to the private CUPS scheduler that scripts/test starts
// (scripts/cups-scheduler): its cups-pdf printer is the default and writes each job as a PDF
// file into KRESLIX_PRINT_OUTPUT_DIR. The pages are read back with poppler's tools.
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/xclip.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/printouts.h"

namespace kreslix::e2e {
namespace {

using testing::newPrintouts;
using testing::printedFiles;

constexpr int kScreenDpi = 96;  // Qt's logical resolution of an Xvfb screen

// How many pixels differ by more than a small tolerance in any channel.
int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            differing += std::abs(qRed(p) - qRed(q)) > 16 || std::abs(qGreen(p) - qGreen(q)) > 16 ||
                         std::abs(qBlue(p) - qBlue(q)) > 16;
        }
    }
    return differing;
}

int pixelsOfColour(const QImage& image, QRect area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    }
    return count;
}

// The X primary selection as another program reads it.
QString primarySelection() {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {"-selection", "primary", "-o"});
    return xclip.waitForFinished(10000) ? QString::fromUtf8(xclip.readAllStandardOutput())
                                        : QString();
}

// The first line of a message box's text, as another program reads it: the message can be
// selected with the mouse, and a selection is the X primary selection. The line is the topmost
// dark ink right of the icon. The selection is
// emptied first, so that text left there before can't pass for the box's.
QString boxText(const Found& box) {
    QProcess::startDetached(QStringLiteral("xclip"), {"-selection", "primary", "-i", "/dev/null"});
    for (int attempt = 0; attempt < 50 && !primarySelection().isEmpty(); ++attempt)
        QThread::msleep(100);
    const QImage shot = screenshot().copy(box.geometry);
    auto ink = [&](int x, int y) { return qGray(shot.pixel(x, y)) < 80; };
    int line = -1;
    for (int y = 2; y < shot.height() && line < 0; ++y) {
        for (int x = shot.width() / 6; x < shot.width() - 2 && line < 0; ++x)
            line = ink(x, y) ? y : -1;
    }
    if (line < 0)
        return {};
    // The line's ends: its ink in the rows of a line of text.
    int left = shot.width(), right = -1;
    for (int y = line; y < std::min(line + 12, shot.height()); ++y) {
        for (int x = shot.width() / 6; x < shot.width() - 2; ++x) {
            if (ink(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    // Dragged from the first ink of the line to past its last.
    const QPoint from = box.geometry.topLeft() + QPoint(left - 1, line + 4);
    const QPoint to = box.geometry.topLeft() + QPoint(right + 3, line + 4);
    runTool({"drag", QString::number(from.x()), QString::number(from.y()), QString::number(to.x()),
             QString::number(to.y())});
    QString text;
    for (int attempt = 0; attempt < 50 && text.isEmpty(); ++attempt) {
        QThread::msleep(100);
        text = primarySelection();
    }
    return text;
}

// Ctrl+P in the window, and the files printed once the program has given all its jobs to the
// scheduler and the scheduler has written them: Ctrl+C typed after Ctrl+P is handled only once
// the print command has returned, and the clipboard that it fills is served only then.
QStringList printWithCtrlP(const Found& window, const QString& outputDir) {
    const QStringList before = printedFiles(outputDir);
    runTool({"type", window.id, "ctrl+p", "ctrl+c"});
    Xclip xclip;
    QStringList targets;
    for (int attempt = 0; attempt < 100 && targets.isEmpty(); ++attempt) {
        targets = xclip.targets();
        if (targets.isEmpty())
            QThread::msleep(100);
    }
    EXPECT_FALSE(targets.isEmpty()) << "the program did not come back from printing";
    return newPrintouts(outputDir, before);
}

// The way to "Nastavenie tlače..." through the menu, as the user would go.
const QStringList kSetupKeys = {"alt+s", "Up", "Up", "Up", "Return"};

class Printing : public ProgramTest {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            GTEST_SKIP() << "DISPLAY is not set";
        outputDir = qEnvironmentVariable("KRESLIX_PRINT_OUTPUT_DIR");
        if (outputDir.isEmpty() || qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            GTEST_SKIP() << "no private CUPS scheduler (scripts/cups-scheduler) to print to";
        start();
        main = waitForStartPicture();
        ASSERT_TRUE(main.ok);
    }

    // Draws a line on the picture, presses Ctrl+P and reads the one printed page back: the
    // screen's client area (everything below the menu bar) must come back pixel for pixel, at
    // the top-left of the page (the printer's printable area is the whole paper), at the size
    // it has on the screen. Gives the printed image.
    QImage printAndCompare() {
        const std::optional<QPoint> shownPicture = startPictureAt(screenshot().copy(main.geometry));
        EXPECT_TRUE(shownPicture) << "the start picture is not to be seen";
        if (!shownPicture)
            return {};
        const QPoint picture = *shownPicture;
        const QPoint from = main.geometry.topLeft() + picture + QPoint(40, 30);
        const QPoint to = main.geometry.topLeft() + picture + QPoint(300, 200);
        runTool({"drag", QString::number(from.x()), QString::number(from.y()),
                 QString::number(to.x()), QString::number(to.y())});
        const QImage window = screenshot().copy(main.geometry);
        const QStringList added = printWithCtrlP(main, outputDir);
        EXPECT_EQ(added.size(), 1) << added.join(u' ').toStdString();
        if (added.size() != 1)
            return {};
        const QString pdf = outputDir + u'/' + added.first();
        EXPECT_EQ(testing::pdfPageCount(pdf), 1);
        const QSizeF a4 = testing::pdfPageSize(pdf);  // the printer's default paper, portrait
        EXPECT_NEAR(a4.width(), 595, 1);
        EXPECT_NEAR(a4.height(), 842, 1);

        // Rendered four times as fine as the screen, the image starts at the page's corner and
        // ends where the window's width and the client area's height end (poppler may paint its
        // far edges one pixel further); nothing else is on the page.
        const QImage fine = testing::rasterisePdf(
            pdf, 4 * kScreenDpi, QRect(0, 0, 4 * window.width() + 64, 4 * window.height() + 64));
        const QRect ink = testing::inkBox(fine);
        EXPECT_EQ(ink.topLeft(), QPoint(0, 0));
        EXPECT_LE(ink.width() % 4, 1);
        EXPECT_LE(ink.height() % 4, 1);
        EXPECT_EQ(ink.width() / 4, window.width());
        const int clientHeight = ink.height() / 4;
        EXPECT_GT(clientHeight, window.height() - 40) << "the printout is too short";
        EXPECT_LT(clientHeight, window.height() - 10) << "the printout holds the menu bar";

        const QRect client(0, window.height() - clientHeight, window.width(), clientHeight);
        const QImage printed =
            testing::printedScreenPixels(pdf, kScreenDpi, QRect(QPoint(), client.size()));
        const QImage shown = window.copy(client);
        EXPECT_LE(differingPixels(printed, shown), 10);
        // The line drawn on the picture is there, where the window shows it.
        const QRect lineBox(picture - client.topLeft() + QPoint(40, 30), QSize(261, 171));
        const int black = pixelsOfColour(shown, lineBox, qRgb(0, 0, 0));
        EXPECT_GT(black, 250);
        EXPECT_EQ(pixelsOfColour(printed, lineBox, qRgb(0, 0, 0)), black);
        return printed;
    }

    // "Nastavenie tlače..." confirmed with OK; first, unless `inProperties` is empty, its
    // "Vlastnosti" shown and given those keys, which end it.
    void setUpPrinter(const QStringList& inProperties) {
        runTool(QStringList{"type", main.id} + kSetupKeys);
        const Found setup = findWindow(QStringLiteral("Nastavenie tlače"), 10000);
        ASSERT_TRUE(setup.ok) << "the printer-setup dialog did not show";
        if (!inProperties.isEmpty()) {
            runTool({"type", setup.id, "alt+v"});
            const Found properties = findWindow(QStringLiteral("Vlastnosti tlačiarne"), 10000);
            ASSERT_TRUE(properties.ok) << "the printer's properties did not show";
            runTool(QStringList{"type", properties.id} + inProperties);
            ASSERT_TRUE(windowGone(QStringLiteral("Vlastnosti tlačiarne")));
        }
        runTool({"type", setup.id, "Return"});
        ASSERT_TRUE(windowGone(QStringLiteral("Nastavenie tlače")));
    }

    QString outputDir;
};

TEST_F(Printing, CtrlPPrintsOnePageWithTheClientAreaAsTheScreenShowsIt) {
    // First the printer setup, cancelled: it shows Qt's print dialog on the default printer, and
    // changes nothing for the print.
    runTool(QStringList{"type", main.id} + kSetupKeys);
    const Found setup = findWindow(QStringLiteral("Nastavenie tlače"), 10000);
    ASSERT_TRUE(setup.ok) << "the printer-setup dialog did not show";
    runTool({"type", setup.id, "Escape"});
    ASSERT_TRUE(windowGone(QStringLiteral("Nastavenie tlače")));

    const QImage printed = printAndCompare();
    ASSERT_FALSE(printed.isNull());
    // The tool panel (65 pixels) lies left of the picture, the colour panel with its pure red
    // palette cell above the status bar.
    ASSERT_TRUE(startPictureAt(printed));
    EXPECT_EQ(startPictureAt(printed)->x(), 66);
    const QRect aboveStatusBar(0, printed.height() - 18 - 45, printed.width(), 45);
    EXPECT_GT(pixelsOfColour(printed, aboveStatusBar, qRgb(255, 0, 0)), 100);
    closeWithoutSaving(main);
}

TEST_F(Printing, HiddenPanelsAreAbsentFromThePrintout) {
    // "&Zobraziť": its first item hides the tool panel, its second the colour panel.
    runTool({"type", main.id, "alt+z", "Return"});
    runTool({"type", main.id, "alt+z", "Down", "Return"});
    const QImage printed = printAndCompare();
    ASSERT_FALSE(printed.isNull());
    ASSERT_TRUE(startPictureAt(printed));
    EXPECT_EQ(startPictureAt(printed)->x(), 1);
    const QRect aboveStatusBar(0, printed.height() - 18 - 45, printed.width(), 45);
    EXPECT_EQ(pixelsOfColour(printed, aboveStatusBar, qRgb(255, 0, 0)), 0);
    closeWithoutSaving(main);
}

// The setup starts from the printer's settings and keeps them: A5 landscape, chosen in the
// printer's properties, stays through a setup confirmed without a change and through the
// properties shown and confirmed again; the print comes out on A5, the window image turned as
// the printer turns a landscape page onto its paper.
TEST_F(Printing, TheSetupStartsFromThePrintersPaperAndOrientationAndKeepsThem) {
    // The first paper size beginning with "A5", then from portrait one step on to landscape.
    ASSERT_NO_FATAL_FAILURE(setUpPrinter({"Tab", "a", "5", "Tab", "Tab", "Down", "Return"}));
    ASSERT_NO_FATAL_FAILURE(setUpPrinter({}));
    ASSERT_NO_FATAL_FAILURE(setUpPrinter({"Return"}));
    const QStringList added = printWithCtrlP(main, outputDir);
    ASSERT_EQ(added.size(), 1) << added.join(u' ').toStdString();
    const QString pdf = outputDir + u'/' + added.first();
    EXPECT_EQ(testing::pdfPageCount(pdf), 1);
    const QSizeF a5 = testing::pdfPageSize(pdf);
    EXPECT_NEAR(a5.width(), 420, 1.5);
    EXPECT_NEAR(a5.height(), 595, 1);
    // The window's width runs along the paper's length, at the size it has on the screen.
    const QRect ink = testing::inkBox(testing::rasterisePdf(pdf, kScreenDpi));
    EXPECT_NEAR(ink.height(), main.geometry.width(), 2);
    EXPECT_LT(ink.width(), main.geometry.height());
    closeWithoutSaving(main);
}

class NoPrintService : public ProgramTest {
protected:
    // Starts the program with CUPS_SERVER at `server`; then "Tlačiť" (Ctrl+P) and "Nastavenie
    // tlače..." each show one error box within `withinMs`, the same for both, and no dialog;
    // the program goes on.
    void bothCommandsFailAlike(const QString& server, int withinMs) {
        start({}, {}, {QStringLiteral("CUPS_SERVER=") + server});
        const Found main = waitForStartPicture();
        ASSERT_TRUE(main.ok);
        const QStringList commands[] = {{"ctrl+p"}, kSetupKeys};
        QImage boxes[2];
        for (int i = 0; i < 2; ++i) {
            QElapsedTimer clock;
            clock.start();
            runTool(QStringList{"type", main.id} + commands[i]);
            const Found box = findWindow(QStringLiteral("Kreslix - 32bit"), withinMs);
            ASSERT_TRUE(box.ok) << "no error box after " << commands[i].join(u' ').toStdString();
            EXPECT_LT(clock.elapsed(), withinMs);
            EXPECT_FALSE(findWindow(QStringLiteral("Nastavenie tlače"), 0).ok);
            boxes[i] = screenshot().copy(box.geometry);
            runTool({"type", box.id, "Return"});
            ASSERT_TRUE(windowGone(QStringLiteral("Kreslix - 32bit"))) << "the error box stayed";
        }
        EXPECT_EQ(boxes[0], boxes[1]) << "the two commands showed different messages";
        closeWithoutSaving(main);
    }
};

// With CUPS_SERVER pointing at no scheduler, both commands say there is no default printer.
TEST_F(NoPrintService, BothCommandsShowTheNoPrinterMessageAndTheProgramGoesOn) {
    bothCommandsFailAlike(QStringLiteral("/nonexistent/kreslix-cups.sock"), 10000);
}

// A print service that takes the connection and never answers ends both commands within
// seconds (it once held the window for two minutes), and the program goes on.
TEST_F(NoPrintService, ASilentServiceEndsBothCommandsWithinSeconds) {
    const testing::SilentService silent;
    ASSERT_TRUE(silent.listening());
    bothCommandsFailAlike(QString::fromLocal8Bit(silent.path()), 15000);
}

// A program installed without its printing module still starts (printing is loaded only when
// used), and both commands then say that printing is not available and change nothing.
TEST_F(NoPrintService, WithoutThePrintingModuleTheCommandsSaySoAndTheProgramGoesOn) {
    QTemporaryDir alone;
    ASSERT_TRUE(alone.isValid());
    const QString program = alone.filePath(QStringLiteral("kreslix"));
    ASSERT_TRUE(QFile::copy(programPath(), program));
    const QByteArray chosen = qgetenv("KRESLIX_E2E_PROGRAM");
    qputenv("KRESLIX_E2E_PROGRAM", program.toLocal8Bit());
    start();
    qputenv("KRESLIX_E2E_PROGRAM", chosen);
    const Found main = waitForStartPicture();
    ASSERT_TRUE(main.ok);
    for (const QStringList& command : {QStringList{"ctrl+p"}, kSetupKeys}) {
        runTool(QStringList{"type", main.id} + command);
        const Found box = findWindow(QStringLiteral("Kreslix - 32bit"), 10000);
        ASSERT_TRUE(box.ok) << "no error box after " << command.join(u' ').toStdString();
        EXPECT_FALSE(findWindow(QStringLiteral("Nastavenie tlače"), 0).ok);
        const QString text = boxText(box);
        EXPECT_TRUE(text.startsWith(QLatin1String("Printing is not available: ")))
            << text.toStdString();
        runTool({"type", box.id, "Return"});
        ASSERT_TRUE(windowGone(QStringLiteral("Kreslix - 32bit"))) << "the error box stayed";
    }
    closeWithoutSaving(main);
}

}  // namespace
}  // namespace kreslix::e2e
