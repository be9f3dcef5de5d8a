// Puts the program together: the one assessment, the main window, and the
// windows its commands open, each created on first use and reused while open.
#pragma once

#include "about_corvale_dialog.h"
#include "about_dialog.h"
#include "assessment.h"
#include "single_window.h"

#include <QObject>

#include <memory>

namespace tavo {

class DefaultWindow;
class Dialogs;
class KeyStore;
class ProgramLauncher;

class TavoApplication final : public QObject {
    Q_OBJECT
public:
    TavoApplication(Dialogs& dialogs, std::unique_ptr<KeyStore> key_store,
                    std::unique_ptr<ProgramLauncher> launcher);
    ~TavoApplication() override;

    Assessment& assessment() { return m_assessment; }
    DefaultWindow& main_window() { return *m_main_window; }
    AboutDialog* about_window() const { return m_about.existing(); }
    AboutCorvaleDialog* about_corvale_window() const { return m_about_corvale.existing(); }

    // What happens when the program starts: the assessment counts as saved.
    void Form_Load();

    void show_about();
    void show_getting_tavo();
    void show_about_corvale();

private:
    AboutCorvaleDialog& about_corvale();

    Assessment m_assessment;
    Dialogs& m_dialogs;
    std::unique_ptr<KeyStore> m_key_store;
    std::unique_ptr<ProgramLauncher> m_launcher;
    std::unique_ptr<DefaultWindow> m_main_window;
    SingleWindow<AboutDialog> m_about;
    SingleWindow<AboutCorvaleDialog> m_about_corvale;
};

} // namespace tavo
