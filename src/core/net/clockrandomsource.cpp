#include "core/net/clockrandomsource.h"

#include <chrono>

void ClockRandomSource::Reseed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    m_engine.seed(
        static_cast<std::mt19937::result_type>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

int ClockRandomSource::Below(int bound) {
    if (bound <= 1) {
        return 0;
    }
    return std::uniform_int_distribution<int>(0, bound - 1)(m_engine);
}
