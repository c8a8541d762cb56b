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

// Twips to pixels on a layout grown by scale (1 at the design size), as under
// a large desktop font: the same rounding on the grown value.
constexpr int twipsToPixels(double twips, double scale)
{
    constexpr double Limit = 1.0e7;
    const double grown = twips * scale;
    if (grown != grown)
        return 0; // not a number
    const double pixels = std::clamp(grown / TwipsPerPixel, -Limit, Limit);
    auto whole = static_cast<long long>(pixels); // towards zero, exactly
    const double fraction = pixels - static_cast<double>(whole);
    if (fraction >= 0.5)
        ++whole;
    else if (fraction <= -0.5)
        --whole;
    return static_cast<int>(whole);
}

constexpr int twipsToPixels(double twips)
{
    return twipsToPixels(twips, 1.0);
}

constexpr QRect twipsToPixels(int left, int top, int width, int height, double scale = 1.0)
{
    const int x = twipsToPixels(left, scale);
    const int y = twipsToPixels(top, scale);
    return QRect(x, y, twipsToPixels(double(left) + width, scale) - x,
                 twipsToPixels(double(top) + height, scale) - y);
}

constexpr double pixelsToTwips(int pixels)
{
    return double(pixels) * TwipsPerPixel;
}

} // namespace ondal
