// A button without caption whose face shows a stimulus colour, and whose
// accessible name and tooltip say it in words. It only shows the colour; the
// assessment document keeps it.
#pragma once

#include "assessment.h"

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
    // What the colour is for ("Stimulus Color"); the accessible name and the
    // tooltip add the colour in words and its hex code.
    void set_purpose(const QString& purpose);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();

    QColor m_colour;
    QString m_purpose;
};

} // namespace tavo
