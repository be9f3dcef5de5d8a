// The Performance Tests tab: for each test its settings (delay or hold
// seconds, stimulus colours, full screen) and its Start Test and Practice
// buttons. Every setting is the document's: the tab edits it through the
// document's operations and shows it back when it changes.
#pragma once

#include "assessment_document.h"
#include "tab_page.h"

#include <array>

class QCheckBox;
class QGroupBox;

namespace tavo {

class ColorButton;
class Dialogs;
class SecondsSettingBox;

class PerformanceTab final : public TabPage {
    Q_OBJECT
public:
    PerformanceTab(AssessmentDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);

    void show_settings();

Q_SIGNALS:
    // A Start Test button (or, with practice, its Practice button) was
    // pressed and its setting is usable.
    void activation_test_requested(bool practice);
    void release_test_requested(bool practice);
    void repetition_test_requested(bool practice);

private:
    QGroupBox* add_test_frame(const QString& name, const QString& caption, int top, int height);
    ColorButton* add_color_button(QWidget* parent, const QString& name, StimulusColour which,
                                  const QString& label_text, QRect twips);
    QCheckBox* add_full_screen(QGroupBox* frame, const QString& name, TestKind test, int top);
    SecondsSettingBox* add_seconds_box(QGroupBox* frame, SecondsSettingBox* box,
                                       const QString& box_name, const QString& updown_name,
                                       const QString& label_name, const QString& caption,
                                       int updown_position);
    void add_start_buttons(QGroupBox* frame, const QString& test_name,
                           void (PerformanceTab::*start_test)(bool));
    // A box whose text is no usable setting refuses the start with a message.
    bool setting_usable(const SecondsSettingBox* box);
    void start_activation_test(bool practice);
    void start_release_test(bool practice);
    void start_repetition_test(bool practice);
    void choose_color(StimulusColour which);

    AssessmentDocument& m_document;
    Dialogs& m_dialogs;
    SecondsSettingBox* m_max_delay_box = nullptr;
    SecondsSettingBox* m_max_hold_box = nullptr;
    std::array<ColorButton*, 4> m_colour_buttons{};
    std::array<QCheckBox*, 3> m_full_screen_boxes{};
};

} // namespace tavo
