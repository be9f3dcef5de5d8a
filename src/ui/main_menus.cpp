#include "main_menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace tavo {

namespace {

QAction* add_item(QMenu* menu, const QString& name, const QString& caption,
                  const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

void add_divider(QMenu* menu, const QString& name) {
    menu->addSeparator()->setObjectName(name);
}

} // namespace

MainMenus build_main_menus(QMenuBar* bar) {
    bar->setObjectName(QStringLiteral("menu_bar"));
    MainMenus menus;

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("file_menu"));
    menus.new_file =
        add_item(file, QStringLiteral("new_file_menu"), QStringLiteral("&New TAVO File"));
    menus.open = add_item(file, QStringLiteral("open_file_menu"), QStringLiteral("&Open"),
                          QKeySequence(Qt::CTRL | Qt::Key_O));
    add_divider(file, QStringLiteral("div3"));
    menus.save = add_item(file, QStringLiteral("save_file_menu"), QStringLiteral("&Save"),
                          QKeySequence(Qt::CTRL | Qt::Key_S));
    menus.save_as = add_item(file, QStringLiteral("saveas_file_menu"), QStringLiteral("Save &As"));
    add_divider(file, QStringLiteral("div2"));
    menus.print = add_item(file, QStringLiteral("print_file_menu"),
                           QStringLiteral("&Print Results"), QKeySequence(Qt::CTRL | Qt::Key_P));
    menus.export_trial_data =
        add_item(file, QStringLiteral("export_file_menu"), QStringLiteral("&Export Trial Data..."));
    menus.export_summary = add_item(file, QStringLiteral("export_summary_file_menu"),
                                    QStringLiteral("Export Test &Figures..."));
    menus.compare = add_item(file, QStringLiteral("compare_file_menu"),
                             QStringLiteral("&Compare Assessments..."));
    add_divider(file, QStringLiteral("div4"));
    menus.exit = add_item(file, QStringLiteral("exit_file_menu"), QStringLiteral("E&xit"));

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("options_menu"));
    menus.switch_sends = add_item(options, QStringLiteral("switch_sends_options_menu"),
                                  QStringLiteral("&Switch Sends..."));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("help_menu"));
    menus.help_contents = add_item(help, QStringLiteral("contents_help_menu"),
                                   QStringLiteral("&Help Contents"), QKeySequence(Qt::Key_F1));
    add_divider(help, QStringLiteral("div"));
    menus.about = add_item(help, QStringLiteral("about_help_menu"), QStringLiteral("&About"));
    menus.getting_tavo =
        add_item(help, QStringLiteral("getting_help_menu"), QStringLiteral("&Getting TAVO"));
    menus.about_corvale =
        add_item(help, QStringLiteral("about_corvale_help_menu"), QStringLiteral("About &Corvale"));
    return menus;
}

} // namespace tavo
