// One test window, activation or release, on the real clock and a frame
// presenter the test chooses, every other service a fake: the display tests
// show its stimulus through a real display system and check the onset that
// system gives. The rig fires the window's timers and presses the switch
// through the fake input, so nothing waits for a time to pass; only showing
// the window waits, for the display system to expose it.
#pragma once

#include "clock.h"
#include "fake_dialogs.h"
#include "frame_presenter.h"
#include "trial_fakes.h"
#include "trial_window.h"

#include <QString>
#include <map>
#include <memory>

namespace tavo::testing {

class TrialWindowRig {
public:
    TrialWindowRig(FramePresenter& presenter, bool release_test);
    ~TrialWindowRig();
    TrialWindowRig(const TrialWindowRig&) = delete;
    TrialWindowRig& operator=(const TrialWindowRig&) = delete;

    TrialWindow& window() { return *m_window; }
    bool release_test() const { return m_release_test; }

    // Shows the window; false when the display system never exposed it.
    [[nodiscard]] bool show();
    // The start press, which starts the first delay.
    void start();
    // Brings the trial's stimulus: the activation test's shape, or the
    // release test's RELEASE cue once the subject has pressed to hold on the
    // HOLD cue. False when a timer that should run was not there.
    [[nodiscard]] bool show_stimulus();
    // The subject's answer to it: a click, or letting go.
    void answer();

    // The clock log's line of a trial's onset ("onset TRIAL READING SOURCE
    // DELIVERY", then the stamp's microseconds where its source gives them),
    // and of the answer it times; empty until there is one.
    QString onset_line(int trial) const;
    QString answer_line(int trial) const;

    // The stimulus's shape and the caption over it in this test's window.
    QString shape_name() const;
    QString caption_name() const;

private:
    bool fire(const char* timer);

    bool m_release_test;
    QStringList m_log;
    TestSettings m_settings;
    RecordingRecorder m_recorder{m_log};
    SystemClock m_clock;
    RecordingSounds m_sounds{m_log};
    FakeRandom m_random;
    FakeSwitchInput m_input;
    RecordingReadingLog m_readings;
    FakeDialogs m_dialogs;
    std::map<QString, FakeTimer*> m_timers;
    std::unique_ptr<TrialWindow> m_window;
};

} // namespace tavo::testing
