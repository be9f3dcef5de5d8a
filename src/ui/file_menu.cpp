#include "file_menu.h"

#include "default_window.h"
#include "dialogs.h"

#include <QEvent>
#include <QTimer>
#include <utility>

namespace tavo {

FileMenu::FileMenu(AssessmentDocument& document, DefaultWindow& window, Dialogs& dialogs,
                   SoundPlayer& sounds, std::function<void()> end_program)
    : m_window(window)
    , m_dialogs(dialogs)
    , m_end_program(std::move(end_program))
    , m_commands(document, *this, sounds) {
    connect(&window, &DefaultWindow::new_requested, this, [this] { m_commands.new_file(); });
    connect(&window, &DefaultWindow::open_requested, this, [this] { m_commands.open(); });
    connect(&window, &DefaultWindow::save_requested, this, [this] { m_commands.save(); });
    connect(&window, &DefaultWindow::save_as_requested, this, [this] { m_commands.save_as(); });
    connect(&window, &DefaultWindow::exit_requested, this, [this] { m_commands.exit(); });
}

FileMenu::~FileMenu() = default;

std::optional<QString> FileMenu::open_file_name(const QString& filter) {
    return m_dialogs.open_file_name(&m_window, filter);
}

std::optional<QString> FileMenu::save_file_name(const QString& filter) {
    return m_dialogs.save_file_name(&m_window, filter);
}

void FileMenu::show_message(const QString& text) {
    if (m_window.isVisible()) {
        m_dialogs.show_message(&m_window, text);
        return;
    }
    // A file named on the command line is opened before the main window is
    // shown: its failure is told over the window, not alone in a corner.
    m_waiting_messages << text;
    m_window.installEventFilter(this);
}

ChangedFileAnswer FileMenu::ask_about_changed_file(const QString& question) {
    const QStringList answers = {QStringLiteral("Save Anyway"), QStringLiteral("Save As..."),
                                 QStringLiteral("Cancel")};
    constexpr ChangedFileAnswer meaning[] = {ChangedFileAnswer::save_anyway,
                                             ChangedFileAnswer::save_as, ChangedFileAnswer::cancel};
    const int chosen = m_dialogs.ask(&m_window, question, answers, 2);
    return chosen >= 0 && chosen < 3 ? meaning[chosen] : ChangedFileAnswer::cancel;
}

bool FileMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Show) {
        m_window.removeEventFilter(this);
        // Once the window is on screen, after the event that shows it.
        QTimer::singleShot(0, this, [this] {
            const QStringList messages = std::exchange(m_waiting_messages, {});
            for (const QString& text : messages) {
                m_dialogs.show_message(&m_window, text);
            }
        });
    }
    return QObject::eventFilter(watched, event);
}

void FileMenu::show_save_prompt(const QString& question) {
    SaveExitDialog& prompt = m_prompt.get_or_create([this] {
        auto* dialog = new SaveExitDialog(&m_window);
        connect(dialog, &SaveExitDialog::yes_clicked, this,
                [this] { m_commands.save_then_continue(); });
        connect(dialog, &SaveExitDialog::no_clicked, this,
                [this] { m_commands.continue_without_saving(); });
        return dialog;
    });
    prompt.set_question(question);
    prompt.show();
    prompt.raise();
    prompt.activateWindow();
}

void FileMenu::end_program() {
    m_end_program();
}

} // namespace tavo
