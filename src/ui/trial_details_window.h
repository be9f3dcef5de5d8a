// The trial details window: for each test that has data, a table of its
// trials, a chart of their times with the average drawn across it (for the
// repetition test, of the intervals between clicks) and a small table of the
// test's figures (mean, median, spread, consistency). It
// shows whatever assessment it is given; its owner gives it the assessment
// again whenever the results change.
#pragma once

#include "assessment.h"
#include "assessment_document.h"
#include "bar_chart.h"
#include "trial_details.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QTableWidget;

namespace tavo {

class ChartView;

class TrialDetailsWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TrialDetailsWindow(QWidget* parent = nullptr);

    // `errors` are the session's counts; a file's test has them unrecorded.
    void show_assessment(const TestData& readings, const RunErrors& errors = {});

private:
    struct TestPanel {
        QGroupBox* box = nullptr;
        QTableWidget* table = nullptr;
        ChartView* chart = nullptr;
        QTableWidget* statistics = nullptr;
    };
    std::array<TestPanel, 3> m_panels;
    QLabel* m_empty = nullptr;
    QLabel* m_errors_note = nullptr;
};

} // namespace tavo
