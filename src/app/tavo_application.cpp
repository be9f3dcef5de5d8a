#include "tavo_application.h"

#include "about_corvale_dialog.h"
#include "about_dialog.h"
#include "color_button.h"
#include "command_line.h"
#include "default_window.h"
#include "dialogs.h"
#include "file_commands.h"
#include "file_menu.h"
#include "program_launcher.h"
#include "recovery_question.h"
#include "trial_export.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>

namespace tavo {

namespace {

void show_modeless(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

// A new window of our own opens centred on the main window, whole on its screen.
void place_over(QWidget& window, const QWidget& main_window) {
    QRect frame(QPoint(), window.size());
    frame.moveCenter(main_window.frameGeometry().center());
    if (const QScreen* screen = main_window.screen()) {
        const QRect available = screen->availableGeometry();
        frame.moveRight(std::min(frame.right(), available.right()));
        frame.moveBottom(std::min(frame.bottom(), available.bottom() - 30));
        frame.moveLeft(std::max(frame.left(), available.left()));
        frame.moveTop(std::max(frame.top(), available.top()));
    }
    window.move(frame.topLeft());
}

} // namespace

TavoApplication::TavoApplication(AppServices services)
    : m_services(std::move(services))
    , m_main_window(std::make_unique<DefaultWindow>(m_document, m_services.dialogs))
    , m_printer(m_services.printer_dialog, m_services.dialogs)
    , m_end_program([] { QCoreApplication::exit(0); })
    , m_file_menu(std::make_unique<FileMenu>(m_document, *m_main_window, m_services.dialogs,
                                             m_services.sounds, [this] { end_program(); })) {
    connect(m_main_window.get(), &DefaultWindow::about_requested, this,
            &TavoApplication::show_about);
    connect(m_main_window.get(), &DefaultWindow::getting_tavo_requested, this,
            &TavoApplication::show_getting_tavo);
    connect(m_main_window.get(), &DefaultWindow::about_corvale_requested, this,
            &TavoApplication::show_about_corvale);
    connect(m_main_window.get(), &DefaultWindow::print_requested, this,
            &TavoApplication::print_results_sheet);
    connect(m_main_window.get(), &DefaultWindow::export_trial_data_requested, this,
            &TavoApplication::export_trial_data);
    connect(m_main_window.get(), &DefaultWindow::export_summary_requested, this,
            &TavoApplication::export_summary);
    connect(m_main_window.get(), &DefaultWindow::compare_requested, this,
            &TavoApplication::compare_assessments);
    connect(m_main_window.get(), &DefaultWindow::trial_details_requested, this,
            &TavoApplication::show_trial_details);
    connect(&m_document, &AssessmentDocument::changed, this, [this](DocumentChange what) {
        TrialDetailsWindow* details = m_trial_details.existing();
        if (details && what == DocumentChange::readings) {
            details->show_assessment(m_document.data(), m_document.run_errors());
        }
    });
    connect(m_main_window.get(), &DefaultWindow::activation_test_requested, this,
            &TavoApplication::start_activation_test);
    connect(m_main_window.get(), &DefaultWindow::release_test_requested, this,
            &TavoApplication::start_release_test);
    connect(m_main_window.get(), &DefaultWindow::repetition_test_requested, this,
            &TavoApplication::start_repetition_test);
    // The switch input and the open test windows follow the document's choice.
    connect(&m_document, &AssessmentDocument::changed, this, [this](DocumentChange what) {
        if (what == DocumentChange::settings) {
            apply_switch_sends(m_document.settings().switch_sends);
        }
    });
    apply_switch_sends(m_document.settings().switch_sends);
    if (!m_services.recovery_folder.isEmpty()) {
        m_journal = std::make_unique<RecoveryJournal>(
            m_document, RecoveryFolder(m_services.recovery_folder),
            m_services.make_timer(this, QStringLiteral("Recovery_Timer")),
            [this](const QString& message) { report_later(message); });
    }
}

TavoApplication::~TavoApplication() = default;

void TavoApplication::start(const QString& command_line) {
    const bool recovered = offer_recovery();
    if (!names_assessment_file(command_line)) {
        return;
    }
    if (recovered) {
        // Opening the file now would put the recovered work out of sight
        // without asking; the file can be opened once that work is saved.
        m_services.dialogs.show_message(
            m_main_window.get(),
            QStringLiteral("\"%1\" has not been opened: the recovered assessment is on "
                           "screen instead.\n\nSave the recovered assessment, then open the "
                           "file with File > Open.")
                .arg(QDir::toNativeSeparators(command_line)));
        return;
    }
    m_file_menu->commands().open_command_line_file(command_line);
}

bool TavoApplication::offer_recovery() {
    if (!m_journal) {
        return false;
    }
    if (const std::optional<QString> failure = m_journal->start()) {
        m_services.dialogs.show_message(
            m_main_window.get(),
            QStringLiteral("TAVO cannot keep recovery copies of unsaved work in \"%1\".\n\n"
                           "%2.\n\nIf TAVO ends unexpectedly, unsaved work is lost: save "
                           "often.")
                .arg(QDir::toNativeSeparators(m_journal->folder().path()), *failure));
        return false;
    }
    RecoveryQuestions* questions = m_services.recovery_questions;
    if (!questions) {
        m_recovery_boxes =
            std::make_unique<RecoveryQuestionBoxes>(m_services.dialogs, m_main_window.get());
        questions = m_recovery_boxes.get();
    }
    const std::optional<RecoveryOffer> offer =
        ask_about_left_behind(m_journal->folder(), *questions);
    if (!offer) {
        return false;
    }
    // The recovered assessment is unsaved: the journal copies it into this
    // run's own set at once, and only then does the old set go.
    m_document.recover(offer->record.fields, offer->record.data, offer->file_name);
    const RecoveryFolder& folder = m_journal->folder();
    if (QFile::exists(m_journal->data_path())) {
        folder.remove(offer->id);
    } else {
        QFile::remove(folder.lock_path(offer->id));
    }
    return true;
}

void TavoApplication::report_later(const QString& message) {
    // The journal writes while a test's switch event is being delivered; a
    // message box's event loop must not run inside that delivery.
    QMetaObject::invokeMethod(
        this, [this, message] { m_services.dialogs.show_message(m_main_window.get(), message); },
        Qt::QueuedConnection);
}

void TavoApplication::end_program() {
    if (m_journal) {
        m_journal->end_cleanly();
    }
    m_end_program();
}

SaveExitDialog* TavoApplication::save_prompt() const {
    return m_file_menu->save_prompt();
}

void TavoApplication::show_about() {
    AboutDialog& about = m_about.get_or_create([this] {
        return new AboutDialog(m_services.dialogs, *m_services.sys_info, *m_services.launcher,
                               m_main_window.get());
    });
    show_modeless(about);
}

AboutCorvaleDialog& TavoApplication::about_corvale() {
    return m_about_corvale.get_or_create(
        [this] { return new AboutCorvaleDialog(m_services.dialogs, m_main_window.get()); });
}

void TavoApplication::show_getting_tavo() {
    AboutCorvaleDialog& dialog = about_corvale();
    dialog.fill_as_getting_tavo();
    show_modeless(dialog);
}

void TavoApplication::show_about_corvale() {
    AboutCorvaleDialog& dialog = about_corvale();
    dialog.fill_as_about_corvale();
    show_modeless(dialog);
}

TrialWindowServices TavoApplication::trial_window_services() {
    return {{m_trial_settings, m_document, m_services.clock, m_services.sounds, m_services.random,
             m_services.switch_input, m_services.readings, m_services.presenter},
            m_services.dialogs,
            m_services.make_timer,
            m_services.presenter};
}

void TavoApplication::apply_switch_sends(SwitchSends choice) {
    m_services.switch_input.set_switch_sends(choice);
    for (TrialWindow* window : std::initializer_list<TrialWindow*>{
             m_activation.existing(), m_release.existing(), m_repetition.existing()}) {
        if (window) {
            window->set_switch_sends(choice);
        }
    }
}

void TavoApplication::show_test_window(TrialWindow& window, TestKind test, bool practice) {
    window.set_practice(practice);
    window.set_switch_sends(m_document.settings().switch_sends);
    window.setWindowState(m_document.full_screen(test) ? Qt::WindowMaximized : Qt::WindowNoState);
    window.show();
    window.raise();
    window.activateWindow();
}

void TavoApplication::close_other_tests(const TrialWindow* keep) {
    for (TrialWindow* window : std::initializer_list<TrialWindow*>{
             m_activation.existing(), m_release.existing(), m_repetition.existing()}) {
        if (window && window != keep) {
            window->close();
        }
    }
}

bool TavoApplication::may_start(const TrialWindow* target, bool practice) {
    for (TrialWindow* window : std::initializer_list<TrialWindow*>{
             m_activation.existing(), m_release.existing(), m_repetition.existing()}) {
        if (window && window->trial().start_drops_run(window == target, practice)) {
            return window->confirm_discard(m_main_window.get());
        }
    }
    return true;
}

void TavoApplication::start_activation_test(bool practice) {
    if (!may_start(m_activation.existing(), practice)) {
        return;
    }
    m_trial_settings = m_document.settings();
    close_other_tests(m_activation.existing());
    ActivationWindow& window = m_activation.get_or_create(
        [this] { return new ActivationWindow(trial_window_services(), m_main_window.get()); });
    window.set_stimulus_colour(to_qcolor(m_document.colour(StimulusColour::activation)));
    show_test_window(window, TestKind::activation, practice);
}

void TavoApplication::start_release_test(bool practice) {
    if (!may_start(m_release.existing(), practice)) {
        return;
    }
    m_trial_settings = m_document.settings();
    close_other_tests(m_release.existing());
    ReleaseWindow& window = m_release.get_or_create(
        [this] { return new ReleaseWindow(trial_window_services(), m_main_window.get()); });
    window.set_stimulus_colour(to_qcolor(m_document.colour(StimulusColour::release_hold)));
    window.set_release_colour(to_qcolor(m_document.colour(StimulusColour::release_cue)));
    show_test_window(window, TestKind::release, practice);
}

void TavoApplication::start_repetition_test(bool practice) {
    if (!may_start(m_repetition.existing(), practice)) {
        return;
    }
    m_trial_settings = m_document.settings();
    close_other_tests(m_repetition.existing());
    RepetitionWindow& window = m_repetition.get_or_create(
        [this] { return new RepetitionWindow(trial_window_services(), m_main_window.get()); });
    window.set_stimulus_colour(to_qcolor(m_document.colour(StimulusColour::repetition)));
    show_test_window(window, TestKind::repetition, practice);
}

void TavoApplication::print_results_sheet() {
    m_printer.print_results_sheet(m_main_window.get(), m_document.fields(), m_document.results(),
                                  m_document.data(), m_document.run_errors(),
                                  m_document.file_name());
}

void TavoApplication::export_trial_data() {
    tavo::export_trial_data(
        m_main_window.get(), m_services.dialogs,
        {export_source_name(), m_document.fields(), m_document.data(), m_document.run_errors()},
        m_document.file_name());
}

// The rows of an assessment that differs from its file (a new run, an edit)
// are not that file's: they are labelled as unsaved, not with its name.
QString TavoApplication::export_source_name() const {
    if (m_document.file_name().isEmpty() || m_document.unsaved_changes()) {
        return QStringLiteral("(unsaved)");
    }
    return QFileInfo(m_document.file_name()).fileName();
}

void TavoApplication::export_summary() {
    tavo::export_test_figures(
        m_main_window.get(), m_services.dialogs,
        {export_source_name(), m_document.fields(), m_document.data(), m_document.run_errors()},
        m_document.file_name());
}

void TavoApplication::show_trial_details() {
    const bool first_time = m_trial_details.existing() == nullptr;
    TrialDetailsWindow& window = m_trial_details.get_or_create(
        [this] { return new TrialDetailsWindow(m_main_window.get()); });
    window.show_assessment(m_document.data(), m_document.run_errors());
    if (first_time) {
        place_over(window, *m_main_window);
    }
    show_modeless(window);
}

void TavoApplication::compare_assessments() {
    const std::optional<QStringList> paths =
        m_services.dialogs.open_file_names(m_main_window.get(), tavo_file_filter);
    if (!paths) {
        return;
    }
    const Comparison comparison = load_comparison(*paths);
    if (!comparison.failures.isEmpty()) {
        m_services.dialogs.show_message(
            m_main_window.get(),
            QStringLiteral("%1 could not be read and %2 left out of the comparison:\n\n%3")
                .arg(comparison.failures.size() == 1 ? QStringLiteral("This file")
                                                     : QStringLiteral("These files"),
                     comparison.failures.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"),
                     comparison.failures.join(QLatin1Char('\n'))));
    }
    if (comparison.assessments.empty()) {
        return;
    }
    const bool first_time = m_compare.existing() == nullptr;
    CompareWindow& window =
        m_compare.get_or_create([this] { return new CompareWindow(m_main_window.get()); });
    window.show_comparison(comparison.assessments);
    if (first_time) {
        place_over(window, *m_main_window);
    }
    show_modeless(window);
}

} // namespace tavo
