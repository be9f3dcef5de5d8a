#include "color_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tavo {

QColor to_qcolor(ColorRef colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

ColorRef to_colorref(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<ColorRef>(rgb.red()) | (static_cast<ColorRef>(rgb.green()) << 8) |
           (static_cast<ColorRef>(rgb.blue()) << 16);
}

ColorButton::ColorButton(ColorRef colour, QWidget* parent)
    : QPushButton(parent)
    , m_colour(colour) {
    set_face_color(colour);
}

void ColorButton::set_face_color(ColorRef colour) {
    m_colour = colour;
    // The face is the colour; the tooltip names it for those who cannot see it.
    setToolTip(tr("Colour %1; click to choose another").arg(face_qcolor().name()));
    update();
}

void ColorButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.fillRect(face.adjusted(1, 1, -1, -1), face_qcolor());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace tavo
