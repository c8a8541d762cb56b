#pragma once

#include "core/tide/TideReading.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

// Where everything of the tide curve's plot goes, worked out without a
// widget: the scales and their labels, the curve as points, the shaded
// stretches, the lines, the points and their labels, the legend. The painter
// draws what this decides and nothing more; the text is measured by a
// function the caller supplies (the widget passes its font's metrics).
//
// The plot is of one span, the worksheet's high and low water, or, where the
// tides of the day are given, of the whole day: the curve through every tide
// on true elapsed time, its axis ticked on the whole hours of the ship's
// clock, and every window of the day shaded.
//
// Whatever the numbers, the work is bounded by counts: at most MaxAxisTicks
// ticks on an axis and MaxCurveSamples points on the curve, at most nine
// tides, and every coordinate given is finite.

namespace ondal::tide {

inline constexpr int MaxAxisTicks = 40;
inline constexpr int MaxCurveSamples = 400;

// A text's advance and line height, in the target's units.
using TextMeasure = std::function<QSizeF(const QString &text)>;

struct AxisTick
{
    double value = 0.0; // metres or minutes
    qreal at = 0.0;     // y of a height, x of a time
    QString text;
    QRectF box; // the text's box, beside the axis
};

struct CurveLabel
{
    enum class Role { Needed, Overhead, HighWater, LowWater, Required };
    Role role = Role::HighWater;
    QString text;
    QRectF box; // with its margin, the ground it is written on
};

struct LegendEntry
{
    enum class Kind { Curve, Straight, Shade, Overhead };
    Kind kind = Kind::Curve;
    QRectF sample; // where the line or the shading is shown
    QRectF textBox;
    QString text;
};

// Where a level line (the needed height, the overhead limit) is drawn: on
// the scale, or at the plot's top or bottom edge because it lies far beyond
// the tide.
enum class LevelPlace { None, OnScale, AbovePlot, BelowPlot };

struct CurveLayout
{
    // False where there is no curve or no room for a readable plot: then the
    // target gets an empty frame with the hint in its middle.
    bool plotted = false;
    QRectF target;
    QRectF area;               // the plot inside the axes
    double t0 = 0.0, t1 = 1.0; // minutes across the area: the span's, or the day's axis
    double h0 = 0.0, h1 = 1.0; // metres up the area
    qreal unit = 1.0;          // one pixel of a 96 dpi screen
    qreal dotRadius = 4.0;

    QList<AxisTick> heightTicks; // bottom to top, no two texts alike
    QList<AxisTick> timeTicks;   // left to right, no two texts alike
    QRectF unitBox;              // the "m" over the height labels

    // The cosine curve from the first tide to the last, through every tide.
    QList<QPointF> curve;
    // Closed polygons in time order, none where nothing holds: where a
    // passage is possible, between the curve and the needed height; with
    // only a needed height, where there is enough water, likewise; with only
    // an overhead limit, where there is enough clearance, between the curve
    // and the limit. The legend says which. One at most on a single span.
    QList<QList<QPointF>> shades;
    std::optional<QLineF> straight; // low water to high water: on a single span only

    LevelPlace needed = LevelPlace::None;
    QLineF neededLine;
    LevelPlace overhead = LevelPlace::None; // the most the tide may stand
    QLineF overheadLine;

    std::optional<QLineF> requiredLine;
    QList<QPointF> tidePoints; // every tide's point, in time order
    std::optional<QPointF> requiredPoint;

    // Clear of the points and, on the day, of one another: there a label
    // with no clear place is left out, in this order of keeping: the level
    // lines', the highest and the lowest tide's, the required time's, then
    // the other tides' in time order.
    QList<CurveLabel> labels;
    QList<LegendEntry> legend;
};

// Whether the plot follows the tides of the day: where they are given (the
// day has a curve, or lines saying why it has none), the worksheet's span is
// not drawn.
bool plotsDay(const TideReading &reading);
// Whether the reading gives a curve to plot: the day's, or the span's.
bool hasCurve(const TideReading &reading);

// Lays out the reading's plot in target. unit is the length of one pixel of
// a 96 dpi screen on the device (1 on a screen at that resolution).
CurveLayout layOutTideCurve(const QRectF &target, const TideReading &reading,
                            const TextMeasure &measure, qreal unit = 1.0);

// A time as the day's plot writes it, on the ship's clock, with the days
// after the first tide's as "+1" and the day before it as "−1": "02:28+1".
QString plotTimeText(const DayClock &clock, double t);

// A height as the plot writes it: two decimals in the user's number format,
// or six significant digits where a height is too large for that.
QString plotHeightText(double metres);

} // namespace ondal::tide
