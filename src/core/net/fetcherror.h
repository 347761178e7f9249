#pragma once

#include <QString>

#include <curl/curl.h>

// Why a fetch failed. Every libcurl result is mapped here, in one place.
enum class FetchError {
    None,
    NoScheme,         // the address does not begin with "http"; nothing was asked
    InvalidUrl,       // malformed address or a scheme other than http and https
    InvalidProxy,     // the proxy values cannot be used (port out of range)
    ResolveFailed,    // host or proxy name not found
    ConnectFailed,    // connection refused or unreachable
    ProxyFailed,      // the proxy refused the request or the tunnel
    TlsFailed,        // the TLS layer could not be set up or the handshake failed
    Untrusted,        // the server's certificate is not trusted or does not name the host
    CaFileUnreadable, // the named bundle of further authorities is missing or cannot be read
    InsecureRedirect, // a redirect from https to http, refused before it was followed
    TimedOut,         // no data arrived within the read time-out
    ConnectionLost,   // the connection closed or was reset before the reply was complete
    HttpStatus,       // the server answered with an error status (400 and above)
    TooManyRedirects, // the redirect limit was reached
    TooLarge,         // the reply is larger than the limit
    TookTooLong,      // the whole fetch lasted longer than the limit, however steadily data came
    Aborted,          // stopped by the user
    Internal,         // the client could not be set up
    Other,
};

FetchError FetchErrorFromCurl(CURLcode code);
// A short English description for logs and tests.
QString FetchErrorName(FetchError error);
