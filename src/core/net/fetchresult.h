#pragma once

#include "core/net/fetcherror.h"

#include <QByteArray>
#include <QString>

// The outcome of one GET: the final reply's status, content type, address and body (as bytes
// or as text, as the request asked), or the error.
struct FetchResult {
    FetchError error = FetchError::None;
    QString errorText; // libcurl's own message where it gave one
    long httpStatus = 0;
    QByteArray contentType;
    QString effectiveUrl; // where the reply came from, after redirects
    QByteArray body;
    QString text;

    bool ok() const { return error == FetchError::None; }
    // A failure that asking again, through another proxy, cannot mend: the page is missing or
    // removed, or the reply breaks a limit of FetchLimits.
    bool isPermanent() const {
        return (error == FetchError::HttpStatus && (httpStatus == 404 || httpStatus == 410)) ||
               error == FetchError::TooLarge || error == FetchError::TookTooLong;
    }
};
