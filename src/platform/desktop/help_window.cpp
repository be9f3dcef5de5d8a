#include "help_window.h"

#include "data_files.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

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

namespace {

// The frame is known only once the window is shown; until then the owner's
// frame is the best guess of what the window manager will add.
QMargins frame_margins_of(const QWidget* window) {
    if (!window) {
        return {};
    }
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(),
            frame.right() - inside.right(), frame.bottom() - inside.bottom()};
}

} // namespace

QRect fit_on_screen(QRect frame, const QRect& available) {
    frame.setSize(frame.size().boundedTo(available.size()));
    frame.moveLeft(
        std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
    frame.moveTop(
        std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
    return frame;
}

void HelpWindow::show_over(const QWidget* owner) {
    if (!isVisible()) {
        QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        const QMargins margins = frame_margins_of(owner);
        QRect frame(QPoint(0, 0), size().grownBy(margins));
        frame.moveCenter(owner ? owner->frameGeometry().center()
                               : screen->availableGeometry().center());
        frame = fit_on_screen(frame, screen->availableGeometry());
        const QRect inside = frame.marginsRemoved(margins);
        resize(inside.size());
        move(frame.topLeft());
    }
    show();
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
