// Uniform random fractions for the random delays of the tests, seeded afresh
// from the clock at every load of a test window.
#pragma once

#include <random>

namespace tavo {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed_from_clock() = 0;
    // A single-precision fraction in [0, 1).
    virtual float next_fraction() = 0;
};

class SystemRandomSource final : public RandomSource {
public:
    void seed_from_clock() override;
    float next_fraction() override;

private:
    std::mt19937 m_engine;
};

} // namespace tavo
