#include "dialogs.h"

#include "help_window.h"
#include "single_window.h"
#include "version.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <vector>

namespace tavo {

std::optional<QColor> DesktopDialogs::choose_color(QWidget* owner, const QColor& initial,
                                                   const QString& title) {
    // A fresh dialog for each choice, owned by the asking window.
    QColorDialog dialog(initial, owner);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.currentColor();
}

void DesktopDialogs::show_message(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(application_title), text,
                    QMessageBox::Ok, owner);
    // Messages quote file names and lines of files, which may look like
    // markup ("<h1>"): they are shown as they are, never rendered.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

int DesktopDialogs::ask(QWidget* owner, const QString& text, const QStringList& answers,
                        int cancel_index) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(application_title), text,
                    QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> buttons;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const QMessageBox::ButtonRole role =
            i == cancel_index ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        buttons.push_back(box.addButton(answers.at(i), role));
    }
    if (!buttons.empty()) {
        box.setDefaultButton(buttons.front());
    }
    if (cancel_index >= 0 && static_cast<std::size_t>(cancel_index) < buttons.size()) {
        box.setEscapeButton(buttons[static_cast<std::size_t>(cancel_index)]);
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) {
            return static_cast<int>(i);
        }
    }
    return cancel_index;
}

void DesktopDialogs::open_url(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

void DesktopDialogs::show_help(QWidget* owner, const QString& help_file, int context) {
    static SingleWindow<HelpWindow> help;
    HelpWindow& window = help.get_or_create([] { return new HelpWindow; });
    window.show_topic(help_file, context);
    window.show_over(owner);
    window.raise();
    window.activateWindow();
}

std::optional<QString> DesktopDialogs::open_file_name(QWidget* owner, const QString& filter) {
    const QString name = QFileDialog::getOpenFileName(owner, QString(), QString(), filter);
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

std::optional<QString> DesktopDialogs::save_file_name(QWidget* owner, const QString& filter) {
    const QString name = QFileDialog::getSaveFileName(owner, QString(), QString(), filter);
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

std::optional<QStringList> DesktopDialogs::open_file_names(QWidget* owner, const QString& filter) {
    const QStringList names = QFileDialog::getOpenFileNames(owner, QString(), QString(), filter);
    return names.isEmpty() ? std::nullopt : std::optional<QStringList>(names);
}

} // namespace tavo
