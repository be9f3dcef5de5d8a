#include "file_identity.h"
#include "file_names.h"

#include <sys/stat.h>

namespace tavo {

std::optional<FileIdentity> file_identity(const QString& path) {
    struct stat info {};
    if (::stat(file_name_bytes(path).constData(), &info) != 0) {
        return std::nullopt;
    }
    FileIdentity identity;
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.inode = static_cast<std::uint64_t>(info.st_ino);
    identity.size = static_cast<std::int64_t>(info.st_size);
#if defined(__APPLE__)
    const struct timespec& modified = info.st_mtimespec;
#else
    const struct timespec& modified = info.st_mtim;
#endif
    identity.modified_ns =
        static_cast<std::int64_t>(modified.tv_sec) * 1'000'000'000 + modified.tv_nsec;
    return identity;
}

FileKind file_kind(const QString& path) {
    struct stat info {};
    if (::stat(file_name_bytes(path).constData(), &info) != 0) {
        return FileKind::missing;
    }
    return S_ISREG(info.st_mode) ? FileKind::regular : FileKind::other;
}

} // namespace tavo
