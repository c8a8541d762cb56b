#pragma once

// The tide curve's plot laid out from a reading, and checked as the painter
// relies on it: the layout ends within its bounds, every coordinate is
// finite, no axis repeats a label, nothing lies outside the plot, and what
// the legend explains is drawn. Shared by the targets that read the
// worksheet's span and the tides of the day.

#include "FuzzText.h"

#include "core/tide/CurveLayout.h"
#include "core/tide/TideReading.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace ondal::fuzz {

namespace layout {

// A fixed measure, so a finding replays the same anywhere.
inline QSizeF measure(const QString &text)
{
    return {7.0 * double(text.size()), 17.0};
}

inline bool isFinite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

inline bool isFinite(const QRectF &r)
{
    return isFinite(r.topLeft()) && isFinite(r.bottomRight());
}

// Inside, give or take the rounding of the coordinates.
inline bool inside(const QRectF &box, const QRectF &outer)
{
    const qreal slack = 1e-6 * std::max({1.0, std::abs(outer.left()), std::abs(outer.right()),
                                         std::abs(outer.top()), std::abs(outer.bottom())});
    return box.left() >= outer.left() - slack && box.right() <= outer.right() + slack &&
           box.top() >= outer.top() - slack && box.bottom() <= outer.bottom() + slack;
}

inline std::string where(const FuzzText &in, const QRectF &target)
{
    return describe(in.text, in.locale) + " in " + std::to_string(target.width()) + "x" +
           std::to_string(target.height());
}

inline void checkAxis(const FuzzText &in, const QRectF &target, const QList<tide::AxisTick> &ticks)
{
    ONDAL_FUZZ_CHECK(ticks.size() <= tide::MaxAxisTicks, where(in, target));
    QSet<QString> seen;
    for (const tide::AxisTick &tick : ticks) {
        ONDAL_FUZZ_CHECK(!seen.contains(tick.text),
                         where(in, target) + " repeats a tick label " + tick.text.toStdString());
        seen.insert(tick.text);
        ONDAL_FUZZ_CHECK(std::isfinite(tick.at) && isFinite(tick.box), where(in, target));
        ONDAL_FUZZ_CHECK(inside(tick.box, target),
                         where(in, target) + " puts a tick label outside the plot");
    }
}

// Whether the reading says there is no time to pass, so nothing is shaded.
inline bool noPassage(const tide::TideReading &reading)
{
    if (!reading.neededHeight || !reading.overheadLimit)
        return false;
    if (tide::plotsDay(reading))
        return reading.day->passage && reading.day->passage->isEmpty();
    return reading.passage && reading.passage->kind == tide::Passage::Kind::None;
}

} // namespace layout

// Lays out the reading's plot in target and checks it.
inline void checkLayout(const FuzzText &in, const QRectF &target, const tide::TideReading &reading)
{
    using namespace tide;
    using namespace layout;
    using namespace Qt::StringLiterals;
    const CurveLayout plot = layOutTideCurve(target, reading, measure);
    if (!plot.plotted)
        return;
    ONDAL_FUZZ_CHECK(hasCurve(reading), where(in, target) + " plots no curve");
    ONDAL_FUZZ_CHECK(isFinite(plot.area) && inside(plot.area, target), where(in, target));
    checkAxis(in, target, plot.heightTicks);
    checkAxis(in, target, plot.timeTicks);
    ONDAL_FUZZ_CHECK(plot.curve.size() <= MaxCurveSamples + 1, where(in, target));
    for (const QPointF &p : plot.curve)
        ONDAL_FUZZ_CHECK(isFinite(p), where(in, target) + " gives a point off every scale");

    const bool day = plotsDay(reading);
    const qsizetype tides = day ? reading.day->curve->tides().size() : 2;
    ONDAL_FUZZ_CHECK(plot.tidePoints.size() == tides, where(in, target) + " loses a tide");
    for (const QPointF &p : plot.tidePoints)
        ONDAL_FUZZ_CHECK(isFinite(p) && inside(QRectF(p, QSizeF(0, 0)), plot.area),
                         where(in, target) + " puts a tide off the plot");
    ONDAL_FUZZ_CHECK(plot.straight.has_value() != day, where(in, target));

    for (const auto &[place, line] :
         {std::pair{plot.needed, plot.neededLine}, {plot.overhead, plot.overheadLine}}) {
        ONDAL_FUZZ_CHECK(isFinite(line.p1()) && isFinite(line.p2()), where(in, target));
        if (place != LevelPlace::None)
            ONDAL_FUZZ_CHECK(inside(QRectF(line.p1(), line.p2()).normalized(), plot.area),
                             where(in, target) + " draws a level line outside the plot");
    }
    ONDAL_FUZZ_CHECK((plot.overhead != LevelPlace::None) == reading.overheadLimit.has_value(),
                     where(in, target) + " loses the overhead limit");

    ONDAL_FUZZ_CHECK(plot.shades.size() <= (day ? MostDayTides : 1), where(in, target));
    for (const QList<QPointF> &shade : plot.shades) {
        ONDAL_FUZZ_CHECK(shade.size() <= MaxCurveSamples + 3, where(in, target));
        for (const QPointF &p : shade)
            ONDAL_FUZZ_CHECK(isFinite(p) && inside(QRectF(p, QSizeF(0, 0)), plot.area),
                             where(in, target) + " shades outside the plot");
    }
    if (noPassage(reading))
        ONDAL_FUZZ_CHECK(plot.shades.isEmpty(), where(in, target) + " shades no passage");
    const bool shadeInLegend =
        std::any_of(plot.legend.cbegin(), plot.legend.cend(),
                    [](const LegendEntry &e) { return e.kind == LegendEntry::Kind::Shade; });
    ONDAL_FUZZ_CHECK(!shadeInLegend || !plot.shades.isEmpty(),
                     where(in, target) + " explains a shading not drawn");

    for (qsizetype i = 0; i < plot.labels.size(); ++i) {
        const CurveLabel &label = plot.labels.at(i);
        ONDAL_FUZZ_CHECK(isFinite(label.box) && inside(label.box, plot.area),
                         where(in, target) + " puts " + label.text.toStdString() +
                             " outside the plot");
        const QString lower = label.text.toLower();
        ONDAL_FUZZ_CHECK(!lower.contains(u"inf"_s) && !lower.contains(u"nan"_s),
                         where(in, target) + " labels " + label.text.toStdString());
        // On the day a label with no clear place is left out.
        for (qsizetype j = 0; day && j < i; ++j)
            ONDAL_FUZZ_CHECK(!label.box.intersects(plot.labels.at(j).box),
                             where(in, target) + " lays " + label.text.toStdString() + " over " +
                                 plot.labels.at(j).text.toStdString());
    }
    for (const LegendEntry &entry : plot.legend)
        ONDAL_FUZZ_CHECK(inside(entry.textBox, target) && inside(entry.sample, target),
                         where(in, target));
}

} // namespace ondal::fuzz
