#include "comparison.h"

#include "assessment_file.h"

#include <QFileInfo>

namespace tavo {

ComparedAssessment compared_assessment(const QString& file_name, const QDateTime& modified,
                                       const TestData& data) {
    ComparedAssessment compared{file_name, modified, test_results(data), {}};
    for (const TestDetails& details : trial_details(data)) {
        compared.statistics.push_back(test_statistics(details));
    }
    return compared;
}

const TestStatistics* ComparedAssessment::statistics_of(TestKind kind) const {
    for (const TestStatistics& test : statistics) {
        if (test.kind == kind) {
            return &test;
        }
    }
    return nullptr;
}

Comparison load_comparison(const QStringList& paths) {
    Comparison comparison;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        const ReadResult read = read_assessment_file(path, TestData{});
        if (!read.ok()) {
            comparison.failures << info.fileName() + QStringLiteral(": ") +
                                       describe_read_failure(*read.failure);
            continue;
        }
        comparison.assessments.push_back(
            compared_assessment(info.fileName(), info.lastModified(), read.record.data));
    }
    return comparison;
}

} // namespace tavo
