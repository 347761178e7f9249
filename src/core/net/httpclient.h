#pragma once

#include "core/net/curlhandle.h"
#include "core/net/fetchlimits.h"
#include "core/net/fetchresult.h"
#include "core/net/proxyvalues.h"

#include <QString>

#include <chrono>
#include <functional>

class Host;
class TransferProgress;

// What sets a client apart: the shared client keeps cookies and asks caches for fresh copies;
// a one-off client does neither.
struct HttpClientOptions {
    bool keepCookies = true;
    bool noCacheHeaders = true;
};

// What a GET gives back: the body's bytes, or its text decoded as it arrives (by the rules of
// DecodeBody: the declared charset or the code page, or UTF-8 whatever is declared).
enum class ReplyAs { Bytes, Text, Utf8Text };

// An HTTP(S) client on libcurl that waits without freezing the window: while a request runs,
// the host's events are processed every few milliseconds, so Stop can act on it. Redirects are
// followed, TLS certificates are not verified, and the connection is closed after every fetch.
// Cookies (when kept) stay in memory for the life of the client. An address is sent as a
// browser sends it (RequestUrl).
class HttpClient {
public:
    explicit HttpClient(Host &host, HttpClientOptions options = {});

    ProxyValues &proxy() { return m_proxy; }
    const ProxyValues &proxy() const { return m_proxy; }

    // A request fails when no data arrives for this long (connecting included).
    void setReadTimeout(std::chrono::milliseconds timeout) { m_readTimeout = timeout; }
    std::chrono::milliseconds readTimeout() const { return m_readTimeout; }
    void setLimits(const FetchLimits &limits) { m_limits = limits; }

    // Optional; not owned.
    void setProgress(TransferProgress *progress) { m_progress = progress; }
    // Tested while a request waits; true aborts it.
    void setStopCheck(std::function<bool()> check) { m_stopCheck = std::move(check); }

    // One GET. Refused with FetchError::Busy while another request of this client is running
    // (a request can be asked for from an event processed during the wait).
    FetchResult Get(const QString &url, ReplyAs replyAs = ReplyAs::Bytes);
    // Aborts the request in progress, if any; it then fails with FetchError::Aborted.
    void Disconnect();
    bool isBusy() const { return m_busy; }

private:
    struct Transfer;

    void ApplyFixedOptions();
    bool ApplyRequestOptions(const QString &url, Transfer &transfer, FetchResult &result);
    void RunTransfer(Transfer &transfer, FetchResult &result);
    void ReadOutcome(Transfer &transfer, FetchResult &result);
    void ReportProgress(Transfer &transfer);
    bool StopRequested() const;

    static size_t WriteBody(char *data, size_t size, size_t count, void *userData);
    static size_t ReadHeader(char *data, size_t size, size_t count, void *userData);

    Host &m_host;
    HttpClientOptions m_options;
    CurlHandle m_handle;
    ProxyValues m_proxy;
    std::chrono::milliseconds m_readTimeout{60000};
    FetchLimits m_limits;
    TransferProgress *m_progress = nullptr;
    std::function<bool()> m_stopCheck;
    bool m_busy = false;
    bool m_abortRequested = false;
};
