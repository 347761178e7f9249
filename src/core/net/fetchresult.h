#pragma once

#include "core/net/fetcherror.h"

#include <QByteArray>
#include <QString>

// The outcome of one GET: the final reply's status, content type and body bytes, or the error.
struct FetchResult {
    FetchError error = FetchError::None;
    QString errorText; // libcurl's own message where it gave one
    long httpStatus = 0;
    QByteArray contentType;
    QByteArray body;

    bool ok() const { return error == FetchError::None; }
};
