// The release test: after a random wait a HOLD cue appears; the subject
// presses and holds; after a random hold duration a RELEASE cue appears and
// the subject lets go as fast as possible. Letting go before the RELEASE cue
// is an error: the buzzer sounds, an "X" appears and the trial is repeated.
#pragma once

#include "switch_trial.h"

namespace tavo {

class ReleaseTrial final : public SwitchTrial {
public:
    // The test's phases while its run is running.
    enum class Phase {
        hold_wait,   // the hold timer counts (the "X" may still show)
        hold_cue,    // the HOLD cue waits for a new press
        holding,     // pressed on the cue; the release timer counts
        release_cue, // the RELEASE cue is shown and its release is being timed
    };

    // Makes its "Hold_Timer" and "Release_Timer" with `make_timer`.
    ReleaseTrial(TrialServices services, TrialView& view, const NamedTimerFactory& make_timer);

    Phase phase() const { return m_phase; }
    int trial_count() const { return m_trial_count; }
    // The switch went down on the HOLD cue and has not been let go.
    bool holding() const {
        return running() && (m_phase == Phase::holding || m_phase == Phase::release_cue);
    }
    // The run collected so far; it reaches the recorder when it completes.
    const TimedRun& run() const { return m_run; }

private:
    enum class Input { press, release, hold_timer, release_timer };

    // The one place the phase changes, with what each change does.
    void step(Input input);

    void load_test() override;
    void reset_test() override;
    void begin_run(const LocalTime& start_time, ClockReading start_tick) override;
    void switch_event_while_running(const SwitchEvent& event) override;
    void draw_hold_wait();
    void draw_hold_duration();
    void hide_cues();
    void show_hold_cue();
    void take_hold();
    void show_release_cue();
    void take_timed_release();
    void take_early_release();

    std::unique_ptr<OneShotTimer> m_hold_timer;
    std::unique_ptr<OneShotTimer> m_release_timer;
    Phase m_phase = Phase::hold_wait;
    TimedRun m_run;
    int m_max_hold = 0;
    int m_trial_count = 0;
};

} // namespace tavo
