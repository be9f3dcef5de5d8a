// File names as the system holds them. On Linux a name is a string of bytes,
// usually UTF-8 but not always: an old drive or an archive may hold a name
// in another encoding ("bad\xffname.tavo"), and such a file must open and
// save like any other. Qt's own decoding turns each invalid byte into U+FFFD,
// which names no file; here an invalid byte is carried in the QString as one
// of the code units U+DC80..U+DCFF (a lone low surrogate, which valid text
// never holds) and turned back into that byte when the file is opened.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace tavo {

// The name the system holds as `bytes`, each byte that is no part of valid
// UTF-8 carried as U+DC00 plus the byte.
QString file_name_from_bytes(QByteArrayView bytes);

// The bytes of a name made by file_name_from_bytes (or typed by a person):
// its inverse, so that every name the system holds comes back unchanged.
QByteArray file_name_bytes(const QString& name);

// The name for a message or a terminal: each carried byte written as \xff,
// so that a person sees which byte it is, the rest as it is.
QString displayed_file_name(const QString& name);

// Whether the name names anything (a link is followed), looked up by its
// bytes: QFileInfo looks a name up by its UTF-8 spelling and misses a name
// that is not valid UTF-8.
bool file_exists(const QString& name);

// The program's arguments (its own name first), each decoded as a file name
// so that an argument naming a file names exactly that file.
QStringList command_line_arguments(int argc, const char* const* argv);

} // namespace tavo
