#include "process_lock.h"

#include <QFile>
#include <QList>
#include <cerrno>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace tavo {

namespace {

// What Linux tells of a process in /proc/PID/stat: its state (field 3) and
// when it started, in clock ticks since boot (field 22), both counted after
// the command name, which is in parentheses and may itself hold blanks.
// Elsewhere neither is known: the state reads as running and the start as 0.
struct ProcessStat {
    char state = 'R';
    qint64 start = 0;
};

ProcessStat stat_of(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray text = stat.read(4096);
    const qsizetype name_end = text.lastIndexOf(')');
    if (name_end < 0) {
        return {};
    }
    const QList<QByteArray> fields = text.mid(name_end + 1).simplified().split(' ');
    constexpr qsizetype start_index = 22 - 3;
    if (fields.size() <= start_index || fields[0].isEmpty()) {
        return {};
    }
    bool ok = false;
    const qint64 start = fields[start_index].toLongLong(&ok);
    return {fields[0].front(), ok ? start : 0};
}

} // namespace

ProcessIdentity current_process() {
    const qint64 pid = ::getpid();
    return {pid, stat_of(pid).start};
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
    // A killed TAVO whose parent has not yet collected it is a zombie: it
    // still has its process id, but it will never come back for its copy.
    const ProcessStat stat = stat_of(pid);
    if (stat.state == 'Z' || stat.state == 'X') {
        return std::nullopt;
    }
    return ProcessIdentity{pid, stat.start};
}

} // namespace tavo
