// A record of the clock readings the tests take, one line each as it is
// taken, for whoever wants the raw data: a researcher, or the benchmarks that
// compare the program's readings with the moments they injected a press or
// saw a stimulus. Each reading comes with its source (the input system's
// stamp, the display server's time, or the clock read on delivery) and the
// delivery reading beside it. The trial logic calls record() right after it
// has stored a reading, so the log never delays a reading; the default log
// does nothing.
#pragma once

#include "test_kind.h"
#include "timed_reading.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

namespace tavo {

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
    // The reading just stored, with its source. `trial` counts from 1; 0 for
    // the start press.
    virtual void record(TestKind test, ReadingEvent event, int trial,
                        const TimedReading& reading) = 0;
    // The delay just drawn (event `delay`), in ms.
    virtual void record_delay(TestKind test, int trial, std::int32_t delay_ms) = 0;
};

// The log that records nothing.
ReadingLog& no_reading_log();

// One line of the log, without allocating: "<test> <event> <trial> <value>
// <microseconds> <source> <delivery> <stamp>\n", separated by single blanks,
// where microseconds is the monotonic clock (the one the millisecond readings
// come from) in microseconds when the line was written, source is `input`,
// `present`, `damage`, `servertime`, `presented` or `delivery`, delivery the
// clock's reading on delivery, and stamp the reading's own time in
// microseconds where its source gives them, else `-`; a delay has `- - -`
// for the last three. Returns the length written, at most size - 1.
std::size_t format_reading_line(char* buffer, std::size_t size, TestKind test, ReadingEvent event,
                                int trial, const TimedReading& reading, std::int64_t microseconds);

// The monotonic clock in microseconds (CLOCK_MONOTONIC on Linux).
std::int64_t monotonic_microseconds();

// Appends each line to a file and hands it to the system at once, so a reader
// (or a crash) sees every reading already taken.
class FileReadingLog final : public ReadingLog {
public:
    ~FileReadingLog() override;
    FileReadingLog(const FileReadingLog&) = delete;
    FileReadingLog& operator=(const FileReadingLog&) = delete;

    // The log appending to `path`, or nothing when it cannot be opened, with
    // the reason in `reason`. Only a regular file (or a new one) is taken: a
    // pipe would block the program until someone reads it, and a device is
    // no log.
    static std::unique_ptr<FileReadingLog> open(const QString& path, QString& reason);

    // Called once, at the first line that could not be written, with a
    // message naming the log and the reason. It is called in the middle of
    // a test: it must only pass the message on.
    void set_failure_handler(std::function<void(const QString&)> handler) {
        m_failure_handler = std::move(handler);
    }

    void record(TestKind test, ReadingEvent event, int trial, const TimedReading& reading) override;
    void record_delay(TestKind test, int trial, std::int32_t delay_ms) override;

private:
    void write(TestKind test, ReadingEvent event, int trial, const TimedReading& reading);

    FileReadingLog(std::FILE* file, QString path);

    std::FILE* m_file;
    QString m_path;
    bool m_failed = false;
    std::function<void(const QString&)> m_failure_handler;
    char m_line[160] = {};
};

} // namespace tavo
