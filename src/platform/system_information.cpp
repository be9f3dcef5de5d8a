#include "system_information.h"

#include "program_launcher.h"
#include "system_info_locator.h"

namespace tavo {

bool launch_system_information(const SystemInfoLocator& locator, ProgramLauncher& launcher) {
    const std::optional<QString> program = locator.locate();
    return program && launcher.start(*program);
}

} // namespace tavo
