#include "samplesite/samplesite.h"

#include "samplesite/accountlimits.h"
#include "samplesite/connectiondrop.h"
#include "samplesite/faultplan.h"
#include "samplesite/faultreplies.h"
#include "samplesite/markuptext.h"
#include "samplesite/resultpages.h"
#include "samplesite/samplecatalog.h"
#include "samplesite/samplenameserver.h"
#include "samplesite/siterouter.h"
#include "samplesite/startvariation.h"
#include "samplesite/stopsignal.h"

#include <QLoggingCategory>

#include <httplib.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace {

Q_LOGGING_CATEGORY(lcSampleSite, "tarnwick.samplesite")

// Requests below this path steer the site and never get a fault.
const QString controlPrefix = QStringLiteral("/_sample/");

// An idle kept-alive connection holds a server thread until this runs out, and the server's
// shutdown waits for it.
constexpr time_t keepAliveSeconds = 1;

void Answer(const SiteReply &reply, httplib::Response &response) {
    response.status = reply.status;
    if (!reply.location.empty()) {
        response.set_header("Location", reply.location);
    }
    for (const auto &[name, value] : reply.headers) {
        response.set_header(name, value);
    }
    response.set_content(reply.body, reply.contentType.c_str());
}

} // namespace

struct SampleSite::State {
    explicit State(SampleSiteOptions siteOptions)
        : options(std::move(siteOptions)), catalog(options), router(catalog, options, variation, limits) {}

    void Handle(const httplib::Request &request, httplib::Response &response);
    void Control(const QString &path, const httplib::Request &request, httplib::Response &response);

    const SampleSiteOptions options;
    const SampleCatalog catalog;
    const StartVariation variation;
    AccountLimits limits;
    const SiteRouter router;
    std::atomic<int> port{-1};
    httplib::Server server;
    std::thread thread;
    StopSignal stopping;
    FaultPlan faults;
    mutable std::mutex logMutex;
    QStringList requestLog;
    SampleNameServer names;

    QString Base() const { return QStringLiteral("http://127.0.0.1:") + QString::number(port.load()); }
};

void SampleSite::State::Handle(const httplib::Request &request, httplib::Response &response) {
    {
        const std::lock_guard lock(logMutex);
        requestLog.append(QString::fromStdString(request.target));
    }
    const QString path = QString::fromStdString(request.path);
    if (path.startsWith(controlPrefix)) {
        Control(path, request, response);
        return;
    }
    // LinkedIn counts a request when it arrives, whatever becomes of it afterwards.
    const std::optional<SiteReply> refusal = limits.Admit(path, Base());
    const FaultPlan::Action fault = faults.Take(path);
    switch (fault.fault) {
    case Fault::NotFound:
        Answer(SiteReply::NotFound(), response);
        return;
    case Fault::ServerError:
        Answer({500, "text/plain; charset=UTF-8", "Internal Server Error\n", {}}, response);
        return;
    case Fault::Stall:
        stopping.WaitFor(fault.delay);
        if (!DropConnection(request)) {
            qCWarning(lcSampleSite) << "Could not find the connection of a stalled request; answering 503";
            Answer({503, "text/plain; charset=UTF-8", "Service Unavailable\n", {}}, response);
        }
        return;
    case Fault::Slow:
        stopping.WaitFor(fault.delay);
        break;
    case Fault::None:
    case Fault::Trickle:
    case Fault::ResetMidBody:
        break;
    }
    SiteReply reply = refusal ? *refusal : router.Route(request, Base());
    if (fault.fault == Fault::Trickle) {
        FaultReplies::Trickle(std::move(reply), fault.delay, stopping, response);
    } else if (fault.fault == Fault::ResetMidBody) {
        FaultReplies::ResetMidBody(std::move(reply), response);
    } else {
        Answer(reply, response);
    }
}

void SampleSite::State::Control(const QString &path, const httplib::Request &request, httplib::Response &response) {
    static const std::pair<const char *, Fault> modes[] = {
        {"none", Fault::None},    {"slow", Fault::Slow},       {"trickle", Fault::Trickle},
        {"404", Fault::NotFound}, {"500", Fault::ServerError}, {"reset", Fault::ResetMidBody},
        {"stall", Fault::Stall},
    };
    if (path == u"/_sample/clear") {
        faults.Clear();
        limits.Reset();
        Answer(SiteReply::Text(QStringLiteral("cleared\n")), response);
        return;
    }
    if (path == u"/_sample/linkedin") {
        if (limits.Control(request)) {
            Answer(SiteReply::Text(QStringLiteral("ok\n")), response);
        } else {
            Answer({400,
                    "text/plain; charset=UTF-8",
                    "expected checkpointAfter=N, status429=0|1 or commercialLimit=0|1\n",
                    {}},
                   response);
        }
        return;
    }
    if (path != u"/_sample/fault" || !request.has_param("path")) {
        Answer(SiteReply::NotFound(), response);
        return;
    }
    const std::string mode = request.get_param_value("mode");
    for (const auto &[name, fault] : modes) {
        if (mode != name) {
            continue;
        }
        bool countGiven = false;
        bool delayGiven = false;
        const int count = QString::fromStdString(request.get_param_value("count")).toInt(&countGiven);
        const int delay = QString::fromStdString(request.get_param_value("delay")).toInt(&delayGiven);
        faults.Set(DecodedQueryValue(request.get_param_value("path")), fault, countGiven ? count : -1,
                   delayGiven ? delay : 2000);
        Answer(SiteReply::Text(QStringLiteral("ok\n")), response);
        return;
    }
    Answer({400, "text/plain; charset=UTF-8", "unknown mode\n", {}}, response);
}

SampleSite::SampleSite(SampleSiteOptions options) : m_state(std::make_unique<State>(std::move(options))) {
    m_state->server.set_keep_alive_timeout(keepAliveSeconds);
    m_state->server.Get(".*", [state = m_state.get()](const httplib::Request &request, httplib::Response &response) {
        state->Handle(request, response);
    });
}

SampleSite::~SampleSite() {
    stop();
}

bool SampleSite::start() {
    if (m_state->thread.joinable()) {
        return true;
    }
    if (!m_state->names.start()) {
        return false;
    }
    httplib::Server &server = m_state->server;
    const int port = m_state->options.port > 0
                         ? (server.bind_to_port("127.0.0.1", m_state->options.port) ? m_state->options.port : -1)
                         : server.bind_to_any_port("127.0.0.1");
    if (port < 0) {
        m_state->names.stop();
        return false;
    }
    m_state->port = port;
    m_state->stopping.Reset();
    m_state->thread = std::thread([&server] { server.listen_after_bind(); });
    // stop() does nothing until the server runs, so returning earlier could leave it serving.
    while (!server.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void SampleSite::stop() {
    m_state->names.stop();
    if (!m_state->thread.joinable()) {
        return;
    }
    // Waiting requests end first, so the server's threads are free to be joined.
    m_state->stopping.Raise();
    m_state->server.stop();
    m_state->thread.join();
}

QString SampleSite::base() const {
    return m_state->Base();
}

Endpoints SampleSite::endpoints() const {
    const QString site = base();
    Endpoints endpoints;
    endpoints.linkedInHttps = site;
    endpoints.linkedInHttp = site;
    endpoints.googleMapsHttp = site;
    endpoints.placesHttp = site;
    endpoints.placesHttps = site;
    endpoints.placesKeyA = SiteRouter::PlacesKeyA();
    endpoints.placesKeyB = SiteRouter::PlacesKeyB();
    endpoints.updateBaseUrl = site + u"/updates/tarnwick/";
    endpoints.newsDataUrl = site + u"/promotions/news/K3816.dat";
    endpoints.offersPageUrl = site + u"/promotions/news/K3816.php";
    endpoints.tutorialUrl = site + u"/tutorial.php";
    endpoints.affiliatesUrl = site + u"/affiliates";
    endpoints.proxyAdviceUrl = site + u"/protect-your-ip";
    // Before start() nothing listens on the discard port, so no lookup leaves the machine.
    const QString names = m_state->names.server();
    endpoints.dnsServer = names.isEmpty() ? QStringLiteral("127.0.0.1:9") : names;
    return endpoints;
}

QString SampleSite::searchUrl(int layout, int page) const {
    return base() + ResultPages::Path(layout, m_state->options.keyword, page);
}

QList<SampleCompany> SampleSite::companies(int layout, int page) const {
    QList<SampleCompany> entries = m_state->catalog.page(layout, page);
    for (SampleCompany &company : entries) {
        for (QString *address : {&company.website, &company.companyPage}) {
            if (!address->isEmpty()) {
                address->prepend(base());
            }
        }
    }
    return entries;
}

bool SampleSite::behindSignInWall(int layout, int page, int entryIndex) const {
    const QList<SampleCompany> entries = m_state->catalog.page(layout, page);
    return entryIndex >= 0 && entryIndex < entries.size() && entries.at(entryIndex).signInWall;
}

void SampleSite::setCheckpointAfter(int count) {
    m_state->limits.SetCheckpointAfter(count);
}

void SampleSite::setTooManyRequests(bool on) {
    m_state->limits.SetTooManyRequests(on);
}

void SampleSite::setCommercialUseLimit(bool on) {
    m_state->limits.SetCommercialUseLimit(on);
}

int SampleSite::linkedInRequestCount() const {
    return m_state->limits.RequestCount();
}

void SampleSite::setFault(const QString &pathPrefix, Fault fault, int count, int delayMs) {
    m_state->faults.Set(pathPrefix, fault, count, delayMs);
}

void SampleSite::clearFaults() {
    m_state->faults.Clear();
}

QStringList SampleSite::requestedTargets() const {
    const std::lock_guard lock(m_state->logMutex);
    return m_state->requestLog;
}

void SampleSite::clearRequestLog() {
    const std::lock_guard lock(m_state->logMutex);
    m_state->requestLog.clear();
    m_state->limits.ClearRequestCount();
}
