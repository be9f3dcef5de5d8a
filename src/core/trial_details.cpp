#include "trial_details.h"

#include "clock_text.h"

namespace tavo {

namespace {

// A reading as the clock text the assessment file gives it; empty when it has none.
QString time_of_day_text(const LocalTime& start_time, ClockReading start_tick,
                         ClockReading reading) {
    const std::optional<std::int32_t> time = reading_time_of_day(start_time, start_tick, reading);
    return time ? format_clock_text(*time) : QString();
}

std::optional<TestDetails> timed_test(TestKind kind, const TimedTestData& test) {
    const TrialSummary summary = summarise_trials(test.onsets, test.responses);
    if (!has_results(summary)) {
        return std::nullopt;
    }
    TestDetails details{kind, {}, summary.average};
    for (int i = 0; i < trials_per_test; ++i) {
        // An unrecorded trial keeps its row, so the trials keep their numbers,
        // but has no time: 0 ms would read as a response.
        const ClockReading onset = test.onsets[i];
        const ClockReading response = test.responses[i];
        if (!trial_recorded(onset, response)) {
            details.rows.push_back({i + 1, 0, 0, 0, {}, {}, trial_not_recorded_note});
            continue;
        }
        const std::int64_t response_ms = reading_difference(response, onset);
        details.rows.push_back({i + 1, onset, response, response_ms,
                                time_of_day_text(test.start_time, test.start_tick, onset),
                                time_of_day_text(test.start_time, test.start_tick, response),
                                absurd_response_note(response_ms)});
    }
    return details;
}

} // namespace

QString absurd_response_note(std::int64_t response_ms) {
    if (response_ms < 0) {
        return QStringLiteral("response before stimulus");
    }
    if (response_ms > absurd_response_ms) {
        return QStringLiteral("response over an hour after stimulus");
    }
    return {};
}

std::vector<TestDetails> trial_details(const TestData& data) {
    std::vector<TestDetails> tests;
    for (const TestKind kind : timed_tests) {
        if (std::optional<TestDetails> details = timed_test(kind, data.timed(kind))) {
            tests.push_back(std::move(*details));
        }
    }
    if (five_clicks_time(data)) {
        TestDetails rep{TestKind::repetition, {}, std::nullopt};
        const QString first_press = time_of_day_text(
            data.repetition.start_time, data.repetition.start_tick, data.repetition.first_press);
        for (int i = 0; i < repetition_clicks; ++i) {
            const ClockReading click = data.repetition.click_times[i];
            // As a timed test's unrecorded trial: the click keeps its row and
            // number, but has no time from the first press to show.
            if (click == 0) {
                rep.rows.push_back({i + 1, 0, 0, 0, {}, {}, trial_not_recorded_note});
                continue;
            }
            rep.rows.push_back(
                {i + 1,
                 data.repetition.first_press,
                 click,
                 reading_difference(click, data.repetition.first_press),
                 first_press,
                 time_of_day_text(data.repetition.start_time, data.repetition.start_tick, click),
                 {}});
        }
        tests.push_back(std::move(rep));
    }
    return tests;
}

} // namespace tavo
