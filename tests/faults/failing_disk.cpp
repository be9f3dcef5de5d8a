// A disk that fails partway through a file, preloaded into a test suite:
// every read of a regular file of TAVO_FAILING_FILE_SIZE bytes gives at most
// the file's first 1000 bytes, and a read from there on fails with EIO, as a
// bad sector or a lost network share makes it fail. Other files read as ever.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr off_t readable_bytes = 1000;

using ReadCall = ssize_t (*)(int, void*, size_t);

off_t failing_file_size() {
    const char* size = std::getenv("TAVO_FAILING_FILE_SIZE");
    return size != nullptr ? std::atol(size) : -1;
}

bool on_the_failing_disk(int fd) {
    static const off_t failing_size = failing_file_size();
    struct stat status {};
    return failing_size >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_size == failing_size;
}

} // namespace

extern "C" ssize_t read(int fd, void* buffer, size_t count) {
    static const auto system_read = reinterpret_cast<ReadCall>(::dlsym(RTLD_NEXT, "read"));
    if (on_the_failing_disk(fd)) {
        const off_t at = ::lseek(fd, 0, SEEK_CUR);
        if (at >= readable_bytes) {
            errno = EIO;
            return -1;
        }
        count = std::min(count, static_cast<size_t>(readable_bytes - at));
    }
    return system_read(fd, buffer, count);
}
