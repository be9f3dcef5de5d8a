// The activation test: ten times a stimulus appears after a random delay and
// the subject presses the switch as fast as possible. The press's reading and
// the stimulus's onset belong to the trial; the release starts the next delay.
#pragma once

#include "switch_trial.h"

namespace tavo {

class ActivationTrial final : public SwitchTrial {
public:
    // The test's phases while its run is running.
    enum class Phase {
        delay,       // the stimulus timer counts; a press now is an anticipation
        stimulus,    // the stimulus is shown and its response is being timed
        switch_down, // answered; the release starts the next delay
    };

    // Makes its "Stimulus_Timer" with `make_timer`.
    ActivationTrial(TrialServices services, TrialView& view, const NamedTimerFactory& make_timer);

    Phase phase() const { return m_phase; }
    int trial_count() const { return m_trial_count; }
    // The run collected so far; it reaches the recorder when it completes.
    const TimedRun& run() const { return m_run; }

private:
    enum class Input { press, release, stimulus_timer };

    // The one place the phase changes, with what each change does.
    void step(Input input);

    void load_test() override;
    void reset_test() override;
    void begin_run(const LocalTime& start_time, ClockReading start_tick) override;
    void switch_event_while_running(const SwitchEvent& event) override;
    void draw_next_delay();
    void begin_delay();
    void show_stimulus();
    void take_response();
    void take_release();

    std::unique_ptr<OneShotTimer> m_timer;
    Phase m_phase = Phase::delay;
    TimedRun m_run;
    int m_max_delay = 0;
    int m_next_delay = 0;
    int m_trial_count = 0;
};

} // namespace tavo
