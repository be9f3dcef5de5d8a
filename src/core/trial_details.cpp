#include "trial_details.h"

#include "clock_text.h"

#include <limits>

namespace tavo {

namespace {

// The time of day of a reading: its test's start time of day plus the clock
// time passed since the start press, as the assessment file writes it.
QString time_of_day_text(const SystemTime& start_time, ClockReading start_tick,
                         ClockReading reading) {
    const std::optional<std::int32_t> start = time_of_day_ms(start_time);
    if (!start) {
        return {};
    }
    const std::int64_t time = std::int64_t{*start} + reading_difference(reading, start_tick);
    if (time < std::numeric_limits<std::int32_t>::min() ||
        time > std::numeric_limits<std::int32_t>::max()) {
        return {};
    }
    return format_clock_text(static_cast<std::int32_t>(time));
}

std::optional<TestDetails> timed_test(TestKind kind,
                                      const std::array<ClockReading, trials_per_test>& onsets,
                                      const std::array<ClockReading, trials_per_test>& responses,
                                      const SystemTime& start_time, ClockReading start_tick) {
    const TrialSummary summary = summarise_trials(onsets, responses);
    if (summary.total < 1) {
        return std::nullopt;
    }
    TestDetails details{kind, {}, summary.average};
    for (int i = 0; i < trials_per_test; ++i) {
        details.rows.push_back({i + 1, onsets[i], responses[i],
                                reading_difference(responses[i], onsets[i]),
                                time_of_day_text(start_time, start_tick, onsets[i]),
                                time_of_day_text(start_time, start_tick, responses[i])});
    }
    return details;
}

} // namespace

QString test_name(TestKind kind) {
    switch (kind) {
    case TestKind::activation:
        return QStringLiteral("Activation");
    case TestKind::release:
        return QStringLiteral("Release");
    case TestKind::repetition:
        break;
    }
    return QStringLiteral("Repetition");
}

std::vector<TestDetails> trial_details(const TestData& data) {
    std::vector<TestDetails> tests;
    if (auto act = timed_test(TestKind::activation, data.act_stim_times, data.act_click_times,
                              data.act_start_time, data.act_start_tick)) {
        tests.push_back(std::move(*act));
    }
    if (auto rel = timed_test(TestKind::release, data.rel_stim_times, data.rel_release_times,
                              data.rel_start_time, data.rel_start_tick)) {
        tests.push_back(std::move(*rel));
    }
    // The same condition as the Test Results tab's "Time For 5 Clicks".
    if (reading_difference(data.rep_click_times[repetition_clicks - 1], data.rep_first_press) >=
        1) {
        TestDetails rep{TestKind::repetition, {}, std::nullopt};
        const QString first_press =
            time_of_day_text(data.rep_start_time, data.rep_start_tick, data.rep_first_press);
        for (int i = 0; i < repetition_clicks; ++i) {
            const ClockReading click = data.rep_click_times[i];
            rep.rows.push_back({i + 1, data.rep_first_press, click,
                                reading_difference(click, data.rep_first_press), first_press,
                                time_of_day_text(data.rep_start_time, data.rep_start_tick, click)});
        }
        tests.push_back(std::move(rep));
    }
    return tests;
}

} // namespace tavo
