#include "output_clash.h"

#include "assessment_file.h"
#include "file_names.h"
#include "whole_file.h"

#include <QDir>
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
        (named_as_assessment(output) || named_as_assessment(target.canonicalFilePath()) ||
         reads_as_assessment(output))) {
        return OutputClash::is_an_assessment;
    }
    return OutputClash::none;
}

QString window_output_refusal(const QString& what, const QString& output,
                              const QString& open_file) {
    const QStringList inputs = open_file.isEmpty() ? QStringList{} : QStringList{open_file};
    QString reason;
    switch (output_clash(output, inputs)) {
    case OutputClash::none:
        return {};
    case OutputClash::is_an_input:
        reason = QStringLiteral("it is the file of the assessment on screen");
        break;
    case OutputClash::is_an_assessment:
        reason = QStringLiteral("it is an assessment file");
        break;
    }
    return QStringLiteral("%1 was not saved as \"%2\": %3, which would be lost. Nothing was "
                          "written; choose another name.")
        .arg(what, QDir::toNativeSeparators(output), reason);
}

bool reads_as_assessment(const QString& path) {
    const WholeFile file = read_whole_file(path, largest_assessment_file);
    if (!file.ok()) {
        return false;
    }
    QByteArrayView bytes = file.bytes;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes = bytes.sliced(3);
    }
    const qsizetype end = bytes.indexOf('\n');
    const QByteArrayView first_line = end < 0 ? bytes : bytes.first(end);
    return first_line.startsWith("Subject:") && first_line.contains('\t');
}

} // namespace tavo
