// The Background Info tab: the four one-line fields, the notes with Insert
// Date, and OK. Each edit goes to the document at once; the tab shows the
// document's fields back when they change elsewhere (open, new).
#pragma once

#include "assessment_document.h"
#include "tab_page.h"

#include <array>

class QLineEdit;
class QPlainTextEdit;

namespace tavo {

class BackgroundTab final : public TabPage {
    Q_OBJECT
public:
    BackgroundTab(AssessmentDocument& document, QWidget* parent = nullptr);

    void focus_first_field();
    // Rewrites a field only when it differs, so the caret stays where the
    // administrator types.
    void show_fields();

Q_SIGNALS:
    // OK: on to the Performance Tests.
    void done();

private:
    void insert_date();

    AssessmentDocument& m_document;
    std::array<QLineEdit*, 4> m_field_edits{};
    QPlainTextEdit* m_notes_edit = nullptr;
    // The notes last given to the box: while the box is not edited, the
    // document keeps its own text, whatever the box would make of it.
    QString m_notes_shown;
    // The box's raw text as it stood after the last change, so that an edit
    // replaces only the span that changed and every break elsewhere stays as
    // the notes hold it.
    QString m_notes_box_text;
    bool m_showing_notes = false;
};

} // namespace tavo
