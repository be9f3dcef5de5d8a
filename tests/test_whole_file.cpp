// Reading and replacing whole files under the faults of a real system: a full
// disk, a disk with room for only part of the file, a read-only disk or
// folder, a folder in place of the file, and inputs that are no files at all
// (a device that never ends, a pipe without a writer, a file over the limit);
// and how a save by someone else is told from the file we saw. Built twice:
// against the system's own calls and, with TAVO_PORTABLE_FILES, against Qt's
// file classes, which the other systems use.
#include "file_identity.h"
#include "small_tmpfs.h"
#include "whole_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavo;
using namespace tavo::testing;

namespace {

const QByteArray old_content =
    QByteArray("the earlier file, which must stay whole\r\n").repeated(40);

QByteArray content_of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool write_plain(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// The folder holds these names and nothing else: no temporary file is left.
QStringList names_in(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

enum class Fault { full, room_for_part, read_only_disk };

// Qt's file classes look at the file before they write it, and give their
// own reason for a file they refuse; the system's calls give the system's.
#if defined(TAVO_PORTABLE_FILES)
constexpr bool through_qt = true;
#else
constexpr bool through_qt = false;
#endif

// What someone else does to a file between our reading and our saving.
enum class OtherSave { none, read, other_size, same_size_later, renamed_over };

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(OtherSave)
Q_DECLARE_METATYPE(tavo::ReadFailureKind)
Q_DECLARE_METATYPE(tavo::FileKind)

class TestWholeFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void new_file_and_replaced_file();
    void link_stays_and_its_file_is_replaced();
    void permissions_of_the_earlier_file_stay();
    void disk_faults_leave_the_earlier_file_data();
    void disk_faults_leave_the_earlier_file();
    void read_only_folder_leaves_the_earlier_file();
    void failed_flush_leaves_the_earlier_file();
    void folder_in_place_of_the_file();
    void reading_refuses_what_is_no_small_file_data();
    void reading_refuses_what_is_no_small_file();
    void reading_a_failing_disk_fails();
    void another_save_changes_the_identity_data();
    void another_save_changes_the_identity();
    void kind_of_what_a_name_names_data();
    void kind_of_what_a_name_names();
};

void TestWholeFile::new_file_and_replaced_file() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.dat"));
    QCOMPARE(replace_whole_file(path, "first"), std::nullopt);
    QCOMPARE(content_of(path), QByteArray("first"));
    QCOMPARE(replace_whole_file(path, "second, longer"), std::nullopt);
    QCOMPARE(content_of(path), QByteArray("second, longer"));
    QCOMPARE(replace_whole_file(path, ""), std::nullopt);
    QCOMPARE(content_of(path), QByteArray());
    QCOMPARE(names_in(dir.path()), QStringList{QStringLiteral("a.dat")});
}

void TestWholeFile::link_stays_and_its_file_is_replaced() {
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.dat"));
    const QString link = dir.filePath(QStringLiteral("link.dat"));
    QVERIFY(write_plain(real, old_content));
    QVERIFY(QFile::link(real, link));
    QCOMPARE(replace_whole_file(link, "new"), std::nullopt);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(content_of(real), QByteArray("new"));
}

void TestWholeFile::permissions_of_the_earlier_file_stay() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("private.dat"));
    QVERIFY(write_plain(path, old_content));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0600) == 0);
    QCOMPARE(replace_whole_file(path, "new"), std::nullopt);
    struct stat status {};
    QVERIFY(::stat(QFile::encodeName(path).constData(), &status) == 0);
    QCOMPARE(status.st_mode & 0777, 0600u);
}

void TestWholeFile::disk_faults_leave_the_earlier_file_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("size"); // of the new content
    QTest::addColumn<QString>("reason");
    // An assessment's size: it fits Qt's write buffer, so only the last
    // flush meets the full disk.
    QTest::newRow("full disk, small file") << Fault::full << 1500 << "No space left on device";
    QTest::newRow("full disk, large file") << Fault::full << 20000 << "No space left on device";
    QTest::newRow("room for part of the file")
        << Fault::room_for_part << 20000 << "No space left on device";
    QTest::newRow("read-only disk")
        << Fault::read_only_disk << 1500
        << (through_qt ? "kept.dat is read-only" : "Read-only file system");
}

// Qt's own QSaveFile lets the last write's ENOSPC through and renames a cut
// file over the old one; ours must not.
void TestWholeFile::disk_faults_leave_the_earlier_file() {
    QFETCH(Fault, fault);
    QFETCH(int, size);
    QFETCH(QString, reason);
    SmallTmpfs disk;
    if (const std::optional<QString> why = disk.mount()) {
        QSKIP(qPrintable(*why));
    }
    const QString path = disk.path(QStringLiteral("kept.dat"));
    QVERIFY(write_plain(path, old_content));
    QVERIFY(disk.fill() > 0);
    switch (fault) {
    case Fault::full:
        break;
    case Fault::room_for_part:
        QVERIFY(disk.free_up(8192));
        break;
    case Fault::read_only_disk:
        QVERIFY(disk.free_up(32768));
        QVERIFY(disk.make_read_only());
        break;
    }
    const QByteArray new_content(size, 'n');
    const std::optional<QString> failure = replace_whole_file(path, new_content);
    QCOMPARE(failure, std::optional<QString>(reason));
    QCOMPARE(content_of(path), old_content);
    QCOMPARE(names_in(disk.folder()),
             QStringList({QStringLiteral("filler"), QStringLiteral("kept.dat")}));
}

// Root may write into any folder, so the folder's own permission is tried as
// another user only; as root the read-only disk above stands for it.
void TestWholeFile::read_only_folder_leaves_the_earlier_file() {
    if (::geteuid() == 0) {
        QSKIP("root writes into read-only folders; the read-only disk case covers this");
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.dat"));
    QVERIFY(write_plain(path, old_content));
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const std::optional<QString> failure = replace_whole_file(path, "new");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(failure, std::optional<QString>(QStringLiteral("Permission denied")));
    QCOMPARE(content_of(path), old_content);
}

// Every write goes through and only the flush to the disk fails: the file
// must not be put in place, nor the save reported as done. The system's calls
// fail only under faults/run_with_failed_flush.sh, which names the reason.
void TestWholeFile::failed_flush_leaves_the_earlier_file() {
    const QString reason = qEnvironmentVariable("TAVO_INJECTED_FLUSH_FAILURE");
    if (reason.isEmpty()) {
        QSKIP("the flush to the disk fails only under faults/run_with_failed_flush.sh");
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.dat"));
    QVERIFY(write_plain(path, old_content));
    QCOMPARE(replace_whole_file(path, "new"), std::optional<QString>(reason));
    QCOMPARE(content_of(path), old_content);
    QCOMPARE(names_in(dir.path()), QStringList{QStringLiteral("kept.dat")});
}

void TestWholeFile::folder_in_place_of_the_file() {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder.dat"));
    QVERIFY(QDir().mkdir(folder));
    QCOMPARE(replace_whole_file(folder, "new"),
             std::optional<QString>(through_qt ? QStringLiteral("It is not a regular file")
                                               : QStringLiteral("Is a directory")));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(names_in(dir.path()), QStringList{QStringLiteral("folder.dat")});
}

void TestWholeFile::reading_refuses_what_is_no_small_file_data() {
    QTest::addColumn<QString>("name"); // a file made here, or an absolute path
    QTest::addColumn<ReadFailureKind>("failure");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a file at the limit") << "limit" << ReadFailureKind::none << "";
    QTest::newRow("a byte over the limit") << "over" << ReadFailureKind::too_large << "";
    QTest::newRow("2 MiB") << "2mib" << ReadFailureKind::too_large << "";
    QTest::newRow("a device without end") << "/dev/zero" << ReadFailureKind::not_regular << "";
    QTest::newRow("a pipe without a writer") << "fifo" << ReadFailureKind::not_regular << "";
    QTest::newRow("a folder") << "folder" << ReadFailureKind::not_regular << "";
    QTest::newRow("missing") << "missing" << ReadFailureKind::system << "No such file or directory";
}

// Nothing here may wait: a blocking open of the pipe would hang the test.
void TestWholeFile::reading_refuses_what_is_no_small_file() {
    QFETCH(QString, name);
    QFETCH(ReadFailureKind, failure);
    constexpr qint64 limit = 100'000;
    QTemporaryDir dir;
    QString path = name.startsWith(u'/') ? name : dir.filePath(name);
    if (name == QLatin1String("limit")) {
        QVERIFY(write_plain(path, QByteArray(limit, 'x')));
    } else if (name == QLatin1String("over")) {
        QVERIFY(write_plain(path, QByteArray(limit + 1, 'x')));
    } else if (name == QLatin1String("2mib")) {
        QVERIFY(write_plain(path, QByteArray(2 * 1024 * 1024, 'x')));
    } else if (name == QLatin1String("fifo")) {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (name == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    }
    const WholeFile read = read_whole_file(path, limit);
    QCOMPARE(read.failure, failure);
    QTEST(read.reason, "reason");
    QCOMPARE(read.bytes.size(), read.ok() ? limit : 0);
}

// The disk gives the file's first bytes and then fails: the part must not
// pass for the whole file. The disk fails only under faults/failing_disk.cpp,
// preloaded, for files of the size it names.
void TestWholeFile::reading_a_failing_disk_fails() {
    const qsizetype size = qEnvironmentVariableIntValue("TAVO_FAILING_FILE_SIZE");
    if (size == 0) {
        QSKIP("the disk fails only with faults/failing_disk.cpp preloaded");
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cut.dat"));
    QVERIFY(write_plain(path, QByteArray(size, 'x')));
    const WholeFile read = read_whole_file(path, 100'000);
    QCOMPARE(read.failure, ReadFailureKind::system);
    QCOMPARE(read.reason, QStringLiteral("Input/output error"));
    QCOMPARE(read.bytes, QByteArray());
}

void TestWholeFile::another_save_changes_the_identity_data() {
    QTest::addColumn<OtherSave>("save");
    QTest::addColumn<bool>("changed");
    QTest::newRow("untouched") << OtherSave::none << false;
    QTest::newRow("only read") << OtherSave::read << false;
    QTest::newRow("other size") << OtherSave::other_size << true;
    QTest::newRow("same size, a millisecond later") << OtherSave::same_size_later << true;
#if !defined(TAVO_PORTABLE_FILES)
    // Qt offers no file's identity beyond its size and time: through it, a
    // copy of the same size and time put in place is the same file.
    QTest::newRow("same size and time, renamed over it") << OtherSave::renamed_over << true;
#endif
}

// The time is set by hand (to the millisecond, as Qt carries it), so that no
// case depends on how quickly the test runs.
void TestWholeFile::another_save_changes_the_identity() {
    QFETCH(OtherSave, save);
    QFETCH(bool, changed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shared.dat"));
    const QDateTime saved_at = QDateTime::currentDateTimeUtc().addSecs(-60);
    const auto set_time = [&](const QString& name, const QDateTime& time) {
        QFile file(name);
        return file.open(QIODevice::ReadWrite) &&
               file.setFileTime(time, QFileDevice::FileModificationTime);
    };
    QVERIFY(write_plain(path, old_content));
    QVERIFY(set_time(path, saved_at));
    const std::optional<FileIdentity> seen = file_identity(path);
    QVERIFY(seen.has_value());
    QByteArray same_size = old_content;
    same_size[0] = 'T';
    const QString copy = dir.filePath(QStringLiteral("copy.dat"));
    switch (save) {
    case OtherSave::none:
        break;
    case OtherSave::read:
        QVERIFY(read_whole_file(path, 1 << 20).ok());
        break;
    case OtherSave::other_size:
        QVERIFY(write_plain(path, "short"));
        QVERIFY(set_time(path, saved_at));
        break;
    case OtherSave::same_size_later:
        QVERIFY(write_plain(path, same_size));
        QVERIFY(set_time(path, saved_at.addMSecs(1)));
        break;
    case OtherSave::renamed_over:
        QVERIFY(write_plain(copy, same_size));
        QVERIFY(set_time(copy, saved_at));
        QVERIFY(::rename(QFile::encodeName(copy).constData(),
                         QFile::encodeName(path).constData()) == 0);
        break;
    }
    QCOMPARE(file_identity(path) != seen, changed);
}

void TestWholeFile::kind_of_what_a_name_names_data() {
    QTest::addColumn<QString>("name"); // made here as the name says
    QTest::addColumn<FileKind>("kind");
    QTest::newRow("nothing") << "missing" << FileKind::missing;
    QTest::newRow("a file") << "file" << FileKind::regular;
    QTest::newRow("a link to a file") << "link" << FileKind::regular;
    QTest::newRow("a link to nothing") << "dangling" << FileKind::missing;
    QTest::newRow("a folder") << "folder" << FileKind::other;
    QTest::newRow("a pipe") << "fifo" << FileKind::other;
}

void TestWholeFile::kind_of_what_a_name_names() {
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QString file = dir.filePath(QStringLiteral("a file"));
    QVERIFY(write_plain(file, old_content));
    if (name == QLatin1String("file")) {
        QVERIFY(write_plain(path, old_content));
    } else if (name == QLatin1String("link")) {
        QVERIFY(QFile::link(file, path));
    } else if (name == QLatin1String("dangling")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), path));
    } else if (name == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (name == QLatin1String("fifo")) {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    }
    QTEST(file_kind(path), "kind");
}

QTEST_GUILESS_MAIN(TestWholeFile)
#include "test_whole_file.moc"
