#include "recovery_journal.h"

#include "process_lock.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavo {

namespace {

// The copy holds personal data: a new file is made private to the user
// before anything is in it, and the writer keeps an existing file's mode.
// A new file that could not be filled goes again, so that no empty copy is
// taken for a damaged one at the next start.
std::optional<QString> write_private(const QString& path, const QByteArray& bytes) {
    const bool existed = QFileInfo::exists(path);
    if (!existed) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFile::ReadOwner | QFile::WriteOwner)) {
            return file.errorString();
        }
    }
    std::optional<QString> failure = replace_whole_file(path, bytes);
    if (failure && !existed) {
        QFile::remove(path);
    }
    return failure;
}

} // namespace

std::optional<RecoveryOffer> ask_about_left_behind(const RecoveryFolder& folder,
                                                   RecoveryQuestions& questions) {
    for (const QString& id : folder.orphans()) {
        // Another TAVO may have taken the set since the listing.
        if (lock_is_held(folder.lock_path(id)) || take_lock(folder.lock_path(id))) {
            continue;
        }
        auto loaded = folder.load(id);
        if (const auto* refusal = std::get_if<RecoveryRefusal>(&loaded)) {
            questions.report(refusal->message);
            continue;
        }
        const RecoveryOffer& offer = std::get<RecoveryOffer>(loaded);
        for (;;) {
            switch (questions.ask_to_recover(recovery_question(offer))) {
            case RecoveryAnswer::recover:
                return offer;
            case RecoveryAnswer::later:
                QFile::remove(folder.lock_path(id));
                return std::nullopt;
            case RecoveryAnswer::discard:
                if (!questions.confirm_discard(discard_question(offer))) {
                    continue; // back to the first question
                }
                if (!folder.remove(id)) {
                    questions.report(
                        QStringLiteral("The recovery file \"%1\" could not be deleted.")
                            .arg(QDir::toNativeSeparators(folder.data_path(id))));
                }
                break;
            }
            break;
        }
    }
    return std::nullopt;
}

RecoveryJournal::RecoveryJournal(AssessmentDocument& document, RecoveryFolder folder,
                                 std::unique_ptr<OneShotTimer> timer, Reporter report)
    : m_document(document)
    , m_folder(std::move(folder))
    , m_id(RecoveryFolder::new_id())
    , m_timer(std::move(timer))
    , m_report(std::move(report)) {
    m_timer->set_interval(recovery_gathering_ms);
    m_timer->set_callback([this] {
        m_timer->set_enabled(false);
        write_now();
    });
    connect(&m_document, &AssessmentDocument::changed, this, &RecoveryJournal::follow);
}

RecoveryJournal::~RecoveryJournal() {
    if (m_running) {
        QFile::remove(m_folder.lock_path(m_id));
    }
}

std::optional<QString> RecoveryJournal::start() {
    if (std::optional<QString> failure = m_folder.prepare()) {
        return failure;
    }
    if (std::optional<QString> failure = take_lock(m_folder.lock_path(m_id))) {
        return failure;
    }
    m_running = true;
    return std::nullopt;
}

void RecoveryJournal::follow(DocumentChange what) {
    if (!m_running) {
        return;
    }
    if (!m_document.unsaved_changes()) {
        m_timer->set_enabled(false);
        remove_copy();
        return;
    }
    // A completed run is the work of a whole test: it is copied before
    // anything else can happen, its summary message included.
    if (what == DocumentChange::readings) {
        m_timer->set_enabled(false);
        write_now();
        return;
    }
    // The first edit starts the pause; the next ones join it, so steady
    // typing is copied once a second, not never.
    if (!m_timer->enabled()) {
        m_timer->set_enabled(true);
    }
}

bool RecoveryJournal::write_now() {
    if (!m_running) {
        return false;
    }
    const WrittenFile written = write_assessment(m_document.fields(), m_document.data());
    std::optional<QString> failure;
    if (!written.ok()) {
        failure = written.error;
    } else {
        failure = write_private(data_path(), written.bytes);
    }
    if (!failure) {
        failure = write_private(m_folder.info_path(m_id),
                                info_text({m_document.file_name(), QDateTime::currentDateTime(),
                                           recovery_format_version}));
    }
    if (failure) {
        if (!m_failure_reported && m_report) {
            m_failure_reported = true;
            m_report(QStringLiteral("TAVO could not keep a recovery copy of the unsaved "
                                    "assessment in \"%1\".\n\n%2.\n\nIf TAVO ends unexpectedly, "
                                    "unsaved work is lost: save the assessment to keep it.")
                         .arg(QDir::toNativeSeparators(data_path()), *failure));
        }
        return false;
    }
    m_failure_reported = false;
    return true;
}

void RecoveryJournal::remove_copy() {
    QFile::remove(data_path());
    QFile::remove(m_folder.info_path(m_id));
}

void RecoveryJournal::end_cleanly() {
    if (!m_running) {
        return;
    }
    m_timer->set_enabled(false);
    remove_copy();
    QFile::remove(m_folder.lock_path(m_id));
    m_running = false;
}

} // namespace tavo
