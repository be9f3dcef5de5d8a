// How TAVO writes a CSV file, for every export: RFC 4180 (fields holding a
// comma, a quote or a line break are quoted, quotes doubled, records end with
// CR LF), UTF-8 with a byte-order mark so that spreadsheets read names in any
// script.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tavo {

// One field as RFC 4180 writes it.
QString csv_field(const QString& text);

// Text a spreadsheet would run as a formula (it begins with "=", "+", "-",
// "@", a TAB or a CR) with an apostrophe put before it, as the spreadsheet
// makers advise; other text as it is. For typed text, never for numbers.
QString spreadsheet_text(const QString& text);

// The fields quoted where they need it, joined by commas and ended by CR LF.
QString csv_record(const QStringList& fields);

// The records as the bytes of the file.
QByteArray csv_file(const QString& records);

} // namespace tavo
