#include "file_identity.h"

#include <QDateTime>
#include <QFileInfo>

namespace tavo {

// Without the POSIX calls the system offers no inode: the size and the
// modification time (to the millisecond) must do.
std::optional<FileIdentity> file_identity(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return std::nullopt;
    }
    FileIdentity identity;
    identity.size = info.size();
    identity.modified_ns = info.lastModified().toMSecsSinceEpoch() * std::int64_t{1'000'000};
    return identity;
}

FileKind file_kind(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return FileKind::missing;
    }
    return info.isFile() ? FileKind::regular : FileKind::other;
}

} // namespace tavo
