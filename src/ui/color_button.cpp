#include "color_button.h"

#include "colour_names.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tavo {

QColor to_qcolor(Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

Rgb to_rgb(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return {static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
            static_cast<std::uint8_t>(rgb.blue())};
}

ColorButton::ColorButton(const QColor& colour, QWidget* parent)
    : QPushButton(parent) {
    set_face_color(colour);
}

void ColorButton::set_face_color(const QColor& colour) {
    if (colour == m_colour && !toolTip().isEmpty()) {
        return;
    }
    m_colour = colour;
    describe();
    update();
}

void ColorButton::set_purpose(const QString& purpose) {
    m_purpose = purpose;
    describe();
}

// The face is the colour; the name and the tooltip say it for those who
// cannot see it.
void ColorButton::describe() {
    const QString words = describe_colour(to_rgb(m_colour));
    setAccessibleName(m_purpose.isEmpty() ? words : m_purpose + QStringLiteral(": ") + words);
    setToolTip(tr("%1; click to choose another colour").arg(words));
}

void ColorButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.fillRect(face.adjusted(1, 1, -1, -1), m_colour);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace tavo
