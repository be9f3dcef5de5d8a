// Window positions are designed in twips: 15 twips to a logical pixel.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

namespace tavo {

inline constexpr int twips_per_pixel = 15;

inline int px(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twips_per_pixel));
}

inline QRect twips_rect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

inline QSize twips_size(int width, int height) {
    return {px(width), px(height)};
}

} // namespace tavo
