// The program's help viewer: shows the shipped help at a topic, with back and
// forward, and opens outside links in the desktop's browser.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace tavo {

class HelpWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the help file found by bare name among the shipped files, at the
    // topic with the given context number (1 is the first topic, the contents).
    void show_topic(const QString& help_file, int context);

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace tavo
