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

// A completed run of the activation or the release test.
struct TimedRun {
    TimedTestData readings;
    // Responses before their cue, each of which the subject made again: the
    // activation test's presses during the stimulus delay (anticipations),
    // the release test's releases before the RELEASE cue, each of which
    // repeated its trial. Known only while the program runs.
    int early_responses = 0;
    ReadingOrigins origins;
};

struct RepetitionRun {
    RepetitionData readings;
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

    // A timed test's anticipations or early releases.
    std::optional<int>& early_responses(TestKind timed) {
        return timed == TestKind::release ? early_releases : anticipations;
    }
    const std::optional<int>& early_responses(TestKind timed) const {
        return timed == TestKind::release ? early_releases : anticipations;
    }
    std::optional<ReadingOrigins>& origins(TestKind kind) {
        return kind == TestKind::activation ? activation_origins
               : kind == TestKind::release  ? release_origins
                                            : repetition_origins;
    }
    const std::optional<ReadingOrigins>& origins(TestKind kind) const {
        return kind == TestKind::activation ? activation_origins
               : kind == TestKind::release  ? release_origins
                                            : repetition_origins;
    }
};

// Where a completed run goes: the assessment document, or a test's fake.
class RunRecorder {
public:
    virtual ~RunRecorder() = default;
    // A run of the activation or the release test.
    virtual void commit(TestKind test, const TimedRun& run) = 0;
    virtual void commit(const RepetitionRun& run) = 0;
};

} // namespace tavo
