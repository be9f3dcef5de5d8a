// The File menu's commands and the save prompt's answers: when to ask for a
// file name, when to ask before unsaved work is dropped, and what follows each
// answer. It decides; the windows it talks to through FileCommandHost show
// and ask. Nothing waits for the save prompt: its buttons call back in.
#pragma once

#include "assessment_document.h"
#include "file_identity.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tavo {

class SoundPlayer;

// The answers to "... was changed by another program since you opened it".
enum class ChangedFileAnswer { save_anyway, save_as, cancel };

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

    // Asks, modal, whether to replace a file someone else has changed since
    // it was opened or saved here: Save Anyway, Save As... or Cancel.
    virtual ChangedFileAnswer ask_about_changed_file(const QString& question) = 0;

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
    // The command that raised the save prompt, and carries on after its answer.
    enum class PendingAction { exit, open, new_file };
    // Save asks for a name when the assessment has none yet.
    enum class FileNameChoice { current_if_any, ask };

    void show_prompt(PendingAction action, const QString& question);
    void start_new_assessment();
    // Saves, then carries on with the command that waited for the save; a
    // save that does not happen drops it.
    void save_then(FileNameChoice choice, std::optional<PendingAction> follow_up);
    void carry_on_with(PendingAction action);
    void open_path(const QString& path, bool at_start);
    // The file as this assessment last read or wrote it.
    void remember_file(const QString& path, const std::optional<FileIdentity>& identity,
                       const QByteArray& hash);
    bool changed_by_another(const QString& path) const;

    AssessmentDocument& m_document;
    FileCommandHost& m_host;
    SoundPlayer& m_sounds;
    std::optional<PendingAction> m_pending_action;

    // What the file was when this assessment last read or wrote it, so that
    // a save does not silently replace what someone else saved meanwhile.
    struct KnownFile {
        QString path;
        std::optional<FileIdentity> identity;
        QByteArray hash;
    };
    std::optional<KnownFile> m_known_file;
};

} // namespace tavo
