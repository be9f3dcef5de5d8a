// Text in the Windows-1252 code page, the one assessment files are written
// in: Latin-1 with typographic characters in 0x80 to 0x9F. We carry our own
// table so that the bytes are the same on every system.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tavo {

// nullopt when a character has no Windows-1252 byte.
std::optional<QByteArray> to_windows_1252(QStringView text);

// Every byte has a character; the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, as Windows reads them, and are written back as the same bytes.
QString from_windows_1252(QByteArrayView bytes);

} // namespace tavo
