// Finding and starting the system-information program: the lookup on PATH,
// the record Windows keeps, and the About box's start.
#include "program_launcher.h"
#include "system_info_locator.h"
#include "system_information.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavo;

namespace {

class FixedLocator final : public SystemInfoLocator {
public:
    std::optional<QString> program;
    std::optional<QString> locate() const override { return program; }
};

class FakeLauncher final : public ProgramLauncher {
public:
    QStringList startable;
    QStringList started;

    bool start(const QString& program_path) override {
        if (!startable.contains(program_path)) {
            return false;
        }
        started << program_path;
        return true;
    }
};

// A file in `folder`, executable or not.
void make_file(const QString& folder, const QString& name, bool executable) {
    QFile file(QDir(folder).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable) {
        permissions |= QFile::ExeOwner;
    }
    QVERIFY(file.setPermissions(permissions));
}

} // namespace

class TestSysInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void path_lookup_takes_the_first_program_found_data();
    void path_lookup_takes_the_first_program_found();
    void windows_record_data();
    void windows_record();
    void start_sys_info_data();
    void start_sys_info();
};

void TestSysInfo::path_lookup_takes_the_first_program_found_data() {
    QTest::addColumn<QStringList>("executables");
    QTest::addColumn<QStringList>("plain_files");
    QTest::addColumn<QString>("found");
    QTest::newRow("none") << QStringList() << QStringList() << "";
    QTest::newRow("the only one") << QStringList{"kinfocenter"} << QStringList() << "kinfocenter";
    QTest::newRow("the better of two")
        << QStringList{"kinfocenter", "hardinfo"} << QStringList() << "hardinfo";
    QTest::newRow("a file that cannot run is none")
        << QStringList{"kinfocenter"} << QStringList{"hardinfo2"} << "kinfocenter";
}

void TestSysInfo::path_lookup_takes_the_first_program_found() {
    QFETCH(QStringList, executables);
    QFETCH(QStringList, plain_files);
    QFETCH(QString, found);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const QString& name : executables) {
        make_file(folder.path(), name, true);
    }
    for (const QString& name : plain_files) {
        make_file(folder.path(), name, false);
    }
    const PathSystemInfoLocator locator(system_information_candidates(), {folder.path()});
    const std::optional<QString> program = locator.locate();
    if (found.isEmpty()) {
        QVERIFY(!program);
    } else {
        QCOMPARE(program.value_or(QString()), QDir(folder.path()).filePath(found));
    }
}

void TestSysInfo::windows_record_data() {
    QTest::addColumn<QString>("program_path");
    QTest::addColumn<QString>("tools_folder");
    QTest::addColumn<bool>("exe_exists");
    QTest::addColumn<QString>("found");
    const QString exe = QStringLiteral("C:\\Common\\MSINFO\\MSINFO32.EXE");
    QTest::newRow("program path") << "C:\\msinfo.exe"
                                  << "C:\\Common\\MSINFO" << true << "C:\\msinfo.exe";
    QTest::newRow("folder with the program") << ""
                                             << "C:\\Common\\MSINFO" << true << exe;
    QTest::newRow("folder without the program") << ""
                                                << "C:\\Common\\MSINFO" << false << "";
    QTest::newRow("neither value") << ""
                                   << "" << true << "";
}

void TestSysInfo::windows_record() {
    QFETCH(QString, program_path);
    QFETCH(QString, tools_folder);
    QFETCH(bool, exe_exists);
    auto recorded = [](const QString& value) {
        return value.isEmpty() ? std::nullopt : std::optional<QString>(value);
    };
    QStringList looked_at;
    const std::optional<QString> program = recorded_system_info_program(
        recorded(program_path), recorded(tools_folder), [&](const QString& path) {
            looked_at << path;
            return exe_exists;
        });
    QTEST(program.value_or(QString()), "found");
    // The folder is looked into only when the program's own path is not recorded.
    QCOMPARE(looked_at.isEmpty(), !program_path.isEmpty() || tools_folder.isEmpty());
}

void TestSysInfo::start_sys_info_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("startable");
    QTest::addColumn<bool>("started");
    QTest::newRow("found and started") << "/usr/bin/hardinfo" << true << true;
    QTest::newRow("found but cannot start") << "/usr/bin/hardinfo" << false << false;
    QTest::newRow("none found") << "" << true << false;
}

void TestSysInfo::start_sys_info() {
    QFETCH(QString, program);
    QFETCH(bool, startable);
    FixedLocator locator;
    FakeLauncher launcher;
    if (!program.isEmpty()) {
        locator.program = program;
    }
    if (startable) {
        launcher.startable << program;
    }
    QTEST(launch_system_information(locator, launcher), "started");
    QFETCH(bool, started);
    QCOMPARE(launcher.started, started ? QStringList{program} : QStringList());
}

QTEST_GUILESS_MAIN(TestSysInfo)
#include "test_sys_info.moc"
