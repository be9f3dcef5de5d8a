// What the main window's three tabs share: their controls are designed in
// twips from the tab control's own corner, while a page starts below the row
// of tab captions, so each page places its controls shifted by that origin.
// The origin is known only once the captions are in the tab control, after
// the pages are built, so a page keeps its placements and applies it then.
#pragma once

#include "twips.h"

#include <QFont>
#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <vector>

namespace tavo {

class TabPage : public QWidget {
    Q_OBJECT
public:
    explicit TabPage(QWidget* parent = nullptr)
        : QWidget(parent) {}

    // `origin` is where the page lies in the tab control, in pixels.
    void set_origin(QPoint origin) {
        m_origin = origin;
        for (const Placement& placement : m_placements) {
            apply(placement);
        }
    }

protected:
    // Places a control given in the tab control's twips on this page.
    void place(QWidget* widget, QRect twips) {
        m_placements.push_back({widget, twips});
        apply(m_placements.back());
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
    struct Placement {
        QWidget* widget;
        QRect twips;
    };

    void apply(const Placement& placement) const {
        const QRect& twips = placement.twips;
        const QRect rect = twips_rect(twips.x(), twips.y(), twips.width(), twips.height());
        placement.widget->setGeometry(rect.translated(-m_origin));
    }

    QPoint m_origin;
    std::vector<Placement> m_placements;
};

} // namespace tavo
