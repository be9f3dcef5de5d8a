// The Test Results tab's figures from raw readings, and the duration text.
#include "duration_text.h"
#include "results.h"

#include <QTest>

using namespace tavo;

namespace {

using Durations = std::array<std::int32_t, trials_per_test>;

// Readings with the given response times, stimuli 5 s apart from `base`.
void set_trials(std::array<ClockReading, trials_per_test>& onsets,
                std::array<ClockReading, trials_per_test>& responses, const Durations& durations,
                ClockReading base) {
    for (int i = 0; i < trials_per_test; ++i) {
        onsets[i] = static_cast<ClockReading>(static_cast<std::uint32_t>(base) + 5000u * i);
        responses[i] =
            static_cast<ClockReading>(static_cast<std::uint32_t>(onsets[i]) + durations[i]);
    }
}

Durations all(std::int32_t ms) {
    Durations d;
    d.fill(ms);
    return d;
}

} // namespace

Q_DECLARE_METATYPE(Durations)

class TestResults : public QObject {
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
};

void TestResults::format_duration_text_data() {
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

void TestResults::format_duration_text() {
    QFETCH(int, ms);
    QFETCH(QString, text);
    QCOMPARE(tavo::format_duration_text(ms), text);
}

void TestResults::trial_tests_data() {
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
    QTest::newRow("an unrecorded trial counts as 0")
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

void TestResults::trial_tests() {
    QFETCH(Durations, durations);
    QFETCH(ClockReading, base);
    TestData data;
    set_trials(data.act_stim_times, data.act_click_times, durations, base);
    const ResultTexts texts = compute_results(data);
    QTEST(texts.activation_average, "average");
    QTEST(texts.activation_fastest, "fastest");
    QTEST(texts.activation_slowest, "slowest");
    QCOMPARE(texts.release_average, QStringLiteral("Test Not Completed"));
    QCOMPARE(texts.five_clicks, QStringLiteral("Test Not Completed"));
}

void TestResults::release_uses_its_own_labels() {
    TestData data;
    set_trials(data.rel_stim_times, data.rel_release_times,
               Durations{600, 610, 620, 630, 640, 650, 660, 670, 680, 690}, 50'000);
    const ResultTexts texts = compute_results(data);
    QCOMPARE(texts.activation_average, QStringLiteral("Test Not Completed"));
    QCOMPARE(texts.activation_fastest, QString());
    QCOMPARE(texts.release_average, QStringLiteral("Average Response Time: 00:00.645"));
    QCOMPARE(texts.release_fastest, QStringLiteral("Fastest = 00:00.600"));
    QCOMPARE(texts.release_slowest, QStringLiteral("Slowest = 00:00.690"));
}

void TestResults::repetition_data() {
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

void TestResults::repetition() {
    QFETCH(ClockReading, first_press);
    QFETCH(ClockReading, fifth_click);
    TestData data;
    data.rep_first_press = first_press;
    data.rep_click_times[4] = fifth_click;
    QTEST(compute_results(data).five_clicks, "text");
}

void TestResults::empty_assessment_has_no_results() {
    ResultTexts expected;
    expected.activation_average = QStringLiteral("Test Not Completed");
    expected.release_average = QStringLiteral("Test Not Completed");
    expected.five_clicks = QStringLiteral("Test Not Completed");
    QCOMPARE(compute_results(TestData{}), expected);
}

QTEST_GUILESS_MAIN(TestResults)
#include "test_results.moc"
