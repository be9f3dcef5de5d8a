#include "results.h"

#include "duration_text.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavo {

namespace {

const QString test_not_completed = QStringLiteral("Test Not Completed");

// total / count rounded to the nearest whole number, halves to the even one.
// Only a total of at least 1 has results to show; a negative one is just cut.
std::int64_t rounded_average(std::int64_t total, int count) {
    if (count == 0) {
        return 0;
    }
    std::int64_t quotient = total / count;
    const std::int64_t twice_remainder = 2 * (total % count);
    if (twice_remainder > count || (twice_remainder == count && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

int recorded_clicks(const RepetitionData& test) {
    return static_cast<int>(std::count_if(test.click_times.begin(), test.click_times.end(),
                                          [](ClockReading click) { return click != 0; }));
}

} // namespace

TrialSummary summarise_trials(const std::array<ClockReading, trials_per_test>& onsets,
                              const std::array<ClockReading, trials_per_test>& responses) {
    TrialSummary summary;
    for (std::size_t i = 0; i < onsets.size(); ++i) {
        if (!trial_recorded(onsets[i], responses[i])) {
            continue;
        }
        const std::int64_t time = reading_difference(responses[i], onsets[i]);
        summary.fastest = summary.recorded == 0 ? time : std::min(summary.fastest, time);
        summary.slowest = summary.recorded == 0 ? time : std::max(summary.slowest, time);
        summary.total += time;
        ++summary.recorded;
    }
    summary.average = rounded_average(summary.total, summary.recorded);
    return summary;
}

std::optional<std::int64_t> five_clicks_time(const TestData& data) {
    const ClockReading fifth = data.repetition.click_times[repetition_clicks - 1];
    if (data.repetition.first_press == 0 || fifth == 0) {
        return std::nullopt;
    }
    const std::int64_t time = reading_difference(fifth, data.repetition.first_press);
    return time >= 1 ? std::optional<std::int64_t>(time) : std::nullopt;
}

TestResults test_results(const TestData& data) {
    const auto if_done = [](const TrialSummary& summary) {
        return has_results(summary) ? std::optional<TrialSummary>(summary) : std::nullopt;
    };
    const std::optional<std::int64_t> five_clicks = five_clicks_time(data);
    return {if_done(summarise_trials(data.activation.onsets, data.activation.responses)),
            if_done(summarise_trials(data.release.onsets, data.release.responses)), five_clicks,
            five_clicks ? repetition_clicks - recorded_clicks(data.repetition) : 0};
}

QStringList timed_test_captions(const std::optional<TrialSummary>& summary) {
    if (!summary) {
        return {test_not_completed, QString(), QString()};
    }
    QStringList captions{QStringLiteral("Average Response Time: ") +
                             format_duration_text(summary->average),
                         QStringLiteral("Fastest = ") + format_duration_text(summary->fastest),
                         QStringLiteral("Slowest = ") + format_duration_text(summary->slowest)};
    if (std::optional<QString> note = recorded_trials_note(summary->recorded)) {
        captions << *note;
    }
    return captions;
}

QString repetition_caption(const std::optional<std::int64_t>& five_clicks) {
    return five_clicks ? QStringLiteral("Time For 5 Clicks: ") + format_duration_text(*five_clicks)
                       : test_not_completed;
}

std::optional<QString> recorded_clicks_note(const TestResults& results) {
    if (results.unrecorded_clicks == 0) {
        return std::nullopt;
    }
    return QStringLiteral("%1 of %2 clicks recorded")
        .arg(repetition_clicks - results.unrecorded_clicks)
        .arg(repetition_clicks);
}

QStringList repetition_captions(const TestResults& results) {
    QStringList captions{repetition_caption(results.five_clicks)};
    if (std::optional<QString> note = recorded_clicks_note(results)) {
        captions << *note;
    }
    return captions;
}

std::optional<QString> recorded_trials_note(int recorded) {
    if (recorded >= trials_per_test) {
        return std::nullopt;
    }
    return QStringLiteral("%1 of %2 trials recorded").arg(recorded).arg(trials_per_test);
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

} // namespace tavo
