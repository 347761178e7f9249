#include "samplesite/stopsignal.h"

void StopSignal::Raise() {
    {
        const std::lock_guard lock(m_mutex);
        m_isRaised = true;
    }
    m_raised.notify_all();
}

void StopSignal::Reset() {
    const std::lock_guard lock(m_mutex);
    m_isRaised = false;
}

bool StopSignal::IsRaised() const {
    const std::lock_guard lock(m_mutex);
    return m_isRaised;
}

bool StopSignal::WaitFor(std::chrono::milliseconds duration) {
    std::unique_lock lock(m_mutex);
    return !m_raised.wait_for(lock, duration, [this] { return m_isRaised; });
}
