// Where the program keeps what belongs to one user and one machine but is no
// document of the user's: the recovery copies of unsaved work.
#pragma once

#include <QString>

namespace tavo {

// TAVO_STATE_DIR when it is set (tests, or an administrator who wants the
// copies elsewhere); on Linux and other XDG systems $XDG_STATE_HOME/tavo,
// by default ~/.local/state/tavo; elsewhere the application's local data
// folder.
QString state_folder();

} // namespace tavo
