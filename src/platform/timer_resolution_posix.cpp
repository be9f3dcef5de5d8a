// POSIX systems: CLOCK_MONOTONIC counts from boot; its resolution is already
// finer than a millisecond, so the resolution requests have nothing to do.
#include "timer_resolution.h"

#include <ctime>

namespace tavo {

std::int32_t system_milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000u;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}

void request_fine_timer_resolution() {}
void release_fine_timer_resolution() {}

} // namespace tavo
