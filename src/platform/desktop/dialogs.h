// The common dialogs the windows ask for (colour choice, plain messages, web
// links, help, file names), behind one interface so that tests can answer them.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace tavo {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a modal colour chooser with its custom-colour panel open; nullopt
    // when the user cancelled or the owner went away meanwhile.
    virtual std::optional<QColor> choose_color(QWidget* owner, const QColor& initial,
                                               const QString& title) = 0;

    // A message with only an OK button and the program's title, modal to its
    // owner and shown without waiting: the caller goes on at once, and the
    // message goes when it is answered or when its owner goes.
    virtual void show_message(QWidget* owner, const QString& text) = 0;

    // A modal question with a warning sign and one button per answer, the
    // first the default; returns the index of the answer chosen. Escape or
    // the window's close button give `cancel_index`.
    virtual int ask(QWidget* owner, const QString& text, const QStringList& answers,
                    int cancel_index) = 0;

    // Opens a web address with the desktop's handler; failures are silent.
    virtual void open_url(const QString& url) = 0;

    // Shows the program's help at the topic with the given context number, on
    // the owner's screen.
    virtual void show_help(QWidget* owner, const QString& help_file, int context) = 0;

    // Modal Open and Save As dialogs showing the files that match `filter`
    // as Qt writes a filter, "TAVO (*.tavo)"; nullopt when the user cancelled. The Save As
    // dialog asks before it replaces an existing file and adds no extension.
    virtual std::optional<QString> open_file_name(QWidget* owner, const QString& filter) = 0;
    virtual std::optional<QString> save_file_name(QWidget* owner, const QString& filter) = 0;
    // An Open dialog in which several files can be chosen, given in the order
    // the dialog hands them over; nullopt when the user cancelled.
    virtual std::optional<QStringList> open_file_names(QWidget* owner, const QString& filter) = 0;
};

// The real dialogs of the desktop.
class DesktopDialogs final : public Dialogs {
public:
    std::optional<QColor> choose_color(QWidget* owner, const QColor& initial,
                                       const QString& title) override;
    void show_message(QWidget* owner, const QString& text) override;
    int ask(QWidget* owner, const QString& text, const QStringList& answers,
            int cancel_index) override;
    void open_url(const QString& url) override;
    void show_help(QWidget* owner, const QString& help_file, int context) override;
    std::optional<QString> open_file_name(QWidget* owner, const QString& filter) override;
    std::optional<QString> save_file_name(QWidget* owner, const QString& filter) override;
    std::optional<QStringList> open_file_names(QWidget* owner, const QString& filter) override;
};

} // namespace tavo
