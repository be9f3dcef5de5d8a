// The activation test: ten times a stimulus appears after a random delay and
// the subject presses the switch as fast as possible. The press's reading and
// the stimulus's onset are stored together when the press comes; the release
// starts the next delay.
#pragma once

#include "switch_trial.h"

namespace tavo {

// The summary message of the activation and release tests.
QString trial_summary_message(const std::array<ClockReading, trials_per_test>& onsets,
                              const std::array<ClockReading, trials_per_test>& responses);

class ActivationTrial final : public SwitchTrial {
public:
    ActivationTrial(TrialServices services, TrialView& view, OneShotTimer& stimulus_timer);

    void on_switch_event(const SwitchEvent& event) override;
    void Stimulus_Timer_tick();

    int trial_count() const { return m_trial_count; }
    int next_delay() const { return m_next_delay; }
    bool stimulus_shown() const { return m_stimulus_shown; }

private:
    void load_test() override;
    void reset_test() override;
    void begin_first_delay() override;
    void draw_next_delay();
    void take_response();
    void take_release();

    OneShotTimer& m_timer;
    int m_max_delay = 0;
    int m_next_delay = 0;
    int m_trial_count = 0;
    ClockReading m_stim_time = 0;
    ClockReading m_click_time = 0;
    bool m_switch_down = false;
    bool m_stimulus_shown = false;
};

} // namespace tavo
