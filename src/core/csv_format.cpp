#include "csv_format.h"

#include <algorithm>

namespace tavo {

QString csv_field(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return special.contains(c); })) {
        return text;
    }
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString spreadsheet_text(const QString& text) {
    static const QString formula_starts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && formula_starts.contains(text.front())) {
        return QLatin1Char('\'') + text;
    }
    return text;
}

QString csv_record(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields) {
        quoted << csv_field(field);
    }
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QByteArray csv_file(const QString& records) {
    return QByteArrayLiteral("\xEF\xBB\xBF") + records.toUtf8();
}

} // namespace tavo
