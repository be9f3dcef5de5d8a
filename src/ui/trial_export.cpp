#include "trial_export.h"

#include "assessment_file.h"
#include "dialogs.h"
#include "output_clash.h"
#include "summary_csv.h"
#include "trial_details.h"
#include "whole_file.h"

#include <QDir>

namespace tavo {

namespace {

using CsvMaker = QByteArray (*)(const std::vector<ExportedAssessment>&);

// `what` names the content in the failure message: "trial data".
void export_csv(QWidget* owner, Dialogs& dialogs, const ExportedAssessment& assessment,
                const QString& open_file, CsvMaker make_csv, const QString& what) {
    if (trial_details(assessment.data).empty()) {
        dialogs.show_message(owner, QStringLiteral("There are no trials to export yet. Run a test "
                                                   "or open an assessment file first."));
        return;
    }
    const std::optional<QString> path = dialogs.save_file_name(owner, csv_file_filter);
    if (!path) {
        return;
    }
    if (const QString refusal =
            window_output_refusal(QStringLiteral("The ") + what, *path, open_file);
        !refusal.isEmpty()) {
        dialogs.show_message(owner, refusal);
        return;
    }
    if (const std::optional<QString> failure = replace_whole_file(*path, make_csv({assessment}))) {
        dialogs.show_message(owner, QStringLiteral("The %1 could not be saved as \"%2\": %3. Any "
                                                   "earlier file of that name is unchanged; "
                                                   "choose another folder or disk to save it.")
                                        .arg(what, QDir::toNativeSeparators(*path), *failure));
    }
}

} // namespace

void export_trial_data(QWidget* owner, Dialogs& dialogs, const ExportedAssessment& assessment,
                       const QString& open_file) {
    export_csv(owner, dialogs, assessment, open_file, &trial_csv, QStringLiteral("trial data"));
}

void export_test_figures(QWidget* owner, Dialogs& dialogs, const ExportedAssessment& assessment,
                         const QString& open_file) {
    export_csv(owner, dialogs, assessment, open_file, &summary_csv, QStringLiteral("test figures"));
}

} // namespace tavo
