#include "sheet_lines.h"

#include "version.h"

#include <QRegularExpression>

namespace tavo {

namespace {

const SheetFont header_font{14, true};
const SheetFont body_font{11, false};
const SheetFont heading_font{11, true};

class SheetBuilder {
public:
    void line(const QString& text, SheetFont font) { m_lines.push_back({text, font}); }
    void blank(int count) {
        for (int i = 0; i < count; ++i) {
            line(QStringLiteral(" "), body_font);
        }
    }
    void section(const QString& heading, const QStringList& captions) {
        line(heading, heading_font);
        line(QString(64, QChar(u'-')), heading_font);
        for (const QString& caption : captions) {
            line(caption, body_font);
        }
    }
    std::vector<SheetLine> take() { return std::move(m_lines); }

private:
    std::vector<SheetLine> m_lines;
};

} // namespace

QString sheet_footer(const QDate& date, const QTime& time, const QLocale& locale) {
    // Only the names come from the locale: its own date and time formatting
    // would bring its digits and its own words for AM and PM.
    const auto digits = [](int value, int width) {
        return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
    };
    const int hour_12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const QString date_text = locale.dayName(date.dayOfWeek()) + QStringLiteral(", ") +
                              locale.monthName(date.month()) + QLatin1Char(' ') +
                              digits(date.day(), 2) + QStringLiteral(", ") + digits(date.year(), 4);
    const QString time_text = digits(hour_12, 2) + QLatin1Char(':') + digits(time.minute(), 2) +
                              (time.hour() < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
    return QStringLiteral("Printed on ") + date_text + QStringLiteral(" at ") + time_text +
           QStringLiteral(" by TAVO ") + QString::fromLatin1(version_caption);
}

std::vector<SheetLine> results_sheet_lines(const TypedFields& fields, const TestResults& results,
                                           const QString& footer) {
    SheetBuilder sheet;
    const QString rule(126, QChar(u'-'));
    sheet.line(rule, header_font);
    sheet.line(QString(46, QChar(u' ')) + QStringLiteral("TAVO RESULTS SHEET") +
                   QString(21, QChar(u' ')),
               header_font);
    sheet.line(rule, header_font);
    sheet.blank(2);
    sheet.line(QStringLiteral("Subject: ") + fields[0], body_font);
    sheet.blank(1);
    sheet.line(QStringLiteral("Administrator: ") + fields[1], body_font);
    sheet.blank(1);
    sheet.line(QStringLiteral("Switch Location: ") + fields[2], body_font);
    sheet.blank(1);
    sheet.line(QStringLiteral("Switch Type: ") + fields[3], body_font);
    sheet.blank(1);
    const QStringList notes = (QStringLiteral("Notes: ") + fields[4])
                                  .split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString& note : notes) {
        sheet.line(note, body_font);
    }
    sheet.blank(3);
    sheet.section(QStringLiteral("Activation Test Results"),
                  timed_test_captions(results.activation));
    sheet.blank(3);
    sheet.section(QStringLiteral("Release Test Results"), timed_test_captions(results.release));
    sheet.blank(3);
    sheet.section(QStringLiteral("Repetition Test Result"), repetition_captions(results));
    sheet.blank(6);
    sheet.line(footer, body_font);
    return sheet.take();
}

} // namespace tavo
