#include "data_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tavo {

QString data_directory() {
    const QString override_dir = qEnvironmentVariable("TAVO_DATA_DIR");
    if (!override_dir.isEmpty()) {
        return override_dir;
    }
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../share/tavo"));
}

QString find_data_file(const QString& bare_name) {
    const QFileInfo file(QDir(data_directory()), bare_name);
    return file.isFile() ? QDir::cleanPath(file.absoluteFilePath()) : QString();
}

} // namespace tavo
