// The date that "Insert Date:" appends to the notes.
#include "insert_date.h"

#include <QTest>

using namespace tavo;

class TestInsertDate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void notes_with_date_data();
    void notes_with_date();
    void twice_on_one_day();
    void regional_date_separator_data();
    void regional_date_separator();
};

void TestInsertDate::notes_with_date_data() {
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("result");
    const QDate march7(2004, 3, 7);
    QTest::newRow("empty notes") << "" << march7 << "/"
                                 << "3/7/2004\r\n";
    QTest::newRow("text without line break") << "Seated in wheelchair" << march7 << "/"
                                             << "Seated in wheelchair\r\n3/7/2004\r\n";
    QTest::newRow("text ending with a line break") << "line\r\n"
                                                   << march7 << "/"
                                                   << "line\r\n\r\n3/7/2004\r\n";
    QTest::newRow("two-digit month and day") << "" << QDate(2026, 12, 18) << "/"
                                             << "12/18/2026\r\n";
    QTest::newRow("regional separator") << "" << march7 << "."
                                        << "3.7.2004\r\n";
    QTest::newRow("early year keeps four digits") << "" << QDate(987, 1, 2) << "/"
                                                  << "1/2/0987\r\n";
}

void TestInsertDate::notes_with_date() {
    QFETCH(QString, notes);
    QFETCH(QDate, date);
    QFETCH(QString, separator);
    QTEST(tavo::notes_with_date(notes, date, separator), "result");
}

void TestInsertDate::twice_on_one_day() {
    const QDate day(2004, 3, 7);
    const QString once = tavo::notes_with_date(QString(), day, QStringLiteral("/"));
    QCOMPARE(tavo::notes_with_date(once, day, QStringLiteral("/")),
             QStringLiteral("3/7/2004\r\n\r\n3/7/2004\r\n"));
}

void TestInsertDate::regional_date_separator_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("separator");
    QTest::newRow("United States") << "en_US"
                                   << "/";
    QTest::newRow("Germany") << "de_DE"
                             << ".";
    QTest::newRow("Sweden") << "sv_SE"
                            << "-";
    QTest::newRow("France") << "fr_FR"
                            << "/";
    QTest::newRow("no regional settings") << "C"
                                          << "/";
}

void TestInsertDate::regional_date_separator() {
    QFETCH(QString, locale);
    QTEST(tavo::regional_date_separator(QLocale(locale)), "separator");
}

QTEST_GUILESS_MAIN(TestInsertDate)
#include "test_insert_date.moc"
