#pragma once

#include "core/async/stoptoken.h"

#include <qcoro/qcorotask.h>

#include <chrono>

struct AppSettings;
struct ProxyValues;
class RandomSource;
class StatusSink;
class UiTexts;

// The random pause before every paced request, with its status texts: up to eRandom - 1
// whole seconds, then which proxy (or none) the request will use.
class PacingStep {
public:
    PacingStep(const AppSettings &settings, StatusSink &status, const UiTexts &texts, RandomSource &random)
        : m_settings(settings), m_status(status), m_texts(texts), m_random(&random) {}

    void setRandomSource(RandomSource &random) { m_random = &random; }
    // How long one second of pause lasts; tests make it shorter.
    void setSecond(std::chrono::milliseconds second) { m_second = second; }

    // Waits the drawn pause; a requested stop ends it at once.
    QCoro::Task<> Run(const ProxyValues &proxy, StopToken stop);
    // The pause drawn by the last Run in seconds; -1 when eRandom was not a number.
    int lastPauseSeconds() const { return m_lastPause; }

private:
    const AppSettings &m_settings;
    StatusSink &m_status;
    const UiTexts &m_texts;
    RandomSource *m_random;
    std::chrono::milliseconds m_second{1000};
    int m_lastPause = -1;
};
