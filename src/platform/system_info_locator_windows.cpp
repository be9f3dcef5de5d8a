// Windows records where its system-information program lies in the registry;
// read only, never written.
#include "system_info_locator.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace tavo {

namespace {

std::optional<QString> machine_value(const QString& key, const QString& name) {
    const QSettings settings(QStringLiteral("HKEY_LOCAL_MACHINE\\") + key, QSettings::NativeFormat);
    const QVariant value = settings.value(name);
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString();
}

class RegistrySystemInfoLocator final : public SystemInfoLocator {
public:
    std::optional<QString> locate() const override {
        return recorded_system_info_program(
            machine_value(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                          QStringLiteral("PATH")),
            machine_value(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                          QStringLiteral("MSINFO")),
            [](const QString& path) {
                return QFileInfo(QDir::fromNativeSeparators(path)).isFile();
            });
    }
};

} // namespace

std::unique_ptr<SystemInfoLocator> make_system_info_locator() {
    return std::make_unique<RegistrySystemInfoLocator>();
}

} // namespace tavo
