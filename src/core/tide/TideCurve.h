#pragma once

#include <QString>

#include <optional>

// The tide between one high water and one low water, by the cosine curve:
//
//     h(t) = LW + R · (1 + cos(π·τ/D)) / 2
//
// where R is the range (HW height − LW height), D the duration (the time
// between the two tides) and τ the time from high water, 0 ≤ τ ≤ D, on
// either limb. Times are minutes as the worksheet reads them (hours × 60 +
// minutes; 28:06 is 1686), heights metres. Nothing here throws.

namespace ondal::tide {

inline constexpr double MinutesPerDay = 1440.0;

// What can be a tide. Each limit lies far beyond anything on Earth, yet keeps
// every sum, scale and text made from the values small and exact: nothing
// downstream ever sees a height of 1e308 or a time of 1e10 hours.
//
// A high or low water's height, and a drying height, in metres either side
// of chart datum: the greatest range known is about 16 m (Bay of Fundy).
inline constexpr double HeightLimit = 100.0;
// A worksheet time in minutes, from 00:00 up to 48:00: the hours may run past
// 24 for a tide on the next day (28:06), never past the end of that day.
inline constexpr double LatestTime = 2.0 * MinutesPerDay;
// The two tides of one rise or fall lie at most 12 hours apart, once the
// earlier has been taken on the next day where needed.
inline constexpr double LongestSpan = MinutesPerDay / 2.0;
// A charted sounding in metres: the deepest ocean is about 10 994 m.
inline constexpr double DeepestSounding = 11000.0;
// A ship's draught and its under-keel clearance in metres, from 0 up: the
// deepest laden ships draw about 30 m.
inline constexpr double DraughtLimit = 100.0;
inline constexpr double ClearanceLimit = 100.0;

// Whether a value lies within its limits; a value that is not a number never does.
inline bool isTideHeight(double metres)
{
    return metres >= -HeightLimit && metres <= HeightLimit;
}
inline bool isWorksheetTime(double minutes)
{
    return minutes >= 0.0 && minutes <= LatestTime;
}

// A crossing time rounded inward to a whole minute, always to the safe side:
// a window that opens at `crossing` opens on the minute after it, one that
// closes at `crossing` closes on the minute before. A crossing computed as
// 650.0000000000001 for 650 still gives 10:50: the nudge lies far below
// anything a tide could make of it.
double openingMinute(double crossing);
double closingMinute(double crossing);

// A high or a low water: when and how high.
struct Tide
{
    double time = 0.0;   // minutes
    double height = 0.0; // metres
};

// The tide that was moved a day on, so that the two lie within 12 hours.
enum class NextDay { Neither, HighWater, LowWater };

// When the tide stands on the wanted side of a level between the two tides:
// at least a needed height of water, or at most an overhead limit.
struct TideWindow
{
    enum class Kind {
        From,       // enough from `minute` until the span's end
        Until,      // enough from the span's start until `minute`
        Throughout, // enough on the whole span
        Never,      // enough at no time on the span
    };

    Kind kind = Kind::Never;
    // From and Until only, both on the span's time scale (not taken modulo a
    // day): the moment the tide passes the level, and that moment rounded
    // inward to a whole minute, always to the safe side (From up, Until
    // down).
    double crossing = 0.0;
    double minute = 0.0;
};

// Which side of a level is enough: at least a needed height of water under
// the keel, at most the overhead limit under a bridge.
enum class Side { AtLeast, AtMost };

struct SpanOrRefusal;

// One span from high to low water or from low to high water; a cheap value.
class TideSpan
{
public:
    Tide highWater() const { return m_high; } // with its time as placed on the span
    Tide lowWater() const { return m_low; }
    double start() const { return isRising() ? m_low.time : m_high.time; }
    double end() const { return isRising() ? m_high.time : m_low.time; }
    double duration() const { return end() - start(); }           // D, above 0
    double range() const { return m_high.height - m_low.height; } // R, above 0
    bool isRising() const { return m_low.time < m_high.time; }    // low water first
    NextDay nextDay() const { return m_nextDay; }

    bool contains(double t) const { return t >= start() && t <= end(); }
    // A clock time moved by whole days to the day that puts it nearest the
    // middle of the span. It may still lie outside the span.
    double placed(double clockTime) const;

    // Heights at time t on the span. Outside it they give the nearer tide's
    // height: ask contains() before quoting one.
    double cosineHeight(double t) const;
    double factor(double t) const;         // (h − LW) / R by the cosine curve, 0 to 1
    double straightHeight(double t) const; // LW + R · (D − τ) / D

    // When the tide stands at the given height on the span, by the cosine
    // curve; none where it stays above it (h ≤ LW) or never reaches it
    // (h ≥ HW).
    std::optional<double> timeOfHeight(double height) const;

private:
    friend SpanOrRefusal spanBetween(Tide highWater, Tide lowWater);
    TideSpan(Tide high, Tide low, NextDay nextDay) : m_high(high), m_low(low), m_nextDay(nextDay) {}

    double timeFromHighWater(double t) const; // τ, kept within 0..D

    Tide m_high;
    Tide m_low;
    NextDay m_nextDay;
};

// A span, or the reason in words why the two tides give none.
struct SpanOrRefusal
{
    std::optional<TideSpan> span;
    QString refusal;
};

// Works out the span between the two tides; either may come first. Where the
// two times lie more than 12 hours apart the earlier is taken a day (1440
// minutes) later, once; times of 24 hours and more are taken as they are.
// Refuses a height or time beyond its limits above, tides still more than 12
// hours apart, a range of zero or less and a duration of zero.
SpanOrRefusal spanBetween(Tide highWater, Tide lowWater);

// When the tide stands at least (or at most) at the level, above chart
// datum, by the cosine curve. At least: From on a rising tide, Until on a
// falling one; at most the mirror image. Throughout where the whole span is
// on the wanted side, Never where none of it is or the level is not a
// number.
TideWindow windowFor(const TideSpan &span, double level, Side side);

// A window as a line: "Enough water from 10:50", "Enough overhead clearance
// until 10:49", "… throughout", "Not enough water between these tides".
QString windowText(const TideWindow &window, QStringView what);

} // namespace ondal::tide
