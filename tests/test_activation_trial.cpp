// The activation test's logic and the mechanism all tests share, driven by a
// fake clock, fake timers and presses delivered through a fake input.
#include "activation_trial.h"
#include "trial_fakes.h"

#include <QTest>

using namespace tavo;
using namespace tavo::testing;

namespace {

struct ActivationRig : TrialRig {
    ActivationTrial trial{services(), view, timer};

    explicit ActivationRig(std::int16_t max_delay = 3000) {
        assessment.settings.act_max_delay = max_delay;
        trial.Form_Load();
    }
    void start() {
        input.press();
        input.release();
    }
    // One trial answered after `response_ms`, the switch let go 80 ms later.
    void answer(int response_ms) {
        clock.advance(timer.interval_ms);
        QVERIFY(timer.fire());
        clock.advance(response_ms);
        input.press();
        clock.advance(80);
        input.release();
    }
};

} // namespace

class TestActivationTrial : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void draw_delay_data();
    void draw_delay();
    void load_installs_the_client_and_draws_the_first_delay();
    void first_press_only_starts_the_test();
    void presses_during_a_delay_are_ignored();
    void stimulus_is_drawn_before_its_sound_and_onset();
    void response_is_read_first_and_stored_at_its_index();
    void switch_held_across_the_onset_answers_nothing();
    void complete_run_gives_the_summary_then_the_results();
    void sums_beyond_sixteen_bits_are_summarised();
    void restart_in_mid_run_counts_from_one_again();
    void restart_and_close_give_back_an_open_resolution_request_data();
    void restart_and_close_give_back_an_open_resolution_request();
    void switch_held_across_a_restart_starts_no_delay();
    void double_click_message_is_no_press();
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
    rig.assessment.settings.act_max_delay = 5000;
    rig.random.fractions = {0.25f};
    ActivationTrial trial(rig.services(), rig.view, rig.timer);
    trial.Form_Load();
    QVERIFY(rig.input.installed(trial));
    QCOMPARE(rig.random.seeds, 1);
    QCOMPARE(rig.timer.interval_ms, 2000);
    QVERIFY(!rig.timer.is_enabled);
    QVERIFY(!trial.test_started());
}

void TestActivationTrial::first_press_only_starts_the_test() {
    ActivationRig rig;
    rig.log.clear();
    rig.clock.time = 555'000;
    rig.input.press();
    QCOMPARE(rig.log, (QStringList{"local time", "begin", "now", "end", "timer on"}));
    QCOMPARE(rig.assessment.data.act_start_tick, 555'000);
    QCOMPARE(rig.assessment.data.act_start_time, rig.clock.local);
    QVERIFY(rig.trial.test_started());
    QVERIFY(!rig.view.click_to_start);
    QVERIFY(rig.timer.is_enabled);
    QVERIFY(!rig.view.stimulus);
    QCOMPARE(rig.assessment.data.act_click_times, (std::array<ClockReading, 10>{}));
    rig.input.release();
    QCOMPARE(rig.trial.trial_count(), 0);
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
    QCOMPARE(rig.assessment.data.act_stim_times, (std::array<ClockReading, 10>{}));
    QCOMPARE(rig.assessment.data.act_click_times, (std::array<ClockReading, 10>{}));
}

void TestActivationTrial::stimulus_is_drawn_before_its_sound_and_onset() {
    ActivationRig rig;
    rig.start();
    rig.random.fractions = {0.75f};
    rig.log.clear();
    QVERIFY(rig.timer.fire());
    QCOMPARE(rig.log, (QStringList{"begin", "show stimulus", "show label", "present",
                                   "sound pop.wav", "now"}));
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
    QCOMPARE(rig.assessment.data.act_stim_times[0], 200'000);
    QCOMPARE(rig.assessment.data.act_click_times[0], 200'321);
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
    QCOMPARE(rig.assessment.data.act_click_times[0], 0);
    rig.clock.advance(250);
    rig.input.press();
    QCOMPARE(rig.assessment.data.act_click_times[0] - rig.assessment.data.act_stim_times[0], 300);
}

void TestActivationTrial::complete_run_gives_the_summary_then_the_results() {
    ActivationRig rig;
    rig.start();
    for (int i = 0; i < 10; ++i) {
        rig.answer(100 + i);
    }
    QCOMPARE(rig.view.summaries,
             QStringList{"Average Response Time: 00:00.104   Fastest = 00:00.100    Slowest = "
                         "00:00.109"});
    QCOMPARE(rig.view.results_changes, 1);
    QVERIFY(rig.log.indexOf("summary") < rig.log.indexOf("results"));
    QVERIFY(!rig.input.installed(rig.trial));
    QVERIFY(!rig.timer.is_enabled);
    QVERIFY(!rig.assessment.saving.data_saved);
    QCOMPARE(rig.clock.begins, rig.clock.ends);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(rig.assessment.data.act_click_times[i] - rig.assessment.data.act_stim_times[i],
                 100 + i);
    }
    // The summary comes at the tenth release, not the tenth press.
    QCOMPARE(rig.log.indexOf("summary"), rig.log.size() - 2);
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
    const TestData first_run = rig.assessment.data;
    rig.trial.restart();
    QCOMPARE(rig.trial.trial_count(), 0);
    QVERIFY(!rig.trial.test_started());
    QVERIFY(rig.view.click_to_start);
    QVERIFY(!rig.timer.is_enabled);
    QVERIFY(rig.input.installed(rig.trial));
    QCOMPARE(rig.input.installs, 2);
    QCOMPARE(rig.assessment.data, first_run); // a restart writes nothing

    rig.clock.advance(60'000);
    rig.start();
    QCOMPARE(rig.assessment.data.act_start_tick, rig.clock.time);
    rig.answer(200);
    rig.answer(210);
    QCOMPARE(rig.assessment.data.act_click_times[0] - rig.assessment.data.act_stim_times[0], 200);
    QCOMPARE(rig.assessment.data.act_click_times[1] - rig.assessment.data.act_stim_times[1], 210);
    for (int i = 2; i < 10; ++i) {
        QCOMPARE(rig.assessment.data.act_stim_times[i], first_run.act_stim_times[i]);
        QCOMPARE(rig.assessment.data.act_click_times[i], first_run.act_click_times[i]);
    }
    QVERIFY(rig.assessment.saving.data_saved);
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

void TestActivationTrial::double_click_message_is_no_press() {
    ActivationRig rig;
    rig.input.double_click();
    QVERIFY(!rig.trial.test_started());
    rig.start();
    QVERIFY(rig.timer.fire());
    rig.input.double_click();
    QVERIFY(rig.view.stimulus);
    QCOMPARE(rig.assessment.data.act_click_times[0], 0);
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
    QCOMPARE(rig.assessment.data.act_click_times[0], 0);
    rig.clock.advance(250);
    rig.input.key(Qt::Key_Space, true);
    QCOMPARE(rig.assessment.data.act_click_times[0] - rig.assessment.data.act_stim_times[0], 300);
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
    QCOMPARE(rig.assessment.data.act_click_times[1] - rig.assessment.data.act_stim_times[1], 180);
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
}

QTEST_GUILESS_MAIN(TestActivationTrial)
#include "test_activation_trial.moc"
