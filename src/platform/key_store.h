// A read-only view of the system's key store (the registry on Windows), and the
// lookup rules the About box uses to find the system-information program.
// Off Windows the store is a small stand-in that answers the one question the
// program asks: where is a system-information program?
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

namespace tavo {

inline constexpr std::int32_t HKEY_LOCAL_MACHINE_ROOT = static_cast<std::int32_t>(0x80000002u);
inline constexpr std::uint32_t KEY_ALL_ACCESS_MASK = 0x2003Fu;
inline constexpr std::uint32_t REG_SZ_TYPE = 1;
inline constexpr std::uint32_t REG_DWORD_TYPE = 4;

// A value as the store hands it out: its type and its raw characters, one per
// byte, including the terminating NUL of a text value when the store keeps one.
struct KeyStoreValue {
    std::uint32_t type = 0;
    QString raw;
};

class KeyStore {
public:
    virtual ~KeyStore() = default;
    virtual bool can_open(std::int32_t root, const QString& key_name, std::uint32_t access) const = 0;
    virtual std::optional<KeyStoreValue> query(std::int32_t root, const QString& key_name,
                                               const QString& value_name) const = 0;
};

// Reads one value: text values come back as they are, 32-bit values as their
// decimal number. False (and an empty key_val) when the key or the value is missing.
bool GetKeyValue(const KeyStore& store, std::int32_t key_root, const QString& key_name,
                 const QString& sub_key_ref, QString& key_val);

// The store of this system: the registry on Windows; elsewhere the stand-in
// that names the first of `candidates` found on PATH as the MSINFO program.
std::unique_ptr<KeyStore> make_system_key_store();

// Programs that show a system overview, in the order they are looked for on PATH.
QStringList system_information_candidates();

// The stand-in store used off Windows (and by tests): it knows one value, the
// MSINFO "PATH", when a system-information program was found.
class SystemInfoKeyStore final : public KeyStore {
public:
    explicit SystemInfoKeyStore(QString program_path);
    bool can_open(std::int32_t root, const QString& key_name, std::uint32_t access) const override;
    std::optional<KeyStoreValue> query(std::int32_t root, const QString& key_name,
                                       const QString& value_name) const override;

private:
    QString m_program_path;
};

} // namespace tavo
