// Where the tests' readings come from: a press or release is read from the
// stamp the input system put on it when that is plausible, an onset from the
// display server's time after the frame; the cue's sound starts only after
// the onset reading.
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
        settings.max_delay_ms = 3000;
        trial.load();
        input.press();
        input.release();
    }
    const TimedRun& run() const { return trial.run(); }
    void show_stimulus() {
        clock.advance(timer.interval_ms);
        QVERIFY(timer.fire());
    }
};

struct ReleaseRig : TrialRig {
    ReleaseTrial trial{services(), view, timers()};

    ReleaseRig() {
        settings.max_hold_ms = 1000;
        trial.load();
        input.press();
        input.release();
    }
    const TimedRun& run() const { return trial.run(); }
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
    void answer_needed_before_the_display_gave_it_data();
    void answer_needed_before_the_display_gave_it();
    void late_answer_after_a_restart_is_not_taken_data();
    void late_answer_after_a_restart_is_not_taken();
    void run_counts_where_its_readings_came_from_data();
    void run_counts_where_its_readings_came_from();
    void cue_sound_starts_after_the_onset_reading_data();
    void cue_sound_starts_after_the_onset_reading();
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
    QCOMPARE(rig.run().readings.responses[0] - rig.run().readings.onsets[0], recorded);
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
    QCOMPARE(rig.run().readings.responses[0], onset + 288);
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
    QCOMPARE(rig.run().readings.first_press, first);
    QCOMPARE(rig.trial.click_count(), 1);
    QCOMPARE(rig.readings.lines.last(),
             QStringLiteral("click 1 %1 input %2").arg(first + 92).arg(first + 95));
}

void TestTrialTiming::start_tick_comes_from_the_start_press_stamp() {
    TrialRig rig;
    ActivationTrial trial(rig.services(), rig.view, rig.timers());
    trial.load();
    rig.input.send(SwitchEdge::press, stamp_at(rig, -4));
    QCOMPARE(trial.run().readings.start_tick, rig.clock.time - 4);
    QCOMPARE(rig.readings.lines.first(),
             QStringLiteral("start 0 %1 input %2").arg(rig.clock.time - 4).arg(rig.clock.time));
}

void TestTrialTiming::onset_is_read_from_the_display_stamp_data() {
    QTest::addColumn<bool>("has_stamp");
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("answer_after"); // ms from handing the frame over to the answer
    QTest::addColumn<int>("stamp_offset"); // the stamp, from the moment it was handed over
    QTest::addColumn<int>("onset_offset"); // the onset recorded
    QTest::addColumn<QString>("logged");   // the log's source and the stamp's microseconds
    const int present = int(FrameStampSource::present);
    const int server = int(FrameStampSource::server_time);
    const int damage = int(FrameStampSource::damage);
    QTest::newRow("a presented frame's vertical blank, answered later, with its microseconds")
        << true << present << 9 << 8 << 8 << "present 102000 102008250";
    QTest::newRow("the server's time as the frame was handed over")
        << true << server << 0 << 0 << 0 << "servertime 102000";
    QTest::newRow("DAMAGE's time, answered later")
        << true << damage << 3 << 2 << 2 << "damage 102000";
    QTest::newRow("a stamp as the answer came is still believed")
        << true << present << 5 << 5 << 5 << "present 102000 102005250";
    QTest::newRow("a stamp before the frame was handed over: falls back")
        << true << present << 5 << -1 << 0 << "delivery 102000";
    QTest::newRow("a stamp after its answer came: falls back")
        << true << present << 5 << 6 << 0 << "delivery 102000";
    QTest::newRow("a stamp more than a second after handing over: falls back")
        << true << server << 1500 << 1001 << 0 << "delivery 102000";
    QTest::newRow("a server of another clock: falls back")
        << true << server << 0 << 5000 << 0 << "delivery 102000";
    QTest::newRow("no stamp: read after the frame was handed over")
        << false << server << 0 << 0 << 0 << "delivery 102000";
}

void TestTrialTiming::onset_is_read_from_the_display_stamp() {
    QFETCH(bool, has_stamp);
    QFETCH(int, source);
    QFETCH(int, answer_after);
    QFETCH(int, stamp_offset);
    QFETCH(int, onset_offset);
    QFETCH(QString, logged);
    ActivationRig rig;
    // The stimulus is handed over at the time the clock reads after the timer.
    const ClockReading shown = rig.clock.time + rig.timer.interval_ms;
    rig.display.answer_later = true;
    rig.display.source = static_cast<FrameStampSource>(source);
    rig.display.extra_microseconds = 250;
    rig.display.next = has_stamp ? std::optional<ClockReading>(shown + stamp_offset) : std::nullopt;
    rig.show_stimulus();
    rig.clock.advance(answer_after);
    rig.display.answer();
    QCOMPARE(rig.readings.lines.last(),
             QStringLiteral("onset 1 %1 %2").arg(shown + onset_offset).arg(logged));
    rig.clock.advance(200);
    rig.input.press();
    QCOMPARE(rig.run().readings.onsets[0], shown + onset_offset);
    QCOMPARE(rig.display.settles, 0); // answered before it was needed
}

void TestTrialTiming::answer_needed_before_the_display_gave_it_data() {
    QTest::addColumn<bool>("release_test");
    QTest::addColumn<bool>("settle_answers");
    QTest::addColumn<QString>("source");
    QTest::newRow("activation: the display answers when asked") << false << true << "present";
    QTest::newRow("activation: no answer at all, marked delivery") << false << false << "delivery";
    QTest::newRow("release: the display answers when asked") << true << true << "present";
    QTest::newRow("release: no answer at all, marked delivery") << true << false << "delivery";
}

// The subject answers before the display system has said when the frame
// was shown: the answer is asked for, and the onset logged before the answer.
void TestTrialTiming::answer_needed_before_the_display_gave_it() {
    QFETCH(bool, release_test);
    QFETCH(bool, settle_answers);
    QFETCH(QString, source);
    std::unique_ptr<ActivationRig> activation;
    std::unique_ptr<ReleaseRig> release;
    TrialRig* rig = nullptr;
    if (release_test) {
        release = std::make_unique<ReleaseRig>();
        release->show_hold_cue();
        release->input.press();
        rig = release.get();
    } else {
        activation = std::make_unique<ActivationRig>();
        rig = activation.get();
    }
    const ClockReading handed =
        rig->clock.time + (release_test ? rig->second_timer.interval_ms : rig->timer.interval_ms);
    rig->display.answer_later = true;
    rig->display.source = FrameStampSource::present;
    rig->display.next = settle_answers ? std::optional<ClockReading>(handed + 12) : std::nullopt;
    if (release_test) {
        release->show_release_cue();
    } else {
        activation->show_stimulus();
    }
    QVERIFY(rig->display.waiting());
    rig->clock.advance(150);
    if (release_test) {
        rig->input.release();
    } else {
        rig->input.press();
    }
    QCOMPARE(rig->display.settles, 1);
    const ClockReading onset = settle_answers ? handed + 12 : handed;
    const QStringList& lines = rig->readings.lines;
    QVERIFY(lines.size() >= 2);
    QVERIFY2(
        lines[lines.size() - 2].startsWith(QStringLiteral("onset 1 %1 %2").arg(onset).arg(source)),
        qPrintable(lines[lines.size() - 2]));
    QVERIFY(lines.last().startsWith(release_test ? QStringLiteral("release 1 ")
                                                 : QStringLiteral("response 1 ")));
    const ClockReading stored =
        release_test ? release->run().readings.onsets[0] : activation->run().readings.onsets[0];
    QCOMPARE(stored, onset);
}

void TestTrialTiming::late_answer_after_a_restart_is_not_taken_data() {
    QTest::addColumn<bool>("destroy");
    QTest::newRow("restarted with Ctrl+R") << false;
    QTest::newRow("window closed and its trial gone") << true;
}

void TestTrialTiming::late_answer_after_a_restart_is_not_taken() {
    QFETCH(bool, destroy);
    auto rig = std::make_unique<TrialRig>();
    auto trial = std::make_unique<ActivationTrial>(rig->services(), rig->view, rig->timers());
    trial->load();
    rig->input.press();
    rig->input.release();
    rig->display.answer_later = true;
    rig->display.next = rig->clock.time + rig->timer.interval_ms;
    rig->clock.advance(rig->timer.interval_ms);
    QVERIFY(rig->timer.fire());
    const qsizetype lines = rig->readings.lines.size();
    if (destroy) {
        trial->close();
        trial.reset();
    } else {
        trial->restart();
    }
    rig->display.answer();
    QCOMPARE(rig->readings.lines.size(), lines); // no onset of a dropped trial
    if (!destroy) {
        // The next run's first onset is its own.
        rig->input.press();
        rig->input.release();
        rig->display.next = rig->clock.time + rig->timer.interval_ms + 1;
        rig->clock.advance(rig->timer.interval_ms);
        QVERIFY(rig->timer.fire());
        const ClockReading handed = rig->clock.time;
        rig->clock.advance(2);
        rig->display.answer();
        QCOMPARE(rig->readings.lines.last(),
                 QStringLiteral("onset 1 %1 servertime %2").arg(handed + 1).arg(handed));
    }
}

void TestTrialTiming::run_counts_where_its_readings_came_from_data() {
    QTest::addColumn<int>("unstamped_onsets");
    QTest::addColumn<int>("unstamped_presses");
    QTest::newRow("every reading stamped but the start") << 0 << 0;
    QTest::newRow("three onsets and two presses on delivery") << 3 << 2;
    QTest::newRow("nothing stamped") << 10 << 10;
}

void TestTrialTiming::run_counts_where_its_readings_came_from() {
    QFETCH(int, unstamped_onsets);
    QFETCH(int, unstamped_presses);
    ActivationRig rig; // its start press has no stamp
    for (int trial = 0; trial < trials_per_test; ++trial) {
        const ClockReading shown = rig.clock.time + rig.timer.interval_ms;
        rig.display.next =
            trial < unstamped_onsets ? std::nullopt : std::optional<ClockReading>(shown);
        rig.show_stimulus();
        rig.clock.advance(200);
        rig.input.send(SwitchEdge::press, stamp_at(rig, -5, trial >= unstamped_presses));
        rig.input.release();
    }
    QCOMPARE(rig.recorder.activation.size(), std::size_t{1});
    const ReadingOrigins& origins = rig.recorder.activation.front().origins;
    QCOMPARE(origins.onsets_from_frame, trials_per_test - unstamped_onsets);
    QCOMPARE(origins.onsets_on_delivery, unstamped_onsets);
    QCOMPARE(origins.presses_from_input, trials_per_test - unstamped_presses);
    QCOMPARE(origins.presses_on_delivery, 1 + unstamped_presses);
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
    // Handed to the display system, its answer asked for, then the sound.
    const qsizetype presented = log->indexOf(QStringLiteral("present"));
    QVERIFY(presented >= 0);
    QCOMPARE(log->mid(presented, 3), (QStringList{QStringLiteral("present"), QStringLiteral("now"),
                                                  QStringLiteral("display stamp")}));
    QVERIFY(log->indexOf(sound) > presented + 2);
}

QTEST_GUILESS_MAIN(TestTrialTiming)
#include "test_trial_timing.moc"
