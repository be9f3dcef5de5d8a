#include "default_window.h"

#include "background_tab.h"
#include "design_font.h"
#include "dialogs.h"
#include "main_menus.h"
#include "performance_tab.h"
#include "results_tab.h"
#include "switch_sends_dialog.h"
#include "twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

namespace tavo {

namespace {

constexpr int design_client_width = 9900;
constexpr int design_client_height = 6390;
const QString help_file = QStringLiteral("tavo-help.html");

} // namespace

DefaultWindow::DefaultWindow(AssessmentDocument& document, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_dialogs(dialogs) {
    setObjectName(QStringLiteral("Default"));
    // "[*]" shows the system's mark for unsaved work: an asterisk after the
    // title here, the dot in the close button on macOS.
    setWindowTitle(QStringLiteral("TAVO - Marlowen[*]"));
    setFont(design_font(font()));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMinimumSize(twips_size(design_client_width, design_client_height));
    setCentralWidget(client);

    m_top_shadow_line = new QFrame(client);
    m_top_shadow_line->setObjectName(QStringLiteral("Line1"));
    m_top_highlight_line = new QFrame(client);
    m_top_highlight_line->setObjectName(QStringLiteral("Line2"));
    m_top_shadow_line->setAutoFillBackground(true);
    m_top_highlight_line->setAutoFillBackground(true);
    m_top_shadow_line->setBackgroundRole(QPalette::Dark);
    m_top_highlight_line->setBackgroundRole(QPalette::Light);

    m_tabs = new QTabWidget(client);
    m_tabs->setObjectName(QStringLiteral("Tabs"));
    m_tabs->setGeometry(twips_rect(120, 120, 9720, 6180));
    // Each page is made inside the tab control, so it has the window's font
    // while it builds its controls.
    m_background_tab = new BackgroundTab(m_document, m_tabs);
    m_performance_tab = new PerformanceTab(m_document, m_dialogs, m_tabs);
    m_results_tab = new ResultsTab(m_tabs);
    m_tabs->addTab(m_background_tab, QStringLiteral("  &Background Info  "));
    m_tabs->addTab(m_performance_tab, QStringLiteral("  &Performance Tests  "));
    m_tabs->addTab(m_results_tab, QStringLiteral("  &Test Results  "));
    // Positions on the tabs are designed from the tab control's own corner;
    // the pages start below the row of tab captions, whose height is known
    // once the captions are in.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_tabs);
    const QPoint page_origin(frame, m_tabs->tabBar()->sizeHint().height() + frame);
    for (TabPage* page :
         std::initializer_list<TabPage*>{m_background_tab, m_performance_tab, m_results_tab}) {
        page->set_origin(page_origin);
    }
    connect(m_background_tab, &BackgroundTab::done, this, [this] { m_tabs->setCurrentIndex(1); });
    connect(m_performance_tab, &PerformanceTab::activation_test_requested, this,
            &DefaultWindow::activation_test_requested);
    connect(m_performance_tab, &PerformanceTab::release_test_requested, this,
            &DefaultWindow::release_test_requested);
    connect(m_performance_tab, &PerformanceTab::repetition_test_requested, this,
            &DefaultWindow::repetition_test_requested);
    connect(m_results_tab, &ResultsTab::print_requested, this, &DefaultWindow::print_requested);
    connect(m_results_tab, &ResultsTab::trial_details_requested, this,
            &DefaultWindow::trial_details_requested);
    auto* details_key = new QAction(this);
    details_key->setObjectName(QStringLiteral("trial_details_key"));
    details_key->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(details_key);
    connect(details_key, &QAction::triggered, this, &DefaultWindow::trial_details_requested);

    connect_menus();
    m_tabs->setCurrentIndex(0);
    m_background_tab->focus_first_field();
    connect(&m_document, &AssessmentDocument::changed, this, &DefaultWindow::show_document);
    connect(&m_document, &AssessmentDocument::changed, this,
            [this] { setWindowModified(m_document.unsaved_changes()); });
    setWindowModified(m_document.unsaved_changes());
    m_background_tab->show_fields();
    m_performance_tab->show_settings();
    m_results_tab->show_results(m_document.results());

    resize(twips_size(design_client_width, design_client_height) +
           QSize(0, menuBar()->sizeHint().height()));
    stretch_top_lines();
}

DefaultWindow::~DefaultWindow() = default;

// The file commands are carried out by whoever listens to the signals.
void DefaultWindow::connect_menus() {
    const MainMenus menus = build_main_menus(menuBar());
    connect(menus.new_file, &QAction::triggered, this, &DefaultWindow::new_requested);
    connect(menus.open, &QAction::triggered, this, &DefaultWindow::open_requested);
    connect(menus.save, &QAction::triggered, this, &DefaultWindow::save_requested);
    connect(menus.save_as, &QAction::triggered, this, &DefaultWindow::save_as_requested);
    connect(menus.print, &QAction::triggered, this, &DefaultWindow::print_requested);
    connect(menus.export_trial_data, &QAction::triggered, this,
            &DefaultWindow::export_trial_data_requested);
    connect(menus.export_summary, &QAction::triggered, this,
            &DefaultWindow::export_summary_requested);
    connect(menus.compare, &QAction::triggered, this, &DefaultWindow::compare_requested);
    connect(menus.exit, &QAction::triggered, this, &DefaultWindow::exit_requested);
    connect(menus.switch_sends, &QAction::triggered, this, &DefaultWindow::choose_switch_sends);
    connect(menus.help_contents, &QAction::triggered, this,
            [this] { m_dialogs.show_help(this, help_file, 1); });
    connect(menus.about, &QAction::triggered, this, &DefaultWindow::about_requested);
    connect(menus.getting_tavo, &QAction::triggered, this, &DefaultWindow::getting_tavo_requested);
    connect(menus.about_corvale, &QAction::triggered, this,
            &DefaultWindow::about_corvale_requested);
}

void DefaultWindow::choose_switch_sends() {
    // Modal, but without a nested event loop: the answer comes with accepted().
    auto* dialog = new SwitchSendsDialog(m_document.settings().switch_sends, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { m_document.set_switch_sends(dialog->choice()); });
    dialog->open();
}

void DefaultWindow::show_document(DocumentChange what) {
    switch (what) {
    case DocumentChange::fields:
        m_background_tab->show_fields();
        break;
    case DocumentChange::settings:
        m_performance_tab->show_settings();
        break;
    case DocumentChange::readings:
        m_background_tab->show_fields();
        m_results_tab->show_results(m_document.results());
        break;
    case DocumentChange::saving:
        break;
    }
}

void DefaultWindow::stretch_top_lines() {
    const int width = centralWidget()->width();
    m_top_shadow_line->setGeometry(0, 0, width, 1);
    m_top_highlight_line->setGeometry(0, px(12) > 0 ? px(12) : 1, width, 1);
}

// The window never closes by itself: closing it is a request to exit, which
// either ends the program or asks about unsaved work first.
void DefaultWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT exit_requested();
}

void DefaultWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    stretch_top_lines();
}

void DefaultWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_centred && screen()) {
        m_centred = true;
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
    stretch_top_lines();
}

} // namespace tavo
