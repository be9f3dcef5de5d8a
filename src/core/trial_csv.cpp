#include "trial_csv.h"

#include "trial_details.h"

#include <algorithm>

namespace tavo {

namespace {

const QString crlf = QStringLiteral("\r\n");

QString csv_record(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields) {
        quoted << csv_field(field);
    }
    return quoted.join(QLatin1Char(',')) + crlf;
}

} // namespace

QString csv_field(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return special.contains(c); })) {
        return text;
    }
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

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
            QStringLiteral("Notes")};
}

QByteArray trial_csv(const std::vector<ExportedAssessment>& assessments) {
    QString text = csv_record(trial_csv_header());
    for (const ExportedAssessment& assessment : assessments) {
        const TypedFields& f = assessment.fields;
        for (const TestDetails& test : trial_details(assessment.data)) {
            for (const TrialRow& row : test.rows) {
                text +=
                    csv_record({assessment.file_name, f[0], f[1], f[2], f[3], test_name(test.kind),
                                QString::number(row.trial), row.onset_time_of_day,
                                row.response_time_of_day, QString::number(row.response_ms), f[4]});
            }
        }
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace tavo
