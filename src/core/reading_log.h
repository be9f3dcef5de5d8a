// A record of the clock readings the tests take, one line each as it is
// taken, for whoever wants the raw data: a researcher, or the benchmarks that
// compare the program's readings with the moments they injected a press or
// saw a stimulus. The trial logic calls record() right after it has stored a
// reading, so the log never delays a reading; the default log does nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

class QString;

namespace tavo {

enum class ReadingTest { activation, release, repetition };

enum class ReadingEvent {
    start,       // the start press: the test's time base
    delay,       // a stimulus delay begins; the value is the delay drawn, in ms
    onset,       // the stimulus is on screen
    response,    // the press that answers the stimulus (activation)
    release,     // the release that answers the RELEASE cue (release)
    first_press, // the first press of the repetition test
    click,       // a counted release of the repetition test; the trial is its number
};

class ReadingLog {
public:
    virtual ~ReadingLog() = default;
    // `value` is the clock reading just stored (for `delay`, the delay drawn).
    // `trial` counts from 1; 0 for the start press.
    virtual void record(ReadingTest test, ReadingEvent event, int trial, std::int32_t value) = 0;
};

// The log that records nothing.
ReadingLog& no_reading_log();

// One line of the log, without allocating: "<test> <event> <trial> <value>
// <microseconds>\n", separated by single blanks, where microseconds is the
// monotonic clock (the one the millisecond readings come from) in
// microseconds. Returns the length written, at most size - 1.
std::size_t format_reading_line(char* buffer, std::size_t size, ReadingTest test,
                                ReadingEvent event, int trial, std::int32_t value,
                                std::int64_t microseconds);

// The monotonic clock in microseconds (CLOCK_MONOTONIC on Linux).
std::int64_t monotonic_microseconds();

// Appends each line to a file and hands it to the system at once, so a reader
// (or a crash) sees every reading already taken.
class FileReadingLog final : public ReadingLog {
public:
    ~FileReadingLog() override;
    FileReadingLog(const FileReadingLog&) = delete;
    FileReadingLog& operator=(const FileReadingLog&) = delete;

    // The log appending to `path`, or nothing when it cannot be opened.
    static std::unique_ptr<FileReadingLog> open(const QString& path);

    void record(ReadingTest test, ReadingEvent event, int trial, std::int32_t value) override;

private:
    explicit FileReadingLog(std::FILE* file)
        : m_file(file) {}

    std::FILE* m_file;
    char m_line[96] = {};
};

} // namespace tavo
