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

std::optional<TestDetails> timed_test(TestKind kind,
                                      const std::array<ClockReading, trials_per_test>& onsets,
                                      const std::array<ClockReading, trials_per_test>& responses,
                                      const LocalTime& start_time, ClockReading start_tick) {
    const TrialSummary summary = summarise_trials(onsets, responses);
    if (!has_results(summary)) {
        return std::nullopt;
    }
    TestDetails details{kind, {}, summary.average};
    for (int i = 0; i < trials_per_test; ++i) {
        // An unrecorded trial keeps its row, so the trials keep their numbers,
        // but has no time: 0 ms would read as a response.
        if (!trial_recorded(onsets[i], responses[i])) {
            details.rows.push_back({i + 1, 0, 0, 0, {}, {}, trial_not_recorded_note});
            continue;
        }
        const std::int64_t response_ms = reading_difference(responses[i], onsets[i]);
        details.rows.push_back({i + 1, onsets[i], responses[i], response_ms,
                                time_of_day_text(start_time, start_tick, onsets[i]),
                                time_of_day_text(start_time, start_tick, responses[i]),
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
    if (auto act = timed_test(TestKind::activation, data.act_stim_times, data.act_click_times,
                              data.act_start_time, data.act_start_tick)) {
        tests.push_back(std::move(*act));
    }
    if (auto rel = timed_test(TestKind::release, data.rel_stim_times, data.rel_release_times,
                              data.rel_start_time, data.rel_start_tick)) {
        tests.push_back(std::move(*rel));
    }
    if (five_clicks_time(data)) {
        TestDetails rep{TestKind::repetition, {}, std::nullopt};
        const QString first_press =
            time_of_day_text(data.rep_start_time, data.rep_start_tick, data.rep_first_press);
        for (int i = 0; i < repetition_clicks; ++i) {
            const ClockReading click = data.rep_click_times[i];
            rep.rows.push_back({i + 1,
                                data.rep_first_press,
                                click,
                                reading_difference(click, data.rep_first_press),
                                first_press,
                                time_of_day_text(data.rep_start_time, data.rep_start_tick, click),
                                {}});
        }
        tests.push_back(std::move(rep));
    }
    return tests;
}

} // namespace tavo
