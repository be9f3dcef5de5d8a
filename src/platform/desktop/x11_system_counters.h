// The X server's list of system counters, as the SYNC extension's
// ListSystemCounters reply carries it: one record per counter, each a
// counter id (4 bytes), its resolution (8), the length of its name (2), the
// name, and padding to a multiple of 4 bytes. The records are read here byte
// by byte, because the C binding's own iterator over them assumes a padded
// C struct and returns every name shifted by two bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tavo {

// The id of the counter called `name` among `count` records that fill at
// most `size` bytes from `records`, in the X server's byte order of this
// machine; nothing when no record has that name or the records run past
// the end.
std::optional<std::uint32_t> find_system_counter(const std::uint8_t* records, std::size_t size,
                                                 std::uint32_t count, std::string_view name);

} // namespace tavo
