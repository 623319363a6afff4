// The print commands of the main window, against the print service: none at all, and the
// private CUPS scheduler with its cups-pdf printer that scripts/test starts (its socket in
// CUPS_SERVER, its output folder in KRESLIX_PRINT_OUTPUT_DIR).
#include <cups/cups.h>
#include <QPrinterInfo>
#include <QProcess>

#include "common/error.h"
#include "printing/current_printer.h"
#include "printing/print_form_image.h"
#include "tests/printing/print_test_support.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

bool privateSchedulerRunning() {
    return !qEnvironmentVariableIsEmpty("CUPS_SERVER") &&
           !qEnvironmentVariableIsEmpty("KRESLIX_PRINT_OUTPUT_DIR");
}

// Runs one of CUPS's administration commands against the scheduler in CUPS_SERVER.
void cupsCommand(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    ASSERT_TRUE(tool.waitForFinished(30000) && tool.exitCode() == 0)
        << program.toStdString() << ": " << tool.readAllStandardError().toStdString();
}

class PrintCommandTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        CurrentPrinter::process().reset();
    }
    void TearDown() override {
        cupsSetServer(nullptr);  // back to CUPS_SERVER or the system's scheduler
        CurrentPrinter::process().reset();
    }
};

// With no print service to ask, every way to the two commands says so with the full stop the
// error box adds, selects nothing and shows no dialog; the next command asks again.
TEST_F(PrintCommandTest, WithoutAPrintServiceBothCommandsFindNoDefaultPrinter) {
    cupsSetServer("/nonexistent/kreslix-cups.sock");
    const std::function<void()> triggers[] = {
        [&] { choose("Tlacit1"); },
        [&] { QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier); },
        [&] { click("SpeedButton11"); },
        [&] { choose("Nastavenietlae1"); },
    };
    for (const auto& trigger : triggers) {
        trigger();
        EXPECT_FALSE(CurrentPrinter::process().isSelected());
    }
    const QString message = QStringLiteral("There is no default printer currently selected.");
    EXPECT_EQ(prompts.errors, QStringList({message, message, message, message}));
    EXPECT_EQ(prompts.log.filter(QStringLiteral("printer setup")), QStringList());

    if (!privateSchedulerRunning())
        GTEST_SKIP() << "no private CUPS scheduler (scripts/cups-scheduler) to find again";
    cupsSetServer(nullptr);
    prompts.printerSetupAnswers.push_back([](QPrinter&) { return false; });
    choose("Nastavenietlae1");
    EXPECT_EQ(prompts.log.last(), QStringLiteral("printer setup:kreslix-pdf"));
    EXPECT_TRUE(CurrentPrinter::process().isSelected());
    EXPECT_EQ(prompts.errors.size(), 4);
}

// A job the scheduler refuses (its printer rejects jobs) is not reported as printed.
TEST(PrintServiceTest, AJobTheSchedulerRefusesIsReported) {
    if (!privateSchedulerRunning())
        GTEST_SKIP() << "no private CUPS scheduler (scripts/cups-scheduler) to refuse the job";
    const QString queue = QStringLiteral("kreslix-refusing");
    cupsCommand("lpadmin", {"-p", queue, "-E", "-v", "cups-pdf:/", "-m",
                            "lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd"});
    cupsCommand("cupsreject", {queue});
    CurrentPrinter current;
    current.select(
        std::make_unique<QPrinter>(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution));
    TestClientArea client;
    QString message;
    try {
        PrintFormImage(current, client);
    } catch (const KreslixError& e) {
        message = e.message();
    }
    cupsCommand("lpadmin", {"-x", queue});
    const QString expectedStart =
        QStringLiteral("CUPS Error.  Code: %1.\n").arg(IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS);
    EXPECT_TRUE(message.startsWith(expectedStart)) << message.toStdString();
    EXPECT_GT(message.size(), expectedStart.size()) << "no text from the scheduler";
    EXPECT_FALSE(current.jobOpen());
}

}  // namespace
}  // namespace kreslix::testing
