// What the main window's three tabs share: their controls are designed in
// twips from the tab control's own corner, while a page starts below the row
// of tab captions, so each page places its controls shifted by that origin.
#pragma once

#include "twips.h"

#include <QFont>
#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QWidget>

namespace tavo {

class TabPage : public QWidget {
    Q_OBJECT
public:
    // `origin` is where the page lies in the tab control, in pixels.
    explicit TabPage(QPoint origin, QWidget* parent = nullptr)
        : QWidget(parent)
        , m_origin(origin) {}

protected:
    // Places a control given in the tab control's twips on this page.
    void place(QWidget* widget, QRect twips) const {
        const QRect rect = twips_rect(twips.x(), twips.y(), twips.width(), twips.height());
        widget->setGeometry(rect.translated(-m_origin));
    }

    // A label inside a frame, placed in the frame's own twips.
    static QLabel* add_label(QWidget* parent, const QString& name, const QString& text,
                             QRect twips) {
        auto* label = new QLabel(text, parent);
        label->setObjectName(name);
        label->setGeometry(twips_rect(twips.x(), twips.y(), twips.width(), twips.height()));
        return label;
    }

    static QFont bold_font(const QFont& base, double point_size) {
        QFont font = base;
        font.setBold(true);
        font.setPointSizeF(point_size);
        return font;
    }

private:
    QPoint m_origin;
};

} // namespace tavo
