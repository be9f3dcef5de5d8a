#include "activation_trial.h"

namespace tavo {

ActivationTrial::ActivationTrial(TrialServices services, TrialView& view,
                                 const NamedTimerFactory& make_timer)
    : SwitchTrial(services, view, TestKind::activation)
    , m_timer(make_run_timer(make_timer, QStringLiteral("Stimulus_Timer"),
                             [this] { step(Input::stimulus_timer); })) {}

void ActivationTrial::step(Input input) {
    switch (m_phase) {
    case Phase::delay:
        if (input == Input::stimulus_timer) {
            m_phase = Phase::stimulus;
            show_stimulus();
        } else if (input == Input::press) {
            ++m_run.early_responses;
        }
        return;
    case Phase::stimulus:
        // A switch held across the onset answers nothing: only a new press does.
        if (input == Input::press) {
            m_phase = Phase::switch_down;
            take_response();
        }
        return;
    case Phase::switch_down:
        if (input == Input::release) {
            m_phase = Phase::delay;
            take_release();
        }
        return;
    }
}

void ActivationTrial::switch_event_while_running(const SwitchEvent& event) {
    step(event.edge == SwitchEdge::press ? Input::press : Input::release);
}

void ActivationTrial::load_test() {
    m_max_delay = m_services.settings.max_delay_ms;
    m_trial_count = 0;
    draw_next_delay();
}

void ActivationTrial::reset_test() {
    m_trial_count = 0;
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
    m_timer->set_enabled(false);
}

void ActivationTrial::draw_next_delay() {
    m_next_delay = draw_delay(m_services.random.next_fraction(), m_max_delay);
    m_timer->set_interval(m_next_delay);
}

void ActivationTrial::begin_run(const LocalTime& start_time, ClockReading start_tick) {
    m_run = TimedRun{};
    m_run.readings.start_time = start_time;
    m_run.readings.start_tick = start_tick;
    m_phase = Phase::delay;
    begin_delay();
}

void ActivationTrial::begin_delay() {
    m_timer->set_enabled(true);
    log_delay(m_trial_count + 1, m_next_delay);
}

void ActivationTrial::show_stimulus() {
    m_timer->set_enabled(false);
    draw_next_delay();
    ++m_trial_count;
    begin_measurement();
    m_view.set_stimulus_visible(true);
    m_view.set_click_label_visible(true);
    present_onset(m_trial_count);
    m_services.sounds.play(QStringLiteral("pop.wav"));
}

void ActivationTrial::take_response() {
    take_timed_response(m_run, ReadingEvent::response, m_trial_count);
    m_services.sounds.play(QStringLiteral("Start.wav"));
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
}

void ActivationTrial::take_release() {
    if (m_trial_count < trials_per_test) {
        begin_delay();
        return;
    }
    m_timer->set_enabled(false);
    complete_timed_run(m_run);
}

} // namespace tavo
