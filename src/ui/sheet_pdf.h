// The results sheet as a PDF file, without a window: the same lines and the
// same drawing as printing.
#pragma once

#include "assessment.h"
#include "results.h"

#include <QString>
#include <optional>

namespace tavo {

// Writes one copy of the sheet to `pdf_path`, on the page size of the user's
// locale (Letter in the United States, A4 elsewhere), followed by a page of
// the trial details of `details` when it is given. Returns why it could not,
// or nothing.
std::optional<QString> write_sheet_pdf(const TypedFields& fields, const TestResults& results,
                                       const QString& pdf_path, const TestData* details = nullptr);

} // namespace tavo
