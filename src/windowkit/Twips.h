#pragma once

#include <QRect>
#include <cmath>

namespace sopaly::twips {

// Every window is laid out in twips (1/1440 inch). At 96 dots per inch that
// is 15 twips to a pixel; Qt scales the pixels for high-dpi screens.
inline constexpr int kPerPixel = 15;

// The nearest pixel of a position or length given in twips.
inline int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / kPerPixel));
}

constexpr int fromPixels(int pixels) {
    return pixels * kPerPixel;
}

inline QRect toPixels(int left, int top, int width, int height) {
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

}  // namespace sopaly::twips
