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

ClickTestWindow::ClickTestWindow(const Design& design, TrialWindowServices services,
                                 QWidget* parent)
    : TrialWindow(design, std::move(services), parent) {
    m_click_to_start->setParent(m_stim);
    fit_start_notice();
    m_click_to_start->move(px(1080), px(2160));
}

void ClickTestWindow::apply_layout() {
    const ActivationLayout layout =
        activation_layout(window_twips(), measure_of(m_click_label), size_twips(m_restart_msg),
                          size_twips(m_click_to_start));
    place(m_frame, layout.act_frame);
    place(m_stim, layout.act_stim);
    place(m_bg, layout.BG);
    place(m_stimulus, layout.stimulus);
    place(m_click_label, layout.click_label.rect);
    place(m_restart_msg, layout.restart_msg);
    place(m_click_to_start, layout.click_to_start);
}

ActivationWindow::ActivationWindow(const TrialWindowServices& services, QWidget* parent)
    : ClickTestWindow({"Activation_Test", "Activation Test", "act_frame",
                       ":/images/hand_on_switch.svg", "A hand pressing a round yellow switch",
                       QRect(120, 240, 1020, 1335), QRect(1440, 6000, 4815, 255), "Restart_HotKey",
                       "CLICK"},
                      services, parent) {
    start(std::make_unique<ActivationTrial>(services.trial, *this, timer_factory()));
}

RepetitionWindow::RepetitionWindow(const TrialWindowServices& services, QWidget* parent)
    : ClickTestWindow({"Repetition_Test", "Repetition Test", "act_frame", ":/images/red_switch.svg",
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
    m_stim_release = new ShapeWidget(design_dark_blue, Qt::black, stimulus_area());
    m_stim_release->setObjectName(QStringLiteral("Stim_Release"));
    m_stim_release->hide();
    m_release_label =
        make_cue_label(QStringLiteral("Release_Label"), QStringLiteral("RELEASE"), stimulus_area());
    set_cue_label_colour(m_release_label, design_dark_blue);
    m_release_label->hide();
    m_error_label = new QLabel(QStringLiteral("X"), stimulus_area());
    m_error_label->setObjectName(QStringLiteral("Error_label"));
    // Normal weight in Tahoma where installed, not the bold of the frame it lies in.
    QFont mark = font();
    mark.setFamilies(QStringList{QStringLiteral("Tahoma")} + font().families());
    mark.setPointSizeF(249.75);
    mark.setBold(false);
    m_error_label->setFont(mark);
    QPalette red = m_error_label->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_error_label->setPalette(red);
    m_error_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_error_label->hide();

    // The start notice lies on the window itself, over the frames.
    m_click_to_start->setParent(this);
    fit_start_notice();
    m_click_to_start->show();
    start(std::make_unique<ReleaseTrial>(services.trial, *this, timer_factory()));
}

void ReleaseWindow::set_release_colour(const QColor& colour) {
    m_stim_release->set_fill_color(colour);
    set_cue_label_colour(m_release_label, colour);
}

QColor ReleaseWindow::release_colour() const {
    return m_stim_release->fill_color();
}

void ReleaseWindow::set_release_cue_visible(bool visible) {
    m_stim_release->setVisible(visible);
    m_release_label->setVisible(visible);
}

void ReleaseWindow::set_error_visible(bool visible) {
    m_error_label->setVisible(visible);
}

void ReleaseWindow::apply_layout() {
    const ReleaseLayout layout = release_layout(
        window_twips(),
        {measure_of(m_click_label), measure_of(m_release_label), measure_of(m_error_label)},
        size_twips(m_restart_msg), size_twips(m_click_to_start));
    place(m_frame, layout.rel_frame);
    place(m_stim, layout.act_stim);
    place(m_bg, layout.BG);
    place(m_stimulus, layout.stimulus);
    place(m_stim_release, layout.Stim_Release);
    place(m_click_label, layout.click_label.rect);
    place(m_release_label, layout.Release_Label.rect);
    place(m_error_label, layout.Error_label.rect);
    place(m_restart_msg, layout.restart_msg);
    place(m_click_to_start, layout.click_to_start);
    m_click_to_start->raise();
}

} // namespace tavo
