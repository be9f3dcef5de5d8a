// The recovery folder's decisions without windows: whose lock is alive,
// which sets are left behind and in which order, what is refused and set
// aside, and the start's question. What each answer does is checked through
// the real program in test_recovery.
#include "process_lock.h"
#include "recovery_journal.h"
#include "sample_assessments.h"
#include "scripted_questions.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavo;
using namespace tavo::testing;

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The id of a process that has ended.
qint64 ended_pid() {
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForFinished();
    return process.processId() > 0 ? process.processId() : 999'999'999;
}

// A process killed and not yet collected by its parent, as a killed TAVO is
// until whatever started it looks: a zombie that keeps its id and start. It
// stays until this test program ends.
ProcessIdentity killed_uncollected_process() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    const std::optional<ProcessIdentity> alive = running_process(child);
    ::kill(child, SIGKILL);
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT);
    return alive.value_or(ProcessIdentity{child, 0});
}

// A set as an earlier run leaves it: the assessment, its info, and a lock.
void leave_set(const RecoveryFolder& folder, const QString& id, const QString& subject,
               const QDateTime& written, const QByteArray& lock) {
    TypedFields fields = sample_fields;
    fields[0] = subject;
    put(folder.data_path(id), write_assessment(fields, three_tests_data()).bytes);
    put(folder.info_path(id), info_text({QStringLiteral("/clinic/visit.tavo"), written}));
    if (!lock.isNull()) {
        put(folder.lock_path(id), lock);
    }
}

const QDateTime monday{QDate(2026, 12, 7), QTime(9, 30)};

} // namespace

class TestRecoveryFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lock_liveness_data();
    void lock_liveness();
    void left_behind_newest_first();
    void bad_sets_are_set_aside_data();
    void bad_sets_are_set_aside();
    void question_names_the_subject_data();
    void question_names_the_subject();
};

void TestRecoveryFiles::lock_liveness_data() {
    QTest::addColumn<QByteArray>("lock");
    QTest::addColumn<bool>("held");
    const ProcessIdentity self = current_process();
    QTest::newRow("this process") << lock_text(self) << true;
    QTest::newRow("this id, started at another moment")
        << lock_text({self.pid, self.start_stamp + 1}) << false;
    QTest::newRow("an ended process") << lock_text({ended_pid(), 0}) << false;
    QTest::newRow("a killed process not yet collected")
        << lock_text(killed_uncollected_process()) << false;
    QTest::newRow("process id 0") << QByteArray("pid 0\nstart 0\n") << false;
    QTest::newRow("negative id") << QByteArray("pid -1\n") << false;
    QTest::newRow("no id") << QByteArray("start 5\n") << false;
    QTest::newRow("garbage") << QByteArray("pid one\n") << false;
    QTest::newRow("missing") << QByteArray() << false;
}

void TestRecoveryFiles::lock_liveness() {
    QFETCH(QByteArray, lock);
    QFETCH(bool, held);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.lock"));
    if (!lock.isNull()) {
        put(path, lock);
    }
    QCOMPARE(lock_is_held(path), held);
}

void TestRecoveryFiles::left_behind_newest_first() {
    QTemporaryDir dir;
    const RecoveryFolder folder(dir.path());
    const QByteArray dead = lock_text({ended_pid(), 0});
    leave_set(folder, QStringLiteral("old"), QStringLiteral("A"), monday, dead);
    leave_set(folder, QStringLiteral("newest"), QStringLiteral("B"), monday.addDays(2), {});
    leave_set(folder, QStringLiteral("middle"), QStringLiteral("C"), monday.addDays(1), dead);
    leave_set(folder, QStringLiteral("ours"), QStringLiteral("D"), monday.addDays(3),
              lock_text(current_process()));
    // A run that ended with nothing unsaved left only a lock and an info.
    put(folder.lock_path(QStringLiteral("empty")), dead);
    put(folder.info_path(QStringLiteral("empty")), info_text({{}, monday}));

    QCOMPARE(folder.orphans(), QStringList({"newest", "middle", "old"}));
    QVERIFY(!QFile::exists(folder.lock_path(QStringLiteral("empty"))));
    QVERIFY(!QFile::exists(folder.info_path(QStringLiteral("empty"))));
    QVERIFY(QFile::exists(folder.lock_path(QStringLiteral("ours"))));
}

void TestRecoveryFiles::bad_sets_are_set_aside_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("reason");
    const QByteArray whole = write_assessment(sample_fields, three_tests_data()).bytes;
    QTest::newRow("cut") << whole.left(whole.size() / 2) << 1 << QStringLiteral("line");
    QTest::newRow("damaged") << QByteArray(whole).replace("0:00", "x:yy") << 1
                             << QStringLiteral("line");
    QTest::newRow("empty") << QByteArray("") << 1 << QStringLiteral("line");
    QTest::newRow("newer version") << whole << 2 << QStringLiteral("newer version");
}

void TestRecoveryFiles::bad_sets_are_set_aside() {
    QFETCH(QByteArray, data);
    QFETCH(int, version);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const RecoveryFolder folder(dir.path());
    const QString id = QStringLiteral("bad");
    put(folder.data_path(id), data);
    put(folder.info_path(id), info_text({{}, monday, version}));

    ScriptedQuestions questions;
    QCOMPARE(ask_about_left_behind(folder, questions), std::nullopt);
    QCOMPARE(questions.asked, QStringList());
    QCOMPARE(questions.reports.size(), 1);
    QVERIFY2(questions.reports[0].contains(reason), qPrintable(questions.reports[0]));
    // Kept, under a name that is never offered again.
    const QString aside = dir.filePath(QStringLiteral("damaged-recovery-bad.tavo"));
    QVERIFY2(questions.reports[0].contains(aside), qPrintable(questions.reports[0]));
    QFile kept(aside);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), data);
    QVERIFY(!QFile::exists(folder.data_path(id)));
    QCOMPARE(folder.orphans(), QStringList());
    QCOMPARE(ask_about_left_behind(folder, questions), std::nullopt);
    QCOMPARE(questions.reports.size(), 1);
}

void TestRecoveryFiles::question_names_the_subject_data() {
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("named");
    QTest::newRow("named") << QStringLiteral("Ann Example") << QStringLiteral("Ann Example");
    QTest::newRow("empty") << QString() << QStringLiteral("an unnamed subject");
    QTest::newRow("blanks") << QStringLiteral("  ") << QStringLiteral("an unnamed subject");
}

void TestRecoveryFiles::question_names_the_subject() {
    QFETCH(QString, subject);
    QFETCH(QString, named);
    RecoveryOffer offer;
    offer.record.fields[0] = subject;
    offer.written = monday.toLocalTime();
    QCOMPARE(recovery_question(offer),
             QStringLiteral("TAVO was not closed properly. Recover the unsaved assessment of ") +
                 named + QStringLiteral(", last changed 7 December 2026 at 09:30?"));
}

QTEST_GUILESS_MAIN(TestRecoveryFiles)
#include "test_recovery_files.moc"
