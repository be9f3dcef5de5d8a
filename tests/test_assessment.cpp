// When the assessment has unsaved work, and what clearing it leaves.
#include "assessment.h"

#include <QTest>

using namespace tavo;

class TestAssessment : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nothing_to_save_right_after_start();
    void unsaved_changes_data();
    void unsaved_changes();
    void wipe_clears_every_reading_and_start_time();
};

void TestAssessment::nothing_to_save_right_after_start() {
    const Assessment assessment;
    QVERIFY(assessment.saving.data_saved);
    QVERIFY(!tavo::unsaved_changes(assessment.saving, TypedFields{}));
    QCOMPARE(assessment.data, TestData{});
}

void TestAssessment::unsaved_changes_data() {
    QTest::addColumn<bool>("data_saved");
    QTest::addColumn<QStringList>("saved");
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<bool>("unsaved");

    const QStringList fields = {"Ann Lee", "J. Smith", "left of head", "round 2.5 in", "calm"};
    QTest::newRow("all equal") << true << fields << fields << false;
    QTest::newRow("a completed test is unsaved") << false << fields << fields << true;
    for (int i = 0; i < 5; ++i) {
        QStringList edited = fields;
        edited[i] += QStringLiteral("x");
        QTest::addRow("field %d edited", i) << true << fields << edited << true;
    }
    QStringList other_case = fields;
    other_case[0] = QStringLiteral("ann lee");
    QTest::newRow("case counts") << true << fields << other_case << true;
    QStringList trailing = fields;
    trailing[4] += QStringLiteral("\r\n");
    QTest::newRow("a trailing line break counts") << true << fields << trailing << true;
}

void TestAssessment::unsaved_changes() {
    QFETCH(bool, data_saved);
    QFETCH(QStringList, saved);
    QFETCH(QStringList, current);
    SavingState saving;
    saving.data_saved = data_saved;
    TypedFields now;
    for (int i = 0; i < 5; ++i) {
        saving.saved_fields[i] = saved[i];
        now[i] = current[i];
    }
    QTEST(tavo::unsaved_changes(saving, now), "unsaved");
}

void TestAssessment::wipe_clears_every_reading_and_start_time() {
    TestData data;
    data.activation.onsets.fill(11);
    data.activation.responses.fill(12);
    data.release.onsets.fill(13);
    data.release.responses.fill(14);
    data.repetition.click_times.fill(15);
    data.repetition.first_press = 16;
    data.activation.start_tick = 17;
    data.release.start_tick = 18;
    data.repetition.start_tick = 19;
    data.activation.start_time = {2026, 12, 2, 8, 9, 5, 7, 42};
    data.release.start_time = data.activation.start_time;
    data.repetition.start_time = data.activation.start_time;
    wipe_test_data(data);
    QCOMPARE(data, TestData{});
}

QTEST_GUILESS_MAIN(TestAssessment)
#include "test_assessment.moc"
