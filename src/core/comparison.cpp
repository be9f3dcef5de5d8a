#include "comparison.h"

#include "assessment_file.h"

#include <QFileInfo>

namespace tavo {

namespace {

std::optional<TrialSummary>
summary_if_done(const std::array<ClockReading, trials_per_test>& onsets,
                const std::array<ClockReading, trials_per_test>& responses) {
    const TrialSummary summary = summarise_trials(onsets, responses);
    return has_results(summary) ? std::optional<TrialSummary>(summary) : std::nullopt;
}

} // namespace

ComparedAssessment compared_assessment(const QString& file_name, const QDateTime& modified,
                                       const TestData& data) {
    ComparedAssessment compared{file_name, modified, {}, {}, {}, {}};
    compared.activation = summary_if_done(data.act_stim_times, data.act_click_times);
    compared.release = summary_if_done(data.rel_stim_times, data.rel_release_times);
    const std::int64_t five_clicks =
        reading_difference(data.rep_click_times[repetition_clicks - 1], data.rep_first_press);
    if (five_clicks >= 1) {
        compared.repetition = five_clicks;
    }
    for (const TestDetails& details : trial_details(data)) {
        compared.statistics.push_back(test_statistics(details));
    }
    return compared;
}

const TestStatistics* ComparedAssessment::statistics_of(TestKind kind) const {
    for (const TestStatistics& test : statistics) {
        if (test.kind == kind) {
            return &test;
        }
    }
    return nullptr;
}

Comparison load_comparison(const QStringList& paths) {
    Comparison comparison;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        const ReadResult read = read_assessment_file(path, TestData{});
        if (!read.ok()) {
            comparison.failures << info.fileName() + QStringLiteral(": ") +
                                       describe_read_failure(*read.failure);
            continue;
        }
        comparison.assessments.push_back(
            compared_assessment(info.fileName(), info.lastModified(), read.record.data));
    }
    return comparison;
}

} // namespace tavo
