// Text for a terminal. A file name or a line of a damaged file may hold
// control characters, and a terminal would act on them (an escape sequence
// can recolour, retitle or clear it); written as "\x1b" they are seen instead.
#pragma once

#include <QString>

namespace tavo {

// Every C0 and C1 control character and DEL, and every byte of a file name
// that is no text (see file_names.h), as \x followed by two hex digits; the
// rest as it is.
QString terminal_text(const QString& text);

// A file name for the terminal: a byte of the name that is no valid UTF-8 as
// \xff, then every control character as above.
QString terminal_file_name(const QString& name);

} // namespace tavo
