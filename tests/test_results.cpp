// The Test Results tab's figures from raw readings, the duration text, and
// the one rule for a trial with nothing recorded as every view shows it.
#include "duration_text.h"
#include "results.h"
#include "sheet_lines.h"
#include "summary_csv.h"
#include "trial_statistics.h"

#include <QTest>

using namespace tavo;

namespace {

using Durations = std::array<std::int32_t, trials_per_test>;

// A trial given this duration has neither reading.
constexpr std::int32_t unrecorded = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t x = unrecorded;

// Readings with the given response times, stimuli 5 s apart from `base`.
void set_trials(std::array<ClockReading, trials_per_test>& onsets,
                std::array<ClockReading, trials_per_test>& responses, const Durations& durations,
                ClockReading base) {
    for (int i = 0; i < trials_per_test; ++i) {
        if (durations[i] == unrecorded) {
            onsets[i] = 0;
            responses[i] = 0;
            continue;
        }
        onsets[i] = static_cast<ClockReading>(static_cast<std::uint32_t>(base) + 5000u * i);
        responses[i] =
            static_cast<ClockReading>(static_cast<std::uint32_t>(onsets[i]) + durations[i]);
    }
}

QStringList activation_captions(const TestData& data) {
    return timed_test_captions(test_results(data).activation);
}

// The lines of one section of the sheet, under its heading and rule.
QStringList sheet_section(const TestResults& results, const QString& heading) {
    const std::vector<SheetLine> lines = results_sheet_lines({}, results, QString());
    QStringList section;
    auto line = std::find_if(lines.begin(), lines.end(),
                             [&](const SheetLine& sheet) { return sheet.text == heading; });
    if (line == lines.end()) {
        return section;
    }
    for (line += 2; line != lines.end() && line->text != QStringLiteral(" "); ++line) {
        section << line->text;
    }
    return section;
}

QString figure(const std::vector<FigureLine>& lines, const QString& name) {
    for (const FigureLine& line : lines) {
        if (line.name == name) {
            return line.value;
        }
    }
    return QStringLiteral("(none)");
}

// The cells of the summary CSV's activation row, split at every comma:
// the typed fields here hold none.
QStringList summary_csv_cells(const TestData& data) {
    const QString csv = QString::fromUtf8(summary_csv({{{}, {}, data, {}}}));
    const QStringList records = csv.split(QStringLiteral("\r\n"));
    return records.size() > 1 && !records[1].isEmpty() ? records[1].split(QLatin1Char(','))
                                                       : QStringList();
}

// Trial and response-time cells of every trial CSV row, with its note.
QStringList trial_csv_rows(const TestData& data) {
    const QString csv = QString::fromUtf8(trial_csv({{{}, {}, data, {}}}));
    QStringList rows;
    for (const QString& record : csv.split(QStringLiteral("\r\n")).mid(1)) {
        const QStringList cells = record.split(QLatin1Char(','));
        if (cells.size() == trial_csv_header().size()) {
            rows << cells[6] + QLatin1Char(':') + cells[9] + QLatin1Char(':') + cells[11];
        }
    }
    return rows;
}

using ClickEnds = std::array<std::int32_t, repetition_clicks>;

// Each click's end this long after a first press at `first_press`; an
// unrecorded click has no reading.
TestData clicks_ending(ClockReading first_press, const ClickEnds& ends) {
    TestData data;
    data.repetition.first_press = first_press;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        data.repetition.click_times[i] = ends[i] == unrecorded ? 0 : 1'000'000 + ends[i];
    }
    return data;
}

Durations all(std::int32_t ms) {
    Durations d;
    d.fill(ms);
    return d;
}

} // namespace

Q_DECLARE_METATYPE(Durations)
Q_DECLARE_METATYPE(ClickEnds)

class ResultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void format_duration_text_data();
    void format_duration_text();
    void trial_tests_data();
    void trial_tests();
    void release_uses_its_own_labels();
    void repetition_data();
    void repetition();
    void empty_assessment_has_no_results();
    void unrecorded_trials_in_every_view_data();
    void unrecorded_trials_in_every_view();
    void unrecorded_clicks_in_every_view_data();
    void unrecorded_clicks_in_every_view();
};

void ResultsTest::format_duration_text_data() {
    QTest::addColumn<int>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "00:00.000";
    QTest::newRow("seconds") << 1234 << "00:01.234";
    QTest::newRow("minutes") << 61005 << "01:01.005";
    QTest::newRow("last of the hour") << 3599999 << "59:59.999";
    QTest::newRow("whole hours dropped") << 3600000 << "00:00.000";
    QTest::newRow("16-bit limit") << 32767 << "00:32.767";
    QTest::newRow("one negative millisecond") << -1 << "-00:00.001";
    QTest::newRow("negative seconds") << -61005 << "-01:01.005";
    QTest::newRow("most negative") << std::numeric_limits<std::int32_t>::min() << "-31:23.648";
}

void ResultsTest::format_duration_text() {
    QFETCH(int, ms);
    QFETCH(QString, text);
    QCOMPARE(tavo::format_duration_text(ms), text);
}

void ResultsTest::trial_tests_data() {
    QTest::addColumn<Durations>("durations");
    QTest::addColumn<ClockReading>("base");
    QTest::addColumn<QString>("average");
    QTest::addColumn<QString>("fastest");
    QTest::addColumn<QString>("slowest");

    QTest::newRow("ten times 250 ms") << all(250) << 1'000'000 << "Average Response Time: 00:00.250"
                                      << "Fastest = 00:00.250"
                                      << "Slowest = 00:00.250";
    QTest::newRow("sum 2345 rounds half to even, down")
        << Durations{200, 210, 220, 230, 240, 250, 260, 270, 280, 185} << 1'000'000
        << "Average Response Time: 00:00.234"
        << "Fastest = 00:00.185"
        << "Slowest = 00:00.280";
    QTest::newRow("sum 2355 rounds half to even, up")
        << Durations{200, 210, 220, 230, 240, 250, 260, 270, 280, 195} << 1'000'000
        << "Average Response Time: 00:00.236"
        << "Fastest = 00:00.195"
        << "Slowest = 00:00.280";
    QTest::newRow("fastest and slowest anywhere")
        << Durations{400, 300, 900, 150, 500, 500, 500, 500, 500, 550} << 7'000
        << "Average Response Time: 00:00.480"
        << "Fastest = 00:00.150"
        << "Slowest = 00:00.900";
    QTest::newRow("sum beyond 16 bits")
        << all(4000) << 1'000'000 << "Average Response Time: 00:04.000"
        << "Fastest = 00:04.000"
        << "Slowest = 00:04.000";
    QTest::newRow("one response beyond 16 bits")
        << Durations{40000, 300, 300, 300, 300, 300, 300, 300, 300, 300} << 1'000'000
        << "Average Response Time: 00:04.270"
        << "Fastest = 00:00.300"
        << "Slowest = 00:40.000";
    QTest::newRow("clock wrapped during the test")
        << all(300) << std::numeric_limits<std::int32_t>::max() - 20'000
        << "Average Response Time: 00:00.300"
        << "Fastest = 00:00.300"
        << "Slowest = 00:00.300";
    QTest::newRow("unsigned wrap of the millisecond counter")
        << all(300) << -10'000 << "Average Response Time: 00:00.300"
        << "Fastest = 00:00.300"
        << "Slowest = 00:00.300";
    QTest::newRow("a response of 0 ms counts as 0")
        << Durations{0, 500, 500, 500, 500, 500, 500, 500, 500, 500} << 1'000'000
        << "Average Response Time: 00:00.450"
        << "Fastest = 00:00.000"
        << "Slowest = 00:00.500";
    QTest::newRow("sum of 0 is not completed") << all(0) << 1'000'000 << "Test Not Completed"
                                               << ""
                                               << "";
    QTest::newRow("negative sum from an edited file")
        << Durations{-300, 100, 0, 0, 0, 0, 0, 0, 0, 0} << 1'000'000 << "Test Not Completed"
        << ""
        << "";
    QTest::newRow("sum of 1 is completed") << Durations{1, 0, 0, 0, 0, 0, 0, 0, 0, 0} << 1'000'000
                                           << "Average Response Time: 00:00.000"
                                           << "Fastest = 00:00.000"
                                           << "Slowest = 00:00.001";
}

void ResultsTest::trial_tests() {
    QFETCH(Durations, durations);
    QFETCH(ClockReading, base);
    TestData data;
    set_trials(data.activation.onsets, data.activation.responses, durations, base);
    const TestResults results = test_results(data);
    const QStringList captions = timed_test_captions(results.activation);
    QCOMPARE(captions.size(), 3);
    QTEST(captions[0], "average");
    QTEST(captions[1], "fastest");
    QTEST(captions[2], "slowest");
    QCOMPARE(timed_test_captions(results.release)[0], QStringLiteral("Test Not Completed"));
    QCOMPARE(repetition_caption(results.five_clicks), QStringLiteral("Test Not Completed"));
}

void ResultsTest::release_uses_its_own_labels() {
    TestData data;
    set_trials(data.release.onsets, data.release.responses,
               Durations{600, 610, 620, 630, 640, 650, 660, 670, 680, 690}, 50'000);
    const TestResults results = test_results(data);
    QCOMPARE(timed_test_captions(results.activation), QStringList({"Test Not Completed", "", ""}));
    QCOMPARE(timed_test_captions(results.release),
             QStringList({"Average Response Time: 00:00.645", "Fastest = 00:00.600",
                          "Slowest = 00:00.690"}));
}

void ResultsTest::repetition_data() {
    QTest::addColumn<ClockReading>("first_press");
    QTest::addColumn<ClockReading>("fifth_click");
    QTest::addColumn<QString>("text");
    QTest::newRow("4321 ms") << 10'000 << 14'321 << "Time For 5 Clicks: 00:04.321";
    QTest::newRow("beyond 16 bits") << 10'000 << 50'000 << "Time For 5 Clicks: 00:40.000";
    QTest::newRow("nothing recorded") << 0 << 0 << "Test Not Completed";
    QTest::newRow("fifth click before first press") << 10'000 << 9'000 << "Test Not Completed";
    QTest::newRow("across the clock's wrap")
        << std::numeric_limits<std::int32_t>::max() - 1000
        << std::numeric_limits<std::int32_t>::min() + 999 << "Time For 5 Clicks: 00:02.000";
}

void ResultsTest::repetition() {
    QFETCH(ClockReading, first_press);
    QFETCH(ClockReading, fifth_click);
    TestData data;
    data.repetition.first_press = first_press;
    data.repetition.click_times[4] = fifth_click;
    QTEST(repetition_caption(test_results(data).five_clicks), "text");
}

void ResultsTest::empty_assessment_has_no_results() {
    QCOMPARE(test_results(TestData{}), TestResults{});
    QCOMPARE(activation_captions(TestData{}), QStringList({"Test Not Completed", "", ""}));
}

// A trial with neither reading is in no figure of any view, and every view
// says how many of the ten were recorded; a complete test says nothing more.
void ResultsTest::unrecorded_trials_in_every_view_data() {
    QTest::addColumn<Durations>("durations");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("trials");
    QTest::addColumn<QString>("mean");

    QTest::newRow("all ten recorded") << Durations{300, 310, 320, 330, 340, 350, 360, 370, 380, 390}
                                      << QStringList{"Average Response Time: 00:00.345",
                                                     "Fastest = 00:00.300", "Slowest = 00:00.390"}
                                      << "10"
                                      << "345.0 ms";
    QTest::newRow("last five unrecorded")
        << Durations{200, 210, 220, 230, 240, x, x, x, x, x}
        << QStringList{"Average Response Time: 00:00.220", "Fastest = 00:00.200",
                       "Slowest = 00:00.240", "5 of 10 trials recorded"}
        << "5 of 10 recorded"
        << "220.0 ms";
    // 1605 / 9 = 178.3: the average divides by the recorded trials.
    QTest::newRow("first unrecorded, the fastest after it")
        << Durations{x, 150, 160, 170, 180, 190, 200, 210, 220, 125}
        << QStringList{"Average Response Time: 00:00.178", "Fastest = 00:00.125",
                       "Slowest = 00:00.220", "9 of 10 trials recorded"}
        << "9 of 10 recorded"
        << "178.3 ms";
    // 2490 / 4 = 622.5, halves to the even millisecond.
    QTest::newRow("four recorded, half to even")
        << Durations{x, 600, x, 610, x, 640, x, 640, x, x}
        << QStringList{"Average Response Time: 00:00.622", "Fastest = 00:00.600",
                       "Slowest = 00:00.640", "4 of 10 trials recorded"}
        << "4 of 10 recorded"
        << "622.5 ms";
    QTest::newRow("one recorded") << Durations{x, x, x, x, x, x, x, x, x, 1}
                                  << QStringList{"Average Response Time: 00:00.001",
                                                 "Fastest = 00:00.001", "Slowest = 00:00.001",
                                                 "1 of 10 trials recorded"}
                                  << "1 of 10 recorded"
                                  << "1.0 ms";
    QTest::newRow("none recorded") << Durations{x, x, x, x, x, x, x, x, x, x}
                                   << QStringList{"Test Not Completed", "", ""} << "(none)"
                                   << "(none)";
}

void ResultsTest::unrecorded_trials_in_every_view() {
    QFETCH(Durations, durations);
    QFETCH(QStringList, captions);
    QFETCH(QString, trials);
    QFETCH(QString, mean);
    TestData data;
    set_trials(data.activation.onsets, data.activation.responses, durations, 1'000'000);
    const TestResults results = test_results(data);

    // The Test Results tab and the command line's summary, and the sheet.
    QCOMPARE(timed_test_captions(results.activation), captions);
    QCOMPARE(sheet_section(results, QStringLiteral("Activation Test Results")), captions);

    const std::vector<TestDetails> details = trial_details(data);
    if (!results.activation) {
        QVERIFY(details.empty());
        QCOMPARE(summary_csv_cells(data), QStringList());
        QCOMPARE(trial_csv_rows(data), QStringList());
        return;
    }
    // Trial Details and the detail page: the same average, count and figures.
    QCOMPARE(details.size(), std::size_t{1});
    QCOMPARE(details[0].average, results.activation->average);
    const TestStatistics statistics = test_statistics(details[0]);
    const std::vector<FigureLine> lines = figure_lines(statistics);
    QCOMPARE(figure(lines, QStringLiteral("Trials")), trials);
    QCOMPARE(figure(lines, QStringLiteral("Mean (exact)")), mean);
    QCOMPARE(figure(lines, QStringLiteral("Fastest")),
             QString::number(results.activation->fastest) + QStringLiteral(" ms"));
    QCOMPARE(figure(lines, QStringLiteral("Slowest")),
             QString::number(results.activation->slowest) + QStringLiteral(" ms"));

    // The summary CSV: the recorded count, and the note in its last column.
    const QStringList cells = summary_csv_cells(data);
    QCOMPARE(cells.size(), summary_csv_header().size());
    QCOMPARE(cells[6], QString::number(results.activation->recorded));
    QCOMPARE(cells[11], QString::number(results.activation->fastest));
    QCOMPARE(cells.back(), captions.value(3));

    // The trial CSV: every trial keeps its row; an unrecorded one has no time.
    QStringList expected_rows;
    for (int i = 0; i < trials_per_test; ++i) {
        const std::int32_t ms = durations[static_cast<std::size_t>(i)];
        expected_rows << QStringLiteral("%1:%2").arg(i + 1).arg(
            ms == unrecorded ? QStringLiteral(":not recorded") : QString::number(ms) + ':');
    }
    QCOMPARE(trial_csv_rows(data), expected_rows);
}

// An interval is only computed between two recorded clicks, and the time for
// five clicks only from a recorded first press to a recorded fifth click; the
// figures leave the rest out, and every view says how many clicks were
// recorded.
void ResultsTest::unrecorded_clicks_in_every_view_data() {
    QTest::addColumn<ClockReading>("first_press");
    QTest::addColumn<ClickEnds>("ends");
    QTest::addColumn<QStringList>("captions");
    // Clicks, the four intervals, mean, standard deviation, clicks per second.
    QTest::addColumn<QStringList>("figures");
    // The summary CSV's Trials, interval, mean, deviation, five clicks, rate
    // and note cells.
    QTest::addColumn<QString>("csv");

    QTest::newRow("complete") << 1'000'000 << ClickEnds{150, 350, 550, 750, 950}
                              << QStringList{"Time For 5 Clicks: 00:00.950"}
                              << QStringList{"5",      "200 ms",   "200 ms", "200 ms",
                                             "200 ms", "200.0 ms", "0.0 ms", "5.26"}
                              << "5,200,200,200,200,200.0,0.0,950,5.26,";
    // Intervals 200, 300, 100: deviations 0, 100, -100.
    QTest::newRow("first click missing")
        << 1'000'000 << ClickEnds{x, 400, 600, 900, 1000}
        << QStringList{"Time For 5 Clicks: 00:01.000", "4 of 5 clicks recorded"}
        << QStringList{"4 of 5 recorded", "not recorded", "200 ms",   "300 ms",
                       "100 ms",          "200.0 ms",     "100.0 ms", "5.00"}
        << "4,,200,300,100,200.0,100.0,1000,5.00,4 of 5 clicks recorded";
    // Intervals 250 and 100: deviations of 75, over one degree of freedom.
    QTest::newRow("middle click missing")
        << 1'000'000 << ClickEnds{150, 400, x, 900, 1000}
        << QStringList{"Time For 5 Clicks: 00:01.000", "4 of 5 clicks recorded"}
        << QStringList{"4 of 5 recorded", "250 ms",   "not recorded", "not recorded",
                       "100 ms",          "175.0 ms", "106.1 ms",     "5.00"}
        << "4,250,,,100,175.0,106.1,1000,5.00,4 of 5 clicks recorded";
    QTest::newRow("no two recorded clicks in a row")
        << 1'000'000 << ClickEnds{150, x, 550, x, 950}
        << QStringList{"Time For 5 Clicks: 00:00.950", "3 of 5 clicks recorded"}
        << QStringList{"3 of 5 recorded", "not recorded", "not recorded", "not recorded",
                       "not recorded",    "n/a",          "n/a",          "5.26"}
        << "3,,,,,,,950,5.26,3 of 5 clicks recorded";
    QTest::newRow("last click missing")
        << 1'000'000 << ClickEnds{150, 350, 550, 750, x} << QStringList{"Test Not Completed"}
        << QStringList() << QString();
    QTest::newRow("all missing") << 1'000'000 << ClickEnds{x, x, x, x, x}
                                 << QStringList{"Test Not Completed"} << QStringList() << QString();
    // Counted from a reading of 0, the fifth click would be hours after it.
    QTest::newRow("first press missing")
        << 0 << ClickEnds{150, 350, 550, 750, 950} << QStringList{"Test Not Completed"}
        << QStringList() << QString();
}

void ResultsTest::unrecorded_clicks_in_every_view() {
    QFETCH(ClockReading, first_press);
    QFETCH(ClickEnds, ends);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, figures);
    QFETCH(QString, csv);
    const TestData data = clicks_ending(first_press, ends);
    const TestResults results = test_results(data);

    // The Test Results tab and the command line's summary, and the sheet.
    QCOMPARE(repetition_captions(results), captions);
    QCOMPARE(sheet_section(results, QStringLiteral("Repetition Test Result")), captions);

    // Trial Details, the detail page and Compare list the figures.
    const std::vector<TestDetails> details = trial_details(data);
    QStringList shown;
    if (!details.empty()) {
        for (const FigureLine& line : figure_lines(test_statistics(details.back()))) {
            shown << line.value;
        }
    }
    QCOMPARE(shown, figures);

    const QStringList cells = summary_csv_cells(data);
    QStringList expected_rows;
    if (!cells.isEmpty()) {
        QCOMPARE(cells.size(), summary_csv_header().size());
        QCOMPARE(cells[5], QStringLiteral("Repetition"));
        for (int i = 0; i < repetition_clicks; ++i) {
            const std::int32_t ms = ends[static_cast<std::size_t>(i)];
            expected_rows << QStringLiteral("%1:%2").arg(i + 1).arg(
                ms == unrecorded ? QStringLiteral(":not recorded")
                                 : QString::number(ms) + QLatin1Char(':'));
        }
    }
    const QStringList wanted = QStringList{cells.value(6)} + cells.mid(13, 8) + cells.mid(24);
    QCOMPARE(cells.isEmpty() ? QString() : wanted.join(QLatin1Char(',')), csv);
    // The trial CSV: every click keeps its row; an unrecorded one has no time.
    QCOMPARE(trial_csv_rows(data), expected_rows);
}

QTEST_GUILESS_MAIN(ResultsTest)
#include "test_results.moc"
