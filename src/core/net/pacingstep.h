#pragma once

struct AppContext;
struct ProxyValues;
class RandomSource;

// The random pause before every paced request, with its status texts: up to eRandom - 1
// whole seconds, then which proxy (or none) the request will use.
class PacingStep {
public:
    PacingStep(AppContext &context, RandomSource &random) : m_context(context), m_random(&random) {}

    void setRandomSource(RandomSource &random) { m_random = &random; }

    // Waits the drawn pause, a second at a time so that a stop ends it early.
    void Run(const ProxyValues &proxy);
    // The pause drawn by the last Run in seconds; -1 when eRandom was not a number.
    int lastPauseSeconds() const { return m_lastPause; }

private:
    AppContext &m_context;
    RandomSource *m_random;
    int m_lastPause = -1;
};
