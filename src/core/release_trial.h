// The release test: after a random wait a HOLD cue appears; the subject
// presses and holds; after a random hold duration a RELEASE cue appears and
// the subject lets go as fast as possible. Letting go before the RELEASE cue
// is an error: the buzzer sounds, an "X" appears and the trial is repeated.
#pragma once

#include "switch_trial.h"

namespace tavo {

class ReleaseTrial final : public SwitchTrial {
public:
    ReleaseTrial(TrialServices services, TrialView& view, OneShotTimer& hold_timer,
                 OneShotTimer& release_timer);

    void on_switch_event(const SwitchEvent& event) override;
    void Hold_Timer_tick();
    void Release_Timer_tick();

    int trial_count() const { return m_trial_count; }
    bool holding() const { return m_holding; }

private:
    void load_test() override;
    void reset_test() override;
    void begin_first_delay() override;
    void draw_hold_wait();
    void draw_hold_duration();
    void hide_cues();
    void take_hold();
    void take_timed_release();
    void take_early_release();

    OneShotTimer& m_hold_timer;
    OneShotTimer& m_release_timer;
    int m_max_hold = 0;
    int m_trial_count = 0;
    ClockReading m_stim_time = 0;
    ClockReading m_release_time = 0;
    bool m_holding = false;
    bool m_hold_cue_shown = false;
    bool m_release_cue_shown = false;
};

} // namespace tavo
