// One complete run of a test, as its trial logic collected it. A run reaches
// the assessment in one step when its last trial ends; a run that is restarted
// or closed before then is dropped, so the stored readings never mix two runs.
#pragma once

#include "assessment.h"

#include <array>
#include <optional>

namespace tavo {

// Where a run's readings came from, counted as they were taken: an onset from
// the display system's time for its frame or the clock read after handing the
// frame over, a press or release from the input system's stamp or the clock
// read on delivery. Known only for runs of this session.
struct ReadingOrigins {
    int onsets_from_frame = 0;
    int onsets_on_delivery = 0;
    int presses_from_input = 0;
    int presses_on_delivery = 0;
};

struct ActivationRun {
    LocalTime start_time;
    ClockReading start_tick = 0;
    std::array<ClockReading, trials_per_test> stim_times{};
    std::array<ClockReading, trials_per_test> click_times{};
    // Presses during the stimulus delay; known only while the program runs.
    int anticipations = 0;
    ReadingOrigins origins;
};

struct ReleaseRun {
    LocalTime start_time;
    ClockReading start_tick = 0;
    std::array<ClockReading, trials_per_test> stim_times{};
    std::array<ClockReading, trials_per_test> release_times{};
    // Releases before the RELEASE cue, each of which repeated its trial.
    int early_releases = 0;
    ReadingOrigins origins;
};

struct RepetitionRun {
    LocalTime start_time;
    ClockReading start_tick = 0;
    ClockReading first_press = 0;
    std::array<ClockReading, repetition_clicks> click_times{};
    ReadingOrigins origins;
};

// The errors of the moment that a file does not keep: known for a run done
// while the program runs, unknown (nullopt) for a test read from a file.
struct RunErrors {
    std::optional<int> anticipations;
    std::optional<int> early_releases;
    // Where each test's readings came from, for a run of this session.
    std::optional<ReadingOrigins> activation_origins;
    std::optional<ReadingOrigins> release_origins;
    std::optional<ReadingOrigins> repetition_origins;
};

// Where a completed run goes: the assessment document, or a test's fake.
class RunRecorder {
public:
    virtual ~RunRecorder() = default;
    virtual void commit(const ActivationRun& run) = 0;
    virtual void commit(const ReleaseRun& run) = 0;
    virtual void commit(const RepetitionRun& run) = 0;
};

} // namespace tavo
