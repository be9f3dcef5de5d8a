#include "data_files.h"

#include "shipped_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace tavo {

QString data_directory_beside(const QString& program_dir) {
    const QString clean = QDir::cleanPath(program_dir);
    if (clean.endsWith(QLatin1String(".app/Contents/MacOS"))) {
        return QDir::cleanPath(clean + QStringLiteral("/../Resources"));
    }
    return QDir::cleanPath(clean + QStringLiteral("/../share/tavo"));
}

QString data_directory() {
    const QString override_dir = qEnvironmentVariable("TAVO_DATA_DIR");
    if (!override_dir.isEmpty()) {
        return override_dir;
    }
    return data_directory_beside(QCoreApplication::applicationDirPath());
}

QString find_data_file(const QString& bare_name) {
    const QFileInfo file(QDir(data_directory()), bare_name);
    return file.isFile() ? QDir::cleanPath(file.absoluteFilePath()) : QString();
}

QStringList shipped_data_files() {
    return shipped_file_names();
}

QStringList shipped_sounds() {
    return shipped_file_names().filter(QRegularExpression(QStringLiteral("\\.wav$")));
}

int report_data_files(QTextStream& out, QString (*shown)(const QString&)) {
    out << "Data folder: " << shown(QDir::cleanPath(data_directory())) << '\n';
    int missing = 0;
    for (const QString& name : shipped_data_files()) {
        const QString path = find_data_file(name);
        if (path.isEmpty()) {
            ++missing;
            out << "missing: " << shown(name) << '\n';
        } else {
            out << "found: " << shown(path) << '\n';
        }
    }
    return missing == 0 ? 0 : 1;
}

} // namespace tavo
