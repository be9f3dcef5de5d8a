// The system calls the file writer makes, behind one table. A real disk
// rarely fails a write, an fsync, a close or a rename on demand, and a
// writer that ignores one of those failures looks right until the day it
// loses a file; a test puts its own table in place to make any call fail
// and sees that the writer reports it and keeps the file whole. POSIX only.
#pragma once

#include <sys/types.h>

namespace tavo {

class SystemCalls {
public:
    SystemCalls() = default;
    SystemCalls(const SystemCalls&) = delete;
    SystemCalls& operator=(const SystemCalls&) = delete;
    virtual ~SystemCalls() = default;

    // Each one is the call of the same name: the result and errno as the
    // system gives them.
    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t read(int fd, void* data, size_t size);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
    virtual int fchown(int fd, uid_t owner, gid_t group);
    virtual int fchmod(int fd, mode_t mode);
    virtual int ftruncate(int fd, off_t size);
    virtual off_t lseek(int fd, off_t offset, int whence);
    virtual int fsetxattr(int fd, const char* name, const void* value, size_t size);
};

// The table in use: the system's own unless a test has put another in place.
SystemCalls& system_calls();

// Puts `calls` in place for as long as this object lives. For tests; not
// meant for two threads at once.
class ScopedSystemCalls {
public:
    explicit ScopedSystemCalls(SystemCalls& calls);
    ScopedSystemCalls(const ScopedSystemCalls&) = delete;
    ScopedSystemCalls& operator=(const ScopedSystemCalls&) = delete;
    ~ScopedSystemCalls();

private:
    SystemCalls* m_earlier;
};

} // namespace tavo
