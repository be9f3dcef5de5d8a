// Starting the system's information program from the About box: found by the
// locator, started by the launcher.
#pragma once

#include <QString>

namespace tavo {

class ProgramLauncher;
class SystemInfoLocator;

inline const QString sys_info_unavailable =
    QStringLiteral("System Information Is Unavailable At This Time");

// False when no program was found or it could not be started: the caller
// then shows sys_info_unavailable.
bool launch_system_information(const SystemInfoLocator& locator, ProgramLauncher& launcher);

} // namespace tavo
