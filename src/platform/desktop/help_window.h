// The program's help viewer: shows the shipped help at a topic, with back and
// forward, and opens outside links in the desktop's browser.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace tavo {

// The frame rectangle moved, and made smaller where it must be, so that it lies
// wholly within `available`.
QRect fit_on_screen(QRect frame, const QRect& available);

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the help file found by bare name among the shipped files, at the
    // topic with the given context number (1 is the first topic, the contents).
    void show_topic(const QString& help_file, int context);

    // Shows the window on the owner's screen (the primary one without an
    // owner), centred over the owner and wholly on the screen, made smaller
    // where the screen is small. A window already shown stays where the user
    // put it.
    void show_over(const QWidget* owner);

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace tavo
