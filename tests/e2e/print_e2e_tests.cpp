// Printing from the real program to the private CUPS scheduler that scripts/test starts
// (scripts/cups-scheduler): its cups-pdf printer is the default and writes each job as a PDF
// file into KRESLIX_PRINT_OUTPUT_DIR. The pages are read back with poppler's tools.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "tests/e2e/e2e_support.h"
#include "tests/support/pdf_tools.h"

namespace kreslix::e2e {
namespace {

constexpr int kScreenDpi = 96;  // Qt's logical resolution of an Xvfb screen

QStringList printedFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

bool schedulerHasJobs() {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
    return !lpstat.waitForFinished(10000) || !lpstat.readAllStandardOutput().trimmed().isEmpty();
}

// The PDF files the printer wrote after `before` was listed, once the scheduler has no job left.
QStringList newPrintouts(const QString& folder, const QStringList& before) {
    QStringList added;
    for (int attempt = 0; attempt < 120; ++attempt) {
        QThread::msleep(250);
        added = printedFiles(folder);
        for (const QString& old : before)
            added.removeAll(old);
        if (!added.isEmpty() && !schedulerHasJobs())
            break;
    }
    QThread::msleep(500);  // a second job, were there one, would have its file by now
    added = printedFiles(folder);
    for (const QString& old : before)
        added.removeAll(old);
    return added;
}

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
        const QStringList before = printedFiles(outputDir);
        runTool({"type", main.id, "ctrl+p"});
        const QStringList added = newPrintouts(outputDir, before);
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
        QRect ink;
        for (int y = 0; y < fine.height(); ++y) {
            for (int x = 0; x < fine.width(); ++x) {
                if ((fine.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    ink |= QRect(x, y, 1, 1);
            }
        }
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

    QString outputDir;
};

// The way to "Nastavenie tlače..." through the menu, as the user would go.
const QStringList kSetupKeys = {"alt+s", "Up", "Up", "Up", "Return"};

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

class NoPrintService : public ProgramTest {};

// With CUPS_SERVER pointing at no scheduler, "Tlačiť" (Ctrl+P) and "Nastavenie tlače..." (from
// the end of the "&Súbor" menu) both show the same error box, no dialog, and the program goes on.
TEST_F(NoPrintService, BothCommandsShowTheNoPrinterMessageAndTheProgramGoesOn) {
    start({}, {}, {QStringLiteral("CUPS_SERVER=/nonexistent/kreslix-cups.sock")});
    const Found main = waitForStartPicture();
    ASSERT_TRUE(main.ok);
    const QStringList commands[] = {{"ctrl+p"}, kSetupKeys};
    QImage boxes[2];
    for (int i = 0; i < 2; ++i) {
        runTool(QStringList{"type", main.id} + commands[i]);
        const Found box = findWindow(QStringLiteral("Kreslix - 32bit"), 10000);
        ASSERT_TRUE(box.ok) << "no error box after " << commands[i].join(u' ').toStdString();
        EXPECT_FALSE(findWindow(QStringLiteral("Nastavenie tlače"), 0).ok);
        boxes[i] = screenshot().copy(box.geometry);
        runTool({"type", box.id, "Return"});
        ASSERT_TRUE(windowGone(QStringLiteral("Kreslix - 32bit"))) << "the error box stayed";
    }
    EXPECT_EQ(boxes[0], boxes[1]) << "the two commands showed different messages";
    closeWithoutSaving(main);
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
        runTool({"type", box.id, "Return"});
        ASSERT_TRUE(windowGone(QStringLiteral("Kreslix - 32bit"))) << "the error box stayed";
    }
    closeWithoutSaving(main);
}

}  // namespace
}  // namespace kreslix::e2e
