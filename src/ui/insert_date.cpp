#include "insert_date.h"

namespace tavo {

namespace {
const QString crlf = QStringLiteral("\r\n");
}

QString regional_date_separator(const QLocale& locale) {
    // The C locale stands for "no regional settings": use the plain slash.
    if (locale.language() == QLocale::C) {
        return QStringLiteral("/");
    }
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    qsizetype i = 0;
    while (i < format.size() && format.at(i).isLetter()) {
        ++i;
    }
    QString separator;
    while (i < format.size() && !format.at(i).isLetter() && format.at(i) != QChar(u'\'')) {
        separator.append(format.at(i));
        ++i;
    }
    return separator.isEmpty() ? QStringLiteral("/") : separator;
}

QString month_day_year(const QDate& date, const QString& separator) {
    return QString::number(date.month()) + separator + QString::number(date.day()) + separator +
           QStringLiteral("%1").arg(date.year(), 4, 10, QChar(u'0'));
}

QString notes_with_date(const QString& notes, const QDate& date, const QString& separator) {
    const QString stamp = month_day_year(date, separator);
    if (notes.isEmpty()) {
        return stamp + crlf;
    }
    return notes + crlf + stamp + crlf;
}

} // namespace tavo
