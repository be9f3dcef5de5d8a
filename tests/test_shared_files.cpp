// Saving on a shared folder: what a file is stays (owner, group, mode,
// extended attributes, hard links), a file this user may not write is not
// replaced, links are followed as the system would follow them, any name the
// file system holds can be written and read, and a failure of any system
// call the writer makes leaves the file whole and gives the system's reason.
// Other users are real: a child process takes another uid, as root only.
#include "file_identity.h"
#include "file_names.h"
#include "system_calls.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace tavo;

namespace {

const QByteArray old_content = QByteArray("the earlier file, which must stay whole\n").repeated(30);
const QByteArray new_content = QByteArray("the new content\n").repeated(20);

constexpr uid_t owner_uid = 1001; // the file's owner
constexpr uid_t colleague_uid = 1002;
constexpr gid_t clinic_gid = 2000; // the shared folder's group

QByteArray bytes_of(const QString& path) {
    return file_name_bytes(path);
}

QByteArray content_of(const QString& path) {
    const WholeFile file = read_whole_file(path, 1 << 20);
    return file.ok() ? file.bytes : QByteArray("<missing>");
}

struct stat status_of(const QString& path) {
    struct stat status {};
    ::lstat(bytes_of(path).constData(), &status);
    return status;
}

// A file of the earlier content; its owner changed only when one is given.
bool make_file(const QString& path, mode_t mode, uid_t uid = static_cast<uid_t>(-1),
               gid_t gid = static_cast<gid_t>(-1)) {
    const QByteArray name = bytes_of(path);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(old_content) == old_content.size() &&
           file.flush() && ::chown(name.constData(), uid, gid) == 0 &&
           ::chmod(name.constData(), mode) == 0;
}

// Read as bytes: Qt's own listing drops a name that is not valid UTF-8.
QStringList names_in(const QString& folder) {
    QStringList names;
    DIR* listing = ::opendir(bytes_of(folder).constData());
    while (const dirent* entry = listing != nullptr ? ::readdir(listing) : nullptr) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") {
            names.append(file_name_from_bytes(name));
        }
    }
    if (listing != nullptr) {
        ::closedir(listing);
    }
    names.sort();
    return names;
}

QByteArray attribute_of(const QString& path, const char* name) {
    char value[256];
    const ssize_t size = ::getxattr(bytes_of(path).constData(), name, value, sizeof value);
    return size < 0 ? QByteArray("<none>") : QByteArray(value, size);
}

// A folder of the clinic's group that the other users may reach.
struct SharedFolder {
    QTemporaryDir top;
    QString path = top.filePath(QStringLiteral("clinic"));

    bool make(mode_t mode = 0775) {
        return ::chmod(bytes_of(top.path()).constData(), 0755) == 0 && QDir().mkdir(path) &&
               ::chown(bytes_of(path).constData(), 0, clinic_gid) == 0 &&
               ::chmod(bytes_of(path).constData(), mode) == 0;
    }
    QString file(const QString& name) const { return path + u'/' + name; }
};

// Writes as another user in a child process; what the writer said comes back
// through a pipe, the kind as its first byte.
std::optional<WriteFailure> write_as(uid_t uid, const QString& path) {
    int channel[2];
    if (::pipe(channel) != 0) {
        return WriteFailure{WriteFailureKind::system, QStringLiteral("no pipe")};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const gid_t groups[] = {static_cast<gid_t>(uid), clinic_gid};
        if (::setgroups(2, groups) != 0 || ::setresgid(uid, uid, uid) != 0 ||
            ::setresuid(uid, uid, uid) != 0) {
            ::_exit(2);
        }
        const std::optional<WriteFailure> failure = write_whole_file(path, new_content);
        QByteArray answer;
        if (failure) {
            answer = char('0' + static_cast<int>(failure->kind)) + failure->reason.toUtf8();
        }
        const bool sent = ::write(channel[1], answer.constData(), answer.size()) == answer.size();
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    QByteArray answer;
    char block[512];
    for (ssize_t n; (n = ::read(channel[0], block, sizeof block)) > 0;) {
        answer.append(block, n);
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return WriteFailure{WriteFailureKind::system, QStringLiteral("the other user failed")};
    }
    if (answer.isEmpty()) {
        return std::nullopt;
    }
    return WriteFailure{static_cast<WriteFailureKind>(answer.at(0) - '0'),
                        QString::fromUtf8(answer.mid(1))};
}

// Makes the `nth` call of one kind fail with `error`, and every later one
// when `and_after`; every other call reaches the system.
class FailingCalls : public SystemCalls {
public:
    FailingCalls(QString call, int nth, int error, bool and_after)
        : m_call(std::move(call))
        , m_nth(nth)
        , m_error(error)
        , m_and_after(and_after) {}

    ssize_t write(int fd, const void* data, size_t size) override {
        return fails("write") ? -1 : SystemCalls::write(fd, data, size);
    }
    int fsync(int fd) override {
        struct stat status {};
        ::fstat(fd, &status);
        return fails(S_ISDIR(status.st_mode) ? "fsync folder" : "fsync file")
                   ? -1
                   : SystemCalls::fsync(fd);
    }
    int close(int fd) override {
        if (fails("close")) {
            SystemCalls::close(fd); // as the system does: the descriptor is gone
            errno = m_error;
            return -1;
        }
        return SystemCalls::close(fd);
    }
    int rename(const char* from, const char* to) override {
        return fails("rename") ? -1 : SystemCalls::rename(from, to);
    }
    int ftruncate(int fd, off_t size) override {
        return fails("ftruncate") ? -1 : SystemCalls::ftruncate(fd, size);
    }
    int fchmod(int fd, mode_t mode) override {
        return fails("fchmod") ? -1 : SystemCalls::fchmod(fd, mode);
    }

private:
    bool fails(const char* call) {
        if (m_call != QLatin1String(call)) {
            return false;
        }
        ++m_count;
        if (m_count == m_nth || (m_and_after && m_count > m_nth)) {
            errno = m_error;
            return true;
        }
        return false;
    }

    QString m_call;
    int m_nth;
    int m_error;
    bool m_and_after;
    int m_count = 0;
};

// Keeps the modes new files are created with.
class CreationModes : public SystemCalls {
public:
    int open(const char* path, int flags, mode_t mode) override {
        if ((flags & O_CREAT) != 0) {
            modes.append(static_cast<int>(mode));
        }
        return SystemCalls::open(path, flags, mode);
    }
    QList<int> modes;
};

enum class Extra { none, attributes, hard_link, folder_default_acl };

} // namespace

Q_DECLARE_METATYPE(Extra)
Q_DECLARE_METATYPE(tavo::WriteFailureKind)

class TestSharedFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saving_keeps_what_the_file_is_data();
    void saving_keeps_what_the_file_is();
    void temporary_file_is_never_wider_than_the_target_data();
    void temporary_file_is_never_wider_than_the_target();
    void links_are_followed_as_the_system_would_data();
    void links_are_followed_as_the_system_would();
    void names_are_bytes_data();
    void names_are_bytes();
    void failed_calls_leave_the_file_whole_data();
    void failed_calls_leave_the_file_whole();
};

void TestSharedFiles::saving_keeps_what_the_file_is_data() {
    QTest::addColumn<uid_t>("owner");
    QTest::addColumn<int>("mode");
    QTest::addColumn<Extra>("extra");
    QTest::addColumn<uid_t>("saved_by");
    QTest::addColumn<int>("mode_after"); // -1: refused as read-only
    QTest::addColumn<bool>("same_file"); // written in place, not replaced
    const uid_t root = 0;
    QTest::newRow("a setuid bit is not kept")
        << root << 04755 << Extra::none << root << 0755 << false;
    QTest::newRow("an attribute and an ACL")
        << root << 0640 << Extra::attributes << root << 0660 << false;
    QTest::newRow("the folder's default ACL not given")
        << root << 0640 << Extra::folder_default_acl << root << 0640 << false;
    QTest::newRow("a hard link") << root << 0644 << Extra::hard_link << root << 0644 << true;
    QTest::newRow("a user's file saved by root")
        << owner_uid << 0640 << Extra::none << root << 0640 << false;
    QTest::newRow("the owner, group kept")
        << owner_uid << 0660 << Extra::none << owner_uid << 0660 << false;
    // The colleague cannot give a new file the owner's uid.
    QTest::newRow("a colleague of the group")
        << owner_uid << 0660 << Extra::none << colleague_uid << 0660 << true;
    QTest::newRow("a colleague and an attribute")
        << owner_uid << 0660 << Extra::attributes << colleague_uid << 0660 << true;
    QTest::newRow("a colleague without write permission")
        << owner_uid << 0640 << Extra::none << colleague_uid << -1 << true;
    QTest::newRow("the owner of a 0444 file")
        << owner_uid << 0444 << Extra::none << owner_uid << -1 << true;
    QTest::newRow("a 0444 file, even for root")
        << root << 0444 << Extra::none << root << -1 << true;
}

void TestSharedFiles::saving_keeps_what_the_file_is() {
    QFETCH(uid_t, owner);
    QFETCH(int, mode);
    QFETCH(Extra, extra);
    QFETCH(uid_t, saved_by);
    QFETCH(int, mode_after);
    QFETCH(bool, same_file);
    if (::geteuid() != 0) {
        QSKIP("other owners and other users need root to set up");
    }
    SharedFolder folder;
    QVERIFY(folder.make());
    const QString path = folder.file(QStringLiteral("visit.tavo"));
    const QByteArray name = bytes_of(path);
    QVERIFY(make_file(path, static_cast<mode_t>(mode), owner, owner == 0 ? 0 : clinic_gid));
    if (extra == Extra::attributes) {
        if (::setxattr(name.constData(), "user.clinic", "north", 5, 0) != 0) {
            QSKIP("this file system keeps no extended attributes");
        }
        QCOMPARE(std::system(("setfacl -m u:1003:rw " + name).constData()), 0);
    }
    if (extra == Extra::folder_default_acl) {
        QCOMPARE(std::system(("setfacl -d -m u:1003:rw " + bytes_of(folder.path)).constData()), 0);
    }
    if (extra == Extra::hard_link) {
        QVERIFY(::link(name.constData(), bytes_of(folder.file(QStringLiteral("other.tavo")))) == 0);
    }
    const struct stat before = status_of(path);
    const std::optional<WriteFailure> failure = write_as(saved_by, path);
    const struct stat after = status_of(path);
    if (mode_after < 0) {
        QVERIFY(failure);
        QCOMPARE(failure->kind, WriteFailureKind::read_only);
        QCOMPARE(failure->reason, QStringLiteral("visit.tavo is read-only"));
        QCOMPARE(content_of(path), old_content);
    } else {
        QCOMPARE(failure.has_value() ? failure->reason : QString(), QString());
        QCOMPARE(content_of(path), new_content);
        QCOMPARE(static_cast<int>(after.st_mode & 07777), mode_after);
    }
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_ino == before.st_ino, same_file);
    if (extra == Extra::attributes) {
        QCOMPARE(attribute_of(path, "user.clinic"), QByteArray("north"));
        QVERIFY(attribute_of(path, "system.posix_acl_access") != "<none>");
    }
    if (extra == Extra::folder_default_acl) {
        QCOMPARE(attribute_of(path, "system.posix_acl_access"), QByteArray("<none>"));
    }
    if (extra == Extra::hard_link) {
        QCOMPARE(content_of(folder.file(QStringLiteral("other.tavo"))), new_content);
    }
    QCOMPARE(names_in(folder.path).filter(QStringLiteral(".visit")), QStringList());
}

void TestSharedFiles::temporary_file_is_never_wider_than_the_target_data() {
    QTest::addColumn<int>("target_mode"); // -1: no file yet
    QTest::addColumn<uid_t>("target_owner");
    QTest::addColumn<int>("created_with");
    QTest::newRow("a private file") << 0600 << uid_t(0) << 0600;
    QTest::newRow("a group file") << 0640 << uid_t(0) << 0640;
    QTest::newRow("a new file") << -1 << uid_t(0) << 0666; // the umask narrows it
    // Until it belongs to the owner and group, only root may open it.
    QTest::newRow("another owner's file") << 0664 << owner_uid << 0600;
}

void TestSharedFiles::temporary_file_is_never_wider_than_the_target() {
    QFETCH(int, target_mode);
    QFETCH(uid_t, target_owner);
    if (target_owner != 0 && ::geteuid() != 0) {
        QSKIP("a file of another owner needs root to set up");
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("private.tavo"));
    if (target_mode >= 0) {
        QVERIFY(target_owner == 0
                    ? make_file(path, static_cast<mode_t>(target_mode))
                    : make_file(path, static_cast<mode_t>(target_mode), target_owner, clinic_gid));
    }
    CreationModes calls;
    const ScopedSystemCalls in_place(calls);
    QCOMPARE(write_whole_file(path, new_content).has_value(), false);
    QTEST(calls.modes.value(0, -1), "created_with");
}

void TestSharedFiles::links_are_followed_as_the_system_would_data() {
    QTest::addColumn<mode_t>("folder_mode");
    QTest::addColumn<uid_t>("folder_owner");
    QTest::addColumn<uid_t>("link_owner");
    QTest::addColumn<QString>("link_to"); // "loop" for a loop
    QTest::addColumn<QString>("reason");  // empty: written through the link
    const QString refused = QStringLiteral(
        "link.tavo is a symbolic link that another user made in a folder everyone may write to "
        "(%1); such a link is not followed, as the system itself does not");
    QTest::newRow("own link") << mode_t(0755) << uid_t(0) << uid_t(0) << "real.tavo"
                              << "";
    QTest::newRow("a chain of relative links")
        << mode_t(0755) << uid_t(0) << owner_uid << "chain.tavo"
        << "";
    QTest::newRow("another's link in a sticky shared folder")
        << mode_t(01777) << uid_t(0) << owner_uid << "real.tavo" << refused;
    QTest::newRow("the folder owner's link in a sticky shared folder")
        << mode_t(01777) << owner_uid << owner_uid << "real.tavo"
        << "";
    QTest::newRow("another's link in a shared folder without the sticky bit")
        << mode_t(0777) << uid_t(0) << owner_uid << "real.tavo"
        << "";
    QTest::newRow("a loop") << mode_t(0755) << uid_t(0) << uid_t(0) << "loop"
                            << "Too many levels of symbolic links";
}

void TestSharedFiles::links_are_followed_as_the_system_would() {
    QFETCH(mode_t, folder_mode);
    QFETCH(uid_t, folder_owner);
    QFETCH(uid_t, link_owner);
    QFETCH(QString, link_to);
    QFETCH(QString, reason);
    if (::geteuid() != 0) {
        QSKIP("links and folders of other owners need root to set up");
    }
    QTemporaryDir dir;
    const QByteArray folder = bytes_of(dir.path());
    const QString real = dir.filePath(QStringLiteral("real.tavo"));
    const QString link = dir.filePath(QStringLiteral("link.tavo"));
    QVERIFY(make_file(real, 0644));
    if (link_to == QLatin1String("loop")) {
        QVERIFY(::symlink("loop.tavo", bytes_of(link).constData()) == 0);
        QVERIFY(::symlink("link.tavo", (folder + "/loop.tavo").constData()) == 0);
    } else {
        QVERIFY(::symlink(link_to.toUtf8().constData(), bytes_of(link).constData()) == 0);
        QVERIFY(::symlink("real.tavo", (folder + "/chain.tavo").constData()) == 0);
    }
    QVERIFY(::lchown(bytes_of(link).constData(), link_owner, link_owner) == 0);
    QVERIFY(::chown(folder.constData(), folder_owner, 0) == 0);
    QVERIFY(::chmod(folder.constData(), folder_mode) == 0);
    const std::optional<WriteFailure> failure = write_whole_file(link, new_content);
    QCOMPARE(failure.has_value() ? failure->reason : QString(),
             reason.contains(u'%') ? reason.arg(dir.path()) : reason);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(content_of(real), reason.isEmpty() ? new_content : old_content);
}

void TestSharedFiles::names_are_bytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTF-8") << QByteArray("Jos\xc3\xa9 \xf0\x9f\x98\x80.tavo") << "José 😀.tavo";
    QTest::newRow("a Windows-1252 byte") << QByteArray("bad\xffname.tavo") << "bad\\xffname.tavo";
    QTest::newRow("a cut sequence, then text")
        << QByteArray("a\xc3z\xe2\x82") << "a\\xc3z\\xe2\\x82";
    QTest::newRow("an overlong slash") << QByteArray("\xc0\xaf.tavo") << "\\xc0\\xaf.tavo";
    QTest::newRow("an overlong slash in three bytes")
        << QByteArray("\xe0\x80\xaf") << "\\xe0\\x80\\xaf";
    QTest::newRow("an encoded surrogate") << QByteArray("\xed\xb2\x80") << "\\xed\\xb2\\x80";
    QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << "\\xf4\\x90\\x80\\x80";
}

// Each name comes back to its own bytes, is shown with its undecodable bytes
// escaped, and names a file that can be written and read again.
void TestSharedFiles::names_are_bytes() {
    QFETCH(QByteArray, bytes);
    const QString name = file_name_from_bytes(bytes);
    QCOMPARE(file_name_bytes(name), bytes);
    QTEST(displayed_file_name(name), "shown");
    const char* argv[] = {"tavo", bytes.constData()};
    QCOMPARE(command_line_arguments(2, argv).value(1), name);
    QTemporaryDir dir;
    const QString path = dir.path() + u'/' + name;
    QCOMPARE(write_whole_file(path, new_content).has_value(), false);
    QCOMPARE(names_in(dir.path()).size(), 1);
    QCOMPARE(::access((bytes_of(dir.path()) + '/' + bytes).constData(), F_OK), 0);
    QCOMPARE(content_of(path), new_content);
    QVERIFY(file_identity(path).has_value());          // the changed-file check finds it
    QCOMPARE(::unlink(bytes_of(path).constData()), 0); // which QTemporaryDir could not
}

void TestSharedFiles::failed_calls_leave_the_file_whole_data() {
    QTest::addColumn<bool>("hard_link"); // written in place behind a backup
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("nth");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("and_after");
    QTest::addColumn<QByteArray>("content");
    const QByteArray old_bytes = old_content;
    const QByteArray new_bytes = new_content;
    // A new file takes the target's place.
    QTest::newRow("write") << false << "write" << 1 << EIO << false << old_bytes;
    QTest::newRow("fsync") << false << "fsync file" << 1 << EIO << false << old_bytes;
    QTest::newRow("close") << false << "close" << 1 << EIO << false << old_bytes;
    QTest::newRow("fchmod") << false << "fchmod" << 1 << EPERM << false << old_bytes;
    QTest::newRow("rename") << false << "rename" << 1 << EXDEV << false << old_bytes;
    // The rename is done, but a power cut could still undo it.
    QTest::newRow("fsync of the folder")
        << false << "fsync folder" << 1 << EIO << false << new_bytes;
    // Written in place: the backup first, then the file itself.
    QTest::newRow("in place: write of the backup")
        << true << "write" << 1 << EIO << false << old_bytes;
    QTest::newRow("in place: fsync of the backup")
        << true << "fsync file" << 1 << EIO << false << old_bytes;
    QTest::newRow("in place: fsync of the folder")
        << true << "fsync folder" << 1 << EIO << false << old_bytes;
    QTest::newRow("in place: write") << true << "write" << 2 << ENOSPC << false << old_bytes;
    QTest::newRow("in place: ftruncate") << true << "ftruncate" << 1 << EIO << false << old_bytes;
    QTest::newRow("in place: fsync") << true << "fsync file" << 2 << EIO << false << old_bytes;
    QTest::newRow("in place: close") << true << "close" << 3 << EIO << false << old_bytes;
    // Nothing can be written any more: the backup stays, and says so.
    QTest::newRow("in place: the file cannot be put back")
        << true << "write" << 2 << EIO << true << QByteArray();
}

void TestSharedFiles::failed_calls_leave_the_file_whole() {
    QFETCH(bool, hard_link);
    QFETCH(QString, call);
    QFETCH(int, nth);
    QFETCH(int, error);
    QFETCH(bool, and_after);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.tavo"));
    QVERIFY(make_file(path, 0644));
    QStringList names{QStringLiteral("kept.tavo")};
    if (hard_link) {
        QVERIFY(::link(bytes_of(path).constData(),
                       bytes_of(dir.filePath(QStringLiteral("other.tavo"))).constData()) == 0);
        names = names_in(dir.path());
    }
    std::optional<WriteFailure> failure;
    {
        FailingCalls calls(call, nth, error, and_after);
        const ScopedSystemCalls in_place(calls);
        failure = write_whole_file(path, new_content);
    }
    QVERIFY(failure);
    QCOMPARE(failure->kind, WriteFailureKind::system);
    if (content.isEmpty()) {
        QVERIFY2(failure->reason.startsWith(
                     qt_error_string(error) +
                     QStringLiteral("; the file could not be put back as it was, and its earlier "
                                    "content is kept in ")),
                 qPrintable(failure->reason));
        const QStringList backups = names_in(dir.path()).filter(QStringLiteral(".backup."));
        QCOMPARE(backups.size(), 1);
        QVERIFY(failure->reason.endsWith(backups.at(0)));
        QCOMPARE(content_of(dir.filePath(backups.at(0))), old_content);
        return;
    }
    QCOMPARE(failure->reason, qt_error_string(error));
    QCOMPARE(content_of(path), content);
    QCOMPARE(names_in(dir.path()), names);
}

QTEST_GUILESS_MAIN(TestSharedFiles)
#include "test_shared_files.moc"
