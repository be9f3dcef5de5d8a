// The main window's menu bar: the File, Options and Help menus with their
// objectNames, captions and shortcuts. It only builds them; the main window
// connects each item to what it asks for.
#pragma once

class QAction;
class QMenuBar;

namespace tavo {

struct MainMenus {
    QAction* new_file = nullptr;
    QAction* open = nullptr;
    QAction* save = nullptr;
    QAction* save_as = nullptr;
    QAction* print = nullptr;
    QAction* export_trial_data = nullptr;
    QAction* export_summary = nullptr;
    QAction* compare = nullptr;
    QAction* exit = nullptr;
    QAction* switch_sends = nullptr;
    QAction* help_contents = nullptr;
    QAction* about = nullptr;
    QAction* getting_tavo = nullptr;
    QAction* about_corvale = nullptr;
};

MainMenus build_main_menus(QMenuBar* bar);

} // namespace tavo
