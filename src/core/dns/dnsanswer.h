#pragma once

#include <QByteArray>

// A query's outcome: c-ares's status (ARES_SUCCESS, ARES_ENODATA, ARES_ENOTFOUND, ...) and, on
// success, the reply as the server sent it.
struct DnsAnswer {
    int status = -1;
    QByteArray reply;
};
