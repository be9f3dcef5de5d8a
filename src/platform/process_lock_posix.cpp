#include "process_lock.h"

#include <QFile>
#include <QList>
#include <cerrno>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace tavo {

namespace {

// Linux tells when a process started, in clock ticks since boot: the 22nd
// field of /proc/PID/stat, counted after the command name, which is in
// parentheses and may itself hold blanks. Elsewhere the moment is unknown (0).
qint64 start_stamp_of(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray text = stat.read(4096);
    const qsizetype name_end = text.lastIndexOf(')');
    if (name_end < 0) {
        return 0;
    }
    // After the name: state (field 3) ... starttime (field 22).
    const QList<QByteArray> fields = text.mid(name_end + 1).simplified().split(' ');
    constexpr qsizetype start_index = 22 - 3;
    if (fields.size() <= start_index) {
        return 0;
    }
    bool ok = false;
    const qint64 start = fields[start_index].toLongLong(&ok);
    return ok ? start : 0;
}

} // namespace

ProcessIdentity current_process() {
    const qint64 pid = ::getpid();
    return {pid, start_stamp_of(pid)};
}

std::optional<ProcessIdentity> running_process(qint64 pid) {
    if (pid <= 0 || pid != static_cast<pid_t>(pid)) {
        return std::nullopt;
    }
    // Signal 0 only asks whether the process exists; EPERM means it does, under
    // another user.
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) {
        return std::nullopt;
    }
    return ProcessIdentity{pid, start_stamp_of(pid)};
}

} // namespace tavo
