// The mechanism the three tests share: the switch input that delivers the
// switch's presses and releases, the start press that stamps the run's time
// base, the random delays, the clock's resolution requests, restart, closing
// and handing a completed run over. Each test adds its trials on top, as a
// state machine of its own that runs while the run is running.
#pragma once

#include "assessment.h"
#include "clock.h"
#include "completed_runs.h"
#include "display_stamps.h"
#include "one_shot_timer.h"
#include "random_source.h"
#include "reading_log.h"
#include "sound_player.h"
#include "switch_input.h"
#include "timed_reading.h"
#include "trial_view.h"

#include <functional>
#include <memory>

namespace tavo {

// The services a test uses, all shared with the rest of the program.
struct TrialServices {
    // The administrator's settings, read when the test loads and restarts.
    const TestSettings& settings;
    // Where a completed run goes; an unfinished one goes nowhere.
    RunRecorder& recorder;
    Clock& clock;
    SoundPlayer& sounds;
    RandomSource& random;
    SwitchInput& switch_input;
    ReadingLog& readings = no_reading_log();
    // The time the display system showed a stimulus's frame, where it tells.
    DisplayStamps& display = no_display_stamps();
};

// Makes one of a trial's timers, by its name; the trial owns what it gets.
using NamedTimerFactory = std::function<std::unique_ptr<OneShotTimer>(const QString& name)>;

inline constexpr int min_delay_ms = 1000;

// A delay of whole milliseconds from 1000 up to, not including, upper
// (exactly 1000 when upper is 1000), from a fraction in [0, 1).
int draw_delay(float fraction, int upper);

// What the window of the activation or release test says when a run of ten
// timed trials is over: their average, fastest and slowest response time.
QString trial_summary_message(const TimedTestData& readings);

// Where a run stands, whatever the test.
enum class RunPhase {
    waiting_for_start, // loaded or restarted: the next press starts the run
    running,           // the test's own phases
    finished,          // the run was handed over; the window shows its last state
    closed,            // the window closed, or was never loaded
};

class SwitchTrial : public SwitchClient {
public:
    ~SwitchTrial() override;
    SwitchTrial(const SwitchTrial&) = delete;
    SwitchTrial& operator=(const SwitchTrial&) = delete;

    // What the window does when it is created.
    void load();
    // Ctrl+R: back to waiting for the start press, from any phase. An
    // unfinished run is dropped.
    void restart();
    // Closing the window, from any phase. An unfinished run is dropped.
    void close();
    // A practice run goes the same way as a recorded one but is never handed
    // to the recorder. Changing between the two starts over, so a recorded run
    // never begins as practice and is never dropped as one.
    // Start Test or Practice on a window whose run has finished starts a new
    // run at the start notice.
    void set_practice(bool practice);
    bool practice() const { return m_practice; }
    // A recorded run has begun and not finished: leaving it loses readings
    // that would have counted, so the administrator is asked first. A
    // practice run is never asked about.
    bool unfinished_recorded_run() const { return m_phase == RunPhase::running && !m_practice; }
    // Whether Start Test (practice false) or Practice of a test, this one
    // (same_test) or another, would drop an unfinished recorded run here.
    bool start_drops_run(bool same_test, bool practice) const;

    void on_switch_event(const SwitchEvent& event) final;

    RunPhase run_phase() const { return m_phase; }
    // The start press has been taken (the run is running or finished).
    bool test_started() const {
        return m_phase == RunPhase::running || m_phase == RunPhase::finished;
    }
    // True while a 1 ms resolution request is open.
    bool measuring() const { return m_measuring; }

protected:
    SwitchTrial(TrialServices services, TrialView& view, TestKind test);

    // The test's own part of loading: reading its settings, drawing delays.
    virtual void load_test() = 0;
    // The test's own part of leaving a run: cues hidden, timers stopped,
    // counters cleared.
    virtual void reset_test() = 0;
    // A new run starts at this start press: its first delay begins.
    virtual void begin_run(const LocalTime& start_time, ClockReading start_tick) = 0;
    // A switch event while the run is running.
    virtual void switch_event_while_running(const SwitchEvent& event) = 0;

    bool running() const { return m_phase == RunPhase::running; }
    // One of the test's timers, made by `make_timer` with its name; its ticks
    // reach `on_tick` only while the run is running.
    std::unique_ptr<OneShotTimer> make_run_timer(const NamedTimerFactory& make_timer,
                                                 const QString& name,
                                                 std::function<void()> on_tick);
    void begin_measurement();
    void end_measurement();

    // The last trial is done: the run goes to the recorder in one step (unless
    // it is practice), then the view shows the summary.
    template <class Run> void complete_run(Run run, const QString& summary) {
        move_to(RunPhase::finished);
        if (!m_practice) {
            run.origins = m_origins;
            hand_over(run);
            m_view.show_summary(summary);
            return;
        }
        // Read aloud or at a glance, a practice summary is never taken for
        // a kept result.
        m_view.show_summary(QStringLiteral("Practice run, not kept: ") + summary);
    }

    // A run of ten timed trials is done: it goes to the recorder, and the
    // view shows its average, fastest and slowest response time.
    void complete_timed_run(const TimedRun& run) {
        complete_run(run, trial_summary_message(run.readings));
    }
    // A timed trial's response, the switch event being handled, against the
    // onset of trial `trial`'s stimulus: both go into the run, and the
    // resolution request taken for the trial is given back.
    void take_timed_response(TimedRun& run, ReadingEvent event, int trial);

    // The reading of the switch event being handled: the input system's
    // stamp on it when that is plausible, else the clock read now.
    TimedReading read_switch_event();
    // Shows the stimulus's frame and asks the display system when it was
    // shown: trial `trial`'s onset. The answer may come later, from the event
    // loop; it is logged when it comes. The cue's sound starts after this,
    // once the frame is in the display system's hands.
    void present_onset(int trial);
    // The onset of the frame presented last: the display system's time for it
    // when that is plausible, else the clock read right after handing it
    // over. Waits for an answer still outstanding.
    TimedReading onset_reading();

    // Hands a reading just taken to the reading log, and counts where it came from.
    void log_reading(ReadingEvent event, int trial, const TimedReading& reading);
    // Hands a delay just drawn to the reading log.
    void log_delay(int trial, std::int32_t delay_ms) {
        m_services.readings.record_delay(m_test, trial, delay_ms);
    }

    TrialServices m_services;
    TrialView& m_view;

private:
    // The one place the run's phase changes, with what each change does.
    void move_to(RunPhase next);
    void hand_over(const TimedRun& run) { m_services.recorder.commit(m_test, run); }
    void hand_over(const RepetitionRun& run) { m_services.recorder.commit(run); }
    void handle_switch_event(const SwitchEvent& event);
    void take_start_press();
    void take_onset(int generation, std::optional<FrameStamp> stamp);
    // A restart or a close forgets an onset still awaited.
    void drop_onset();

    TestKind m_test;
    // The onset being awaited, and the answer once it came.
    struct Onset {
        int trial = 0;
        ClockReading handed = 0;   // the clock just before the frame was handed over
        ClockReading delivery = 0; // and just after
        bool awaited = false;
        TimedReading reading;
    };
    Onset m_onset;
    ReadingOrigins m_origins; // of the run being taken
    // Counts the onsets asked for: an answer to an older one is not taken.
    int m_onset_generation = 0;
    // Answers that come after the trial is gone find it expired.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    RunPhase m_phase = RunPhase::closed;
    // The switch event being handled, while it is.
    const SwitchEvent* m_event = nullptr;
    bool m_measuring = false;
    bool m_practice = false;
};

} // namespace tavo
