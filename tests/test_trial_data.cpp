// Every trial of an assessment as tables and as CSV, and assessments compared.
#include "assessment_file.h"
#include "comparison.h"
#include "results.h"
#include "sample_assessments.h"
#include "summary_csv.h"
#include "trial_csv.h"
#include "trial_details.h"

#include <QFileInfo>
#include <QTest>

using namespace tavo;

namespace {

QString sample_path(const QString& name) {
    return QStringLiteral(TAVO_TEST_DATA_DIR "/") + name;
}

AssessmentRecord sample(const QString& name) {
    const ReadResult read = read_assessment_file(sample_path(name), TestData{});
    if (!read.ok()) {
        qFatal("cannot read %s", qPrintable(name));
    }
    return read.record;
}

} // namespace

class TestTrialData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void details_of_a_sample_data();
    void details_of_a_sample();
    void only_tests_with_data_have_details();
    void csv_field_data();
    void csv_field();
    void csv_of_two_assessments();
    void formula_looking_cells_data();
    void formula_looking_cells();
    void comparison_keeps_the_order_chosen();
    void far_apart_readings_data();
    void far_apart_readings();
};

void TestTrialData::details_of_a_sample_data() {
    QTest::addColumn<int>("test");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("ms");
    QTest::addColumn<QString>("onset");
    QTest::addColumn<QString>("response");
    QTest::addColumn<int>("average"); // -1 for none

    QTest::newRow("first activation") << 0 << 0 << 300 << "9:05:08:542"
                                      << "9:05:08:842" << 345;
    QTest::newRow("last activation") << 0 << 9 << 390 << "9:05:44:542"
                                     << "9:05:44:932" << 345;
    QTest::newRow("first release") << 1 << 0 << 400 << "9:12:33:500"
                                   << "9:12:33:900" << 490;
    QTest::newRow("last release") << 1 << 9 << 580 << "9:13:18:500"
                                  << "9:13:19:080" << 490;
    QTest::newRow("first click") << 2 << 0 << 150 << "9:20:02:000"
                                 << "9:20:02:150" << -1;
    QTest::newRow("fifth click") << 2 << 4 << 950 << "9:20:02:000"
                                 << "9:20:02:950" << -1;
}

void TestTrialData::details_of_a_sample() {
    QFETCH(int, test);
    QFETCH(int, row);
    QFETCH(int, ms);
    QFETCH(QString, onset);
    QFETCH(QString, response);
    QFETCH(int, average);
    const std::vector<TestDetails> tests = trial_details(sample("three_tests.tavo").data);
    QCOMPARE(tests.size(), std::size_t{3});
    const TestDetails& details = tests[static_cast<std::size_t>(test)];
    QCOMPARE(static_cast<int>(details.kind), test);
    QCOMPARE(details.rows.size(), std::size_t(test == 2 ? 5 : 10));
    const TrialRow& trial = details.rows[static_cast<std::size_t>(row)];
    QCOMPARE(trial.trial, row + 1);
    QCOMPARE(trial.response_ms, ms);
    QCOMPARE(trial.onset_time_of_day, onset);
    QCOMPARE(trial.response_time_of_day, response);
    QCOMPARE(details.average.value_or(-1), average);
}

void TestTrialData::only_tests_with_data_have_details() {
    QVERIFY(trial_details(sample("no_tests.tavo").data).empty());
    TestData data = sample("three_tests.tavo").data;
    const TestData release_only = [&] {
        TestData d = data;
        d.activation.onsets = {};
        d.activation.responses = {};
        d.repetition.click_times = {};
        d.repetition.first_press = 0;
        return d;
    }();
    const std::vector<TestDetails> tests = trial_details(release_only);
    QCOMPARE(tests.size(), std::size_t{1});
    QCOMPARE(tests[0].kind, TestKind::release);
}

void TestTrialData::csv_field_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "Ann Example"
                           << "Ann Example";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks kept bare") << " left "
                                      << " left ";
    QTest::newRow("comma") << "Round, 65 mm"
                           << "\"Round, 65 mm\"";
    QTest::newRow("quotes doubled") << "the \"big\" one"
                                    << "\"the \"\"big\"\" one\"";
    QTest::newRow("line feed") << "a\nb"
                               << "\"a\nb\"";
    QTest::newRow("carriage return") << "a\rb"
                                     << "\"a\rb\"";
    QTest::newRow("CR LF and a quote") << "said \"no\"\r\nthen yes"
                                       << "\"said \"\"no\"\"\r\nthen yes\"";
    QTest::newRow("non-Latin") << "Zoë Ωmega"
                               << "Zoë Ωmega";
}

void TestTrialData::csv_field() {
    QFETCH(QString, text);
    QFETCH(QString, field);
    QCOMPARE(tavo::csv_field(text), field);
}

void TestTrialData::csv_of_two_assessments() {
    const AssessmentRecord three = sample("three_tests.tavo");
    const TypedFields odd = {QStringLiteral("Lee, \"Sam\""), QStringLiteral("Zoë"),
                             QStringLiteral("Chin"), QStringLiteral("Plate"),
                             QStringLiteral("line one\r\nline \"two\", last")};
    const QByteArray csv =
        trial_csv({{QStringLiteral("a.tavo"), three.fields, three.data, RunErrors{}},
                   {QString(), odd, three.data, RunErrors{}},
                   {QStringLiteral("none.tavo"), odd, TestData{}, RunErrors{}}});
    QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(csv.mid(3));
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    const QStringList records = text.split(QStringLiteral("\r\n"));
    QCOMPARE(records.first(),
             QStringLiteral(
                 "File,Subject,Administrator,Switch Location,Switch Type,Test,Trial,"
                 "Onset Time of Day,Response Time of Day,Response Time (ms),Notes,Trial Note"));
    QCOMPARE(records[1], QStringLiteral("a.tavo,Ann Example,Dr Bo Reyes,Left of head,"
                                        "\"Round, 65 mm\",Activation,1,9:05:08:542,9:05:08:842,"
                                        "300,\"Seated in her wheelchair, switch on the tray.\","));
    QCOMPARE(records[25], QStringLiteral("a.tavo,Ann Example,Dr Bo Reyes,Left of head,"
                                         "\"Round, 65 mm\",Repetition,5,9:20:02:000,9:20:02:950,"
                                         "950,\"Seated in her wheelchair, switch on the tray.\","));
    // The notes' own line break splits the second assessment's records in two
    // when split naively; each record starts a new one.
    QCOMPARE(records[26], QStringLiteral(",\"Lee, \"\"Sam\"\"\",Zoë,Chin,Plate,Activation,1,"
                                         "9:05:08:542,9:05:08:842,300,\"line one"));
    QCOMPARE(records[27], QStringLiteral("line \"\"two\"\", last\","));
    // Header, 25 trials of each tested assessment (the second with a line
    // break each), none of the untested one, and the empty text after the end.
    QCOMPARE(records.size(), 1 + 25 + 50 + 1);
}

void TestTrialData::formula_looking_cells_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cell");
    QTest::newRow("equals") << "=HYPERLINK(\"http://x\")"
                            << "\"'=HYPERLINK(\"\"http://x\"\")\"";
    QTest::newRow("plus") << "+1+cmd|' /C calc'!A0"
                          << "'+1+cmd|' /C calc'!A0";
    QTest::newRow("minus") << "-2+3"
                           << "'-2+3";
    QTest::newRow("at") << "@SUM(A1:A9)"
                        << "'@SUM(A1:A9)";
    QTest::newRow("TAB") << "\t=1"
                         << "'\t=1";
    QTest::newRow("CR") << "\r=1"
                        << "\"'\r=1\"";
    QTest::newRow("inside the text only") << "Ann =1"
                                          << "Ann =1";
    QTest::newRow("a blank before") << " =1"
                                    << " =1";
}

// Typed text that a spreadsheet would run gets an apostrophe; the numbers
// and times stay numbers, a negative time included.
void TestTrialData::formula_looking_cells() {
    QFETCH(QString, text);
    QFETCH(QString, cell);
    const AssessmentRecord three = sample("three_tests.tavo");
    TestData early = three.data;
    early.activation.responses[0] = early.activation.onsets[0] - 5;
    const TypedFields fields = {text, text, text, text, text};
    const QString csv = QString::fromUtf8(
        trial_csv({{text, fields, early, {}}}).mid(3)); // after the byte-order mark
    const QString first_row = QStringList(QList<QString>(5, cell)).join(u',') +
                              QStringLiteral(",Activation,1,9:05:08:542,9:05:08:537,-5,") + cell +
                              QStringLiteral(",response before stimulus\r\n");
    QVERIFY2(csv.contains(QStringLiteral("\r\n") + first_row), qPrintable(csv.left(400)));
    // The figures of each test: the same typed cells before them and after,
    // then the empty note of a complete test.
    const QString summary = QString::fromUtf8(summary_csv({{text, fields, early, {}}}).mid(3));
    const QString summary_row =
        QStringList(QList<QString>(5, cell)).join(u',') + QStringLiteral(",Activation,10,");
    QVERIFY2(summary.contains(QStringLiteral("\r\n") + summary_row), qPrintable(summary));
    QVERIFY2(summary.section(QStringLiteral("\r\n"), 1, 1).endsWith(u',' + cell + u',') ||
                 cell.contains(u'\r'),
             qPrintable(summary));
}

void TestTrialData::comparison_keeps_the_order_chosen() {
    const Comparison comparison =
        load_comparison({sample_path("no_tests.tavo"), sample_path("damaged_line14.tavo"),
                         sample_path("three_tests.tavo"), sample_path("missing.tavo")});
    QCOMPARE(comparison.failures.size(), 2);
    QVERIFY(comparison.failures[0].startsWith("damaged_line14.tavo: line 14: "));
    QVERIFY(comparison.failures[1].startsWith("missing.tavo: "));
    QCOMPARE(comparison.assessments.size(), std::size_t{2});
    const ComparedAssessment& none = comparison.assessments[0];
    QCOMPARE(none.file_name, QStringLiteral("no_tests.tavo"));
    QCOMPARE(none.results, TestResults{});
    const ComparedAssessment& three = comparison.assessments[1];
    QCOMPARE(three.file_name, QStringLiteral("three_tests.tavo"));
    QCOMPARE(three.modified, QFileInfo(sample_path("three_tests.tavo")).lastModified());
    QCOMPARE(three.results, test_results(testing::three_tests_data()));
    QCOMPARE(three.results.activation->average, 345);
    QCOMPARE(three.results.release->slowest, 580);
    QCOMPARE(three.results.five_clicks, std::optional<std::int64_t>(950));
}

void TestTrialData::far_apart_readings_data() {
    QTest::addColumn<ClockReading>("onset");
    QTest::addColumn<ClockReading>("response");
    QTest::addColumn<qint64>("response_ms");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("fastest");
    QTest::addColumn<QString>("slowest");
    const ClockReading most = std::numeric_limits<ClockReading>::max();
    const ClockReading least = std::numeric_limits<ClockReading>::min();
    const QString before = QStringLiteral("response before stimulus");
    const QString hour = QStringLiteral("response over an hour after stimulus");
    QTest::newRow("clock wraps between the readings")
        << most - 99 << least + 200 << qint64{300} << QString() << "Fastest = 00:00.300"
        << "Slowest = 00:00.500";
    QTest::newRow("readings as far apart as the clock allows")
        << least << most << qint64{4'294'967'295} << hour << "Fastest = 00:00.500"
        << "Slowest = 02:47.295";
    QTest::newRow("apart by more than half the clock")
        << -2'000'000'000 << 2'000'000'000 << qint64{4'000'000'000} << hour << "Fastest = 00:00.500"
        << "Slowest = 06:40.000";
    QTest::newRow("response before stimulus")
        << 1000 << 900 << qint64{-100} << before << "Fastest = -00:00.100"
        << "Slowest = 00:00.500";
    QTest::newRow("an hour exactly")
        << 0 << 3'600'000 << qint64{3'600'000} << QString() << "Fastest = 00:00.500"
        << "Slowest = 00:00.000";
    QTest::newRow("just over an hour")
        << 0 << 3'600'001 << qint64{3'600'001} << hour << "Fastest = 00:00.500"
        << "Slowest = 00:00.001";
}

// Only an edited file holds readings like these; every view takes the
// response time as the readings give it and flags the trial that is absurd.
void TestTrialData::far_apart_readings() {
    QFETCH(ClockReading, onset);
    QFETCH(ClockReading, response);
    QFETCH(qint64, response_ms);
    QFETCH(QString, note);
    TestData data;
    for (int i = 0; i < trials_per_test - 1; ++i) {
        data.activation.onsets[i] = 1000 + 3000 * i;
        data.activation.responses[i] = data.activation.onsets[i] + 500;
    }
    data.activation.onsets[trials_per_test - 1] = onset;
    data.activation.responses[trials_per_test - 1] = response;

    const std::vector<TestDetails> details = trial_details(data);
    QCOMPARE(details.size(), std::size_t{1});
    const TrialRow& last = details.front().rows.back();
    QCOMPARE(last.response_ms, response_ms);
    QCOMPARE(last.note, note);
    QVERIFY(details.front().rows.front().note.isEmpty());

    const QStringList captions = timed_test_captions(test_results(data).activation);
    QTEST(captions[1], "fastest");
    QTEST(captions[2], "slowest");

    const QStringList records =
        QString::fromUtf8(trial_csv({{QStringLiteral("x.tavo"), {}, data, RunErrors{}}}).mid(3))
            .split(QStringLiteral("\r\n"));
    QCOMPARE(records.size(), 1 + trials_per_test + 1);
    QVERIFY2(records[trials_per_test].endsWith(QString::number(response_ms) + QStringLiteral(",,") +
                                               note),
             qPrintable(records[trials_per_test]));
    QVERIFY(records[1].endsWith(QStringLiteral(",500,,")));
}

QTEST_GUILESS_MAIN(TestTrialData)
#include "test_trial_data.moc"
