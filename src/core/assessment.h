// The values an assessment is made of: every raw clock reading of the three
// tests with their start times, the settings handed to the test windows, and
// whether and where it was saved. The assessment document owns one of each.
#pragma once

#include "clock.h"
#include "local_time.h"
#include "switch_keys.h"
#include "test_kind.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace tavo {

inline constexpr int trials_per_test = 10;
inline constexpr int repetition_clicks = 5;

// The readings of a test of ten timed trials, the activation or the release
// test: each stimulus's onset and the response to it (the press on the
// stimulus, the release on the RELEASE cue), with the start press's reading
// and its time of day, which give every reading its time of day.
struct TimedTestData {
    std::array<ClockReading, trials_per_test> onsets{};
    std::array<ClockReading, trials_per_test> responses{};
    ClockReading start_tick = 0;
    LocalTime start_time;

    friend bool operator==(const TimedTestData&, const TimedTestData&) = default;
};

// The repetition test's readings: the first press on the stimulus and the
// five counted releases, with the start press's reading and time of day.
struct RepetitionData {
    ClockReading first_press = 0;
    std::array<ClockReading, repetition_clicks> click_times{};
    ClockReading start_tick = 0;
    LocalTime start_time;

    friend bool operator==(const RepetitionData&, const RepetitionData&) = default;
};

struct TestData {
    TimedTestData activation;
    TimedTestData release;
    RepetitionData repetition;

    // The activation or the release test's readings; the repetition test has
    // no timed trials.
    const TimedTestData& timed(TestKind kind) const {
        return kind == TestKind::release ? release : activation;
    }
    TimedTestData& timed(TestKind kind) { return kind == TestKind::release ? release : activation; }

    friend bool operator==(const TestData&, const TestData&) = default;
};

// The two tests of timed trials, in the order the program lists them.
inline constexpr std::array<TestKind, 2> timed_tests = {TestKind::activation, TestKind::release};

// The administrator's settings of the Performance Tests tab and the Options
// menu; a test reads them when it loads and restarts. They last until the
// program ends and are not saved with the assessment.
struct TestSettings {
    std::int16_t max_delay_ms = 3000;
    std::int16_t max_hold_ms = 3000;
    SwitchSends switch_sends = SwitchSends::left_button;

    friend bool operator==(const TestSettings&, const TestSettings&) = default;
};

// Subject Name, Administrator, Switch Location, Switch Type and the notes, in
// that order.
using TypedFields = std::array<QString, 5>;

// How a file's text is encoded. An assessment read as Windows-1252 is written
// back in it, or as UTF-8 with a byte-order mark when a character has no
// Windows-1252 byte; one read as UTF-8 without that mark (another program
// wrote it) is written back the same way, so its reader sees it as before.
enum class TextEncoding { windows_1252, utf8_without_bom };

// Where the assessment was last saved and what it held then. What a command
// does after a save is the file commands' business, not the assessment's.
struct SavingState {
    bool data_saved = true; // no completed test is waiting to be saved
    TypedFields saved_fields;
    QString current_file_name; // empty while the assessment has no file
};

struct Assessment {
    TestData data;
    TestSettings settings;
    SavingState saving;
};

// A stimulus colour by its channels; the windows draw it as a QColor.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb yellow_rgb{255, 255, 0};
inline constexpr Rgb dark_blue_rgb{0, 0, 192};

// The four colour choices of the Performance Tests tab.
enum class StimulusColour { activation, release_hold, release_cue, repetition };

// The typed fields, in the order of the file and of TypedFields.
enum class TypedField { subject_name, administrator, switch_location, switch_type, notes };

// True when a completed test is unsaved or any typed field differs, in any
// character, from its text at the last save, open or new.
bool unsaved_changes(const SavingState& saving, const TypedFields& current);

// Clears every reading and start time; the typed fields and the file name are
// the main window's to clear.
void wipe_test_data(TestData& data);

} // namespace tavo
