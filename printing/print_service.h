#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "common/error.h"

namespace kreslix {

// How long, in all, one exchange with the print service (CUPS) may keep the program waiting for
// its answers before it is given up as not answering.
constexpr int kPrintServiceAnswerLimitMs = 4000;

// Nothing answers where the print service should be: it is not running, or can't be reached.
class PrintServiceNotRunning : public KreslixError {
public:
    PrintServiceNotRunning();
};

// What the user is told when the print service keeps the program waiting past the limit.
QString printServiceNotAnsweringMessage();

// The options of a print job: CUPS option names and their values.
using JobOptions = std::vector<std::pair<QByteArray, QByteArray>>;

// Asks the print service for its default printer, on a connection of our own that waits for the
// answer no longer than the limit, so that Qt's print support, which waits on its own connection
// without a limit, is used only while the service answers. Meanwhile the window keeps painting;
// the user's input waits. Throws PrintServiceNotRunning, or says that the service does not
// answer.
void checkPrintServiceAnswers();

// Sends `pdf` to `printer` as a job of one document with `options`, on a connection of our own.
// Between chunks of output and while the service is awaited, the program handles its pending
// window events (a print started meanwhile is refused by the open job). Throws, and leaves no
// job behind where the service still answers, when: the service is not running, it keeps the
// program waiting longer than the limit, the printer no longer exists, or the service refuses
// the job (with its own words).
void sendToPrintService(const QString& printer, const QByteArray& pdf, const JobOptions& options);

}  // namespace kreslix
