// The results sheet: its lines, and the same lines drawn into a PDF and read
// back as text.
#include "sheet_lines.h"
#include "sheet_painter.h"

#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tavo;

namespace {

const QString fixed_footer =
    QStringLiteral("Printed on Tuesday, December 08, 2026 at 04:05 PM by TAVO Version 1.0");

QStringList texts_of(const std::vector<SheetLine>& lines) {
    QStringList texts;
    for (const SheetLine& line : lines) {
        texts << line.text;
    }
    return texts;
}

// Averages of 250 and 400 ms, five clicks in 3.1 s.
TestResults completed_results() {
    return {TrialSummary{10, 2500, 200, 300, 250}, TrialSummary{10, 4000, 350, 450, 400}, 3100};
}

// Draws the sheet into a PDF and returns its text, one string per page.
QStringList pdf_pages(const std::vector<SheetLine>& lines, int copies) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        const SheetDrawing drawing = draw_results_sheet(writer, lines, copies);
        if (!drawing.ok) {
            return {};
        }
    }
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0) {
        qWarning("pdftotext (poppler-utils) is needed to read the sheet back");
        return {};
    }
    QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    if (text.endsWith(QChar(u'\f'))) {
        text.chop(1);
    }
    return text.split(QChar(u'\f'));
}

} // namespace

class TestResultsSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sheet_without_tests();
    void sheet_with_results_and_notes();
    void fonts_of_the_sections();
    void footer_data();
    void footer();
    void pdf_copies_each_start_a_page();
    void long_notes_continue_on_the_next_page();
    void no_copies_draws_nothing();
};

void TestResultsSheet::sheet_without_tests() {
    const QStringList texts = texts_of(results_sheet_lines({}, TestResults{}, fixed_footer));
    const QString rule(126, QChar(u'-'));
    const QString title =
        QString(46, QChar(u' ')) + "TAVO RESULTS SHEET" + QString(21, QChar(u' '));
    QCOMPARE(title.size(), 85);
    const QStringList expected = {rule,
                                  title,
                                  rule,
                                  " ",
                                  " ",
                                  "Subject: ",
                                  " ",
                                  "Administrator: ",
                                  " ",
                                  "Switch Location: ",
                                  " ",
                                  "Switch Type: ",
                                  " ",
                                  "Notes: ",
                                  " ",
                                  " ",
                                  " ",
                                  "Activation Test Results",
                                  QString(64, QChar(u'-')),
                                  "Test Not Completed",
                                  "",
                                  "",
                                  " ",
                                  " ",
                                  " ",
                                  "Release Test Results",
                                  QString(64, QChar(u'-')),
                                  "Test Not Completed",
                                  "",
                                  "",
                                  " ",
                                  " ",
                                  " ",
                                  "Repetition Test Result",
                                  QString(64, QChar(u'-')),
                                  "Test Not Completed",
                                  " ",
                                  " ",
                                  " ",
                                  " ",
                                  " ",
                                  " ",
                                  fixed_footer};
    QCOMPARE(texts, expected);
}

void TestResultsSheet::sheet_with_results_and_notes() {
    const TypedFields fields = {"Ann Lee", "J. Moreno", "Left of head", "Round 2.5 in.",
                                "Seated upright\r\nGood head control\r\nTired after 20 min"};
    const QStringList texts =
        texts_of(results_sheet_lines(fields, completed_results(), fixed_footer));
    QCOMPARE(texts.size(), 45); // two more lines for the notes' line breaks
    QCOMPARE(texts[5], QStringLiteral("Subject: Ann Lee"));
    QCOMPARE(texts[11], QStringLiteral("Switch Type: Round 2.5 in."));
    QCOMPARE(texts.mid(13, 3),
             (QStringList{"Notes: Seated upright", "Good head control", "Tired after 20 min"}));
    QCOMPARE(texts.mid(21, 3), (QStringList{"Average Response Time: 00:00.250",
                                            "Fastest = 00:00.200", "Slowest = 00:00.300"}));
    QCOMPARE(texts[37], QStringLiteral("Time For 5 Clicks: 00:03.100"));
}

void TestResultsSheet::fonts_of_the_sections() {
    const std::vector<SheetLine> lines = results_sheet_lines({}, TestResults{}, fixed_footer);
    QCOMPARE(lines[0].font, (SheetFont{14, true}));
    QCOMPARE(lines[2].font, (SheetFont{14, true}));
    QCOMPARE(lines[3].font, (SheetFont{11, false}));
    QCOMPARE(lines[17].font, (SheetFont{11, true}));  // heading
    QCOMPARE(lines[18].font, (SheetFont{11, true}));  // its rule
    QCOMPARE(lines[19].font, (SheetFont{11, false})); // the results
    QCOMPARE(lines.back().font, (SheetFont{11, false}));
}

void TestResultsSheet::footer_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("afternoon") << "en_US" << QDate(2026, 12, 8) << QTime(16, 5) << fixed_footer;
    QTest::newRow("morning, single-digit day")
        << "en_US" << QDate(2027, 3, 1) << QTime(9, 7)
        << "Printed on Monday, March 01, 2027 at 09:07 AM by TAVO Version 1.0";
    QTest::newRow("noon") << "en_US" << QDate(2026, 7, 4) << QTime(12, 0)
                          << "Printed on Saturday, July 04, 2026 at 12:00 PM by TAVO Version 1.0";
    QTest::newRow("midnight")
        << "en_US" << QDate(2026, 7, 4) << QTime(0, 30)
        << "Printed on Saturday, July 04, 2026 at 12:30 AM by TAVO Version 1.0";
    // Only the day and month names follow the language: the digits stay
    // ASCII and the clock keeps "AM" and "PM" as written.
    QTest::newRow("Spanish, morning")
        << "es_ES" << QDate(2026, 12, 8) << QTime(9, 7)
        << "Printed on martes, diciembre 08, 2026 at 09:07 AM by TAVO Version 1.0";
    QTest::newRow("Spanish, afternoon")
        << "es_ES" << QDate(2026, 12, 8) << QTime(16, 5)
        << "Printed on martes, diciembre 08, 2026 at 04:05 PM by TAVO Version 1.0";
    QTest::newRow("German")
        << "de_DE" << QDate(2026, 12, 8) << QTime(16, 5)
        << "Printed on Dienstag, Dezember 08, 2026 at 04:05 PM by TAVO Version 1.0";
    QTest::newRow("Arabic")
        << "ar" << QDate(2026, 12, 8) << QTime(16, 5)
        << QString::fromUtf8("Printed on \u0627\u0644\u062B\u0644\u0627\u062B\u0627\u0621, "
                             "\u062F\u064A\u0633\u0645\u0628\u0631 08, 2026 at 04:05 PM by TAVO "
                             "Version 1.0");
    QTest::newRow("Persian")
        << "fa" << QDate(2026, 12, 8) << QTime(9, 7)
        << QString::fromUtf8("Printed on \u0633\u0647\u200C\u0634\u0646\u0628\u0647, "
                             "\u062F\u0633\u0627\u0645\u0628\u0631 08, 2026 at 09:07 AM by TAVO "
                             "Version 1.0");
}

void TestResultsSheet::footer() {
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    QTEST(sheet_footer(date, time, QLocale(locale)), "text");
}

void TestResultsSheet::pdf_copies_each_start_a_page() {
    const TypedFields fields = {"Ann Lee", "", "", "", "one\r\ntwo\r\nthree"};
    const QStringList pages =
        pdf_pages(results_sheet_lines(fields, completed_results(), fixed_footer), 2);
    QCOMPARE(pages.size(), 2);
    for (const QString& page : pages) {
        QVERIFY(page.contains(QStringLiteral("TAVO RESULTS SHEET")));
        QVERIFY(page.contains(QStringLiteral("Subject: Ann Lee")));
        QVERIFY(page.contains(QRegularExpression(QStringLiteral("\\n\\s*two\\n\\s*three\\n"))));
        QVERIFY(page.contains(QStringLiteral("Time For 5 Clicks: 00:03.100")));
        QVERIFY(page.contains(fixed_footer));
    }
}

void TestResultsSheet::long_notes_continue_on_the_next_page() {
    QStringList notes;
    for (int i = 1; i <= 60; ++i) {
        notes << QStringLiteral("Observation %1").arg(i);
    }
    const TypedFields fields = {"Ann Lee", "", "", "", notes.join(QStringLiteral("\r\n"))};
    const QStringList pages =
        pdf_pages(results_sheet_lines(fields, completed_results(), fixed_footer), 1);
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages[0].contains(QStringLiteral("Observation 1\n")));
    QVERIFY(pages[1].contains(QStringLiteral("Observation 60")));
    QVERIFY(pages[1].contains(fixed_footer));
    const QString all = pages.join(QString());
    for (int i = 1; i <= 60; ++i) {
        QVERIFY(all.contains(QStringLiteral("Observation %1\n").arg(i)));
    }
}

void TestResultsSheet::no_copies_draws_nothing() {
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath(QStringLiteral("none.pdf")));
    const SheetDrawing drawing =
        draw_results_sheet(writer, results_sheet_lines({}, TestResults{}, fixed_footer), 0);
    QVERIFY(drawing.ok);
    QCOMPARE(drawing.pages, 0);
}

QTEST_MAIN(TestResultsSheet)
#include "test_results_sheet.moc"
