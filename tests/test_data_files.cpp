// Where a program finds the files it ships: beside its bin folder, or inside
// its application bundle on macOS.
#include "data_files.h"

#include <QTest>

class TestDataFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void data_directory_beside_data();
    void data_directory_beside();
};

void TestDataFiles::data_directory_beside_data() {
    QTest::addColumn<QString>("program_dir");
    QTest::addColumn<QString>("data_dir");
    QTest::newRow("installed") << "/usr/bin"
                               << "/usr/share/tavo";
    QTest::newRow("moved prefix") << "/home/ann/.local/bin"
                                  << "/home/ann/.local/share/tavo";
    QTest::newRow("macOS bundle") << "/Applications/tavo.app/Contents/MacOS"
                                  << "/Applications/tavo.app/Contents/Resources";
    QTest::newRow("bundle in a build tree") << "/src/build/bin/tavo.app/Contents/MacOS/"
                                            << "/src/build/bin/tavo.app/Contents/Resources";
    QTest::newRow("a folder merely named MacOS") << "/opt/MacOS"
                                                 << "/opt/share/tavo";
}

void TestDataFiles::data_directory_beside() {
    QFETCH(QString, program_dir);
    QTEST(tavo::data_directory_beside(program_dir), "data_dir");
}

QTEST_GUILESS_MAIN(TestDataFiles)
#include "test_data_files.moc"
