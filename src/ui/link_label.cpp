#include "link_label.h"

#include "dialogs.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tavo {

LinkLabel::LinkLabel(Dialogs& dialogs, QWidget* parent)
    : QLabel(parent)
    , m_dialogs(dialogs) {
    QFont link_font = font();
    link_font.setUnderline(true);
    setFont(link_font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xEE));
    setPalette(palette);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::set_address(const QString& address) {
    m_address = address;
    setText(address);
    setAccessibleName(tr("Web site %1").arg(address));
    // An address longer than the designed width widens the label rather than being cut.
    resize(qMax(width(), sizeHint().width()), height());
}

void LinkLabel::HyperJump() {
    m_dialogs.open_url(text());
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        HyperJump();
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        HyperJump();
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace tavo
