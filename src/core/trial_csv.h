// The trial data of one or more assessments as a CSV file for a spreadsheet
// or a statistics program: RFC 4180 (fields holding a comma, a quote or a
// line break are quoted, quotes doubled, records end with CR LF), UTF-8 with
// a byte-order mark so that spreadsheets read names in any script, a header
// row, and one row per trial of every test that has data.
#pragma once

#include "assessment_document.h"
#include "assessment_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tavo {

struct ExportedAssessment {
    QString file_name; // the file's name without its folder; empty when unsaved
    TypedFields fields;
    TestData data;
    // The errors of the moment: counted for the session's own runs, not
    // recorded for an assessment read from a file.
    RunErrors errors;
};

// One field as RFC 4180 writes it.
QString csv_field(const QString& text);

// Text a spreadsheet would run as a formula (it begins with "=", "+", "-",
// "@", a TAB or a CR) with an apostrophe put before it, as the spreadsheet
// makers advise; other text as it is. For typed text, never for numbers.
QString spreadsheet_text(const QString& text);

// The column names of the header row.
QStringList trial_csv_header();

QByteArray trial_csv(const std::vector<ExportedAssessment>& assessments);

} // namespace tavo
