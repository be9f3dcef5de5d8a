#include "save_exit_dialog.h"

#include "design_font.h"
#include "twips.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace tavo {

namespace {

QPushButton* add_button(QDialog* dialog, const QString& name, const QString& caption, int left) {
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setGeometry(twips_rect(left, 1200, 1095, 375));
    return button;
}

} // namespace

SaveExitDialog::SaveExitDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Save_Exit"));
    setWindowTitle(QStringLiteral("TAVO - Marlowen"));
    setModal(false);
    setFixedSize(twips_size(5235, 1755));
    // A window does not take its parent's face: it asks for the design face
    // itself, as the other windows do.
    setFont(design_font(font()));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    const QRect icon_rect = twips_rect(240, 240, 480, 480);
    icon->setGeometry(icon_rect);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this)
                        .pixmap(icon_rect.size()));

    m_question =
        new QLabel(QStringLiteral("Do you want to save the test results before quitting?"), this);
    m_question->setObjectName(QStringLiteral("Label1"));
    m_question->setWordWrap(true);
    m_question->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_question->setGeometry(twips_rect(1200, 240, 3735, 495));

    QPushButton* yes = add_button(this, QStringLiteral("YesButton"), QStringLiteral("Yes"), 240);
    QPushButton* no = add_button(this, QStringLiteral("NoButton"), QStringLiteral("No"), 2040);
    QPushButton* cancel =
        add_button(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"), 3840);
    setTabOrder(yes, cancel);
    setTabOrder(cancel, no);

    // Hidden before the answer is acted on, so a Save As dialog that follows
    // Yes is not covered by the prompt.
    connect(yes, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT yes_clicked();
    });
    connect(no, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT no_clicked();
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
}

void SaveExitDialog::set_question(const QString& question) {
    m_question->setText(question);
}

QString SaveExitDialog::question() const {
    return m_question->text();
}

} // namespace tavo
