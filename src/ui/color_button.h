// A button without caption whose face shows a stimulus colour. It only shows
// the colour; the assessment document keeps it.
#pragma once

#include "assessment_document.h"

#include <QColor>
#include <QPushButton>

namespace tavo {

QColor to_qcolor(Rgb colour);
Rgb to_rgb(const QColor& colour);

class ColorButton final : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(const QColor& colour, QWidget* parent = nullptr);

    QColor face_color() const { return m_colour; }
    void set_face_color(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};

} // namespace tavo
