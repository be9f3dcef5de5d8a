// Where the files shipped with the program (sounds, help) are found: in
// share/tavo beside the program's bin folder, both after installing and in the
// build tree, so a program finds its data by bare name wherever it was put; in
// a macOS application bundle, in the bundle's Contents/Resources.
#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace tavo {

// The folder that holds the shipped data files: TAVO_DATA_DIR when set,
// otherwise the one beside the running program.
QString data_directory();

// The data folder for a program in `program_dir`: ../share/tavo, or
// Contents/Resources when the program lies in a bundle's Contents/MacOS.
QString data_directory_beside(const QString& program_dir);

// The full path of a shipped file given by bare name, or an empty string when
// it is not there.
QString find_data_file(const QString& bare_name);

// The bare names of every file the program ships: the help and the five sounds.
QStringList shipped_data_files();
QStringList shipped_sounds();

// Writes the data folder and, for each shipped file, where it was found or
// that it is missing; returns 0 when every file is found and 1 otherwise. This
// is the --data-dir option, which shows that an installed program finds its
// files. Each path is written as `shown` gives it: the folder comes from the
// environment (TAVO_DATA_DIR) and may hold anything, which the terminal must
// not act on.
int report_data_files(QTextStream& out, QString (*shown)(const QString&));

} // namespace tavo
