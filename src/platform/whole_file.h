// Reading and replacing whole files without surprises. A file is replaced
// through a temporary file beside it: every write and the final flush to the
// disk are checked, and only then does the temporary file take the target's
// place in one step. A failure anywhere removes the temporary file and leaves
// the target as it was, so a reader sees the old content or the new one,
// never a part of either. Reading takes regular files only (never a device or
// a pipe, which could block or never end) and stops at a size limit. Both
// take names as file_names.h carries them, so that every name the file
// system holds, valid UTF-8 or not, can be read and written.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tavo {

enum class WriteFailureKind {
    read_only,    // an existing file this user may not write, or one marked read-only
    not_regular,  // a folder, a device or a pipe in the file's place
    refused_link, // a link the system would not follow either
    system,       // the system's reason: no space, no permission in the folder, an I/O error
};

struct WriteFailure {
    WriteFailureKind kind = WriteFailureKind::system;
    QString reason; // for a person: "No space left on device", "final.tavo is read-only"
};

// Writes `bytes` as the whole new content of `path`, or says why it could not.
//
// A symbolic link is followed, so the link stays and the file it names gets
// the content; a link the system itself would not follow (one of another user
// in a folder everyone may write to, such as /tmp) and a loop are refused.
// An existing file this user may not write, or whose mode has no write
// permission at all (marked read-only, which even root respects here), is
// refused before anything is written.
//
// An existing file keeps what it is: owner, group, mode (without a setuid or
// setgid bit) and extended attributes, ACLs among them. Where a new file in
// its place could not carry them (another owner this user cannot give it, an
// attribute this user cannot set, or several hard links to the file), the new
// content is written into the file itself behind a backup copy beside it,
// which restores it on failure and is removed after success.
std::optional<WriteFailure> write_whole_file(const QString& path, QByteArrayView bytes);

// The same, for callers that need only the reason.
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
