#include "tavo_application.h"

#include "about_corvale_dialog.h"
#include "about_dialog.h"
#include "default_window.h"
#include "dialogs.h"
#include "key_store.h"
#include "program_launcher.h"

namespace tavo {

namespace {

void show_modeless(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

TavoApplication::TavoApplication(Dialogs& dialogs, std::unique_ptr<KeyStore> key_store,
                                 std::unique_ptr<ProgramLauncher> launcher)
    : m_dialogs(dialogs)
    , m_key_store(std::move(key_store))
    , m_launcher(std::move(launcher))
    , m_main_window(std::make_unique<DefaultWindow>(m_assessment, dialogs)) {
    connect(m_main_window.get(), &DefaultWindow::about_requested, this,
            &TavoApplication::show_about);
    connect(m_main_window.get(), &DefaultWindow::getting_tavo_requested, this,
            &TavoApplication::show_getting_tavo);
    connect(m_main_window.get(), &DefaultWindow::about_corvale_requested, this,
            &TavoApplication::show_about_corvale);
}

TavoApplication::~TavoApplication() = default;

void TavoApplication::Form_Load() { m_assessment.saving.data_saved = true; }

void TavoApplication::show_about() {
    AboutDialog& about = m_about.get_or_create([this] {
        return new AboutDialog(m_dialogs, *m_key_store, *m_launcher, m_main_window.get());
    });
    show_modeless(about);
}

AboutCorvaleDialog& TavoApplication::about_corvale() {
    return m_about_corvale.get_or_create(
        [this] { return new AboutCorvaleDialog(m_dialogs, m_main_window.get()); });
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

} // namespace tavo
