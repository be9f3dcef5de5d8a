// File > Export Trial Data...: asks where to save, then writes the trials of
// the assessment on screen as a CSV file.
#pragma once

#include "trial_csv.h"

class QWidget;

namespace tavo {

class Dialogs;

inline const QString csv_file_filter = QStringLiteral("CSV (*.csv) | *.csv");

// `assessment` is what the main window shows; an assessment without any
// completed test is refused with a message before any dialog.
void export_trial_data(QWidget* owner, Dialogs& dialogs, const ExportedAssessment& assessment);

} // namespace tavo
