#include "core/tide/CurveLayout.h"

#include "core/tide/LabelPlacer.h"

#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>

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
    return points(layout.curve) &&
           std::all_of(layout.shades.cbegin(), layout.shades.cend(), points) &&
           ticks(layout.heightTicks) && ticks(layout.timeTicks) &&
           (!layout.straight || line(*layout.straight)) && line(layout.neededLine) &&
           line(layout.overheadLine) && (!layout.requiredLine || line(*layout.requiredLine)) &&
           points(layout.tidePoints) &&
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

// A day's mark after a time the day plot writes: "+1" on the day after the
// first tide's, "−1" on the day before.
QString dayMark(double clockMinutes)
{
    const double days = std::floor(std::floor(clockMinutes + 0.5) / MinutesPerDay);
    if (!std::isfinite(days) || days == 0.0)
        return {};
    const int whole = static_cast<int>(std::clamp(days, -99.0, 99.0));
    return whole > 0 ? u"+%1"_s.arg(whole) : u"\u2212%1"_s.arg(-whole);
}

// What a plot shows, from the single span or from the day; the Builder lays
// out either the same way.
struct Plotted
{
    std::function<double(double)> height; // by the cosine curve, at a time on the axis
    QList<DayTide> tides;                 // in time order: two on a single span, up to nine
    DayClock clock;                       // the single span's shows its own minutes
    bool isDay = false;                   // day marks on the times, crowded labels left out
    bool straight = false;                // the worksheet's straight line between the tides
    std::optional<double> needed;         // the levels, where finite
    std::optional<double> overhead;
    // Where each holds, as the windows' lines give them; none where not
    // worked out.
    std::optional<QList<Stretch>> water;
    std::optional<QList<Stretch>> clearance;
    std::optional<QList<Stretch>> passage;
    std::optional<Tide> required; // the required time and its height by the cosine curve

    double start() const { return tides.first().time; }
    double end() const { return tides.last().time; }
};

std::optional<double> finite(const std::optional<double> &v)
{
    return v && std::isfinite(*v) ? v : std::nullopt;
}

std::optional<QList<Stretch>> stretchesOf(const std::optional<QList<DayStretch>> &day)
{
    if (!day)
        return std::nullopt;
    QList<Stretch> out;
    for (const DayStretch &s : *day)
        out << Stretch{s.from, s.until};
    return out;
}

std::optional<QList<Stretch>> stretchesOf(const TideSpan &span,
                                          const std::optional<TideWindow> &window)
{
    if (!window)
        return std::nullopt;
    QList<Stretch> out;
    if (const std::optional<Stretch> s = stretchOf(span, *window))
        out << *s;
    return out;
}

// The day's tides where they are given, else the worksheet's span; nothing
// where the one followed gives no curve.
std::optional<Plotted> plottedOf(const TideReading &reading)
{
    Plotted p;
    p.needed = finite(reading.neededHeight);
    p.overhead = finite(reading.overheadLimit);
    if (plotsDay(reading)) {
        const DayReading &day = *reading.day;
        if (!day.curve || day.curve->tides().size() < FewestDayTides)
            return std::nullopt;
        const DayCurve &curve = *day.curve;
        p.height = [&curve](double t) { return curve.height(t); };
        p.tides = curve.tides();
        p.clock = day.clock;
        p.isDay = true;
        p.water = stretchesOf(day.water);
        p.clearance = stretchesOf(day.overhead);
        p.passage = stretchesOf(day.passage);
        if (day.required)
            p.required = Tide{day.required->time, day.required->height};
        return p;
    }
    if (!reading.span)
        return std::nullopt;
    const TideSpan &span = *reading.span;
    p.height = [&span](double t) { return span.cosineHeight(t); };
    const DayTide high{
        DayTide::Kind::HighWater, span.highWater().time, span.highWater().height, {}};
    const DayTide low{DayTide::Kind::LowWater, span.lowWater().time, span.lowWater().height, {}};
    p.tides = span.isRising() ? QList<DayTide>{low, high} : QList<DayTide>{high, low};
    p.straight = true;
    p.water = stretchesOf(span, reading.window);
    p.clearance = stretchesOf(span, reading.overheadWindow);
    if (reading.passage) {
        p.passage = QList<Stretch>();
        if (reading.passage->kind != Passage::Kind::None)
            p.passage->append(reading.passage->stretch);
    }
    if (reading.required)
        p.required = Tide{reading.required->time, reading.required->cosineHeight};
    return p;
}

// Lays out one reading's plot, a step at a time; each step fills its part
// of the layout and reads only what the steps before it decided.
class Builder
{
public:
    Builder(CurveLayout &out, const Plotted &plotted, const TextMeasure &measure)
        : out(out), p(plotted), measure(measure), u(out.unit), gap(4 * out.unit),
          needed(plotted.needed), overhead(plotted.overhead),
          timeSample(plotted.isDay ? u"00:00+1"_s : u"00:00"_s)
    {
        lowest = highest = p.tides.first().height;
        for (const DayTide &tide : p.tides) {
            lowest = std::min(lowest, tide.height);
            highest = std::max(highest, tide.height);
        }
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
    QPointF pointAt(double t) const { return {x(t), y(p.height(t))}; }
    // A level near the tide widens the scale; further off it is drawn at
    // the plot's edge.
    bool isNear(const std::optional<double> &level) const
    {
        const double range = highest - lowest;
        return level && *level >= lowest - range && *level <= highest + range;
    }
    // A time on the clock as the axis and the labels write it.
    QString clockLabel(double clockMinutes) const
    {
        return p.isDay ? clockText(clockMinutes) + dayMark(clockMinutes) : clockText(clockMinutes);
    }
    QString timeLabel(double t) const { return clockLabel(p.clock.clockMinutes(t)); }
    QList<QPointF> curveFrom(double from, double to) const;
    void shadeEach(const QList<Stretch> &stretches, qreal level);

    CurveLayout &out;
    const Plotted &p;
    const TextMeasure &measure;
    const qreal u;
    const qreal gap;
    const std::optional<double> needed;
    const std::optional<double> overhead;
    const QString timeSample; // the widest time the axis writes
    double lowest = 0;
    double highest = 0;
    qreal lineHeight = 0;
    double heightStep = 0;
    QList<qreal> heightLabelWidths;
};

// Heights: the tides and the near levels, from a round number just below
// the lowest of them (chart datum where the lowest tide lies near it), with
// room above; times: the first tide to the last with a little room either
// side.
bool Builder::scales()
{
    lineHeight = measure(u"0"_s).height();
    if (!std::isfinite(lineHeight) || !(lineHeight > 0))
        return false;
    double lo = lowest;
    double hi = highest;
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
    const double duration = p.end() - p.start();
    out.t0 = p.start() - duration * 0.04;
    out.t1 = p.end() + duration * 0.04;
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
    const qreal timeLabelWidth = measure(timeSample).width();
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
// hours on a span too long for those. A single span's steps run from 10
// minutes; the day's are whole hours. The ticks are where the clock shows
// their times: on a day the clock goes forward the hour it skips has none,
// and an hour it shows twice is ticked where it shows it first.
void Builder::timeAxis()
{
    static constexpr double SpanSteps[] = {10, 15, 20, 30, 60, 120, 180, 240, 360, 720};
    static constexpr double DaySteps[] = {60, 120, 180, 240, 360, 720};
    const std::span<const double> steps =
        p.isDay ? std::span<const double>(DaySteps) : std::span<const double>(SpanSteps);
    const double length = out.t1 - out.t0;
    const qreal timeLabelWidth = measure(timeSample).width();
    double timeStep = 0.0;
    for (const double step : steps) {
        if (length / step * timeLabelWidth * 1.8 <= out.area.width()) {
            timeStep = step;
            break;
        }
    }
    if (timeStep == 0.0)
        timeStep = std::max(720.0, niceStep(length / MaxAxisTicks));

    // What the clock shows across the area, widened by its changes.
    double lo = p.clock.clockMinutes(out.t0);
    double hi = p.clock.clockMinutes(out.t1);
    for (const ClockChange &change : p.clock.changes()) {
        lo -= std::abs(change.by);
        hi += std::abs(change.by);
    }
    const double slack = 1e-9 * timeStep;
    for (AxisTick tick : ticksOf(lo, hi, timeStep, [&](double m) { return clockLabel(m); })) {
        const QList<double> shown = p.clock.axisTimes(tick.value);
        const auto first = std::find_if(shown.cbegin(), shown.cend(), [&](double t) {
            return t >= out.t0 - slack && t <= out.t1 + slack;
        });
        if (first == shown.cend())
            continue;
        tick.value = *first;
        tick.at = x(tick.value);
        const qreal width = measure(tick.text).width();
        tick.box = fittedInto(
            QRectF(tick.at - width / 2, out.area.bottom() + gap, width, lineHeight), out.target);
        if (out.timeTicks.isEmpty() || !out.timeTicks.last().box.intersects(tick.box))
            out.timeTicks << tick;
    }
}

// The cosine curve between two times, about one point every 2 pixels and
// through every tide between them, never more than MaxCurveSamples + 1
// points.
QList<QPointF> Builder::curveFrom(double from, double to) const
{
    QList<double> turns;
    for (const DayTide &tide : p.tides) {
        if (tide.time > from && tide.time < to)
            turns << tide.time;
    }
    const double most = double(MaxCurveSamples - turns.size());
    const double pixels = std::abs(x(to) - x(from)) / (2 * u);
    const int samples =
        static_cast<int>(std::isfinite(pixels) ? std::clamp(pixels, 16.0, most) : 16.0);
    QList<QPointF> points;
    points.reserve(samples + 1 + turns.size());
    auto turn = turns.cbegin();
    for (int i = 0; i <= samples; ++i) {
        const double t = from + (to - from) * i / samples;
        for (; turn != turns.cend() && *turn <= t; ++turn) {
            if (*turn < t)
                points << pointAt(*turn);
        }
        points << pointAt(t);
    }
    return points;
}

void Builder::curveAndPoints()
{
    out.curve = curveFrom(p.start(), p.end());
    for (const DayTide &tide : p.tides)
        out.tidePoints << QPointF(x(tide.time), y(tide.height));
    if (p.straight) {
        // Low water to high water.
        const QLineF line(out.tidePoints.first(), out.tidePoints.last());
        out.straight = p.tides.first().isHighWater() ? QLineF(line.p2(), line.p1()) : line;
    }
    if (p.required) {
        const double time = p.required->time;
        const double height = p.required->height;
        if (std::isfinite(time) && std::isfinite(height) && time >= out.t0 && time <= out.t1 &&
            height >= out.h0 && height <= out.h1) {
            out.requiredLine = QLineF(x(time), out.area.top(), x(time), out.area.bottom());
            out.requiredPoint = QPointF(x(time), y(height));
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
                              : (*level > highest ? LevelPlace::AbovePlot : LevelPlace::BelowPlot);
        const qreal at = place == LevelPlace::OnScale     ? y(*level)
                         : place == LevelPlace::AbovePlot ? out.area.top()
                                                          : out.area.bottom();
        line = QLineF(out.area.left(), at, out.area.right(), at);
    };
    levelLine(needed, out.needed, out.neededLine);
    levelLine(overhead, out.overhead, out.overheadLine);
}

// Between the curve and a level line over each stretch, within the tides,
// where the stretch has length.
void Builder::shadeEach(const QList<Stretch> &stretches, qreal level)
{
    for (const Stretch &stretch : stretches) {
        if (!std::isfinite(stretch.from) || !std::isfinite(stretch.until))
            continue;
        const double from = std::clamp(stretch.from, p.start(), p.end());
        const double to = std::clamp(stretch.until, p.start(), p.end());
        if (to > from) {
            QList<QPointF> shade = curveFrom(from, to);
            shade << QPointF(x(to), level) << QPointF(x(from), level);
            out.shades << shade;
        }
    }
}

// Where the ship can pass, on the windows' own minutes as their lines give
// them; returns what the shading means, for the legend.
QString Builder::shading()
{
    if (p.passage && needed && overhead) {
        // Both asked for: only where the passage is possible, on the water
        // above the needed height.
        shadeEach(*p.passage, out.neededLine.y1());
        return u"passage possible"_s;
    }
    if (needed) {
        if (p.water)
            shadeEach(*p.water, out.neededLine.y1());
        return u"enough water"_s;
    }
    if (overhead && p.clearance) {
        // Only the overhead limit: the room between the tide and the limit,
        // where the tide stands low enough.
        shadeEach(*p.clearance, out.overheadLine.y1());
        return u"enough overhead clearance"_s;
    }
    return QString();
}

// The labels, each clear of the points and of those placed before it: the
// levels' at the end where the curve is lower, then the highest and the
// lowest tide's, the required time's, and the other tides' in time order.
// On the day a label with no clear place near its point is left out.
void Builder::labels()
{
    LabelPlacer placer(out.area, out.curve, gap);
    const qreal dotClear = out.dotRadius + 2 * u;
    const auto dotBox = [&](const QPointF &at) {
        return QRectF(at - QPointF(dotClear, dotClear), QSizeF(2 * dotClear, 2 * dotClear));
    };
    for (const QPointF &at : std::as_const(out.tidePoints))
        placer.keepClearOf(dotBox(at));
    if (out.requiredPoint)
        placer.keepClearOf(dotBox(*out.requiredPoint));
    enum class Scan { Along, Grid };
    const auto label = [&](CurveLabel::Role role, const QString &text, const QPointF &anchor,
                           std::initializer_list<QPointF> offsets, Scan scan) {
        const QSizeF size(measure(text).width() + 4 * u, lineHeight);
        if (!p.isDay) {
            const QList<QRectF> boxes =
                scan == Scan::Along ? placer.along(size, anchor.y()) : placer.grid(size);
            out.labels << CurveLabel{role, text, placer.place(size, anchor, offsets, boxes)};
            return;
        }
        // Many points: a label far from its own would be read as another's.
        const QList<QRectF> boxes =
            scan == Scan::Along ? placer.along(size, anchor.y()) : QList<QRectF>();
        if (const std::optional<QRectF> box = placer.placeIfClear(size, anchor, offsets, boxes))
            out.labels << CurveLabel{role, text, *box};
    };
    const bool lowerAtLeft = p.tides.first().height <= p.tides.last().height;
    const auto levelLabel = [&](CurveLabel::Role role, const QString &name,
                                const std::optional<double> &level, LevelPlace place,
                                const QLineF &line) {
        const QString value = plotHeightText(level.value_or(0.0));
        const QPointF end(lowerAtLeft ? out.area.left() : out.area.right(), line.y1());
        const qreal in = lowerAtLeft ? 1 : -1;
        switch (place) {
        case LevelPlace::OnScale:
            label(role, u"%1 %2 m"_s.arg(name, value), end,
                  {{in, -1}, {in, 1}, {3 * in, -1}, {3 * in, 1}}, Scan::Along);
            break;
        case LevelPlace::AbovePlot:
            label(role, u"↑ %1 %2 m (above the plot)"_s.arg(name, value), end, {{in, 1}},
                  Scan::Along);
            break;
        case LevelPlace::BelowPlot:
            label(role, u"↓ %1 %2 m (below the plot)"_s.arg(name, value), end, {{in, -1}},
                  Scan::Along);
            break;
        case LevelPlace::None:
            break;
        }
    };
    levelLabel(CurveLabel::Role::Needed, u"Needed"_s, needed, out.needed, out.neededLine);
    levelLabel(CurveLabel::Role::Overhead, u"Overhead limit"_s, overhead, out.overhead,
               out.overheadLine);

    const auto tideLabel = [&](qsizetype i) {
        const DayTide &tide = p.tides.at(i);
        const QString text = u"%1 %2 · %3 m"_s.arg(tideKindText(tide.kind), timeLabel(tide.time),
                                                   plotHeightText(tide.height));
        if (tide.isHighWater())
            label(CurveLabel::Role::HighWater, text, out.tidePoints.at(i),
                  {{0, -1}, {0, 1}, {1, -1}, {-1, -1}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}},
                  Scan::Grid);
        else
            label(CurveLabel::Role::LowWater, text, out.tidePoints.at(i),
                  {{0, 1}, {0, -1}, {1, 1}, {-1, 1}, {1, 0}, {-1, 0}, {1, -1}, {-1, -1}},
                  Scan::Grid);
    };
    const auto byHeight = [&](const DayTide &a, const DayTide &b) { return a.height < b.height; };
    const qsizetype highestAt =
        std::max_element(p.tides.cbegin(), p.tides.cend(), byHeight) - p.tides.cbegin();
    const qsizetype lowestAt =
        std::min_element(p.tides.cbegin(), p.tides.cend(), byHeight) - p.tides.cbegin();
    tideLabel(highestAt);
    tideLabel(lowestAt);
    if (out.requiredPoint) {
        label(CurveLabel::Role::Required,
              u"%1 · %2 m"_s.arg(timeLabel(p.required->time), plotHeightText(p.required->height)),
              *out.requiredPoint,
              {{1, 0}, {-1, 0}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {0, -1}, {0, 1}}, Scan::Grid);
    }
    for (qsizetype i = 0; i < p.tides.size(); ++i) {
        if (i != highestAt && i != lowestAt)
            tideLabel(i);
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
    if (out.straight)
        entry(LegendEntry::Kind::Straight, u"straight line"_s);
    if (!out.shades.isEmpty())
        entry(LegendEntry::Kind::Shade, shadeMeaning);
    if (out.overhead != LevelPlace::None)
        entry(LegendEntry::Kind::Overhead, u"overhead limit"_s);
}

} // namespace

bool plotsDay(const TideReading &reading)
{
    return reading.day && (reading.day->curve || !reading.day->lines.isEmpty());
}

bool hasCurve(const TideReading &reading)
{
    return plotsDay(reading) ? reading.day->curve.has_value() : reading.span.has_value();
}

QString plotTimeText(const DayClock &clock, double t)
{
    const double minutes = clock.clockMinutes(t);
    return clockText(minutes) + dayMark(minutes);
}

CurveLayout layOutTideCurve(const QRectF &target, const TideReading &reading,
                            const TextMeasure &measure, qreal unit)
{
    CurveLayout out;
    out.target = target;
    out.unit = std::isfinite(unit) ? std::clamp(unit, 0.01, 100.0) : 1.0;
    out.dotRadius = 4 * out.unit;
    const std::optional<Plotted> plotted = plottedOf(reading);
    if (!plotted || !isFinite(target) || !(target.width() > 0) || !(target.height() > 0))
        return out;

    Builder build(out, *plotted, measure);
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
