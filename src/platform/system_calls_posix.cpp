#include "system_calls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tavo {

namespace {

SystemCalls& system_table() {
    static SystemCalls table;
    return table;
}

SystemCalls* current_table = nullptr;

} // namespace

int SystemCalls::open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

ssize_t SystemCalls::read(int fd, void* data, size_t size) {
    return ::read(fd, data, size);
}

ssize_t SystemCalls::write(int fd, const void* data, size_t size) {
    return ::write(fd, data, size);
}

int SystemCalls::fsync(int fd) {
    return ::fsync(fd);
}

int SystemCalls::close(int fd) {
    return ::close(fd);
}

int SystemCalls::rename(const char* from, const char* to) {
    return ::rename(from, to);
}

int SystemCalls::unlink(const char* path) {
    return ::unlink(path);
}

int SystemCalls::fchown(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group);
}

int SystemCalls::fchmod(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int SystemCalls::ftruncate(int fd, off_t size) {
    return ::ftruncate(fd, size);
}

off_t SystemCalls::lseek(int fd, off_t offset, int whence) {
    return ::lseek(fd, offset, whence);
}

int SystemCalls::fsetxattr(int fd, const char* name, const void* value, size_t size) {
#if defined(__linux__)
    return ::fsetxattr(fd, name, value, size, 0);
#elif defined(__APPLE__)
    return ::fsetxattr(fd, name, value, size, 0, 0);
#else
    (void)fd;
    (void)name;
    (void)value;
    (void)size;
    errno = ENOTSUP;
    return -1;
#endif
}

SystemCalls& system_calls() {
    return current_table != nullptr ? *current_table : system_table();
}

ScopedSystemCalls::ScopedSystemCalls(SystemCalls& calls)
    : m_earlier(current_table) {
    current_table = &calls;
}

ScopedSystemCalls::~ScopedSystemCalls() {
    current_table = m_earlier;
}

} // namespace tavo
