#include "core/net/httpclient.h"

#include "core/app/version.h"
#include "core/host/host.h"
#include "core/net/bodytextdecoder.h"
#include "core/net/requesturl.h"
#include "core/net/transferprogress.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// curl_multi_poll sleeps at most this long, so events are processed about every 10 ms.
constexpr int kPollMs = 10;
constexpr long kMaxRedirects = 15;
constexpr const char *kAccept = "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

struct SlistDeleter {
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

QByteArray ProxyUrl(const ProxyValues &proxy) {
    QByteArray host = proxy.server.toUtf8();
    if (host.contains(':') && !host.startsWith('[')) {
        host = '[' + host + ']';
    }
    return "http://" + host + ':' + QByteArray::number(proxy.port);
}

} // namespace

struct HttpClient::Transfer {
    Transfer(CURL *easy, ReplyAs replyAs, qint64 maxBytes) : easy(easy), replyAs(replyAs), maxBytes(maxBytes) {}

    // Forgets what an earlier response of the same request delivered (a redirect's body).
    void StartResponse() {
        body.clear();
        text.reset();
        received = 0;
    }

    CURL *easy;
    ReplyAs replyAs;
    qint64 maxBytes;
    QByteArray body;                     // ReplyAs::Bytes
    std::optional<BodyTextDecoder> text; // the text modes, from the response's first body byte
    qint64 received = 0;                 // body bytes of the current response
    bool tooLarge = false;
    Clock::time_point started = Clock::now();
    Clock::time_point lastActivity = started;
    bool begun = false;
    qint64 reportedCount = -1;
    Slist headers;
    char errorBuffer[CURL_ERROR_SIZE] = {};
};

HttpClient::HttpClient(Host &host, HttpClientOptions options) : m_host(host), m_options(options) {
    ApplyFixedOptions();
}

void HttpClient::ApplyFixedOptions() {
    CURL *easy = m_handle.easy();
    if (easy == nullptr) {
        return;
    }
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_USERAGENT, HttpUserAgent.toUtf8().constData());
    // The program talks to sites whose certificates it cannot judge; it never verifies them.
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 0L);
    // No connection outlives its fetch.
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
    // The proxy values alone decide; proxy variables of the environment are ignored.
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
    if (m_options.keepCookies) {
        curl_easy_setopt(easy, CURLOPT_COOKIEFILE, ""); // cookie engine on, in memory only
    }
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpClient::WriteBody);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpClient::ReadHeader);
}

bool HttpClient::ApplyRequestOptions(const QString &url, Transfer &transfer, FetchResult &result) {
    CURL *easy = m_handle.easy();
    curl_slist *headers = curl_slist_append(nullptr, kAccept);
    if (m_options.noCacheHeaders) {
        headers = curl_slist_append(headers, "Pragma: no-cache");
        headers = curl_slist_append(headers, "Cache-Control: no-cache");
    }
    transfer.headers.reset(headers);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer.errorBuffer);

    if (m_proxy.server.isEmpty()) {
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
    } else {
        if (m_proxy.port < 1 || m_proxy.port > 65535) {
            result.error = FetchError::InvalidProxy;
            result.errorText = QStringLiteral("proxy port %1 out of range").arg(m_proxy.port);
            return false;
        }
        curl_easy_setopt(easy, CURLOPT_PROXY, ProxyUrl(m_proxy).constData());
    }
    if (!m_proxy.server.isEmpty() && m_proxy.basicAuth) {
        curl_easy_setopt(easy, CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_BASIC));
        curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, m_proxy.userName.toUtf8().constData());
        curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, m_proxy.password.toUtf8().constData());
    } else {
        curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, nullptr);
        curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, nullptr);
    }

    // A reply that announces more is refused before its body comes.
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.maxReplyBytes));
    if (curl_easy_setopt(easy, CURLOPT_URL, RequestUrl(url).toUtf8().constData()) != CURLE_OK) {
        result.error = FetchError::InvalidUrl;
        return false;
    }
    return true;
}

FetchResult HttpClient::Get(const QString &url, ReplyAs replyAs) {
    FetchResult result;
    if (m_busy) {
        result.error = FetchError::Busy;
        return result;
    }
    if (!m_handle.isValid()) {
        result.error = FetchError::Internal;
        return result;
    }
    m_busy = true;
    m_abortRequested = false;
    Transfer transfer(m_handle.easy(), replyAs, m_limits.maxReplyBytes);
    if (ApplyRequestOptions(url, transfer, result)) {
        RunTransfer(transfer, result);
    }
    // The easy handle outlives this transfer; nothing may point into it afterwards.
    curl_easy_setopt(m_handle.easy(), CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(m_handle.easy(), CURLOPT_ERRORBUFFER, nullptr);
    m_busy = false;
    m_abortRequested = false;
    return result;
}

void HttpClient::RunTransfer(Transfer &transfer, FetchResult &result) {
    CURL *easy = m_handle.easy();
    CURLM *multi = m_handle.multi();
    if (curl_multi_add_handle(multi, easy) != CURLM_OK) {
        result.error = FetchError::Internal;
        return;
    }
    transfer.started = Clock::now();
    transfer.lastActivity = transfer.started;
    bool finished = false;
    while (true) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result.error = FetchError::Internal;
            break;
        }
        ReportProgress(transfer);
        if (running == 0) {
            finished = true;
            break;
        }
        if (StopRequested()) {
            result.error = FetchError::Aborted;
            break;
        }
        const Clock::time_point now = Clock::now();
        if (now - transfer.lastActivity > m_readTimeout) {
            result.error = FetchError::TimedOut;
            result.errorText = QStringLiteral("no data for %1 ms").arg(m_readTimeout.count());
            break;
        }
        if (now - transfer.started > m_limits.maxDuration) {
            result.error = FetchError::TookTooLong;
            result.errorText = QStringLiteral("longer than %1 ms in all").arg(m_limits.maxDuration.count());
            break;
        }
        curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
        m_host.processEvents();
    }

    if (finished) {
        ReadOutcome(transfer, result);
    }
    // Removing the handle also stops an unfinished transfer and, with reuse forbidden, closes
    // its connection.
    curl_multi_remove_handle(multi, easy);

    if (m_progress != nullptr) {
        if (result.ok() && !transfer.begun) {
            transfer.begun = true;
            m_progress->IdHTTP1WorkBegin(0);
        }
        if (transfer.begun) {
            m_progress->IdHTTP1WorkEnd();
        }
    }
    if (result.ok()) {
        result.body = std::move(transfer.body);
        if (transfer.replyAs != ReplyAs::Bytes) {
            result.text = transfer.text ? transfer.text->Finish() : QString();
        }
    }
}

void HttpClient::ReadOutcome(Transfer &transfer, FetchResult &result) {
    CURL *easy = m_handle.easy();
    CURLcode code = CURLE_OK;
    int pending = 0;
    while (CURLMsg *message = curl_multi_info_read(m_handle.multi(), &pending)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
            code = message->data.result;
        }
    }
    result.error = FetchErrorFromCurl(code);
    if (code != CURLE_OK) {
        result.errorText = transfer.errorBuffer[0] != '\0' ? QString::fromUtf8(transfer.errorBuffer)
                                                           : QString::fromUtf8(curl_easy_strerror(code));
    }
    if (transfer.tooLarge) {
        result.error = FetchError::TooLarge;
        result.errorText = QStringLiteral("more than %1 bytes").arg(transfer.maxBytes);
    }
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &result.httpStatus);
    if (result.ok() && result.httpStatus >= 400) {
        result.error = FetchError::HttpStatus;
        result.errorText = QStringLiteral("HTTP status %1").arg(result.httpStatus);
    }
    const char *contentType = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType != nullptr) {
        result.contentType = contentType;
    }
    const char *effectiveUrl = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effectiveUrl) == CURLE_OK && effectiveUrl != nullptr) {
        result.effectiveUrl = QString::fromUtf8(effectiveUrl);
    }
}

void HttpClient::ReportProgress(Transfer &transfer) {
    if (m_progress == nullptr || transfer.received == 0) {
        return;
    }
    if (!transfer.begun) {
        transfer.begun = true;
        curl_off_t length = -1;
        curl_easy_getinfo(m_handle.easy(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        m_progress->IdHTTP1WorkBegin(length > 0 ? static_cast<qint64>(length) : 0);
    }
    if (transfer.reportedCount != transfer.received) {
        transfer.reportedCount = transfer.received;
        m_progress->IdHTTP1Work(transfer.reportedCount);
    }
}

void HttpClient::Disconnect() {
    if (m_busy) {
        m_abortRequested = true;
    }
}

bool HttpClient::StopRequested() const {
    return m_abortRequested || (m_stopCheck && m_stopCheck());
}

size_t HttpClient::WriteBody(char *data, size_t size, size_t count, void *userData) {
    auto *transfer = static_cast<Transfer *>(userData);
    const size_t bytes = size * count;
    const auto length = static_cast<qsizetype>(bytes);
    if (transfer->received + length > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0; // libcurl ends the transfer
    }
    transfer->received += length;
    if (transfer->replyAs == ReplyAs::Bytes) {
        transfer->body.append(data, length);
    } else {
        // The text grows as the body arrives, so no long decoding waits at the end.
        if (!transfer->text) {
            const char *contentType = nullptr;
            curl_easy_getinfo(transfer->easy, CURLINFO_CONTENT_TYPE, &contentType);
            transfer->text.emplace(transfer->replyAs == ReplyAs::Utf8Text, QByteArray(contentType));
            // No encoding gives more characters than bytes.
            curl_off_t announced = -1;
            curl_easy_getinfo(transfer->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
            if (announced > 0) {
                transfer->text->Reserve(static_cast<qsizetype>(std::min<curl_off_t>(announced, transfer->maxBytes)));
            }
        }
        transfer->text->Append(QByteArrayView(data, length));
    }
    transfer->lastActivity = Clock::now();
    return bytes;
}

size_t HttpClient::ReadHeader(char *data, size_t size, size_t count, void *userData) {
    auto *transfer = static_cast<Transfer *>(userData);
    const size_t bytes = size * count;
    // A status line starts a new response (after a redirect or a proxy's tunnel reply); only
    // the last response's body is the reply.
    if (bytes >= 5 && qstrncmp(data, "HTTP/", 5) == 0) {
        transfer->StartResponse();
    }
    transfer->lastActivity = Clock::now();
    return bytes;
}
