// The program's About box: version, ownership, credits, disclaimer, the web
// link, and a button that starts the system's information program.
#pragma once

#include <QDialog>

namespace tavo {

class Dialogs;
class KeyStore;
class LinkLabel;
class ProgramLauncher;

inline const QString tavo_web_address = QStringLiteral("https://www.corvale.example/");

class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    AboutDialog(Dialogs& dialogs, const KeyStore& key_store, ProgramLauncher& launcher,
                QWidget* parent = nullptr);

private:
    void system_info_clicked();

    Dialogs& m_dialogs;
    const KeyStore& m_key_store;
    ProgramLauncher& m_launcher;
};

} // namespace tavo
