#include "state_folder.h"

#include <QDir>
#include <QStandardPaths>

namespace tavo {

QString state_folder() {
    const QString override_dir = qEnvironmentVariable("TAVO_STATE_DIR");
    if (!override_dir.isEmpty()) {
        return QDir::cleanPath(override_dir);
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The XDG base directories ask for an absolute path and say to ignore a
    // relative one.
    const QString state_home = qEnvironmentVariable("XDG_STATE_HOME");
    if (!state_home.isEmpty() && QDir::isAbsolutePath(state_home)) {
        return QDir::cleanPath(state_home + QStringLiteral("/tavo"));
    }
    return QDir::homePath() + QStringLiteral("/.local/state/tavo");
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#endif
}

} // namespace tavo
