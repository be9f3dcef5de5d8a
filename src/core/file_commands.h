// The File menu's commands and the save prompt's answers: when to ask for a
// file name, when to ask before unsaved work is dropped, and what follows each
// answer. It decides; the windows it talks to through FileCommandHost show
// and ask. Nothing waits for the save prompt: its buttons call back in.
#pragma once

#include "assessment_document.h"

#include <QString>
#include <optional>

namespace tavo {

class SoundPlayer;

// What the commands need from the windows and the desktop.
class FileCommandHost {
public:
    virtual ~FileCommandHost() = default;

    // Modal file dialogs showing the given filter; nullopt is Cancel. The
    // save dialog asks before it replaces an existing file.
    virtual std::optional<QString> open_file_name(const QString& filter) = 0;
    virtual std::optional<QString> save_file_name(const QString& filter) = 0;
    // A message about the main window's work; one that comes before the main
    // window is shown waits for it.
    virtual void show_message(const QString& text) = 0;

    // Shows the save prompt modeless with the question and returns at once.
    virtual void show_save_prompt(const QString& question) = 0;
    // Ends the program at once, with no further prompt.
    virtual void end_program() = 0;
};

inline const QString tavo_file_filter = QStringLiteral("TAVO (*.tavo)");

class FileCommands {
public:
    FileCommands(AssessmentDocument& document, FileCommandHost& host, SoundPlayer& sounds);

    void new_file();
    void open();
    void save();
    void save_as();
    // Closing the main window acts the same way.
    void exit();

    // The save prompt's buttons; the prompt has hidden itself already.
    void save_then_continue();
    void continue_without_saving();

    // Asks for a file with the Open dialog and opens it.
    void open_file();
    // Opens a file named on the command line, without a dialog.
    void open_command_line_file(const QString& path);

private:
    void show_prompt(PendingAction action, const QString& question);
    void start_new_assessment();
    void open_path(const QString& path, bool at_start);
    void abandon_save(const QString& message);
    void run_follow_ups();

    AssessmentDocument& m_document;
    FileCommandHost& m_host;
    SoundPlayer& m_sounds;
    QString m_command_line_path;
};

} // namespace tavo
