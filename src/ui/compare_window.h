// Compare Assessments: one tab per test, each with a table of the figures of
// every chosen file and a chart of them (the average as a bar, the fastest
// to slowest as a whisker), so that change across sessions shows at a glance.
#pragma once

#include "bar_chart.h"
#include "comparison.h"
#include "trial_details.h"

#include <QWidget>
#include <array>

class QTableWidget;
class QTabWidget;

namespace tavo {

class ChartView;

// The chart of one test across the assessments that have data for it.
BarChart comparison_chart(const std::vector<ComparedAssessment>& assessments, TestKind kind);

class CompareWindow final : public QWidget {
    Q_OBJECT
public:
    explicit CompareWindow(QWidget* parent = nullptr);

    void show_comparison(const std::vector<ComparedAssessment>& assessments);

private:
    struct TestPage {
        QTableWidget* table = nullptr;
        ChartView* chart = nullptr;
    };
    QTabWidget* m_tabs = nullptr;
    std::array<TestPage, 3> m_pages;
};

} // namespace tavo
