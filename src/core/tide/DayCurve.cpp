#include "core/tide/DayCurve.h"

#include "core/tide/Passage.h"

#include <algorithm>
#include <cmath>

namespace ondal::tide {

std::optional<DayCurve> DayCurve::through(const QList<DayTide> &tides)
{
    if (tides.size() < FewestDayTides || tides.size() > MostDayTides)
        return std::nullopt;
    DayCurve curve;
    curve.m_tides = tides;
    for (qsizetype i = 0; i + 1 < tides.size(); ++i) {
        const DayTide &a = tides.at(i);
        const DayTide &b = tides.at(i + 1);
        if (a.kind == b.kind || !(b.time > a.time) || !(b.time - a.time <= LongestSpan))
            return std::nullopt;
        // TideSpan knows 48 hours; the pair is moved back by whole days into
        // them, which keeps every time and every rounded minute exact.
        const double shift = std::floor(a.time / MinutesPerDay) * MinutesPerDay;
        const DayTide &high = a.isHighWater() ? a : b;
        const DayTide &low = a.isHighWater() ? b : a;
        const SpanOrRefusal made =
            spanBetween({high.time - shift, high.height}, {low.time - shift, low.height});
        if (!made.span || made.span->nextDay() != NextDay::Neither)
            return std::nullopt;
        curve.m_halves << HalfTide{*made.span, shift};
    }
    return curve;
}

int DayCurve::halfTideAt(double t) const
{
    const int last = static_cast<int>(m_halves.size()) - 1;
    for (int i = 0; i < last; ++i) {
        if (t <= m_tides.at(i + 1).time)
            return i;
    }
    return last;
}

double DayCurve::height(double t) const
{
    const HalfTide &half = m_halves.at(halfTideAt(t));
    return half.span.cosineHeight(t - half.shift);
}

double DayCurve::factor(double t) const
{
    const HalfTide &half = m_halves.at(halfTideAt(t));
    return half.span.factor(t - half.shift);
}

QList<DayStretch> DayCurve::atLeast(double level) const
{
    return stretches(true, level);
}

QList<DayStretch> DayCurve::atMost(double level) const
{
    return stretches(false, level);
}

QList<DayStretch> DayCurve::stretches(bool atLeast, double level) const
{
    QList<DayStretch> out;
    const qsizetype last = m_halves.size() - 1;
    bool lastEndsAtTide = false;
    for (qsizetype i = 0; i <= last; ++i) {
        const HalfTide &half = m_halves.at(i);
        const double a = m_tides.at(i).time;
        const double b = m_tides.at(i + 1).time;
        const TideWindow window =
            windowFor(half.span, level, atLeast ? Side::AtLeast : Side::AtMost);
        // Where the window holds on this rise or fall, and whether it holds
        // up to the tide at either end.
        double from = a;
        double until = b;
        bool startsAtTide = true;
        bool endsAtTide = true;
        switch (window.kind) {
        case TideWindow::Kind::Never:
            lastEndsAtTide = false;
            continue;
        case TideWindow::Kind::Throughout:
            break;
        case TideWindow::Kind::From:
            from = std::max(window.minute + half.shift, a);
            startsAtTide = false;
            break;
        case TideWindow::Kind::Until:
            until = std::min(window.minute + half.shift, b);
            endsAtTide = false;
            break;
        }
        if (!out.isEmpty() && lastEndsAtTide && startsAtTide && out.last().until == from)
            out.last().until = until;
        else
            out << DayStretch{from, until, startsAtTide && i == 0, false};
        out.last().toLastTide = endsAtTide && i == last;
        lastEndsAtTide = endsAtTide;
    }
    out.removeIf([](const DayStretch &s) { return !(s.from < s.until); });
    return out;
}

QList<DayStretch> bothHold(const QList<DayStretch> &a, const QList<DayStretch> &b)
{
    QList<DayStretch> out;
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const DayStretch &x = a.at(i);
        const DayStretch &y = b.at(j);
        const DayStretch both{std::max(x.from, y.from), std::min(x.until, y.until),
                              x.fromFirstTide && y.fromFirstTide, x.toLastTide && y.toLastTide};
        if (both.from < both.until)
            out << both;
        if (x.until < y.until)
            ++i;
        else
            ++j;
    }
    return out;
}

} // namespace ondal::tide
