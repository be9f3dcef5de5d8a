#include "reading_log.h"

#include "file_identity.h"
#include "file_names.h"

#include <QString>
#include <algorithm>
#include <cerrno>
#include <chrono>

namespace tavo {

namespace {

class NoReadingLog final : public ReadingLog {
public:
    void record(TestKind, ReadingEvent, int, const TimedReading&) override {}
    void record_delay(TestKind, int, std::int32_t) override {}
};

const char* event_name(ReadingEvent event) {
    switch (event) {
    case ReadingEvent::start:
        return "start";
    case ReadingEvent::delay:
        return "delay";
    case ReadingEvent::onset:
        return "onset";
    case ReadingEvent::response:
        return "response";
    case ReadingEvent::release:
        return "release";
    case ReadingEvent::first_press:
        return "first_press";
    case ReadingEvent::click:
        return "click";
    }
    return "?";
}

const char* source_name(ReadingSource source) {
    switch (source) {
    case ReadingSource::delivery:
        return "delivery";
    case ReadingSource::input_system:
        return "input";
    case ReadingSource::present:
        return "present";
    case ReadingSource::damage:
        return "damage";
    case ReadingSource::server_time:
        return "servertime";
    case ReadingSource::presented:
        return "presented";
    }
    return "?";
}

} // namespace

ReadingLog& no_reading_log() {
    static NoReadingLog none;
    return none;
}

std::size_t format_reading_line(char* buffer, std::size_t size, TestKind test, ReadingEvent event,
                                int trial, const TimedReading& reading, std::int64_t microseconds) {
    const bool delay = event == ReadingEvent::delay;
    char delivery[16] = "-";
    char stamp[24] = "-";
    if (!delay) {
        std::snprintf(delivery, sizeof delivery, "%ld", static_cast<long>(reading.delivery));
        if (reading.microseconds >= 0) {
            std::snprintf(stamp, sizeof stamp, "%lld",
                          static_cast<long long>(reading.microseconds));
        }
    }
    const int written = std::snprintf(buffer, size, "%s %s %d %ld %lld %s %s %s\n", test_key(test),
                                      event_name(event), trial, static_cast<long>(reading.value),
                                      static_cast<long long>(microseconds),
                                      delay ? "-" : source_name(reading.source), delivery, stamp);
    if (written < 0 || size == 0) {
        return 0;
    }
    return std::min(static_cast<std::size_t>(written), size - 1);
}

std::int64_t monotonic_microseconds() {
    // steady_clock is CLOCK_MONOTONIC on Linux, the clock of the millisecond readings.
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::unique_ptr<FileReadingLog> FileReadingLog::open(const QString& path, QString& reason) {
    if (file_kind(path) == FileKind::other) {
        reason = QStringLiteral("it is not an ordinary file but a folder, a device or a pipe");
        return nullptr;
    }
    std::FILE* file = std::fopen(file_name_bytes(path).constData(), "ab");
    if (file == nullptr) {
        reason = qt_error_string(errno);
        return nullptr;
    }
    return std::unique_ptr<FileReadingLog>(new FileReadingLog(file, path));
}

FileReadingLog::FileReadingLog(std::FILE* file, QString path)
    : m_file(file)
    , m_path(std::move(path)) {}

FileReadingLog::~FileReadingLog() {
    std::fclose(m_file);
}

void FileReadingLog::record(TestKind test, ReadingEvent event, int trial,
                            const TimedReading& reading) {
    write(test, event, trial, reading);
}

void FileReadingLog::record_delay(TestKind test, int trial, std::int32_t delay_ms) {
    write(test, ReadingEvent::delay, trial, {delay_ms, ReadingSource::delivery, 0, -1});
}

void FileReadingLog::write(TestKind test, ReadingEvent event, int trial,
                           const TimedReading& reading) {
    // The timestamp first: it is the moment closest to the reading just taken.
    const std::int64_t micros = monotonic_microseconds();
    const std::size_t length =
        format_reading_line(m_line, sizeof m_line, test, event, trial, reading, micros);
    // Flushed line by line: nothing waits in a buffer for a reader, or a crash.
    const bool written = std::fwrite(m_line, 1, length, m_file) == length;
    if ((std::fflush(m_file) == 0 && written) || m_failed) {
        return;
    }
    const int error = errno;
    m_failed = true;
    if (m_failure_handler) {
        m_failure_handler(QStringLiteral("The clock log \"%1\" could not be written: %2. The "
                                         "tests go on and their readings are kept in the "
                                         "assessment, but the log misses lines from now on.")
                              .arg(displayed_file_name(m_path), qt_error_string(error)));
    }
}

} // namespace tavo
