// What tells one version of a file from another without reading it: the file
// system's identity of the file (device and inode, which a replacement by
// rename changes) with its size and its modification time to the nanosecond.
// Someone else's save changes at least one of them.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace tavo {

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified_ns = 0; // since the epoch

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file a path names, a symbolic link followed; nullopt
// when there is no such file (or it cannot be looked at).
std::optional<FileIdentity> file_identity(const QString& path);

enum class FileKind { missing, regular, other };

// What a path names, a symbolic link followed: nothing, a regular file, or
// something else (a folder, a device, a pipe), without opening it.
FileKind file_kind(const QString& path);

} // namespace tavo
