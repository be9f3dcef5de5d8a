#include "activation_trial.h"

#include "results.h"
#include "time_stuff.h"

namespace tavo {

QString trial_summary_message(const std::array<ClockReading, trials_per_test>& onsets,
                              const std::array<ClockReading, trials_per_test>& responses) {
    const TrialSummary summary = summarise_trials(onsets, responses);
    return QStringLiteral("Average Response Time: ") + format_duration_text(summary.average) +
           QStringLiteral("   Fastest = ") + format_duration_text(summary.fastest) +
           QStringLiteral("    Slowest = ") + format_duration_text(summary.slowest);
}

ActivationTrial::ActivationTrial(TrialServices services, TrialView& view,
                                 OneShotTimer& stimulus_timer)
    : SwitchTrial(services, view,
                  {&services.assessment.data.act_start_time,
                   &services.assessment.data.act_start_tick, ReadingTest::activation})
    , m_timer(stimulus_timer) {
    m_timer.set_callback([this] { Stimulus_Timer_tick(); });
}

void ActivationTrial::load_test() {
    m_max_delay = m_services.assessment.settings.act_max_delay;
    m_trial_count = 0;
    draw_next_delay();
}

void ActivationTrial::reset_test() {
    m_trial_count = 0;
    m_stimulus_shown = false;
    // A switch held across a restart must not start a delay when it is let go.
    m_switch_down = false;
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
    m_timer.set_enabled(false);
}

void ActivationTrial::draw_next_delay() {
    m_next_delay = draw_delay(m_services.random.next_fraction(), m_max_delay);
    m_timer.set_interval(m_next_delay);
}

void ActivationTrial::begin_first_delay() {
    m_timer.set_enabled(true);
    log_reading(ReadingEvent::delay, 1, m_next_delay);
}

void ActivationTrial::Stimulus_Timer_tick() {
    m_timer.set_enabled(false);
    draw_next_delay();
    ++m_trial_count;
    begin_measurement();
    m_stimulus_shown = true;
    m_view.set_stimulus_visible(true);
    m_view.set_click_label_visible(true);
    m_view.present_now();
    m_services.sounds.play(QStringLiteral("pop.wav"));
    m_stim_time = m_services.clock.now();
    log_reading(ReadingEvent::onset, m_trial_count, m_stim_time);
}

void ActivationTrial::on_switch_event(const SwitchEvent& event) {
    if (m_stimulus_shown && event.edge == SwitchEdge::press) {
        take_response();
    }
    if (event.edge == SwitchEdge::release && m_switch_down) {
        take_release();
    }
    start_check(event.edge);
}

void ActivationTrial::take_response() {
    m_click_time = m_services.clock.now();
    log_reading(ReadingEvent::response, m_trial_count, m_click_time);
    end_measurement();
    m_services.sounds.play(QStringLiteral("Start.wav"));
    m_stimulus_shown = false;
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
    m_switch_down = true;
    TestData& data = m_services.assessment.data;
    data.act_stim_times[m_trial_count - 1] = m_stim_time;
    data.act_click_times[m_trial_count - 1] = m_click_time;
}

void ActivationTrial::take_release() {
    m_switch_down = false;
    if (m_trial_count < trials_per_test) {
        m_timer.set_enabled(true);
        log_reading(ReadingEvent::delay, m_trial_count + 1, m_next_delay);
        return;
    }
    m_timer.set_enabled(false);
    const TestData& data = m_services.assessment.data;
    finish_test(trial_summary_message(data.act_stim_times, data.act_click_times));
}

} // namespace tavo
