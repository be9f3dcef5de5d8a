// An edit in the notes box changes only what was edited in the notes.
#include "notes_edit.h"

#include <QTest>

using namespace tavo;

class TestNotesEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void only_the_edited_span_changes_data();
    void only_the_edited_span_changes();
};

namespace {
// Text that may hold a NUL, whole.
template <std::size_t N> QString all_of(const char16_t (&text)[N]) {
    return QString::fromUtf16(text, N - 1);
}

// The box's raw text writes a paragraph break as U+2029; "|" stands for it.
QString shown(const char* text) {
    return QString::fromUtf8(text).replace(u'|', QChar::ParagraphSeparator);
}
} // namespace

void TestNotesEdit::only_the_edited_span_changes_data() {
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("result");
    const QString mixed = QStringLiteral("a\u2029b\rc\r\nd\ne");
    const QString mixed_shown = shown("a|b|c|d|e");
    QTest::newRow("insertion at the end keeps every break")
        << mixed << mixed_shown << shown("a|b|c|d|ex") << QStringLiteral("a\u2029b\rc\r\nd\nex");
    QTest::newRow("insertion at the start")
        << mixed << mixed_shown << shown("xa|b|c|d|e") << QStringLiteral("xa\u2029b\rc\r\nd\ne");
    QTest::newRow("insertion in the middle")
        << mixed << mixed_shown << shown("a|bx|c|d|e") << QStringLiteral("a\u2029bx\rc\r\nd\ne");
    QTest::newRow("new break is written CR LF")
        << mixed << mixed_shown << shown("a|b|c||d|e") << QStringLiteral("a\u2029b\rc\r\n\r\nd\ne");
    QTest::newRow("deleting a lone CR")
        << mixed << mixed_shown << shown("a|bc|d|e") << QStringLiteral("a\u2029bc\r\nd\ne");
    QTest::newRow("deleting a CR LF pair whole")
        << mixed << mixed_shown << shown("a|b|cd|e") << QStringLiteral("a\u2029b\rcd\ne");
    QTest::newRow("deleting the first character")
        << mixed << mixed_shown << shown("|b|c|d|e") << QStringLiteral("\u2029b\rc\r\nd\ne");
    QTest::newRow("deleting the last character")
        << mixed << mixed_shown << shown("a|b|c|d|") << QStringLiteral("a\u2029b\rc\r\nd\n");
    QTest::newRow("replacement spanning breaks")
        << mixed << mixed_shown << shown("a|X|Y|e") << QStringLiteral("a\u2029X\r\nY\ne");
    QTest::newRow("replacing everything")
        << mixed << mixed_shown << shown("z") << QStringLiteral("z");
    QTest::newRow("CR before CR LF is two breaks") << QStringLiteral("a\r\r\nb") << shown("a||b")
                                                   << shown("a||bc") << QStringLiteral("a\r\r\nbc");
    QTest::newRow("LF CR is two breaks")
        << QStringLiteral("a\n\rb") << shown("a||b") << shown("xa||b") << QStringLiteral("xa\n\rb");
    QTest::newRow("NUL and line separator kept elsewhere")
        << all_of(u"a\0b\u2028c\rd") << all_of(u"a\0b\u2028c\u2029d")
        << all_of(u"a\0b\u2028c\u2029dd") << all_of(u"a\0b\u2028c\rdd");
    QTest::newRow("typing into empty notes")
        << QString() << QString() << shown("x|y") << QStringLiteral("x\r\ny");
    QTest::newRow("notes the box did not show: the box's text")
        << QStringLiteral("other\rtext") << shown("a|b") << shown("a|bc")
        << QStringLiteral("a\r\nbc");
    QTest::newRow("notes longer than shown: the box's text")
        << QStringLiteral("a\rbq") << shown("a|b") << shown("a|bc") << QStringLiteral("a\r\nbc");
}

void TestNotesEdit::only_the_edited_span_changes() {
    QFETCH(QString, notes);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QTEST(notes_after_edit(notes, before, after), "result");
}

QTEST_GUILESS_MAIN(TestNotesEdit)
#include "test_notes_edit.moc"
