#include "core/net/fetcherror.h"

FetchError FetchErrorFromCurl(CURLcode code) {
    switch (code) {
    case CURLE_OK:
        return FetchError::None;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
        return FetchError::InvalidUrl;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return FetchError::ResolveFailed;
    case CURLE_COULDNT_CONNECT:
        return FetchError::ConnectFailed;
    case CURLE_PROXY:
        return FetchError::ProxyFailed;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
        return FetchError::TlsFailed;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
        return FetchError::Untrusted;
    case CURLE_OPERATION_TIMEDOUT:
        return FetchError::TimedOut;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
        return FetchError::ConnectionLost;
    case CURLE_HTTP_RETURNED_ERROR:
        return FetchError::HttpStatus;
    case CURLE_TOO_MANY_REDIRECTS:
        return FetchError::TooManyRedirects;
    case CURLE_FILESIZE_EXCEEDED:
        return FetchError::TooLarge;
    case CURLE_ABORTED_BY_CALLBACK:
        return FetchError::Aborted;
    case CURLE_FAILED_INIT:
    case CURLE_OUT_OF_MEMORY:
    case CURLE_BAD_FUNCTION_ARGUMENT:
        return FetchError::Internal;
    default:
        return FetchError::Other;
    }
}

QString FetchErrorName(FetchError error) {
    switch (error) {
    case FetchError::None:
        return QStringLiteral("no error");
    case FetchError::NoScheme:
        return QStringLiteral("not a web address");
    case FetchError::InvalidUrl:
        return QStringLiteral("invalid address");
    case FetchError::InvalidProxy:
        return QStringLiteral("invalid proxy");
    case FetchError::ResolveFailed:
        return QStringLiteral("host not found");
    case FetchError::ConnectFailed:
        return QStringLiteral("connection failed");
    case FetchError::ProxyFailed:
        return QStringLiteral("proxy failed");
    case FetchError::TlsFailed:
        return QStringLiteral("TLS failed");
    case FetchError::Untrusted:
        return QStringLiteral("certificate not trusted");
    case FetchError::CaFileUnreadable:
        return QStringLiteral("certificate file unreadable");
    case FetchError::InsecureRedirect:
        return QStringLiteral("redirect from https to http refused");
    case FetchError::TimedOut:
        return QStringLiteral("read timed out");
    case FetchError::ConnectionLost:
        return QStringLiteral("connection lost");
    case FetchError::HttpStatus:
        return QStringLiteral("HTTP error status");
    case FetchError::TooManyRedirects:
        return QStringLiteral("too many redirects");
    case FetchError::TooLarge:
        return QStringLiteral("reply too large");
    case FetchError::TookTooLong:
        return QStringLiteral("fetch took too long");
    case FetchError::Aborted:
        return QStringLiteral("aborted");
    case FetchError::Internal:
        return QStringLiteral("client not set up");
    case FetchError::Other:
        break;
    }
    return QStringLiteral("request failed");
}
