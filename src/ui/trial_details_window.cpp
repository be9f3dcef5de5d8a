#include "trial_details_window.h"

#include "chart_view.h"
#include "table_items.h"
#include "trial_statistics.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavo {

namespace {

QString first_column(TestKind kind) {
    return kind == TestKind::repetition ? QStringLiteral("Click") : QStringLiteral("Trial");
}

QString second_column(TestKind kind) {
    return kind == TestKind::repetition ? QStringLiteral("From First Press (ms)")
                                        : QStringLiteral("Response Time (ms)");
}

// The repetition test lists the most figures: its clicks, four intervals,
// their mean and spread, and the clicks per second.
constexpr int most_figure_lines = 10;

QTableWidget* figures_table(QWidget* parent) {
    auto* table = new QTableWidget(0, 2, parent);
    table->setHorizontalHeaderLabels({QStringLiteral("Figure"), QStringLiteral("Value")});
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    const int row = table->fontMetrics().height() + 4;
    table->verticalHeader()->setDefaultSectionSize(row);
    table->setFixedHeight(row * most_figure_lines + 2 * table->frameWidth() + 2);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return table;
}

void show_figures(QTableWidget* table, const TestDetails& details, const RunErrors& errors) {
    std::vector<FigureLine> lines = figure_lines(test_statistics(details));
    if (std::optional<FigureLine> error = error_line(details.kind, errors)) {
        lines.push_back(std::move(*error));
    }
    for (FigureLine& origin : origin_lines(details.kind, errors)) {
        lines.push_back(std::move(origin));
    }
    table->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < table->rowCount(); ++r) {
        const FigureLine& line = lines[static_cast<std::size_t>(r)];
        table->setItem(r, 0, text_item(line.name, Qt::AlignLeft));
        table->setItem(r, 1, text_item(line.value, Qt::AlignRight));
    }
}

} // namespace

TrialDetailsWindow::TrialDetailsWindow(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Trial_Details"));
    setWindowTitle(QStringLiteral("Trial Details"));
    auto* layout = new QVBoxLayout(this);
    m_empty = new QLabel(QStringLiteral("No test has been completed yet. The trials appear here "
                                        "after a test, or when an assessment file is opened."),
                         this);
    m_empty->setObjectName(QStringLiteral("no_trials"));
    m_empty->setWordWrap(true);
    layout->addWidget(m_empty);
    auto* panels = new QHBoxLayout;
    layout->addLayout(panels, 1);
    for (std::size_t i = 0; i < m_panels.size(); ++i) {
        const TestKind kind = all_tests.at(i);
        const QString name = QString::fromLatin1(test_key(kind));
        TestPanel& panel = m_panels[i];
        panel.box = new QGroupBox(test_name(kind) + QStringLiteral(" Test"), this);
        panel.box->setObjectName(name + QStringLiteral("_details"));
        auto* column = new QVBoxLayout(panel.box);
        panel.table = new QTableWidget(0, 2, panel.box);
        panel.table->setObjectName(name + QStringLiteral("_table"));
        panel.table->setHorizontalHeaderLabels({first_column(kind), second_column(kind)});
        panel.table->verticalHeader()->hide();
        panel.table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        panel.table->setSelectionBehavior(QAbstractItemView::SelectRows);
        panel.table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        panel.table->verticalHeader()->setDefaultSectionSize(panel.table->fontMetrics().height() +
                                                             4);
        panel.table->setAccessibleName(test_name(kind) + QStringLiteral(" trials"));
        column->addWidget(panel.table);
        panel.chart = new ChartView(panel.box);
        panel.chart->setObjectName(name + QStringLiteral("_chart"));
        column->addWidget(panel.chart, 1);
        panel.statistics = figures_table(panel.box);
        panel.statistics->setObjectName(name + QStringLiteral("_statistics"));
        panel.statistics->setAccessibleName(test_name(kind) + QStringLiteral(" figures"));
        column->addWidget(panel.statistics);
        panels->addWidget(panel.box);
    }
    m_errors_note = new QLabel(errors_not_stored_note, this);
    m_errors_note->setObjectName(QStringLiteral("errors_note"));
    m_errors_note->setWordWrap(true);
    layout->addWidget(m_errors_note);
    // Sized so that ten trials show without scrolling.
    const int row = m_panels[0].table->verticalHeader()->defaultSectionSize();
    for (TestPanel& panel : m_panels) {
        panel.table->setMinimumHeight(row * (trials_per_test + 1) + 8);
    }
    new QShortcut(QKeySequence::Close, this, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    resize(960, 720);
    show_assessment({});
}

void TrialDetailsWindow::show_assessment(const TestData& readings, const RunErrors& errors) {
    for (TestPanel& panel : m_panels) {
        panel.box->setVisible(false);
    }
    const std::vector<TestDetails> tests = trial_details(readings);
    m_empty->setVisible(tests.empty());
    m_errors_note->setVisible(false);
    for (const TestDetails& details : tests) {
        TestPanel& panel = m_panels[static_cast<std::size_t>(details.kind)];
        panel.table->setRowCount(static_cast<int>(details.rows.size()));
        for (int r = 0; r < static_cast<int>(details.rows.size()); ++r) {
            const TrialRow& row = details.rows[static_cast<std::size_t>(r)];
            panel.table->setItem(r, 0, number_item(row.trial));
            QTableWidgetItem* response =
                row.recorded() ? number_item(row.response_ms) : text_item(row.note, Qt::AlignRight);
            if (row.recorded() && !row.note.isEmpty()) {
                response->setText(response->text() + QStringLiteral(" (") + row.note +
                                  QLatin1Char(')'));
                response->setToolTip(row.note);
            }
            panel.table->setItem(r, 1, response);
        }
        panel.chart->set_chart(trial_chart(details));
        show_figures(panel.statistics, details, errors);
        m_errors_note->setVisible(m_errors_note->isVisibleTo(this) ||
                                  error_line(details.kind, errors).has_value());
        panel.box->setVisible(true);
    }
}

} // namespace tavo
