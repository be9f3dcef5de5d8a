// The "Insert Date:" command's text: today's date as month/day/year on a line
// of its own at the end of the notes.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace tavo {

// The separator of the user's short date format ("/", "." or "-", say).
QString regional_date_separator(const QLocale& locale);

// m/d/yyyy: month and day without leading zeros, four-digit year.
QString month_day_year(const QDate& date, const QString& separator);

// Notes use CR LF line breaks. Empty notes become the date and a line break;
// otherwise a line break, the date and a line break are appended.
QString notes_with_date(const QString& notes, const QDate& date, const QString& separator);

} // namespace tavo
