#include "svg_picture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tavo {

SvgPicture::SvgPicture(const QString& resource_path, const QString& description, QWidget* parent)
    : QWidget(parent)
    , m_renderer(new QSvgRenderer(resource_path, this)) {
    setAccessibleName(description);
    setToolTip(description);
    setFocusPolicy(Qt::NoFocus);
}

void SvgPicture::paintEvent(QPaintEvent*) {
    if (!m_renderer->isValid()) {
        return;
    }
    QSizeF picture = m_renderer->defaultSize();
    picture.scale(size(), Qt::KeepAspectRatio);
    const QRectF target((width() - picture.width()) / 2.0, (height() - picture.height()) / 2.0,
                        picture.width(), picture.height());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->render(&painter, target);
}

} // namespace tavo
