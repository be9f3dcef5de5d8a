// Joins the main window's File menu, its close button and the save prompt to
// the file commands, and lends the commands the windows and the dialogs they
// show. The prompt exists at most once: created on first use, reused while it
// exists.
#pragma once

#include "file_commands.h"
#include "save_exit_dialog.h"
#include "single_window.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace tavo {

class DefaultWindow;
class Dialogs;

class FileMenu final : public QObject, private FileCommandHost {
    Q_OBJECT
public:
    FileMenu(AssessmentDocument& document, DefaultWindow& window, Dialogs& dialogs,
             SoundPlayer& sounds, std::function<void()> end_program);
    ~FileMenu() override;

    FileCommands& commands() { return m_commands; }
    SaveExitDialog* save_prompt() const { return m_prompt.existing(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<QString> open_file_name(const QString& filter) override;
    std::optional<QString> save_file_name(const QString& filter) override;
    void show_message(const QString& text) override;
    ChangedFileAnswer ask_about_changed_file(const QString& question) override;
    void show_save_prompt(const QString& question) override;
    void end_program() override;

    DefaultWindow& m_window;
    Dialogs& m_dialogs;
    std::function<void()> m_end_program;
    FileCommands m_commands;
    SingleWindow<SaveExitDialog> m_prompt;
    QStringList m_waiting_messages; // until the main window is shown
};

} // namespace tavo
