// The assessments behind the hand-made files in tests/data, as the tests left
// them: raw clock readings, start times with their dates, and typed fields.
#pragma once

#include "assessment.h"
#include "results.h"

#include <QFile>
#include <QString>
#include <vector>

namespace tavo::testing {

inline QString sample_path(const QString& name) {
    return QStringLiteral(TAVO_TEST_DATA_DIR "/") + name;
}

inline QByteArray sample_bytes(const QString& name) {
    QFile file(sample_path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline ClockReading wrapped(std::int64_t reading) {
    return static_cast<ClockReading>(static_cast<std::uint32_t>(reading));
}

inline const TypedFields sample_fields = {"Ann Example", "Dr Bo Reyes", "Left of head",
                                          "Round, 65 mm", ""};

// Activation starts at 9:05:07.042 and its first stimulus comes 1500 ms of
// clock later; the repetition test runs across a wrap of the clock.
inline TestData three_tests_data() {
    TestData d;
    d.activation.start_tick = 1'000'000;
    d.activation.start_time = {2024, 3, 2, 5, 9, 5, 7, 42};
    d.release.start_tick = 2'000'000;
    d.release.start_time = {2024, 3, 2, 5, 9, 12, 30, 500};
    d.repetition.start_tick = 2'147'482'647;
    d.repetition.start_time = {2024, 3, 2, 5, 9, 20, 0, 0};
    for (int i = 0; i < trials_per_test; ++i) {
        d.activation.onsets[i] = 1'001'500 + 4000 * i;
        d.activation.responses[i] = d.activation.onsets[i] + 300 + 10 * i;
        d.release.onsets[i] = 2'003'000 + 5000 * i;
        d.release.responses[i] = d.release.onsets[i] + 400 + 20 * i;
    }
    d.repetition.first_press = wrapped(std::int64_t{d.repetition.start_tick} + 2000);
    for (int i = 0; i < repetition_clicks; ++i) {
        d.repetition.click_times[i] =
            wrapped(std::int64_t{d.repetition.start_tick} + 2150 + 200 * i);
    }
    return d;
}

inline TypedFields three_tests_fields() {
    TypedFields fields = sample_fields;
    fields[4] = QStringLiteral("Seated in her wheelchair, switch on the tray.");
    return fields;
}

// Activation starts at 23:59:58.000; its first stimulus falls after midnight.
inline TestData after_midnight_data() {
    TestData d;
    d.activation.start_tick = 5000;
    d.activation.start_time = {2024, 3, 2, 5, 23, 59, 58, 0};
    for (int i = 0; i < trials_per_test; ++i) {
        d.activation.onsets[i] = 5000 + 2250 + 3000 * i;
        d.activation.responses[i] = d.activation.onsets[i] + 500;
    }
    return d;
}

// Every reading as an offset from its test's start press, and each start's
// time of day: what a file keeps of the readings.
inline std::vector<std::int64_t> reading_offsets(const TestData& d) {
    std::vector<std::int64_t> offsets;
    auto add = [&offsets](const auto& readings, ClockReading tick) {
        for (const ClockReading reading : readings) {
            offsets.push_back(reading_difference(reading, tick));
        }
    };
    add(d.activation.onsets, d.activation.start_tick);
    add(d.activation.responses, d.activation.start_tick);
    add(d.release.onsets, d.release.start_tick);
    add(d.release.responses, d.release.start_tick);
    add(std::array{d.repetition.first_press}, d.repetition.start_tick);
    add(d.repetition.click_times, d.repetition.start_tick);
    for (const LocalTime& start :
         {d.activation.start_time, d.release.start_time, d.repetition.start_time}) {
        offsets.push_back(((std::int64_t{static_cast<std::int16_t>(start.hour)} * 60 +
                            static_cast<std::int16_t>(start.minute)) *
                               60 +
                           static_cast<std::int16_t>(start.second)) *
                              1000 +
                          static_cast<std::int16_t>(start.millisecond));
    }
    return offsets;
}

} // namespace tavo::testing
