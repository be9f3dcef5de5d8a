// The optional page of trial details that follows the results sheet: for
// each test that has data, its trials as a table beside a chart of them.
#pragma once

#include "assessment.h"
#include "assessment_document.h"

class QPainter;
class QRectF;

namespace tavo {

// `errors` are the session's counts; a file's tests have them unrecorded.
void draw_trial_detail_page(QPainter& painter, const QRectF& page, const TestData& data,
                            const RunErrors& errors = {});

} // namespace tavo
