// Starting the system's information program from the About box: found through
// the key store, started through the launcher.
#pragma once

#include <QString>

namespace tavo {

class KeyStore;
class ProgramLauncher;

inline const QString sys_info_unavailable = QStringLiteral("System Information Is Unavailable At This Time");

// Tries the program's own path first, then its folder with MSINFO32.EXE in it.
// False when neither could be started: the caller then shows sys_info_unavailable.
bool StartSysInfo(const KeyStore& store, ProgramLauncher& launcher);

} // namespace tavo
