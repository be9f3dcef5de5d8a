#include "background_tab.h"

#include "insert_date.h"
#include "notes_edit.h"
#include "svg_picture.h"
#include "version.h"

#include <QDate>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

namespace tavo {

namespace {

const QString crlf = QStringLiteral("\r\n");

} // namespace

BackgroundTab::BackgroundTab(AssessmentDocument& document, QWidget* parent)
    : TabPage(parent)
    , m_document(document) {
    QWidget* page = this;
    struct Field {
        const char* box;
        const char* label;
        const char* caption;
        int top;
    };
    const Field fields[] = {{"Text0", "Label18", "Subject Name:", 600},
                            {"Text1", "Label19", "Administrator:", 1080},
                            {"Text2", "Label20", "Switch Location:", 1800},
                            {"Text3", "Label21", "Switch Type:", 2280}};
    for (std::size_t i = 0; i < m_field_edits.size(); ++i) {
        const Field& field = fields[i];
        auto* box = new QLineEdit(page);
        box->setObjectName(QString::fromLatin1(field.box));
        // A field holds whatever length its file holds: nothing is cut on open.
        box->setMaxLength(std::numeric_limits<int>::max());
        const auto which = static_cast<TypedField>(i);
        connect(box, &QLineEdit::textChanged, this,
                [this, which](const QString& text) { m_document.set_field(which, text); });
        box->setAccessibleName(QString::fromLatin1(field.caption).chopped(1));
        place(box, QRect(1560, field.top, 3735, 315));
        auto* label = new QLabel(QString::fromLatin1(field.caption), page);
        label->setObjectName(QString::fromLatin1(field.label));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(box);
        place(label, QRect(120, field.top, 1380, 315));
        m_field_edits[i] = box;
    }

    auto* notes_label = new QLabel(QStringLiteral("Notes:"), page);
    notes_label->setObjectName(QStringLiteral("Label22"));
    place(notes_label, QRect(5640, 480, 1455, 240));
    m_notes_edit = new QPlainTextEdit(page);
    m_notes_edit->setObjectName(QStringLiteral("notes"));
    m_notes_edit->setAccessibleName(QStringLiteral("Notes"));
    m_notes_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes_edit->setTabChangesFocus(true);
    connect(m_notes_edit, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing_notes) {
            const QString box_text = m_notes_edit->document()->toRawText();
            m_notes_shown =
                notes_after_edit(m_document.field(TypedField::notes), m_notes_box_text, box_text);
            m_notes_box_text = box_text;
            m_document.set_field(TypedField::notes, m_notes_shown);
        }
    });
    notes_label->setBuddy(m_notes_edit);
    place(m_notes_edit, QRect(5640, 720, 3855, 1815));

    auto* insert = new QPushButton(QStringLiteral("Insert Date:"), page);
    insert->setObjectName(QStringLiteral("Command1"));
    insert->setToolTip(tr("Adds today's date to the notes on a line of its own"));
    place(insert, QRect(8040, 2640, 1455, 375));
    connect(insert, &QPushButton::clicked, this, &BackgroundTab::insert_date);

    auto* ok = new QPushButton(QStringLiteral("OK"), page);
    ok->setObjectName(QStringLiteral("Info_ok"));
    ok->setToolTip(tr("Go on to the Performance Tests"));
    place(ok, QRect(4080, 2880, 1215, 375));
    connect(ok, &QPushButton::clicked, this, &BackgroundTab::done);

    auto* picture = new SvgPicture(QStringLiteral(":/images/clinician_switch.svg"),
                                   tr("A hand reaching for a switch"), page);
    picture->setObjectName(QStringLiteral("Image7"));
    place(picture, QRect(240, 4560, 1215, 1215));
    auto* version = new QLabel(QString::fromLatin1(version_caption), page);
    version->setObjectName(QStringLiteral("TAVO_Version"));
    version->setFont(bold_font(font(), 8.25));
    place(version, QRect(1560, 5400, 1815, 255));
    auto* logo = new SvgPicture(QStringLiteral(":/images/logo.svg"), tr("TAVO"), page);
    logo->setObjectName(QStringLiteral("Picture1"));
    place(logo, QRect(5760, 4680, 3735, 1095));

    setTabOrder(m_field_edits[0], m_field_edits[1]);
    setTabOrder(m_field_edits[1], m_field_edits[2]);
    setTabOrder(m_field_edits[2], m_field_edits[3]);
    setTabOrder(m_field_edits[3], m_notes_edit);
    setTabOrder(m_notes_edit, insert);
    setTabOrder(insert, ok);
}

void BackgroundTab::focus_first_field() {
    m_field_edits[0]->setFocus();
}

void BackgroundTab::show_fields() {
    for (std::size_t i = 0; i < m_field_edits.size(); ++i) {
        const QString& text = m_document.field(static_cast<TypedField>(i));
        if (m_field_edits[i]->text() != text) {
            m_field_edits[i]->setText(text);
        }
    }
    const QString& notes = m_document.field(TypedField::notes);
    if (notes != m_notes_shown) {
        m_notes_shown = notes;
        QString plain = notes;
        plain.replace(crlf, QStringLiteral("\n"));
        m_showing_notes = true;
        m_notes_edit->setPlainText(plain);
        m_notes_box_text = m_notes_edit->document()->toRawText();
        m_showing_notes = false;
        m_notes_edit->moveCursor(QTextCursor::End);
    }
}

void BackgroundTab::insert_date() {
    m_document.set_field(TypedField::notes,
                         notes_with_date(m_document.field(TypedField::notes), QDate::currentDate(),
                                         regional_date_separator(QLocale::system())));
}

} // namespace tavo
