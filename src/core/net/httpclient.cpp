#include "core/net/httpclient.h"

#include "core/app/version.h"
#include "core/async/completion.h"
#include "core/net/bodytextdecoder.h"
#include "core/net/cabundles.h"
#include "core/net/requesturl.h"
#include "core/net/transferprogress.h"

#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kMaxRedirects = 15;
// How much of a reply is taken in one turn of the event loop: libcurl would otherwise read and
// hand over a fast reply in runs of 1.6 MB, which keeps the loop from turning for many
// milliseconds while the text is decoded. At loopback speed this is well under a millisecond.
constexpr qint64 kBytesPerTurn = 128 * 1024;
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

// True for the Location header of a redirect that would take an https request to http: what
// the request carries (cookies, the address itself) must not go out in the clear.
bool LeavesHttps(CURL *easy, QByteArrayView line) {
    constexpr QByteArrayView name = "location:";
    if (line.size() <= name.size() || qstrnicmp(line.data(), name.data(), name.size()) != 0) {
        return false;
    }
    long status = 0;
    const char *current = nullptr;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &current);
    if (status < 300 || status >= 400 || current == nullptr) {
        return false;
    }
    const QUrl from(QString::fromUtf8(current));
    const QUrl to = from.resolved(QUrl(QString::fromUtf8(line.sliced(name.size()).trimmed())));
    return from.scheme().compare(u"https", Qt::CaseInsensitive) == 0 &&
           to.scheme().compare(u"http", Qt::CaseInsensitive) == 0;
}

// How a transfer ended: libcurl's result, or a reason of ours that ended it before libcurl did.
struct Ending {
    CURLcode code = CURLE_OK;
    FetchError forced = FetchError::None;
};

} // namespace

struct HttpClient::Transfer {
    Transfer(ReplyAs replyAs, qint64 maxBytes, TransferProgress *progress)
        : replyAs(replyAs), maxBytes(maxBytes), progress(progress) {}

    // Forgets what an earlier response of the same request delivered (a redirect's body).
    void StartResponse() {
        body.clear();
        text.reset();
        received = 0;
    }

    // The gauge hears of a body from its first byte on, with the announced length.
    void ReportProgress() {
        if (progress == nullptr || received == reported) {
            return;
        }
        reported = received;
        if (!begun) {
            begun = true;
            curl_off_t length = -1;
            curl_easy_getinfo(handle.easy(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
            progress->IdHTTP1WorkBegin(length > 0 ? static_cast<qint64>(length) : 0);
        }
        progress->IdHTTP1Work(received);
    }

    // Holds the transfer back until the event loop has turned once more.
    void PauseForATurn(QObject *context) {
        paused = true;
        QTimer::singleShot(0, context, [this] {
            paused = false;
            turnBytes = 0;
            curl_easy_pause(handle.easy(), CURLPAUSE_CONT);
        });
    }

    CurlHandle handle;
    ReplyAs replyAs;
    qint64 maxBytes;
    TransferProgress *progress;
    QByteArray body;                     // ReplyAs::Bytes
    std::optional<BodyTextDecoder> text; // the text modes, from the response's first body byte
    qint64 received = 0;                 // body bytes of the current response
    qint64 turnBytes = 0;                // body bytes taken in this turn of the event loop
    bool paused = false;
    QObject *turns = nullptr; // lives as long as the transfer waits
    bool tooLarge = false;
    Clock::time_point started = Clock::now();
    Clock::time_point lastActivity = started;
    bool begun = false;
    qint64 reported = 0;
    Slist headers;
    QByteArray caFilePem;          // the system's and the user's authorities, lent to libcurl
    bool insecureRedirect = false; // a redirect from https to http was refused
    char errorBuffer[CURL_ERROR_SIZE] = {};
};

HttpClient::HttpClient(HttpClientOptions options) : m_options(std::move(options)) {
    if (m_options.keepCookies) {
        m_cookies.emplace();
    }
}

bool HttpClient::Configure(const QString &url, Transfer &transfer, FetchResult &result) const {
    CURL *easy = transfer.handle.easy();
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy, CURLOPT_USERAGENT, HttpUserAgent.toUtf8().constData());
    if (m_options.tls.verify) {
        // Both stores are named: a bundle libcurl is given replaces the one it was built with,
        // and not every libcurl has a CA path to fall back on. So the user's file goes in one
        // bundle with the system's.
        const QString system = SystemCaBundle(easy);
        if (!system.isEmpty()) {
            curl_easy_setopt(easy, CURLOPT_CAINFO, system.toLocal8Bit().constData());
        }
        if (!m_options.tls.caFile.isEmpty()) {
            CaFileBytes bytes = ReadCaFile(m_options.tls.caFile);
            if (!bytes.error.isEmpty()) {
                result.error = FetchError::CaFileUnreadable;
                result.errorText = bytes.error;
                return false;
            }
            if (!system.isEmpty()) {
                transfer.caFilePem = ReadCaFile(system).pem + '\n';
            }
            transfer.caFilePem += bytes.pem;
            curl_blob blob{transfer.caFilePem.data(), static_cast<size_t>(transfer.caFilePem.size()), CURL_BLOB_NOCOPY};
            curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &blob);
        }
    } else {
        curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 0L);
        curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 0L);
    }
    // No connection outlives its fetch.
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
    // The proxy values alone decide; proxy variables of the environment are ignored.
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
    if (m_cookies) {
        curl_easy_setopt(easy, CURLOPT_SHARE, m_cookies->share());
        curl_easy_setopt(easy, CURLOPT_COOKIEFILE, ""); // cookie engine on, in memory only
    }
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpClient::WriteBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpClient::ReadHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer.errorBuffer);

    curl_slist *headers = curl_slist_append(nullptr, kAccept);
    if (m_options.noCacheHeaders) {
        headers = curl_slist_append(headers, "Pragma: no-cache");
        headers = curl_slist_append(headers, "Cache-Control: no-cache");
    }
    transfer.headers.reset(headers);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);

    if (!m_proxy.server.isEmpty()) {
        if (m_proxy.port < 1 || m_proxy.port > 65535) {
            result.error = FetchError::InvalidProxy;
            result.errorText = QStringLiteral("proxy port %1 out of range").arg(m_proxy.port);
            return false;
        }
        curl_easy_setopt(easy, CURLOPT_PROXY, ProxyUrl(m_proxy).constData());
        if (m_proxy.basicAuth) {
            curl_easy_setopt(easy, CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_BASIC));
            curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, m_proxy.userName.toUtf8().constData());
            curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, m_proxy.password.toUtf8().constData());
        }
    } else {
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
    }

    // A reply that announces more is refused before its body comes.
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.maxReplyBytes));
    if (curl_easy_setopt(easy, CURLOPT_URL, RequestUrl(url).toUtf8().constData()) != CURLE_OK) {
        result.error = FetchError::InvalidUrl;
        return false;
    }
    return true;
}

QCoro::Task<FetchResult> HttpClient::Get(QString url, ReplyAs replyAs, StopToken stop) {
    FetchResult result;
    if (stop.requested()) {
        result.error = FetchError::Aborted;
        co_return result;
    }
    Transfer transfer(replyAs, m_limits.maxReplyBytes, m_progress);
    if (!transfer.handle.isValid() || !m_multi.isValid()) {
        result.error = FetchError::Internal;
        co_return result;
    }
    if (!Configure(url, transfer, result)) {
        co_return result;
    }
    CURL *easy = transfer.handle.easy();
    const Completion<Ending> done;
    if (!m_multi.Add(easy, [done](CURLcode code) { done.resolve({code, FetchError::None}); })) {
        result.error = FetchError::Internal;
        co_return result;
    }
    // Ends the transfer without waiting for libcurl; its connection closes at once.
    const auto end = [this, easy, done](FetchError reason) {
        m_multi.Remove(easy);
        done.resolve({CURLE_OK, reason});
    };
    const StopCallback onStop(stop, [end] { end(FetchError::Aborted); });
    // Progress is told from the event loop, where its receiver may do anything, Stop included.
    QObject progressScope;
    QObject::connect(&m_multi, &CurlMulti::advanced, &progressScope, [&transfer] { transfer.ReportProgress(); });
    transfer.turns = &progressScope;

    // One timer watches both limits: it wakes when the earlier of them could be due, and the
    // data that arrived in the meantime decides. The limits are the ones in force at the start.
    const std::chrono::milliseconds readTimeout = m_readTimeout;
    const std::chrono::milliseconds maxDuration = m_limits.maxDuration;
    QTimer deadline;
    deadline.setSingleShot(true);
    const auto arm = [&] {
        const Clock::time_point due = std::min(transfer.lastActivity + readTimeout, transfer.started + maxDuration);
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now());
        deadline.start(std::max<std::chrono::milliseconds>(wait, std::chrono::milliseconds(0)));
    };
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        if (now - transfer.started >= maxDuration) {
            result.errorText = QStringLiteral("longer than %1 ms in all").arg(maxDuration.count());
            end(FetchError::TookTooLong);
        } else if (now - transfer.lastActivity >= readTimeout) {
            result.errorText = QStringLiteral("no data for %1 ms").arg(readTimeout.count());
            end(FetchError::TimedOut);
        } else {
            arm();
        }
    });
    arm();

    const Ending ending = co_await done;
    deadline.stop();
    transfer.ReportProgress(); // the last bytes may have come with the end
    if (ending.forced != FetchError::None) {
        result.error = ending.forced;
    } else {
        ReadOutcome(transfer, ending.code, result);
    }
    EndProgress(transfer, result);
    if (result.ok()) {
        result.body = std::move(transfer.body);
        if (transfer.replyAs != ReplyAs::Bytes) {
            result.text = transfer.text ? transfer.text->Finish() : QString();
        }
    }
    co_return result;
}

void HttpClient::ReadOutcome(Transfer &transfer, CURLcode code, FetchResult &result) const {
    CURL *easy = transfer.handle.easy();
    result.error = FetchErrorFromCurl(code);
    if (code != CURLE_OK) {
        result.errorText = transfer.errorBuffer[0] != '\0' ? QString::fromUtf8(transfer.errorBuffer)
                                                           : QString::fromUtf8(curl_easy_strerror(code));
    }
    if (transfer.insecureRedirect) {
        result.error = FetchError::InsecureRedirect;
        result.errorText = QStringLiteral("a redirect from https to http was refused");
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

void HttpClient::EndProgress(Transfer &transfer, const FetchResult &result) const {
    if (transfer.progress == nullptr) {
        return;
    }
    // An empty reply still begins and ends, so the gauge shows a finished fetch.
    if (result.ok() && !transfer.begun) {
        transfer.begun = true;
        transfer.progress->IdHTTP1WorkBegin(0);
    }
    if (transfer.begun) {
        transfer.progress->IdHTTP1WorkEnd();
    }
}

size_t HttpClient::WriteBody(char *data, size_t size, size_t count, void *userData) {
    auto *transfer = static_cast<Transfer *>(userData);
    const size_t bytes = size * count;
    const auto length = static_cast<qsizetype>(bytes);
    // libcurl keeps what it could not hand over and offers it again once the transfer goes on.
    if (transfer->paused || (transfer->turnBytes >= kBytesPerTurn && transfer->turns != nullptr)) {
        if (!transfer->paused) {
            transfer->PauseForATurn(transfer->turns);
        }
        return CURL_WRITEFUNC_PAUSE;
    }
    transfer->turnBytes += length;
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
            CURL *easy = transfer->handle.easy();
            const char *contentType = nullptr;
            curl_easy_getinfo(easy, CURLINFO_CONTENT_TYPE, &contentType);
            transfer->text.emplace(transfer->replyAs == ReplyAs::Utf8Text, QByteArray(contentType));
            // No encoding gives more characters than bytes.
            curl_off_t announced = -1;
            curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
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
    if (LeavesHttps(transfer->handle.easy(), QByteArrayView(data, static_cast<qsizetype>(bytes)))) {
        transfer->insecureRedirect = true;
        return 0; // libcurl ends the transfer before it follows
    }
    return bytes;
}
