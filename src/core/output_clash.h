// Whether an output named on the command line would destroy an input: the
// names of the command line are easily swapped or forgotten ("tavo
// --export-csv visit1.tavo visit2.tavo" with the CSV name left out), and
// writing then replaces an assessment without a trace.
#pragma once

#include <QString>
#include <QStringList>

namespace tavo {

enum class OutputClash {
    none,
    is_an_input,      // the output is one of the files to read
    is_an_assessment, // the output is an existing file named "*.tavo" in any letter case
};

// A missing output clashes with nothing. An output of the wrong extension for
// its kind (a CSV file named ".pdf") is the user's choice, not a clash.
OutputClash output_clash(const QString& output, const QStringList& inputs);

} // namespace tavo
