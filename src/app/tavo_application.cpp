#include "tavo_application.h"

#include "about_corvale_dialog.h"
#include "about_dialog.h"
#include "color_button.h"
#include "command_line.h"
#include "default_window.h"
#include "dialogs.h"
#include "file_menu.h"
#include "key_store.h"
#include "program_launcher.h"

#include <QCoreApplication>

namespace tavo {

namespace {

void show_modeless(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

TavoApplication::TavoApplication(AppServices services)
    : m_services(std::move(services))
    , m_main_window(std::make_unique<DefaultWindow>(m_assessment, m_services.dialogs))
    , m_printer(m_services.printer_dialog, m_services.dialogs)
    , m_end_program([] { QCoreApplication::exit(0); })
    , m_file_menu(std::make_unique<FileMenu>(m_assessment, *m_main_window, m_services.dialogs,
                                             m_services.sounds, [this] { end_program(); })) {
    connect(m_main_window.get(), &DefaultWindow::about_requested, this,
            &TavoApplication::show_about);
    connect(m_main_window.get(), &DefaultWindow::getting_tavo_requested, this,
            &TavoApplication::show_getting_tavo);
    connect(m_main_window.get(), &DefaultWindow::about_corvale_requested, this,
            &TavoApplication::show_about_corvale);
    connect(m_main_window.get(), &DefaultWindow::print_requested, this,
            &TavoApplication::print_results_sheet);
    connect(m_main_window.get(), &DefaultWindow::activation_test_requested, this,
            &TavoApplication::start_activation_test);
    connect(m_main_window.get(), &DefaultWindow::release_test_requested, this,
            &TavoApplication::start_release_test);
    connect(m_main_window.get(), &DefaultWindow::repetition_test_requested, this,
            &TavoApplication::start_repetition_test);
    connect(m_main_window.get(), &DefaultWindow::switch_sends_changed, this,
            &TavoApplication::apply_switch_sends);
    apply_switch_sends(m_main_window->switch_sends());
}

TavoApplication::~TavoApplication() = default;

void TavoApplication::Form_Load(const QString& command_line) {
    m_assessment.saving.data_saved = true;
    if (names_assessment_file(command_line)) {
        m_file_menu->commands().open_command_line_file(command_line);
    }
}

SaveExitDialog* TavoApplication::save_prompt() const {
    return m_file_menu->save_prompt();
}

void TavoApplication::show_about() {
    AboutDialog& about = m_about.get_or_create([this] {
        return new AboutDialog(m_services.dialogs, *m_services.key_store, *m_services.launcher,
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
    return {{m_assessment, m_services.clock, m_services.sounds, m_services.random,
             m_services.hook, m_services.readings},
            m_services.dialogs,
            m_services.make_timer};
}

void TavoApplication::apply_switch_sends(SwitchSends choice) {
    m_services.hook.set_switch_sends(choice);
    for (TrialWindow* window : std::initializer_list<TrialWindow*>{
             m_activation.existing(), m_release.existing(), m_repetition.existing()}) {
        if (window) {
            window->set_switch_sends(choice);
        }
    }
}

void TavoApplication::show_test_window(TrialWindow& window, bool full_screen) {
    window.set_results_changed_handler([this] { m_main_window->process_results(); });
    window.set_switch_sends(m_main_window->switch_sends());
    window.setWindowState(full_screen ? Qt::WindowMaximized : Qt::WindowNoState);
    window.show();
    window.raise();
    window.activateWindow();
}

void TavoApplication::start_activation_test() {
    ActivationWindow& window = m_activation.get_or_create(
        [this] { return new ActivationWindow(trial_window_services(), m_main_window.get()); });
    window.set_stimulus_colour(to_qcolor(m_main_window->act_color()));
    show_test_window(window, m_main_window->act_full_screen());
}

void TavoApplication::start_release_test() {
    ReleaseWindow& window = m_release.get_or_create(
        [this] { return new ReleaseWindow(trial_window_services(), m_main_window.get()); });
    window.set_stimulus_colour(to_qcolor(m_main_window->rel_hold_color()));
    window.set_release_colour(to_qcolor(m_main_window->rel_release_color()));
    show_test_window(window, m_main_window->rel_full_screen());
}

void TavoApplication::start_repetition_test() {
    RepetitionWindow& window = m_repetition.get_or_create(
        [this] { return new RepetitionWindow(trial_window_services(), m_main_window.get()); });
    window.set_stimulus_colour(to_qcolor(m_main_window->rep_color()));
    show_test_window(window, m_main_window->rep_full_screen());
}

void TavoApplication::print_results_sheet() {
    m_printer.print_results_sheet(m_main_window.get(), m_main_window->typed_fields(),
                                  m_main_window->shown_results());
}

} // namespace tavo
