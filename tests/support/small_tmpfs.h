// A small file system of our own for the faults of a real disk: a 64 KiB
// tmpfs mounted over a temporary folder, which the tests fill up or make
// read-only. Mounting needs root on Linux; elsewhere the tests that need it
// skip and say why.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <optional>

#if defined(__linux__)
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace tavo::testing {

class SmallTmpfs {
public:
    SmallTmpfs() = default;
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;
    ~SmallTmpfs() {
#if defined(__linux__)
        if (m_mounted) {
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
        }
#endif
    }

    // Mounts the file system; on failure returns why, for QSKIP.
    std::optional<QString> mount() {
#if defined(__linux__)
        if (::geteuid() != 0) {
            return QStringLiteral("mounting a small tmpfs to fill it up needs root");
        }
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                    "size=64k,mode=0755") != 0) {
            return QStringLiteral("could not mount a tmpfs: ") +
                   QString::fromLocal8Bit(std::strerror(errno));
        }
        m_mounted = true;
        return std::nullopt;
#else
        return QStringLiteral("the full-disk cases mount a Linux tmpfs");
#endif
    }

    QString path(const QString& name) const {
        return m_dir.filePath(name);
    }
    QString folder() const {
        return m_dir.path();
    }

    // Writes a filler file until the file system refuses more; returns the
    // bytes it took. What is left free afterwards is nothing.
    qint64 fill() {
        qint64 total = 0;
#if defined(__linux__)
        const int fd = ::open(QFile::encodeName(path(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        const QByteArray block(512, 'f');
        for (;;) {
            const ssize_t n = ::write(fd, block.constData(), static_cast<size_t>(block.size()));
            if (n <= 0) {
                break;
            }
            total += n;
        }
        ::close(fd);
#endif
        return total;
    }

    // Frees the last `bytes` of the filler again, to leave a little room.
    bool free_up(qint64 bytes) {
        QFile filler(path(QStringLiteral("filler")));
        return filler.resize(std::max<qint64>(0, filler.size() - bytes));
    }

    // Remounts the file system read-only, as a write-protected disk.
    bool make_read_only() {
#if defined(__linux__)
        return ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, "size=64k") == 0;
#else
        return false;
#endif
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

} // namespace tavo::testing
