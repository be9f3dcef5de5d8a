// The main window: the typed fields of the assessment, the test settings and
// the results, on three tabs. It shows the assessment document, hands every
// edit to it through the document's operations, and forwards the commands that
// other windows carry out (help dialogs, tests, files) as signals.
#pragma once

#include "assessment_document.h"
#include "settings_input.h"
#include "switch_keys.h"

#include <QMainWindow>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace tavo {

class ColorButton;
class Dialogs;
class UpDownControl;

class DefaultWindow final : public QMainWindow {
    Q_OBJECT
public:
    DefaultWindow(AssessmentDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);
    ~DefaultWindow() override;

    AssessmentDocument& document() { return m_document; }

    // Rewrites the seven result labels from the document's readings.
    void show_results();

    // What the switch sends, chosen in the Options menu; kept until the
    // program ends, like the settings.
    SwitchSends switch_sends() const { return m_switch_sends; }
    void set_switch_sends(SwitchSends choice);

Q_SIGNALS:
    void about_requested();
    void getting_tavo_requested();
    void about_corvale_requested();
    // A Start Test button (or, with practice, its Practice button) was
    // pressed and its setting is in the document.
    void activation_test_requested(bool practice);
    void release_test_requested(bool practice);
    void repetition_test_requested(bool practice);
    // The File menu's commands; closing the window asks for exit too.
    void new_requested();
    void open_requested();
    void save_requested();
    void save_as_requested();
    void exit_requested();
    // Print Results, from the File menu or the Test Results tab.
    void print_requested();
    // File > Export Trial Data...: the trials of the assessment as a CSV file.
    void export_trial_data_requested();
    // File > Export Test Figures...: a row of figures per test as a CSV file.
    void export_summary_requested();
    // File > Compare Assessments...: figures of several files side by side.
    void compare_requested();
    // Trial Details... on the Test Results tab, or Ctrl+D.
    void trial_details_requested();
    // Whoever delivers the switch to the tests follows the new choice.
    void switch_sends_changed(tavo::SwitchSends choice);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build_menus();
    void build_background_tab(QWidget* page);
    void build_performance_tab(QWidget* page);
    void build_results_tab(QWidget* page);
    QGroupBox* build_test_frame(QWidget* page, const QString& name, const QString& caption, int top,
                                int height);
    QLabel* add_label(QWidget* parent, const QString& name, const QString& text, QRect twips);
    ColorButton* add_color_button(QWidget* parent, const QString& name, StimulusColour which,
                                  const QString& label_text, QRect twips);
    QCheckBox* add_full_screen(QGroupBox* frame, const QString& name, SwitchTest test, int top);
    QLineEdit* add_seconds_box(QGroupBox* frame, const QString& box_name,
                               const QString& updown_name, const QString& label_name,
                               const QString& caption, int updown_position);
    void place_on_tab(QWidget* widget, QRect twips);
    void insert_date();
    void start_activation_test(bool practice);
    void start_release_test(bool practice);
    void start_repetition_test(bool practice);
    // Converts a delay or hold box to milliseconds; a value that cannot be used
    // is refused with a message and nothing starts.
    std::optional<std::int16_t> seconds_setting(const QLineEdit* box, const QString& name);
    void choose_color(StimulusColour which);
    // Shows what changed in the document; a field is rewritten only when it
    // differs, so the caret stays where the administrator types.
    void show_document(DocumentChange what);
    void show_fields();
    void show_settings();
    void choose_switch_sends();
    void stretch_top_lines();

    AssessmentDocument& m_document;
    Dialogs& m_dialogs;
    QFrame* m_top_shadow_line = nullptr;
    QFrame* m_top_highlight_line = nullptr;
    QTabWidget* m_tabs = nullptr;
    QPoint m_page_origin;
    std::array<QLineEdit*, 4> m_field_edits{};
    QPlainTextEdit* m_notes_edit = nullptr;
    QLineEdit* m_max_delay_edit = nullptr;
    QLineEdit* m_max_hold_edit = nullptr;
    std::array<ColorButton*, 4> m_colour_buttons{};
    std::array<QCheckBox*, 3> m_full_screen_boxes{};
    // The notes last given to the box: while the box is not edited, the
    // document keeps its own text, whatever the box would make of it.
    QString m_notes_shown;
    // The box's raw text as it stood after the last change, so that an edit
    // replaces only the span that changed and every break elsewhere stays as
    // the notes hold it.
    QString m_notes_box_text;
    bool m_showing_notes = false;
    std::array<QLabel*, 7> m_result_labels{};
    bool m_centred = false;
    SwitchSends m_switch_sends = SwitchSends::left_button;
};

} // namespace tavo
