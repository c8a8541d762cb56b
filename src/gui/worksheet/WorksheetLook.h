#pragma once

#include <QColor>

class QPalette;

namespace ondal::worksheet {

// The worksheet's colours, worked out from the palette of the user's colour
// scheme, light or dark:
// - desktop: Highlight taken darker, the ground of the read-out fields;
// - active title bar: Highlight itself, the ground of Text22 and Text23;
// - highlighted text: HighlightedText, the read-outs' text;
// - menu bar: Button, the ground of Label25.
// Text colours are nudged towards black or white only where they would
// otherwise be hard to read on their ground.
struct WorksheetColours
{
    QColor readOutBase;
    QColor readOutText;
    QColor largeReadOutBase;
    QColor largeReadOutText;
    QColor stepLabelText; // desktop colour on the window's ground
    QColor menuLabelBase; // Label25's ground
    QColor menuLabelText; // desktop colour on that ground
};

WorksheetColours worksheetColours(const QPalette &palette);

// The contrast ratio of two colours, 1 (none) to 21 (black on white), from
// their relative luminance.
double contrastRatio(const QColor &a, const QColor &b);

// Text to read on the background: the text colour itself when it is readable
// there, else the nearest shade towards black or white that is.
QColor readableOn(const QColor &text, const QColor &background, double minimumRatio);

} // namespace ondal::worksheet
