#include "performance_tab.h"

#include "color_button.h"
#include "dialogs.h"
#include "seconds_setting_box.h"
#include "svg_picture.h"
#include "up_down.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>

namespace tavo {

QGroupBox* PerformanceTab::add_test_frame(const QString& name, const QString& caption, int top,
                                          int height) {
    auto* frame = new QGroupBox(caption, this);
    frame->setObjectName(name);
    place(frame, QRect(120, top, 9375, height));
    return frame;
}

ColorButton* PerformanceTab::add_color_button(QWidget* parent, const QString& name,
                                              StimulusColour which, const QString& label_text,
                                              QRect twips) {
    auto* button = new ColorButton(to_qcolor(m_document.colour(which)), parent);
    button->setObjectName(name);
    // The test's name first: three frames have a "Stimulus Color", and a
    // screen reader must tell them apart.
    button->set_purpose(qobject_cast<QGroupBox*>(parent)->title() + QStringLiteral(": ") +
                        label_text.chopped(1));
    button->setGeometry(twips_rect(twips.x(), twips.y(), twips.width(), twips.height()));
    connect(button, &QPushButton::clicked, this, [this, which] { choose_color(which); });
    m_colour_buttons[static_cast<std::size_t>(which)] = button;
    return button;
}

QCheckBox* PerformanceTab::add_full_screen(QGroupBox* frame, const QString& name, TestKind test,
                                           int top) {
    auto* check = new QCheckBox(QStringLiteral("Full Screen Mode"), frame);
    check->setObjectName(name);
    check->setAccessibleName(frame->title() + QStringLiteral(": Full Screen Mode"));
    check->setGeometry(twips_rect(1440, top, 2415, 315));
    connect(check, &QCheckBox::toggled, this,
            [this, test](bool on) { m_document.set_full_screen(test, on); });
    m_full_screen_boxes[static_cast<std::size_t>(test)] = check;
    return check;
}

SecondsSettingBox* PerformanceTab::add_seconds_box(QGroupBox* frame, SecondsSettingBox* box,
                                                   const QString& box_name,
                                                   const QString& updown_name,
                                                   const QString& label_name,
                                                   const QString& caption, int updown_position) {
    // The caption holds a gap of blanks where the box sits.
    QLabel* label = add_label(frame, label_name, caption, QRect(1440, 360, 5040, 315));
    box->setObjectName(box_name);
    box->setAlignment(Qt::AlignRight);
    const QString setting =
        frame->title() + QStringLiteral(": ") + caption.section(QChar(u':'), 0, 0);
    box->setAccessibleName(setting + tr(" in seconds"));
    label->setBuddy(box);
    // The box and its arrows fill the gap between the colon and "Seconds".
    const QFontMetrics metrics = label->fontMetrics();
    const QString before_gap = caption.section(QChar(u':'), 0, 0) + QStringLiteral(": ");
    const int gap_start = label->x() + metrics.horizontalAdvance(before_gap);
    const int gap_end = label->x() + metrics.horizontalAdvance(caption.trimmed().chopped(7));
    const int arrows_width = px(210);
    const int box_width = std::max(px(300), gap_end - gap_start - arrows_width - 2);
    box->setGeometry(gap_start, label->y(), box_width, label->height());
    auto* updown = new UpDownControl(box, updown_position, frame);
    updown->setObjectName(updown_name);
    updown->set_purpose(setting);
    updown->setGeometry(box->geometry().right() + 1, box->y(), arrows_width, box->height());
    return box;
}

// Start Test, and under it Practice: the same test, nothing of it stored.
void PerformanceTab::add_start_buttons(QGroupBox* frame, const QString& test_name,
                                       void (PerformanceTab::*start_test)(bool)) {
    auto* start = new QPushButton(QStringLiteral("Start Test"), frame);
    start->setObjectName(QStringLiteral("start_") + test_name);
    start->setAccessibleName(QStringLiteral("Start ") + frame->title());
    start->setGeometry(twips_rect(7680, 480, 1455, 495));
    connect(start, &QPushButton::clicked, this, [this, start_test] { (this->*start_test)(false); });
    auto* practice = new QPushButton(QStringLiteral("Practice"), frame);
    practice->setObjectName(QStringLiteral("practice_") + test_name);
    practice->setAccessibleName(QStringLiteral("Practice ") + frame->title());
    practice->setGeometry(twips_rect(7680, 1080, 1455, 495));
    connect(practice, &QPushButton::clicked, this,
            [this, start_test] { (this->*start_test)(true); });
}

PerformanceTab::PerformanceTab(AssessmentDocument& document, Dialogs& dialogs, QWidget* parent)
    : TabPage(parent)
    , m_document(document)
    , m_dialogs(dialogs) {

    QGroupBox* act =
        add_test_frame(QStringLiteral("act_frame"), QStringLiteral("Activation Test"), 480, 1695);
    auto* activation_picture = new SvgPicture(QStringLiteral(":/images/hand_on_switch.svg"),
                                              tr("A hand pressing a round yellow switch"), act);
    activation_picture->setObjectName(QStringLiteral("Image1"));
    activation_picture->setGeometry(twips_rect(120, 240, 1020, 1335));
    m_max_delay_box = add_seconds_box(
        act,
        new SecondsSettingBox(
            m_document.settings().max_delay_ms, tr("maximum stimulus delay"),
            [this](std::int16_t milliseconds) { m_document.set_max_delay(milliseconds); }, act),
        QStringLiteral("act_max_select"), QStringLiteral("UpDown1"), QStringLiteral("Label9"),
        QStringLiteral("Maximum Stimulus Delay:              Seconds"), 3);
    add_label(act, QStringLiteral("Label16"), QStringLiteral("Stimulus Color:"),
              QRect(1440, 840, 1575, 315));
    add_color_button(act, QStringLiteral("act_color"), StimulusColour::activation,
                     QStringLiteral("Stimulus Color:"), QRect(3120, 795, 615, 375));
    add_full_screen(act, QStringLiteral("Act_Check_FS"), TestKind::activation, 1275);
    add_start_buttons(act, QStringLiteral("act_test"), &PerformanceTab::start_activation_test);

    QGroupBox* rel =
        add_test_frame(QStringLiteral("rel_frame"), QStringLiteral("Release Test"), 2280, 1815);
    auto* release_picture = new SvgPicture(QStringLiteral(":/images/hand_holding_switch.svg"),
                                           tr("A hand holding a switch down"), rel);
    release_picture->setObjectName(QStringLiteral("Image2"));
    release_picture->setGeometry(twips_rect(120, 240, 1020, 1335));
    m_max_hold_box = add_seconds_box(
        rel,
        new SecondsSettingBox(
            m_document.settings().max_hold_ms, tr("maximum hold duration"),
            [this](std::int16_t milliseconds) { m_document.set_hold_time(milliseconds); }, rel),
        QStringLiteral("rel_max_select"), QStringLiteral("UpDown2"), QStringLiteral("Label10"),
        QStringLiteral("Maximum Hold Duration:                 Seconds"), 2);
    add_label(rel, QStringLiteral("Label14"), QStringLiteral("Hold Stimulus Color:"),
              QRect(1440, 840, 1935, 315));
    add_color_button(rel, QStringLiteral("Rel_hold_color"), StimulusColour::release_hold,
                     QStringLiteral("Hold Stimulus Color:"), QRect(3480, 795, 615, 375));
    add_label(rel, QStringLiteral("Label15"), QStringLiteral("Release Stimulus Color:"),
              QRect(4440, 840, 2175, 315));
    add_color_button(rel, QStringLiteral("rel_release_color"), StimulusColour::release_cue,
                     QStringLiteral("Release Stimulus Color:"), QRect(6720, 795, 615, 375));
    add_full_screen(rel, QStringLiteral("Rel_Check_FS"), TestKind::release, 1320);
    add_start_buttons(rel, QStringLiteral("rel_test"), &PerformanceTab::start_release_test);

    QGroupBox* rep =
        add_test_frame(QStringLiteral("rep_frame"), QStringLiteral("Repetition Test"), 4200, 1695);
    auto* repetition_picture =
        new SvgPicture(QStringLiteral(":/images/red_switch.svg"), tr("A round red switch"), rep);
    repetition_picture->setObjectName(QStringLiteral("Image3"));
    repetition_picture->setGeometry(twips_rect(120, 240, 1035, 960));
    add_label(rep, QStringLiteral("Label17"), QStringLiteral("Stimulus Color:"),
              QRect(1440, 480, 1575, 315));
    add_color_button(rep, QStringLiteral("rep_color"), StimulusColour::repetition,
                     QStringLiteral("Stimulus Color:"), QRect(3120, 435, 615, 375));
    add_full_screen(rep, QStringLiteral("Rep_Check_FS"), TestKind::repetition, 960);
    add_start_buttons(rep, QStringLiteral("rep_test"), &PerformanceTab::start_repetition_test);
}

void PerformanceTab::show_settings() {
    for (std::size_t i = 0; i < m_colour_buttons.size(); ++i) {
        m_colour_buttons[i]->set_face_color(
            to_qcolor(m_document.colour(static_cast<StimulusColour>(i))));
    }
    for (std::size_t i = 0; i < m_full_screen_boxes.size(); ++i) {
        m_full_screen_boxes[i]->setChecked(m_document.full_screen(all_tests.at(i)));
    }
    m_max_delay_box->show_milliseconds(m_document.settings().max_delay_ms);
    m_max_hold_box->show_milliseconds(m_document.settings().max_hold_ms);
}

bool PerformanceTab::setting_usable(const SecondsSettingBox* box) {
    if (const std::optional<QString> refusal = box->refusal()) {
        m_dialogs.show_message(window(), *refusal);
        return false;
    }
    return true;
}

void PerformanceTab::start_activation_test(bool practice) {
    if (setting_usable(m_max_delay_box)) {
        Q_EMIT activation_test_requested(practice);
    }
}

void PerformanceTab::start_release_test(bool practice) {
    if (setting_usable(m_max_hold_box)) {
        Q_EMIT release_test_requested(practice);
    }
}

void PerformanceTab::start_repetition_test(bool practice) {
    Q_EMIT repetition_test_requested(practice);
}

void PerformanceTab::choose_color(StimulusColour which) {
    const std::optional<QColor> chosen = m_dialogs.choose_color(
        window(), to_qcolor(m_document.colour(which)), QStringLiteral("Choose a Color"));
    if (chosen) {
        m_document.set_colour(which, to_rgb(*chosen));
    }
}

} // namespace tavo
