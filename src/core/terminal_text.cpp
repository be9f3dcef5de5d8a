#include "terminal_text.h"

#include "file_names.h"

namespace tavo {

namespace {

bool is_control(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

QString terminal_text(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    // A name's bytes that are no text first, so that they read as \xff too.
    for (const QChar c : displayed_file_name(text)) {
        if (is_control(c.unicode())) {
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            shown += c;
        }
    }
    return shown;
}

QString terminal_file_name(const QString& name) {
    return terminal_text(displayed_file_name(name));
}

} // namespace tavo
