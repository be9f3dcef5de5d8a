#include "file_names.h"
#include "system_calls.h"
#include "whole_file.h"

#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>
#if defined(__linux__) || defined(__APPLE__)
#include <sys/xattr.h>
#define TAVO_HAS_XATTR 1
#endif

namespace tavo {

namespace {

QString system_reason(int error) {
    return qt_error_string(error);
}

WriteFailure system_failure(int error) {
    return {WriteFailureKind::system, system_reason(error)};
}

// Closes a descriptor once, whatever way the function is left.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) {
            system_calls().close(m_fd);
        }
    }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

    // Closes now and says whether the system reported a late error, as a
    // network file system may.
    int close() {
        const int result = system_calls().close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

bool write_all(int fd, QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = system_calls().write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Some file systems cannot sync a file or a folder; that is no failure of ours.
bool sync_unsupported(int error) {
    return error == EINVAL || error == ENOTSUP || error == EROFS;
}

bool sync_file(int fd) {
    return system_calls().fsync(fd) == 0 || sync_unsupported(errno);
}

// Makes a change of the folder's names (a rename, a new file) last through a
// power cut. A folder this user may not open for reading cannot be synced,
// and the change stands; a sync the system tried and failed is a failure.
bool sync_folder(const QByteArray& folder) {
    const int opened =
        system_calls().open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (opened < 0) {
        return true;
    }
    Descriptor fd(opened);
    if (!sync_file(fd.get())) {
        return false;
    }
    return fd.close() == 0;
}

QByteArray folder_of(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray name_of(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// The last part of the name the caller gave, as a person reads it.
QString shown_name(const QString& path) {
    return displayed_file_name(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
}

constexpr int longest_link_chain = 40; // as the system's own limit

// The kernel's protected-symlinks rule: in a sticky folder everyone may
// write to, a link is followed only by its owner or when the folder's owner
// made it. Another user may have put it there to make us write elsewhere.
std::optional<WriteFailure> unsafe_link(const QByteArray& link, const struct stat& link_status) {
    struct stat folder {};
    if (::stat(folder_of(link).constData(), &folder) != 0) {
        return std::nullopt; // the system says why when the link is used
    }
    const bool shared_sticky = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    if (shared_sticky && link_status.st_uid != ::geteuid() && link_status.st_uid != folder.st_uid) {
        return WriteFailure{
            WriteFailureKind::refused_link,
            QStringLiteral("%1 is a symbolic link that another user made in a folder everyone "
                           "may write to (%2); such a link is not followed, as the system "
                           "itself does not")
                .arg(displayed_file_name(file_name_from_bytes(name_of(link))),
                     displayed_file_name(file_name_from_bytes(folder_of(link))))};
    }
    return std::nullopt;
}

// Follows the links that name the file, one at a time, so the file they lead
// to gets the content and each link is checked as the system would. Folders
// on the way are left to the system. A name that does not exist yet is the
// file to make.
std::optional<WriteFailure> follow_links(QByteArray& path) {
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(path.constData(), &status) != 0) {
            return errno == ENOENT ? std::nullopt : std::optional(system_failure(errno));
        }
        if (!S_ISLNK(status.st_mode)) {
            return std::nullopt;
        }
        if (links == longest_link_chain) {
            return system_failure(ELOOP);
        }
        if (std::optional<WriteFailure> refusal = unsafe_link(path, status)) {
            return refusal;
        }
        QByteArray target(status.st_size > 0 ? status.st_size + 1 : 4096, Qt::Uninitialized);
        const ssize_t length = ::readlink(path.constData(), target.data(), target.size());
        if (length < 0) {
            return system_failure(errno);
        }
        target.truncate(length);
        path = target.startsWith('/') ? target : folder_of(path) + '/' + target;
    }
}

constexpr int longest_name = 200; // bytes of the target's name kept in the temporary one
constexpr int creation_attempts = 100;

// Creates a new, empty file in the target's folder, hidden and named after
// the target so that a left-over one (after a power cut) says where it came
// from and what it is.
int create_beside(const QByteArray& target, const char* kind, mode_t mode, QByteArray& created) {
    const QByteArray stem =
        folder_of(target) + "/." + name_of(target).left(longest_name) + '.' + kind;
    for (int attempt = 0; attempt < creation_attempts; ++attempt) {
        created = stem + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd =
            system_calls().open(created.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

using Attribute = std::pair<QByteArray, QByteArray>; // name, value

// The extended attributes of a file that this user can see, ACLs included.
std::vector<Attribute> attributes_of([[maybe_unused]] const QByteArray& path) {
    std::vector<Attribute> attributes;
#if defined(TAVO_HAS_XATTR)
#if defined(__APPLE__)
    const auto list = [&](char* names, size_t size) {
        return ::listxattr(path.constData(), names, size, 0);
    };
    const auto get = [&](const char* name, void* value, size_t size) {
        return ::getxattr(path.constData(), name, value, size, 0, 0);
    };
#else
    const auto list = [&](char* names, size_t size) {
        return ::listxattr(path.constData(), names, size);
    };
    const auto get = [&](const char* name, void* value, size_t size) {
        return ::getxattr(path.constData(), name, value, size);
    };
#endif
    const ssize_t names_size = list(nullptr, 0);
    if (names_size <= 0) {
        return attributes;
    }
    QByteArray names(names_size, Qt::Uninitialized);
    const ssize_t got = list(names.data(), static_cast<size_t>(names.size()));
    if (got <= 0) {
        return attributes;
    }
    names.truncate(got);
    for (const QByteArray& name : names.split('\0')) {
        if (name.isEmpty()) {
            continue;
        }
        const ssize_t value_size = get(name.constData(), nullptr, 0);
        if (value_size < 0) {
            continue;
        }
        QByteArray value(value_size, Qt::Uninitialized);
        const ssize_t value_got =
            get(name.constData(), value.data(), static_cast<size_t>(value.size()));
        if (value_got >= 0) {
            value.truncate(value_got);
            attributes.emplace_back(name, value);
        }
    }
#endif
    return attributes;
}

// What a new file in the folder gets as its group: the folder's own where the
// folder passes it on (set-group-ID), else the user's.
gid_t group_of_new_file(const QByteArray& folder) {
    struct stat status {};
    if (::stat(folder.constData(), &status) == 0 && (status.st_mode & S_ISGID) != 0) {
        return status.st_gid;
    }
    return ::getegid();
}

// A folder with a default ACL gives it to every new file made in it; a file
// that had no ACL of its own does not get one by being saved.
void drop_inherited_acl([[maybe_unused]] int fd,
                        [[maybe_unused]] const std::vector<Attribute>& attributes) {
#if defined(__linux__)
    static const QByteArray access_acl = QByteArrayLiteral("system.posix_acl_access");
    for (const auto& [name, value] : attributes) {
        if (name == access_acl) {
            return;
        }
    }
    ::fremovexattr(fd, access_acl.constData()); // none inherited: nothing to remove
#endif
}

constexpr mode_t permission_bits = 0777; // never setuid, setgid or sticky

enum class Replaced { done, cannot_carry, failed };

struct Replacement {
    Replaced outcome;
    WriteFailure failure;
};

// Writes a temporary file beside the target and renames it over the target:
// a reader sees the old content or the new, never a part. `existing` is the
// target's status when there is one, whose owner, group, mode and attributes
// the new file takes before it holds any data.
Replacement replace_by_rename(const QByteArray& target, QByteArrayView bytes,
                              const struct stat* existing,
                              const std::vector<Attribute>& attributes) {
    const QByteArray folder = folder_of(target);
    mode_t mode = 0666; // a new file: the mode before the umask, as for any new file
    bool new_owner = false;
    if (existing != nullptr) {
        mode = existing->st_mode & permission_bits;
        new_owner =
            existing->st_uid != ::geteuid() || existing->st_gid != group_of_new_file(folder);
        if (new_owner) {
            // Until it has the target's owner and group, only this user may open it.
            mode &= 0700;
        }
    }
    QByteArray temporary;
    Descriptor fd(create_beside(target, "", mode, temporary));
    if (!fd.valid()) {
        return {Replaced::failed, system_failure(errno)};
    }
    const auto give_up = [&](Replaced outcome, int error) {
        system_calls().unlink(temporary.constData());
        return Replacement{outcome, system_failure(error)};
    };
    if (existing != nullptr) {
        if (new_owner && system_calls().fchown(fd.get(), existing->st_uid, existing->st_gid) != 0) {
            return give_up(errno == EPERM ? Replaced::cannot_carry : Replaced::failed, errno);
        }
        for (const auto& [name, value] : attributes) {
            if (system_calls().fsetxattr(fd.get(), name.constData(), value.constData(),
                                         static_cast<size_t>(value.size())) != 0) {
                const bool cannot_carry = errno == EPERM || errno == EACCES || errno == ENOTSUP;
                return give_up(cannot_carry ? Replaced::cannot_carry : Replaced::failed, errno);
            }
        }
        drop_inherited_acl(fd.get(), attributes);
        // After the attributes, since an ACL sets the group's bits; after the
        // owner, since a change of owner may clear bits.
        if (system_calls().fchmod(fd.get(), existing->st_mode & permission_bits) != 0) {
            return give_up(Replaced::failed, errno);
        }
    }
    if (!write_all(fd.get(), bytes) || !sync_file(fd.get()) || fd.close() != 0) {
        return give_up(Replaced::failed, errno);
    }
    if (system_calls().rename(temporary.constData(), target.constData()) != 0) {
        return give_up(Replaced::failed, errno);
    }
    // The new content is in place, but until the folder is on the disk a
    // power cut may bring back the old file: the caller must not think it safe.
    if (!sync_folder(folder)) {
        return {Replaced::failed, system_failure(errno)};
    }
    return {Replaced::done, {}};
}

bool read_all(int fd, QByteArray& bytes) {
    bytes.clear();
    char block[65536];
    for (;;) {
        const ssize_t n = system_calls().read(fd, block, sizeof block);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            return true;
        }
        bytes.append(block, n);
    }
}

// Makes `content` the whole content of the open file, from its start.
bool overwrite(int fd, QByteArrayView content) {
    return system_calls().lseek(fd, 0, SEEK_SET) == 0 && write_all(fd, content) &&
           system_calls().ftruncate(fd, static_cast<off_t>(content.size())) == 0 && sync_file(fd);
}

// Writes into the existing file itself, so that it stays the same file: its
// owner, group, attributes and every hard link to it. A copy of the old
// content beside it, on the disk before the file is touched, brings it back
// if a write fails; it goes only after the new content is on the disk.
std::optional<WriteFailure> write_in_place(const QByteArray& target, const struct stat& existing,
                                           QByteArrayView bytes) {
    Descriptor fd(system_calls().open(target.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0));
    if (!fd.valid()) {
        return system_failure(errno);
    }
    QByteArray earlier;
    if (!read_all(fd.get(), earlier)) {
        return system_failure(errno);
    }
    QByteArray backup;
    {
        Descriptor copy(create_beside(target, "backup.", 0600, backup));
        if (!copy.valid()) {
            return system_failure(errno);
        }
        if (!write_all(copy.get(), earlier) || !sync_file(copy.get()) || copy.close() != 0 ||
            !sync_folder(folder_of(target))) {
            const int error = errno;
            system_calls().unlink(backup.constData());
            return system_failure(error);
        }
    }
    if ((existing.st_mode & (S_ISUID | S_ISGID)) != 0) {
        // The system clears them on a write by anyone but root; root clears them here.
        system_calls().fchmod(fd.get(), existing.st_mode & permission_bits);
    }
    if (overwrite(fd.get(), bytes) && fd.close() == 0) {
        system_calls().unlink(backup.constData());
        return std::nullopt;
    }
    const int error = errno;
    bool restored = false;
    if (fd.valid()) {
        restored = overwrite(fd.get(), earlier) && fd.close() == 0;
    } else {
        // The close reported the failure; the file is opened again to restore it.
        Descriptor again(
            system_calls().open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW, 0));
        restored = again.valid() && overwrite(again.get(), earlier) && again.close() == 0;
    }
    WriteFailure failure = system_failure(error);
    if (restored) {
        system_calls().unlink(backup.constData());
    } else {
        failure.reason += QStringLiteral("; the file could not be put back as it was, and its "
                                         "earlier content is kept in %1")
                              .arg(displayed_file_name(file_name_from_bytes(backup)));
    }
    return failure;
}

// Whether this user may write the file: the system's permission for the
// user, and a mode with any write permission at all, since a file marked
// read-only by its mode is meant to stay as it is, even for root.
std::optional<WriteFailure> write_refusal(const QString& path, const QByteArray& target,
                                          const struct stat& existing) {
    const WriteFailure read_only{WriteFailureKind::read_only,
                                 QStringLiteral("%1 is read-only").arg(shown_name(path))};
    if ((existing.st_mode & 0222) == 0) {
        return read_only;
    }
    if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0) {
        if (errno == EACCES || errno == EPERM) {
            return read_only;
        }
        return system_failure(errno);
    }
    return std::nullopt;
}

} // namespace

std::optional<WriteFailure> write_whole_file(const QString& path, QByteArrayView bytes) {
    QByteArray target = file_name_bytes(path);
    if (std::optional<WriteFailure> refusal = follow_links(target)) {
        return refusal;
    }
    struct stat existing {};
    if (::stat(target.constData(), &existing) != 0) {
        if (errno != ENOENT) {
            return system_failure(errno);
        }
        const Replacement made = replace_by_rename(target, bytes, nullptr, {});
        return made.outcome == Replaced::done ? std::nullopt : std::optional(made.failure);
    }
    if (!S_ISREG(existing.st_mode)) {
        if (S_ISDIR(existing.st_mode)) {
            return WriteFailure{WriteFailureKind::not_regular, system_reason(EISDIR)};
        }
        return WriteFailure{WriteFailureKind::not_regular,
                            QStringLiteral("It is not a regular file")};
    }
    if (std::optional<WriteFailure> refusal = write_refusal(path, target, existing)) {
        return refusal;
    }
    const std::vector<Attribute> attributes = attributes_of(target);
    if (existing.st_nlink > 1) {
        // A new file would part the names: the others would keep the old content.
        return write_in_place(target, existing, bytes);
    }
    const Replacement replaced = replace_by_rename(target, bytes, &existing, attributes);
    switch (replaced.outcome) {
    case Replaced::done:
        return std::nullopt;
    case Replaced::cannot_carry:
        return write_in_place(target, existing, bytes);
    case Replaced::failed:
        break;
    }
    return replaced.failure;
}

std::optional<QString> replace_whole_file(const QString& path, QByteArrayView bytes) {
    if (std::optional<WriteFailure> failure = write_whole_file(path, bytes)) {
        return failure->reason;
    }
    return std::nullopt;
}

WholeFile read_whole_file(const QString& path, qint64 max_bytes) {
    // Non-blocking, so that opening a pipe does not wait for its writer.
    const Descriptor fd(
        ::open(file_name_bytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        return {{}, ReadFailureKind::system, system_reason(errno)};
    }
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) {
        return {{}, ReadFailureKind::system, system_reason(errno)};
    }
    if (!S_ISREG(status.st_mode)) {
        return {{}, ReadFailureKind::not_regular, {}};
    }
    if (status.st_size > max_bytes) {
        return {{}, ReadFailureKind::too_large, {}};
    }
    // The size may have changed since: read at most one byte past the limit.
    QByteArray bytes(static_cast<qsizetype>(status.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > max_bytes) {
                return {{}, ReadFailureKind::too_large, {}};
            }
            bytes.resize(std::min<qsizetype>(got * 2 + 4096, max_bytes + 1));
        }
        const ssize_t n =
            ::read(fd.get(), bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {{}, ReadFailureKind::system, system_reason(errno)};
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    if (got > max_bytes) {
        return {{}, ReadFailureKind::too_large, {}};
    }
    bytes.truncate(got);
    return {bytes, ReadFailureKind::none, {}};
}

} // namespace tavo
