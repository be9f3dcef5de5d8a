#include "dialogs.h"

#include "help_window.h"
#include "single_window.h"
#include "version.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <vector>

namespace tavo {

std::optional<QColor> DesktopDialogs::choose_color(QWidget* owner, const QColor& initial,
                                                   const QString& title) {
    // A fresh dialog for each choice, owned by the asking window. It lives on
    // the heap behind a guard: an owner closed while it is up (by a session
    // ending, say) deletes it, and the choice is then a Cancel.
    const QPointer<QColorDialog> dialog = new QColorDialog(initial, owner);
    dialog->setWindowTitle(title);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog) {
        return std::nullopt;
    }
    const QColor chosen = dialog->currentColor();
    delete dialog.data();
    return accepted ? std::optional<QColor>(chosen) : std::nullopt;
}

void DesktopDialogs::show_message(QWidget* owner, const QString& text) {
    // Shown without waiting, and owned by the asking window: closing that
    // window while the message is up takes the message with it, and no caller
    // is left inside a loop of the box's whose window is gone.
    auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromLatin1(application_title), text,
                                QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Messages quote file names and lines of files, which may look like
    // markup ("<h1>"): they are shown as they are, never rendered.
    box->setTextFormat(Qt::PlainText);
    // A screen reader reads the message's text with its window.
    box->setAccessibleName(QString::fromLatin1(application_title));
    box->setAccessibleDescription(text);
    box->open();
}

int DesktopDialogs::ask(QWidget* owner, const QString& text, const QStringList& answers,
                        int cancel_index) {
    // The answer is waited for, so the box lives on the heap behind a guard:
    // an owner closed meanwhile deletes it, and the answer is then Cancel.
    const QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Warning, QString::fromLatin1(application_title), text,
                        QMessageBox::NoButton, owner);
    box->setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> buttons;
    for (qsizetype i = 0; i < answers.size(); ++i) {
        const QMessageBox::ButtonRole role =
            i == cancel_index ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        buttons.push_back(box->addButton(answers.at(i), role));
    }
    if (!buttons.empty()) {
        box->setDefaultButton(buttons.front());
    }
    if (cancel_index >= 0 && static_cast<std::size_t>(cancel_index) < buttons.size()) {
        box->setEscapeButton(buttons[static_cast<std::size_t>(cancel_index)]);
    }
    box->exec();
    if (!box) {
        return cancel_index;
    }
    const QAbstractButton* clicked = box->clickedButton();
    delete box.data();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (clicked == buttons[i]) {
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
