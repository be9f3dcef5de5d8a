// Where the system's own information program is, for the About box's System
// Info button. How it is found depends on the system: Windows records where
// its program lies; elsewhere a few well-known programs are looked for on PATH.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace tavo {

class SystemInfoLocator {
public:
    virtual ~SystemInfoLocator() = default;
    // The program to start; nullopt when the system has none.
    virtual std::optional<QString> locate() const = 0;
};

// Looks for the first of `candidates` in `folders` (PATH when empty).
class PathSystemInfoLocator final : public SystemInfoLocator {
public:
    explicit PathSystemInfoLocator(QStringList candidates, QStringList folders = {});
    std::optional<QString> locate() const override;

private:
    QStringList m_candidates;
    QStringList m_folders;
};

// Programs that show a system overview off Windows, best first.
QStringList system_information_candidates();

// The program as Windows records it: its own path when that is recorded,
// else MSINFO32.EXE in the recorded shared-tools folder when that file exists.
std::optional<QString>
recorded_system_info_program(const std::optional<QString>& program_path,
                             const std::optional<QString>& tools_folder,
                             const std::function<bool(const QString& path)>& file_exists);

// This system's locator.
std::unique_ptr<SystemInfoLocator> make_system_info_locator();

} // namespace tavo
