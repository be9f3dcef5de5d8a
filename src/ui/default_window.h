// The main window: the menus and three tabs (Background Info, Performance
// Tests, Test Results) over the assessment document. The tabs show the
// document and edit it through its operations; the window forwards the
// commands that others carry out (help dialogs, tests, files) as signals.
#pragma once

#include "assessment_document.h"

#include <QMainWindow>

class QFrame;
class QTabWidget;

namespace tavo {

class BackgroundTab;
class Dialogs;
class PerformanceTab;
class ResultsTab;

class DefaultWindow final : public QMainWindow {
    Q_OBJECT
public:
    DefaultWindow(AssessmentDocument& document, Dialogs& dialogs, QWidget* parent = nullptr);
    ~DefaultWindow() override;

    AssessmentDocument& document() { return m_document; }

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void connect_menus();
    void show_document(DocumentChange what);
    void choose_switch_sends();
    void stretch_top_lines();

    AssessmentDocument& m_document;
    Dialogs& m_dialogs;
    QFrame* m_top_shadow_line = nullptr;
    QFrame* m_top_highlight_line = nullptr;
    QTabWidget* m_tabs = nullptr;
    BackgroundTab* m_background_tab = nullptr;
    PerformanceTab* m_performance_tab = nullptr;
    ResultsTab* m_results_tab = nullptr;
    bool m_centred = false;
};

} // namespace tavo
