// The windows are laid out in twips for an 8.25-point sans-serif face of
// Arial's proportions: a wider face would not fit the designed places, so the
// windows ask for one of that kind first and take the system's face last.
#pragma once

#include <QFont>
#include <QStringList>

namespace tavo {

inline QFont design_font(const QFont& base) {
    QFont font = base;
    font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      base.family()});
    font.setPointSizeF(8.25);
    return font;
}

} // namespace tavo
