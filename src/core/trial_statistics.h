// The figures that describe a test beyond its average: how many trials, their
// mean and median, how much they vary (sample standard deviation and
// coefficient of variation) and the fastest and slowest; for the repetition
// test the four intervals between its five clicks, their mean and spread, and
// the clicks per second. Computed from the readings alone, so an opened file
// and a test just run give the same figures. Trial Details, the detail page,
// Compare Assessments and the summary CSV all show these.
#pragma once

#include "assessment.h"
#include "completed_runs.h"
#include "trial_details.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tavo {

// The spread of a set of millisecond times.
struct Spread {
    int count = 0;
    double mean = 0;
    double median = 0;
    // Needs two times at least.
    std::optional<double> standard_deviation;
    // The standard deviation as a percentage of the mean; none when the mean
    // is not above zero (times edited into negatives), where it means nothing.
    std::optional<double> coefficient_of_variation;
    std::int64_t fastest = 0;
    std::int64_t slowest = 0;
};

// Nothing for no times.
std::optional<Spread> spread_of(const std::vector<std::int64_t>& times);

inline constexpr int repetition_intervals = repetition_clicks - 1;

struct RepetitionFigures {
    // From the end of each click to the end of the next; none where either
    // click was not recorded, since a missing click has no end to measure.
    std::array<std::optional<std::int64_t>, repetition_intervals> intervals{};
    // Over the intervals there are; none when no two recorded clicks follow
    // each other.
    std::optional<Spread> interval_spread;
    // First press to the fifth release; unknown without the fifth click.
    std::optional<std::int64_t> five_clicks_ms;
    // Five clicks over the time they took; none when that time is unknown or
    // not above zero.
    std::optional<double> clicks_per_second;
};

struct TestStatistics {
    TestKind kind = TestKind::activation;
    // The trials that have a reading (a trial with neither reading recorded
    // is left out); the recorded clicks for the repetition test.
    int trials = 0;
    // The response times of the activation and release tests.
    std::optional<Spread> times;
    std::optional<RepetitionFigures> repetition;
};

TestStatistics test_statistics(const TestDetails& details);

// How many trials (clicks) a test's figures stand on, for a place named
// "Trials" ("Clicks"): "10", or "5 of 10 recorded" when some were not.
QString trials_text(const TestStatistics& statistics);

// One line of figures as the views show them: a name and its value.
struct FigureLine {
    QString name;
    QString value;
};

// The figures of a test in the order the views list them, with their units.
std::vector<FigureLine> figure_lines(const TestStatistics& statistics);

// The errors of the moment a test has, as the views list them: the count of
// the run done in this session, or "not recorded" for a test read from a file
// (which does not keep them). Nothing for the repetition test, which has none.
std::optional<FigureLine> error_line(TestKind kind, const RunErrors& errors);
// For a run of this session, where its readings came from ("onsets: display
// frame; presses: input stamps"), and a warning with the error they allow
// when any of them was read on delivery; nothing for a test from a file.
std::vector<FigureLine> origin_lines(TestKind kind, const RunErrors& errors);

// Said wherever the errors of the moment appear.
inline const QString errors_not_stored_note =
    QStringLiteral("Anticipations (presses before the stimulus) and early releases are counted "
                   "while a test runs; they are not stored in the assessment file, so a test "
                   "from an opened file shows \"not recorded\".");

// Milliseconds with one decimal ("312.5"); the percentage ("12.3");
// the clicks per second with two ("3.41"). Always a point, never a comma, so
// the CSV reads the same anywhere.
QString ms_text(double ms);
QString percent_text(double percent);
QString rate_text(double per_second);

} // namespace tavo
