#include "summary_csv.h"

#include "results.h"
#include "trial_statistics.h"

namespace tavo {

namespace {

// Columns a test has no figure for stay empty, so a statistics program reads
// them as missing rather than as zero.
QStringList spread_cells(const std::optional<Spread>& spread) {
    if (!spread) {
        return QStringList(6, QString());
    }
    return {ms_text(spread->mean),
            ms_text(spread->median),
            spread->standard_deviation ? ms_text(*spread->standard_deviation) : QString(),
            spread->coefficient_of_variation ? percent_text(*spread->coefficient_of_variation)
                                             : QString(),
            QString::number(spread->fastest),
            QString::number(spread->slowest)};
}

QStringList repetition_cells(const std::optional<RepetitionFigures>& figures) {
    if (!figures) {
        return QStringList(repetition_intervals + 4, QString());
    }
    QStringList cells;
    for (const std::optional<std::int64_t>& interval : figures->intervals) {
        cells << (interval ? QString::number(*interval) : QString());
    }
    const std::optional<Spread>& spread = figures->interval_spread;
    cells << (spread ? ms_text(spread->mean) : QString())
          << (spread && spread->standard_deviation ? ms_text(*spread->standard_deviation)
                                                   : QString())
          << (figures->five_clicks_ms ? QString::number(*figures->five_clicks_ms) : QString())
          << (figures->clicks_per_second ? rate_text(*figures->clicks_per_second) : QString());
    return cells;
}

// Typed text a spreadsheet would run as a formula gets its apostrophe; the
// figures are ours and are written as they are, a minus sign included.
QString summary_record(const ExportedAssessment& assessment, const TestStatistics& statistics) {
    const TypedFields& f = assessment.fields;
    QStringList cells{spreadsheet_text(assessment.file_name),
                      spreadsheet_text(f[0]),
                      spreadsheet_text(f[1]),
                      spreadsheet_text(f[2]),
                      spreadsheet_text(f[3]),
                      test_name(statistics.kind),
                      QString::number(statistics.trials)};
    cells << spread_cells(statistics.times) << repetition_cells(statistics.repetition);
    const std::optional<FigureLine> errors = error_line(statistics.kind, assessment.errors);
    const QString error_cell = errors ? errors->value : QString();
    cells << (statistics.kind == TestKind::activation ? error_cell : QString())
          << (statistics.kind == TestKind::release ? error_cell : QString())
          << spreadsheet_text(f[4]);
    // Last, so the columns before it stay where they were.
    const std::optional<QString> recorded =
        statistics.kind == TestKind::repetition
            ? recorded_clicks_note(test_results(assessment.data))
            : recorded_trials_note(statistics.trials);
    cells << recorded.value_or(QString());
    return csv_record(cells);
}

} // namespace

QStringList summary_csv_header() {
    return {QStringLiteral("File"),
            QStringLiteral("Subject"),
            QStringLiteral("Administrator"),
            QStringLiteral("Switch Location"),
            QStringLiteral("Switch Type"),
            QStringLiteral("Test"),
            QStringLiteral("Trials"),
            QStringLiteral("Mean (ms)"),
            QStringLiteral("Median (ms)"),
            QStringLiteral("Standard Deviation (ms)"),
            QStringLiteral("Coefficient of Variation (%)"),
            QStringLiteral("Fastest (ms)"),
            QStringLiteral("Slowest (ms)"),
            QStringLiteral("Click 1 to 2 (ms)"),
            QStringLiteral("Click 2 to 3 (ms)"),
            QStringLiteral("Click 3 to 4 (ms)"),
            QStringLiteral("Click 4 to 5 (ms)"),
            QStringLiteral("Mean Interval (ms)"),
            QStringLiteral("Interval Standard Deviation (ms)"),
            QStringLiteral("Time for 5 Clicks (ms)"),
            QStringLiteral("Clicks per Second"),
            QStringLiteral("Anticipations"),
            QStringLiteral("Early Releases"),
            QStringLiteral("Notes"),
            QStringLiteral("Test Note")};
}

QByteArray summary_csv(const std::vector<ExportedAssessment>& assessments) {
    QString text = csv_record(summary_csv_header());
    for (const ExportedAssessment& assessment : assessments) {
        for (const TestDetails& details : trial_details(assessment.data)) {
            text += summary_record(assessment, test_statistics(details));
        }
    }
    return csv_file(text);
}

} // namespace tavo
