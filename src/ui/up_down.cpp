#include "up_down.h"

#include "settings_input.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavo {

UpDownControl::UpDownControl(QLineEdit* buddy, int initial_position, QWidget* parent)
    : QWidget(parent)
    , m_buddy(buddy)
    , m_position(initial_position) {
    auto* up = new QToolButton(this);
    auto* down = new QToolButton(this);
    up->setObjectName(QStringLiteral("up"));
    down->setObjectName(QStringLiteral("down"));
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {up, down}) {
        arrow->setFocusPolicy(Qt::NoFocus); // the box itself steps with the arrow keys
        arrow->setAutoRepeat(true);
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    m_up = up;
    m_down = down;
    set_purpose({});
    connect(up, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down, &QToolButton::clicked, this, [this] { step(-1); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up);
    layout->addWidget(down);
    buddy->installEventFilter(this);
}

void UpDownControl::set_purpose(const QString& purpose) {
    const QString prefix = purpose.isEmpty() ? QString() : purpose + QStringLiteral(", ");
    m_up->setAccessibleName(prefix + tr("one second more"));
    m_down->setAccessibleName(prefix + tr("one second less"));
}

void UpDownControl::step(int delta) {
    const std::optional<int> stepped =
        stepped_setting(m_buddy->text(), m_position, delta, locale());
    if (!stepped) {
        return; // the arrow would move the number against its direction
    }
    m_position = *stepped;
    m_buddy->setText(QString::number(m_position));
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tavo
