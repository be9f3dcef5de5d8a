#include "switch_trial.h"

#include <cmath>

namespace tavo {

int draw_delay(float fraction, int upper) {
    // Single precision, as the delays have always been drawn.
    const float span = static_cast<float>(upper - 1000);
    return static_cast<int>(std::floor(fraction * span)) + min_delay_ms;
}

SwitchTrial::SwitchTrial(TrialServices services, TrialView& view, ReadingTest test)
    : m_services(services)
    , m_view(view)
    , m_test(test) {}

SwitchTrial::~SwitchTrial() {
    end_measurement();
    m_services.switch_input.remove(*this);
}

void SwitchTrial::load() {
    move_to(RunPhase::waiting_for_start);
}

void SwitchTrial::restart() {
    move_to(RunPhase::waiting_for_start);
}

void SwitchTrial::close() {
    move_to(RunPhase::closed);
}

void SwitchTrial::set_practice(bool practice) {
    if (practice == m_practice) {
        return;
    }
    m_practice = practice;
    if (m_phase != RunPhase::closed) {
        restart();
    }
}

void SwitchTrial::on_switch_event(const SwitchEvent& event) {
    m_event = &event;
    handle_switch_event(event);
    m_event = nullptr;
}

void SwitchTrial::handle_switch_event(const SwitchEvent& event) {
    switch (m_phase) {
    case RunPhase::waiting_for_start:
        if (event.edge == SwitchEdge::press ||
            (event.edge == SwitchEdge::double_click_press && double_click_is_press())) {
            move_to(RunPhase::running);
        }
        return;
    case RunPhase::running:
        switch_event_while_running(event);
        return;
    case RunPhase::finished:
    case RunPhase::closed:
        return; // not installed; nothing listens
    }
}

void SwitchTrial::move_to(RunPhase next) {
    switch (next) {
    case RunPhase::waiting_for_start:
        // A restart while a response is being timed gives its resolution
        // request back; installing again is harmless.
        end_measurement();
        reset_test();
        m_view.set_click_to_start_visible(true);
        m_services.switch_input.install(*this);
        m_phase = next;
        m_services.random.seed_from_clock();
        load_test();
        return;
    case RunPhase::running:
        m_phase = next;
        take_start_press();
        return;
    case RunPhase::finished:
        m_services.switch_input.remove(*this);
        m_phase = next;
        return;
    case RunPhase::closed:
        m_services.switch_input.remove(*this);
        end_measurement();
        reset_test();
        m_view.set_click_to_start_visible(true);
        m_phase = next;
        return;
    }
}

void SwitchTrial::take_start_press() {
    const LocalTime start_time = m_services.clock.local_time();
    m_services.clock.begin_period();
    const TimedReading start_tick = read_switch_event();
    log_reading(ReadingEvent::start, 0, start_tick);
    m_services.clock.end_period();
    m_view.set_click_to_start_visible(false);
    begin_run(start_time, start_tick.value);
}

TimedReading SwitchTrial::read_switch_event() {
    const std::optional<ClockReading> stamp = m_event ? m_event->input_stamp : std::nullopt;
    return checked_reading(stamp, ReadingSource::input_system, m_services.clock.now());
}

TimedReading SwitchTrial::read_onset() {
    const std::optional<ClockReading> stamp = m_services.display.frame_processed();
    return checked_reading(stamp, ReadingSource::display_server, m_services.clock.now());
}

void SwitchTrial::begin_measurement() {
    if (!m_measuring) {
        m_measuring = true;
        m_services.clock.begin_period();
    }
}

void SwitchTrial::end_measurement() {
    if (m_measuring) {
        m_measuring = false;
        m_services.clock.end_period();
    }
}

} // namespace tavo
