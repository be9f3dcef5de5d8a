// The Test Results tab's figures, computed from the raw clock readings: the
// average, fastest and slowest response time of the activation and release
// tests, and the time for five clicks of the repetition test.
#pragma once

#include "assessment.h"

#include <QString>

namespace tavo {

// The captions of Label1, Label2, Label3 (activation), Label5, Label6, Label7
// (release) and Label8 (repetition).
struct ResultTexts {
    QString label1;
    QString label2;
    QString label3;
    QString label5;
    QString label6;
    QString label7;
    QString label8;

    friend bool operator==(const ResultTexts&, const ResultTexts&) = default;
};

// The captions the labels have before any result was computed.
ResultTexts initial_result_texts();

ResultTexts compute_results(const TestData& data);

// The difference of two readings of the one clock. The clock wraps after
// about 49.7 days, so the difference is taken modulo 2^32.
std::int32_t reading_difference(ClockReading later, ClockReading earlier);

} // namespace tavo
