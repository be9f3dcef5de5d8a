#include "results.h"

#include "duration_text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavo {

namespace {

const QString not_completed = QStringLiteral("Test Not Completed");

// total / 10 rounded to the nearest whole number, halves to the even one.
std::int64_t average_of_ten(std::int64_t total) {
    std::int64_t quotient = total / trials_per_test;
    const std::int64_t remainder = total % trials_per_test;
    if (remainder > 5 || (remainder == 5 && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

void fill_trial_texts(const TrialSummary& summary, QString& average, QString& fastest,
                      QString& slowest) {
    if (!has_results(summary)) {
        average = not_completed;
        fastest.clear();
        slowest.clear();
        return;
    }
    average = QStringLiteral("Average Response Time: ") + format_duration_text(summary.average);
    fastest = QStringLiteral("Fastest = ") + format_duration_text(summary.fastest);
    slowest = QStringLiteral("Slowest = ") + format_duration_text(summary.slowest);
}

} // namespace

TrialSummary summarise_trials(const std::array<ClockReading, trials_per_test>& onsets,
                              const std::array<ClockReading, trials_per_test>& responses) {
    TrialSummary summary;
    summary.fastest = reading_difference(responses[0], onsets[0]);
    summary.slowest = summary.fastest;
    for (int i = 0; i < trials_per_test; ++i) {
        const std::int64_t d = reading_difference(responses[i], onsets[i]);
        summary.total += d;
        summary.fastest = std::min(summary.fastest, d);
        summary.slowest = std::max(summary.slowest, d);
    }
    summary.average = average_of_ten(summary.total);
    return summary;
}

std::int64_t five_clicks_time(const TestData& data) {
    return reading_difference(data.rep_click_times[repetition_clicks - 1], data.rep_first_press);
}

std::int64_t reading_difference(ClockReading later, ClockReading earlier) {
    const std::int64_t plain = std::int64_t{later} - earlier;
    if (plain < std::numeric_limits<std::int32_t>::min()) {
        return plain + (std::int64_t{1} << 32);
    }
    return plain;
}

std::int32_t wrapped_reading_difference(ClockReading later, ClockReading earlier) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(later) -
                                     static_cast<std::uint32_t>(earlier));
}

ResultTexts compute_results(const TestData& data) {
    ResultTexts texts;
    fill_trial_texts(summarise_trials(data.act_stim_times, data.act_click_times),
                     texts.activation_average, texts.activation_fastest, texts.activation_slowest);
    fill_trial_texts(summarise_trials(data.rel_stim_times, data.rel_release_times),
                     texts.release_average, texts.release_fastest, texts.release_slowest);
    texts.five_clicks =
        has_repetition_results(data)
            ? QStringLiteral("Time For 5 Clicks: ") + format_duration_text(five_clicks_time(data))
            : not_completed;
    return texts;
}

} // namespace tavo
