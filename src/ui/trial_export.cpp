#include "trial_export.h"

#include "assessment_file.h"
#include "dialogs.h"
#include "trial_details.h"

namespace tavo {

void export_trial_data(QWidget* owner, Dialogs& dialogs, const ExportedAssessment& assessment) {
    if (trial_details(assessment.data).empty()) {
        dialogs.show_message(owner, QStringLiteral("There are no trials to export yet. Run a test "
                                                   "or open an assessment file first."));
        return;
    }
    const std::optional<QString> path = dialogs.save_file_name(owner, csv_file_filter);
    if (!path) {
        return;
    }
    if (const std::optional<QString> failure =
            save_assessment_file(*path, trial_csv({assessment}))) {
        dialogs.show_message(
            owner, QStringLiteral("The trial data could not be saved as "
                                  "\"%1\": %2. Any earlier file of that name is unchanged.")
                       .arg(*path, *failure));
    }
}

} // namespace tavo
