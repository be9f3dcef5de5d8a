#include "process_lock.h"

#include <windows.h>

namespace tavo {

namespace {

qint64 creation_time_of(HANDLE process) {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    return (static_cast<qint64>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

} // namespace

ProcessIdentity current_process() {
    return {static_cast<qint64>(GetCurrentProcessId()), creation_time_of(GetCurrentProcess())};
}

std::optional<ProcessIdentity> running_process(qint64 pid) {
    if (pid <= 0) {
        return std::nullopt;
    }
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        return std::nullopt;
    }
    DWORD exit_code = 0;
    const bool running = GetExitCodeProcess(process, &exit_code) && exit_code == STILL_ACTIVE;
    const qint64 created = creation_time_of(process);
    CloseHandle(process);
    if (!running) {
        return std::nullopt;
    }
    return ProcessIdentity{pid, created};
}

} // namespace tavo
