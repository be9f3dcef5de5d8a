#include "whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo {

namespace {

QString system_reason(int error) {
    return qt_error_string(error);
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
            ::close(m_fd);
        }
    }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

    // Closes now and says whether the system reported a late error, as a
    // network file system may.
    int close() {
        const int result = ::close(m_fd);
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
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
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

constexpr int longest_link_chain = 40; // as the system's own limit

// The file a path finally names: a link is replaced by the file it names, even
// when that file does not exist yet.
QString resolved_target(const QString& path) {
    QFileInfo info(path);
    for (int i = 0; i < longest_link_chain && info.isSymLink(); ++i) {
        const QString target = info.symLinkTarget();
        if (target.isEmpty()) {
            break;
        }
        info.setFile(target);
    }
    return info.absoluteFilePath();
}

constexpr int longest_name = 200; // bytes of the target's name kept in the temporary one
constexpr int creation_attempts = 100;

// Creates a new, empty temporary file in the target's folder, hidden and
// named after the target so that a left-over one (after a power cut) says
// where it came from.
int create_temporary(const QByteArray& folder, const QByteArray& name, QByteArray& temporary) {
    const QByteArray stem = folder + "/." + name.left(longest_name) + '.';
    for (int attempt = 0; attempt < creation_attempts; ++attempt) {
        temporary = stem + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // The mode before the umask, as for any new file.
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

void sync_folder(const QByteArray& folder) {
    const Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get()); // the rename is done; a failure here loses nothing
    }
}

} // namespace

std::optional<QString> replace_whole_file(const QString& path, QByteArrayView bytes) {
    const QFileInfo target(resolved_target(path));
    const QByteArray target_name = QFile::encodeName(target.absoluteFilePath());
    struct stat existing {};
    const bool exists = ::stat(target_name.constData(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        return S_ISDIR(existing.st_mode) ? system_reason(EISDIR)
                                         : QStringLiteral("It is not a regular file");
    }
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    QByteArray temporary;
    Descriptor fd(create_temporary(folder, QFile::encodeName(target.fileName()), temporary));
    if (!fd.valid()) {
        return system_reason(errno);
    }
    auto fail = [&](int error) {
        ::unlink(temporary.constData());
        return std::optional<QString>(system_reason(error));
    };
    if (exists && ::fchmod(fd.get(), existing.st_mode & 07777) != 0) {
        return fail(errno);
    }
    if (!write_all(fd.get(), bytes)) {
        return fail(errno);
    }
    if (::fsync(fd.get()) != 0 && !sync_unsupported(errno)) {
        return fail(errno);
    }
    if (fd.close() != 0) {
        return fail(errno);
    }
    if (::rename(temporary.constData(), target_name.constData()) != 0) {
        return fail(errno);
    }
    sync_folder(folder);
    return std::nullopt;
}

WholeFile read_whole_file(const QString& path, qint64 max_bytes) {
    // Non-blocking, so that opening a pipe does not wait for its writer.
    const Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
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
