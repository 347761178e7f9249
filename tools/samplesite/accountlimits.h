#pragma once

#include "samplesite/sitereply.h"

#include <QString>

#include <httplib.h>

#include <atomic>
#include <optional>

// How LinkedIn guards a member's account: it counts the requests for result pages (any layout)
// and company pages (about pages included), and may answer them with a security check or
// status 429, or end searching for the month. Sign-in and check pages are not counted. Every
// function may be called from any thread.
class AccountLimits {
public:
    static bool IsCounted(const QString &path);

    // Counts a request to path when it is counted; the refusal it meets, if any. Once the
    // security check is due it answers every counted request; otherwise status 429 when on.
    std::optional<SiteReply> Admit(const QString &path, const QString &base);

    // After count further counted requests, all of them go to the security check; below 0: never.
    void SetCheckpointAfter(int count) { m_checkpointAfter = count; }
    void SetTooManyRequests(bool on) { m_tooManyRequests = on; }
    void SetCommercialUseLimit(bool on) { m_commercialUseLimit = on; }
    bool CommercialUseLimit() const { return m_commercialUseLimit; }
    // Applies "checkpointAfter=N" (-1: off), "status429=1|0" and "commercialLimit=1|0", in any
    // combination; false, changing nothing, when none is given or one is no valid value.
    bool Control(const httplib::Request &request);
    // Switches every limit off; the count stays.
    void Reset();

    int RequestCount() const { return m_requestCount; }
    void ClearRequestCount() { m_requestCount = 0; }

private:
    std::atomic<int> m_checkpointAfter{-1};
    std::atomic<bool> m_tooManyRequests{false};
    std::atomic<bool> m_commercialUseLimit{false};
    std::atomic<int> m_requestCount{0};
};
