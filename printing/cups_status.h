#pragma once

#include <QString>
#include <optional>

namespace kreslix {

// What the print service (CUPS) answered to the last request this thread made through it.
struct CupsStatus {
    int code;
    QString text;

    // Whether the request failed, for whatever reason.
    bool failed() const;
    // Whether the failure only says that there is no printer to be had: the service could not
    // be reached, or it knows no such printer.
    bool meansNoPrinter() const;
    // "CUPS Error.  Code: %d.\n%s" with the code and the service's text.
    QString message() const;
};

CupsStatus lastCupsStatus();

}  // namespace kreslix
