#include "trial_csv.h"

#include "trial_details.h"

namespace tavo {

QStringList trial_csv_header() {
    return {QStringLiteral("File"),
            QStringLiteral("Subject"),
            QStringLiteral("Administrator"),
            QStringLiteral("Switch Location"),
            QStringLiteral("Switch Type"),
            QStringLiteral("Test"),
            QStringLiteral("Trial"),
            QStringLiteral("Onset Time of Day"),
            QStringLiteral("Response Time of Day"),
            QStringLiteral("Response Time (ms)"),
            QStringLiteral("Notes"),
            QStringLiteral("Trial Note")};
}

QByteArray trial_csv(const std::vector<ExportedAssessment>& assessments) {
    QString text = csv_record(trial_csv_header());
    for (const ExportedAssessment& assessment : assessments) {
        const TypedFields& f = assessment.fields;
        for (const TestDetails& test : trial_details(assessment.data)) {
            for (const TrialRow& row : test.rows) {
                // Typed text goes through spreadsheet_text; the numbers and
                // times are ours and stay as they are.
                text += csv_record({spreadsheet_text(assessment.file_name), spreadsheet_text(f[0]),
                                    spreadsheet_text(f[1]), spreadsheet_text(f[2]),
                                    spreadsheet_text(f[3]), test_name(test.kind),
                                    QString::number(row.trial), row.onset_time_of_day,
                                    row.response_time_of_day,
                                    row.recorded() ? QString::number(row.response_ms) : QString(),
                                    spreadsheet_text(f[4]), row.note});
            }
        }
    }
    return csv_file(text);
}

} // namespace tavo
