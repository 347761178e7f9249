#include "samplesite/faultplan.h"

#include <algorithm>

void FaultPlan::Set(const QString &pathPrefix, SampleSite::Fault fault, int count, int delayMs) {
    const std::lock_guard lock(m_mutex);
    if (fault == SampleSite::Fault::None || count == 0) {
        m_entries.erase(pathPrefix);
        return;
    }
    m_entries[pathPrefix] = Entry{fault, count, std::chrono::milliseconds(std::max(delayMs, 0))};
}

void FaultPlan::Clear() {
    const std::lock_guard lock(m_mutex);
    m_entries.clear();
}

FaultPlan::Action FaultPlan::Take(const QString &path) {
    const std::lock_guard lock(m_mutex);
    auto chosen = m_entries.end();
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
        if (path.startsWith(entry->first) &&
            (chosen == m_entries.end() || entry->first.size() > chosen->first.size())) {
            chosen = entry;
        }
    }
    if (chosen == m_entries.end()) {
        return {};
    }
    const Action action{chosen->second.fault, chosen->second.delay};
    if (chosen->second.remaining > 0 && --chosen->second.remaining == 0) {
        m_entries.erase(chosen);
    }
    return action;
}
