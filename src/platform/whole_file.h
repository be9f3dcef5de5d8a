// Reading and replacing whole files without surprises. A file is replaced
// through a temporary file beside it: every write and the final flush to the
// disk are checked, and only then does the temporary file take the target's
// place in one step. A failure anywhere removes the temporary file and leaves
// the target as it was, so a reader sees the old content or the new one,
// never a part of either. Reading takes regular files only (never a device or
// a pipe, which could block or never end) and stops at a size limit.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tavo {

// Writes `bytes` as the whole new content of `path`. A symbolic link is
// followed, so the link stays and the file it names is replaced; an existing
// file keeps its permissions. Returns the system's reason ("No space left on
// device") when the file could not be replaced.
std::optional<QString> replace_whole_file(const QString& path, QByteArrayView bytes);

enum class ReadFailureKind {
    none,
    not_regular, // a folder, a device or a pipe
    too_large,   // more than the limit
    system,      // the system's reason: missing, no permission, an input error
};

struct WholeFile {
    QByteArray bytes;
    ReadFailureKind failure = ReadFailureKind::none;
    QString reason; // the system's reason; empty for the other failures

    bool ok() const { return failure == ReadFailureKind::none; }
};

// Reads a regular file of at most `max_bytes` bytes. A path that names a
// pipe or a device fails at once without waiting for a writer.
WholeFile read_whole_file(const QString& path, qint64 max_bytes);

} // namespace tavo
