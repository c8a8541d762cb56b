#pragma once

#include "core/tide/DayTides.h"
#include "core/tide/TideCurve.h"

#include <QList>

#include <optional>

// The tide over a day of tides: the cosine curve on each rise and fall
// between neighbouring tides, joined at the tides, from the first to the
// last. Times are minutes on the day's axis (ClockZones.h), which may run
// past 48:00 over nine tides, heights metres. Every loop is bounded by the
// tides, at most nine.

namespace ondal::tide {

// A stretch of the day's axis where a window holds, rounded inward to the
// minute to the safe side: it opens on the minute after the tide reaches the
// level and closes on the minute before it leaves it. A stretch that holds
// already at the first tide given, or still at the last, is open there: the
// tides given say nothing of what came before or after.
struct DayStretch
{
    double from = 0.0;
    double until = 0.0;
    bool fromFirstTide = false; // open at the first tide: `from` is its time
    bool toLastTide = false;    // open at the last tide: `until` is its time

    friend bool operator==(const DayStretch &, const DayStretch &) = default;
};

class DayCurve
{
public:
    // The curve through the tides, in time order, high and low waters
    // alternating; none where any neighbouring pair is not one rise or fall
    // (refused as readDayTides() and placeOnClock() refuse them).
    static std::optional<DayCurve> through(const QList<DayTide> &tides);

    const QList<DayTide> &tides() const { return m_tides; }
    double start() const { return m_tides.first().time; }
    double end() const { return m_tides.last().time; }
    bool contains(double t) const { return t >= start() && t <= end(); }

    // The rise or fall t lies on, 0 for the first; at a tide, the one it
    // ends. Outside the curve, the nearer end's.
    int halfTideAt(double t) const;
    // The height by the cosine curve, and the factor (h − LW) / R on the rise
    // or fall t lies on; outside the curve, the nearer tide's.
    double height(double t) const;
    double factor(double t) const;

    // Where the tide stands at least (enough water) or at most (enough
    // overhead clearance) at the level, in time order. Stretches that meet
    // at a tide are one; a stretch of no length is none; a level that is
    // not a number is never met.
    QList<DayStretch> atLeast(double level) const;
    QList<DayStretch> atMost(double level) const;

private:
    // One rise or fall, as a TideSpan moved back by whole days (`shift`
    // minutes) so that its times lie within the span's own 48 hours.
    struct HalfTide
    {
        TideSpan span;
        double shift = 0.0;
    };

    DayCurve() = default;
    QList<DayStretch> stretches(bool atLeast, double level) const;

    QList<DayTide> m_tides;
    QList<HalfTide> m_halves;
};

// Where both hold, in time order: the passage between the water's stretches
// and the overhead's. A stretch of no length is no passage.
QList<DayStretch> bothHold(const QList<DayStretch> &a, const QList<DayStretch> &b);

} // namespace ondal::tide
