#pragma once

#include "core/net/randomsource.h"

#include <random>

// Random draws from a Mersenne Twister seeded from the system clock.
class ClockRandomSource : public RandomSource {
public:
    void Reseed() override;
    int Below(int bound) override;

private:
    std::mt19937 m_engine;
};
