#include "recovery_question.h"

#include "dialogs.h"
#include "version.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <initializer_list>

namespace tavo {

RecoveryQuestionBoxes::RecoveryQuestionBoxes(Dialogs& dialogs, QWidget* owner)
    : m_dialogs(dialogs)
    , m_owner(owner) {}

// At the start the main window is not shown yet: a box over it would sit in
// the corner where the hidden window happens to be, so it takes the middle of
// the screen instead.
QWidget* RecoveryQuestionBoxes::box_owner() const {
    return m_owner && m_owner->isVisible() ? m_owner : nullptr;
}

namespace {

// A question in a box of its own, its text shown as it is: the subject's name
// in it is typed text, never markup.
QMessageBox* question_box(QMessageBox::Icon icon, const QString& name, const QString& question,
                          QWidget* owner) {
    auto* box = new QMessageBox(icon, QString::fromLatin1(application_title), question,
                                QMessageBox::NoButton, owner);
    box->setObjectName(name);
    box->setTextFormat(Qt::PlainText);
    return box;
}

QPushButton* add_button(QMessageBox& box, const QString& caption, QMessageBox::ButtonRole role,
                        const QString& name) {
    QPushButton* button = box.addButton(caption, role);
    button->setObjectName(name);
    return button;
}

// The boxes wait for their answer, so they live on the heap behind a guard:
// an owner closed meanwhile (a session ending, say) deletes the box, and the
// answer is then none, which the caller takes as the one that loses nothing.
// Otherwise the box goes once answered. Returns the position in `buttons` of
// the button clicked, or -1.
int wait_for_answer(const QPointer<QMessageBox>& box,
                    std::initializer_list<const QAbstractButton*> buttons) {
    box->exec();
    if (!box) {
        return -1;
    }
    const QAbstractButton* clicked = box->clickedButton();
    const auto found = std::find(buttons.begin(), buttons.end(), clicked);
    delete box.data();
    return found == buttons.end() ? -1 : static_cast<int>(found - buttons.begin());
}

} // namespace

RecoveryAnswer RecoveryQuestionBoxes::ask_to_recover(const QString& question) {
    const QPointer<QMessageBox> box = question_box(
        QMessageBox::Question, QStringLiteral("Recovery_Question"), question, box_owner());
    QPushButton* recover = add_button(*box, QStringLiteral("&Recover"), QMessageBox::AcceptRole,
                                      QStringLiteral("RecoverButton"));
    QPushButton* discard =
        add_button(*box, QStringLiteral("&Discard"), QMessageBox::DestructiveRole,
                   QStringLiteral("DiscardButton"));
    QPushButton* later = add_button(*box, QStringLiteral("&Later"), QMessageBox::RejectRole,
                                    QStringLiteral("LaterButton"));
    box->setDefaultButton(recover);
    // Escape or the close button keep the copy for another time.
    box->setEscapeButton(later);
    switch (wait_for_answer(box, {recover, discard})) {
    case 0:
        return RecoveryAnswer::recover;
    case 1:
        return RecoveryAnswer::discard;
    default:
        return RecoveryAnswer::later;
    }
}

bool RecoveryQuestionBoxes::confirm_discard(const QString& question) {
    const QPointer<QMessageBox> box = question_box(
        QMessageBox::Warning, QStringLiteral("Discard_Question"), question, box_owner());
    QPushButton* remove = add_button(*box, QStringLiteral("&Delete"), QMessageBox::DestructiveRole,
                                     QStringLiteral("DeleteButton"));
    QPushButton* keep = add_button(*box, QStringLiteral("&Keep"), QMessageBox::RejectRole,
                                   QStringLiteral("KeepButton"));
    // A slip of the Enter key deletes nothing.
    box->setDefaultButton(keep);
    box->setEscapeButton(keep);
    return wait_for_answer(box, {remove}) == 0;
}

void RecoveryQuestionBoxes::report(const QString& message) {
    m_dialogs.show_message(box_owner(), message);
}

} // namespace tavo
