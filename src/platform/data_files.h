// Where the files shipped with the program (sounds, help) are found: in
// share/tavo beside the program's bin folder, both after installing and in the
// build tree, so a program finds its data by bare name wherever it was put.
#pragma once

#include <QString>

namespace tavo {

// The folder that holds the shipped data files.
QString data_directory();

// The full path of a shipped file given by bare name, or an empty string when
// it is not there.
QString find_data_file(const QString& bare_name);

} // namespace tavo
