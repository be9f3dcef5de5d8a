// Carries an edit made in the notes box back onto the notes as the file holds
// them, so that only what was edited changes.
#pragma once

#include <QString>

namespace tavo {

// The notes box shows every line break of the notes as a paragraph break
// (U+2029 in its raw text), whatever the notes held there: CR LF, a lone CR,
// LF or U+2029. Given the notes, the box's raw text as it showed them and its
// raw text now, returns the notes with only the edited span replaced; the
// paragraph breaks typed into that span become CR LF, as new notes are
// written. When the shown text does not match the notes (they were not
// shown by the box), the whole new text is taken with CR LF breaks.
QString notes_after_edit(const QString& notes, const QString& shown_before,
                         const QString& shown_after);

} // namespace tavo
