// A picture drawn from an SVG resource, scaled into its rectangle with its
// proportions kept, sharp at any screen scale.
#pragma once

#include <QWidget>

class QSvgRenderer;

namespace tavo {

class SvgPicture final : public QWidget {
    Q_OBJECT
public:
    SvgPicture(const QString& resource_path, const QString& description, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* m_renderer = nullptr;
};

} // namespace tavo
