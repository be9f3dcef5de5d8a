// The repetition test's logic: one stimulus, five clicks counted on releases.
#include "repetition_trial.h"
#include "trial_fakes.h"

#include <QTest>

using namespace tavo;
using namespace tavo::testing;

namespace {

struct RepetitionRig : TrialRig {
    RepetitionTrial trial{services(), view, timers()};

    RepetitionRig() { trial.load(); }
    const RepetitionRun& run() const { return trial.run(); }
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
    void switch_held_when_the_stimulus_comes_is_not_counted();
    void restart_in_mid_clicks_clears_the_count();
    void phases_follow_the_switch_and_the_timer_data();
    void phases_follow_the_switch_and_the_timer();
};

void TestRepetitionTrial::stimulus_comes_one_to_three_seconds_after_the_start() {
    RepetitionRig rig;
    QCOMPARE(rig.timer_names, QStringList{"Repetition_Stimulus_Timer"});
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
    QCOMPARE(rig.run().readings.first_press, first_press);
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
    QCOMPARE(rig.log.mid(rig.log.size() - 2), (QStringList{"commit", "summary"}));
    QCOMPARE(rig.recorder.repetition.size(), 1u);
    const RepetitionRun& run = rig.recorder.repetition[0];
    QCOMPARE(run.readings.click_times[4] - run.readings.first_press, 3320);
    QCOMPARE(run.readings.click_times[0] - run.readings.first_press, 100);
    QCOMPARE(run.readings.start_time, rig.clock.local);
    QVERIFY(!rig.view.stimulus);
    QVERIFY(!rig.view.click_label);
    QVERIFY(!rig.input.installed(rig.trial));
    QVERIFY(rig.trial.run_phase() == RunPhase::finished);
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    QCOMPARE(rig.sounds.played.count(QStringLiteral("Start.wav")), 5);
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
    QCOMPARE(rig.run().readings.first_press, 0);
}

void TestRepetitionTrial::restart_in_mid_clicks_clears_the_count() {
    RepetitionRig rig;
    rig.start_and_show();
    rig.click(200, 100);
    rig.click(200, 100);
    rig.trial.restart();
    QCOMPARE(rig.trial.click_count(), 0);
    QVERIFY(!rig.view.stimulus);
    QVERIFY(rig.view.click_to_start);
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    rig.input.release(); // the first-press flag went with the restart
    QCOMPARE(rig.trial.click_count(), 0);
    QCOMPARE(rig.recorder.commits(), 0u);
    rig.start_and_show();
    rig.click(400, 100);
    QCOMPARE(rig.view.click_label_text, QStringLiteral("1 Clicks"));
    QCOMPARE(rig.run().readings.click_times[0] - rig.run().readings.first_press, 100);
    QCOMPARE(rig.run().readings.click_times[1], 0); // nothing of the dropped run
    for (int i = 0; i < 4; ++i) {
        rig.click(300, 100);
    }
    QCOMPARE(rig.recorder.repetition.size(), 1u);
    QCOMPARE(rig.recorder.repetition[0].readings.click_times[4] -
                 rig.recorder.repetition[0].readings.first_press,
             1700);
}

// Each row: the inputs given after loading, then the phase of the run and,
// while it runs, the test's own phase and the count.
void TestRepetitionTrial::phases_follow_the_switch_and_the_timer_data() {
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<int>("run_phase");
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("count");
    const int waiting = int(RunPhase::waiting_for_start);
    const int running = int(RunPhase::running);
    const int finished = int(RunPhase::finished);
    const int delay = int(RepetitionTrial::Phase::delay);
    const int stimulus = int(RepetitionTrial::Phase::stimulus);
    const int counting = int(RepetitionTrial::Phase::counting);
    QTest::newRow("loaded") << "" << waiting << delay << 0;
    QTest::newRow("tick before the start") << "tick" << waiting << delay << 0;
    QTest::newRow("start press") << "down" << running << delay << 0;
    QTest::newRow("presses in the delay") << "down up down up" << running << delay << 0;
    QTest::newRow("stimulus") << "down up tick" << running << stimulus << 0;
    QTest::newRow("held across the onset") << "down tick up" << running << stimulus << 0;
    QTest::newRow("first press") << "down up tick down" << running << counting << 0;
    QTest::newRow("first click") << "down up tick down up" << running << counting << 1;
    QTest::newRow("fifth release")
        << "down up tick down up down up down up down up down up" << finished << counting << 5;
    QTest::newRow("restart") << "down up tick down up restart" << waiting << delay << 0;
}

void TestRepetitionTrial::phases_follow_the_switch_and_the_timer() {
    QFETCH(QString, inputs);
    RepetitionRig rig;
    for (const QString& input : inputs.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (input == QLatin1String("down")) {
            rig.input.press();
        } else if (input == QLatin1String("up")) {
            rig.input.release();
        } else if (input == QLatin1String("tick")) {
            rig.timer.fire();
        } else if (input == QLatin1String("restart")) {
            rig.trial.restart();
        }
    }
    QTEST(int(rig.trial.run_phase()), "run_phase");
    if (rig.trial.run_phase() == RunPhase::running) {
        QTEST(int(rig.trial.phase()), "phase");
    }
    QTEST(rig.trial.click_count(), "count");
    QCOMPARE(rig.trial.measuring(), rig.trial.run_phase() == RunPhase::running &&
                                        rig.trial.phase() == RepetitionTrial::Phase::counting);
    QCOMPARE(rig.clock.begins - rig.clock.ends, rig.trial.measuring() ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestRepetitionTrial)
#include "test_repetition_trial.moc"
