// The repetition test: after one stimulus the subject operates the switch five
// times as fast as possible; the time runs from the first press on the
// stimulus to the fifth release.
#pragma once

#include "switch_trial.h"

namespace tavo {

class RepetitionTrial final : public SwitchTrial {
public:
    // The test's phases while its run is running.
    enum class Phase {
        delay,    // the stimulus timer counts
        stimulus, // shown, waiting for the first press; releases do not count yet
        counting, // timed from the first press; each release counts
    };

    // Makes its "Repetition_Stimulus_Timer" with `make_timer`.
    RepetitionTrial(TrialServices services, TrialView& view, const NamedTimerFactory& make_timer);

    Phase phase() const { return m_phase; }
    int click_count() const { return m_click_count; }
    // The run collected so far; it reaches the recorder when it completes.
    const RepetitionRun& run() const { return m_run; }

private:
    enum class Input { press, release, stimulus_timer };

    // The one place the phase changes, with what each change does.
    void step(Input input);

    void load_test() override;
    void reset_test() override;
    void begin_run(const LocalTime& start_time, ClockReading start_tick) override;
    void switch_event_while_running(const SwitchEvent& event) override;
    void show_stimulus();
    void take_first_press();
    void take_release();

    std::unique_ptr<OneShotTimer> m_timer;
    Phase m_phase = Phase::delay;
    RepetitionRun m_run;
    int m_click_count = 0;
};

} // namespace tavo
