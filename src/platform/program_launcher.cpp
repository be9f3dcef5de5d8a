#include "program_launcher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace tavo {

bool SystemProgramLauncher::start(const QString& program_path) {
    if (program_path.isEmpty()) {
        return false;
    }
    return QProcess::startDetached(QDir::fromNativeSeparators(program_path), {});
}

bool SystemProgramLauncher::file_exists(const QString& path) const {
    return QFileInfo(QDir::fromNativeSeparators(path)).isFile();
}

} // namespace tavo
