// What the three test windows have in common: the frames, the stimulus area
// with its background and stimulus, the cue label, the start notice, the
// administrator's instructions, Ctrl+R to restart and closing. The window only
// shows what its trial logic decides and forwards the timer ticks; the switch
// reaches the logic through the switch input, not through these controls.
#pragma once

#include "frame_presenter.h"
#include "layout_rules.h"
#include "one_shot_timer.h"
#include "switch_trial.h"
#include "trial_view.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QShortcut;

namespace tavo {

class Dialogs;
class ShapeWidget;
class SvgPicture;

struct TrialWindowServices {
    TrialServices trial;
    Dialogs& dialogs;
    TimerFactory make_timer;
    // The same presenter as the trial's display stamps: the window hands it
    // the stimulus area's frames.
    FramePresenter& presenter = no_frame_presenter();
};

class TrialWindow : public QWidget, public TrialView {
    Q_OBJECT
public:
    ~TrialWindow() override;

    // The stimulus colour: the stimulus shape's fill and its label's background.
    void set_stimulus_colour(const QColor& colour);
    QColor stimulus_colour() const;

    SwitchTrial& trial() { return *m_trial; }
    // A practice run: "PRACTICE" in the title and in the window's corner, and
    // nothing of the run is stored.
    void set_practice(bool practice);
    // Asks over `owner` whether to discard this window's unfinished recorded
    // run ("Discard the unfinished Activation Test?"); true when the
    // administrator said so, and closing it then asks no more.
    bool confirm_discard(QWidget* owner);
    // The start notice names the switch's key when the switch sends one.
    void set_switch_sends(SwitchSends choice);

    // TrialView
    void set_click_to_start_visible(bool visible) override;
    void set_stimulus_visible(bool visible) override;
    void set_click_label_visible(bool visible) override;
    void set_click_label_text(const QString& text) override;
    void set_release_cue_visible(bool visible) override;
    void set_error_visible(bool visible) override;
    void present_now() override;
    void show_summary(const QString& text) override;

protected:
    struct Design {
        const char* window_name;
        const char* caption;
        const char* frame_name;
        const char* picture;
        const char* picture_text;
        QRect picture_twips;
        QRect restart_msg_twips;
        const char* restart_shortcut_name;
        const char* click_caption;
    };

    TrialWindow(const Design& design, TrialWindowServices services, QWidget* parent);

    // Called by the concrete window once its own controls and logic exist.
    void start(std::unique_ptr<SwitchTrial> trial);
    // The trial's timers belong to this window's objects, so tools find them.
    NamedTimerFactory timer_factory();
    // The start notice at its design size, or wider to show its whole text.
    void fit_start_notice();

    virtual void apply_layout() = 0;
    QSize outer_size() const;
    WindowTwips window_twips() const;
    LabelMeasure measure_of(QLabel* label);
    // The stimulus area is where the release window adds its own cues.
    QWidget* stimulus_area() const;
    static QLabel* make_cue_label(const QString& name, const QString& caption, QWidget* parent);
    // A cue label's background, with its word in black or white to stand out.
    static void set_cue_label_colour(QLabel* label, const QColor& colour);
    static TwipSize size_twips(const QWidget* widget);
    // Something in the stimulus area changed: its frame is presented anew
    // from the event loop (shown or hidden cues and recoloured or moved
    // widgets are noticed without this).
    void schedule_frame();
    static void place(QWidget* widget, const TwipRect& rect);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    QGroupBox* m_frame = nullptr;
    QGroupBox* m_stimulus_frame = nullptr;
    ShapeWidget* m_backdrop = nullptr;
    ShapeWidget* m_stimulus = nullptr;
    QLabel* m_click_label = nullptr;
    QLabel* m_restart_msg = nullptr;
    QPushButton* m_click_to_start = nullptr;

private:
    void place_practice_label();
    // The stimulus area as one picture: everything shown over the background,
    // in the surface's place.
    QImage stimulus_frame();
    // Hands the stimulus area's picture to the presenter when it changed (or
    // always, with `force`, after the surface lost its pixels).
    void present_frame(bool force);

    void relayout();
    void follow_frame();

    TrialWindowServices m_services;
    std::unique_ptr<SwitchTrial> m_trial;
    QString m_caption;
    QLabel* m_practice_label = nullptr;
    bool m_placed = false;
    bool m_discard_confirmed = false;
    QSize m_laid_out_outer; // the outer size the last layout was made for
    // Where the presenter shows the stimulus area's frames, over the
    // widgets, which keep their names and state for tests and assistive
    // tools; none where frames are not presented.
    QWidget* m_surface = nullptr;
    QImage m_presented;    // the frame shown last
    QPoint m_presented_at; // and the surface's place in the window then
    bool m_frame_scheduled = false;
};

} // namespace tavo
