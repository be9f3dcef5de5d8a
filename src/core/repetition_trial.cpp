#include "repetition_trial.h"

#include "duration_text.h"
#include "results.h"

namespace tavo {

namespace {
constexpr int repetition_max_delay = 3000;

QString clicks_caption(int count) {
    return QString::number(count) + QStringLiteral(" Clicks");
}
} // namespace

RepetitionTrial::RepetitionTrial(TrialServices services, TrialView& view,
                                 const NamedTimerFactory& make_timer)
    : SwitchTrial(services, view, TestKind::repetition)
    , m_timer(make_run_timer(make_timer, QStringLiteral("Repetition_Stimulus_Timer"),
                             [this] { step(Input::stimulus_timer); })) {}

void RepetitionTrial::step(Input input) {
    switch (m_phase) {
    case Phase::delay:
        if (input == Input::stimulus_timer) {
            m_phase = Phase::stimulus;
            show_stimulus();
        }
        return;
    case Phase::stimulus:
        // A switch held when the stimulus came is not counted when let go.
        if (input == Input::press) {
            m_phase = Phase::counting;
            take_first_press();
        }
        return;
    case Phase::counting:
        if (input == Input::press) {
            m_services.sounds.play(QStringLiteral("Start.wav"));
        } else if (input == Input::release) {
            take_release();
        }
        return;
    }
}

void RepetitionTrial::switch_event_while_running(const SwitchEvent& event) {
    step(event.edge == SwitchEdge::press ? Input::press : Input::release);
}

void RepetitionTrial::load_test() {
    m_timer->set_interval(draw_delay(m_services.random.next_fraction(), repetition_max_delay));
}

void RepetitionTrial::reset_test() {
    m_click_count = 0;
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
    m_timer->set_enabled(false);
}

void RepetitionTrial::begin_run(const LocalTime& start_time, ClockReading start_tick) {
    m_run = RepetitionRun{};
    m_run.readings.start_time = start_time;
    m_run.readings.start_tick = start_tick;
    m_phase = Phase::delay;
    m_timer->set_enabled(true);
}

void RepetitionTrial::show_stimulus() {
    m_timer->set_enabled(false);
    m_view.set_stimulus_visible(true);
    m_view.set_click_label_text(clicks_caption(m_click_count));
    m_view.set_click_label_visible(true);
    m_view.present_now();
    m_services.sounds.play(QStringLiteral("pop.wav"));
}

void RepetitionTrial::take_first_press() {
    begin_measurement();
    const TimedReading first_press = read_switch_event();
    m_run.readings.first_press = first_press.value;
    log_reading(ReadingEvent::first_press, 1, first_press);
    m_services.sounds.play(QStringLiteral("Start.wav"));
}

void RepetitionTrial::take_release() {
    // The reading comes first; the count and its caption follow.
    const TimedReading release = read_switch_event();
    const ClockReading released = release.value;
    ++m_click_count;
    log_reading(ReadingEvent::click, m_click_count, release);
    m_view.set_click_label_text(clicks_caption(m_click_count));
    m_run.readings.click_times[m_click_count - 1] = released;
    if (m_click_count < repetition_clicks) {
        return;
    }
    end_measurement();
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
    const std::int64_t test_time = reading_difference(
        m_run.readings.click_times[repetition_clicks - 1], m_run.readings.first_press);
    complete_run(m_run, QStringLiteral("Test Time: ") + format_duration_text(test_time));
}

} // namespace tavo
