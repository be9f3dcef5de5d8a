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
    std::int64_t fastest = 0;
    std::int64_t slowest = 0;
    std::int64_t average = 0;
};

TrialSummary summarise_trials(const std::array<ClockReading, trials_per_test>& onsets,
                              const std::array<ClockReading, trials_per_test>& responses);

// Whether a test has results, by the one rule every view uses: ten trials
// that add up to at least 1 ms, or five clicks that took at least 1 ms.
inline bool has_results(const TrialSummary& summary) {
    return summary.total >= 1;
}
std::int64_t five_clicks_time(const TestData& data);
inline bool has_repetition_results(const TestData& data) {
    return five_clicks_time(data) >= 1;
}

ResultTexts compute_results(const TestData& data);

// The time from one reading of the clock to a later one, in 64 bits. The
// clock counts in 32 bits and wraps from its largest value to its most
// negative one, so a plain difference below the 32-bit range can only be a
// run that crossed the wrap: 2^32 is added back. Every other difference is
// the plain one, however absurd (an edited file's response before its
// stimulus stays negative, one weeks later stays weeks).
std::int64_t reading_difference(ClockReading later, ClockReading earlier);

// The wrap's own arithmetic: the difference modulo 2^32, which is what a
// time of day derived through the clock needs when the plain sum overflows.
std::int32_t wrapped_reading_difference(ClockReading later, ClockReading earlier);

} // namespace tavo
