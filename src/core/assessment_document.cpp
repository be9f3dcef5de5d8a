#include "assessment_document.h"

namespace tavo {

namespace {

std::size_t index_of(TypedField which) {
    return static_cast<std::size_t>(which);
}
std::size_t index_of(StimulusColour which) {
    return static_cast<std::size_t>(which);
}
std::size_t index_of(TestKind test) {
    return static_cast<std::size_t>(test);
}

} // namespace

AssessmentDocument::AssessmentDocument(QObject* parent)
    : QObject(parent) {}

const QString& AssessmentDocument::field(TypedField which) const {
    return m_fields[index_of(which)];
}

Rgb AssessmentDocument::colour(StimulusColour which) const {
    return m_colours[index_of(which)];
}

bool AssessmentDocument::full_screen(TestKind test) const {
    return m_full_screen[index_of(test)];
}

bool AssessmentDocument::unsaved_changes() const {
    return tavo::unsaved_changes(m_assessment.saving, m_fields);
}

void AssessmentDocument::set_field(TypedField which, const QString& text) {
    QString& field = m_fields[index_of(which)];
    if (field != text) {
        field = text;
        Q_EMIT changed(DocumentChange::fields);
    }
}

void AssessmentDocument::set_max_delay(std::int16_t milliseconds) {
    if (m_assessment.settings.max_delay_ms != milliseconds) {
        m_assessment.settings.max_delay_ms = milliseconds;
        Q_EMIT changed(DocumentChange::settings);
    }
}

void AssessmentDocument::set_hold_time(std::int16_t milliseconds) {
    if (m_assessment.settings.max_hold_ms != milliseconds) {
        m_assessment.settings.max_hold_ms = milliseconds;
        Q_EMIT changed(DocumentChange::settings);
    }
}

void AssessmentDocument::set_switch_sends(SwitchSends choice) {
    if (m_assessment.settings.switch_sends != choice) {
        m_assessment.settings.switch_sends = choice;
        Q_EMIT changed(DocumentChange::settings);
    }
}

void AssessmentDocument::set_colour(StimulusColour which, Rgb colour) {
    Rgb& stored = m_colours[index_of(which)];
    if (stored != colour) {
        stored = colour;
        Q_EMIT changed(DocumentChange::settings);
    }
}

void AssessmentDocument::set_full_screen(TestKind test, bool full_screen) {
    bool& stored = m_full_screen[index_of(test)];
    if (stored != full_screen) {
        stored = full_screen;
        Q_EMIT changed(DocumentChange::settings);
    }
}

void AssessmentDocument::commit(TestKind test, const TimedRun& run) {
    m_assessment.data.timed(test) = run.readings;
    m_errors.early_responses(test) = run.early_responses;
    m_errors.origins(test) = run.origins;
    readings_committed();
}

void AssessmentDocument::commit(const RepetitionRun& run) {
    m_assessment.data.repetition = run.readings;
    m_errors.repetition_origins = run.origins;
    readings_committed();
}

// A completed test waits to be saved.
void AssessmentDocument::readings_committed() {
    m_assessment.saving.data_saved = false;
    Q_EMIT changed(DocumentChange::readings);
}

void AssessmentDocument::load(const TypedFields& fields, const TestData& data,
                              const QString& file_name, TextEncoding encoding) {
    m_encoding = encoding;
    replace(fields, data, file_name, true);
}

void AssessmentDocument::recover(const TypedFields& fields, const TestData& data,
                                 const QString& file_name) {
    replace(fields, data, file_name, false);
}

// Errors and origins belonged to the runs replaced; a file keeps none.
void AssessmentDocument::replace(const TypedFields& fields, const TestData& data,
                                 const QString& file_name, bool saved) {
    m_fields = fields;
    m_assessment.data = data;
    m_errors = {};
    SavingState& saving = m_assessment.saving;
    saving.saved_fields = fields;
    saving.current_file_name = file_name;
    saving.data_saved = saved;
    Q_EMIT changed(DocumentChange::readings);
}

void AssessmentDocument::mark_saved(const QString& file_name) {
    SavingState& saving = m_assessment.saving;
    saving.current_file_name = file_name;
    saving.saved_fields = m_fields;
    saving.data_saved = true;
    Q_EMIT changed(DocumentChange::saving);
}

void AssessmentDocument::clear() {
    wipe_test_data(m_assessment.data);
    m_fields = {};
    m_errors = {};
    m_encoding = TextEncoding::windows_1252;
    m_assessment.saving = SavingState{};
    Q_EMIT changed(DocumentChange::readings);
}

} // namespace tavo
