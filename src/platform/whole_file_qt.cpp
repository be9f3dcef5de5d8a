// Systems without the POSIX calls: Qt's own file classes, with every write
// going straight to the system (unbuffered) so that its failure is seen
// before the temporary file replaces the target.
#include "whole_file.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#if defined(Q_OS_WIN)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tavo {

namespace {

// QSaveFile's commit flushes the file to the disk but ignores a failure and
// puts the file in place anyway: a disk that could not keep the content
// would then hold a cut file under the target's name, reported as saved. The
// flush is made here first, and its failure stops the save.
std::optional<QString> flush_to_disk(QSaveFile& file) {
    const int descriptor = file.handle();
#if defined(Q_OS_WIN)
    const bool flushed = descriptor >= 0 && ::_commit(descriptor) == 0;
#else
    // Some file systems cannot flush a file at all; that is no failure.
    const bool flushed =
        descriptor >= 0 && (::fsync(descriptor) == 0 || errno == EINVAL || errno == ENOTSUP);
#endif
    if (flushed) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(std::strerror(errno));
}

std::optional<QString> replace_with_save_file(const QString& path, QByteArrayView bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        written += n;
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (std::optional<QString> reason = flush_to_disk(file)) {
        file.cancelWriting();
        return reason;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

} // namespace

std::optional<WriteFailure> write_whole_file(const QString& path, QByteArrayView bytes) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        return WriteFailure{WriteFailureKind::not_regular,
                            QStringLiteral("It is not a regular file")};
    }
    if (target.exists() && !target.isWritable()) {
        return WriteFailure{WriteFailureKind::read_only,
                            QStringLiteral("%1 is read-only").arg(target.fileName())};
    }
    if (std::optional<QString> reason = replace_with_save_file(path, bytes)) {
        return WriteFailure{WriteFailureKind::system, *reason};
    }
    return std::nullopt;
}

std::optional<QString> replace_whole_file(const QString& path, QByteArrayView bytes) {
    if (std::optional<WriteFailure> failure = write_whole_file(path, bytes)) {
        return failure->reason;
    }
    return std::nullopt;
}

WholeFile read_whole_file(const QString& path, qint64 max_bytes) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        return {{}, ReadFailureKind::not_regular, {}};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return {{}, ReadFailureKind::system, file.errorString()};
    }
    if (file.isSequential()) {
        return {{}, ReadFailureKind::not_regular, {}};
    }
    // A read that meets an input error after some bytes returns those bytes
    // without the error; only the next read reports it. Reading on to the end
    // of the file keeps a disk that fails partway from passing a cut file
    // off as the whole one.
    QByteArray bytes;
    for (;;) {
        const QByteArray block = file.read(max_bytes + 1 - bytes.size());
        if (file.error() != QFileDevice::NoError) {
            return {{}, ReadFailureKind::system, file.errorString()};
        }
        if (block.isEmpty()) {
            return {bytes, ReadFailureKind::none, {}};
        }
        bytes += block;
        if (bytes.size() > max_bytes) {
            return {{}, ReadFailureKind::too_large, {}};
        }
    }
}

} // namespace tavo
