#include "detail_page.h"

#include "bar_chart.h"
#include "sheet_lines.h"
#include "trial_details.h"

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

} // namespace

void draw_trial_detail_page(QPainter& painter, const QRectF& page, const TestData& data) {
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
    const double column = page.width() * 0.16;
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
        painter.drawText(header_left.translated(column, 0), Qt::AlignRight | Qt::AlignVCenter,
                         repetition ? QStringLiteral("From press (ms)")
                                    : QStringLiteral("Response (ms)"));
        for (std::size_t r = 0; r < details.rows.size(); ++r) {
            const QRectF cell(page.left(), top + body_line * static_cast<double>(r + 1), column,
                              body_line);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                             QString::number(details.rows[r].trial));
            painter.drawText(cell.translated(column, 0), Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(details.rows[r].response_ms));
        }
        if (details.average) {
            const QRectF cell(page.left(),
                              top + body_line * static_cast<double>(details.rows.size() + 1),
                              column, body_line);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Average"));
            painter.drawText(cell.translated(column, 0), Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(*details.average));
        }
        const QRectF chart_area(page.left() + column * 2.4, top, page.width() - column * 2.4,
                                block + body_line);
        draw_bar_chart(painter, chart_area, trial_chart(details), body_line / 14);
        top += block + body_line * 2.2;
    }
    painter.restore();
}

} // namespace tavo
