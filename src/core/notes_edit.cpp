#include "notes_edit.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace tavo {

namespace {

const QString crlf = QStringLiteral("\r\n");

// The characters the box turns into a paragraph break when it is given text.
bool is_break(QChar c) {
    return c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator || c == QChar(0xfdd0) ||
           c == QChar(0xfdd1);
}

// Where each shown character starts in the notes (and, last, the notes'
// length), or nothing when the shown text is not the notes as the box shows
// them.
std::optional<std::vector<qsizetype>> shown_positions(const QString& notes, const QString& shown) {
    std::vector<qsizetype> starts;
    starts.reserve(static_cast<std::size_t>(shown.size()) + 1);
    qsizetype at = 0;
    for (const QChar c : shown) {
        if (at >= notes.size()) {
            return std::nullopt;
        }
        starts.push_back(at);
        if (c == QChar::ParagraphSeparator && is_break(notes.at(at))) {
            // A CR LF pair is one break, not two.
            const bool pair =
                notes.at(at) == u'\r' && at + 1 < notes.size() && notes.at(at + 1) == u'\n';
            at += pair ? 2 : 1;
        } else if (c == notes.at(at)) {
            ++at;
        } else {
            return std::nullopt;
        }
    }
    if (at != notes.size()) {
        return std::nullopt;
    }
    starts.push_back(at);
    return starts;
}

QString with_crlf_breaks(QString text) {
    text.replace(QChar::ParagraphSeparator, crlf);
    return text;
}

} // namespace

QString notes_after_edit(const QString& notes, const QString& shown_before,
                         const QString& shown_after) {
    const auto starts = shown_positions(notes, shown_before);
    if (!starts) {
        return with_crlf_breaks(shown_after);
    }
    const qsizetype shortest = std::min(shown_before.size(), shown_after.size());
    qsizetype prefix = 0;
    while (prefix < shortest && shown_before.at(prefix) == shown_after.at(prefix)) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shortest - prefix && shown_before.at(shown_before.size() - 1 - suffix) ==
                                             shown_after.at(shown_after.size() - 1 - suffix)) {
        ++suffix;
    }
    const qsizetype kept_head = (*starts)[static_cast<std::size_t>(prefix)];
    const qsizetype kept_tail = (*starts)[static_cast<std::size_t>(shown_before.size() - suffix)];
    return notes.left(kept_head) +
           with_crlf_breaks(shown_after.mid(prefix, shown_after.size() - prefix - suffix)) +
           notes.mid(kept_tail);
}

} // namespace tavo
