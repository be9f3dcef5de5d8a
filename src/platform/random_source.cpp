#include "random_source.h"

#include <chrono>

namespace tavo {

void SystemRandomSource::seed_from_clock() {
    m_engine.seed(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

float SystemRandomSource::next_fraction() {
    // 24 random bits give every float in [0, 1) with that spacing, never 1.
    return static_cast<float>(m_engine() >> 8) / 16777216.0f;
}

} // namespace tavo
