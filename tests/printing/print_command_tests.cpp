// The print commands of the main window, against the print service: none at all, and the
// private CUPS scheduler with its cups-pdf printer that scripts/test starts (its socket in
// CUPS_SERVER, its output folder in KRESLIX_PRINT_OUTPUT_DIR).
#include <cups/cups.h>

#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QProcess>
#include <QTimer>

#include "common/error.h"
#include "printing/current_printer.h"
#include "printing/job_options.h"
#include "printing/print_form_image.h"
#include "printing/print_service.h"
#include "printing/printer_setup.h"
#include "tests/printing/print_test_support.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/printouts.h"
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

// However the printer object came by other job settings (here: those Qt's full print dialog
// offers), a print is one page and one copy, with the image at screen size in the paper's
// corner, printed at once; and it needs no temporary folder.
TEST_F(PrintCommandTest, APrintIsOnePageAndOneCopyWhateverElseThePrinterCarries) {
    if (!privateSchedulerRunning())
        GTEST_SKIP() << "no private CUPS scheduler (scripts/cups-scheduler) to print to";
    auto printer =
        std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer->setCopyCount(2);
    printer->setDuplex(QPrinter::DuplexLongSide);
    printer->setPageOrder(QPrinter::LastPageFirst);
    printer->setPrintRange(QPrinter::PageRange);
    printer->setFromTo(2, 2);
    setCupsOptions(*printer, {"page-ranges", "2-2", "page-set", "even", "number-up", "4", "copies",
                              "2", "job-hold-until", "indefinite"});
    CurrentPrinter current;
    current.select(std::move(printer));
    TestClientArea client;
    const QString folder = qEnvironmentVariable("KRESLIX_PRINT_OUTPUT_DIR");
    const QStringList before = printedFiles(folder);
    const QByteArray temporaryFolder = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent/kreslix-tmp");
    EXPECT_NO_THROW(PrintFormImage(current, client));
    qputenv("TMPDIR", temporaryFolder);

    const QStringList added = newPrintouts(folder, before);
    ASSERT_EQ(added.size(), 1) << "held, or more than one job";
    const QString pdf = folder + u'/' + added.first();
    EXPECT_EQ(pdfPageCount(pdf), 1);
    EXPECT_TRUE(printedAt(rasterisePdf(pdf, 96), QRect(0, 0, 600, 400)));
}

// Each way the print service can fail a print is told in words that say what went wrong, within
// seconds, with the program's events handled while it waits, and no job left behind. A service
// that is not running or does not answer fails the printer setup alike.
TEST_F(PrintCommandTest, EachFailureOfThePrintServiceSaysWhatWentWrongWithinSeconds) {
    if (!privateSchedulerRunning())
        GTEST_SKIP() << "no private CUPS scheduler (scripts/cups-scheduler) to fail";
    const QString gone = QStringLiteral("kreslix-gone"),
                  refusing = QStringLiteral("kreslix-refusing");
    for (const QString& queue : {gone, refusing}) {
        cupsCommand("lpadmin", {"-p", queue, "-E", "-v", "cups-pdf:/", "-m",
                                "lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd"});
    }
    cupsCommand("cupsreject", {refusing});
    SilentService silent;
    ASSERT_TRUE(silent.listening());
    struct Case {
        QString printer;
        const char* server;  // null: the scheduler's
        QString messageStart;
        bool setupFailsAlike;
        bool waitsTheLimit;
    };
    const Case cases[] = {
        {"kreslix-pdf", "/nonexistent/kreslix-cups.sock", PrintServiceNotRunning().message(), true,
         false},
        {"kreslix-pdf", silent.path(),
         "The print service (CUPS) does not answer; try again once it works", true, true},
        {gone, nullptr,
         "The printer \"kreslix-gone\" no longer exists; choose another printer in the printer "
         "setup",
         false, false},
        // Followed by the scheduler's own words.
        {refusing, nullptr,
         QStringLiteral("CUPS Error.  Code: %1.\n").arg(IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS), false,
         false},
    };
    std::vector<std::unique_ptr<CurrentPrinter>> printers;
    for (const Case& c : cases) {
        printers.push_back(std::make_unique<CurrentPrinter>());
        printers.back()->select(std::make_unique<QPrinter>(QPrinterInfo::printerInfo(c.printer),
                                                           QPrinter::HighResolution));
    }
    cupsCommand("lpadmin", {"-x", gone});
    TestClientArea client;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.messageStart.toStdString());
        cupsSetServer(c.server);
        int ticks = 0;
        QTimer ticking;
        ticking.callOnTimeout([&] { ++ticks; });
        ticking.start(50);
        QElapsedTimer clock;
        clock.start();
        QStringList messages;
        std::vector<std::function<void()>> commands = {
            [&] { PrintFormImage(*printers[i], client); }};
        if (c.setupFailsAlike)
            commands.push_back([&] { NastavTlac(*printers[i], prompts); });
        for (const auto& command : commands) {
            try {
                command();
                messages << QStringLiteral("(no failure)");
            } catch (const KreslixError& e) {
                messages << e.message();
            }
        }
        const qint64 elapsed = clock.elapsed();
        cupsSetServer(nullptr);
        for (const QString& message : messages)
            EXPECT_TRUE(message.startsWith(c.messageStart)) << message.toStdString();
        EXPECT_LT(elapsed, 15000 * qsizetype(commands.size()));
        if (c.waitsTheLimit) {
            EXPECT_GE(elapsed, kPrintServiceAnswerLimitMs * qsizetype(commands.size()));
            EXPECT_GT(ticks, 10) << "the program's events waited";
        }
        EXPECT_FALSE(printers[i]->jobOpen());
    }
    cupsCommand("lpadmin", {"-x", refusing});
    EXPECT_FALSE(schedulerHasJobs()) << "a failed print left a job behind";
}

// A service that answers the program's own check and then falls silent while Qt's print support
// asks it in turn: the first print (which looks for the default printer) and the printer setup
// (which looks up the selected printer) end within seconds, saying so.
TEST_F(PrintCommandTest, ServiceSilentAfterTheCheckIsGivenUpWithinSeconds) {
    cupsSetServer("/nonexistent/kreslix-cups.sock");
    CurrentPrinter selected;
    selected.select(std::make_unique<QPrinter>(QPrinter::HighResolution));
    TestClientArea client;
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"first print", [&] { PrintFormImage(CurrentPrinter::process(), client); }},
        {"printer setup", [&] { NastavTlac(selected, prompts); }},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        SilentService service(SilentService::AnswersOnce);
        ASSERT_TRUE(service.listening());
        cupsSetServer(service.path());
        QElapsedTimer clock;
        clock.start();
        QString message = QStringLiteral("(no failure)");
        try {
            command();
        } catch (const KreslixError& e) {
            message = e.message();
        }
        const qint64 elapsed = clock.elapsed();
        cupsSetServer(nullptr);
        EXPECT_TRUE(service.answered()) << "the check got no answer";
        EXPECT_EQ(message, printServiceNotAnsweringMessage());
        EXPECT_LT(elapsed, 15000);
    }
    EXPECT_FALSE(CurrentPrinter::process().isSelected());
    EXPECT_EQ(prompts.log.filter(QStringLiteral("printer setup")), QStringList());
}

}  // namespace
}  // namespace kreslix::testing
