#include "file_commands.h"

#include "assessment_file.h"
#include "file_names.h"
#include "sound_player.h"
#include "whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

namespace tavo {

namespace {

// A name's bytes that are no text (an old drive's names) are shown as \xff.
QString shown_path(const QString& path) {
    return displayed_file_name(QDir::toNativeSeparators(path));
}

// A file named on the command line is opened at start, when nothing is on
// screen yet to be left unchanged.
QString open_failure_message(const QString& path, const ReadFailure& failure, bool at_start) {
    const QString outcome = at_start
                                ? QStringLiteral("TAVO has started with a new, empty assessment.")
                                : QStringLiteral("The assessment on screen is unchanged.");
    return QStringLiteral("Could not open \"%1\".\n\n%2.\n\n%3")
        .arg(shown_path(path), describe_read_failure(failure), outcome);
}

QString save_failure_message(const QString& path, const QString& reason) {
    return QStringLiteral("Could not save \"%1\".\n\n%2.\n\nThe assessment has not been saved; "
                          "any earlier file of that name is unchanged.")
        .arg(shown_path(path), reason);
}

// The disk or the folder refused the file (full, read-only, no permission):
// the assessment is still whole on screen and can go somewhere else.
QString disk_failure_message(const QString& path, const QString& reason) {
    return save_failure_message(path, reason) +
           QStringLiteral("\n\nTo keep it, save it in another folder or on another disk with "
                          "File > Save As.");
}

} // namespace

FileCommands::FileCommands(AssessmentDocument& document, FileCommandHost& host, SoundPlayer& sounds)
    : m_document(document)
    , m_host(host)
    , m_sounds(sounds) {}

void FileCommands::new_file() {
    if (!m_document.unsaved_changes()) {
        start_new_assessment();
        return;
    }
    show_prompt(PendingAction::new_file,
                QStringLiteral("Do you want to save changes before creating a new file?"));
}

void FileCommands::open() {
    if (!m_document.unsaved_changes()) {
        open_file();
        return;
    }
    show_prompt(PendingAction::open,
                QStringLiteral("Do you want to save changes before opening another file?"));
}

void FileCommands::save() {
    save_then(FileNameChoice::current_if_any, std::nullopt);
}

void FileCommands::save_as() {
    save_then(FileNameChoice::ask, std::nullopt);
}

void FileCommands::exit() {
    if (!m_document.unsaved_changes()) {
        m_host.end_program();
        return;
    }
    show_prompt(PendingAction::exit,
                QStringLiteral("Do you want to save changes before quitting?"));
}

void FileCommands::show_prompt(PendingAction action, const QString& question) {
    m_pending_action = action;
    m_sounds.play(QStringLiteral("Chord.wav"));
    m_host.show_save_prompt(question);
}

void FileCommands::save_then_continue() {
    save_then(FileNameChoice::current_if_any, std::exchange(m_pending_action, std::nullopt));
}

void FileCommands::continue_without_saving() {
    if (const std::optional<PendingAction> action = std::exchange(m_pending_action, std::nullopt)) {
        carry_on_with(*action);
    }
}

void FileCommands::carry_on_with(PendingAction action) {
    switch (action) {
    case PendingAction::exit:
        m_host.end_program();
        break;
    case PendingAction::open:
        open_file();
        break;
    case PendingAction::new_file:
        start_new_assessment();
        break;
    }
}

void FileCommands::start_new_assessment() {
    m_known_file.reset();
    m_document.clear();
}

// A save that does not happen (cancelled, refused, failed) returns before
// the follow-up, so that a later, unrelated save neither ends the program nor
// clears the assessment.
void FileCommands::save_then(FileNameChoice choice, std::optional<PendingAction> follow_up) {
    QString path = m_document.file_name();
    if (choice == FileNameChoice::ask || path.isEmpty()) {
        const std::optional<QString> chosen = m_host.save_file_name(tavo_file_filter);
        if (!chosen) {
            return;
        }
        path = *chosen;
    }
    const WrittenFile written =
        write_assessment(m_document.fields(), m_document.data(), m_document.text_encoding());
    if (!written.ok()) {
        m_host.show_message(save_failure_message(path, written.error));
        return;
    }
    if (changed_by_another(path)) {
        const QString question =
            QStringLiteral("%1 was changed by another program since you opened it.\n\n"
                           "Save Anyway replaces those changes with the assessment on screen; "
                           "Save As... keeps both.")
                .arg(displayed_file_name(QFileInfo(path).fileName()));
        switch (m_host.ask_about_changed_file(question)) {
        case ChangedFileAnswer::save_anyway:
            break;
        case ChangedFileAnswer::save_as:
            // The follow-up stays: the save it waits for goes on under a new name.
            save_then(FileNameChoice::ask, follow_up);
            return;
        case ChangedFileAnswer::cancel:
            return;
        }
    }
    if (const std::optional<QString> failure = save_assessment_file(path, written.bytes)) {
        m_host.show_message(disk_failure_message(path, *failure));
        return;
    }
    remember_file(path, file_identity(path), content_hash(written.bytes));
    m_document.mark_saved(path);
    if (follow_up) {
        carry_on_with(*follow_up);
    }
}

void FileCommands::remember_file(const QString& path, const std::optional<FileIdentity>& identity,
                                 const QByteArray& hash) {
    m_known_file = KnownFile{QFileInfo(path).absoluteFilePath(), identity, hash};
}

// Only the file this assessment came from or went to can hold someone else's
// change; a name chosen in the Save As dialog was confirmed there. A file
// that has disappeared holds nothing to lose. A new identity with the same
// content (a copy put back, a touch) is no change either.
bool FileCommands::changed_by_another(const QString& path) const {
    if (!m_known_file || m_known_file->path != QFileInfo(path).absoluteFilePath()) {
        return false;
    }
    const std::optional<FileIdentity> now = file_identity(path);
    if (!now) {
        return false;
    }
    if (m_known_file->identity && *now == *m_known_file->identity) {
        return false;
    }
    const WholeFile file = read_whole_file(path, largest_assessment_file);
    return !file.ok() || content_hash(file.bytes) != m_known_file->hash;
}

void FileCommands::open_command_line_file(const QString& path) {
    open_path(path, true);
}

void FileCommands::open_file() {
    if (const std::optional<QString> path = m_host.open_file_name(tavo_file_filter)) {
        open_path(*path, false);
    }
}

// All or nothing: the file is read in full before anything on screen changes.
// Its identity is taken first: a change made while it is read then shows as
// a new identity, and the content read is what the hash compares.
void FileCommands::open_path(const QString& path, bool at_start) {
    const std::optional<FileIdentity> identity = file_identity(path);
    const ReadResult read = read_assessment_file(path, m_document.data());
    if (!read.ok()) {
        m_host.show_message(open_failure_message(path, *read.failure, at_start));
        return;
    }
    remember_file(path, identity, read.content_hash);
    m_document.load(read.record.fields, read.record.data, path, read.record.encoding);
}

} // namespace tavo
