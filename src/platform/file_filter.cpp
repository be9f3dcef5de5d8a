#include "file_filter.h"

#include <QStringList>

namespace tavo {

QString qt_name_filters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        if (i + 1 >= parts.size()) {
            entries << description;
            break;
        }
        const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString shown = QStringLiteral("(%1)").arg(patterns);
        // Qt reads the patterns from the description's parentheses, so a
        // description that already shows them is taken as it is.
        entries << (description.endsWith(shown) ? description
                                                : description + QLatin1Char(' ') + shown);
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace tavo
