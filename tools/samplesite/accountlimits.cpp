#include "samplesite/accountlimits.h"

#include "samplesite/portalpages.h"

#include <limits>

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

bool AccountLimits::Control(const httplib::Request &request) {
    const auto read = [&request](const char *name, int minimum, int maximum, std::optional<int> &value) {
        if (!request.has_param(name)) {
            return true;
        }
        bool isNumber = false;
        const int number = QString::fromStdString(request.get_param_value(name)).toInt(&isNumber);
        value = number;
        return isNumber && number >= minimum && number <= maximum;
    };
    std::optional<int> checkpointAfter;
    std::optional<int> status429;
    std::optional<int> commercialLimit;
    const bool valid = read("checkpointAfter", -1, std::numeric_limits<int>::max(), checkpointAfter) &&
                       read("status429", 0, 1, status429) && read("commercialLimit", 0, 1, commercialLimit);
    if (!valid || !(checkpointAfter || status429 || commercialLimit)) {
        return false;
    }
    if (checkpointAfter) {
        SetCheckpointAfter(*checkpointAfter);
    }
    if (status429) {
        SetTooManyRequests(*status429 == 1);
    }
    if (commercialLimit) {
        SetCommercialUseLimit(*commercialLimit == 1);
    }
    return true;
}
