// The repetition test: after one stimulus the subject operates the switch five
// times as fast as possible; the time runs from the first press on the
// stimulus to the fifth release.
#pragma once

#include "switch_trial.h"

namespace tavo {

class RepetitionTrial final : public SwitchTrial {
public:
    RepetitionTrial(TrialServices services, TrialView& view, OneShotTimer& stimulus_timer);

    void on_switch_event(const SwitchEvent& event) override;
    void Repetition_Stimulus_Timer_tick();

    int click_count() const { return m_click_count; }
    int next_delay() const { return m_next_delay; }

private:
    void load_test() override;
    void reset_test() override;
    void begin_first_delay() override;
    void take_release();

    OneShotTimer& m_timer;
    int m_next_delay = 0;
    int m_click_count = 0;
    bool m_first_press_seen = false;
    bool m_stimulus_shown = false;
};

} // namespace tavo
