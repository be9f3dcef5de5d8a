// Arbitrary bytes for the assessment reader. Besides not crashing, hanging or
// leaking: whatever it reads must write out again the same way twice (write,
// read, write gives the same bytes and fields), the clock text must read back
// every count it writes, and the codec must give back every byte.
#include "assessment_file.h"
#include "clock_text.h"
#include "windows_1252.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void check_round_trip(QByteArrayView bytes) {
    const tavo::ReadResult read = tavo::read_assessment(bytes, tavo::TestData{});
    if (!read.ok()) {
        return;
    }
    // A time too far from its test's start cannot be written; that is a
    // refusal with a reason, not a fault.
    const tavo::WrittenFile first = tavo::write_assessment(read.record.fields, read.record.data);
    if (!first.ok()) {
        require(!first.error.isEmpty());
        return;
    }
    const tavo::ReadResult again = tavo::read_assessment(first.bytes, tavo::TestData{});
    require(again.ok());
    require(again.record.fields == read.record.fields);
    const tavo::WrittenFile second = tavo::write_assessment(again.record.fields, again.record.data);
    require(second.ok() && second.bytes == first.bytes);
}

void check_clock_text(QByteArrayView bytes) {
    std::int32_t ms = 0;
    std::memcpy(&ms, bytes.data(), sizeof ms);
    require(tavo::parse_clock_text(tavo::format_clock_text(ms)) == ms);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    check_round_trip(bytes);
    require(tavo::to_windows_1252(tavo::from_windows_1252(bytes)) == bytes.toByteArray());
    if (size >= sizeof(std::int32_t)) {
        check_clock_text(bytes);
    }
    return 0;
}
