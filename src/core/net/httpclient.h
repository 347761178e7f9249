#pragma once

#include "core/async/stoptoken.h"
#include "core/net/curlhandle.h"
#include "core/net/curlmulti.h"
#include "core/net/fetchlimits.h"
#include "core/net/fetchresult.h"
#include "core/net/proxyvalues.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <chrono>
#include <optional>

class TransferProgress;

// How the client checks the servers it talks to over TLS: by libcurl's defaults against the
// system's certificate authorities, plus those of caFile when one is named.
struct TlsOptions {
    bool verify = true;
    QString caFile;
};

// What sets a client apart: the shared client keeps cookies and asks caches for fresh copies;
// a one-off client does neither.
struct HttpClientOptions {
    bool keepCookies = true;
    bool noCacheHeaders = true;
    TlsOptions tls;
};

// What a GET gives back: the body's bytes, or its text decoded as it arrives (by the rules of
// DecodeBody: the declared charset or the code page, or UTF-8 whatever is declared).
enum class ReplyAs { Bytes, Text, Utf8Text };

// An HTTP(S) client on libcurl whose requests are awaited: the event loop runs while they wait,
// and nothing here processes events itself. Redirects are followed, and the connection is closed
// after every fetch. Requests may overlap; each has a handle of its own, and cookies (when kept)
// are shared between them, in memory, for the life of the client. An address is sent as a
// browser sends it (RequestUrl).
//
// The client must outlive the requests it runs.
class HttpClient {
public:
    explicit HttpClient(HttpClientOptions options = {});

    ProxyValues &proxy() { return m_proxy; }
    const ProxyValues &proxy() const { return m_proxy; }
    const HttpClientOptions &options() const { return m_options; }
    void setTls(TlsOptions tls) { m_options.tls = std::move(tls); }

    // A request fails when no data arrives for this long (connecting included).
    void setReadTimeout(std::chrono::milliseconds timeout) { m_readTimeout = timeout; }
    std::chrono::milliseconds readTimeout() const { return m_readTimeout; }
    void setLimits(const FetchLimits &limits) { m_limits = limits; }
    const FetchLimits &limits() const { return m_limits; }

    // Optional; not owned.
    void setProgress(TransferProgress *progress) { m_progress = progress; }

    // One GET through the current proxy values. A requested stop ends it at once, as Aborted;
    // its connection closes with it.
    QCoro::Task<FetchResult> Get(QString url, ReplyAs replyAs = ReplyAs::Bytes, StopToken stop = {});
    // Requests in flight.
    int activeCount() const { return m_multi.transferCount(); }

private:
    struct Transfer;

    bool Configure(const QString &url, Transfer &transfer, FetchResult &result) const;
    void ReadOutcome(Transfer &transfer, CURLcode code, FetchResult &result) const;
    void EndProgress(Transfer &transfer, const FetchResult &result) const;

    static size_t WriteBody(char *data, size_t size, size_t count, void *userData);
    static size_t ReadHeader(char *data, size_t size, size_t count, void *userData);

    HttpClientOptions m_options;
    std::optional<CurlCookieShare> m_cookies;
    CurlMulti m_multi;
    ProxyValues m_proxy;
    std::chrono::milliseconds m_readTimeout{60000};
    FetchLimits m_limits;
    TransferProgress *m_progress = nullptr;
};
