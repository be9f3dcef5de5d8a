// The Test Results tab: each test's average, fastest and slowest response
// time and the time for five clicks, with Print Results and Trial Details.
#pragma once

#include "results.h"
#include "tab_page.h"

#include <array>

namespace tavo {

class ResultsTab final : public TabPage {
    Q_OBJECT
public:
    explicit ResultsTab(QWidget* parent = nullptr);

    void show_results(const ResultTexts& texts);

Q_SIGNALS:
    void print_requested();
    void trial_details_requested();

private:
    std::array<QLabel*, 7> m_result_labels{};
};

} // namespace tavo
