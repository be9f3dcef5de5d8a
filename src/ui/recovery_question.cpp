#include "recovery_question.h"

#include "dialogs.h"
#include "version.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

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

// The boxes wait for their answer, so they live on the heap behind a guard:
// an owner closed meanwhile (a session ending, say) deletes the box, and the
// answer is then the one that loses nothing.
RecoveryAnswer RecoveryQuestionBoxes::ask_to_recover(const QString& question) {
    const QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Question, QString::fromLatin1(application_title), question,
                        QMessageBox::NoButton, box_owner());
    box->setObjectName(QStringLiteral("Recovery_Question"));
    // The subject's name is typed text: shown as it is, never as markup.
    box->setTextFormat(Qt::PlainText);
    QPushButton* recover = box->addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
    recover->setObjectName(QStringLiteral("RecoverButton"));
    QPushButton* discard = box->addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("DiscardButton"));
    QPushButton* later = box->addButton(QStringLiteral("&Later"), QMessageBox::RejectRole);
    later->setObjectName(QStringLiteral("LaterButton"));
    box->setDefaultButton(recover);
    // Escape or the close button keep the copy for another time.
    box->setEscapeButton(later);
    box->exec();
    if (!box) {
        return RecoveryAnswer::later;
    }
    const QAbstractButton* clicked = box->clickedButton();
    delete box.data();
    if (clicked == recover) {
        return RecoveryAnswer::recover;
    }
    if (clicked == discard) {
        return RecoveryAnswer::discard;
    }
    return RecoveryAnswer::later;
}

bool RecoveryQuestionBoxes::confirm_discard(const QString& question) {
    const QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Warning, QString::fromLatin1(application_title), question,
                        QMessageBox::NoButton, box_owner());
    box->setObjectName(QStringLiteral("Discard_Question"));
    box->setTextFormat(Qt::PlainText);
    QPushButton* remove = box->addButton(QStringLiteral("&Delete"), QMessageBox::DestructiveRole);
    remove->setObjectName(QStringLiteral("DeleteButton"));
    QPushButton* keep = box->addButton(QStringLiteral("&Keep"), QMessageBox::RejectRole);
    keep->setObjectName(QStringLiteral("KeepButton"));
    // A slip of the Enter key deletes nothing.
    box->setDefaultButton(keep);
    box->setEscapeButton(keep);
    box->exec();
    if (!box) {
        return false;
    }
    const bool delete_it = box->clickedButton() == remove;
    delete box.data();
    return delete_it;
}

void RecoveryQuestionBoxes::report(const QString& message) {
    m_dialogs.show_message(box_owner(), message);
}

} // namespace tavo
