// File > Export Trial Data... and Export Test Figures...: ask where to save,
// then write the trials, or the figures of each test, of the assessment on
// screen as a CSV file.
#pragma once

#include "trial_csv.h"

class QWidget;

namespace tavo {

class Dialogs;

inline const QString csv_file_filter = QStringLiteral("CSV (*.csv)");

// `assessment` is what the main window shows; an assessment without any
// completed test is refused with a message before any dialog. `open_file`
// is its file, which an export never replaces (nor any other assessment).
void export_trial_data(QWidget* owner, Dialogs& dialogs, const ExportedAssessment& assessment,
                       const QString& open_file);
void export_test_figures(QWidget* owner, Dialogs& dialogs, const ExportedAssessment& assessment,
                         const QString& open_file);

} // namespace tavo
