// The Test Results tab's figures, computed from the raw clock readings: the
// average, fastest and slowest response time of the activation and release
// tests, and the time for five clicks of the repetition test.
#pragma once

#include "assessment.h"

#include <QString>

namespace tavo {

// The Test Results tab's texts: each test's average (or "Test Not
// Completed"), fastest and slowest, and the repetition test's five clicks.
struct ResultTexts {
    QString activation_average;
    QString activation_fastest;
    QString activation_slowest;
    QString release_average;
    QString release_fastest;
    QString release_slowest;
    QString five_clicks;

    friend bool operator==(const ResultTexts&, const ResultTexts&) = default;
};

// Ten trials' response times: their total, fastest and slowest, and the
// average rounded to the nearest millisecond with halves to the even one.
// Computed in 64 bits, so long responses cannot overflow.
struct TrialSummary {
    std::int64_t total = 0;
    std::int32_t fastest = 0;
    std::int32_t slowest = 0;
    std::int32_t average = 0;
};

TrialSummary summarise_trials(const std::array<ClockReading, trials_per_test>& onsets,
                              const std::array<ClockReading, trials_per_test>& responses);

// Whether a test has results, by the one rule every view uses: ten trials
// that add up to at least 1 ms, or five clicks that took at least 1 ms.
inline bool has_results(const TrialSummary& summary) {
    return summary.total >= 1;
}
std::int32_t five_clicks_time(const TestData& data);
inline bool has_repetition_results(const TestData& data) {
    return five_clicks_time(data) >= 1;
}

ResultTexts compute_results(const TestData& data);

// The difference of two readings of the one clock. The clock wraps after
// about 49.7 days, so the difference is taken modulo 2^32.
std::int32_t reading_difference(ClockReading later, ClockReading earlier);

} // namespace tavo
