#include "file_commands.h"

#include "assessment_file.h"
#include "file_names.h"
#include "sound_player.h"

#include <QDir>

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

// The file's format can hold a TAB in a one-line field, but reading it back
// ends the field at the TAB and loses the rest: such text is not saved.
QString tab_refusal(const TypedFields& fields) {
    static const char* const names[] = {"Subject Name", "Administrator", "Switch Location",
                                        "Switch Type"};
    for (std::size_t i = 0; i < 4; ++i) {
        if (fields[i].contains(QLatin1Char('\t'))) {
            return QStringLiteral("the %1 contains a TAB, which the file cannot hold (the text "
                                  "after it would be lost); please replace it with a blank")
                .arg(QString::fromLatin1(names[i]));
        }
    }
    return {};
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

void FileCommands::save_as() {
    m_document.saving().save_as_requested = true;
    save();
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
    m_document.saving().pending_action = action;
    m_sounds.play(QStringLiteral("Chord.wav"));
    m_host.show_save_prompt(question);
}

void FileCommands::save_then_continue() {
    SavingState& saving = m_document.saving();
    switch (saving.pending_action) {
    case PendingAction::exit:
        saving.exit_after_save = true;
        break;
    case PendingAction::open:
        saving.open_after_save = true;
        break;
    case PendingAction::new_file:
        saving.new_after_save = true;
        break;
    case PendingAction::none:
        break;
    }
    save();
}

void FileCommands::continue_without_saving() {
    switch (m_document.saving().pending_action) {
    case PendingAction::exit:
        m_host.end_program();
        break;
    case PendingAction::open:
        open_file();
        break;
    case PendingAction::new_file:
        start_new_assessment();
        break;
    case PendingAction::none:
        break;
    }
}

// The unsaved results the flag referred to are gone, so nothing is left to
// ask about. The flag is set first, so that the views told of the new
// assessment already see nothing unsaved.
void FileCommands::start_new_assessment() {
    m_document.saving().data_saved = true;
    m_document.clear();
}

void FileCommands::save() {
    SavingState& saving = m_document.saving();
    QString path = saving.current_file_name;
    if (saving.save_as_requested || path.isEmpty()) {
        saving.save_as_requested = false;
        const std::optional<QString> chosen = m_host.save_file_name(tavo_file_filter);
        if (!chosen) {
            // The user stopped the save; a follow-up must not wait for a later one.
            abandon_save({});
            return;
        }
        path = *chosen;
    }
    const TypedFields& fields = m_document.fields();
    if (const QString refusal = tab_refusal(fields); !refusal.isEmpty()) {
        abandon_save(save_failure_message(path, refusal));
        return;
    }
    const WrittenFile written = write_assessment(fields, m_document.data());
    if (!written.ok()) {
        abandon_save(save_failure_message(path, written.error));
        return;
    }
    if (const std::optional<QString> failure = save_assessment_file(path, written.bytes)) {
        abandon_save(disk_failure_message(path, *failure));
        return;
    }
    m_document.mark_saved(path);
    run_follow_ups();
}

// A save that did not happen drops the follow-ups asked for with it, so that
// a later, unrelated save neither ends the program nor clears the assessment.
void FileCommands::abandon_save(const QString& message) {
    SavingState& saving = m_document.saving();
    saving.exit_after_save = false;
    saving.open_after_save = false;
    saving.new_after_save = false;
    if (!message.isEmpty()) {
        m_host.show_message(message);
    }
}

void FileCommands::run_follow_ups() {
    SavingState& saving = m_document.saving();
    if (saving.new_after_save) {
        saving.new_after_save = false;
        start_new_assessment();
    } else if (saving.open_after_save) {
        saving.open_after_save = false;
        open_file();
    }
    if (saving.exit_after_save) {
        saving.exit_after_save = false;
        m_host.end_program();
    }
}

void FileCommands::open_command_line_file(const QString& path) {
    m_document.saving().open_from_command_line = true;
    m_command_line_path = path;
    open_file();
}

void FileCommands::open_file() {
    SavingState& saving = m_document.saving();
    const std::optional<QString> path = saving.open_from_command_line
                                            ? std::optional<QString>(m_command_line_path)
                                            : m_host.open_file_name(tavo_file_filter);
    const bool at_start = saving.open_from_command_line;
    saving.open_from_command_line = false;
    if (path) {
        open_path(*path, at_start);
    }
}

// All or nothing: the file is read in full before anything on screen changes.
void FileCommands::open_path(const QString& path, bool at_start) {
    const ReadResult read = read_assessment_file(path, m_document.data());
    if (!read.ok()) {
        m_host.show_message(open_failure_message(path, *read.failure, at_start));
        return;
    }
    m_document.load(read.record.fields, read.record.data, path);
}

} // namespace tavo
