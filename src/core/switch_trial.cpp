#include "switch_trial.h"

#include <cmath>

namespace tavo {

int draw_delay(float fraction, int upper) {
    // Single precision, as the delays have always been drawn.
    const float span = static_cast<float>(upper - 1000);
    return static_cast<int>(std::floor(fraction * span)) + min_delay_ms;
}

SwitchTrial::SwitchTrial(TrialServices services, TrialView& view, StartRecord start)
    : m_services(services)
    , m_view(view)
    , m_start(start) {}

SwitchTrial::~SwitchTrial() {
    end_measurement();
    m_services.switch_input.remove(*this);
}

void SwitchTrial::Form_Load() {
    m_services.switch_input.install(*this);
    m_test_started = false;
    m_services.random.seed_from_clock();
    load_test();
}

void SwitchTrial::restart() {
    // A restart while a response is being timed gives its resolution request back.
    end_measurement();
    reset_test();
    m_view.set_click_to_start_visible(true);
    Form_Load();
}

void SwitchTrial::close() {
    m_services.switch_input.remove(*this);
    end_measurement();
    reset_test();
    m_test_started = false;
    m_view.set_click_to_start_visible(true);
}

bool SwitchTrial::start_check(SwitchEdge edge) {
    if (edge != SwitchEdge::press || m_test_started) {
        return false;
    }
    *m_start.start_time = m_services.clock.local_time();
    m_services.clock.begin_period();
    *m_start.start_tick = m_services.clock.now();
    log_reading(ReadingEvent::start, 0, *m_start.start_tick);
    m_services.clock.end_period();
    m_test_started = true;
    m_view.set_click_to_start_visible(false);
    begin_first_delay();
    return true;
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

void SwitchTrial::finish_test(const QString& summary) {
    m_services.switch_input.remove(*this);
    m_services.assessment.saving.data_saved = false;
    m_view.show_summary(summary);
    m_view.results_changed();
}

} // namespace tavo
