// The trial data of one or more assessments as a CSV file for a spreadsheet
// or a statistics program: a header row, and one row per trial of every test
// that has data. A trial with nothing recorded keeps its row, with no times
// and the trial note "not recorded".
#pragma once

#include "assessment_document.h"
#include "assessment_file.h"
#include "csv_format.h"

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

// The column names of the header row.
QStringList trial_csv_header();

QByteArray trial_csv(const std::vector<ExportedAssessment>& assessments);

} // namespace tavo
