#pragma once

#include "core/runtime/LineText.h"
#include "core/runtime/TableTime.h"
#include "core/runtime/ValueReader.h"
#include "core/tide/DayTides.h"
#include "core/tide/TideCurve.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ondal::ports {

// A secondary port's table row and name, every value as the user typed it.
struct PortTable
{
    QString name;
    QString standardPort;
    QString hwTime1, hwDiff1, hwTime2, hwDiff2;
    QString lwTime1, lwDiff1, lwTime2, lwDiff2;
    QString mhws, mhwn, mlwn, mlws;
    QString mhwsDiff, mhwnDiff, mlwnDiff, mlwsDiff;
    QString seasonalStandard, seasonalSecondary;

    friend bool operator==(const PortTable &, const PortTable &) = default;
};

// The table's values by the name of the field that holds each, the key it is
// kept under in the list of ports and what it holds, in the order a printed
// row reads: the standard port, the times, the heights, the seasonal changes.
// The port's name is kept apart.
struct PortValue
{
    const char16_t *objectName;
    const char16_t *key;
    const char16_t *accessibleName;
    QString PortTable::*member;
};
inline constexpr PortValue PortValues[] = {
    {u"txtStandardPort", u"standardPort", u"Standard port", &PortTable::standardPort},
    {u"txtHwTime1", u"hwTime1", u"High water, first table time", &PortTable::hwTime1},
    {u"txtHwDiff1", u"hwDiff1", u"High water, difference at the first table time",
     &PortTable::hwDiff1},
    {u"txtHwTime2", u"hwTime2", u"High water, second table time", &PortTable::hwTime2},
    {u"txtHwDiff2", u"hwDiff2", u"High water, difference at the second table time",
     &PortTable::hwDiff2},
    {u"txtLwTime1", u"lwTime1", u"Low water, first table time", &PortTable::lwTime1},
    {u"txtLwDiff1", u"lwDiff1", u"Low water, difference at the first table time",
     &PortTable::lwDiff1},
    {u"txtLwTime2", u"lwTime2", u"Low water, second table time", &PortTable::lwTime2},
    {u"txtLwDiff2", u"lwDiff2", u"Low water, difference at the second table time",
     &PortTable::lwDiff2},
    {u"txtMhws", u"mhws", u"MHWS at the standard port", &PortTable::mhws},
    {u"txtMhwn", u"mhwn", u"MHWN at the standard port", &PortTable::mhwn},
    {u"txtMlwn", u"mlwn", u"MLWN at the standard port", &PortTable::mlwn},
    {u"txtMlws", u"mlws", u"MLWS at the standard port", &PortTable::mlws},
    {u"txtMhwsDiff", u"mhwsDiff", u"MHWS difference", &PortTable::mhwsDiff},
    {u"txtMhwnDiff", u"mhwnDiff", u"MHWN difference", &PortTable::mhwnDiff},
    {u"txtMlwnDiff", u"mlwnDiff", u"MLWN difference", &PortTable::mlwnDiff},
    {u"txtMlwsDiff", u"mlwsDiff", u"MLWS difference", &PortTable::mlwsDiff},
    {u"txtSeasonalStandard", u"seasonalStandard", u"Seasonal change at the standard port",
     &PortTable::seasonalStandard},
    {u"txtSeasonalSecondary", u"seasonalSecondary", u"Seasonal change at the secondary port",
     &PortTable::seasonalSecondary},
};

// The standard port's predicted high and low water for the day, as typed.
// Either tide may be left out (time and height both blank).
struct StandardTides
{
    QString hwTime, hwHeight;
    QString lwTime, lwHeight;
};

// One high or low water at the secondary port, worked out.
struct SecondaryTide
{
    // Minutes from the day's midnight: 0 to 1439, or from 1440 on where the
    // tide is the next day's, paired with the other within 12 hours.
    int standardTime = 0;
    double standardHeight = 0.0;
    double exactTimeDifference = 0.0; // minutes, before rounding
    int timeDifference = 0;           // minutes, rounded halves away from zero
    int time = 0;                     // minutes from the day's midnight; may leave the day
    int dayOffset = 0;                // -1 the previous day, 0 the same, +1 the next
    double heightDifference = 0.0;    // metres, the seasonal changes left out
    double height = 0.0;              // metres, unrounded
    // The table's arc the standard time lies on, as clock times near it.
    int arcStart = 0, arcEnd = 0;
    int diffAtStart = 0, diffAtEnd = 0;

    int clockTime() const { return ((time % 1440) + 1440) % 1440; }
};

// The secondary port's day, and the lines the window shows: for each tide
// given, a result line and its working line (or a line saying it is not
// worked out), then the notes, then the reasons. Every value is read whole
// (ValueReader.h); heights within ±100 m, blank seasonal changes 0.
struct SecondaryWorking
{
    std::optional<SecondaryTide> high;
    std::optional<SecondaryTide> low;
    QList<ResultLine> lines;
    QList<RefusedValue> refused; // by the field's accessible name, in the order of the reasons
};

SecondaryWorking workSecondaryPort(const PortTable &table, const StandardTides &standard);

// One tide of the standard port's day turned into the secondary port's, by
// its kind: a high water by the high-water differences, a low water by the
// low-water ones, each worked as a single tide is.
struct SecondaryDayTide
{
    tide::DayTide::Kind kind = tide::DayTide::Kind::HighWater;
    int standardDay = 0;   // the standard tide's day: 0 the first tide's, 1 the next
    SecondaryTide working; // its standardTime and time within the standard tide's day

    // Minutes from the midnight before the first standard tide; below 0 for
    // a tide the differences move to the day before it.
    int time() const { return standardDay * 1440 + working.time; }
};

// The secondary port's tides of the day, and the lines the window shows: the
// list worked out (or a line saying it is not), then the notes, then the
// reasons. Nothing where the standard port's list is blank.
struct SecondaryDayWorking
{
    QList<SecondaryDayTide> tides; // in time order; empty unless every tide is worked out
    QList<ResultLine> lines;

    // The first tide's day from the first standard tide's: -1 where the
    // differences move it to the day before, 1 to the day after.
    int firstDay() const;
};

// The standard port's tides of the day, typed as the tide curve's "Tides of
// the day" are (tide/DayTides.h), turned into the secondary port's.
SecondaryDayWorking workSecondaryDay(const PortTable &table, const QString &standardDayTides);

// The secondary port's tides as the tide curve's "Tides of the day" takes
// them, in time order: times as hhmm, heights to 0.01 m in the user's number
// format, "0239 5.30  0845 1.30  …". Empty where they are not worked out.
QString dayTidesText(const SecondaryDayWorking &working);

// "+24 min", "-70 min": a signed whole number of minutes.
QString minutesText(int minutes);
// "+1.10 m": a signed height in the user's number format, two decimals.
QString signedHeightText(double metres);

} // namespace ondal::ports
