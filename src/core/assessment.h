// The values an assessment is made of: every raw clock reading of the three
// tests with their start times, the settings handed to the test windows, and
// the saving state. The assessment document owns one of each.
#pragma once

#include "clock.h"
#include "local_time.h"

#include <QString>
#include <array>
#include <cstdint>

namespace tavo {

inline constexpr int trials_per_test = 10;
inline constexpr int repetition_clicks = 5;

struct TestData {
    std::array<ClockReading, trials_per_test> act_stim_times{};
    std::array<ClockReading, trials_per_test> act_click_times{};
    std::array<ClockReading, trials_per_test> rel_stim_times{};
    std::array<ClockReading, trials_per_test> rel_release_times{};
    std::array<ClockReading, repetition_clicks> rep_click_times{};
    ClockReading rep_first_press = 0;
    ClockReading act_start_tick = 0;
    ClockReading rel_start_tick = 0;
    ClockReading rep_start_tick = 0;
    LocalTime act_start_time;
    LocalTime rel_start_time;
    LocalTime rep_start_time;

    friend bool operator==(const TestData&, const TestData&) = default;
};

// Handed from the Performance Tests tab to the test windows when they load.
struct TestSettings {
    std::int16_t act_max_delay = 0; // ms
    std::int16_t rel_hold_time = 0; // ms
};

// Subject Name, Administrator, Switch Location, Switch Type and the notes, in
// that order.
using TypedFields = std::array<QString, 5>;

// How a file's text is encoded. An assessment read as Windows-1252 is written
// back in it, or as UTF-8 with a byte-order mark when a character has no
// Windows-1252 byte; one read as UTF-8 without that mark (another program
// wrote it) is written back the same way, so its reader sees it as before.
enum class TextEncoding { windows_1252, utf8_without_bom };

// Which command raised the save prompt.
enum class PendingAction : std::int16_t { none = 0, exit = 1, open = 2, new_file = 3 };

struct SavingState {
    bool data_saved = true; // no completed test is waiting to be saved
    TypedFields saved_fields;
    bool save_as_requested = false;
    PendingAction pending_action = PendingAction::none;
    bool exit_after_save = false;
    bool open_after_save = false;
    bool new_after_save = false;
    bool open_from_command_line = false;
    QString current_file_name; // empty while the assessment has no file
};

struct Assessment {
    TestData data;
    TestSettings settings;
    SavingState saving;
};

// True when a completed test is unsaved or any typed field differs, in any
// character, from its text at the last save, open or new.
bool unsaved_changes(const SavingState& saving, const TypedFields& current);

// Clears every reading and start time; the typed fields and the file name are
// the main window's to clear.
void wipe_test_data(TestData& data);

} // namespace tavo
