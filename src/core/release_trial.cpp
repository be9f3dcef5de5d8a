#include "release_trial.h"

namespace tavo {

namespace {
constexpr int hold_wait_max = 2000;
const QString hold_caption = QStringLiteral("HOLD");
} // namespace

ReleaseTrial::ReleaseTrial(TrialServices services, TrialView& view,
                           const NamedTimerFactory& make_timer)
    : SwitchTrial(services, view, TestKind::release)
    , m_hold_timer(make_run_timer(make_timer, QStringLiteral("Hold_Timer"),
                                  [this] { step(Input::hold_timer); }))
    , m_release_timer(make_run_timer(make_timer, QStringLiteral("Release_Timer"),
                                     [this] { step(Input::release_timer); })) {}

void ReleaseTrial::step(Input input) {
    switch (m_phase) {
    case Phase::hold_wait:
        if (input == Input::hold_timer) {
            m_phase = Phase::hold_cue;
            show_hold_cue();
        }
        return;
    case Phase::hold_cue:
        // A switch already down when the cue came must be let go and pressed again.
        if (input == Input::press) {
            m_phase = Phase::holding;
            take_hold();
        }
        return;
    case Phase::holding:
        if (input == Input::release_timer) {
            m_phase = Phase::release_cue;
            show_release_cue();
        } else if (input == Input::release) {
            m_phase = Phase::hold_wait;
            take_early_release();
        }
        return;
    case Phase::release_cue:
        if (input == Input::release) {
            m_phase = Phase::hold_wait;
            take_timed_release();
        }
        return;
    }
}

void ReleaseTrial::switch_event_while_running(const SwitchEvent& event) {
    step(event.edge == SwitchEdge::press ? Input::press : Input::release);
}

void ReleaseTrial::load_test() {
    m_max_hold = m_services.settings.max_hold_ms;
    m_trial_count = 0;
    draw_hold_wait();
    draw_hold_duration();
}

void ReleaseTrial::reset_test() {
    // The error mark stays until the next HOLD cue, across a restart too.
    m_trial_count = 0;
    hide_cues();
    m_hold_timer->set_enabled(false);
    m_release_timer->set_enabled(false);
}

void ReleaseTrial::draw_hold_wait() {
    m_hold_timer->set_interval(draw_delay(m_services.random.next_fraction(), hold_wait_max));
}

void ReleaseTrial::draw_hold_duration() {
    m_release_timer->set_interval(draw_delay(m_services.random.next_fraction(), m_max_hold));
}

void ReleaseTrial::hide_cues() {
    m_view.set_release_cue_visible(false);
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
}

void ReleaseTrial::begin_run(const LocalTime& start_time, ClockReading start_tick) {
    m_run = TimedRun{};
    m_run.readings.start_time = start_time;
    m_run.readings.start_tick = start_tick;
    m_phase = Phase::hold_wait;
    m_hold_timer->set_enabled(true);
}

void ReleaseTrial::show_hold_cue() {
    m_hold_timer->set_enabled(false);
    m_view.set_error_visible(false);
    draw_hold_wait();
    m_view.set_click_label_text(hold_caption);
    m_view.set_stimulus_visible(true);
    m_view.set_click_label_visible(true);
    m_services.sounds.play(QStringLiteral("pop.wav"));
}

void ReleaseTrial::take_hold() {
    m_services.sounds.play(QStringLiteral("Start.wav"));
    m_view.set_click_label_text(QStringLiteral("HOLDING ..."));
    m_release_timer->set_enabled(true);
}

void ReleaseTrial::show_release_cue() {
    m_release_timer->set_enabled(false);
    draw_hold_duration();
    ++m_trial_count;
    begin_measurement();
    m_view.set_release_cue_visible(true);
    present_onset(m_trial_count);
    m_services.sounds.play(QStringLiteral("Laser.wav"));
}

void ReleaseTrial::take_timed_release() {
    take_timed_response(m_run, ReadingEvent::release, m_trial_count);
    m_view.set_click_label_text(hold_caption);
    hide_cues();
    if (m_trial_count < trials_per_test) {
        m_hold_timer->set_enabled(true);
        return;
    }
    // No HOLD cue follows the tenth trial.
    m_hold_timer->set_enabled(false);
    complete_timed_run(m_run);
}

void ReleaseTrial::take_early_release() {
    // The same hold duration waits for the repeated trial: the release timer
    // keeps the interval it had.
    ++m_run.early_responses;
    m_hold_timer->set_enabled(true);
    m_release_timer->set_enabled(false);
    m_services.sounds.play(QStringLiteral("buzzer.wav"));
    m_view.set_click_label_text(hold_caption);
    m_view.set_error_visible(true);
    hide_cues();
}

} // namespace tavo
