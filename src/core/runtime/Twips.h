#pragma once

#include <QRect>

#include <algorithm>

// Twips, 1/1440 inch, the unit of every window position and size in the
// design. 15 twips make one device-independent pixel (96 to the inch); Qt's
// high-DPI scaling takes it from there to the screen.
//
// The one rounding rule: a value goes to the nearest whole pixel, halves away
// from zero (1000 twips are 66.67 px and open at 67). A rectangle rounds its
// four edges, not its size, so rectangles that meet in twips meet in pixels.
// Values beyond ±10 000 000 px, far off any desktop, are held there, so even
// an absurd stored number converts safely.

namespace ondal {

inline constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(double twips)
{
    constexpr double Limit = 1.0e7;
    if (twips != twips)
        return 0; // not a number
    const double pixels = std::clamp(twips / TwipsPerPixel, -Limit, Limit);
    auto whole = static_cast<long long>(pixels); // towards zero, exactly
    const double fraction = pixels - static_cast<double>(whole);
    if (fraction >= 0.5)
        ++whole;
    else if (fraction <= -0.5)
        --whole;
    return static_cast<int>(whole);
}

constexpr QRect twipsToPixels(int left, int top, int width, int height)
{
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return QRect(x, y, twipsToPixels(double(left) + width) - x,
                 twipsToPixels(double(top) + height) - y);
}

constexpr double pixelsToTwips(int pixels)
{
    return double(pixels) * TwipsPerPixel;
}

} // namespace ondal
