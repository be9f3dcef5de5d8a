#include "system_info_locator.h"

#include <QStandardPaths>

namespace tavo {

PathSystemInfoLocator::PathSystemInfoLocator(QStringList candidates, QStringList folders)
    : m_candidates(std::move(candidates))
    , m_folders(std::move(folders)) {}

std::optional<QString> PathSystemInfoLocator::locate() const {
    for (const QString& name : m_candidates) {
        const QString found = QStandardPaths::findExecutable(name, m_folders);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return std::nullopt;
}

QStringList system_information_candidates() {
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("msinfo32")};
}

std::optional<QString>
recorded_system_info_program(const std::optional<QString>& program_path,
                             const std::optional<QString>& tools_folder,
                             const std::function<bool(const QString& path)>& file_exists) {
    // A recorded path is taken as it is: whether it starts is the launcher's to say.
    if (program_path && !program_path->isEmpty()) {
        return program_path;
    }
    if (tools_folder && !tools_folder->isEmpty()) {
        const QString program = *tools_folder + QStringLiteral("\\MSINFO32.EXE");
        if (file_exists(program)) {
            return program;
        }
    }
    return std::nullopt;
}

#ifndef Q_OS_WIN
std::unique_ptr<SystemInfoLocator> make_system_info_locator() {
    return std::make_unique<PathSystemInfoLocator>(system_information_candidates());
}
#endif

} // namespace tavo
