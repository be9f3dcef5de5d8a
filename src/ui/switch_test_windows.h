// The three test windows: `Activation_Test`, `Repetition_Test` and `Release_Test`.
#pragma once

#include "activation_trial.h"
#include "release_trial.h"
#include "repetition_trial.h"
#include "trial_window.h"

namespace tavo {

// The activation and repetition windows share one design and one layout.
class ClickCueWindow : public TrialWindow {
    Q_OBJECT
protected:
    ClickCueWindow(const Design& design, TrialWindowServices services, QWidget* parent);
    void apply_layout() override;
};

class ActivationWindow final : public ClickCueWindow {
    Q_OBJECT
public:
    ActivationWindow(const TrialWindowServices& services, QWidget* parent = nullptr);
    ActivationTrial& activation() { return static_cast<ActivationTrial&>(trial()); }
};

class RepetitionWindow final : public ClickCueWindow {
    Q_OBJECT
public:
    RepetitionWindow(const TrialWindowServices& services, QWidget* parent = nullptr);
    RepetitionTrial& repetition() { return static_cast<RepetitionTrial&>(trial()); }
};

class ReleaseWindow final : public TrialWindow {
    Q_OBJECT
public:
    ReleaseWindow(const TrialWindowServices& services, QWidget* parent = nullptr);
    ReleaseTrial& release() { return static_cast<ReleaseTrial&>(trial()); }

    // The RELEASE cue's colour: its shape's fill and its label's background.
    void set_release_colour(const QColor& colour);
    QColor release_colour() const;

    void set_release_cue_visible(bool visible) override;
    void set_error_visible(bool visible) override;

protected:
    void apply_layout() override;

private:
    ShapeWidget* m_release_cue = nullptr;
    QLabel* m_release_label = nullptr;
    QLabel* m_error_mark = nullptr;
};

} // namespace tavo
