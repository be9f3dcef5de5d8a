#include "compare_window.h"

#include "chart_view.h"
#include "table_items.h"

#include <QHeaderView>
#include <QKeySequence>
#include <QLocale>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavo {

namespace {

const std::optional<TrialSummary>& summary_of(const ComparedAssessment& compared, TestKind kind) {
    return kind == TestKind::activation ? compared.results.activation : compared.results.release;
}

QString optional_text(const std::optional<double>& value, QString (*text)(double)) {
    return value ? text(*value) : QString();
}

// The figures that say how steady the person was, after the Test Results
// tab's own: a column each.
QStringList figure_headers(TestKind kind) {
    if (kind == TestKind::repetition) {
        return {QStringLiteral("Click 1 to 2 (ms)"),  QStringLiteral("Click 2 to 3 (ms)"),
                QStringLiteral("Click 3 to 4 (ms)"),  QStringLiteral("Click 4 to 5 (ms)"),
                QStringLiteral("Mean Interval (ms)"), QStringLiteral("Interval SD (ms)"),
                QStringLiteral("Clicks per Second")};
    }
    return {QStringLiteral("Trials"),
            QStringLiteral("Mean (exact, ms)"),
            QStringLiteral("Median (ms)"),
            QStringLiteral("SD (ms)"),
            QStringLiteral("CV (%)"),
            kind == TestKind::activation ? QStringLiteral("Anticipations")
                                         : QStringLiteral("Early Releases")};
}

QStringList figure_cells(const TestStatistics& statistics) {
    QStringList cells;
    if (const std::optional<RepetitionFigures>& rep = statistics.repetition) {
        for (const std::optional<std::int64_t>& interval : rep->intervals) {
            cells << (interval ? QString::number(*interval) : trial_not_recorded_note);
        }
        const std::optional<Spread>& spread = rep->interval_spread;
        cells << (spread ? ms_text(spread->mean) : QStringLiteral("n/a"))
              << optional_text(spread ? spread->standard_deviation : std::nullopt, &ms_text)
              << optional_text(rep->clicks_per_second, &rate_text);
    } else if (const std::optional<Spread>& spread = statistics.times) {
        cells << trials_text(statistics) << ms_text(spread->mean) << ms_text(spread->median)
              << optional_text(spread->standard_deviation, &ms_text)
              << optional_text(spread->coefficient_of_variation, &percent_text);
        // Every assessment here comes from a file, and files do not keep them.
        cells << error_line(statistics.kind, RunErrors{})->value;
    }
    return cells;
}

// The figures' columns follow the Test Results tab's.
void show_figures(QTableWidget& table, int row, const TestStatistics* statistics) {
    if (!statistics) {
        return;
    }
    const QStringList cells = figure_cells(*statistics);
    const int first = table.columnCount() - static_cast<int>(cells.size());
    for (int i = 0; i < cells.size(); ++i) {
        table.setItem(row, first + i, text_item(cells[i], Qt::AlignRight));
    }
}

} // namespace

BarChart comparison_chart(const std::vector<ComparedAssessment>& assessments, TestKind kind) {
    BarChart chart;
    chart.title = kind == TestKind::repetition
                      ? QStringLiteral("Time for 5 clicks")
                      : QStringLiteral("Average response time (whisker: fastest to slowest)");
    for (const ComparedAssessment& compared : assessments) {
        const QString label =
            compared.file_name + QLatin1Char('\n') +
            QLocale::system().toString(compared.modified.date(), QLocale::ShortFormat);
        if (kind == TestKind::repetition) {
            if (compared.results.five_clicks) {
                chart.bars.push_back({label, *compared.results.five_clicks, std::nullopt});
            }
        } else if (const std::optional<TrialSummary>& summary = summary_of(compared, kind)) {
            chart.bars.push_back(
                {label, summary->average, std::pair(summary->fastest, summary->slowest)});
        }
    }
    return chart;
}

CompareWindow::CompareWindow(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Compare_Assessments"));
    setWindowTitle(QStringLiteral("Compare Assessments"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("compare_tabs"));
    layout->addWidget(m_tabs);
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const TestKind kind = all_tests.at(i);
        const QString name = QString::fromLatin1(test_key(kind));
        auto* splitter = new QSplitter(Qt::Vertical, m_tabs);
        splitter->setObjectName(name + QStringLiteral("_comparison"));
        TestPage& page = m_pages[i];
        QStringList headers{QStringLiteral("File"), QStringLiteral("Last Changed")};
        if (kind == TestKind::repetition) {
            headers << QStringLiteral("Time For 5 Clicks (ms)");
        } else {
            headers << QStringLiteral("Average (ms)") << QStringLiteral("Fastest (ms)")
                    << QStringLiteral("Slowest (ms)");
        }
        headers << figure_headers(kind);
        page.table = new QTableWidget(0, static_cast<int>(headers.size()), splitter);
        page.table->setObjectName(name + QStringLiteral("_compare_table"));
        page.table->setHorizontalHeaderLabels(headers);
        if (kind != TestKind::repetition) {
            page.table->horizontalHeaderItem(page.table->columnCount() - 1)
                ->setToolTip(errors_not_stored_note);
        }
        page.table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        page.table->setSelectionBehavior(QAbstractItemView::SelectRows);
        page.table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        page.table->horizontalHeader()->setStretchLastSection(true);
        page.table->setAccessibleName(test_name(kind) + QStringLiteral(" test by file"));
        page.chart = new ChartView(splitter);
        page.chart->setObjectName(name + QStringLiteral("_compare_chart"));
        splitter->setStretchFactor(1, 1);
        splitter->setSizes({150, 350});
        m_tabs->addTab(splitter, QStringLiteral("&") + test_name(kind));
    }
    new QShortcut(QKeySequence::Close, this, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    resize(980, 560);
}

void CompareWindow::show_comparison(const std::vector<ComparedAssessment>& assessments) {
    const QLocale locale = QLocale::system();
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const TestKind kind = all_tests.at(i);
        QTableWidget* table = m_pages[i].table;
        table->setRowCount(static_cast<int>(assessments.size()));
        for (int row = 0; row < table->rowCount(); ++row) {
            const ComparedAssessment& compared = assessments[static_cast<std::size_t>(row)];
            table->setItem(row, 0, text_item(compared.file_name));
            table->setItem(row, 1,
                           text_item(locale.toString(compared.modified, QLocale::ShortFormat)));
            for (int column = 2; column < table->columnCount(); ++column) {
                table->setItem(row, column, text_item(QString()));
            }
            if (kind == TestKind::repetition) {
                table->setItem(row, 2,
                               compared.results.five_clicks
                                   ? number_item(*compared.results.five_clicks)
                                   : text_item(QStringLiteral("Not completed")));
            } else if (const std::optional<TrialSummary>& summary = summary_of(compared, kind)) {
                table->setItem(row, 2, number_item(summary->average));
                table->setItem(row, 3, number_item(summary->fastest));
                table->setItem(row, 4, number_item(summary->slowest));
            } else {
                table->setItem(row, 2, text_item(QStringLiteral("Not completed")));
            }
            show_figures(*table, row, compared.statistics_of(kind));
        }
        m_pages[i].chart->set_chart(comparison_chart(assessments, kind));
    }
}

} // namespace tavo
