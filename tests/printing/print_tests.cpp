// Prints to PDF files, read back and rendered by poppler's tools.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "common/error.h"
#include "printing/capture_form_image.h"
#include "printing/current_printer.h"
#include "printing/print_form_image.h"
#include "printing/print_job.h"
#include "printing/printer_setup.h"
#include "printing/printer_setup_dialog.h"
#include "tests/printing/print_test_support.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/scripted_prompts.h"

namespace kreslix::testing {
namespace {

// How many pixels of `actual` differ from `expected` placed at `at` by more than a small
// tolerance in any channel.
int differingPixels(const QImage& actual, const QImage& expected, QPoint at) {
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = actual.pixel(at.x() + x, at.y() + y), e = expected.pixel(x, y);
            if (std::abs(qRed(a) - qRed(e)) > 8 || std::abs(qGreen(a) - qGreen(e)) > 8 ||
                std::abs(qBlue(a) - qBlue(e)) > 8) {
                ++differing;
            }
        }
    }
    return differing;
}

class PrintTest : public ::testing::Test {
protected:
    QString file(const char* name) const { return folder.filePath(QLatin1String(name)); }

    QTemporaryDir folder;
    CurrentPrinter current;
    TestClientArea client;
    ScriptedPrompts prompts;
};

// At 300 dpi the 600 × 400 window image prints 1875 × 1250 printer pixels, 6.25 × 4.17 inches:
// 600 × 400 pixels again when the page is rendered at the screen's 96 dpi, at the top-left of
// the printable area half an inch inside the paper, and nowhere else.
TEST_F(PrintTest, TheWindowImagePrintsAtScreenSizeAtTheTopLeftOfThePrintableArea) {
    ASSERT_EQ(client.logicalDpiY(), 96);
    current.select(pdfPrinter(file("page.pdf"), 300, QMarginsF(0.5, 0.5, 0.5, 0.5)));
    PrintFormImage(current, client);
    EXPECT_FALSE(current.jobOpen());

    ASSERT_EQ(pdfPageCount(file("page.pdf")), 1);
    const QImage page = rasterisePdf(file("page.pdf"), 96);
    ASSERT_FALSE(page.isNull());
    const QPoint corner(48, 48);
    EXPECT_TRUE(printedAt(page, QRect(corner, QSize(600, 400))));
    const QImage screen = CaptureFormImage(client).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(differingPixels(printedScreenPixels(file("page.pdf"), 96, {corner, screen.size()}),
                              screen, QPoint()),
              0);
    // What the screen shows, not what the widgets hold: the hidden blue panel is absent.
    EXPECT_EQ(page.pixel(corner + TestClientArea::kRed.center()), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(corner + TestClientArea::kHiddenBlue.center()), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(page.pixel(corner + TestClientArea::kGreen.center()), qRgb(0, 255, 0));
}

// A print, or a confirmed setup, started by an event handled while a job is open (here: while
// the window image is being taken) is refused; the open job goes on and prints its one page.
TEST_F(PrintTest, CommandsStartedWhileAJobIsOpenAreRefusedAndTheJobGoesOn) {
    current.select(pdfPrinter(file("first.pdf"), 300));
    const QPrinter* first = &current.printer();
    TestClientArea other;
    QStringList refusals;
    prompts.printerSetupAnswers.push_back([](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    client.armPaintAction([&] {
        for (const auto& command : std::initializer_list<std::function<void()>>{
                 [&] { PrintFormImage(current, other); }, [&] { NastavTlac(current, prompts); }}) {
            try {
                command();
            } catch (const KreslixError& e) {
                refusals << e.message();
            }
        }
    });
    PrintFormImage(current, client);

    EXPECT_EQ(refusals, QStringList({"Printing in progress", "Printing in progress"}));
    EXPECT_TRUE(prompts.printerSetupAnswers.empty()) << "the setup dialog was not shown";
    EXPECT_EQ(&current.printer(), first) << "the refused setup changed the printer";
    EXPECT_EQ(current.printer().pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_FALSE(current.jobOpen());
    EXPECT_EQ(pdfPageCount(file("first.pdf")), 1);
    EXPECT_TRUE(printedAt(rasterisePdf(file("first.pdf"), 96), QRect(0, 0, 600, 400)));
}

TEST_F(PrintTest, ADocumentOnceBegunIsEndedWhenALaterStepFails) {
    current.select(pdfPrinter(file("failed.pdf"), 300));
    EXPECT_THROW(
        {
            PrintJob job(current);
            EXPECT_TRUE(current.jobOpen());
            job.painter().fillRect(0, 0, 300, 300, Qt::black);
            throw KreslixError(QStringLiteral("a step failed"));
        },
        KreslixError);
    EXPECT_FALSE(current.jobOpen());
    // Ended, not abandoned: a whole document with its one page, as far as it was drawn.
    EXPECT_EQ(pdfPageCount(file("failed.pdf")), 1);
    EXPECT_EQ(inkBox(rasterisePdf(file("failed.pdf"), 96)), QRect(0, 0, 96, 96));
    // The printer is free for the next print.
    EXPECT_NO_THROW(PrintFormImage(current, client));
}

TEST_F(PrintTest, APrinterThatCantBeDrawnOnOpensNoJob) {
    current.select(pdfPrinter(file("missing-folder/page.pdf"), 300));
    try {
        PrintFormImage(current, client);
        FAIL() << "printed on a printer that can't be opened";
    } catch (const KreslixError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Printer selected is not valid"));
    }
    EXPECT_FALSE(current.jobOpen());
    EXPECT_FALSE(QFile::exists(file("missing-folder/page.pdf")));
}

TEST_F(PrintTest, SetupCancelKeepsThePrinterAndOkAppliesTheChoiceToLaterPrints) {
    current.select(pdfPrinter(file("setup.pdf"), 300));
    const QPrinter* before = &current.printer();
    prompts.printerSetupAnswers.push_back([](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return false;
    });
    NastavTlac(current, prompts);
    EXPECT_EQ(&current.printer(), before);
    EXPECT_EQ(current.printer().pageLayout().orientation(), QPageLayout::Portrait);

    prompts.printerSetupAnswers.push_back([](QPrinter& printer) {
        // Started from the current printer and its settings.
        EXPECT_EQ(printer.resolution(), 300);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    NastavTlac(current, prompts);
    EXPECT_EQ(prompts.log.count(QStringLiteral("printer setup:")), 2);
    PrintFormImage(current, client);
    const QSizeF page = pdfPageSize(file("setup.pdf"));
    EXPECT_NEAR(page.width(), 842, 1);
    EXPECT_NEAR(page.height(), 595, 1);
}

// The options of Qt's dialog that the named widgets of `dialog` offer are out of reach: not
// shown, nor any button that would show them ("Options >>").
void expectHidden(QWidget& dialog, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        auto* option = dialog.findChild<QWidget*>(QLatin1String(name));
        EXPECT_NE(option, nullptr) << name;
        EXPECT_FALSE(option && option->isVisible()) << name;
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        EXPECT_FALSE(button->isVisible() && button->text().contains(QLatin1String(">>")))
            << button->text().toStdString();
    }
}

// Acts on the next modal dialog other than `other` once it is shown, then closes it with Escape;
// `acted` tells that it did.
void actOnNextModal(const QObject& context, const QWidget* other, bool& acted,
                    std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, &context, [other, &acted, act = std::move(act)] {
        QWidget* dialog = nullptr;
        if (!QTest::qWaitFor(
                [&] {
                    dialog = QApplication::activeModalWidget();
                    return dialog && dialog != other;
                },
                5000)) {
            return;
        }
        acted = true;
        act(*dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
}

// Printer setup chooses the printer, its paper and orientation: copies and page ranges (behind
// Qt's options button) and pages per sheet (in the printer's properties) can't be reached.
TEST(PrinterSetupDialog, HidesCopiesPageRangesAndPagesPerSheet) {
    QPrinter printer;
    QWidget owner;
    bool setupSeen = false, propertiesSeen = false;
    actOnNextModal(owner, nullptr, setupSeen, [&](QWidget& setup) {
        expectHidden(setup, {"copies", "collate", "printAll", "printRange", "pagesRadioButton",
                             "pagesLineEdit", "pageSetCombo"});
        auto* properties = setup.findChild<QPushButton*>(QStringLiteral("properties"));
        ASSERT_NE(properties, nullptr);
        actOnNextModal(owner, &setup, propertiesSeen, [](QWidget& shown) {
            expectHidden(shown, {"pagesPerSheetButtonGroup", "pagesPerSheetCombo"});
        });
        QTest::mouseClick(properties, Qt::LeftButton);
    });
    EXPECT_FALSE(runPrinterSetupDialog(printer, &owner));
    EXPECT_TRUE(setupSeen);
    EXPECT_TRUE(propertiesSeen);
}

}  // namespace
}  // namespace kreslix::testing
