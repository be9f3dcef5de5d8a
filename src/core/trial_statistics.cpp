#include "trial_statistics.h"

#include "results.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tavo {

namespace {

QString fixed(double value, int decimals) {
    // A tiny negative value would round to "-0.0", which reads as a fault.
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals)) {
        value = 0;
    }
    return QString::number(value, 'f', decimals);
}

double median_of(std::vector<std::int64_t> sorted) {
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    if (sorted.size() % 2 == 1) {
        return sorted[middle];
    }
    return (static_cast<double>(sorted[middle - 1]) + static_cast<double>(sorted[middle])) / 2;
}

RepetitionFigures repetition_figures(const TestDetails& details) {
    RepetitionFigures figures;
    std::vector<std::int64_t> known;
    for (std::size_t i = 0; i < figures.intervals.size(); ++i) {
        const TrialRow& click = details.rows[i];
        const TrialRow& next = details.rows[i + 1];
        if (click.recorded() && next.recorded()) {
            figures.intervals[i] = reading_difference(next.response, click.response);
            known.push_back(*figures.intervals[i]);
        }
    }
    figures.interval_spread = spread_of(known);
    if (const TrialRow& fifth = details.rows.back(); fifth.recorded()) {
        figures.five_clicks_ms = fifth.response_ms;
        if (fifth.response_ms > 0) {
            figures.clicks_per_second = repetition_clicks * 1000.0 / fifth.response_ms;
        }
    }
    return figures;
}

int recorded_rows(const TestDetails& details) {
    return static_cast<int>(std::count_if(details.rows.begin(), details.rows.end(),
                                          [](const TrialRow& row) { return row.recorded(); }));
}

QString optional_ms(const std::optional<double>& ms) {
    return ms ? ms_text(*ms) + QStringLiteral(" ms") : QStringLiteral("n/a");
}

QString optional_percent(const std::optional<double>& percent) {
    return percent ? percent_text(*percent) + QStringLiteral(" %") : QStringLiteral("n/a");
}

QString whole_ms(std::int64_t ms) {
    return QString::number(ms) + QStringLiteral(" ms");
}

} // namespace

std::optional<Spread> spread_of(const std::vector<std::int64_t>& times) {
    if (times.empty()) {
        return std::nullopt;
    }
    Spread spread;
    spread.count = static_cast<int>(times.size());
    const double n = spread.count;
    spread.mean =
        static_cast<double>(std::accumulate(times.begin(), times.end(), std::int64_t{0})) / n;
    spread.median = median_of(times);
    const auto [fastest, slowest] = std::minmax_element(times.begin(), times.end());
    spread.fastest = *fastest;
    spread.slowest = *slowest;
    if (spread.count >= 2) {
        double squares = 0;
        for (const std::int64_t time : times) {
            squares += (time - spread.mean) * (time - spread.mean);
        }
        spread.standard_deviation = std::sqrt(squares / (n - 1));
        if (spread.mean > 0) {
            spread.coefficient_of_variation = *spread.standard_deviation / spread.mean * 100;
        }
    }
    return spread;
}

TestStatistics test_statistics(const TestDetails& details) {
    TestStatistics statistics;
    statistics.kind = details.kind;
    if (details.kind == TestKind::repetition) {
        statistics.trials = recorded_rows(details);
        if (details.rows.size() == std::size_t{repetition_clicks}) {
            statistics.repetition = repetition_figures(details);
        }
        return statistics;
    }
    std::vector<std::int64_t> times;
    for (const TrialRow& row : details.rows) {
        if (row.recorded()) {
            times.push_back(row.response_ms);
        }
    }
    statistics.trials = static_cast<int>(times.size());
    statistics.times = spread_of(times);
    return statistics;
}

std::vector<FigureLine> figure_lines(const TestStatistics& statistics) {
    std::vector<FigureLine> lines;
    if (const std::optional<Spread>& spread = statistics.times) {
        lines.push_back({QStringLiteral("Trials"), trials_text(statistics)});
        // Named apart from the Test Results tab's Average, which is rounded to
        // the millisecond: this is the mean of the recorded trials, to a tenth.
        lines.push_back(
            {QStringLiteral("Mean (exact)"), ms_text(spread->mean) + QStringLiteral(" ms")});
        lines.push_back(
            {QStringLiteral("Median"), ms_text(spread->median) + QStringLiteral(" ms")});
        lines.push_back(
            {QStringLiteral("Standard deviation"), optional_ms(spread->standard_deviation)});
        lines.push_back({QStringLiteral("Coefficient of variation"),
                         optional_percent(spread->coefficient_of_variation)});
        lines.push_back({QStringLiteral("Fastest"), whole_ms(spread->fastest)});
        lines.push_back({QStringLiteral("Slowest"), whole_ms(spread->slowest)});
    }
    if (const std::optional<RepetitionFigures>& rep = statistics.repetition) {
        lines.push_back({QStringLiteral("Clicks"), trials_text(statistics)});
        for (std::size_t i = 0; i < rep->intervals.size(); ++i) {
            const std::optional<std::int64_t>& interval = rep->intervals[i];
            lines.push_back({QStringLiteral("Click %1 to %2").arg(i + 1).arg(i + 2),
                             interval ? whole_ms(*interval) : trial_not_recorded_note});
        }
        const std::optional<Spread>& spread = rep->interval_spread;
        lines.push_back(
            {QStringLiteral("Mean interval"),
             spread ? ms_text(spread->mean) + QStringLiteral(" ms") : QStringLiteral("n/a")});
        lines.push_back({QStringLiteral("Standard deviation"),
                         optional_ms(spread ? spread->standard_deviation : std::nullopt)});
        lines.push_back(
            {QStringLiteral("Clicks per second"),
             rep->clicks_per_second ? rate_text(*rep->clicks_per_second) : QStringLiteral("n/a")});
    }
    return lines;
}

QString trials_text(const TestStatistics& statistics) {
    // Beside the name "Trials" the note's own last words would repeat it, and
    // the longer text would crowd the other names out of a narrow table.
    const int all = statistics.kind == TestKind::repetition ? repetition_clicks : trials_per_test;
    if (statistics.trials < all) {
        return QStringLiteral("%1 of %2 recorded").arg(statistics.trials).arg(all);
    }
    return QString::number(statistics.trials);
}

std::optional<FigureLine> error_line(TestKind kind, const RunErrors& errors) {
    const auto text = [](const std::optional<int>& count) {
        return count ? QString::number(*count) : QStringLiteral("not recorded");
    };
    switch (kind) {
    case TestKind::activation:
        return FigureLine{QStringLiteral("Anticipations"), text(errors.anticipations)};
    case TestKind::release:
        return FigureLine{QStringLiteral("Early releases"), text(errors.early_releases)};
    case TestKind::repetition:
        break;
    }
    return std::nullopt;
}

std::vector<FigureLine> origin_lines(TestKind kind, const RunErrors& errors) {
    const std::optional<ReadingOrigins>& origins = errors.origins(kind);
    if (!origins) {
        return {};
    }
    const auto part = [](const QString& what, const QString& stamped, int from_stamp,
                         int on_delivery) {
        if (on_delivery == 0) {
            return what + QStringLiteral(": ") + stamped;
        }
        if (from_stamp == 0) {
            return what + QStringLiteral(": on delivery");
        }
        return what + QStringLiteral(": %1, %2 of %3 on delivery")
                          .arg(stamped)
                          .arg(on_delivery)
                          .arg(from_stamp + on_delivery);
    };
    QStringList sources;
    // The repetition test times presses only.
    if (kind != TestKind::repetition) {
        sources << part(QStringLiteral("onsets"), QStringLiteral("display frame"),
                        origins->onsets_from_frame, origins->onsets_on_delivery);
    }
    const QString presses = kind == TestKind::release ? QStringLiteral("presses and releases")
                                                      : QStringLiteral("presses");
    sources << part(presses, QStringLiteral("input stamps"), origins->presses_from_input,
                    origins->presses_on_delivery);
    std::vector<FigureLine> lines{{QStringLiteral("Readings"), sources.join(QStringLiteral("; "))}};
    // What a reading on delivery can be off by: an onset read after handing
    // the frame over can precede the frame by up to a refresh of the screen;
    // a press read when the program got round to it is late by however long
    // that took, which a busy computer stretches.
    QStringList warnings;
    if (kind != TestKind::repetition && origins->onsets_on_delivery > 0) {
        warnings << QStringLiteral("%1 onset(s) read on delivery may be up to 17 ms early")
                        .arg(origins->onsets_on_delivery);
    }
    if (origins->presses_on_delivery > 0) {
        warnings << QStringLiteral("%1 %2 read on delivery may be 1 to 15 ms late")
                        .arg(origins->presses_on_delivery)
                        .arg(kind == TestKind::release ? QStringLiteral("press(es) or release(s)")
                                                       : QStringLiteral("press(es)"));
    }
    if (!warnings.isEmpty()) {
        lines.push_back(
            {QStringLiteral("Warning"), warnings.join(QStringLiteral("; ")) +
                                            QStringLiteral(": those times may be off by as much")});
    }
    return lines;
}

QString ms_text(double ms) {
    return fixed(ms, 1);
}

QString percent_text(double percent) {
    return fixed(percent, 1);
}

QString rate_text(double per_second) {
    return fixed(per_second, 2);
}

} // namespace tavo
