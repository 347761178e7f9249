#include "samplesite/accountlimits.h"

#include "samplesite/portalpages.h"

bool AccountLimits::IsCounted(const QString &path) {
    return path == u"/vsearch/c" || path == u"/search/results/companies/" || path == u"/search/results/companies" ||
           path.startsWith(u"/company/");
}

std::optional<SiteReply> AccountLimits::Admit(const QString &path, const QString &base) {
    if (!IsCounted(path)) {
        return std::nullopt;
    }
    ++m_requestCount;
    int remaining = m_checkpointAfter.load();
    while (remaining > 0 && !m_checkpointAfter.compare_exchange_weak(remaining, remaining - 1)) {
    }
    if (remaining == 0) {
        return SiteReply::Redirect(base + u"/checkpoint/challenge/AgE?x=1");
    }
    if (m_tooManyRequests) {
        SiteReply reply = SiteReply::Html(PortalPages::TooManyRequests());
        reply.status = 429;
        return reply;
    }
    return std::nullopt;
}

void AccountLimits::Reset() {
    m_checkpointAfter = -1;
    m_tooManyRequests = false;
    m_commercialUseLimit = false;
}
