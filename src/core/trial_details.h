// Every trial of an assessment, one table per test: the readings behind the
// Test Results tab's figures, each response in milliseconds and each instant
// as the time of day the assessment file gives it. The trial details window,
// the data export and the detail page of the results sheet all read this.
#pragma once

#include "assessment.h"
#include "results.h"
#include "test_kind.h"

#include <QString>
#include <optional>
#include <vector>

namespace tavo {

struct TrialRow {
    int trial = 0; // from 1
    ClockReading onset = 0;
    ClockReading response = 0;
    // The response time; for the repetition test, the time of the click
    // from the first press.
    std::int64_t response_ms = 0;
    // The onset and the response as times of day (9:05:08:542), empty when
    // they cannot be held as one (a start time edited out of range).
    QString onset_time_of_day;
    QString response_time_of_day;
    // What makes the trial's readings absurd, empty when nothing does: only
    // an edited file holds a response before its stimulus or hours after it,
    // and its time is shown as it is, so the reader is told why. A trial
    // with nothing recorded says so here, and has no time at all.
    QString note;

    bool recorded() const { return trial_recorded(onset, response); }
};

// The note of a trial with neither reading.
inline const QString trial_not_recorded_note = QStringLiteral("not recorded");

// A response more than this long after its stimulus is no real response.
inline constexpr std::int64_t absurd_response_ms = 3'600'000;

// "response before stimulus", "response over an hour after stimulus" or empty.
QString absurd_response_note(std::int64_t response_ms);

struct TestDetails {
    TestKind kind = TestKind::activation;
    std::vector<TrialRow> rows;
    // The average response time of the recorded trials as the Test Results
    // tab gives it; the repetition test has none.
    std::optional<std::int64_t> average;
};

// The tests that have data, in the order activation, release, repetition. A
// test has data exactly when the Test Results tab shows a figure for it.
std::vector<TestDetails> trial_details(const TestData& data);

} // namespace tavo
