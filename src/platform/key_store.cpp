#include "key_store.h"

#include <QStandardPaths>

namespace tavo {

namespace {

constexpr int value_buffer_size = 1024;
const QString msinfo_key = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");

// A 32-bit value arrives as its bytes, least significant first. Each byte gives
// two hexadecimal digits, most significant byte first, so 0x1005 reads as 4101
// (dropping a byte's leading zero would have read 0x105).
QString dword_text(const QString& raw) {
    quint32 value = 0;
    for (qsizetype i = raw.size() - 1; i >= 0; --i) {
        value = (value << 8) | (raw.at(i).unicode() & 0xFFu);
    }
    return QString::number(static_cast<qint32>(value));
}

} // namespace

bool GetKeyValue(const KeyStore& store, std::int32_t key_root, const QString& key_name,
                 const QString& sub_key_ref, QString& key_val) {
    if (!store.can_open(key_root, key_name, KEY_ALL_ACCESS_MASK)) {
        key_val.clear();
        return false;
    }
    const std::optional<KeyStoreValue> value = store.query(key_root, key_name, sub_key_ref);
    if (!value || value->raw.size() > value_buffer_size) {
        key_val.clear();
        return false;
    }
    QString text = value->raw;
    if (!text.isEmpty() && text.back() == QChar(u'\0')) {
        text.chop(1);
    }
    if (value->type == REG_SZ_TYPE) {
        key_val = text;
    } else if (value->type == REG_DWORD_TYPE) {
        key_val = dword_text(text);
    }
    return true;
}

QStringList system_information_candidates() {
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"), QStringLiteral("msinfo32")};
}

SystemInfoKeyStore::SystemInfoKeyStore(QString program_path)
    : m_program_path(std::move(program_path)) {}

bool SystemInfoKeyStore::can_open(std::int32_t root, const QString& key_name,
                                  std::uint32_t) const {
    return root == HKEY_LOCAL_MACHINE_ROOT && key_name == msinfo_key && !m_program_path.isEmpty();
}

std::optional<KeyStoreValue> SystemInfoKeyStore::query(std::int32_t root, const QString& key_name,
                                                       const QString& value_name) const {
    if (!can_open(root, key_name, KEY_ALL_ACCESS_MASK) || value_name != QStringLiteral("PATH")) {
        return std::nullopt;
    }
    return KeyStoreValue{REG_SZ_TYPE, m_program_path + QChar(u'\0')};
}

#ifndef Q_OS_WIN
std::unique_ptr<KeyStore> make_system_key_store() {
    for (const QString& name : system_information_candidates()) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) {
            return std::make_unique<SystemInfoKeyStore>(found);
        }
    }
    return std::make_unique<SystemInfoKeyStore>(QString());
}
#endif

} // namespace tavo
