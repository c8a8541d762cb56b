#include "core/tide/CurveLayout.h"

#include "core/tide/LabelPlacer.h"

#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

// From here on a height no longer fits two decimals in a label.
constexpr double LargeHeight = 1e9;
// Height labels have two decimals: a finer step would repeat them.
constexpr double SmallestHeightStep = 0.01;
// The scale keeps chart datum in view while the low water lies this close
// to it, as a share of the heights drawn; further up it starts just below.
constexpr double NearDatum = 0.5;

bool isFinite(const QRectF &r)
{
    return std::isfinite(r.left()) && std::isfinite(r.top()) && std::isfinite(r.right()) &&
           std::isfinite(r.bottom()) && std::isfinite(r.width()) && std::isfinite(r.height());
}

bool isFinite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

bool allFinite(const CurveLayout &layout)
{
    const auto points = [](const QList<QPointF> &list) {
        return std::all_of(list.cbegin(), list.cend(),
                           [](const QPointF &p) { return isFinite(p); });
    };
    const auto ticks = [](const QList<AxisTick> &list) {
        return std::all_of(list.cbegin(), list.cend(), [](const AxisTick &t) {
            return std::isfinite(t.at) && isFinite(t.box);
        });
    };
    const auto line = [](const QLineF &l) { return isFinite(l.p1()) && isFinite(l.p2()); };
    return points(layout.curve) && points(layout.shade) && ticks(layout.heightTicks) &&
           ticks(layout.timeTicks) && line(layout.straight) && line(layout.neededLine) &&
           line(layout.overheadLine) && (!layout.requiredLine || line(*layout.requiredLine)) &&
           isFinite(layout.highPoint) && isFinite(layout.lowPoint) &&
           (!layout.requiredPoint || isFinite(*layout.requiredPoint)) &&
           std::all_of(layout.labels.cbegin(), layout.labels.cend(),
                       [](const CurveLabel &l) { return isFinite(l.box); });
}

// A step of 1, 2 or 5 times a power of ten, at least raw (0 where raw is too
// small to write as one).
double niceStep(double raw)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * magnitude >= raw)
            return m * magnitude;
    }
    return 10.0 * magnitude;
}

// The multiples of step from `from` to `to`, at most MaxAxisTicks of them,
// counted first and each worked out from its index, so a step lost in the
// values' precision cannot stall the walk. A tick whose text repeats an
// earlier one is left out.
template <typename TextOf>
QList<AxisTick> ticksOf(double from, double to, double step, TextOf textOf)
{
    QList<AxisTick> ticks;
    const double first = std::ceil(from / step - 1e-9);
    const double last = std::floor(to / step + 1e-9);
    if (!std::isfinite(first) || !std::isfinite(last) || last < first)
        return ticks;
    const int count = static_cast<int>(std::min(last - first + 1.0, double(MaxAxisTicks)));
    QSet<QString> seen;
    for (int i = 0; i < count; ++i) {
        AxisTick tick;
        tick.value = (first + i) * step;
        tick.text = textOf(tick.value);
        if (seen.contains(tick.text))
            continue;
        seen.insert(tick.text);
        ticks << tick;
    }
    return ticks;
}

} // namespace

QString plotHeightText(double metres)
{
    if (!std::isfinite(metres))
        return u"--"_s;
    if (std::abs(metres) < LargeHeight)
        return heightText(metres);
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(metres, 'g', 6);
}

namespace {

// Lays out one reading's plot, a step at a time; each step fills its part
// of the layout and reads only what the steps before it decided.
class Builder
{
public:
    Builder(CurveLayout &out, const TideReading &reading, const TextMeasure &measure)
        : out(out), span(*reading.span), reading(reading), measure(measure), u(out.unit),
          gap(4 * out.unit)
    {
        const auto finite = [](const std::optional<double> &v) -> std::optional<double> {
            return v && std::isfinite(*v) ? v : std::nullopt;
        };
        needed = finite(reading.neededHeight);
        overhead = finite(reading.overheadLimit);
    }

    bool scales();
    bool heightAxis();
    void timeAxis();
    void curveAndPoints();
    void levelLines();
    QString shading();
    void labels();
    void legend(const QString &shadeMeaning);

private:
    qreal x(double minutes) const
    {
        return out.area.left() + (minutes - out.t0) / (out.t1 - out.t0) * out.area.width();
    }
    qreal y(double metres) const
    {
        return out.area.bottom() - (metres - out.h0) / (out.h1 - out.h0) * out.area.height();
    }
    // A level near the tide widens the scale; further off it is drawn at
    // the plot's edge.
    bool isNear(const std::optional<double> &level) const
    {
        const double range = span.range();
        return level && *level >= span.lowWater().height - range &&
               *level <= span.highWater().height + range;
    }
    QList<QPointF> curveFrom(double from, double to) const;
    void shadeBetween(const Stretch &stretch, qreal level);

    CurveLayout &out;
    const TideSpan &span;
    const TideReading &reading;
    const TextMeasure &measure;
    const qreal u;
    const qreal gap;
    std::optional<double> needed;
    std::optional<double> overhead;
    qreal lineHeight = 0;
    double heightStep = 0;
    QList<qreal> heightLabelWidths;
};

// Heights: the two tides and the near levels, from a round number just
// below the lowest of them (chart datum where the low water lies near it),
// with room above; times: the span with a little room either side.
bool Builder::scales()
{
    lineHeight = measure(u"0"_s).height();
    if (!std::isfinite(lineHeight) || !(lineHeight > 0))
        return false;
    double lo = span.lowWater().height;
    double hi = span.highWater().height;
    for (const std::optional<double> &level : {needed, overhead}) {
        if (isNear(level)) {
            lo = std::min(lo, *level);
            hi = std::max(hi, *level);
        }
    }
    const bool keepDatum = lo >= 0.0 && lo <= NearDatum * (hi - lo);
    const double pad = (hi - lo) * 0.1;
    out.h0 = keepDatum ? 0.0 : lo - pad;
    out.h1 = hi + 1.5 * pad;
    out.t0 = span.start() - span.duration() * 0.04;
    out.t1 = span.end() + span.duration() * 0.04;
    if (!std::isfinite(out.h1 - out.h0) || !(out.h1 > out.h0) || !std::isfinite(out.t1 - out.t0) ||
        !(out.t1 > out.t0))
        return false;
    const double heightParts = std::clamp(out.target.height() / (3 * lineHeight), 2.0, 12.0);
    heightStep = std::max(SmallestHeightStep, niceStep((out.h1 - out.h0) / heightParts));
    const double roundBelow = std::floor(out.h0 / heightStep) * heightStep;
    if (std::isfinite(roundBelow))
        out.h0 = roundBelow;
    return out.h1 > out.h0;
}

// The heights' ticks first: their labels' width sets the area's left, and
// the area the rest.
bool Builder::heightAxis()
{
    out.heightTicks = ticksOf(out.h0, out.h1, heightStep, plotHeightText);
    const qreal unitWidth = measure(u"m"_s).width();
    qreal labelWidth = unitWidth;
    for (const AxisTick &tick : std::as_const(out.heightTicks)) {
        heightLabelWidths << measure(tick.text).width();
        labelWidth = std::max(labelWidth, heightLabelWidths.last());
    }
    const qreal timeLabelWidth = measure(u"00:00"_s).width();
    out.area = out.target.adjusted(labelWidth + 3 * gap, lineHeight + 3 * gap,
                                   -(timeLabelWidth / 2 + 2 * gap), -(2 * lineHeight + 5 * gap));
    const QRectF &area = out.area;
    if (!isFinite(area) || !(area.width() >= 40 * u) || !(area.height() >= 30 * u))
        return false;

    out.unitBox =
        QRectF(area.left() - 2 * gap - unitWidth, out.target.top(), unitWidth, lineHeight);
    QList<AxisTick> ticks;
    for (qsizetype i = 0; i < out.heightTicks.size(); ++i) {
        AxisTick tick = out.heightTicks.at(i);
        const qreal width = heightLabelWidths.at(i);
        tick.at = y(tick.value);
        tick.box =
            QRectF(area.left() - 2 * gap - width, tick.at - lineHeight / 2, width, lineHeight);
        if (!tick.box.intersects(out.unitBox))
            ticks << tick;
    }
    out.heightTicks = ticks;
    return true;
}

// Times: the finest step whose labels have room, then whole multiples of 12
// hours on a span too long for those.
void Builder::timeAxis()
{
    constexpr double TimeSteps[] = {10, 15, 20, 30, 60, 120, 180, 240, 360, 720};
    const double length = out.t1 - out.t0;
    const qreal timeLabelWidth = measure(u"00:00"_s).width();
    double timeStep = 0.0;
    for (const double step : TimeSteps) {
        if (length / step * timeLabelWidth * 1.8 <= out.area.width()) {
            timeStep = step;
            break;
        }
    }
    if (timeStep == 0.0)
        timeStep = std::max(720.0, niceStep(length / MaxAxisTicks));
    for (AxisTick tick : ticksOf(out.t0, out.t1, timeStep, clockText)) {
        tick.at = x(tick.value);
        const qreal width = measure(tick.text).width();
        tick.box = fittedInto(
            QRectF(tick.at - width / 2, out.area.bottom() + gap, width, lineHeight), out.target);
        if (out.timeTicks.isEmpty() || !out.timeTicks.last().box.intersects(tick.box))
            out.timeTicks << tick;
    }
}

// The cosine curve between two times, about one point every 2 pixels and
// never more than MaxCurveSamples.
QList<QPointF> Builder::curveFrom(double from, double to) const
{
    const double pixels = std::abs(x(to) - x(from)) / (2 * u);
    const int samples = static_cast<int>(
        std::isfinite(pixels) ? std::clamp(pixels, 16.0, double(MaxCurveSamples)) : 16.0);
    QList<QPointF> points;
    points.reserve(samples + 1);
    for (int i = 0; i <= samples; ++i) {
        const double t = from + (to - from) * i / samples;
        points << QPointF(x(t), y(span.cosineHeight(t)));
    }
    return points;
}

void Builder::curveAndPoints()
{
    const Tide high = span.highWater();
    const Tide low = span.lowWater();
    out.curve = curveFrom(span.start(), span.end());
    out.straight = QLineF(x(low.time), y(low.height), x(high.time), y(high.height));
    out.highPoint = QPointF(x(high.time), y(high.height));
    out.lowPoint = QPointF(x(low.time), y(low.height));
    if (reading.required) {
        const RequiredTide &r = *reading.required;
        if (std::isfinite(r.time) && std::isfinite(r.cosineHeight) && r.time >= out.t0 &&
            r.time <= out.t1 && r.cosineHeight >= out.h0 && r.cosineHeight <= out.h1) {
            out.requiredLine = QLineF(x(r.time), out.area.top(), x(r.time), out.area.bottom());
            out.requiredPoint = QPointF(x(r.time), y(r.cosineHeight));
        }
    }
}

// The level lines across the plot, at its edge where they lie far off.
void Builder::levelLines()
{
    const auto levelLine = [&](const std::optional<double> &level, LevelPlace &place,
                               QLineF &line) {
        if (!level)
            return;
        place = isNear(level) ? LevelPlace::OnScale
                              : (*level > span.highWater().height ? LevelPlace::AbovePlot
                                                                  : LevelPlace::BelowPlot);
        const qreal at = place == LevelPlace::OnScale     ? y(*level)
                         : place == LevelPlace::AbovePlot ? out.area.top()
                                                          : out.area.bottom();
        line = QLineF(out.area.left(), at, out.area.right(), at);
    };
    levelLine(needed, out.needed, out.neededLine);
    levelLine(overhead, out.overhead, out.overheadLine);
}

// Between the curve and a level line over a stretch of the span, only where
// the stretch has length.
void Builder::shadeBetween(const Stretch &stretch, qreal level)
{
    if (!std::isfinite(stretch.from) || !std::isfinite(stretch.until))
        return;
    const double from = std::clamp(stretch.from, span.start(), span.end());
    const double to = std::clamp(stretch.until, span.start(), span.end());
    if (to > from) {
        out.shade = curveFrom(from, to);
        out.shade << QPointF(x(to), level) << QPointF(x(from), level);
    }
}

// Where the ship can pass, on the windows' own minutes as their lines give
// them; returns what the shading means, for the legend.
QString Builder::shading()
{
    if (reading.passage && needed && overhead) {
        // Both asked for: only where the passage is possible, on the water
        // above the needed height.
        if (reading.passage->kind != Passage::Kind::None)
            shadeBetween(reading.passage->stretch, out.neededLine.y1());
        return u"passage possible"_s;
    }
    if (needed) {
        if (reading.window) {
            if (const std::optional<Stretch> stretch = stretchOf(span, *reading.window))
                shadeBetween(*stretch, out.neededLine.y1());
        }
        return u"enough water"_s;
    }
    if (overhead && reading.overheadWindow) {
        // Only the overhead limit: the room between the tide and the limit,
        // where the tide stands low enough.
        if (const std::optional<Stretch> stretch = stretchOf(span, *reading.overheadWindow))
            shadeBetween(*stretch, out.overheadLine.y1());
        return u"enough overhead clearance"_s;
    }
    return QString();
}

// The labels, each clear of the points and of those placed before it: the
// levels' at the end where the curve is lower, then the tides', then the
// required time's.
void Builder::labels()
{
    LabelPlacer placer(out.area, out.curve, gap);
    const qreal dotClear = out.dotRadius + 2 * u;
    const auto dotBox = [&](const QPointF &p) {
        return QRectF(p - QPointF(dotClear, dotClear), QSizeF(2 * dotClear, 2 * dotClear));
    };
    placer.keepClearOf(dotBox(out.highPoint));
    placer.keepClearOf(dotBox(out.lowPoint));
    if (out.requiredPoint)
        placer.keepClearOf(dotBox(*out.requiredPoint));
    const auto label = [&](CurveLabel::Role role, const QString &text, const QPointF &anchor,
                           std::initializer_list<QPointF> offsets, bool alongLine) {
        const QSizeF size(measure(text).width() + 4 * u, lineHeight);
        const QList<QRectF> scan = alongLine ? placer.along(size, anchor.y()) : placer.grid(size);
        out.labels << CurveLabel{role, text, placer.place(size, anchor, offsets, scan)};
    };
    const auto levelLabel = [&](CurveLabel::Role role, const QString &name,
                                const std::optional<double> &level, LevelPlace place,
                                const QLineF &line) {
        const QString value = plotHeightText(level.value_or(0.0));
        const QPointF end(span.isRising() ? out.area.left() : out.area.right(), line.y1());
        const qreal in = span.isRising() ? 1 : -1;
        switch (place) {
        case LevelPlace::OnScale:
            label(role, u"%1 %2 m"_s.arg(name, value), end,
                  {{in, -1}, {in, 1}, {3 * in, -1}, {3 * in, 1}}, true);
            break;
        case LevelPlace::AbovePlot:
            label(role, u"↑ %1 %2 m (above the plot)"_s.arg(name, value), end, {{in, 1}}, true);
            break;
        case LevelPlace::BelowPlot:
            label(role, u"↓ %1 %2 m (below the plot)"_s.arg(name, value), end, {{in, -1}}, true);
            break;
        case LevelPlace::None:
            break;
        }
    };
    levelLabel(CurveLabel::Role::Needed, u"Needed"_s, needed, out.needed, out.neededLine);
    levelLabel(CurveLabel::Role::Overhead, u"Overhead limit"_s, overhead, out.overhead,
               out.overheadLine);
    const auto tideText = [](const QString &name, const Tide &tide) {
        return u"%1 %2 · %3 m"_s.arg(name, clockText(tide.time), plotHeightText(tide.height));
    };
    label(CurveLabel::Role::HighWater, tideText(u"HW"_s, span.highWater()), out.highPoint,
          {{0, -1}, {0, 1}, {1, -1}, {-1, -1}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}}, false);
    label(CurveLabel::Role::LowWater, tideText(u"LW"_s, span.lowWater()), out.lowPoint,
          {{0, 1}, {0, -1}, {1, 1}, {-1, 1}, {1, 0}, {-1, 0}, {1, -1}, {-1, -1}}, false);
    if (out.requiredPoint) {
        const RequiredTide &r = *reading.required;
        label(CurveLabel::Role::Required,
              u"%1 · %2 m"_s.arg(clockText(r.time), plotHeightText(r.cosineHeight)),
              *out.requiredPoint,
              {{1, 0}, {-1, 0}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {0, -1}, {0, 1}}, false);
    }
}

// The legend under the time axis, as much of it as the width takes.
void Builder::legend(const QString &shadeMeaning)
{
    const qreal legendTop = out.area.bottom() + 2 * gap + lineHeight;
    const qreal sample = 24 * u;
    qreal left = out.area.left();
    const auto entry = [&](LegendEntry::Kind kind, const QString &text) {
        const qreal width = measure(text).width();
        if (left + sample + gap + width > out.target.right())
            return;
        const qreal middle = legendTop + lineHeight / 2;
        const QRectF sampleBox(left, middle - 5 * u, sample, 10 * u);
        left += sample + gap;
        out.legend << LegendEntry{kind, sampleBox, QRectF(left, legendTop, width, lineHeight),
                                  text};
        left += width + 4 * gap;
    };
    entry(LegendEntry::Kind::Curve, u"cosine curve"_s);
    entry(LegendEntry::Kind::Straight, u"straight line"_s);
    if (!out.shade.isEmpty())
        entry(LegendEntry::Kind::Shade, shadeMeaning);
    if (out.overhead != LevelPlace::None)
        entry(LegendEntry::Kind::Overhead, u"overhead limit"_s);
}

} // namespace

CurveLayout layOutTideCurve(const QRectF &target, const TideReading &reading,
                            const TextMeasure &measure, qreal unit)
{
    CurveLayout out;
    out.target = target;
    out.unit = std::isfinite(unit) ? std::clamp(unit, 0.01, 100.0) : 1.0;
    out.dotRadius = 4 * out.unit;
    if (!reading.span || !isFinite(target) || !(target.width() > 0) || !(target.height() > 0))
        return out;

    Builder build(out, reading, measure);
    if (!build.scales() || !build.heightAxis())
        return out;
    build.timeAxis();
    build.curveAndPoints();
    build.levelLines();
    const QString shadeMeaning = build.shading();
    build.labels();
    build.legend(shadeMeaning);

    // A point the model gives off every scale (a height that overflows on
    // the way) leaves the plot empty rather than drawn wrong.
    if (!allFinite(out)) {
        CurveLayout empty;
        empty.target = target;
        empty.unit = out.unit;
        return empty;
    }
    out.plotted = true;
    return out;
}

} // namespace ondal::tide
