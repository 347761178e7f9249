#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// Raised when the site stops, so a request that waits on purpose (slow, trickling, stalled)
// ends at once instead of holding up the server's shutdown.
class StopSignal {
public:
    void Raise();
    void Reset();
    bool IsRaised() const;
    // Waits for the given time; false when the signal was raised before it had passed.
    bool WaitFor(std::chrono::milliseconds duration);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_raised;
    bool m_isRaised = false;
};
