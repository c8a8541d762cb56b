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
// stretch, the lines, the points and their labels, the legend. The painter
// draws what this decides and nothing more; the text is measured by a
// function the caller supplies (the widget passes its font's metrics).
//
// Whatever the numbers, the work is bounded by counts: at most MaxAxisTicks
// ticks on an axis and MaxCurveSamples points on the curve, and every
// coordinate given is finite.

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
    // False where there is no span or no room for a readable plot: then the
    // target gets an empty frame with the hint in its middle.
    bool plotted = false;
    QRectF target;
    QRectF area;               // the plot inside the axes
    double t0 = 0.0, t1 = 1.0; // minutes across the area
    double h0 = 0.0, h1 = 1.0; // metres up the area
    qreal unit = 1.0;          // one pixel of a 96 dpi screen
    qreal dotRadius = 4.0;

    QList<AxisTick> heightTicks; // bottom to top, no two texts alike
    QList<AxisTick> timeTicks;   // left to right, no two texts alike
    QRectF unitBox;              // the "m" over the height labels

    QList<QPointF> curve; // the cosine curve from the span's start to its end
    // Closed, empty where none: where a passage is possible, between the
    // curve and the needed height; with only a needed height, where there is
    // enough water, likewise; with only an overhead limit, where there is
    // enough clearance, between the curve and the limit. The legend says
    // which.
    QList<QPointF> shade;
    QLineF straight; // low water to high water

    LevelPlace needed = LevelPlace::None;
    QLineF neededLine;
    LevelPlace overhead = LevelPlace::None; // the most the tide may stand
    QLineF overheadLine;

    std::optional<QLineF> requiredLine;
    QPointF highPoint;
    QPointF lowPoint;
    std::optional<QPointF> requiredPoint;

    QList<CurveLabel> labels; // clear of one another and of the points
    QList<LegendEntry> legend;
};

// Lays out the reading's plot in target. unit is the length of one pixel of
// a 96 dpi screen on the device (1 on a screen at that resolution).
CurveLayout layOutTideCurve(const QRectF &target, const TideReading &reading,
                            const TextMeasure &measure, qreal unit = 1.0);

// A height as the plot writes it: two decimals in the user's number format,
// or six significant digits where a height is too large for that.
QString plotHeightText(double metres);

} // namespace ondal::tide
