#include "repetition_trial.h"

#include "results.h"
#include "time_stuff.h"

namespace tavo {

namespace {
constexpr int repetition_max_delay = 3000;

QString clicks_caption(int count) {
    return QString::number(count) + QStringLiteral(" Clicks");
}
} // namespace

RepetitionTrial::RepetitionTrial(TrialServices services, TrialView& view,
                                 OneShotTimer& stimulus_timer)
    : SwitchTrial(services, view,
                  {&services.assessment.data.rep_start_time,
                   &services.assessment.data.rep_start_tick, ReadingTest::repetition})
    , m_timer(stimulus_timer) {
    m_timer.set_callback([this] { Repetition_Stimulus_Timer_tick(); });
}

void RepetitionTrial::load_test() {
    m_next_delay = draw_delay(m_services.random.next_fraction(), repetition_max_delay);
    m_timer.set_interval(m_next_delay);
}

void RepetitionTrial::reset_test() {
    m_click_count = 0;
    m_first_press_seen = false;
    m_stimulus_shown = false;
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
    m_timer.set_enabled(false);
}

void RepetitionTrial::begin_first_delay() {
    m_timer.set_enabled(true);
}

void RepetitionTrial::Repetition_Stimulus_Timer_tick() {
    m_timer.set_enabled(false);
    m_stimulus_shown = true;
    m_view.set_stimulus_visible(true);
    m_view.set_click_label_text(clicks_caption(m_click_count));
    m_view.set_click_label_visible(true);
    m_view.present_now();
    m_services.sounds.play(QStringLiteral("pop.wav"));
}

void RepetitionTrial::on_switch_event(const SwitchEvent& event) {
    if (m_stimulus_shown && event.edge == SwitchEdge::press) {
        if (!m_first_press_seen) {
            begin_measurement();
            m_services.assessment.data.rep_first_press = m_services.clock.now();
            log_reading(ReadingEvent::first_press, 1, m_services.assessment.data.rep_first_press);
            m_first_press_seen = true;
        }
        m_services.sounds.play(QStringLiteral("Start.wav"));
    }
    if (event.edge == SwitchEdge::release && m_first_press_seen) {
        take_release();
        return; // a counted release is never a start press
    }
    start_check(event.edge);
}

void RepetitionTrial::take_release() {
    // The reading comes first; the count and its caption follow.
    const ClockReading released = m_services.clock.now();
    ++m_click_count;
    log_reading(ReadingEvent::click, m_click_count, released);
    m_view.set_click_label_text(clicks_caption(m_click_count));
    TestData& data = m_services.assessment.data;
    data.rep_click_times[m_click_count - 1] = released;
    if (m_click_count < repetition_clicks) {
        return;
    }
    end_measurement();
    m_stimulus_shown = false;
    m_view.set_stimulus_visible(false);
    m_view.set_click_label_visible(false);
    const std::int32_t test_time =
        reading_difference(data.rep_click_times[repetition_clicks - 1], data.rep_first_press);
    finish_test(QStringLiteral("Test Time: ") + format_duration_text(test_time));
}

} // namespace tavo
