// The activation test's logic and the mechanism all tests share, driven by a
// fake clock, fake timers and presses delivered through a fake input.
#include "activation_trial.h"
#include "trial_fakes.h"

#include <QTest>
#include <optional>

using namespace tavo;
using namespace tavo::testing;

namespace {

void start(TrialRig& rig) {
    rig.input.press();
    rig.input.release();
}

// One trial answered after `response_ms`, the switch let go 80 ms later.
void answer(TrialRig& rig, int response_ms) {
    rig.clock.advance(rig.timer.interval_ms);
    QVERIFY(rig.timer.fire());
    rig.clock.advance(response_ms);
    rig.input.press();
    rig.clock.advance(80);
    rig.input.release();
}

struct ActivationRig : TrialRig {
    ActivationTrial trial{services(), view, timers()};

    explicit ActivationRig(std::int16_t max_delay = 3000) {
        settings.max_delay_ms = max_delay;
        trial.load();
    }
    const TimedRun& run() const { return trial.run(); }
    int response(int trial_index) const {
        return run().readings.responses[trial_index] - run().readings.onsets[trial_index];
    }
    void start() { ::start(*this); }
    void answer(int response_ms) { ::answer(*this, response_ms); }
};

} // namespace

class TestActivationTrial : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void draw_delay_data();
    void draw_delay();
    void load_installs_the_client_and_draws_the_first_delay();
    void trial_owns_its_named_timer();
    void phases_follow_the_switch_and_the_timer_data();
    void phases_follow_the_switch_and_the_timer();
    void first_press_only_starts_the_test();
    void presses_during_a_delay_are_ignored();
    void stimulus_is_drawn_before_its_sound_and_onset();
    void response_is_read_first_and_stored_at_its_index();
    void switch_held_across_the_onset_answers_nothing();
    void complete_run_is_handed_over_then_summarised();
    void practice_run_is_summarised_and_never_handed_over();
    void changing_to_or_from_practice_starts_over();
    void presses_during_a_delay_are_counted_as_anticipations();
    void sums_beyond_sixteen_bits_are_summarised();
    void restart_in_mid_run_counts_from_one_again();
    void unfinished_run_is_never_handed_over_data();
    void unfinished_run_is_never_handed_over();
    void restart_and_close_give_back_an_open_resolution_request_data();
    void restart_and_close_give_back_an_open_resolution_request();
    void switch_held_across_a_restart_starts_no_delay();
    void key_switch_held_with_auto_repeat_counts_once();
    void closing_after_the_end_is_harmless();
};

void TestActivationTrial::draw_delay_data() {
    QTest::addColumn<float>("fraction");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("delay");
    QTest::newRow("1 s bound, low") << 0.0f << 1000 << 1000;
    QTest::newRow("1 s bound, high") << 0.99999f << 1000 << 1000;
    QTest::newRow("2 s bound, low") << 0.0f << 2000 << 1000;
    QTest::newRow("2 s bound, high") << 0.99999f << 2000 << 1999;
    QTest::newRow("3 s bound, middle") << 0.5f << 3000 << 2000;
    QTest::newRow("32 s bound, high") << 0.99999f << 32000 << 31999;
}

void TestActivationTrial::draw_delay() {
    QFETCH(float, fraction);
    QFETCH(int, upper);
    QTEST(tavo::draw_delay(fraction, upper), "delay");
}

void TestActivationTrial::load_installs_the_client_and_draws_the_first_delay() {
    TrialRig rig;
    rig.settings.max_delay_ms = 5000;
    rig.random.fractions = {0.25f};
    ActivationTrial trial(rig.services(), rig.view, rig.timers());
    trial.load();
    QVERIFY(rig.input.installed(trial));
    QCOMPARE(rig.random.seeds, 1);
    QCOMPARE(rig.timer.interval_ms, 2000);
    QVERIFY(!rig.timer.is_enabled);
    QVERIFY(!trial.test_started());
    QVERIFY(trial.run_phase() == RunPhase::waiting_for_start);
}

void TestActivationTrial::trial_owns_its_named_timer() {
    TrialRig rig;
    rig.settings.max_delay_ms = 3000;
    {
        ActivationTrial trial(rig.services(), rig.view, rig.timers());
        QCOMPARE(rig.timer_names, QStringList{"Stimulus_Timer"});
        trial.load();
        start(rig);
        QVERIFY(rig.timer.is_enabled);
    }
    // The trial's timer went with it: nothing ticks into a trial that is gone.
    QVERIFY(!rig.timer.is_enabled);
    QVERIFY(!rig.timer.fire());
    QVERIFY(rig.input.clients.empty());
}

// Each row: the inputs given after loading, then the phase of the run and,
// while it runs, the test's own phase.
void TestActivationTrial::phases_follow_the_switch_and_the_timer_data() {
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<int>("run_phase");
    QTest::addColumn<int>("phase");
    const int waiting = int(RunPhase::waiting_for_start);
    const int running = int(RunPhase::running);
    const int delay = int(ActivationTrial::Phase::delay);
    const int stimulus = int(ActivationTrial::Phase::stimulus);
    const int down = int(ActivationTrial::Phase::switch_down);
    QTest::newRow("loaded") << "" << waiting << delay;
    QTest::newRow("release before the start") << "up" << waiting << delay;
    QTest::newRow("tick before the start") << "tick" << waiting << delay;
    QTest::newRow("start press") << "down" << running << delay;
    QTest::newRow("press in the delay") << "down up down" << running << delay;
    QTest::newRow("stimulus") << "down up tick" << running << stimulus;
    QTest::newRow("release on the stimulus") << "down tick up" << running << stimulus;
    QTest::newRow("answer") << "down up tick down" << running << down;
    QTest::newRow("tick while down") << "down up tick down tick" << running << down;
    QTest::newRow("next delay") << "down up tick down up" << running << delay;
    QTest::newRow("restart") << "down up tick down restart" << waiting << delay;
    QTest::newRow("close") << "down up tick close" << int(RunPhase::closed) << delay;
}

void TestActivationTrial::phases_follow_the_switch_and_the_timer() {
    QFETCH(QString, inputs);
    ActivationRig rig;
    for (const QString& input : inputs.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (input == QLatin1String("down")) {
            rig.input.press();
        } else if (input == QLatin1String("up")) {
            rig.input.release();
        } else if (input == QLatin1String("tick")) {
            rig.timer.fire();
        } else if (input == QLatin1String("restart")) {
            rig.trial.restart();
        } else if (input == QLatin1String("close")) {
            rig.trial.close();
        }
    }
    QTEST(int(rig.trial.run_phase()), "run_phase");
    if (rig.trial.run_phase() == RunPhase::running) {
        QTEST(int(rig.trial.phase()), "phase");
    }
    // A resolution request is open exactly while a stimulus waits for its answer.
    QCOMPARE(rig.trial.measuring(), rig.trial.run_phase() == RunPhase::running &&
                                        rig.trial.phase() == ActivationTrial::Phase::stimulus);
    QCOMPARE(rig.clock.begins - rig.clock.ends, rig.trial.measuring() ? 1 : 0);
}

void TestActivationTrial::first_press_only_starts_the_test() {
    ActivationRig rig;
    rig.log.clear();
    rig.clock.time = 555'000;
    rig.input.press();
    QCOMPARE(rig.log, (QStringList{"local time", "begin", "now", "end", "timer on"}));
    QCOMPARE(rig.run().readings.start_tick, 555'000);
    QCOMPARE(rig.run().readings.start_time, rig.clock.local);
    QVERIFY(rig.trial.test_started());
    QVERIFY(!rig.view.click_to_start);
    QVERIFY(rig.timer.is_enabled);
    QVERIFY(!rig.view.stimulus);
    QCOMPARE(rig.run().readings.responses, (std::array<ClockReading, 10>{}));
    rig.input.release();
    QCOMPARE(rig.trial.trial_count(), 0);
    QCOMPARE(rig.run().early_responses, 0);
}

void TestActivationTrial::presses_during_a_delay_are_ignored() {
    ActivationRig rig;
    rig.start();
    const int interval = rig.timer.interval_ms;
    const int enablings = rig.timer.enablings;
    rig.input.press();
    rig.input.release();
    rig.input.press();
    QCOMPARE(rig.timer.interval_ms, interval);
    QCOMPARE(rig.timer.enablings, enablings);
    QVERIFY(rig.timer.is_enabled);
    QCOMPARE(rig.run().readings.onsets, (std::array<ClockReading, 10>{}));
    QCOMPARE(rig.run().readings.responses, (std::array<ClockReading, 10>{}));
}

void TestActivationTrial::stimulus_is_drawn_before_its_sound_and_onset() {
    ActivationRig rig;
    rig.start();
    rig.random.fractions = {0.75f};
    rig.log.clear();
    QVERIFY(rig.timer.fire());
    // The clock before and after the frame is handed over, the display's
    // answer taken in, then the sound.
    QCOMPARE(rig.log, (QStringList{"begin", "show stimulus", "show label", "now", "present", "now",
                                   "display stamp", "now", "sound pop.wav"}));
    QVERIFY(!rig.timer.is_enabled);
    QCOMPARE(rig.timer.interval_ms, 2500); // the next trial's delay, drawn at this tick
    QCOMPARE(rig.trial.trial_count(), 1);
}

void TestActivationTrial::response_is_read_first_and_stored_at_its_index() {
    ActivationRig rig;
    rig.start();
    rig.clock.time = 200'000;
    QVERIFY(rig.timer.fire());
    rig.clock.time = 200'321;
    rig.log.clear();
    rig.input.press();
    QCOMPARE(rig.log.mid(0, 3), (QStringList{"now", "end", "sound Start.wav"}));
    QCOMPARE(rig.run().readings.onsets[0], 200'000);
    QCOMPARE(rig.run().readings.responses[0], 200'321);
    QVERIFY(!rig.view.stimulus);
    QVERIFY(!rig.view.click_label);
    QVERIFY(!rig.timer.is_enabled); // the next delay runs from the release
    rig.input.release();
    QVERIFY(rig.timer.is_enabled);
}

void TestActivationTrial::switch_held_across_the_onset_answers_nothing() {
    ActivationRig rig;
    rig.start();
    rig.input.press(); // held during the delay
    QVERIFY(rig.timer.fire());
    rig.clock.advance(50);
    rig.input.release();
    QVERIFY(rig.view.stimulus);
    QCOMPARE(rig.run().readings.responses[0], 0);
    rig.clock.advance(250);
    rig.input.press();
    QCOMPARE(rig.response(0), 300);
}

void TestActivationTrial::practice_run_is_summarised_and_never_handed_over() {
    ActivationRig rig;
    rig.trial.set_practice(true);
    rig.start();
    for (int i = 0; i < trials_per_test; ++i) {
        rig.answer(200);
    }
    QCOMPARE(rig.view.summaries,
             QStringList{"Practice run, not kept: Average Response Time: 00:00.200   Fastest = "
                         "00:00.200    Slowest = 00:00.200"});
    QVERIFY(rig.trial.run_phase() == RunPhase::finished);
    QCOMPARE(rig.recorder.commits(), 0u);
    // Practice again after it finished: a new run waits at the start notice.
    rig.trial.set_practice(true);
    QVERIFY(rig.trial.run_phase() == RunPhase::waiting_for_start);
    QVERIFY(rig.view.click_to_start);
    QVERIFY(!rig.log.contains(QStringLiteral("commit")));
    QCOMPARE(rig.clock.begins, rig.clock.ends);

    // The recorded run after it is handed over as usual.
    rig.trial.set_practice(false);
    QVERIFY(rig.trial.run_phase() == RunPhase::waiting_for_start);
    rig.start();
    for (int i = 0; i < trials_per_test; ++i) {
        rig.answer(150);
    }
    QCOMPARE(rig.recorder.activation.size(), 1u);
    QCOMPARE(rig.response(9), 150);
}

void TestActivationTrial::changing_to_or_from_practice_starts_over() {
    for (const bool to_practice : {true, false}) {
        ActivationRig rig;
        rig.trial.set_practice(!to_practice);
        rig.start();
        rig.answer(120);
        rig.answer(130);
        QCOMPARE(rig.trial.trial_count(), 2);
        // The same mode again leaves the run alone.
        rig.trial.set_practice(!to_practice);
        QCOMPARE(rig.trial.trial_count(), 2);
        rig.trial.set_practice(to_practice);
        QVERIFY(rig.trial.run_phase() == RunPhase::waiting_for_start);
        QCOMPARE(rig.trial.trial_count(), 0);
        QVERIFY(rig.input.installed(rig.trial));
        QCOMPARE(rig.clock.begins, rig.clock.ends);
        // The run that follows is entirely of the new kind.
        rig.start();
        for (int i = 0; i < trials_per_test; ++i) {
            rig.answer(140);
        }
        QCOMPARE(rig.recorder.commits(), to_practice ? 0u : 1u);
        QCOMPARE(rig.view.summaries.size(), 1);
    }
}

void TestActivationTrial::complete_run_is_handed_over_then_summarised() {
    ActivationRig rig;
    rig.clock.time = 300'000;
    rig.start();
    for (int i = 0; i < 9; ++i) {
        rig.answer(100 + i);
        QCOMPARE(rig.recorder.commits(), 0u);
    }
    // The run ends at the tenth release, not at the tenth press.
    rig.clock.advance(rig.timer.interval_ms);
    QVERIFY(rig.timer.fire());
    rig.clock.advance(109);
    rig.input.press();
    QCOMPARE(rig.recorder.commits(), 0u);
    QVERIFY(rig.view.summaries.isEmpty());
    rig.input.release();
    QCOMPARE(rig.view.summaries,
             QStringList{"Average Response Time: 00:00.104   Fastest = 00:00.100    Slowest = "
                         "00:00.109"});
    QCOMPARE(rig.log.mid(rig.log.size() - 2), (QStringList{"commit", "summary"}));
    QVERIFY(rig.trial.run_phase() == RunPhase::finished);
    QVERIFY(!rig.input.installed(rig.trial));
    QVERIFY(!rig.timer.is_enabled);
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    QCOMPARE(rig.recorder.activation.size(), 1u);
    const TimedRun& run = rig.recorder.activation[0];
    QCOMPARE(run.readings.start_tick, 300'000);
    QCOMPARE(run.readings.start_time, rig.clock.local);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(run.readings.responses[i] - run.readings.onsets[i], 100 + i);
        QVERIFY(i == 0 || run.readings.onsets[i] > run.readings.responses[i - 1]);
    }
    QCOMPARE(run.early_responses, 0);
}

void TestActivationTrial::presses_during_a_delay_are_counted_as_anticipations() {
    ActivationRig rig;
    rig.start(); // the start press is none
    rig.input.press();
    rig.input.release();
    rig.input.press();
    rig.input.release();
    rig.answer(200);
    rig.input.press();
    rig.input.release();
    rig.input.press();
    rig.input.release();
    for (int i = 1; i < 10; ++i) {
        rig.answer(200);
    }
    QCOMPARE(rig.recorder.activation.size(), 1u);
    QCOMPARE(rig.recorder.activation[0].early_responses, 4);
    // A new run counts its own.
    rig.trial.restart();
    rig.start();
    QCOMPARE(rig.run().early_responses, 0);
}

void TestActivationTrial::sums_beyond_sixteen_bits_are_summarised() {
    ActivationRig rig;
    rig.start();
    for (int i = 0; i < 10; ++i) {
        rig.answer(i == 0 ? 40'000 : 4'000);
    }
    QCOMPARE(rig.view.summaries,
             QStringList{"Average Response Time: 00:07.600   Fastest = 00:04.000    Slowest = "
                         "00:40.000"});
}

void TestActivationTrial::restart_in_mid_run_counts_from_one_again() {
    ActivationRig rig;
    rig.start();
    for (int i = 0; i < 5; ++i) {
        rig.answer(300);
    }
    rig.trial.restart();
    QCOMPARE(rig.trial.trial_count(), 0);
    QVERIFY(!rig.trial.test_started());
    QVERIFY(rig.view.click_to_start);
    QVERIFY(!rig.timer.is_enabled);
    QVERIFY(rig.input.installed(rig.trial));
    QCOMPARE(rig.input.installs, 2);
    QCOMPARE(rig.recorder.commits(), 0u); // a restart hands nothing over

    rig.clock.advance(60'000);
    rig.start();
    QCOMPARE(rig.run().readings.start_tick, rig.clock.time);
    rig.answer(200);
    rig.answer(210);
    QCOMPARE(rig.trial.trial_count(), 2);
    QCOMPARE(rig.response(0), 200);
    QCOMPARE(rig.response(1), 210);
    // Nothing of the dropped run is left in the new one.
    for (int i = 2; i < 10; ++i) {
        QCOMPARE(rig.run().readings.onsets[i], 0);
        QCOMPARE(rig.run().readings.responses[i], 0);
    }
}

void TestActivationTrial::unfinished_run_is_never_handed_over_data() {
    QTest::addColumn<bool>("close");
    QTest::newRow("restart after three trials") << false;
    QTest::newRow("closed after three trials") << true;
}

void TestActivationTrial::unfinished_run_is_never_handed_over() {
    QFETCH(bool, close);
    TrialRig rig;
    rig.settings.max_delay_ms = 3000;
    std::optional<ActivationTrial> trial;
    trial.emplace(rig.services(), rig.view, rig.timers());
    trial->load();
    start(rig);
    for (int i = 0; i < 3; ++i) {
        answer(rig, 500);
    }
    rig.clock.advance(rig.timer.interval_ms);
    QVERIFY(rig.timer.fire()); // a fourth stimulus is waiting
    if (close) {
        trial->close();
        // The window opens afresh, with a new trial.
        trial.reset();
        rig.timer_names.clear();
        trial.emplace(rig.services(), rig.view, rig.timers());
        trial->load();
    } else {
        trial->restart();
    }
    QCOMPARE(rig.recorder.commits(), 0u);
    QVERIFY(rig.view.summaries.isEmpty());
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    // A complete run afterwards hands over its own ten trials only.
    start(rig);
    for (int i = 0; i < 10; ++i) {
        answer(rig, 150 + i);
    }
    QCOMPARE(rig.recorder.activation.size(), 1u);
    const TimedRun& run = rig.recorder.activation[0];
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(run.readings.responses[i] - run.readings.onsets[i], 150 + i);
    }
}

void TestActivationTrial::restart_and_close_give_back_an_open_resolution_request_data() {
    QTest::addColumn<bool>("close");
    QTest::newRow("restart") << false;
    QTest::newRow("close") << true;
}

void TestActivationTrial::restart_and_close_give_back_an_open_resolution_request() {
    QFETCH(bool, close);
    ActivationRig rig;
    rig.start();
    QVERIFY(rig.timer.fire());
    QVERIFY(rig.trial.measuring());
    close ? rig.trial.close() : rig.trial.restart();
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    QVERIFY(!rig.view.stimulus);
    QVERIFY(rig.view.click_to_start);
    QCOMPARE(rig.input.installed(rig.trial), !close);
}

void TestActivationTrial::switch_held_across_a_restart_starts_no_delay() {
    ActivationRig rig;
    rig.start();
    QVERIFY(rig.timer.fire());
    rig.input.press(); // answered, and still held
    rig.trial.restart();
    rig.input.release();
    QVERIFY(!rig.timer.is_enabled);
    QVERIFY(!rig.view.stimulus);
    QVERIFY(rig.view.click_to_start);
}

void TestActivationTrial::key_switch_held_with_auto_repeat_counts_once() {
    ActivationRig rig;
    rig.input.set_switch_sends(SwitchSends::space);
    auto repeat = [&rig] {
        rig.input.key(Qt::Key_Space, false, true);
        rig.input.key(Qt::Key_Space, true, true);
    };
    rig.input.key(Qt::Key_Space, true);
    repeat();
    rig.input.key(Qt::Key_Space, false);
    QVERIFY(rig.trial.test_started());
    QCOMPARE(rig.timer.enablings, 1);
    // Pressed during the delay and held across the onset: its release answers nothing.
    rig.input.key(Qt::Key_Space, true);
    QVERIFY(rig.timer.fire());
    repeat();
    rig.clock.advance(50);
    rig.input.key(Qt::Key_Space, false);
    QVERIFY(rig.view.stimulus);
    QCOMPARE(rig.run().readings.responses[0], 0);
    rig.clock.advance(250);
    rig.input.key(Qt::Key_Space, true);
    QCOMPARE(rig.response(0), 300);
    repeat();
    repeat();
    QCOMPARE(rig.timer.enablings, 1); // still held: no release yet
    rig.input.key(Qt::Key_Space, false);
    QCOMPARE(rig.timer.enablings, 2);
    // The mouse button still answers.
    rig.clock.advance(rig.timer.interval_ms);
    QVERIFY(rig.timer.fire());
    rig.clock.advance(180);
    rig.input.press();
    QCOMPARE(rig.response(1), 180);
}

void TestActivationTrial::closing_after_the_end_is_harmless() {
    ActivationRig rig;
    rig.start();
    for (int i = 0; i < 10; ++i) {
        rig.answer(250);
    }
    rig.trial.close();
    QCOMPARE(rig.input.removes, 2);
    QVERIFY(rig.input.clients.empty());
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    rig.input.press(); // not installed: nothing happens
    QCOMPARE(rig.view.summaries.size(), 1);
    QCOMPARE(rig.recorder.commits(), 1u);
}

QTEST_GUILESS_MAIN(TestActivationTrial)
#include "test_activation_trial.moc"
