// Whether an output (a CSV export, a results sheet as PDF) would destroy an
// assessment: the names of the command line are easily swapped or forgotten
// ("tavo --export-csv visit1.tavo visit2.tavo" with the CSV name left out),
// a file dialog's replace question is easily accepted, and writing then
// replaces an assessment without a trace. The window and the command line
// ask the same question here.
#pragma once

#include <QString>
#include <QStringList>

namespace tavo {

enum class OutputClash {
    none,
    is_an_input,      // the output is one of the files to read
    is_an_assessment, // the output is an existing file named "*.tavo" in any letter case, or
                      // one whose first line reads as an assessment's, whatever its name
};

// A missing output clashes with nothing. An output of the wrong extension for
// its kind (a CSV file named ".pdf") is the user's choice, not a clash.
// `inputs` are the files read: the command line's, or the window's open
// assessment.
OutputClash output_clash(const QString& output, const QStringList& inputs);

// Why the window will not write `output`, for a message: empty when it may.
// `what` names the content ("The trial data"); `open_file` is the
// assessment on screen's file, empty for none.
QString window_output_refusal(const QString& what, const QString& output, const QString& open_file);

// True when the file's first line is an assessment's first line: "Subject:"
// with a TAB after it, after a byte-order mark if there is one. A pipe or a
// device is never read.
bool reads_as_assessment(const QString& path);

} // namespace tavo
