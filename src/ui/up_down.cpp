#include "up_down.h"

#include "settings_input.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tavo {

std::optional<int> stepped_setting(const QString& box_text, int last_position, int delta,
                                   const QLocale& locale) {
    const std::optional<std::int64_t> current = whole_number_of(box_text, locale);
    const std::int64_t from = current.value_or(last_position);
    const std::int64_t stepped =
        std::clamp<std::int64_t>(from + delta, min_updown_seconds, max_updown_seconds);
    // Compared with the number as typed, so that 10.4 and up does not give 10.
    const double typed = exact_number_of(box_text, locale).value_or(last_position);
    const bool against_direction =
        delta > 0 ? static_cast<double>(stepped) < typed : static_cast<double>(stepped) > typed;
    if (against_direction) {
        return std::nullopt;
    }
    return static_cast<int>(stepped);
}

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
