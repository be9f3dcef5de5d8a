#include "release_trial.h"

#include "activation_trial.h"

namespace tavo {

namespace {
constexpr int hold_wait_max = 2000;
const QString hold_caption = QStringLiteral("HOLD");
} // namespace

ReleaseTrial::ReleaseTrial(TrialServices services, TrialView& view, OneShotTimer& hold_timer,
                           OneShotTimer& release_timer)
    : SwitchTrial(services, view,
                  {&services.assessment.data.rel_start_time,
                   &services.assessment.data.rel_start_tick, ReadingTest::release})
    , m_hold_timer(hold_timer)
    , m_release_timer(release_timer) {
    m_hold_timer.set_callback([this] { Hold_Timer_tick(); });
    m_release_timer.set_callback([this] { Release_Timer_tick(); });
}

void ReleaseTrial::load_test() {
    m_max_hold = m_services.assessment.settings.rel_hold_time;
    m_trial_count = 0;
    draw_hold_wait();
    draw_hold_duration();
}

void ReleaseTrial::reset_test() {
    m_trial_count = 0;
    // A switch held across a restart starts nothing when it is let go.
    m_holding = false;
    hide_cues();
    m_view.set_error_visible(false);
    m_hold_timer.set_enabled(false);
    m_release_timer.set_enabled(false);
}

void ReleaseTrial::draw_hold_wait() {
    m_hold_timer.set_interval(draw_delay(m_services.random.next_fraction(), hold_wait_max));
}

void ReleaseTrial::draw_hold_duration() {
    m_release_timer.set_interval(draw_delay(m_services.random.next_fraction(), m_max_hold));
}

void ReleaseTrial::hide_cues() {
    m_release_cue_shown = false;
    m_hold_cue_shown = false;
    m_view.set_release_cue_visible(false);
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
}

void ReleaseTrial::begin_first_delay() {
    m_hold_timer.set_enabled(true);
}

void ReleaseTrial::Hold_Timer_tick() {
    m_hold_timer.set_enabled(false);
    m_view.set_error_visible(false);
    draw_hold_wait();
    m_hold_cue_shown = true;
    m_view.set_click_label_text(hold_caption);
    m_view.set_stimulus_visible(true);
    m_view.set_click_label_visible(true);
    m_services.sounds.play(QStringLiteral("pop.wav"));
}

void ReleaseTrial::Release_Timer_tick() {
    m_release_timer.set_enabled(false);
    draw_hold_duration();
    ++m_trial_count;
    begin_measurement();
    m_release_cue_shown = true;
    m_view.set_release_cue_visible(true);
    m_view.present_now();
    m_services.sounds.play(QStringLiteral("Laser.wav"));
    m_stim_time = m_services.clock.now();
    log_reading(ReadingEvent::onset, m_trial_count, m_stim_time);
}

void ReleaseTrial::on_switch_event(const SwitchEvent& event) {
    const SwitchEdge edge = event.edge;
    if (!m_holding && edge == SwitchEdge::press && m_hold_cue_shown) {
        take_hold();
    } else if (m_release_cue_shown && m_holding && edge == SwitchEdge::release) {
        take_timed_release();
    } else {
        if (m_holding && !m_release_cue_shown && edge == SwitchEdge::release) {
            take_early_release();
        }
        start_check(edge);
    }
}

void ReleaseTrial::take_hold() {
    m_services.sounds.play(QStringLiteral("Start.wav"));
    m_view.set_click_label_text(QStringLiteral("HOLDING ..."));
    m_holding = true;
    m_release_timer.set_enabled(true);
}

void ReleaseTrial::take_timed_release() {
    m_release_time = m_services.clock.now();
    log_reading(ReadingEvent::release, m_trial_count, m_release_time);
    end_measurement();
    m_view.set_click_label_text(hold_caption);
    hide_cues();
    m_holding = false;
    TestData& data = m_services.assessment.data;
    data.rel_stim_times[m_trial_count - 1] = m_stim_time;
    data.rel_release_times[m_trial_count - 1] = m_release_time;
    m_hold_timer.set_enabled(true);
    if (m_trial_count >= trials_per_test) {
        m_hold_timer.set_enabled(false);
        finish_test(trial_summary_message(data.rel_stim_times, data.rel_release_times));
    }
}

void ReleaseTrial::take_early_release() {
    // The same hold duration waits for the repeated trial: the release timer
    // keeps the interval it had.
    m_hold_timer.set_enabled(true);
    m_release_timer.set_enabled(false);
    m_holding = false;
    m_services.sounds.play(QStringLiteral("buzzer.wav"));
    m_view.set_click_label_text(hold_caption);
    m_view.set_error_visible(true);
    hide_cues();
}

} // namespace tavo
