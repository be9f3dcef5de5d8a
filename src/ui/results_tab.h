// The Test Results tab: each test's average, fastest and slowest response
// time and the time for five clicks, with Print Results and Trial Details.
// Under a timed test with unrecorded trials, how many were recorded.
#pragma once

#include "results.h"
#include "tab_page.h"

#include <array>

namespace tavo {

class ResultsTab final : public TabPage {
    Q_OBJECT
public:
    explicit ResultsTab(QWidget* parent = nullptr);

    void show_results(const TestResults& results);

Q_SIGNALS:
    void print_requested();
    void trial_details_requested();

private:
    // Average, fastest, slowest and the recorded-trials note of the
    // activation test, then of the release test.
    std::array<QLabel*, 4> m_activation_labels{};
    std::array<QLabel*, 4> m_release_labels{};
    QLabel* m_five_clicks_label = nullptr;
    QLabel* m_clicks_recorded_label = nullptr;
};

} // namespace tavo
