#include "program_launcher.h"

#include <QDir>
#include <QProcess>

namespace tavo {

bool SystemProgramLauncher::start(const QString& program_path) {
    if (program_path.isEmpty()) {
        return false;
    }
    return QProcess::startDetached(QDir::fromNativeSeparators(program_path), {});
}

} // namespace tavo
