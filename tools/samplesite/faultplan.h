#pragma once

#include "samplesite/samplesite.h"

#include <QString>

#include <chrono>
#include <map>
#include <mutex>

// The faults the site is told to inject, by path prefix. Shared by the server's threads.
class FaultPlan {
public:
    struct Action {
        SampleSite::Fault fault = SampleSite::Fault::None;
        std::chrono::milliseconds delay{0};
    };

    // Fault::None removes the prefix's entry; count below 0 means no limit.
    void Set(const QString &pathPrefix, SampleSite::Fault fault, int count, int delayMs);
    void Clear();
    // The fault for one request to path, using up one of its count: the longest matching
    // prefix wins.
    Action Take(const QString &path);

private:
    struct Entry {
        SampleSite::Fault fault;
        int remaining; // below 0: unlimited
        std::chrono::milliseconds delay;
    };

    std::mutex m_mutex;
    std::map<QString, Entry> m_entries;
};
