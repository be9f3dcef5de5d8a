// The figures of one or more assessments as a CSV file, one row per test per
// assessment: what a researcher pastes into a statistics program to compare a
// caseload. Written as the trial CSV is (RFC 4180, UTF-8 with a byte-order
// mark, CR LF), with the figures in the views' own rounding so the numbers a
// spreadsheet shows are the numbers on screen. The last column, Test Note,
// says "5 of 10 trials recorded" for a timed test with unrecorded trials.
#pragma once

#include "trial_csv.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

namespace tavo {

QStringList summary_csv_header();

QByteArray summary_csv(const std::vector<ExportedAssessment>& assessments);

} // namespace tavo
