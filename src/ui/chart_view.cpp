#include "chart_view.h"

#include <QPainter>

namespace tavo {

ChartView::ChartView(QWidget* parent)
    : QWidget(parent) {
    setMinimumSize(240, 170);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartView::set_chart(BarChart chart) {
    m_chart = std::move(chart);
    setAccessibleDescription(m_chart.title);
    update();
}

QSize ChartView::sizeHint() const {
    return {300, 200};
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().text().color());
    draw_bar_chart(painter, QRectF(rect()).adjusted(6, 6, -6, -4), m_chart);
}

} // namespace tavo
