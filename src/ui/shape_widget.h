// A filled rectangle: the stimulus shapes and the background of the stimulus area.
#pragma once

#include <QWidget>

namespace tavo {

class ShapeWidget final : public QWidget {
    Q_OBJECT
public:
    ShapeWidget(const QColor& fill, const QColor& border, QWidget* parent = nullptr);

    QColor fill_color() const { return m_fill; }
    void set_fill_color(const QColor& fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
    QColor m_border;
};

} // namespace tavo
