// Finding and starting the system-information program through the key store.
#include "key_store.h"
#include "program_launcher.h"
#include "sys_info.h"

#include <QTest>

#include <map>

using namespace tavo;

namespace {

const QString msinfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString location = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

class FakeKeyStore final : public KeyStore {
public:
    std::map<std::pair<QString, QString>, KeyStoreValue> values;
    QStringList closed_keys; // keys that refuse to open

    bool can_open(std::int32_t root, const QString& key_name, std::uint32_t access) const override {
        if (root != HKEY_LOCAL_MACHINE_ROOT || access != KEY_ALL_ACCESS_MASK ||
            closed_keys.contains(key_name)) {
            return false;
        }
        for (const auto& entry : values) {
            if (entry.first.first == key_name) {
                return true;
            }
        }
        return false;
    }
    std::optional<KeyStoreValue> query(std::int32_t, const QString& key_name,
                                       const QString& value_name) const override {
        const auto found = values.find({key_name, value_name});
        if (found == values.end()) {
            return std::nullopt;
        }
        return found->second;
    }
};

class FakeLauncher final : public ProgramLauncher {
public:
    QStringList existing_files;
    QStringList startable;
    QStringList started;

    bool start(const QString& program_path) override {
        if (!startable.contains(program_path)) {
            return false;
        }
        started << program_path;
        return true;
    }
    bool file_exists(const QString& path) const override { return existing_files.contains(path); }
};

QString with_nul(const QString& text) { return text + QChar(u'\0'); }

} // namespace

class TestSysInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void get_key_value_data();
    void get_key_value();
    void missing_key_empties_the_result();
    void start_sys_info_data();
    void start_sys_info();
    void stand_in_store_answers_only_the_program_path();
};

void TestSysInfo::get_key_value_data() {
    QTest::addColumn<uint>("type");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text with its NUL") << 1u << with_nul("C:\\msinfo.exe") << "C:\\msinfo.exe";
    QTest::newRow("text without NUL") << 1u << QString("C:\\tools") << "C:\\tools";
    QTest::newRow("empty text") << 1u << with_nul("") << "";
    const QChar bytes_1005[] = {QChar(0x05), QChar(0x10), QChar(0), QChar(0)};
    QTest::newRow("32-bit value, each byte two digits")
        << 4u << QString(bytes_1005, 4) << "4101";
    const QChar bytes_minus_one[] = {QChar(0xFF), QChar(0xFF), QChar(0xFF), QChar(0xFF)};
    QTest::newRow("32-bit value with the top bit") << 4u << QString(bytes_minus_one, 4) << "-1";
    QTest::newRow("other types leave the result as it was") << 3u << QString("xyz") << "before";
}

void TestSysInfo::get_key_value() {
    QFETCH(uint, type);
    QFETCH(QString, raw);
    FakeKeyStore store;
    store.values[{msinfo, QStringLiteral("PATH")}] = {type, raw};
    QString value = QStringLiteral("before");
    QVERIFY(GetKeyValue(store, HKEY_LOCAL_MACHINE_ROOT, msinfo, QStringLiteral("PATH"), value));
    QTEST(value, "expected");
}

void TestSysInfo::missing_key_empties_the_result() {
    FakeKeyStore store;
    store.values[{msinfo, QStringLiteral("PATH")}] = {1, with_nul("x")};
    QString value = QStringLiteral("before");
    QVERIFY(!GetKeyValue(store, HKEY_LOCAL_MACHINE_ROOT, msinfo, QStringLiteral("OTHER"), value));
    QCOMPARE(value, QString());
    value = QStringLiteral("before");
    QVERIFY(!GetKeyValue(store, HKEY_LOCAL_MACHINE_ROOT, location, QStringLiteral("MSINFO"), value));
    QCOMPARE(value, QString());
    store.closed_keys << msinfo;
    QVERIFY(!GetKeyValue(store, HKEY_LOCAL_MACHINE_ROOT, msinfo, QStringLiteral("PATH"), value));
}

void TestSysInfo::start_sys_info_data() {
    QTest::addColumn<bool>("has_path");
    QTest::addColumn<bool>("path_starts");
    QTest::addColumn<bool>("has_location");
    QTest::addColumn<bool>("exe_exists");
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("program");
    const QString exe = QStringLiteral("C:\\Common\\MSINFO\\MSINFO32.EXE");
    QTest::newRow("program path") << true << true << true << true << true << "C:\\msinfo.exe";
    QTest::newRow("program path that cannot start") << true << false << true << true << false << "";
    QTest::newRow("folder with the program") << false << false << true << true << true << exe;
    QTest::newRow("folder without the program") << false << false << true << false << false << "";
    QTest::newRow("neither value") << false << false << false << false << false << "";
}

void TestSysInfo::start_sys_info() {
    QFETCH(bool, has_path);
    QFETCH(bool, path_starts);
    QFETCH(bool, has_location);
    QFETCH(bool, exe_exists);
    FakeKeyStore store;
    FakeLauncher launcher;
    if (has_path) {
        store.values[{msinfo, QStringLiteral("PATH")}] = {1, with_nul("C:\\msinfo.exe")};
        if (path_starts) {
            launcher.startable << QStringLiteral("C:\\msinfo.exe");
        }
    }
    if (has_location) {
        store.values[{location, QStringLiteral("MSINFO")}] = {1, with_nul("C:\\Common\\MSINFO")};
        launcher.startable << QStringLiteral("C:\\Common\\MSINFO\\MSINFO32.EXE");
        if (exe_exists) {
            launcher.existing_files << QStringLiteral("C:\\Common\\MSINFO\\MSINFO32.EXE");
        }
    }
    QTEST(StartSysInfo(store, launcher), "started");
    QFETCH(QString, program);
    QCOMPARE(launcher.started, program.isEmpty() ? QStringList() : QStringList{program});
}

void TestSysInfo::stand_in_store_answers_only_the_program_path() {
    const SystemInfoKeyStore found(QStringLiteral("/usr/bin/hardinfo"));
    QString value;
    QVERIFY(GetKeyValue(found, HKEY_LOCAL_MACHINE_ROOT, msinfo, QStringLiteral("PATH"), value));
    QCOMPARE(value, QStringLiteral("/usr/bin/hardinfo"));
    QVERIFY(!GetKeyValue(found, HKEY_LOCAL_MACHINE_ROOT, location, QStringLiteral("MSINFO"), value));
    const SystemInfoKeyStore none{QString()};
    QVERIFY(!GetKeyValue(none, HKEY_LOCAL_MACHINE_ROOT, msinfo, QStringLiteral("PATH"), value));
}

QTEST_GUILESS_MAIN(TestSysInfo)
#include "test_sys_info.moc"
