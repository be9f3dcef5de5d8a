// The main window: the typed fields of the assessment, the test settings and
// the results, on three tabs. It shows the assessment's state and forwards the
// commands that other windows carry out (help dialogs, tests, files) as signals.
#pragma once

#include "assessment.h"
#include "results.h"
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
    DefaultWindow(Assessment& assessment, Dialogs& dialogs, QWidget* parent = nullptr);
    ~DefaultWindow() override;

    Assessment& assessment() { return m_assessment; }

    // The five typed fields; the notes carry CR LF line breaks.
    TypedFields typed_fields() const;
    void set_typed_fields(const TypedFields& fields);
    QString notes_text() const;
    void set_notes_text(const QString& text);

    // Rewrites the seven result labels from the assessment's readings.
    void process_results();
    // Empties the assessment for a new one (settings and colours stay).
    void Wipe_Data();
    ResultTexts shown_results() const;

    // What the Performance Tests tab holds for the test windows.
    QString act_max_select_text() const;
    QString rel_max_select_text() const;
    ColorRef act_color() const;
    ColorRef rel_hold_color() const;
    ColorRef rel_release_color() const;
    ColorRef rep_color() const;
    bool act_full_screen() const;
    bool rel_full_screen() const;
    bool rep_full_screen() const;

    // What the switch sends, chosen in the Options menu; kept until the
    // program ends, like the settings.
    SwitchSends switch_sends() const { return m_switch_sends; }
    void set_switch_sends(SwitchSends choice);

Q_SIGNALS:
    void about_requested();
    void getting_tavo_requested();
    void about_corvale_requested();
    // A Start Test button was pressed and its setting is in the assessment.
    void activation_test_requested();
    void release_test_requested();
    void repetition_test_requested();
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
    // File > Compare Assessments...: figures of several files side by side.
    void compare_requested();
    // Trial Details... on the Test Results tab, or Ctrl+D.
    void trial_details_requested();
    // The result labels were rewritten: after a test, an open or a New.
    void results_changed();
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
    QGroupBox* build_test_frame(QWidget* page, const QString& name, const QString& caption,
                                int top, int height);
    QLabel* add_label(QWidget* parent, const QString& name, const QString& text, QRect twips);
    ColorButton* add_color_button(QWidget* parent, const QString& name, ColorRef colour,
                                  const QString& label_text, QRect twips);
    QLineEdit* add_seconds_box(QGroupBox* frame, const QString& box_name,
                               const QString& updown_name, const QString& label_name,
                               const QString& caption, int updown_position);
    void place_on_tab(QWidget* widget, QRect twips);
    void insert_date();
    void start_act_test();
    void start_rel_test();
    void start_rep_test();
    // Converts a delay or hold box to milliseconds; a value that cannot be used
    // is refused with a message and nothing starts.
    std::optional<std::int16_t> seconds_setting(const QLineEdit* box, const QString& name);
    void choose_color(ColorButton* button);
    void choose_switch_sends();
    void stretch_top_lines();

    Assessment& m_assessment;
    Dialogs& m_dialogs;
    QFrame* m_line1 = nullptr;
    QFrame* m_line2 = nullptr;
    QTabWidget* m_tabs = nullptr;
    QPoint m_page_origin;
    std::array<QLineEdit*, 4> m_text_boxes{};
    QPlainTextEdit* m_notes = nullptr;
    QLineEdit* m_act_max_select = nullptr;
    QLineEdit* m_rel_max_select = nullptr;
    ColorButton* m_act_color = nullptr;
    ColorButton* m_rel_hold_color = nullptr;
    ColorButton* m_rel_release_color = nullptr;
    ColorButton* m_rep_color = nullptr;
    QCheckBox* m_act_full_screen = nullptr;
    QCheckBox* m_rel_full_screen = nullptr;
    QCheckBox* m_rep_full_screen = nullptr;
    std::array<QLabel*, 7> m_result_labels{};
    bool m_centred = false;
    SwitchSends m_switch_sends = SwitchSends::left_button;
};

} // namespace tavo
