#pragma once

// The random draws of the pacing step; tests put in a scripted source.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Seeds the generator anew from the clock.
    virtual void Reseed() = 0;
    // A whole number from 0 to bound - 1, uniformly; bound is at least 1.
    virtual int Below(int bound) = 0;
};
