// The printed results sheet as lines of text, each with its font: the header,
// the typed fields, the notes, the three tests' results in the Test Results
// tab's captions, and the footer with the date and time of printing.
// Printing, the PDF export and the tests all draw these same lines.
#pragma once

#include "assessment.h"
#include "results.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <vector>

namespace tavo {

struct SheetFont {
    double point_size = 11;
    bool bold = false;
    friend bool operator==(const SheetFont&, const SheetFont&) = default;
};

struct SheetLine {
    QString text;
    SheetFont font;
    friend bool operator==(const SheetLine&, const SheetLine&) = default;
};

inline const QString sheet_font_family = QStringLiteral("Verdana");

// "Printed on Tuesday, December 08, 2026 at 04:05 PM by TAVO Version 1.0", with
// the day and month names of the locale; the digits, the 12-hour clock and
// "AM" and "PM" are the same in every language.
QString sheet_footer(const QDate& date, const QTime& time, const QLocale& locale);

// One copy of the sheet. The notes' own line breaks start new lines. Each
// test's section holds the Test Results tab's captions; a timed test with
// unrecorded trials says how many were recorded on a line of its own.
std::vector<SheetLine> results_sheet_lines(const TypedFields& fields, const TestResults& results,
                                           const QString& footer);

} // namespace tavo
