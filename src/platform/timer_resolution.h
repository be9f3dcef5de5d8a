// The operating system's side of the clock: the millisecond counter and the
// 1 ms timer-resolution requests. One implementation per system, chosen by CMake.
#pragma once

#include <cstdint>

namespace tavo {

// Milliseconds since the system started, wrapping at 2^32 like the system's counter.
std::int32_t system_milliseconds();

void request_fine_timer_resolution();
void release_fine_timer_resolution();

} // namespace tavo
