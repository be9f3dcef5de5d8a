#include "switch_test_windows.h"

#include "shape_widget.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tavo {

namespace {

const QColor design_dark_blue(0, 0, 192);

} // namespace

ClickCueWindow::ClickCueWindow(const Design& design, TrialWindowServices services, QWidget* parent)
    : TrialWindow(design, std::move(services), parent) {
    m_click_to_start->setParent(m_stimulus_frame);
    fit_start_notice();
    m_click_to_start->move(px(1080), px(2160));
}

void ClickCueWindow::apply_layout() {
    const ActivationLayout layout =
        activation_layout(window_twips(), measure_of(m_click_label), size_twips(m_restart_msg),
                          size_twips(m_click_to_start));
    place(m_frame, layout.frame);
    place(m_stimulus_frame, layout.stimulus_frame);
    place(m_backdrop, layout.backdrop);
    place(m_stimulus, layout.stimulus);
    place(m_click_label, layout.click_label.rect);
    place(m_restart_msg, layout.restart_msg);
    place(m_click_to_start, layout.click_to_start);
}

ActivationWindow::ActivationWindow(const TrialWindowServices& services, QWidget* parent)
    : ClickCueWindow({"Activation_Test", "Activation Test", "act_frame",
                      ":/images/hand_on_switch.svg", "A hand pressing a round yellow switch",
                      QRect(120, 240, 1020, 1335), QRect(1440, 6000, 4815, 255), "Restart_HotKey",
                      "CLICK"},
                     services, parent) {
    start(std::make_unique<ActivationTrial>(services.trial, *this, timer_factory()));
}

RepetitionWindow::RepetitionWindow(const TrialWindowServices& services, QWidget* parent)
    : ClickCueWindow({"Repetition_Test", "Repetition Test", "act_frame", ":/images/red_switch.svg",
                      "A round red switch", QRect(120, 240, 1035, 960),
                      QRect(1560, 6000, 4695, 255), "Restart_HotKey", "CLICK"},
                     services, parent) {
    start(std::make_unique<RepetitionTrial>(services.trial, *this, timer_factory()));
}

ReleaseWindow::ReleaseWindow(const TrialWindowServices& services, QWidget* parent)
    : TrialWindow({"Release_Test", "Release Test", "rel_frame", ":/images/hand_holding_switch.svg",
                   "A hand holding a switch down", QRect(120, 240, 1020, 1335),
                   QRect(1440, 6000, 4815, 255), "VBHotKey1", "HOLD"},
                  services, parent) {
    // Front to back inside the stimulus area: the "X", the RELEASE cue's
    // label and shape, then the HOLD cue beneath.
    m_release_cue = new ShapeWidget(design_dark_blue, Qt::black, stimulus_area());
    m_release_cue->setObjectName(QStringLiteral("Stim_Release"));
    m_release_cue->hide();
    m_release_label =
        make_cue_label(QStringLiteral("Release_Label"), QStringLiteral("RELEASE"), stimulus_area());
    set_cue_label_colour(m_release_label, design_dark_blue);
    m_release_label->hide();
    m_error_mark = new QLabel(QStringLiteral("X"), stimulus_area());
    m_error_mark->setObjectName(QStringLiteral("Error_label"));
    // Normal weight in Tahoma where installed, not the bold of the frame it lies in.
    QFont mark = font();
    mark.setFamilies(QStringList{QStringLiteral("Tahoma")} + font().families());
    mark.setPointSizeF(249.75);
    mark.setBold(false);
    m_error_mark->setFont(mark);
    QPalette red = m_error_mark->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_error_mark->setPalette(red);
    m_error_mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_error_mark->hide();

    // The start notice lies on the window itself, over the frames.
    m_click_to_start->setParent(this);
    fit_start_notice();
    m_click_to_start->show();
    start(std::make_unique<ReleaseTrial>(services.trial, *this, timer_factory()));
}

void ReleaseWindow::set_release_colour(const QColor& colour) {
    m_release_cue->set_fill_color(colour);
    set_cue_label_colour(m_release_label, colour);
    schedule_frame();
}

QColor ReleaseWindow::release_colour() const {
    return m_release_cue->fill_color();
}

void ReleaseWindow::set_release_cue_visible(bool visible) {
    m_release_cue->setVisible(visible);
    m_release_label->setVisible(visible);
}

void ReleaseWindow::set_error_visible(bool visible) {
    m_error_mark->setVisible(visible);
}

void ReleaseWindow::apply_layout() {
    const ReleaseLayout layout = release_layout(
        window_twips(),
        {measure_of(m_click_label), measure_of(m_release_label), measure_of(m_error_mark)},
        size_twips(m_restart_msg), size_twips(m_click_to_start));
    place(m_frame, layout.frame);
    place(m_stimulus_frame, layout.stimulus_frame);
    place(m_backdrop, layout.backdrop);
    place(m_stimulus, layout.stimulus);
    place(m_release_cue, layout.release_cue);
    place(m_click_label, layout.click_label.rect);
    place(m_release_label, layout.release_label.rect);
    place(m_error_mark, layout.error_mark.rect);
    place(m_restart_msg, layout.restart_msg);
    place(m_click_to_start, layout.click_to_start);
    m_click_to_start->raise();
}

} // namespace tavo
