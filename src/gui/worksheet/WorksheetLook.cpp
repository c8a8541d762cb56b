#include "gui/worksheet/WorksheetLook.h"

#include <QPalette>

#include <cmath>

namespace ondal::worksheet {
namespace {

// Contrast the read-out texts keep on their ground.
constexpr double TextContrast = 4.5;
// Selection colours are the scheme designer's own pair; accept them as they
// are down to the ratio large text needs.
constexpr double SelectionContrast = 3.0;

double channel(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

QColor mixed(const QColor &from, const QColor &to, double share)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * share),
                            float(a.greenF() + (b.greenF() - a.greenF()) * share),
                            float(a.blueF() + (b.blueF() - a.blueF()) * share));
}

// How far apart two colours look, as the largest difference of a channel.
int difference(const QColor &a, const QColor &b)
{
    const QColor x = a.toRgb();
    const QColor y = b.toRgb();
    return std::max({std::abs(x.red() - y.red()), std::abs(x.green() - y.green()),
                     std::abs(x.blue() - y.blue())});
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &text, const QColor &background, double minimumRatio)
{
    if (contrastRatio(text, background) >= minimumRatio)
        return text;
    // Whichever end of the scale is further from the background.
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor target =
        contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
    for (int step = 1; step <= 10; ++step) {
        const QColor candidate = mixed(text, target, step / 10.0);
        if (contrastRatio(candidate, background) >= minimumRatio)
            return candidate;
    }
    return target;
}

WorksheetColours worksheetColours(const QPalette &palette)
{
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor highlightedText = palette.color(QPalette::Active, QPalette::HighlightedText);
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    const QColor menu = palette.color(QPalette::Active, QPalette::Button);

    // The desktop colour sits well apart from the title-bar colour and from
    // the entry fields' ground; a scheme whose highlight is already nearly
    // as dark as its fields gets a paler shade instead.
    QColor desktop = highlight.darker(160);
    if (difference(desktop, base) < 64)
        desktop = mixed(highlight, QColor(Qt::white), 0.4);

    WorksheetColours colours;
    colours.readOutBase = desktop;
    colours.readOutText = readableOn(highlightedText, desktop, TextContrast);
    colours.largeReadOutBase = highlight;
    colours.largeReadOutText = readableOn(highlightedText, highlight, SelectionContrast);
    colours.stepLabelText = readableOn(desktop, window, TextContrast);
    colours.menuLabelBase = menu;
    colours.menuLabelText = readableOn(desktop, menu, TextContrast);
    return colours;
}

} // namespace ondal::worksheet
