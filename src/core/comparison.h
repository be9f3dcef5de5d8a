// The figures of several assessments side by side, for progress across
// sessions: per test the average, fastest and slowest time (the time for five
// clicks for the repetition test) of each file, in the order the files were
// chosen. The file format holds no date, so each file is known by its name
// and the date it was last changed.
#pragma once

#include "assessment.h"
#include "results.h"
#include "trial_statistics.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tavo {

struct ComparedAssessment {
    QString file_name; // without its folder
    QDateTime modified;
    // The Test Results tab's figures: none for a test without results.
    TestResults results;
    // The figures of each test that has data, in the order of the tests.
    std::vector<TestStatistics> statistics;

    // Nothing for a test without data.
    const TestStatistics* statistics_of(TestKind kind) const;
};

// The same figures, and the same test of whether a test has data, as the
// Test Results tab.
ComparedAssessment compared_assessment(const QString& file_name, const QDateTime& modified,
                                       const TestData& data);

struct Comparison {
    std::vector<ComparedAssessment> assessments;
    QStringList failures; // "name: reason" for each file that could not be read
};

// Reads the files in the order given; a file that cannot be read is left out
// and its reason given.
Comparison load_comparison(const QStringList& paths);

} // namespace tavo
