// The release test's logic: HOLD and RELEASE cues, early releases that repeat
// a trial, and the summary, driven by a fake clock and fake timers.
#include "release_trial.h"
#include "trial_fakes.h"

#include <QTest>

using namespace tavo;
using namespace tavo::testing;

namespace {

struct ReleaseRig : TrialRig {
    FakeTimer& hold_timer = timer;
    FakeTimer& release_timer = second_timer;
    ReleaseTrial trial{services(), view, timers()};

    explicit ReleaseRig(std::int16_t hold_time = 3000) {
        settings.max_hold_ms = hold_time;
        trial.load();
    }
    const TimedRun& run() const { return trial.run(); }
    void start() {
        input.press();
        input.release();
    }
    // The HOLD cue appears and the subject presses on it.
    void hold() {
        clock.advance(hold_timer.interval_ms);
        QVERIFY(hold_timer.fire());
        clock.advance(150);
        input.press();
    }
    // A timed trial: the RELEASE cue, and the release `response_ms` after it.
    void timed_trial(int response_ms) {
        hold();
        clock.advance(release_timer.interval_ms);
        QVERIFY(release_timer.fire());
        clock.advance(response_ms);
        input.release();
    }
    void early_release() {
        hold();
        clock.advance(300);
        input.release();
    }
    int hold_cues() const { return log.count(QStringLiteral("show stimulus")); }
};

} // namespace

class TestReleaseTrial : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void load_draws_the_wait_then_the_hold_duration();
    void phases_follow_the_switch_and_the_timers_data();
    void phases_follow_the_switch_and_the_timers();
    void start_press_starts_the_wait();
    void holding_on_the_cue_starts_the_hold_duration();
    void release_cue_is_drawn_before_its_sound_and_onset();
    void summary_data();
    void summary();
    void early_releases_repeat_the_trial();
    void switch_down_before_the_hold_cue_does_not_hold();
    void presses_and_releases_outside_a_cue_are_ignored();
    void restart_while_holding_returns_to_the_start();
    void error_mark_stays_until_the_next_hold_cue();
    void unfinished_run_is_never_handed_over();
};

void TestReleaseTrial::load_draws_the_wait_then_the_hold_duration() {
    TrialRig rig;
    rig.settings.max_hold_ms = 3000;
    rig.random.fractions = {0.5f, 0.25f};
    ReleaseTrial trial(rig.services(), rig.view, rig.timers());
    QCOMPARE(rig.timer_names, (QStringList{"Hold_Timer", "Release_Timer"}));
    trial.load();
    QCOMPARE(rig.timer.interval_ms, 1500);        // wait before HOLD: 1000 to 1999
    QCOMPARE(rig.second_timer.interval_ms, 1500); // hold: 1000 to 2999
    QVERIFY(!rig.timer.is_enabled);
    QVERIFY(!rig.second_timer.is_enabled);
    QVERIFY(rig.input.installed(trial));
}

// Each row: the inputs given after the start press, then the test's phase.
void TestReleaseTrial::phases_follow_the_switch_and_the_timers_data() {
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("error");
    const int wait = int(ReleaseTrial::Phase::hold_wait);
    const int cue = int(ReleaseTrial::Phase::hold_cue);
    const int holding = int(ReleaseTrial::Phase::holding);
    const int release = int(ReleaseTrial::Phase::release_cue);
    QTest::newRow("started") << "" << wait << false;
    QTest::newRow("press and release in the wait") << "down up" << wait << false;
    QTest::newRow("HOLD cue") << "hold" << cue << false;
    QTest::newRow("held across the HOLD cue") << "down hold up" << cue << false;
    QTest::newRow("holding") << "hold down" << holding << false;
    QTest::newRow("early release") << "hold down up" << wait << true;
    QTest::newRow("RELEASE cue") << "hold down release" << release << false;
    QTest::newRow("press on the RELEASE cue") << "hold down release down" << release << false;
    QTest::newRow("timed release") << "hold down release up" << wait << false;
    QTest::newRow("next HOLD cue after an error") << "hold down up hold" << cue << false;
}

void TestReleaseTrial::phases_follow_the_switch_and_the_timers() {
    QFETCH(QString, inputs);
    ReleaseRig rig;
    rig.start();
    for (const QString& input : inputs.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (input == QLatin1String("down")) {
            rig.input.press();
        } else if (input == QLatin1String("up")) {
            rig.input.release();
        } else if (input == QLatin1String("hold")) {
            QVERIFY(rig.hold_timer.fire());
        } else if (input == QLatin1String("release")) {
            QVERIFY(rig.release_timer.fire());
        }
    }
    QVERIFY(rig.trial.run_phase() == RunPhase::running);
    QTEST(int(rig.trial.phase()), "phase");
    QTEST(rig.view.error, "error");
    const ReleaseTrial::Phase phase = rig.trial.phase();
    QCOMPARE(rig.view.stimulus, phase != ReleaseTrial::Phase::hold_wait);
    QCOMPARE(rig.view.release_cue, phase == ReleaseTrial::Phase::release_cue);
    QCOMPARE(rig.hold_timer.is_enabled, phase == ReleaseTrial::Phase::hold_wait);
    QCOMPARE(rig.release_timer.is_enabled, phase == ReleaseTrial::Phase::holding);
    QCOMPARE(rig.trial.measuring(), phase == ReleaseTrial::Phase::release_cue);
}

void TestReleaseTrial::start_press_starts_the_wait() {
    ReleaseRig rig;
    rig.clock.time = 777'000;
    rig.log.clear();
    rig.input.press();
    QCOMPARE(rig.log, (QStringList{"local time", "begin", "now", "end", "timer on"}));
    QCOMPARE(rig.run().readings.start_tick, 777'000);
    QCOMPARE(rig.run().readings.start_time, rig.clock.local);
    QVERIFY(!rig.view.click_to_start);
    QVERIFY(!rig.view.stimulus);
}

void TestReleaseTrial::holding_on_the_cue_starts_the_hold_duration() {
    ReleaseRig rig(1000);
    rig.start();
    QVERIFY(rig.hold_timer.fire());
    QVERIFY(rig.view.stimulus);
    QCOMPARE(rig.view.click_label_text, QStringLiteral("HOLD"));
    QCOMPARE(rig.sounds.played.last(), QStringLiteral("pop.wav"));
    rig.input.press();
    QVERIFY(rig.trial.holding());
    QCOMPARE(rig.view.click_label_text, QStringLiteral("HOLDING ..."));
    QCOMPARE(rig.sounds.played.last(), QStringLiteral("Start.wav"));
    QVERIFY(rig.release_timer.is_enabled);
    QCOMPARE(rig.release_timer.interval_ms, 1000); // a 1 s maximum holds exactly 1 s
}

void TestReleaseTrial::release_cue_is_drawn_before_its_sound_and_onset() {
    ReleaseRig rig;
    rig.start();
    rig.hold();
    rig.log.clear();
    QVERIFY(rig.release_timer.fire());
    QCOMPARE(rig.log, (QStringList{"begin", "show release cue", "now", "present", "now",
                                   "display stamp", "now", "sound Laser.wav"}));
    QVERIFY(rig.view.stimulus); // the HOLD cue stays beneath
    QCOMPARE(rig.trial.trial_count(), 1);
    rig.clock.advance(333);
    rig.log.clear();
    rig.input.release();
    QCOMPARE(rig.log.mid(0, 2), (QStringList{"now", "end"}));
    QCOMPARE(rig.run().readings.responses[0] - rig.run().readings.onsets[0], 333);
    QVERIFY(!rig.view.stimulus);
    QVERIFY(!rig.view.release_cue);
    QCOMPARE(rig.view.click_label_text, QStringLiteral("HOLD"));
    QVERIFY(rig.hold_timer.is_enabled);
}

void TestReleaseTrial::summary_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("text");
    // Responses first, 250, 300, ... 650 ms.
    QTest::newRow("sum 4250") << 200
                              << "Average Response Time: 00:00.425   Fastest = 00:00.200    "
                                 "Slowest = 00:00.650";
    QTest::newRow("sum 4255 rounds to even 426")
        << 205 << "Average Response Time: 00:00.426   Fastest = 00:00.205    Slowest = 00:00.650";
    QTest::newRow("sum 4245 rounds to even 424")
        << 195 << "Average Response Time: 00:00.424   Fastest = 00:00.195    Slowest = 00:00.650";
}

void TestReleaseTrial::summary() {
    QFETCH(int, first);
    ReleaseRig rig;
    rig.start();
    rig.timed_trial(first);
    for (int i = 1; i < 10; ++i) {
        rig.timed_trial(200 + 50 * i);
    }
    QTEST(rig.view.summaries.value(0), "text");
    QCOMPARE(rig.view.summaries.size(), 1);
    QCOMPARE(rig.log.mid(rig.log.size() - 2), (QStringList{"commit", "summary"}));
    QCOMPARE(rig.recorder.release.size(), 1u);
    QCOMPARE(rig.recorder.release[0].readings.responses[0] -
                 rig.recorder.release[0].readings.onsets[0],
             first);
    QCOMPARE(rig.recorder.release[0].early_responses, 0);
    QVERIFY(!rig.hold_timer.is_enabled); // no HOLD cue follows the tenth
    QVERIFY(!rig.input.installed(rig.trial));
    QVERIFY(rig.trial.run_phase() == RunPhase::finished);
    QCOMPARE(rig.clock.begins, rig.clock.ends);
}

void TestReleaseTrial::early_releases_repeat_the_trial() {
    ReleaseRig rig;
    rig.start();
    for (int i = 0; i < 10; ++i) {
        if (i == 2 || i == 5 || i == 9) {
            const int hold_duration = rig.release_timer.interval_ms;
            rig.early_release();
            QCOMPARE(rig.sounds.played.last(), QStringLiteral("buzzer.wav"));
            QVERIFY(rig.view.error);
            QVERIFY(!rig.view.stimulus);
            QVERIFY(!rig.release_timer.is_enabled);
            QCOMPARE(rig.trial.trial_count(), i);
            QCOMPARE(rig.release_timer.interval_ms, hold_duration);
        }
        rig.timed_trial(300 + i);
        QVERIFY(rig.view.summaries.isEmpty() || i == 9);
    }
    QCOMPARE(rig.hold_cues(), 13);
    QCOMPARE(rig.view.summaries.size(), 1);
    QCOMPARE(rig.recorder.release.size(), 1u);
    const TimedRun& run = rig.recorder.release[0];
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(run.readings.responses[i] - run.readings.onsets[i], 300 + i);
    }
    QCOMPARE(run.early_responses, 3);
    QCOMPARE(rig.clock.begins, rig.clock.ends);
}

void TestReleaseTrial::switch_down_before_the_hold_cue_does_not_hold() {
    ReleaseRig rig;
    rig.start();
    rig.input.press(); // down during the wait
    QVERIFY(rig.hold_timer.fire());
    QVERIFY(!rig.trial.holding());
    QVERIFY(!rig.release_timer.is_enabled);
    rig.input.release(); // letting go is no error either
    QVERIFY(!rig.view.error);
    rig.input.press();
    QVERIFY(rig.trial.holding());
}

void TestReleaseTrial::presses_and_releases_outside_a_cue_are_ignored() {
    ReleaseRig rig;
    rig.start();
    rig.input.press();
    rig.input.release();
    rig.input.press();
    QVERIFY(rig.hold_timer.is_enabled);
    QCOMPARE(rig.hold_timer.enablings, 1);
    QVERIFY(!rig.trial.holding());
    QVERIFY(!rig.view.error);
}

void TestReleaseTrial::restart_while_holding_returns_to_the_start() {
    ReleaseRig rig;
    rig.start();
    rig.hold();
    QVERIFY(rig.release_timer.fire());
    QVERIFY(rig.trial.measuring());
    rig.trial.restart();
    QVERIFY(!rig.trial.holding());
    QVERIFY(!rig.trial.test_started());
    QVERIFY(rig.view.click_to_start);
    QVERIFY(!rig.view.stimulus);
    QVERIFY(!rig.view.release_cue);
    QVERIFY(!rig.hold_timer.is_enabled);
    QVERIFY(!rig.release_timer.is_enabled);
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    // Letting go of the held switch is neither an error nor a response.
    rig.input.release();
    QVERIFY(!rig.view.error);
    QCOMPARE(rig.run().readings.responses[0], 0);
    // The next press is a new start press.
    rig.clock.advance(5000);
    rig.input.press();
    QCOMPARE(rig.run().readings.start_tick, rig.clock.time);
    QVERIFY(rig.trial.phase() == ReleaseTrial::Phase::hold_wait);
}

void TestReleaseTrial::error_mark_stays_until_the_next_hold_cue() {
    ReleaseRig rig;
    rig.start();
    rig.early_release();
    QVERIFY(rig.view.error);
    rig.trial.restart();
    QVERIFY(rig.view.error);
    QVERIFY(rig.view.click_to_start);
    rig.start();
    QVERIFY(rig.view.error);
    QVERIFY(rig.hold_timer.fire());
    QVERIFY(!rig.view.error);
    QVERIFY(rig.view.stimulus);
}

void TestReleaseTrial::unfinished_run_is_never_handed_over() {
    ReleaseRig rig;
    rig.start();
    rig.early_release();
    for (int i = 0; i < 3; ++i) {
        rig.timed_trial(400);
    }
    rig.trial.restart();
    QCOMPARE(rig.recorder.commits(), 0u);
    rig.start();
    for (int i = 0; i < 10; ++i) {
        rig.timed_trial(250 + i);
    }
    QCOMPARE(rig.recorder.release.size(), 1u);
    const TimedRun& run = rig.recorder.release[0];
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(run.readings.responses[i] - run.readings.onsets[i], 250 + i);
    }
    QCOMPARE(run.early_responses, 0); // the dropped run's error went with it
}

QTEST_GUILESS_MAIN(TestReleaseTrial)
#include "test_release_trial.moc"
