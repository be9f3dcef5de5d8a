// The repetition test's logic: one stimulus, five clicks counted on releases.
#include "repetition_trial.h"
#include "trial_fakes.h"

#include <QTest>

using namespace tavo;
using namespace tavo::testing;

namespace {

struct RepetitionRig : TrialRig {
    RepetitionTrial trial{services(), view, timer};

    RepetitionRig() { trial.Form_Load(); }
    void start_and_show() {
        input.press();
        input.release();
        clock.advance(timer.interval_ms);
        QVERIFY(timer.fire());
    }
    void click(int down_ms, int up_ms) {
        clock.advance(down_ms);
        input.press();
        clock.advance(up_ms);
        input.release();
    }
};

} // namespace

class TestRepetitionTrial : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stimulus_comes_one_to_three_seconds_after_the_start();
    void five_clicks_from_first_press_to_fifth_release();
    void double_click_is_no_press_but_its_release_counts();
    void switch_held_when_the_stimulus_comes_is_not_counted();
    void restart_in_mid_clicks_clears_the_count();
};

void TestRepetitionTrial::stimulus_comes_one_to_three_seconds_after_the_start() {
    RepetitionRig rig;
    QCOMPARE(rig.timer.interval_ms, 2000); // fraction 0.5 of 1000 to 2999
    rig.log.clear();
    rig.start_and_show();
    QVERIFY(rig.view.stimulus);
    QVERIFY(rig.view.click_label);
    QCOMPARE(rig.view.click_label_text, QStringLiteral("0 Clicks"));
    QCOMPARE(rig.sounds.played, QStringList{"pop.wav"});
    QVERIFY(!rig.timer.is_enabled);
    QCOMPARE(rig.clock.begins, 1); // only around the start press's reading
}

void TestRepetitionTrial::five_clicks_from_first_press_to_fifth_release() {
    RepetitionRig rig;
    rig.start_and_show();
    rig.clock.advance(500);
    const ClockReading first_press = rig.clock.time;
    rig.input.press();
    QCOMPARE(rig.assessment.data.rep_first_press, first_press);
    rig.clock.advance(100);
    rig.input.release();
    QCOMPARE(rig.view.click_label_text, QStringLiteral("1 Clicks"));
    for (int i = 2; i <= 5; ++i) {
        rig.click(700, 105);
        if (i < 5) {
            QCOMPARE(rig.view.click_label_text, QString::number(i) + QStringLiteral(" Clicks"));
        }
    }
    // 100 + 4 × 805 = 3320 ms from the first press to the fifth release.
    QCOMPARE(rig.view.summaries, QStringList{"Test Time: 00:03.320"});
    QCOMPARE(rig.assessment.data.rep_click_times[4] - rig.assessment.data.rep_first_press, 3320);
    QCOMPARE(rig.assessment.data.rep_click_times[0] - rig.assessment.data.rep_first_press, 100);
    QCOMPARE(rig.view.results_changes, 1);
    QVERIFY(!rig.view.stimulus);
    QVERIFY(!rig.view.click_label);
    QVERIFY(!rig.input.installed(rig.trial));
    QVERIFY(!rig.assessment.saving.data_saved);
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    QCOMPARE(rig.sounds.played.count(QStringLiteral("Start.wav")), 5);
}

void TestRepetitionTrial::double_click_is_no_press_but_its_release_counts() {
    RepetitionRig rig;
    rig.start_and_show();
    rig.click(300, 90);
    rig.clock.advance(120);
    rig.input.double_click();
    QCOMPARE(rig.sounds.played.count(QStringLiteral("Start.wav")), 1);
    rig.clock.advance(80);
    rig.input.release();
    QCOMPARE(rig.trial.click_count(), 2);
    QCOMPARE(rig.view.click_label_text, QStringLiteral("2 Clicks"));
}

void TestRepetitionTrial::switch_held_when_the_stimulus_comes_is_not_counted() {
    RepetitionRig rig;
    rig.input.press();
    rig.input.release();
    rig.input.press(); // held through the delay
    QVERIFY(rig.timer.fire());
    rig.input.release();
    QCOMPARE(rig.trial.click_count(), 0);
    QCOMPARE(rig.view.click_label_text, QStringLiteral("0 Clicks"));
    QCOMPARE(rig.assessment.data.rep_first_press, 0);
}

void TestRepetitionTrial::restart_in_mid_clicks_clears_the_count() {
    RepetitionRig rig;
    rig.start_and_show();
    rig.click(200, 100);
    rig.click(200, 100);
    const TestData before = rig.assessment.data;
    rig.trial.restart();
    QCOMPARE(rig.trial.click_count(), 0);
    QVERIFY(!rig.view.stimulus);
    QVERIFY(rig.view.click_to_start);
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    rig.input.release(); // the first-press flag went with the restart
    QCOMPARE(rig.assessment.data, before);
    rig.start_and_show();
    rig.click(400, 100);
    QCOMPARE(rig.view.click_label_text, QStringLiteral("1 Clicks"));
    QCOMPARE(rig.assessment.data.rep_click_times[1], before.rep_click_times[1]);
    QVERIFY(rig.assessment.data.rep_click_times[0] != before.rep_click_times[0]);
}

QTEST_GUILESS_MAIN(TestRepetitionTrial)
#include "test_repetition_trial.moc"
