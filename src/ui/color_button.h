// A button without caption whose face shows a stimulus colour; the colour lives
// only here, as the program's 0x00BBGGRR value.
#pragma once

#include "settings_input.h"

#include <QColor>
#include <QPushButton>

namespace tavo {

QColor to_qcolor(ColorRef colour);
ColorRef to_colorref(const QColor& colour);

class ColorButton final : public QPushButton {
    Q_OBJECT
public:
    ColorButton(ColorRef colour, QWidget* parent = nullptr);

    ColorRef face_color() const { return m_colour; }
    QColor face_qcolor() const { return to_qcolor(m_colour); }
    void set_face_color(ColorRef colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorRef m_colour;
};

} // namespace tavo
