#include "output_clash.h"

#include "file_names.h"

#include <QFileInfo>

namespace tavo {

namespace {

bool same_file(const QFileInfo& a, const QFileInfo& b) {
    if (a.absoluteFilePath() == b.absoluteFilePath()) {
        return true;
    }
    // Other spellings of one path: links, "..", "./".
    const QString canonical = a.canonicalFilePath();
    return !canonical.isEmpty() && canonical == b.canonicalFilePath();
}

bool named_as_assessment(const QString& path) {
    return path.endsWith(QLatin1String(".tavo"), Qt::CaseInsensitive);
}

} // namespace

OutputClash output_clash(const QString& output, const QStringList& inputs) {
    const QFileInfo target(output);
    for (const QString& input : inputs) {
        if (same_file(target, QFileInfo(input))) {
            return OutputClash::is_an_input;
        }
    }
    if (file_exists(output) &&
        (named_as_assessment(output) || named_as_assessment(target.canonicalFilePath()))) {
        return OutputClash::is_an_assessment;
    }
    return OutputClash::none;
}

} // namespace tavo
