// Puts the program together: the one assessment, the main window, and the
// windows its commands open, each created on first use and reused while open.
#pragma once

#include "about_corvale_dialog.h"
#include "about_dialog.h"
#include "app_services.h"
#include "assessment_document.h"
#include "compare_window.h"
#include "single_window.h"
#include "switch_test_windows.h"
#include "trial_details_window.h"

#include <QObject>
#include <functional>
#include <memory>

namespace tavo {

class DefaultWindow;
class FileMenu;
class SaveExitDialog;

class TavoApplication final : public QObject {
    Q_OBJECT
public:
    explicit TavoApplication(AppServices services);
    ~TavoApplication() override;

    AssessmentDocument& document() { return m_document; }
    DefaultWindow& main_window() { return *m_main_window; }
    AboutDialog* about_window() const { return m_about.existing(); }
    AboutCorvaleDialog* about_corvale_window() const { return m_about_corvale.existing(); }
    ActivationWindow* activation_window() const { return m_activation.existing(); }
    ReleaseWindow* release_window() const { return m_release.existing(); }
    RepetitionWindow* repetition_window() const { return m_repetition.existing(); }
    SaveExitDialog* save_prompt() const;

    // What happens when the program starts, on a new assessment with nothing
    // to save: unsaved work that an earlier run left in the recovery folder
    // is offered first of all; then a command line (the arguments joined by
    // blanks) that names a ".tavo" file opens that file.
    void start(const QString& command_line = {});

    // Every way out of the program goes through here: Exit, closing the main
    // window, and the save prompt. It is a clean end, so the recovery copy
    // goes; then it stops the event loop (tests replace that part).
    void end_program();

    // The copy of the unsaved assessment kept for a crash, or none.
    RecoveryJournal* recovery_journal() const { return m_journal.get(); }
    void set_end_program(std::function<void()> end) { m_end_program = std::move(end); }

    void show_about();
    void show_getting_tavo();
    void show_about_corvale();

    // Start Test: the window is created on first use (its load reads the
    // settings), put in its window state, coloured and shown. Practice runs
    // the same window without storing the run; Start Test on a practice
    // window turns it back into a recorded one, starting over.
    void start_activation_test(bool practice = false);
    void start_release_test(bool practice = false);
    void start_repetition_test(bool practice = false);

    // Print Results: the printer dialog, then the sheet of what the main
    // window shows.
    void print_results_sheet();

    // File > Export Trial Data...: the trials on screen as a CSV file.
    void export_trial_data();
    void export_summary();

    // Trial Details...: a modeless window that follows the results.
    void show_trial_details();
    TrialDetailsWindow* trial_details_window() const { return m_trial_details.existing(); }

    // File > Compare Assessments...: the files chosen, side by side.
    void compare_assessments();
    CompareWindow* compare_window() const { return m_compare.existing(); }

private:
    // Offers what earlier runs left behind; true when an assessment was
    // recovered and is now on screen, unsaved.
    bool offer_recovery();
    // A message about work in the background, shown once the event that
    // caused it has been handled.
    void report_later(const QString& message);
    AboutCorvaleDialog& about_corvale();
    TrialWindowServices trial_window_services();
    void show_test_window(TrialWindow& window, TestKind test, bool practice);
    // One switch, one test: Start Test closes any other test's window first,
    // and its unfinished run goes with it.
    void close_other_tests(const TrialWindow* keep);
    // Start Test or Practice of `target`'s test would drop a recorded run
    // under way, in that window or another: the administrator is asked
    // first. True when the start may go ahead.
    bool may_start(const TrialWindow* target, bool practice);
    // The name the exports give the open assessment's rows.
    QString export_source_name() const;
    void apply_switch_sends(SwitchSends choice);

    AssessmentDocument m_document;
    // The document's settings as the last Start Test found them: a test window
    // reads these when it loads and restarts, so editing a setting takes
    // effect at the next Start, as the administrator expects.
    TestSettings m_trial_settings;
    AppServices m_services;
    std::unique_ptr<DefaultWindow> m_main_window;
    SingleWindow<AboutDialog> m_about;
    SingleWindow<AboutCorvaleDialog> m_about_corvale;
    SingleWindow<ActivationWindow> m_activation;
    SingleWindow<ReleaseWindow> m_release;
    SingleWindow<RepetitionWindow> m_repetition;
    SingleWindow<TrialDetailsWindow> m_trial_details;
    SingleWindow<CompareWindow> m_compare;
    ResultsPrinter m_printer;
    std::function<void()> m_end_program;
    std::unique_ptr<FileMenu> m_file_menu;
    std::unique_ptr<RecoveryJournal> m_journal;
    std::unique_ptr<RecoveryQuestions> m_recovery_boxes;
};

} // namespace tavo
