#include "printing/cups_status.h"

#include <cups/cups.h>

namespace kreslix {

bool CupsStatus::failed() const {
    return code > IPP_STATUS_OK_EVENTS_COMPLETE;
}

bool CupsStatus::meansNoPrinter() const {
    return code == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || code == IPP_STATUS_ERROR_NOT_FOUND;
}

QString CupsStatus::message() const {
    return QStringLiteral("CUPS Error.  Code: %1.\n%2").arg(code).arg(text);
}

CupsStatus lastCupsStatus() {
    const ipp_status_t code = cupsLastError();
    if (code <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {code, QString()};
    // The text is read only after a failure: after a success libcups may leave it pointing at
    // a message it has already let go of.
    const char* text = cupsLastErrorString();
    if (!text || !*text)
        text = ippErrorString(code);
    return {code, QString::fromLocal8Bit(text)};
}

}  // namespace kreslix
