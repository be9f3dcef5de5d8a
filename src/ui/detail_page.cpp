#include "detail_page.h"

#include "bar_chart.h"
#include "sheet_lines.h"
#include "trial_details.h"
#include "trial_statistics.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tavo {

namespace {

QFont page_font(QPainter& painter, double point_size, bool bold) {
    QFont font(sheet_font_family);
    font.setPointSizeF(point_size);
    font.setBold(bold);
    return QFont(font, painter.device());
}

// The test's figures as a list of names and values, top-aligned with its
// table of trials.
void draw_figures(QPainter& painter, const QRectF& area, double line, const TestDetails& details,
                  const RunErrors& errors) {
    double top = area.top();
    painter.drawText(QRectF(area.left(), top, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Figures"));
    std::vector<FigureLine> lines = figure_lines(test_statistics(details));
    if (std::optional<FigureLine> error = error_line(details.kind, errors)) {
        lines.push_back(std::move(*error));
    }
    for (FigureLine& origin : origin_lines(details.kind, errors)) {
        lines.push_back(std::move(origin));
    }
    for (const FigureLine& figure : lines) {
        top += line;
        // The name from the left and the value from the right of one row:
        // neither is cut short by a guess at the other's width.
        const QRectF row(area.left(), top, area.width(), line);
        painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, figure.name);
        painter.drawText(row, Qt::AlignRight | Qt::AlignVCenter, figure.value);
    }
}

} // namespace

void draw_trial_detail_page(QPainter& painter, const QRectF& page, const TestData& data,
                            const RunErrors& errors) {
    painter.save();
    const QFont title = page_font(painter, 14, true);
    const QFont heading = page_font(painter, 11, true);
    const QFont body = page_font(painter, 9, false);
    const double body_line = QFontMetricsF(body, painter.device()).lineSpacing();
    double top = page.top();

    painter.setFont(title);
    const QFontMetricsF title_metrics(title, painter.device());
    painter.drawText(QPointF(page.left(), top + title_metrics.ascent()),
                     QStringLiteral("Trial Details"));
    top += title_metrics.lineSpacing() * 1.5;

    const std::vector<TestDetails> tests = trial_details(data);
    if (tests.empty()) {
        painter.setFont(body);
        painter.drawText(QPointF(page.left(), top + body_line),
                         QStringLiteral("No test has been completed."));
    }
    // The trials, the figures, then the chart across the rest of the width.
    const double column = page.width() * 0.13;
    bool with_errors = false;
    const QRectF figures_column(page.left() + column * 2.3, 0, page.width() * 0.33, 0);
    for (const TestDetails& details : tests) {
        const bool repetition = details.kind == TestKind::repetition;
        painter.setFont(heading);
        const QFontMetricsF heading_metrics(heading, painter.device());
        painter.drawText(QPointF(page.left(), top + heading_metrics.ascent()),
                         test_name(details.kind) + QStringLiteral(" Test"));
        top += heading_metrics.lineSpacing() * 1.2;

        painter.setFont(body);
        const double block = body_line * (trials_per_test + 1);
        const QRectF header_left(page.left(), top, column, body_line);
        painter.drawText(header_left, Qt::AlignLeft | Qt::AlignVCenter,
                         repetition ? QStringLiteral("Click") : QStringLiteral("Trial"));
        painter.drawText(header_left.adjusted(0, 0, column, 0), Qt::AlignRight | Qt::AlignVCenter,
                         repetition ? QStringLiteral("From press (ms)")
                                    : QStringLiteral("Response (ms)"));
        for (std::size_t r = 0; r < details.rows.size(); ++r) {
            const QRectF cell(page.left(), top + body_line * static_cast<double>(r + 1), column,
                              body_line);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                             QString::number(details.rows[r].trial));
            const TrialRow& row = details.rows[r];
            painter.drawText(cell.translated(column, 0), Qt::AlignRight | Qt::AlignVCenter,
                             row.recorded() ? QString::number(row.response_ms) : row.note);
        }
        if (details.average) {
            const QRectF cell(page.left(),
                              top + body_line * static_cast<double>(details.rows.size() + 1),
                              column, body_line);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Average"));
            painter.drawText(cell.translated(column, 0), Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(*details.average));
        }
        draw_figures(painter, figures_column.translated(0, top), body_line, details, errors);
        const double chart_left = figures_column.right() + column * 0.4;
        const QRectF chart_area(chart_left, top, page.right() - chart_left, block + body_line);
        draw_bar_chart(painter, chart_area, trial_chart(details), body_line / 14);
        top += block + body_line * 2.2;
        with_errors = with_errors || error_line(details.kind, errors).has_value();
    }
    if (with_errors) {
        painter.setFont(body);
        painter.drawText(QRectF(page.left(), top, page.width(), body_line * 3),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, errors_not_stored_note);
    }
    painter.restore();
}

} // namespace tavo
