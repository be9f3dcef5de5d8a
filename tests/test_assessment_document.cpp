// The assessment document: each operation changes what it names, says so
// once, and a completed run is the only way readings arrive.
#include "assessment_document.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>

using namespace tavo;

Q_DECLARE_METATYPE(std::function<void(AssessmentDocument&)>)

using Operation = std::function<void(AssessmentDocument&)>;

class TestAssessmentDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void each_operation_emits_one_change_data();
    void each_operation_emits_one_change();
    void an_operation_that_changes_nothing_is_silent_data();
    void an_operation_that_changes_nothing_is_silent();
    void a_completed_run_replaces_only_its_own_test();
    void a_timed_run_reaches_its_own_test_data();
    void a_timed_run_reaches_its_own_test();
    void unsaved_changes_follow_fields_and_runs();
    void load_keeps_the_text_it_was_given_and_forgets_run_errors();
};

void TestAssessmentDocument::each_operation_emits_one_change_data() {
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<DocumentChange>("change");
    QTest::newRow("a field") << Operation([](AssessmentDocument& d) {
        d.set_field(TypedField::administrator, QStringLiteral("Bo"));
    }) << DocumentChange::fields;
    QTest::newRow("the delay") << Operation([](AssessmentDocument& d) { d.set_max_delay(5000); })
                               << DocumentChange::settings;
    QTest::newRow("the hold") << Operation([](AssessmentDocument& d) { d.set_hold_time(2000); })
                              << DocumentChange::settings;
    QTest::newRow("what the switch sends")
        << Operation([](AssessmentDocument& d) { d.set_switch_sends(SwitchSends::enter); })
        << DocumentChange::settings;
    QTest::newRow("a colour") << Operation([](AssessmentDocument& d) {
        d.set_colour(StimulusColour::release_cue, Rgb{1, 2, 3});
    }) << DocumentChange::settings;
    QTest::newRow("full screen") << Operation([](AssessmentDocument& d) {
        d.set_full_screen(TestKind::repetition, true);
    }) << DocumentChange::settings;
    QTest::newRow("an activation run")
        << Operation([](AssessmentDocument& d) { d.commit(TestKind::activation, TimedRun{}); })
        << DocumentChange::readings;
    QTest::newRow("a release run")
        << Operation([](AssessmentDocument& d) { d.commit(TestKind::release, TimedRun{}); })
        << DocumentChange::readings;
    QTest::newRow("a repetition run")
        << Operation([](AssessmentDocument& d) { d.commit(RepetitionRun{}); })
        << DocumentChange::readings;
    QTest::newRow("open") << Operation([](AssessmentDocument& d) {
        d.load({"Ann"}, TestData{}, QStringLiteral("a.tavo"));
    }) << DocumentChange::readings;
    QTest::newRow("save") << Operation([](AssessmentDocument& d) {
        d.mark_saved(QStringLiteral("a.tavo"));
    }) << DocumentChange::saving;
    QTest::newRow("new") << Operation([](AssessmentDocument& d) { d.clear(); })
                         << DocumentChange::readings;
}

void TestAssessmentDocument::each_operation_emits_one_change() {
    QFETCH(Operation, operation);
    AssessmentDocument document;
    QSignalSpy changes(&document, &AssessmentDocument::changed);
    operation(document);
    QCOMPARE(changes.size(), 1);
    QTEST(changes[0][0].value<DocumentChange>(), "change");
}

void TestAssessmentDocument::an_operation_that_changes_nothing_is_silent_data() {
    QTest::addColumn<Operation>("operation");
    QTest::newRow("the same field text")
        << Operation([](AssessmentDocument& d) { d.set_field(TypedField::notes, QString()); });
    QTest::newRow("the same colour") << Operation(
        [](AssessmentDocument& d) { d.set_colour(StimulusColour::activation, yellow_rgb); });
    QTest::newRow("the same full-screen choice")
        << Operation([](AssessmentDocument& d) { d.set_full_screen(TestKind::activation, false); });
}

void TestAssessmentDocument::an_operation_that_changes_nothing_is_silent() {
    QFETCH(Operation, operation);
    AssessmentDocument document;
    QSignalSpy changes(&document, &AssessmentDocument::changed);
    operation(document);
    QCOMPARE(changes.size(), 0);
}

void TestAssessmentDocument::a_completed_run_replaces_only_its_own_test() {
    AssessmentDocument document;
    RepetitionRun repetition;
    repetition.readings.first_press = 100;
    repetition.readings.click_times = {200, 300, 400, 500, 600};
    document.commit(repetition);
    TimedRun activation;
    activation.readings.start_tick = 50;
    activation.readings.start_time = {2026, 12, 3, 9, 10, 11, 12, 13};
    activation.readings.onsets.fill(1000);
    activation.readings.responses.fill(1250);
    activation.early_responses = 2;
    document.commit(TestKind::activation, activation);

    QCOMPARE(document.data().repetition.click_times[4], 600);
    QCOMPARE(document.data().activation.start_tick, 50);
    QCOMPARE(document.data().activation.start_time.hour, std::uint16_t{10});
    QCOMPARE(document.data().release.onsets[0], 0);
    QCOMPARE(document.results().activation->fastest, 250);
    QCOMPARE(document.run_errors().anticipations, std::optional<int>(2));
    QCOMPARE(document.run_errors().early_releases, std::optional<int>());
}

void TestAssessmentDocument::a_timed_run_reaches_its_own_test_data() {
    QTest::addColumn<TestKind>("test");
    QTest::addColumn<TestKind>("other");
    QTest::newRow("activation") << TestKind::activation << TestKind::release;
    QTest::newRow("release") << TestKind::release << TestKind::activation;
}

// The activation and the release test share one run type: the test named
// with it decides where its readings, early responses and origins go.
void TestAssessmentDocument::a_timed_run_reaches_its_own_test() {
    QFETCH(TestKind, test);
    QFETCH(TestKind, other);
    AssessmentDocument document;
    TimedRun run;
    run.readings.start_tick = 70;
    run.readings.onsets.fill(2000);
    run.readings.responses.fill(2300);
    run.early_responses = 4;
    run.origins.presses_from_input = 10;
    document.commit(test, run);

    const TestData& data = document.data();
    const TimedTestData& named = test == TestKind::activation ? data.activation : data.release;
    QCOMPARE(named, run.readings);
    QCOMPARE(data.timed(test), run.readings);
    QCOMPARE(data.timed(other), TimedTestData{});
    const RunErrors& errors = document.run_errors();
    const std::optional<int>& count =
        test == TestKind::activation ? errors.anticipations : errors.early_releases;
    QCOMPARE(count, std::optional<int>(4));
    QCOMPARE(errors.early_responses(other), std::optional<int>());
    QVERIFY(errors.origins(test));
    QCOMPARE(errors.origins(test)->presses_from_input, 10);
    QVERIFY(!errors.origins(other));
    QVERIFY(!errors.origins(TestKind::repetition));
}

void TestAssessmentDocument::unsaved_changes_follow_fields_and_runs() {
    AssessmentDocument document;
    QVERIFY(!document.unsaved_changes());
    document.set_field(TypedField::subject_name, QStringLiteral("Ann"));
    QVERIFY(document.unsaved_changes());
    document.set_field(TypedField::subject_name, QString());
    QVERIFY(!document.unsaved_changes());
    document.commit(TestKind::release, TimedRun{});
    QVERIFY(document.unsaved_changes());
    document.mark_saved(QStringLiteral("/tmp/a.tavo"));
    QVERIFY(!document.unsaved_changes());
    QCOMPARE(document.file_name(), QStringLiteral("/tmp/a.tavo"));
    // A new assessment has nothing to save: the results that waited are gone.
    document.commit(TestKind::release, TimedRun{});
    document.clear();
    QVERIFY(!document.unsaved_changes());
    QCOMPARE(document.file_name(), QString());
}

void TestAssessmentDocument::load_keeps_the_text_it_was_given_and_forgets_run_errors() {
    AssessmentDocument document;
    TimedRun release;
    release.early_responses = 3;
    document.commit(TestKind::release, release);
    const TypedFields fields = {QString(40000, QChar(u'a')),
                                QStringLiteral("B\u00a0o"),
                                {},
                                {},
                                QStringLiteral("one\rtwo\u2028three\r\n")};
    document.load(fields, TestData{}, QStringLiteral("x.tavo"));
    QCOMPARE(document.fields(), fields);
    QVERIFY(!document.unsaved_changes());
    QVERIFY(!document.run_errors().early_releases);
}

QTEST_GUILESS_MAIN(TestAssessmentDocument)
#include "test_assessment_document.moc"
