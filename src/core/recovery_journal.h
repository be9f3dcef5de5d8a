// Keeps a copy of the unsaved assessment in this process's recovery set, so
// that a crash loses nothing measured: a completed run is copied at once,
// typing and settings after a short pause that gathers the keys of a second.
// When nothing is unsaved any more (a save, an open, a new assessment) or the
// program ends cleanly, the copy goes. It writes through the checked writer,
// so a copy is always whole: the old one or the new one.
//
// Also what the start asks about the sets other processes left behind.
#pragma once

#include "assessment_document.h"
#include "one_shot_timer.h"
#include "recovery_files.h"

#include <QObject>
#include <functional>
#include <memory>

namespace tavo {

enum class RecoveryAnswer { recover, discard, later };

// The questions of the start, asked by the windows (or a test).
class RecoveryQuestions {
public:
    virtual ~RecoveryQuestions() = default;
    virtual RecoveryAnswer ask_to_recover(const QString& question) = 0;
    // The second question before a set is deleted; true deletes it.
    virtual bool confirm_discard(const QString& question) = 0;
    virtual void report(const QString& message) = 0;
};

// Offers the sets left behind, newest first. Discard (confirmed) deletes a
// set and goes on to the next; Recover returns its set, still on disk, for
// the caller to take over; Later, or no set left, returns nothing, and the
// sets not deleted are offered again at the next start. A set that cannot be
// read is set aside and reported, once. While a set is being asked about,
// this process holds its lock, so a second TAVO started meanwhile does not
// offer it too.
std::optional<RecoveryOffer> ask_about_left_behind(const RecoveryFolder& folder,
                                                   RecoveryQuestions& questions);

inline constexpr int recovery_gathering_ms = 1000;

class RecoveryJournal final : public QObject {
    Q_OBJECT
public:
    using Reporter = std::function<void(const QString& message)>;

    // The timer gathers edits; `report` tells the user, once, that copies
    // cannot be written (and again only after one has been written since).
    RecoveryJournal(AssessmentDocument& document, RecoveryFolder folder,
                    std::unique_ptr<OneShotTimer> timer, Reporter report);
    // Leaves any copy for the next start, and gives up this process's lock
    // so that the next start finds the copy unowned.
    ~RecoveryJournal() override;
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    const RecoveryFolder& folder() const { return m_folder; }
    const QString& id() const { return m_id; }
    QString data_path() const { return m_folder.data_path(m_id); }

    // Makes the folder and takes this process's lock; the reason on failure,
    // after which the journal keeps nothing.
    std::optional<QString> start();

    // Writes the copy now; true when it is on disk.
    bool write_now();
    // A clean end: the copy, its info and the lock go, and nothing more is
    // written.
    void end_cleanly();

private:
    void follow(DocumentChange what);
    void remove_copy();

    AssessmentDocument& m_document;
    RecoveryFolder m_folder;
    QString m_id;
    std::unique_ptr<OneShotTimer> m_timer;
    Reporter m_report;
    bool m_running = false;
    bool m_failure_reported = false;
};

} // namespace tavo
