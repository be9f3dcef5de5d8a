#include "sys_info.h"

#include "key_store.h"
#include "program_launcher.h"

namespace tavo {

bool StartSysInfo(const KeyStore& store, ProgramLauncher& launcher) {
    QString path;
    if (GetKeyValue(store, HKEY_LOCAL_MACHINE_ROOT,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path)) {
        return launcher.start(path);
    }
    if (GetKeyValue(store, HKEY_LOCAL_MACHINE_ROOT,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                    QStringLiteral("MSINFO"), path)) {
        const QString program = path + QStringLiteral("\\MSINFO32.EXE");
        if (launcher.file_exists(program)) {
            return launcher.start(program);
        }
    }
    return false;
}

} // namespace tavo
