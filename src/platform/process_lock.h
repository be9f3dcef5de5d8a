// Which process owns a file. A lock file beside the file holds the owner's
// process id and the moment that process started; a lock counts as held while
// a process with that id lives and, where the system tells the moment, started
// at that moment, so an id the system handed to a new process after a crash
// or a restart does not keep the old owner's files alive.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tavo {

struct ProcessIdentity {
    qint64 pid = 0;
    // When the process started, in the system's own units; 0 where unknown.
    qint64 start_stamp = 0;

    friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};

ProcessIdentity current_process();

// The identity of a running process, or nullopt when none has that id.
std::optional<ProcessIdentity> running_process(qint64 pid);

// True when the process is still the one that was: same id, and the same
// start where both are known.
bool process_is_alive(const ProcessIdentity& identity);

// The lock file's two lines: "pid 1234" and "start 5678".
QByteArray lock_text(const ProcessIdentity& identity);
std::optional<ProcessIdentity> parse_lock_text(QByteArrayView text);

// Writes this process's identity into the lock file, replacing any other.
// Returns the system's reason when it could not.
std::optional<QString> take_lock(const QString& lock_path);

// True when the lock file names a process that still runs. A missing or
// unreadable lock is held by nobody.
bool lock_is_held(const QString& lock_path);

} // namespace tavo
