// The assessment on screen: everything an assessment is, in one object. The
// main window shows it and edits it through the small operations below; the
// results tab, Trial Details, the file writer, the sheet and the export read
// it. Nothing reads a widget back. Each operation that changes something
// emits `changed` once, saying what changed, so every view can follow.
#pragma once

#include "assessment.h"
#include "completed_runs.h"
#include "results.h"

#include <QObject>
#include <optional>

namespace tavo {

enum class DocumentChange {
    fields,   // a typed field or the notes
    settings, // a delay, a colour, a full-screen choice or what the switch sends
    readings, // a completed run, an open or a new assessment
    saving,   // saved, or the file name changed
};

class AssessmentDocument final : public QObject, public RunRecorder {
    Q_OBJECT
public:
    explicit AssessmentDocument(QObject* parent = nullptr);

    const TypedFields& fields() const { return m_fields; }
    const QString& field(TypedField which) const;
    const TestData& data() const { return m_assessment.data; }
    const TestSettings& settings() const { return m_assessment.settings; }
    Rgb colour(StimulusColour which) const;
    bool full_screen(TestKind test) const;
    const RunErrors& run_errors() const { return m_errors; }
    const QString& file_name() const { return m_assessment.saving.current_file_name; }
    // How the file's text was encoded; a new assessment's is Windows-1252.
    TextEncoding text_encoding() const { return m_encoding; }
    // True when a completed test is unsaved or a typed field differs, in any
    // character, from its text at the last save, open or new.
    bool unsaved_changes() const;
    // The results every view shows, from the readings as they are now.
    TestResults results() const { return test_results(m_assessment.data); }

    // Whether no completed test waits to be saved, the typed fields as they
    // were at the last save, open or new, and the file name. Only the
    // operations below change it, and each says so with `changed`.
    const SavingState& saving() const { return m_assessment.saving; }

    void set_field(TypedField which, const QString& text);
    void set_max_delay(std::int16_t milliseconds);
    void set_hold_time(std::int16_t milliseconds);
    void set_switch_sends(SwitchSends choice);
    void set_colour(StimulusColour which, Rgb colour);
    void set_full_screen(TestKind test, bool full_screen);

    // A completed run replaces its test's readings in one step and waits to
    // be saved.
    void commit(TestKind test, const TimedRun& run) override;
    void commit(const RepetitionRun& run) override;

    // An assessment read from a file: fields and readings as they were read,
    // saved, under the file's name.
    void load(const TypedFields& fields, const TestData& data, const QString& file_name,
              TextEncoding encoding = TextEncoding::windows_1252);
    // An assessment brought back after TAVO ended without saving it: as
    // read, under the file it belonged to, and unsaved, so that the next
    // Save writes it there.
    void recover(const TypedFields& fields, const TestData& data, const QString& file_name);
    // The assessment was written to this file.
    void mark_saved(const QString& file_name);
    // A new, empty assessment with nothing to save: the unsaved results are
    // gone, so nothing is left to ask about. Settings, colours and
    // full-screen choices stay as they are.
    void clear();

Q_SIGNALS:
    void changed(tavo::DocumentChange what);

private:
    void readings_committed();
    // Another assessment in place of this one: its fields and readings under
    // its file name, saved or not.
    void replace(const TypedFields& fields, const TestData& data, const QString& file_name,
                 bool saved);

    Assessment m_assessment;
    TypedFields m_fields;
    std::array<Rgb, 4> m_colours{yellow_rgb, yellow_rgb, dark_blue_rgb, yellow_rgb};
    std::array<bool, 3> m_full_screen{};
    RunErrors m_errors;
    TextEncoding m_encoding = TextEncoding::windows_1252;
};

} // namespace tavo
