// A bar chart of millisecond figures drawn with QPainter on any device: the
// same drawing serves the trial details window, the comparison window and the
// printed detail page. Each bar may carry a range drawn as a whisker (fastest
// to slowest), and one reference value may be drawn across the whole chart
// (the average).
#pragma once

#include "trial_details.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QPainter;
class QRectF;

namespace tavo {

struct ChartBar {
    QString label; // under the bar
    std::int64_t value = 0;
    std::optional<std::pair<std::int64_t, std::int64_t>> range;
};

struct BarChart {
    QString title;
    std::vector<ChartBar> bars;
    std::optional<std::int64_t> reference;
    QString reference_caption; // "Average"
};

// A step of 1, 2 or 5 times a power of ten that divides `span` into at most
// `ticks` parts.
std::int32_t chart_step(std::int64_t span, int ticks);

// The chart of one test's trials, the average drawn across it; for the
// repetition test, the intervals between its clicks and their mean.
BarChart trial_chart(const TestDetails& details);

// Draws within `area` in the painter's font; `scale` is the width of a thin
// line in device units.
void draw_bar_chart(QPainter& painter, const QRectF& area, const BarChart& chart, double scale = 1);

} // namespace tavo
