// The program's About box: version, ownership, credits, disclaimer, the web
// link, and a button that starts the system's information program.
#pragma once

#include <QDialog>

namespace tavo {

class Dialogs;
class LinkLabel;
class ProgramLauncher;
class SystemInfoLocator;

inline const QString tavo_web_address = QStringLiteral("https://www.corvale.example/");

class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    AboutDialog(Dialogs& dialogs, const SystemInfoLocator& locator, ProgramLauncher& launcher,
                QWidget* parent = nullptr);

private:
    void system_info_clicked();

    Dialogs& m_dialogs;
    const SystemInfoLocator& m_system_info_locator;
    ProgramLauncher& m_launcher;
};

} // namespace tavo
