// The mechanism the three tests share: the switch input that delivers the
// switch's presses and releases, the start press that stamps the test's time base,
// the random delays, the clock's resolution requests, restart and closing.
// Each test adds its trials on top.
#pragma once

#include "assessment.h"
#include "clock.h"
#include "one_shot_timer.h"
#include "random_source.h"
#include "reading_log.h"
#include "sound_player.h"
#include "switch_input.h"
#include "trial_view.h"

namespace tavo {

// The services a test uses, all shared with the rest of the program.
struct TrialServices {
    Assessment& assessment;
    Clock& clock;
    SoundPlayer& sounds;
    RandomSource& random;
    SwitchInput& switch_input;
    ReadingLog& readings = no_reading_log();
};

// The records one test writes at its start press.
struct StartRecord {
    SystemTime* start_time;
    ClockReading* start_tick;
    ReadingTest test;
};

inline constexpr int min_delay_ms = 1000;

// A delay of whole milliseconds from 1000 up to, not including, upper
// (exactly 1000 when upper is 1000), from a fraction in [0, 1).
int draw_delay(float fraction, int upper);

class SwitchTrial : public SwitchClient {
public:
    ~SwitchTrial() override;
    SwitchTrial(const SwitchTrial&) = delete;
    SwitchTrial& operator=(const SwitchTrial&) = delete;

    // What the window does when it is created.
    void Form_Load();
    // Ctrl+R: back to waiting for the start press, from any state.
    void restart();
    // Closing the window, from any state.
    void close();

    bool test_started() const { return m_test_started; }
    // True while a 1 ms resolution request is open.
    bool measuring() const { return m_measuring; }

protected:
    SwitchTrial(TrialServices services, TrialView& view, StartRecord start);

    // The test's own part of the load, and of restart and closing.
    virtual void load_test() = 0;
    virtual void reset_test() = 0;

    // The start press: local time, the time base, then the first delay.
    bool start_check(SwitchEdge edge);
    virtual void begin_first_delay() = 0;

    void begin_measurement();
    void end_measurement();
    // The common tail of a completed test.
    void finish_test(const QString& summary);

    // Hands a reading just stored to the reading log.
    void log_reading(ReadingEvent event, int trial, std::int32_t value) {
        m_services.readings.record(m_start.test, event, trial, value);
    }

    TrialServices m_services;
    TrialView& m_view;

private:
    StartRecord m_start;
    bool m_test_started = false;
    bool m_measuring = false;
};

} // namespace tavo
