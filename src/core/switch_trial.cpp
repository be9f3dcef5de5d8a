#include "switch_trial.h"

#include "duration_text.h"
#include "results.h"

#include <cmath>

namespace tavo {

int draw_delay(float fraction, int upper) {
    // Single precision, as the delays have always been drawn.
    const float span = static_cast<float>(upper - min_delay_ms);
    return static_cast<int>(std::floor(fraction * span)) + min_delay_ms;
}

QString trial_summary_message(const TimedTestData& readings) {
    const TrialSummary summary = summarise_trials(readings.onsets, readings.responses);
    return QStringLiteral("Average Response Time: ") + format_duration_text(summary.average) +
           QStringLiteral("   Fastest = ") + format_duration_text(summary.fastest) +
           QStringLiteral("    Slowest = ") + format_duration_text(summary.slowest);
}

SwitchTrial::SwitchTrial(TrialServices services, TrialView& view, TestKind test)
    : m_services(services)
    , m_view(view)
    , m_test(test) {}

std::unique_ptr<OneShotTimer> SwitchTrial::make_run_timer(const NamedTimerFactory& make_timer,
                                                          const QString& name,
                                                          std::function<void()> on_tick) {
    std::unique_ptr<OneShotTimer> timer = make_timer(name);
    // A tick already queued when the run stopped finds nothing to do.
    timer->set_callback([this, on_tick = std::move(on_tick)] {
        if (running()) {
            on_tick();
        }
    });
    return timer;
}

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
    const bool changed = practice != m_practice;
    m_practice = practice;
    // A finished run leaves nothing to carry on with: the window starts a
    // new run at its start notice instead of staying blank.
    if (m_phase != RunPhase::closed && (changed || m_phase == RunPhase::finished)) {
        restart();
    }
}

bool SwitchTrial::start_drops_run(bool same_test, bool practice) const {
    if (!unfinished_recorded_run()) {
        return false;
    }
    // Start Test on the test under way carries it on; anything else ends it.
    return !same_test || practice;
}

void SwitchTrial::on_switch_event(const SwitchEvent& event) {
    m_event = &event;
    handle_switch_event(event);
    m_event = nullptr;
}

void SwitchTrial::handle_switch_event(const SwitchEvent& event) {
    switch (m_phase) {
    case RunPhase::waiting_for_start:
        if (event.edge == SwitchEdge::press) {
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
        drop_onset();
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
        drop_onset();
        m_services.switch_input.remove(*this);
        end_measurement();
        reset_test();
        m_view.set_click_to_start_visible(true);
        m_phase = next;
        return;
    }
}

void SwitchTrial::log_reading(ReadingEvent event, int trial, const TimedReading& reading) {
    const bool delivered = reading.source == ReadingSource::delivery;
    if (event == ReadingEvent::onset) {
        ++(delivered ? m_origins.onsets_on_delivery : m_origins.onsets_from_frame);
    } else {
        ++(delivered ? m_origins.presses_on_delivery : m_origins.presses_from_input);
    }
    m_services.readings.record(m_test, event, trial, reading);
}

void SwitchTrial::take_start_press() {
    m_origins = {};
    const LocalTime start_time = m_services.clock.local_time();
    m_services.clock.begin_period();
    const TimedReading start_tick = read_switch_event();
    log_reading(ReadingEvent::start, 0, start_tick);
    m_services.clock.end_period();
    m_view.set_click_to_start_visible(false);
    begin_run(start_time, start_tick.value);
}

void SwitchTrial::take_timed_response(TimedRun& run, ReadingEvent event, int trial) {
    const TimedReading response = read_switch_event();
    const ClockReading onset = onset_reading().value;
    log_reading(event, trial, response);
    end_measurement();
    const auto index = static_cast<std::size_t>(trial - 1);
    run.readings.onsets.at(index) = onset;
    run.readings.responses.at(index) = response.value;
}

TimedReading SwitchTrial::read_switch_event() {
    const std::optional<ClockReading> stamp = m_event ? m_event->input_stamp : std::nullopt;
    return checked_reading(stamp, ReadingSource::input_system, m_services.clock.now());
}

void SwitchTrial::present_onset(int trial) {
    const ClockReading handed = m_services.clock.now();
    m_view.present_now();
    m_onset = Onset{trial, handed, m_services.clock.now(), true, {}};
    const int generation = ++m_onset_generation;
    const std::weak_ptr<int> alive = m_alive;
    m_services.display.await_frame([this, alive, generation](std::optional<FrameStamp> stamp) {
        if (!alive.expired()) {
            take_onset(generation, stamp);
        }
    });
}

void SwitchTrial::take_onset(int generation, std::optional<FrameStamp> stamp) {
    if (generation != m_onset_generation || !m_onset.awaited) {
        return; // a restart dropped it, or another frame followed
    }
    m_onset.awaited = false;
    m_onset.reading =
        frame_reading(stamp, m_onset.handed, m_onset.delivery, m_services.clock.now());
    log_reading(ReadingEvent::onset, m_onset.trial, m_onset.reading);
}

TimedReading SwitchTrial::onset_reading() {
    if (m_onset.awaited) {
        m_services.display.settle();
    }
    if (m_onset.awaited) {
        // The display system never answered: the reading after handing it over.
        take_onset(m_onset_generation, std::nullopt);
    }
    return m_onset.reading;
}

void SwitchTrial::drop_onset() {
    m_onset.awaited = false;
    ++m_onset_generation;
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
