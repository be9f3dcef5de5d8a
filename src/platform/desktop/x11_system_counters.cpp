#include "x11_system_counters.h"

#include <cstring>

namespace tavo {

namespace {
constexpr std::size_t record_header = 14; // counter 4, resolution 8, name length 2
}

std::optional<std::uint32_t> find_system_counter(const std::uint8_t* records, std::size_t size,
                                                 std::uint32_t count, std::string_view name) {
    std::size_t at = 0;
    for (std::uint32_t i = 0; i < count && size - at >= record_header; ++i) {
        std::uint32_t counter = 0;
        std::uint16_t name_length = 0;
        std::memcpy(&counter, records + at, sizeof counter);
        std::memcpy(&name_length, records + at + 12, sizeof name_length);
        if (size - at - record_header < name_length) {
            return std::nullopt;
        }
        const std::string_view record_name(
            reinterpret_cast<const char*>(records + at + record_header), name_length);
        if (record_name == name) {
            return counter;
        }
        const std::size_t record_size = (record_header + name_length + 3) & ~std::size_t{3};
        if (size - at < record_size) {
            return std::nullopt;
        }
        at += record_size;
    }
    return std::nullopt;
}

} // namespace tavo
