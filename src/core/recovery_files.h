// The recovery folder: where each running TAVO keeps a copy of its unsaved
// assessment, so that work survives a crash, a frozen desktop or a flat
// battery. Each process has its own set of three files, named by its id:
//   recovery-ID.tavo   the assessment, in the ".tavo" format itself
//   recovery-ID.info   which file it belongs to and when it was written
//   recovery-ID.lock   the process that owns the set (see process_lock.h)
// A set whose lock no running process holds was left behind: it is offered
// at the next start. This decides which sets to offer, in which order, and
// what to ask; the windows only ask.
#pragma once

#include "assessment_file.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace tavo {

// The version of the info file this program writes; a higher one comes from a
// newer TAVO whose files this one may misread.
inline constexpr int recovery_format_version = 1;

// What the info file says beside the assessment.
struct RecoveryInfo {
    QString file_name; // the assessment's file, empty when it had none
    QDateTime written; // when the assessment was last written
    int version = recovery_format_version;
};

QByteArray info_text(const RecoveryInfo& info);
// nullopt when the text is no info file at all.
std::optional<RecoveryInfo> parse_info(QByteArrayView text);

// A set left behind that can be recovered.
struct RecoveryOffer {
    QString id;
    AssessmentRecord record;
    QString file_name;
    QDateTime written;
};

// A set that could not be read; it has been renamed aside.
struct RecoveryRefusal {
    QString message;
};

// The question of the start, with the subject's name, or "an unnamed subject".
QString recovery_question(const RecoveryOffer& offer);
QString discard_question(const RecoveryOffer& offer);

class RecoveryFolder {
public:
    explicit RecoveryFolder(QString path);

    const QString& path() const { return m_path; }
    QString data_path(const QString& id) const;
    QString info_path(const QString& id) const;
    QString lock_path(const QString& id) const;

    // A fresh id for this process: its process id and the moment, so that a
    // process id used again never lands on an older set.
    static QString new_id();

    // Makes the folder, private to the user (0700). Returns the reason it
    // could not.
    std::optional<QString> prepare() const;

    // The sets that no running process owns, newest first. Locks and info
    // files of sets whose assessment is gone are tidied away on the way.
    QStringList orphans() const;

    // Reads a set. One that cannot be read (cut, damaged, from a newer
    // version) is renamed aside, never deleted, and the refusal says where.
    std::variant<RecoveryOffer, RecoveryRefusal> load(const QString& id) const;

    // Removes all three files of a set; false when the assessment stays.
    bool remove(const QString& id) const;

private:
    QDateTime written_of(const QString& id) const;
    std::optional<RecoveryInfo> read_info(const QString& id) const;
    RecoveryRefusal set_aside(const QString& id, const QString& reason) const;

    QString m_path;
};

} // namespace tavo
