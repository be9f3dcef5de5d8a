// The results of an assessment as data, computed from the raw clock readings:
// for the activation and release tests the average, fastest and slowest
// response time of the trials that were recorded, and the repetition test's
// time for five clicks. The Test Results tab, the sheet and the command line's
// summary each format this one value; the captions they share are here.
#pragma once

#include "assessment.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace tavo {

// A trial with neither reading has nothing recorded (the clock never reads 0
// for a reading taken): an edited or damaged file, or a run cut short by hand.
// It takes part in no figure, so it can neither pass for a 0 ms response nor
// drag an average down.
inline bool trial_recorded(ClockReading onset, ClockReading response) {
    return onset != 0 || response != 0;
}

// A timed test's recorded trials: how many, their total, fastest and slowest
// response time, and the average rounded to the nearest millisecond with
// halves to the even one. Computed in 64 bits, so long responses cannot
// overflow.
struct TrialSummary {
    int recorded = 0;
    std::int64_t total = 0;
    std::int64_t fastest = 0;
    std::int64_t slowest = 0;
    std::int64_t average = 0;

    friend bool operator==(const TrialSummary&, const TrialSummary&) = default;
};

TrialSummary summarise_trials(const std::array<ClockReading, trials_per_test>& onsets,
                              const std::array<ClockReading, trials_per_test>& responses);

// Whether a test has results, by the one rule every view uses: recorded
// trials that add up to at least 1 ms.
inline bool has_results(const TrialSummary& summary) {
    return summary.total >= 1;
}

// The time from the first press to the end of the fifth click, when both
// were recorded and it is at least 1 ms: otherwise the repetition test has no
// result. A click's reading of 0 was never taken, so a time counted from or
// to it would be made up.
std::optional<std::int64_t> five_clicks_time(const TestData& data);

// What every view shows of an assessment: nothing for a test without results.
struct TestResults {
    std::optional<TrialSummary> activation;
    std::optional<TrialSummary> release;
    std::optional<std::int64_t> five_clicks; // ms
    // With a time for five clicks, the clicks before the fifth whose end was
    // not recorded; 0 otherwise.
    int unrecorded_clicks = 0;

    friend bool operator==(const TestResults&, const TestResults&) = default;
};

TestResults test_results(const TestData& data);

// "5 of 10 trials recorded" when a timed test has fewer recorded trials than
// it runs; nothing for a complete test. Every view that shows a timed test's
// figures says this where they stand.
std::optional<QString> recorded_trials_note(int recorded);

// The captions of the results, the same on screen, on the sheet and on the
// command line. A timed test's, in order: "Average Response Time: 00:00.250",
// "Fastest = 00:00.250", "Slowest = 00:00.250", then the recorded-trials
// note if it has one; for a test without results "Test Not Completed" and
// two empty captions, so every view keeps its lines in their places.
QStringList timed_test_captions(const std::optional<TrialSummary>& summary);
// "4 of 5 clicks recorded" when the repetition test has a time for five
// clicks but some click before the fifth was not recorded; nothing otherwise.
std::optional<QString> recorded_clicks_note(const TestResults& results);

// "Time For 5 Clicks: 00:04.321" or "Test Not Completed".
QString repetition_caption(const std::optional<std::int64_t>& five_clicks);
// The repetition caption, then the recorded-clicks note if it has one.
QStringList repetition_captions(const TestResults& results);

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
