#include "shape_widget.h"

#include <QPainter>

namespace tavo {

ShapeWidget::ShapeWidget(const QColor& fill, const QColor& border, QWidget* parent)
    : QWidget(parent)
    , m_fill(fill)
    , m_border(border) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void ShapeWidget::set_fill_color(const QColor& fill) {
    m_fill = fill;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_border);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), m_fill);
}

} // namespace tavo
