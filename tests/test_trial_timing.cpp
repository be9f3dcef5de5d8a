// Where the tests' readings come from: a press or release is read from the
// stamp the input system put on it when that is plausible, an onset from the
// display server's time after the frame; the cue's sound starts only after
// the onset reading; and a press that the system reports as part of a double
// click is still a press in the activation and release tests.
#include "activation_trial.h"
#include "release_trial.h"
#include "repetition_trial.h"
#include "trial_fakes.h"

#include <QTest>

using namespace tavo;
using namespace tavo::testing;

namespace {

struct ActivationRig : TrialRig {
    ActivationTrial trial{services(), view, timers()};

    ActivationRig() {
        settings.act_max_delay = 3000;
        trial.load();
        input.press();
        input.release();
    }
    const ActivationRun& run() const { return trial.run(); }
    void show_stimulus() {
        clock.advance(timer.interval_ms);
        QVERIFY(timer.fire());
    }
};

struct ReleaseRig : TrialRig {
    ReleaseTrial trial{services(), view, timers()};

    ReleaseRig() {
        settings.rel_hold_time = 1000;
        trial.load();
        input.press();
        input.release();
    }
    const ReleaseRun& run() const { return trial.run(); }
    void show_hold_cue() {
        clock.advance(timer.interval_ms);
        QVERIFY(timer.fire());
        clock.advance(150);
    }
    void show_release_cue() {
        clock.advance(second_timer.interval_ms);
        QVERIFY(second_timer.fire());
    }
};

struct RepetitionRig : TrialRig {
    RepetitionTrial trial{services(), view, timers()};

    RepetitionRig() {
        trial.load();
        input.press();
        input.release();
        clock.advance(timer.interval_ms);
        timer.fire();
    }
    const RepetitionRun& run() const { return trial.run(); }
};

std::optional<ClockReading> stamp_at(const TrialRig& rig, int offset, bool has_stamp = true) {
    return has_stamp ? std::optional<ClockReading>(rig.clock.time + offset) : std::nullopt;
}

} // namespace

class TestTrialTiming : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void press_is_read_from_its_stamp_data();
    void press_is_read_from_its_stamp();
    void release_is_read_from_its_stamp();
    void repetition_readings_come_from_the_stamps();
    void start_tick_comes_from_the_start_press_stamp();
    void onset_is_read_from_the_display_stamp_data();
    void onset_is_read_from_the_display_stamp();
    void cue_sound_starts_after_the_onset_reading_data();
    void cue_sound_starts_after_the_onset_reading();
    void double_click_press_answers_after_an_anticipation();
    void double_click_press_starts_the_run_data();
    void double_click_press_starts_the_run();
    void double_click_press_starts_a_hold();
    void repetition_counts_releases_whatever_the_presses();
};

void TestTrialTiming::press_is_read_from_its_stamp_data() {
    QTest::addColumn<bool>("has_stamp");
    QTest::addColumn<int>("stamp_offset"); // from the delivery reading
    QTest::addColumn<int>("recorded");     // the response time stored
    QTest::addColumn<QString>("log");
    // The start press at 100000, a 2000 ms delay: the stimulus shows at 102000.
    QTest::newRow("stamped 7 ms before delivery")
        << true << -7 << 243 << QStringLiteral("response 1 102243 input 102250");
    QTest::newRow("stamped at delivery")
        << true << 0 << 250 << QStringLiteral("response 1 102250 input 102250");
    QTest::newRow("stamped a second before delivery")
        << true << -1000 << 250 - 1000 << QStringLiteral("response 1 101250 input 102250");
    QTest::newRow("stamped later than delivery: falls back")
        << true << 1 << 250 << QStringLiteral("response 1 102250 delivery 102250");
    QTest::newRow("stamped more than a second before: falls back")
        << true << -1001 << 250 << QStringLiteral("response 1 102250 delivery 102250");
    QTest::newRow("no stamp: read on delivery")
        << false << 0 << 250 << QStringLiteral("response 1 102250 delivery 102250");
}

void TestTrialTiming::press_is_read_from_its_stamp() {
    QFETCH(bool, has_stamp);
    QFETCH(int, stamp_offset);
    QFETCH(int, recorded);
    QFETCH(QString, log);
    ActivationRig rig;
    rig.timer.interval_ms = 2000;
    rig.show_stimulus();
    rig.clock.advance(250);
    rig.input.send(SwitchEdge::press, stamp_at(rig, stamp_offset, has_stamp));
    QCOMPARE(rig.run().click_times[0] - rig.run().stim_times[0], recorded);
    QCOMPARE(rig.readings.lines.last(), log);
}

void TestTrialTiming::release_is_read_from_its_stamp() {
    ReleaseRig rig;
    rig.show_hold_cue();
    rig.input.press();
    rig.show_release_cue();
    const ClockReading onset = rig.clock.time;
    rig.clock.advance(300);
    rig.input.send(SwitchEdge::release, stamp_at(rig, -12));
    QCOMPARE(rig.run().release_times[0], onset + 288);
    QCOMPARE(rig.readings.lines.last(),
             QStringLiteral("release 1 %1 input %2").arg(onset + 288).arg(onset + 300));
}

void TestTrialTiming::repetition_readings_come_from_the_stamps() {
    RepetitionRig rig;
    rig.clock.advance(400);
    rig.input.send(SwitchEdge::press, stamp_at(rig, -5));
    const ClockReading first = rig.clock.time - 5;
    rig.clock.advance(90);
    rig.input.send(SwitchEdge::release, stamp_at(rig, -3));
    QCOMPARE(rig.run().first_press, first);
    QCOMPARE(rig.trial.click_count(), 1);
    QCOMPARE(rig.readings.lines.last(),
             QStringLiteral("click 1 %1 input %2").arg(first + 92).arg(first + 95));
}

void TestTrialTiming::start_tick_comes_from_the_start_press_stamp() {
    TrialRig rig;
    ActivationTrial trial(rig.services(), rig.view, rig.timers());
    trial.load();
    rig.input.send(SwitchEdge::press, stamp_at(rig, -4));
    QCOMPARE(trial.run().start_tick, rig.clock.time - 4);
    QCOMPARE(rig.readings.lines.first(),
             QStringLiteral("start 0 %1 input %2").arg(rig.clock.time - 4).arg(rig.clock.time));
}

void TestTrialTiming::onset_is_read_from_the_display_stamp_data() {
    QTest::addColumn<bool>("has_stamp");
    QTest::addColumn<int>("stamp_offset");
    QTest::addColumn<int>("onset_offset");
    QTest::addColumn<QString>("source");
    QTest::newRow("the server's time before the clock's") << true << -2 << -2 << "display";
    QTest::newRow("the server's time equal to the clock's") << true << 0 << 0 << "display";
    QTest::newRow("a server of another clock: falls back") << true << 5000 << 0 << "delivery";
    QTest::newRow("no stamp: read after the repaint") << false << 0 << 0 << "delivery";
}

void TestTrialTiming::onset_is_read_from_the_display_stamp() {
    QFETCH(bool, has_stamp);
    QFETCH(int, stamp_offset);
    QFETCH(int, onset_offset);
    QFETCH(QString, source);
    ActivationRig rig;
    // The stimulus will show at the time the clock reads after the timer.
    const ClockReading shown = rig.clock.time + rig.timer.interval_ms;
    rig.display.next = has_stamp ? std::optional<ClockReading>(shown + stamp_offset) : std::nullopt;
    rig.show_stimulus();
    QCOMPARE(rig.readings.lines.last(),
             QStringLiteral("onset 1 %1 %2 %3").arg(shown + onset_offset).arg(source).arg(shown));
    rig.clock.advance(200);
    rig.input.press();
    QCOMPARE(rig.run().stim_times[0], shown + onset_offset);
}

void TestTrialTiming::cue_sound_starts_after_the_onset_reading_data() {
    QTest::addColumn<bool>("release_test");
    QTest::addColumn<QString>("sound");
    QTest::newRow("activation stimulus") << false << "sound pop.wav";
    QTest::newRow("RELEASE cue") << true << "sound Laser.wav";
}

void TestTrialTiming::cue_sound_starts_after_the_onset_reading() {
    QFETCH(bool, release_test);
    QFETCH(QString, sound);
    std::unique_ptr<ActivationRig> activation;
    std::unique_ptr<ReleaseRig> release;
    QStringList* log = nullptr;
    if (release_test) {
        release = std::make_unique<ReleaseRig>();
        release->show_hold_cue();
        release->input.press();
        release->log.clear();
        release->show_release_cue();
        log = &release->log;
    } else {
        activation = std::make_unique<ActivationRig>();
        activation->log.clear();
        activation->show_stimulus();
        log = &activation->log;
    }
    // Drawn, stamped by the display server, read on the clock, then the sound.
    const qsizetype presented = log->indexOf(QStringLiteral("present"));
    QVERIFY(presented >= 0);
    QCOMPARE(log->mid(presented, 4),
             (QStringList{QStringLiteral("present"), QStringLiteral("display stamp"),
                          QStringLiteral("now"), sound}));
}

void TestTrialTiming::double_click_press_answers_after_an_anticipation() {
    // An anticipation during the delay, then the real answer 150 ms after the
    // onset, within the double-click time of the anticipation.
    ActivationRig rig;
    rig.clock.advance(rig.timer.interval_ms - 200);
    rig.input.press();
    rig.clock.advance(50);
    rig.input.release();
    rig.clock.advance(150);
    QVERIFY(rig.timer.fire());
    rig.clock.advance(150);
    rig.input.double_click();
    QCOMPARE(rig.trial.phase(), ActivationTrial::Phase::switch_down);
    QCOMPARE(rig.run().click_times[0] - rig.run().stim_times[0], 150);
    QCOMPARE(rig.run().anticipations, 1);
}

void TestTrialTiming::double_click_press_starts_the_run_data() {
    QTest::addColumn<int>("test");
    QTest::addColumn<bool>("starts");
    QTest::newRow("activation") << int(ReadingTest::activation) << true;
    QTest::newRow("release") << int(ReadingTest::release) << true;
    // The repetition test keeps its rule: only a plain press starts it.
    QTest::newRow("repetition") << int(ReadingTest::repetition) << false;
}

void TestTrialTiming::double_click_press_starts_the_run() {
    QFETCH(int, test);
    QFETCH(bool, starts);
    TrialRig rig;
    std::unique_ptr<SwitchTrial> trial;
    switch (static_cast<ReadingTest>(test)) {
    case ReadingTest::activation:
        trial = std::make_unique<ActivationTrial>(rig.services(), rig.view, rig.timers());
        break;
    case ReadingTest::release:
        trial = std::make_unique<ReleaseTrial>(rig.services(), rig.view, rig.timers());
        break;
    case ReadingTest::repetition:
        trial = std::make_unique<RepetitionTrial>(rig.services(), rig.view, rig.timers());
        break;
    }
    trial->load();
    rig.input.double_click();
    QCOMPARE(trial->test_started(), starts);
    QCOMPARE(rig.timer.is_enabled, starts);
}

void TestTrialTiming::double_click_press_starts_a_hold() {
    ReleaseRig rig;
    rig.show_hold_cue();
    rig.input.double_click();
    QCOMPARE(rig.trial.phase(), ReleaseTrial::Phase::holding);
    QVERIFY(rig.second_timer.is_enabled);
    QCOMPARE(rig.view.click_label_text, QStringLiteral("HOLDING ..."));
}

void TestTrialTiming::repetition_counts_releases_whatever_the_presses() {
    RepetitionRig rig;
    // A double click before the first plain press is no first press, and its
    // release counts nothing.
    rig.input.double_click();
    rig.input.release();
    QCOMPARE(rig.trial.click_count(), 0);
    for (int i = 0; i < 3; ++i) {
        rig.clock.advance(80);
        if (i == 1) {
            rig.input.double_click();
        } else {
            rig.input.press();
        }
        rig.clock.advance(60);
        rig.input.release();
    }
    QCOMPARE(rig.trial.click_count(), 3);
}

QTEST_GUILESS_MAIN(TestTrialTiming)
#include "test_trial_timing.moc"
