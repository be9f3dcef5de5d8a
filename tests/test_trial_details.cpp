// Every trial on screen: the trial details window as it follows the results,
// the data export and the comparison of assessments from the File menu.
#include "app_rig.h"
#include "chart_view.h"
#include "compare_window.h"
#include "default_window.h"
#include "sample_assessments.h"
#include "trial_details_window.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace tavo;
using namespace tavo::testing;

class TestTrialDetails : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void button_and_key_open_one_window();
    void details_follow_the_results();
    void errors_of_the_moment_belong_to_the_session();
    void export_writes_the_trials_on_screen_data();
    void export_writes_the_trials_on_screen();
    void export_labels_an_unsaved_assessment_as_unsaved();
    void compare_shows_the_files_chosen();
    void unrecorded_trials_in_both_windows_data();
    void unrecorded_trials_in_both_windows();

private:
    DefaultWindow& window() { return m_rig->app->main_window(); }
    void trigger(const char* item) {
        window().findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    void open_sample(const QString& name) {
        m_rig->dialogs.open_answers.push_back(sample_path(name));
        trigger("open_file_menu");
    }

    template <class T> T* details_child(const char* name) {
        return m_rig->app->trial_details_window()->findChild<T*>(QString::fromLatin1(name));
    }
    QString cell(const char* table, int row, int column) {
        return details_child<QTableWidget>(table)->item(row, column)->text();
    }

    static QString column_text(QTableWidget* table, int row, const char* header) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (table->horizontalHeaderItem(column)->text() == QLatin1String(header)) {
                return table->item(row, column)->text();
            }
        }
        return QStringLiteral("no column %1").arg(QLatin1String(header));
    }

    // The value beside a figure's name in a test's table of figures.
    QString figure(const char* table, const QString& name) {
        auto* figures = details_child<QTableWidget>(table);
        for (int row = 0; row < figures->rowCount(); ++row) {
            if (figures->item(row, 0)->text() == name) {
                return figures->item(row, 1)->text();
            }
        }
        return {};
    }

    std::unique_ptr<AppRig> m_rig;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTrialDetails::init() {
    m_rig = std::make_unique<AppRig>();
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestTrialDetails::cleanup() {
    m_rig.reset();
    m_dir.reset();
}

void TestTrialDetails::button_and_key_open_one_window() {
    window().show();
    QVERIFY(!m_rig->app->trial_details_window());
    auto* button = window().findChild<QPushButton*>(QStringLiteral("Trial_Details_Button"));
    QCOMPARE(button->text(), QStringLiteral("Trial &Details..."));
    // Clear of Print Results, inside the same frame.
    QCOMPARE(button->parentWidget()->objectName(), QStringLiteral("Frame1"));
    const QRect print =
        window().findChild<QPushButton*>(QStringLiteral("Print_Results"))->geometry();
    QVERIFY(!button->geometry().intersects(print));
    QVERIFY(button->parentWidget()->rect().contains(button->geometry()));
    QTest::mouseClick(button, Qt::LeftButton);
    TrialDetailsWindow* details = m_rig->app->trial_details_window();
    QVERIFY(details);
    QVERIFY(details->isVisible());
    QVERIFY(!details->isModal());
    auto* key = window().findChild<QAction*>(QStringLiteral("trial_details_key"));
    QCOMPARE(key->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    key->trigger();
    QCOMPARE(m_rig->app->trial_details_window(), details);
    details->close();
    QTRY_VERIFY(!m_rig->app->trial_details_window());
}

void TestTrialDetails::details_follow_the_results() {
    trigger("trial_details_key");
    QVERIFY(details_child<QLabel>("no_trials")->isVisibleTo(m_rig->app->trial_details_window()));
    open_sample(QStringLiteral("three_tests.tavo"));
    QVERIFY(!details_child<QLabel>("no_trials")->isVisibleTo(m_rig->app->trial_details_window()));
    QCOMPARE(details_child<QTableWidget>("activation_table")->rowCount(), 10);
    QCOMPARE(cell("activation_table", 0, 1), QStringLiteral("300"));
    QCOMPARE(cell("release_table", 9, 0), QStringLiteral("10"));
    QCOMPARE(cell("release_table", 9, 1), QStringLiteral("580"));
    QCOMPARE(details_child<QTableWidget>("repetition_table")->rowCount(), 5);
    QCOMPARE(cell("repetition_table", 4, 1), QStringLiteral("950"));
    const BarChart& chart = details_child<ChartView>("activation_chart")->chart();
    QCOMPARE(chart.bars.size(), std::size_t{10});
    QCOMPARE(chart.bars[9].value, 390);
    QCOMPARE(chart.reference, std::optional<std::int32_t>(345));
    // The repetition chart shows how steady the clicking was: the four
    // intervals between the clicks, ending 150, 350, 550, 750 and 950 ms in.
    const BarChart& intervals = details_child<ChartView>("repetition_chart")->chart();
    QCOMPARE(intervals.bars.size(), std::size_t{4});
    QCOMPARE(intervals.bars[3].value, 200);
    QCOMPARE(intervals.reference, std::optional<std::int32_t>(200));
    // The figures under each chart, beside their names.
    QCOMPARE(figure("activation_statistics", "Standard deviation"), QStringLiteral("30.3 ms"));
    QCOMPARE(figure("release_statistics", "Coefficient of variation"), QStringLiteral("12.4 %"));
    QCOMPARE(figure("repetition_statistics", "Click 4 to 5"), QStringLiteral("200 ms"));
    QCOMPARE(figure("repetition_statistics", "Clicks per second"), QStringLiteral("5.26"));

    trigger("new_file_menu");
    QVERIFY(details_child<QLabel>("no_trials")->isVisibleTo(m_rig->app->trial_details_window()));
    for (const char* box : {"activation_details", "release_details", "repetition_details"}) {
        QVERIFY(!details_child<QGroupBox>(box)->isVisibleTo(m_rig->app->trial_details_window()));
    }
}

void TestTrialDetails::errors_of_the_moment_belong_to_the_session() {
    open_sample(QStringLiteral("three_tests.tavo"));
    trigger("trial_details_key");
    QWidget* details = m_rig->app->trial_details_window();
    // A file does not keep them: unknown, which is not the same as none.
    QCOMPARE(figure("activation_statistics", "Anticipations"), QStringLiteral("not recorded"));
    QCOMPARE(figure("release_statistics", "Early releases"), QStringLiteral("not recorded"));
    QCOMPARE(figure("repetition_statistics", "Anticipations"), QString());
    QVERIFY(details_child<QLabel>("errors_note")->isVisibleTo(details));

    // A run of this session brings its count, and the other test stays unknown.
    TimedRun run;
    run.readings.start_tick = 1'000'000;
    for (int i = 0; i < trials_per_test; ++i) {
        run.readings.onsets[static_cast<std::size_t>(i)] = 1'001'500 + 4000 * i;
        run.readings.responses[static_cast<std::size_t>(i)] = 1'001'800 + 4000 * i;
    }
    run.early_responses = 3;
    m_rig->app->document().commit(TestKind::activation, run);
    QCOMPARE(figure("activation_statistics", "Anticipations"), QStringLiteral("3"));
    QCOMPARE(figure("release_statistics", "Early releases"), QStringLiteral("not recorded"));

    // What the File menu exports is what the window shows.
    const QString path = m_dir->filePath(QStringLiteral("figures.csv"));
    m_rig->dialogs.save_answers.push_back(path);
    trigger("export_summary_file_menu");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    QVERIFY(csv.contains(",Activation,10,300.0,300.0,0.0,0.0,300,300,,,,,,,,,3,,"));
    QVERIFY(csv.contains(",Release,10,490.0,490.0,60.6,12.4,400,580,,,,,,,,,,not recorded,"));
}

void TestTrialDetails::export_writes_the_trials_on_screen_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("target"); // empty: Cancel
    QTest::addColumn<int>("records");    // -1: no file
    QTest::addColumn<QString>("message");
    const QString trials = QStringLiteral("export_file_menu");
    const QString figures = QStringLiteral("export_summary_file_menu");
    QTest::newRow("three tests") << trials << "three_tests.tavo"
                                 << "trials.csv" << 1 + 25 << "";
    QTest::newRow("cancelled") << trials << "three_tests.tavo"
                               << "" << -1 << "";
    QTest::newRow("missing folder")
        << trials << "three_tests.tavo"
        << "no/such/folder/trials.csv" << -1 << "The trial data could not be saved as";
    QTest::newRow("no test") << trials << "no_tests.tavo"
                             << "trials.csv" << -1 << "There are no trials to export yet.";
    QTest::newRow("figures of three tests") << figures << "three_tests.tavo"
                                            << "figures.csv" << 1 + 3 << "";
    QTest::newRow("figures to a missing folder")
        << figures << "three_tests.tavo"
        << "no/such/folder/figures.csv" << -1 << "The test figures could not be saved as";
    QTest::newRow("figures of no test")
        << figures << "no_tests.tavo"
        << "figures.csv" << -1 << "There are no trials to export yet.";
}

void TestTrialDetails::export_writes_the_trials_on_screen() {
    QFETCH(QString, item);
    QFETCH(QString, sample);
    QFETCH(QString, target);
    QFETCH(int, records);
    QFETCH(QString, message);
    open_sample(sample);
    const QString path = m_dir->filePath(target);
    m_rig->dialogs.save_answers.push_back(target.isEmpty() ? std::nullopt
                                                           : std::optional<QString>(path));
    window().findChild<QAction*>(item)->trigger();
    QFile file(path);
    QCOMPARE(file.open(QIODevice::ReadOnly), records >= 0);
    if (records >= 0) {
        const QByteArray csv = file.readAll();
        QCOMPARE(csv.count("\r\n"), records);
        QVERIFY(csv.contains("\r\nthree_tests.tavo,Ann Example,Dr Bo Reyes,"));
        QCOMPARE(m_rig->dialogs.save_requests.back().filter, QStringLiteral("CSV (*.csv)"));
    }
    QCOMPARE(m_rig->dialogs.messages.join(QString()).contains(message), true);
    QCOMPARE(m_rig->dialogs.messages.isEmpty(), message.isEmpty());
}

void TestTrialDetails::export_labels_an_unsaved_assessment_as_unsaved() {
    open_sample(QStringLiteral("three_tests.tavo"));
    window().findChild<QLineEdit*>(QStringLiteral("Text0"))->setText(QStringLiteral("Cy"));
    for (const char* item : {"export_file_menu", "export_summary_file_menu"}) {
        const QString path = m_dir->filePath(QString::fromLatin1(item) + QStringLiteral(".csv"));
        m_rig->dialogs.save_answers.push_back(path);
        window().findChild<QAction*>(QString::fromLatin1(item))->trigger();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        QVERIFY2(csv.contains("\r\n(unsaved),Cy,"), item);
        QVERIFY(!csv.contains("three_tests.tavo"));
    }
}

void TestTrialDetails::compare_shows_the_files_chosen() {
    m_rig->dialogs.open_several_answers.push_back(std::nullopt);
    trigger("compare_file_menu");
    QVERIFY(!m_rig->app->compare_window());

    m_rig->dialogs.open_several_answers.push_back(QStringList{sample_path("three_tests.tavo"),
                                                              sample_path("damaged_line14.tavo"),
                                                              sample_path("no_tests.tavo")});
    trigger("compare_file_menu");
    QCOMPARE(m_rig->dialogs.open_several_requests.back().filter, QStringLiteral("TAVO (*.tavo)"));
    QCOMPARE(m_rig->dialogs.messages.size(), 1);
    QVERIFY(m_rig->dialogs.messages[0].contains("damaged_line14.tavo: line 14"));
    CompareWindow* compare = m_rig->app->compare_window();
    QVERIFY(compare);
    QVERIFY(compare->isVisible());
    auto* table = compare->findChild<QTableWidget*>(QStringLiteral("release_compare_table"));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("three_tests.tavo"));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("490"));
    QCOMPARE(table->item(0, 4)->text(), QStringLiteral("580"));
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("no_tests.tavo"));
    QCOMPARE(table->item(1, 2)->text(), QStringLiteral("Not completed"));
    // A column per figure, so the steadier session shows beside the faster.
    QCOMPARE(column_text(table, 0, "CV (%)"), QStringLiteral("12.4"));
    QCOMPARE(column_text(table, 0, "SD (ms)"), QStringLiteral("60.6"));
    QCOMPARE(column_text(table, 1, "CV (%)"), QString());
    auto* repetition =
        compare->findChild<QTableWidget*>(QStringLiteral("repetition_compare_table"));
    QCOMPARE(column_text(repetition, 0, "Click 2 to 3 (ms)"), QStringLiteral("200"));
    QCOMPARE(column_text(repetition, 0, "Clicks per Second"), QStringLiteral("5.26"));
    const BarChart& chart =
        compare->findChild<ChartView*>(QStringLiteral("release_compare_chart"))->chart();
    QCOMPARE(chart.bars.size(), std::size_t{1});
    QCOMPARE(chart.bars[0].value, 490);
    QCOMPARE(chart.bars[0].range,
             (std::optional<std::pair<std::int64_t, std::int64_t>>({400, 580})));
    QCOMPARE(compare->findChild<QTableWidget*>(QStringLiteral("repetition_compare_table"))
                 ->item(0, 2)
                 ->text(),
             QStringLiteral("950"));

    // Choosing again fills the same window.
    m_rig->dialogs.open_several_answers.push_back(QStringList{sample_path("no_tests.tavo")});
    trigger("compare_file_menu");
    QCOMPARE(m_rig->app->compare_window(), compare);
    QCOMPARE(table->rowCount(), 1);
}

// A file whose activation test kept 5 of its 10 trials (300 to 340 ms) and
// whose repetition test lost its third click (the others ending 150, 350, 750
// and 950 ms after the first press): the trials and clicks not recorded are
// in no figure and both windows say so.
void TestTrialDetails::unrecorded_trials_in_both_windows_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("column"); // a header, or a figure's name
    QTest::addColumn<QString>("text");
    QTest::newRow("results tab average") << "results_tab" << 0 << "Label1"
                                         << "Average Response Time: 00:00.320";
    QTest::newRow("results tab fastest") << "results_tab" << 0 << "Label2"
                                         << "Fastest = 00:00.300";
    QTest::newRow("results tab note") << "results_tab" << 0 << "act_trials_recorded"
                                      << "5 of 10 trials recorded";
    QTest::newRow("results tab, complete test") << "results_tab" << 0 << "rel_trials_recorded"
                                                << "";
    QTest::newRow("recorded trial") << "activation_table" << 4 << "Response Time (ms)"
                                    << "340";
    QTest::newRow("trial not recorded") << "activation_table" << 5 << "Response Time (ms)"
                                        << "not recorded";
    QTest::newRow("trials figure") << "activation_statistics" << -1 << "Trials"
                                   << "5 of 10 recorded";
    QTest::newRow("complete test") << "release_statistics" << -1 << "Trials"
                                   << "10";
    QTest::newRow("compare average") << "activation_compare_table" << 0 << "Average (ms)"
                                     << "320";
    QTest::newRow("compare fastest") << "activation_compare_table" << 0 << "Fastest (ms)"
                                     << "300";
    QTest::newRow("compare mean") << "activation_compare_table" << 0 << "Mean (exact, ms)"
                                  << "320.0";
    QTest::newRow("compare trials") << "activation_compare_table" << 0 << "Trials"
                                    << "5 of 10 recorded";
    QTest::newRow("results tab, clicks note") << "results_tab" << 0 << "rep_clicks_recorded"
                                              << "4 of 5 clicks recorded";
    QTest::newRow("click not recorded") << "repetition_table" << 2 << "From First Press (ms)"
                                        << "not recorded";
    QTest::newRow("compare interval to a missing click")
        << "repetition_compare_table" << 0 << "Click 3 to 4 (ms)"
        << "not recorded";
    QTest::newRow("compare interval of recorded clicks")
        << "repetition_compare_table" << 0 << "Click 4 to 5 (ms)"
        << "200";
    QTest::newRow("compare mean interval")
        << "repetition_compare_table" << 0 << "Mean Interval (ms)"
        << "200.0";
    QTest::newRow("compare complete test") << "release_compare_table" << 0 << "Trials"
                                           << "10";
}

void TestTrialDetails::unrecorded_trials_in_both_windows() {
    QFETCH(QString, table);
    QFETCH(int, row);
    QFETCH(QString, column);
    open_sample(QStringLiteral("partly_recorded.tavo"));
    if (table == QLatin1String("results_tab")) {
        auto* label = window().findChild<QLabel*>(column);
        QVERIFY(label);
        QTEST(label->text(), "text");
        // A note with nothing to say is not there for a screen reader either.
        QCOMPARE(!label->isHidden(), !label->text().isEmpty());
        return;
    }
    trigger("trial_details_key");
    m_rig->dialogs.open_several_answers.push_back(QStringList{sample_path("partly_recorded.tavo")});
    trigger("compare_file_menu");
    QWidget* window = table.contains(QStringLiteral("compare"))
                          ? static_cast<QWidget*>(m_rig->app->compare_window())
                          : m_rig->app->trial_details_window();
    QVERIFY(window);
    auto* widget = window->findChild<QTableWidget*>(table);
    QVERIFY(widget);
    if (row < 0) {
        QTEST(figure(qPrintable(table), column), "text");
    } else {
        QTEST(column_text(widget, row, qPrintable(column)), "text");
    }
    // Five bars, the trials' own numbers under them, the average across.
    const BarChart& chart = details_child<ChartView>("activation_chart")->chart();
    QCOMPARE(chart.bars.size(), std::size_t{5});
    QCOMPARE(chart.bars.back().label, QStringLiteral("5"));
    QCOMPARE(chart.reference, std::optional<std::int64_t>(320));
    // The two intervals between recorded clicks, their mean across.
    const BarChart& intervals = details_child<ChartView>("repetition_chart")->chart();
    QCOMPARE(intervals.bars.size(), std::size_t{2});
    QCOMPARE(intervals.bars.back().label, QStringLiteral("4 to 5"));
    QCOMPARE(intervals.reference, std::optional<std::int64_t>(200));
}

QTEST_MAIN(TestTrialDetails)
#include "test_trial_details.moc"
