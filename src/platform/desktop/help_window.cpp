#include "help_window.h"

#include "data_files.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tavo {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("TAVO Help"));
    m_browser->setObjectName(QStringLiteral("help_browser"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);

    auto* back = new QPushButton(tr("&Back"), this);
    auto* forward = new QPushButton(tr("&Forward"), this);
    auto* contents = new QPushButton(tr("&Contents"), this);
    auto* close = new QPushButton(tr("Close"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, m_browser, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    new QShortcut(QKeySequence::Close, this, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    resize(720, 600);
}

void HelpWindow::show_topic(const QString& help_file, int context) {
    const QString path = find_data_file(help_file);
    if (path.isEmpty()) {
        m_browser->setHtml(tr("<h2>Help is not available</h2><p>The help file <b>%1</b> was not "
                              "found in %2. Reinstalling TAVO restores it.</p>")
                               .arg(help_file.toHtmlEscaped(), data_directory().toHtmlEscaped()));
        return;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (context > 1) {
        url.setFragment(QStringLiteral("topic%1").arg(context));
    }
    m_browser->setSource(url);
}

} // namespace tavo
