#include "bar_chart.h"

#include "trial_statistics.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tavo {

namespace {

// How steady the clicking was: each interval between two clicks as a bar,
// their mean across them.
BarChart interval_chart(const TestDetails& details) {
    BarChart chart;
    chart.title = QStringLiteral("Time between clicks");
    const std::optional<RepetitionFigures> figures = test_statistics(details).repetition;
    if (!figures) {
        return chart;
    }
    // An interval touching an unrecorded click has no bar, as an unrecorded
    // trial has none: its label is missing from the row instead.
    for (std::size_t i = 0; i < figures->intervals.size(); ++i) {
        if (const std::optional<std::int64_t>& interval = figures->intervals[i]) {
            chart.bars.push_back(
                {QStringLiteral("%1 to %2").arg(i + 1).arg(i + 2), *interval, std::nullopt});
        }
    }
    if (const std::optional<Spread>& spread = figures->interval_spread) {
        chart.reference = static_cast<std::int32_t>(std::lround(spread->mean));
    }
    chart.reference_caption = QStringLiteral("Mean");
    return chart;
}

} // namespace

BarChart trial_chart(const TestDetails& details) {
    if (details.kind == TestKind::repetition) {
        return interval_chart(details);
    }
    BarChart chart;
    chart.title = QStringLiteral("Response times");
    // A trial with nothing recorded has no bar: a bar of 0 would read as a
    // response. Its number is missing from the row of labels instead.
    for (const TrialRow& row : details.rows) {
        if (row.recorded()) {
            chart.bars.push_back({QString::number(row.trial), row.response_ms, std::nullopt});
        }
    }
    chart.reference = details.average;
    chart.reference_caption = QStringLiteral("Average");
    return chart;
}

std::int32_t chart_step(std::int64_t span, int ticks) {
    std::int64_t power = 1;
    for (;;) {
        for (const std::int64_t factor : {1, 2, 5}) {
            if (span <= factor * power * ticks) {
                return static_cast<std::int32_t>(factor * power);
            }
        }
        power *= 10;
    }
}

void draw_bar_chart(QPainter& painter, const QRectF& area, const BarChart& chart, double scale) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = metrics.height();

    // The scale runs from zero (or the lowest figure, should one be negative)
    // to the highest figure, the reference and every range included.
    std::int64_t low = 0;
    std::int64_t high = 1;
    auto include = [&](std::int64_t v) {
        low = std::min(low, v);
        high = std::max(high, v);
    };
    for (const ChartBar& bar : chart.bars) {
        include(bar.value);
        if (bar.range) {
            include(bar.range->first);
            include(bar.range->second);
        }
    }
    if (chart.reference) {
        include(*chart.reference);
    }
    const std::int32_t step = chart_step(high - low, 5);
    low = (low / step - (low % step != 0 ? 1 : 0)) * step;
    high = (high / step + (high % step != 0 ? 1 : 0)) * step;

    QRectF plot = area;
    if (!chart.title.isEmpty() || chart.reference) {
        // With a reference, its caption takes the right of the title row.
        painter.drawText(QRectF(area.left(), area.top(), area.width(), line),
                         (chart.reference ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignTop,
                         chart.title);
        plot.setTop(area.top() + line * 1.5);
    }
    const double axis_width = metrics.horizontalAdvance(QString::number(high)) +
                              metrics.horizontalAdvance(QStringLiteral(" ms")) + line * 0.4;
    plot.setLeft(area.left() + axis_width);
    // Labels may run to more than one line (a file name and its date).
    qsizetype label_lines = 1;
    for (const ChartBar& bar : chart.bars) {
        label_lines = std::max(label_lines, bar.label.count(QLatin1Char('\n')) + 1);
    }
    plot.setBottom(area.bottom() - line * (0.2 + static_cast<double>(label_lines)));
    plot.setRight(area.right() - line * 0.3);
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    auto y_of = [&](std::int64_t v) {
        return plot.bottom() -
               plot.height() * static_cast<double>(v - low) / static_cast<double>(high - low);
    };

    const QColor grid(0xd0, 0xd0, 0xd0);
    const QColor text = painter.pen().color();
    for (std::int64_t v = low; v <= high; v += step) {
        const double y = y_of(v);
        painter.setPen(QPen(grid, scale));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(area.left(), y - line / 2, axis_width - line * 0.3, line),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(v) + (v == high ? QStringLiteral(" ms") : QString()));
    }

    const double slot =
        plot.width() / static_cast<double>(std::max<std::size_t>(1, chart.bars.size()));
    const double zero = y_of(0);
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const ChartBar& bar = chart.bars[i];
        const double centre = plot.left() + slot * (static_cast<double>(i) + 0.5);
        const double width = slot * 0.6;
        const double top = y_of(bar.value);
        painter.setPen(QPen(QColor(0x1f, 0x4e, 0x8c), scale));
        painter.setBrush(QColor(0x5b, 0x8f, 0xd0));
        painter.drawRect(
            QRectF(centre - width / 2, std::min(top, zero), width, std::abs(zero - top)));
        if (bar.range) {
            const double y1 = y_of(bar.range->first);
            const double y2 = y_of(bar.range->second);
            painter.setPen(QPen(Qt::black, scale * 1.5));
            painter.drawLine(QPointF(centre, y1), QPointF(centre, y2));
            painter.drawLine(QPointF(centre - width / 4, y1), QPointF(centre + width / 4, y1));
            painter.drawLine(QPointF(centre - width / 4, y2), QPointF(centre + width / 4, y2));
        }
        painter.setPen(text);
        const QStringList label_parts = bar.label.split(QLatin1Char('\n'));
        for (qsizetype part = 0; part < label_parts.size(); ++part) {
            painter.drawText(QRectF(centre - slot / 2,
                                    plot.bottom() + line * (0.1 + static_cast<double>(part)), slot,
                                    line),
                             Qt::AlignHCenter | Qt::AlignTop,
                             metrics.elidedText(label_parts[part], Qt::ElideMiddle, slot));
        }
    }

    painter.setPen(QPen(text, scale));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));
    painter.drawLine(plot.bottomLeft(), plot.topLeft());

    if (chart.reference) {
        const double y = y_of(*chart.reference);
        painter.setPen(QPen(QColor(0xc0, 0x30, 0x20), scale * 2, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const QString caption =
            chart.reference_caption + QStringLiteral(" %1 ms").arg(*chart.reference);
        // In the title row, clear of the bars.
        painter.drawText(QRectF(area.left(), area.top(), area.width(), line),
                         Qt::AlignRight | Qt::AlignTop, QStringLiteral("- - ") + caption);
    }
    painter.restore();
}

} // namespace tavo
