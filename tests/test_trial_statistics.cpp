// The figures beyond the average, against values worked out by hand.
#include "sample_assessments.h"
#include "summary_csv.h"
#include "trial_statistics.h"

#include <QTest>
#include <cmath>

using namespace tavo;

Q_DECLARE_METATYPE(std::vector<std::int32_t>)

namespace {

// An activation test whose trials took `times` ms, one stimulus every 4 s.
TestData activation_taking(const std::vector<std::int32_t>& times) {
    TestData data;
    data.activation.start_tick = 1'000'000;
    for (std::size_t i = 0; i < times.size(); ++i) {
        data.activation.onsets[i] = 1'001'500 + 4000 * static_cast<ClockReading>(i);
        data.activation.responses[i] = data.activation.onsets[i] + times[i];
    }
    return data;
}

// A repetition test whose clicks end `ends` ms after the first press; the
// clock wraps between the start press and the first press.
TestData repetition_ending(const std::array<std::int32_t, repetition_clicks>& ends) {
    TestData data;
    data.repetition.start_tick = 2'147'482'647;
    data.repetition.first_press = static_cast<ClockReading>(
        static_cast<std::uint32_t>(std::int64_t{data.repetition.start_tick} + 2000));
    for (int i = 0; i < repetition_clicks; ++i) {
        data.repetition.click_times[static_cast<std::size_t>(i)] =
            static_cast<ClockReading>(static_cast<std::uint32_t>(data.repetition.first_press) +
                                      static_cast<std::uint32_t>(ends[i]));
    }
    return data;
}

TestStatistics statistics_of(const TestData& data, TestKind kind) {
    for (const TestDetails& details : trial_details(data)) {
        if (details.kind == kind) {
            return test_statistics(details);
        }
    }
    qFatal("the test has no details");
}

bool near(double actual, double expected) {
    return std::abs(actual - expected) < 0.0005;
}

} // namespace

class TestTrialStatistics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clicks_per_second_needs_a_time_data();
    void clicks_per_second_needs_a_time();
    void spread_data();
    void spread();
    void no_times_no_spread();
    void a_trial_without_readings_is_left_out();
    void repetition_data();
    void repetition();
    void figures_read_without_a_minus_zero_data();
    void figures_read_without_a_minus_zero();
    void summary_csv_rows_data();
    void summary_csv_rows();
    void reading_origins_data();
    void reading_origins();
};

// Where each run's readings came from, and the warning when any fell back.
void TestTrialStatistics::reading_origins_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("onsets_frame");
    QTest::addColumn<int>("onsets_delivery");
    QTest::addColumn<int>("presses_input");
    QTest::addColumn<int>("presses_delivery");
    QTest::addColumn<QStringList>("lines");
    const int activation = int(TestKind::activation);
    const int release = int(TestKind::release);
    const int repetition = int(TestKind::repetition);
    QTest::newRow("every reading stamped")
        << activation << 10 << 0 << 21 << 0
        << QStringList{"Readings: onsets: display frame; presses: input stamps"};
    QTest::newRow("two onsets on delivery")
        << activation << 8 << 2 << 21 << 0
        << QStringList{
               "Readings: onsets: display frame, 2 of 10 on delivery; presses: input stamps",
               "Warning: 2 onset(s) read on delivery may be up to 17 ms early: those "
               "times may be off by as much"};
    QTest::newRow("release answers all on delivery")
        << release << 10 << 0 << 0 << 21
        << QStringList{"Readings: onsets: display frame; presses and releases: on delivery",
                       "Warning: 21 press(es) or release(s) read on delivery may be 1 to 15 ms "
                       "late: those times may be off by as much"};
    QTest::newRow("repetition times presses only")
        << repetition << 0 << 0 << 6 << 1
        << QStringList{"Readings: presses: input stamps, 1 of 7 on delivery",
                       "Warning: 1 press(es) read on delivery may be 1 to 15 ms late: those times "
                       "may be off by as much"};
}

void TestTrialStatistics::reading_origins() {
    QFETCH(int, kind);
    QFETCH(int, onsets_frame);
    QFETCH(int, onsets_delivery);
    QFETCH(int, presses_input);
    QFETCH(int, presses_delivery);
    QFETCH(QStringList, lines);
    const ReadingOrigins origins{onsets_frame, onsets_delivery, presses_input, presses_delivery};
    RunErrors errors;
    // A test of this session has its origins; the others, read from a file, none.
    switch (static_cast<TestKind>(kind)) {
    case TestKind::activation:
        errors.activation_origins = origins;
        break;
    case TestKind::release:
        errors.release_origins = origins;
        break;
    case TestKind::repetition:
        errors.repetition_origins = origins;
        break;
    }
    QStringList shown;
    for (const FigureLine& line : origin_lines(static_cast<TestKind>(kind), errors)) {
        shown << line.name + QStringLiteral(": ") + line.value;
    }
    QCOMPARE(shown, lines);
    const auto other = static_cast<TestKind>((kind + 1) % 3);
    QVERIFY(origin_lines(other, errors).empty());
}

void TestTrialStatistics::spread_data() {
    QTest::addColumn<std::vector<std::int32_t>>("times");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("median");
    QTest::addColumn<double>("sd"); // -1: none
    QTest::addColumn<double>("cv"); // -1: none
    QTest::addColumn<int>("fastest");
    QTest::addColumn<int>("slowest");

    QTest::newRow("single trial") << std::vector<std::int32_t>{250} << 250.0 << 250.0 << -1.0
                                  << -1.0 << 250 << 250;
    QTest::newRow("ten equal times")
        << std::vector<std::int32_t>(10, 250) << 250.0 << 250.0 << 0.0 << 0.0 << 250 << 250;
    // Deviations -45..45 in steps of 10: squares add up to 8250, / 9.
    QTest::newRow("ten rising by 10")
        << std::vector<std::int32_t>{300, 310, 320, 330, 340, 350, 360, 370, 380, 390} << 345.0
        << 345.0 << 30.276503 << 8.775798 << 300 << 390;
    QTest::newRow("odd count, unsorted")
        << std::vector<std::int32_t>{5, 1, 3} << 3.0 << 3.0 << 2.0 << 66.666667 << 1 << 5;
    QTest::newRow("median of an even count")
        << std::vector<std::int32_t>{400, 100, 300, 101} << 225.25 << 200.5 << 149.722799
        << 66.469611 << 100 << 400;
    // Deviations -175, 125, -125, 175: squares 92500, / 3.
    QTest::newRow("negative edited times") << std::vector<std::int32_t>{-100, 200, -50, 250} << 75.0
                                           << 75.0 << 175.594229 << 234.125639 << -100 << 250;
    QTest::newRow("negative mean has no coefficient")
        << std::vector<std::int32_t>{-100, -200} << -150.0 << -150.0 << 70.710678 << -1.0 << -200
        << -100;
    QTest::newRow("zero mean has no coefficient")
        << std::vector<std::int32_t>{-100, 100} << 0.0 << 0.0 << 141.421356 << -1.0 << -100 << 100;
    QTest::newRow("long times do not overflow")
        << std::vector<std::int32_t>{2'000'000'000, 2'000'000'000, 2'000'000'002}
        << 2'000'000'000.666667 << 2'000'000'000.0 << 1.154701 << 0.0000000577 << 2'000'000'000
        << 2'000'000'002;
}

void TestTrialStatistics::spread() {
    QFETCH(std::vector<std::int32_t>, times);
    QFETCH(double, mean);
    QFETCH(double, median);
    QFETCH(double, sd);
    QFETCH(double, cv);
    const std::optional<Spread> spread = spread_of({times.begin(), times.end()});
    QVERIFY(spread);
    QCOMPARE(spread->count, static_cast<int>(times.size()));
    QVERIFY2(near(spread->mean, mean), qPrintable(QString::number(spread->mean, 'f', 6)));
    QVERIFY(near(spread->median, median));
    QCOMPARE(spread->standard_deviation.has_value(), sd >= 0);
    if (sd >= 0) {
        QVERIFY2(near(*spread->standard_deviation, sd),
                 qPrintable(QString::number(*spread->standard_deviation, 'f', 6)));
    }
    QCOMPARE(spread->coefficient_of_variation.has_value(), cv >= 0);
    if (cv >= 0) {
        QVERIFY2(near(*spread->coefficient_of_variation, cv),
                 qPrintable(QString::number(*spread->coefficient_of_variation, 'f', 6)));
    }
    QTEST(static_cast<int>(spread->fastest), "fastest");
    QTEST(static_cast<int>(spread->slowest), "slowest");
}

void TestTrialStatistics::no_times_no_spread() {
    QVERIFY(!spread_of({}));
    QVERIFY(trial_details(TestData{}).empty());
    // A repetition test cut short has no intervals to describe.
    TestDetails short_run{TestKind::repetition, {{1, 10, 20, 10, {}, {}, {}}}, std::nullopt};
    const TestStatistics statistics = test_statistics(short_run);
    QVERIFY(!statistics.repetition);
    QVERIFY(figure_lines(statistics).empty());
}

void TestTrialStatistics::a_trial_without_readings_is_left_out() {
    TestData data = activation_taking({300, 310, 320, 330, 340, 350, 360, 370, 380, 390});
    data.activation.onsets[9] = 0;
    data.activation.responses[9] = 0;
    const TestStatistics statistics = statistics_of(data, TestKind::activation);
    QCOMPARE(statistics.trials, 9);
    QVERIFY(near(statistics.times->mean, 340.0));
    QCOMPARE(statistics.times->slowest, 380);
    // A trial with one reading is a response the file holds, however odd.
    data.activation.onsets[8] = 0;
    QCOMPARE(statistics_of(data, TestKind::activation).trials, 9);
}

void TestTrialStatistics::repetition_data() {
    QTest::addColumn<std::vector<std::int32_t>>("ends");
    QTest::addColumn<std::vector<std::int32_t>>("intervals");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("sd");
    QTest::addColumn<double>("clicks_per_second"); // -1: none

    QTest::newRow("steady") << std::vector<std::int32_t>{150, 350, 550, 750, 950}
                            << std::vector<std::int32_t>{200, 200, 200, 200} << 200.0 << 0.0
                            << 5.263158;
    // Deviations 37.5, -12.5, 87.5, -112.5: squares 21875, / 3.
    QTest::newRow("uneven") << std::vector<std::int32_t>{150, 400, 600, 900, 1000}
                            << std::vector<std::int32_t>{250, 200, 300, 100} << 212.5 << 85.391256
                            << 5.0;
    QTest::newRow("edited out of order")
        << std::vector<std::int32_t>{500, 300, 400, 200, 100}
        << std::vector<std::int32_t>{-200, 100, -200, -100} << -100.0 << 141.421356 << 50.0;
}

void TestTrialStatistics::repetition() {
    QFETCH(std::vector<std::int32_t>, ends);
    QFETCH(std::vector<std::int32_t>, intervals);
    QFETCH(double, mean);
    QFETCH(double, sd);
    QFETCH(double, clicks_per_second);
    std::array<std::int32_t, repetition_clicks> clicks{};
    std::copy(ends.begin(), ends.end(), clicks.begin());
    const TestStatistics statistics =
        statistics_of(repetition_ending(clicks), TestKind::repetition);
    QCOMPARE(statistics.trials, repetition_clicks);
    QVERIFY(!statistics.times);
    QVERIFY(statistics.repetition);
    const RepetitionFigures& figures = *statistics.repetition;
    std::vector<std::int32_t> computed;
    for (const std::optional<std::int64_t>& interval : figures.intervals) {
        computed.push_back(static_cast<std::int32_t>(interval.value()));
    }
    QCOMPARE(computed, intervals);
    QCOMPARE(figures.five_clicks_ms, ends.back());
    QVERIFY(near(figures.interval_spread->mean, mean));
    QVERIFY(near(*figures.interval_spread->standard_deviation, sd));
    QCOMPARE(figures.clicks_per_second.has_value(), clicks_per_second >= 0);
    if (clicks_per_second >= 0) {
        QVERIFY(near(*figures.clicks_per_second, clicks_per_second));
    }
}

void TestTrialStatistics::figures_read_without_a_minus_zero_data() {
    QTest::addColumn<double>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("rounded") << 312.26 << "312.3";
    QTest::newRow("tiny negative") << -0.04 << "0.0";
    QTest::newRow("negative") << -0.06 << "-0.1";
    QTest::newRow("large") << 2'000'000'000.666667 << "2000000000.7";
}

void TestTrialStatistics::figures_read_without_a_minus_zero() {
    QFETCH(double, ms);
    QTEST(ms_text(ms), "text");
}

// Two assessments: the three tests of the sample file, and an edited file
// with four activation trials, two of them negative, and fields that need
// quoting.
std::vector<QString> summary_records() {
    const std::vector<ExportedAssessment> assessments{
        {QStringLiteral("three_tests.tavo"), testing::three_tests_fields(),
         testing::three_tests_data(), RunErrors{2, 0, {}, {}, {}}},
        {QStringLiteral("edited, by hand.tavo"),
         {QStringLiteral("Zoë \"Z\""), QStringLiteral("=1+1"), QString(), QString(),
          QStringLiteral("line one\r\nline two")},
         activation_taking({-100, 200, -50, 250}),
         RunErrors{}}};
    const QByteArray csv = summary_csv(assessments);
    if (!csv.startsWith("\xEF\xBB\xBF") || !csv.endsWith("\r\n")) {
        return {};
    }
    // Records end with CR LF; a line break inside a quoted field is CR LF too,
    // so split on the records' own ends: a CR LF outside quotes.
    std::vector<QString> records;
    QString record;
    bool quoted = false;
    const QString text = QString::fromUtf8(csv.mid(3));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('"')) {
            quoted = !quoted;
        }
        if (!quoted && text.mid(i, 2) == QLatin1String("\r\n")) {
            records.push_back(record);
            record.clear();
            ++i;
            continue;
        }
        record += text[i];
    }
    return records;
}

void TestTrialStatistics::summary_csv_rows_data() {
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("text");
    const QString sample = QStringLiteral("three_tests.tavo,Ann Example,Dr Bo Reyes,Left of head,"
                                          "\"Round, 65 mm\",");
    const QString notes = QStringLiteral(",\"Seated in her wheelchair, switch on the tray.\"");
    // Ten trials rising by 10 ms from 300, and by 20 ms from 400.
    const QString no_intervals = QStringLiteral(",,,,,,,,");
    // The session's runs had two anticipations and no early release.
    QTest::newRow("activation") << 1
                                << sample + "Activation,10,345.0,345.0,30.3,8.8,300,390" +
                                       no_intervals + ",2," + notes + ",";
    QTest::newRow("release") << 2
                             << sample + "Release,10,490.0,490.0,60.6,12.4,400,580" + no_intervals +
                                    ",,0" + notes + ",";
    // Clicks end 150, 350, 550, 750 and 950 ms after the first press: five
    // clicks in 0.95 s.
    QTest::newRow("repetition") << 3
                                << sample +
                                       "Repetition,5,,,,,,,200,200,200,200,200.0,0.0,950,5.26,," +
                                       notes + ",";
    // Deviations -175, 125, -125 and 175 from the mean of 75. A file does not
    // keep the errors of the moment. A typed text that a spreadsheet would run
    // as a formula gets an apostrophe.
    QTest::newRow("edited, quoted")
        << 4
        << QStringLiteral(
               "\"edited, by hand.tavo\",\"Zoë \"\"Z\"\"\",'=1+1,,,Activation,4,75.0,"
               "75.0,175.6,234.1,-100,250,,,,,,,,,not recorded,,\"line one\r\nline two\","
               "4 of 10 trials recorded");
}

void TestTrialStatistics::summary_csv_rows() {
    QFETCH(int, record);
    const std::vector<QString> records = summary_records();
    QCOMPARE(records.size(), std::size_t{5});
    QCOMPARE(records[0].split(QLatin1Char(',')), summary_csv_header());
    QTEST(records[static_cast<std::size_t>(record)], "text");
}

// A file can hold five clicks that took no time, or less; the rate is then
// not given rather than infinite or negative. Without a fifth click there is
// no time for five clicks at all, rather than one of 0.
constexpr std::int32_t no_fifth_click = std::numeric_limits<std::int32_t>::min();

void TestTrialStatistics::clicks_per_second_needs_a_time_data() {
    QTest::addColumn<std::int32_t>("five_clicks_ms");
    QTest::addColumn<double>("rate"); // -1: none
    QTest::newRow("one second") << std::int32_t{1000} << 5.0;
    QTest::newRow("one millisecond") << std::int32_t{1} << 5000.0;
    QTest::newRow("no time") << std::int32_t{0} << -1.0;
    QTest::newRow("negative, from an edited file") << std::int32_t{-40} << -1.0;
    QTest::newRow("fifth click not recorded") << no_fifth_click << -1.0;
}

void TestTrialStatistics::clicks_per_second_needs_a_time() {
    QFETCH(std::int32_t, five_clicks_ms);
    TestDetails details;
    details.kind = TestKind::repetition;
    for (int i = 1; i <= repetition_clicks; ++i) {
        TrialRow row;
        row.trial = i;
        if (i < repetition_clicks || five_clicks_ms != no_fifth_click) {
            row.onset = 1'000;
            row.response_ms = i == repetition_clicks ? five_clicks_ms : 0;
            row.response = static_cast<ClockReading>(row.onset + row.response_ms);
        }
        details.rows.push_back(row);
    }
    const TestStatistics statistics = test_statistics(details);
    QVERIFY(statistics.repetition);
    const std::optional<double>& rate = statistics.repetition->clicks_per_second;
    QTEST(rate.value_or(-1.0), "rate");
    QCOMPARE(statistics.repetition->five_clicks_ms.has_value(), five_clicks_ms != no_fifth_click);
}

QTEST_GUILESS_MAIN(TestTrialStatistics)
#include "test_trial_statistics.moc"
