#pragma once

#include <QRect>
#include <cmath>

// Positions and sizes are designed in twips; on screen a device-independent pixel is 15
// twips and Qt's high-DPI scaling does the rest.
inline constexpr int TwipsPerPixel = 15;

inline int TwipsToPixels(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}
inline constexpr int PixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}
