// What a test's trial logic asks its window to show. The window only shows;
// the logic decides.
#pragma once

#include <QString>

namespace tavo {

class TrialView {
public:
    virtual ~TrialView() = default;
    virtual void set_click_to_start_visible(bool visible) = 0;
    // The stimulus (the HOLD cue in the release test) and its label.
    virtual void set_stimulus_visible(bool visible) = 0;
    virtual void set_click_label_visible(bool visible) = 0;
    virtual void set_click_label_text(const QString& text) = 0;
    // The release test's RELEASE cue (shape and label) and its error mark.
    virtual void set_release_cue_visible(bool visible) = 0;
    virtual void set_error_visible(bool visible) = 0;
    // Draws what was just shown, on screen, before the onset is read: the
    // drawing time is not part of the subject's response.
    virtual void present_now() = 0;
    // The test's summary in a message with only OK. Called once the completed
    // run was handed over; the view shows it after the switch event that
    // completed the run has been handled, not inside its delivery.
    virtual void show_summary(const QString& text) = 0;
};

} // namespace tavo
