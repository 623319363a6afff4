#include "printing/print_service.h"

#include <cups/cups.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

#include "printing/cups_status.h"

namespace kreslix {
namespace {

// While the service is silent, libcups asks every tenth of a second whether to go on waiting.
constexpr int kSilenceStepMs = 100;
// A page goes to the service in pieces this large, with the window's events handled in between.
constexpr qsizetype kChunkBytes = 64 * 1024;

QString printerGoneMessage(const QString& printer) {
    return QStringLiteral(
               "The printer \"%1\" no longer exists; choose another printer in the "
               "printer setup")
        .arg(printer);
}

// A connection of our own to the print service. libcups waits on it only as long as the silence
// callback allows: it adds up the time the service keeps us waiting and gives up past the limit,
// handling the program's events at each step meanwhile.
class ServiceConnection {
public:
    explicit ServiceConnection(QEventLoop::ProcessEventsFlags events) : events_(events) {
        int cancel = 0;
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             kPrintServiceAnswerLimitMs, &cancel);
        if (!http_)
            throw PrintServiceNotRunning();
        httpSetTimeout(http_, kSilenceStepMs / 1000.0, &ServiceConnection::goOnWaiting, this);
    }
    ~ServiceConnection() { httpClose(http_); }
    ServiceConnection(const ServiceConnection&) = delete;
    ServiceConnection& operator=(const ServiceConnection&) = delete;

    http_t* http() const { return http_; }
    bool gaveUp() const { return silentMs_ >= kPrintServiceAnswerLimitMs; }
    // Whether the connection itself failed, rather than the service refusing a request.
    bool broken() const { return gaveUp() || httpError(http_) != 0; }

    // What went wrong with the last request, in words for the user. Given the printer that the
    // request was addressed to, "not found" means that printer is gone.
    QString failure(const QString& printer = {}) const {
        if (gaveUp())
            return printServiceNotAnsweringMessage();
        const CupsStatus status = lastCupsStatus();
        if (status.code == IPP_STATUS_ERROR_NOT_FOUND && !printer.isEmpty())
            return printerGoneMessage(printer);
        if (broken() || status.code == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
            return PrintServiceNotRunning().message();
        return status.message();
    }

private:
    static int goOnWaiting(http_t*, void* connection) {
        auto* self = static_cast<ServiceConnection*>(connection);
        self->silentMs_ += kSilenceStepMs;
        if (self->gaveUp())
            return 0;
        QCoreApplication::processEvents(self->events_);
        return 1;
    }

    http_t* http_ = nullptr;
    QEventLoop::ProcessEventsFlags events_;
    int silentMs_ = 0;
};

// Create-Job on the printer's queue, as cupsCreateJob asks it, but without its looking the
// printer up first on libcups's shared connection, which waits for a silent service for minutes.
int createJob(ServiceConnection& service, const QByteArray& queue, const JobOptions& options) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queue.constData());
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, "");
    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const auto& [name, value] : options)
        count = cupsAddOption(name.constData(), value.constData(), count, &cupsOptions);
    cupsEncodeOptions2(request, count, cupsOptions, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, count, cupsOptions, IPP_TAG_JOB);
    cupsFreeOptions(count, cupsOptions);
    ipp_t* answer = cupsDoRequest(service.http(), request, ("/printers/" + queue).constData());
    ipp_attribute_t* id = ippFindAttribute(answer, "job-id", IPP_TAG_INTEGER);
    const int job = id ? ippGetInteger(id, 0) : 0;
    ippDelete(answer);
    return job;
}

}  // namespace

QString printServiceNotAnsweringMessage() {
    return QStringLiteral("The print service (CUPS) does not answer; try again once it works");
}

PrintServiceNotRunning::PrintServiceNotRunning()
    : KreslixError(QStringLiteral("The print service (CUPS) is not running or can't be reached; "
                                  "start it, then try again")) {}

void checkPrintServiceAnswers() {
    ServiceConnection service(QEventLoop::ExcludeUserInputEvents);
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_DEFAULT);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    // Any answer will do, "no default printer" too; only silence and a broken connection fail.
    ipp_t* answer = cupsDoRequest(service.http(), request, "/");
    const bool answered = answer != nullptr;
    ippDelete(answer);
    if (answered)
        return;
    if (service.gaveUp())
        throw KreslixError(printServiceNotAnsweringMessage());
    throw PrintServiceNotRunning();
}

void sendToPrintService(const QString& printer, const QByteArray& pdf, const JobOptions& options) {
    ServiceConnection service(QEventLoop::AllEvents);
    // An instance ("printer/instance") only carries saved options; the job goes to its printer.
    const QByteArray queue = printer.section(u'/', 0, 0).toLocal8Bit();
    const int job = createJob(service, queue, options);
    if (job == 0)
        throw KreslixError(service.failure(printer));

    http_status_t sending =
        cupsStartDocument(service.http(), queue.constData(), job, "", CUPS_FORMAT_PDF, 1);
    for (qsizetype at = 0; sending == HTTP_STATUS_CONTINUE && at < pdf.size(); at += kChunkBytes) {
        const qsizetype size = std::min(kChunkBytes, pdf.size() - at);
        sending = cupsWriteRequestData(service.http(), pdf.constData() + at, size_t(size));
        QCoreApplication::processEvents();
    }
    if (sending == HTTP_STATUS_CONTINUE &&
        cupsFinishDocument(service.http(), queue.constData()) == IPP_STATUS_OK) {
        return;
    }
    const QString failure = service.failure();
    // A job whose page did not arrive would wait in the queue for nothing.
    if (!service.broken())
        cupsCancelJob2(service.http(), queue.constData(), job, 0);
    throw KreslixError(failure);
}

}  // namespace kreslix
