#include "core/tide/CurveLayout.h"

#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace ondal::tide {
namespace {

// From here on a height no longer fits two decimals in a label.
constexpr double LargeHeight = 1e9;
// Height labels have two decimals: a finer step would repeat them.
constexpr double SmallestHeightStep = 0.01;
// Where no preferred place is clear, a label tries this many places more.
constexpr int ScanColumns = 12;
constexpr int ScanRows = 10;

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

// A box moved inside the area where it would stick out.
QRectF fitted(QRectF box, const QRectF &area)
{
    if (box.right() > area.right())
        box.moveRight(area.right());
    if (box.left() < area.left())
        box.moveLeft(area.left());
    if (box.bottom() > area.bottom())
        box.moveBottom(area.bottom());
    if (box.top() < area.top())
        box.moveTop(area.top());
    return box;
}

// Whether the segment a–b passes through the box (Liang–Barsky).
bool crosses(const QPointF &a, const QPointF &b, const QRectF &box)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    double enter = 0.0;
    double leave = 1.0;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave)
            return false;
    }
    return true;
}

// Puts labels where they keep clear of the points, of the curve and of one
// another: the first preferred place that is clear of all, else the clear
// place nearest the anchor among a bounded scan of the area, else the first
// place clear of the points and labels at least.
class LabelPlacer
{
public:
    LabelPlacer(const QRectF &area, const QList<QPointF> &curve, qreal gap)
        : m_area(area), m_curve(curve), m_gap(gap)
    {}

    void keepClearOf(const QRectF &box) { m_taken << box; }

    QRectF place(const QSizeF &size, const QPointF &anchor, std::initializer_list<QPointF> offsets,
                 const QList<QRectF> &scan)
    {
        QList<QRectF> preferred;
        for (const QPointF &offset : offsets) {
            // Offsets in half the label's size, plus a gap, from the anchor.
            const QPointF centre = anchor + QPointF(offset.x() * (size.width() / 2 + 2 * m_gap),
                                                    offset.y() * (size.height() / 2 + m_gap));
            preferred << fitted(QRectF(centre - QPointF(size.width(), size.height()) / 2, size),
                                m_area);
        }
        QList<QRectF> others = scan;
        const auto distance = [&](const QRectF &r) {
            const QPointF d = r.center() - anchor;
            return d.x() * d.x() + d.y() * d.y();
        };
        std::stable_sort(others.begin(), others.end(), [&](const QRectF &a, const QRectF &b) {
            return distance(a) < distance(b);
        });

        std::optional<QRectF> chosen;
        for (const QList<QRectF> *list : {&preferred, &others}) {
            for (const QRectF &box : *list) {
                if (isClear(box) && !meetsCurve(box)) {
                    chosen = box;
                    break;
                }
            }
            if (chosen)
                break;
        }
        for (const QList<QRectF> *list : {&preferred, &others}) {
            for (const QRectF &box : *list) {
                if (!chosen && isClear(box))
                    chosen = box;
            }
        }
        const QRectF box =
            chosen ? *chosen : preferred.value(0, fitted(QRectF(anchor, size), m_area));
        m_taken << box;
        return box;
    }

    // Boxes of the given size spread over the area, for place()'s scan.
    QList<QRectF> grid(const QSizeF &size) const
    {
        QList<QRectF> boxes;
        for (int row = 0; row < ScanRows; ++row) {
            for (int column = 0; column < ScanColumns; ++column) {
                const qreal x =
                    m_area.left() + (m_area.width() - size.width()) * column / (ScanColumns - 1);
                const qreal y =
                    m_area.top() + (m_area.height() - size.height()) * row / (ScanRows - 1);
                boxes << fitted(QRectF(QPointF(x, y), size), m_area);
            }
        }
        return boxes;
    }

    // Boxes of the given size just above and below a level line.
    QList<QRectF> along(const QSizeF &size, qreal y) const
    {
        QList<QRectF> boxes;
        for (int column = 0; column < ScanColumns; ++column) {
            const qreal x =
                m_area.left() + (m_area.width() - size.width()) * column / (ScanColumns - 1);
            for (const qreal top : {y - m_gap - size.height(), y + m_gap})
                boxes << fitted(QRectF(QPointF(x, top), size), m_area);
        }
        return boxes;
    }

private:
    bool isClear(const QRectF &box) const
    {
        return std::none_of(m_taken.cbegin(), m_taken.cend(),
                            [&](const QRectF &r) { return r.intersects(box); });
    }

    // The curve's points run left to right: only the segments under the box
    // are looked at.
    bool meetsCurve(const QRectF &box) const
    {
        if (m_curve.size() < 2)
            return false;
        auto it = std::lower_bound(m_curve.cbegin(), m_curve.cend(), box.left(),
                                   [](const QPointF &p, qreal x) { return p.x() < x; });
        if (it != m_curve.cbegin())
            --it;
        for (; it + 1 != m_curve.cend() && it->x() <= box.right(); ++it) {
            if (crosses(*it, *(it + 1), box))
                return true;
        }
        return false;
    }

    QRectF m_area;
    const QList<QPointF> &m_curve;
    qreal m_gap;
    QList<QRectF> m_taken;
};

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

CurveLayout layOutTideCurve(const QRectF &target, const TideReading &reading,
                            const TextMeasure &measure, qreal unit)
{
    CurveLayout out;
    out.target = target;
    out.unit = std::isfinite(unit) ? std::clamp(unit, 0.01, 100.0) : 1.0;
    const qreal u = out.unit;
    const qreal gap = 4 * u;
    out.dotRadius = 4 * u;
    if (!reading.span || !isFinite(target) || !(target.width() > 0) || !(target.height() > 0))
        return out;
    const qreal lineHeight = measure(u"0"_s).height();
    if (!std::isfinite(lineHeight) || !(lineHeight > 0))
        return out;

    const TideSpan &span = *reading.span;
    const Tide high = span.highWater();
    const Tide low = span.lowWater();
    const double range = span.range();

    // The needed height and the overhead limit widen the scale where they
    // lie near the tide; further off they are drawn at the plot's edge.
    const auto finite = [](const std::optional<double> &v) -> std::optional<double> {
        return v && std::isfinite(*v) ? v : std::nullopt;
    };
    const std::optional<double> needed = finite(reading.neededHeight);
    const std::optional<double> overhead = finite(reading.overheadLimit);
    const auto isNear = [&](const std::optional<double> &level) {
        return level && *level >= low.height - range && *level <= high.height + range;
    };

    // Heights: the two tides and the near levels, with chart datum in view
    // unless the tide lies far above it.
    double lo = low.height;
    double hi = high.height;
    for (const std::optional<double> &level : {needed, overhead}) {
        if (isNear(level)) {
            lo = std::min(lo, *level);
            hi = std::max(hi, *level);
        }
    }
    if (lo > 0.0 && lo <= 2.0 * range)
        lo = 0.0;
    const double pad = (hi - lo) * 0.1;
    out.h0 = lo == 0.0 ? 0.0 : lo - pad;
    out.h1 = hi + 1.5 * pad;
    out.t0 = span.start() - span.duration() * 0.04;
    out.t1 = span.end() + span.duration() * 0.04;
    if (!std::isfinite(out.h1 - out.h0) || !(out.h1 > out.h0) || !std::isfinite(out.t1 - out.t0) ||
        !(out.t1 > out.t0))
        return out;

    // The heights' ticks first: their labels' width sets the area's left.
    const double heightParts = std::clamp(target.height() / (3 * lineHeight), 2.0, 12.0);
    const double heightStep =
        std::max(SmallestHeightStep, niceStep((out.h1 - out.h0) / heightParts));
    out.heightTicks = ticksOf(out.h0, out.h1, heightStep, plotHeightText);
    const qreal unitWidth = measure(u"m"_s).width();
    qreal labelWidth = unitWidth;
    QList<qreal> widths;
    for (const AxisTick &tick : std::as_const(out.heightTicks)) {
        widths << measure(tick.text).width();
        labelWidth = std::max(labelWidth, widths.last());
    }
    const qreal timeLabelWidth = measure(u"00:00"_s).width();
    out.area = target.adjusted(labelWidth + 3 * gap, lineHeight + 3 * gap,
                               -(timeLabelWidth / 2 + 2 * gap), -(2 * lineHeight + 5 * gap));
    const QRectF &area = out.area;
    if (!isFinite(area) || !(area.width() >= 40 * u) || !(area.height() >= 30 * u))
        return out;

    const double t0 = out.t0;
    const double t1 = out.t1;
    const double h0 = out.h0;
    const double h1 = out.h1;
    const auto x = [&](double minutes) {
        return area.left() + (minutes - t0) / (t1 - t0) * area.width();
    };
    const auto y = [&](double metres) {
        return area.bottom() - (metres - h0) / (h1 - h0) * area.height();
    };

    out.unitBox = QRectF(area.left() - 2 * gap - unitWidth, target.top(), unitWidth, lineHeight);
    QList<AxisTick> heightTicks;
    for (qsizetype i = 0; i < out.heightTicks.size(); ++i) {
        AxisTick tick = out.heightTicks.at(i);
        tick.at = y(tick.value);
        tick.box = QRectF(area.left() - 2 * gap - widths.at(i), tick.at - lineHeight / 2,
                          widths.at(i), lineHeight);
        if (!tick.box.intersects(out.unitBox))
            heightTicks << tick;
    }
    out.heightTicks = heightTicks;

    // Times: the finest step whose labels have room, then whole multiples
    // of 12 hours on a span too long for those.
    constexpr double TimeSteps[] = {10, 15, 20, 30, 60, 120, 180, 240, 360, 720};
    double timeStep = 0.0;
    for (const double step : TimeSteps) {
        if ((t1 - t0) / step * timeLabelWidth * 1.8 <= area.width()) {
            timeStep = step;
            break;
        }
    }
    if (timeStep == 0.0)
        timeStep = std::max(720.0, niceStep((t1 - t0) / MaxAxisTicks));
    const QList<AxisTick> times = ticksOf(t0, t1, timeStep, clockText);
    for (AxisTick tick : times) {
        tick.at = x(tick.value);
        const qreal width = measure(tick.text).width();
        tick.box =
            fitted(QRectF(tick.at - width / 2, area.bottom() + gap, width, lineHeight), target);
        if (out.timeTicks.isEmpty() || !out.timeTicks.last().box.intersects(tick.box))
            out.timeTicks << tick;
    }

    // The curve, about one point every 2 pixels and never more than
    // MaxCurveSamples.
    const auto curveFrom = [&](double from, double to) {
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
    };
    out.curve = curveFrom(span.start(), span.end());
    out.straight = QLineF(x(low.time), y(low.height), x(high.time), y(high.height));
    out.highPoint = QPointF(x(high.time), y(high.height));
    out.lowPoint = QPointF(x(low.time), y(low.height));

    // The level lines across the plot, at its edge where they lie far off.
    const auto levelLine = [&](const std::optional<double> &level, LevelPlace &place,
                               QLineF &line) {
        if (!level)
            return;
        place = isNear(level) ? LevelPlace::OnScale
                              : (*level > hi ? LevelPlace::AbovePlot : LevelPlace::BelowPlot);
        const qreal at = place == LevelPlace::OnScale     ? y(*level)
                         : place == LevelPlace::AbovePlot ? area.top()
                                                          : area.bottom();
        line = QLineF(area.left(), at, area.right(), at);
    };
    levelLine(needed, out.needed, out.neededLine);
    levelLine(overhead, out.overhead, out.overheadLine);

    // The shading: between the curve and a level line over a stretch of the
    // span, only where the stretch has length.
    const auto shadeBetween = [&](const Stretch &stretch, qreal level) {
        if (!std::isfinite(stretch.from) || !std::isfinite(stretch.until))
            return;
        const double from = std::clamp(stretch.from, span.start(), span.end());
        const double to = std::clamp(stretch.until, span.start(), span.end());
        if (to > from) {
            out.shade = curveFrom(from, to);
            out.shade << QPointF(x(to), level) << QPointF(x(from), level);
        }
    };
    QString shadeMeaning;
    if (reading.passage && needed && overhead) {
        // Both asked for: only where the passage is possible, on the water
        // above the needed height.
        if (reading.passage->kind != Passage::Kind::None)
            shadeBetween(reading.passage->stretch, out.neededLine.y1());
        shadeMeaning = u"passage possible"_s;
    } else if (needed) {
        const qreal level = out.neededLine.y1();
        shadeMeaning = u"enough water"_s;
        // On the window's own minutes, as its line gives them.
        if (reading.window) {
            if (const std::optional<Stretch> stretch = stretchOf(span, *reading.window))
                shadeBetween(*stretch, level);
        }
    } else if (overhead && reading.overheadWindow) {
        // Only the overhead limit: the room between the tide and the limit,
        // where the tide stands low enough.
        shadeMeaning = u"enough overhead clearance"_s;
        if (const std::optional<Stretch> stretch = stretchOf(span, *reading.overheadWindow))
            shadeBetween(*stretch, out.overheadLine.y1());
    }

    if (reading.required) {
        const RequiredTide &r = *reading.required;
        if (std::isfinite(r.time) && std::isfinite(r.cosineHeight) && r.time >= t0 &&
            r.time <= t1 && r.cosineHeight >= h0 && r.cosineHeight <= h1) {
            out.requiredLine = QLineF(x(r.time), area.top(), x(r.time), area.bottom());
            out.requiredPoint = QPointF(x(r.time), y(r.cosineHeight));
        }
    }

    // The labels, each clear of the points and of those placed before it.
    LabelPlacer placer(area, out.curve, gap);
    const qreal dotClear = out.dotRadius + 2 * u;
    const auto dotBox = [&](const QPointF &p) {
        return QRectF(p - QPointF(dotClear, dotClear), QSizeF(2 * dotClear, 2 * dotClear));
    };
    placer.keepClearOf(dotBox(out.highPoint));
    placer.keepClearOf(dotBox(out.lowPoint));
    if (out.requiredPoint)
        placer.keepClearOf(dotBox(*out.requiredPoint));
    const auto sizeOf = [&](const QString &text) {
        return QSizeF(measure(text).width() + 4 * u, lineHeight);
    };
    const auto label = [&](CurveLabel::Role role, const QString &text, const QPointF &anchor,
                           std::initializer_list<QPointF> offsets, bool alongLine) {
        const QSizeF size = sizeOf(text);
        const QList<QRectF> scan = alongLine ? placer.along(size, anchor.y()) : placer.grid(size);
        out.labels << CurveLabel{role, text, placer.place(size, anchor, offsets, scan)};
    };
    // A level's label at the end where the curve is lower, clear of it.
    const auto levelLabel = [&](CurveLabel::Role role, const QString &name,
                                const std::optional<double> &level, LevelPlace place,
                                const QLineF &line) {
        const QString value = plotHeightText(level.value_or(0.0));
        const QPointF end(span.isRising() ? area.left() : area.right(), line.y1());
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
    label(CurveLabel::Role::HighWater, tideText(u"HW"_s, high), out.highPoint,
          {{0, -1}, {0, 1}, {1, -1}, {-1, -1}, {1, 0}, {-1, 0}, {1, 1}, {-1, 1}}, false);
    label(CurveLabel::Role::LowWater, tideText(u"LW"_s, low), out.lowPoint,
          {{0, 1}, {0, -1}, {1, 1}, {-1, 1}, {1, 0}, {-1, 0}, {1, -1}, {-1, -1}}, false);
    if (out.requiredPoint) {
        const RequiredTide &r = *reading.required;
        label(CurveLabel::Role::Required,
              u"%1 · %2 m"_s.arg(clockText(r.time), plotHeightText(r.cosineHeight)),
              *out.requiredPoint,
              {{1, 0}, {-1, 0}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}, {0, -1}, {0, 1}}, false);
    }

    // The legend under the time axis, as much of it as the width takes.
    const qreal legendTop = area.bottom() + 2 * gap + lineHeight;
    const qreal sample = 24 * u;
    qreal left = area.left();
    const auto legend = [&](LegendEntry::Kind kind, const QString &text) {
        const qreal width = measure(text).width();
        if (left + sample + gap + width > target.right())
            return;
        const qreal middle = legendTop + lineHeight / 2;
        const QRectF sampleBox(left, middle - 5 * u, sample, 10 * u);
        left += sample + gap;
        out.legend << LegendEntry{kind, sampleBox, QRectF(left, legendTop, width, lineHeight),
                                  text};
        left += width + 4 * gap;
    };
    legend(LegendEntry::Kind::Curve, u"cosine curve"_s);
    legend(LegendEntry::Kind::Straight, u"straight line"_s);
    if (!out.shade.isEmpty())
        legend(LegendEntry::Kind::Shade, shadeMeaning);
    if (out.overhead != LevelPlace::None)
        legend(LegendEntry::Kind::Overhead, u"overhead limit"_s);

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
