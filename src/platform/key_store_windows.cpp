// The registry through QSettings: reads only, never writes.
#include "key_store.h"

#include <QSettings>

namespace tavo {

namespace {

class RegistryKeyStore final : public KeyStore {
public:
    bool can_open(std::int32_t root, const QString& key_name, std::uint32_t) const override {
        if (root != HKEY_LOCAL_MACHINE_ROOT) {
            return false;
        }
        const QSettings key(path_of(key_name), QSettings::NativeFormat);
        return !key.childKeys().isEmpty() || !key.childGroups().isEmpty();
    }

    std::optional<KeyStoreValue> query(std::int32_t root, const QString& key_name,
                                       const QString& value_name) const override {
        if (root != HKEY_LOCAL_MACHINE_ROOT) {
            return std::nullopt;
        }
        const QSettings key(path_of(key_name), QSettings::NativeFormat);
        const QVariant value = key.value(value_name);
        if (!value.isValid()) {
            return std::nullopt;
        }
        if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::UInt) {
            const quint32 number = value.toUInt();
            QString raw;
            for (int i = 0; i < 4; ++i) {
                raw.append(QChar((number >> (8 * i)) & 0xFFu));
            }
            return KeyStoreValue{REG_DWORD_TYPE, raw};
        }
        return KeyStoreValue{REG_SZ_TYPE, value.toString() + QChar(u'\0')};
    }

private:
    static QString path_of(const QString& key_name) {
        return QStringLiteral("HKEY_LOCAL_MACHINE\\") + key_name;
    }
};

} // namespace

std::unique_ptr<KeyStore> make_system_key_store() { return std::make_unique<RegistryKeyStore>(); }

} // namespace tavo
