#include "process_lock.h"

#include "whole_file.h"

#include <QList>

namespace tavo {

QByteArray lock_text(const ProcessIdentity& identity) {
    return "pid " + QByteArray::number(identity.pid) + "\nstart " +
           QByteArray::number(identity.start_stamp) + '\n';
}

std::optional<ProcessIdentity> parse_lock_text(QByteArrayView text) {
    std::optional<qint64> pid;
    std::optional<qint64> start;
    for (const QByteArray& line : text.toByteArray().split('\n')) {
        const QList<QByteArray> words = line.trimmed().split(' ');
        if (words.size() != 2) {
            continue;
        }
        bool ok = false;
        const qint64 value = words[1].toLongLong(&ok);
        if (!ok || value < 0) {
            return std::nullopt;
        }
        if (words[0] == "pid") {
            pid = value;
        } else if (words[0] == "start") {
            start = value;
        }
    }
    // A lock without a process id, or with id 0 (which kill() reads as our
    // whole process group), names nobody.
    if (!pid || *pid <= 0) {
        return std::nullopt;
    }
    return ProcessIdentity{*pid, start.value_or(0)};
}

bool process_is_alive(const ProcessIdentity& identity) {
    const std::optional<ProcessIdentity> running = running_process(identity.pid);
    if (!running) {
        return false;
    }
    if (identity.start_stamp == 0 || running->start_stamp == 0) {
        return true;
    }
    return identity.start_stamp == running->start_stamp;
}

std::optional<QString> take_lock(const QString& lock_path) {
    return replace_whole_file(lock_path, lock_text(current_process()));
}

bool lock_is_held(const QString& lock_path) {
    // A lock is a few bytes; anything larger is not one of ours.
    const WholeFile file = read_whole_file(lock_path, 256);
    if (!file.ok()) {
        return false;
    }
    const std::optional<ProcessIdentity> owner = parse_lock_text(file.bytes);
    return owner && process_is_alive(*owner);
}

} // namespace tavo
