// A widget that shows one bar chart.
#pragma once

#include "bar_chart.h"

#include <QWidget>

namespace tavo {

class ChartView final : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    void set_chart(BarChart chart);
    const BarChart& chart() const { return m_chart; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarChart m_chart;
};

} // namespace tavo
