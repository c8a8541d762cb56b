#pragma once

#include "core/runtime/LineText.h"
#include "core/runtime/ValueReader.h"
#include "core/streams/LegSolver.h"
#include "core/streams/StreamTable.h"

#include <QList>
#include <QString>

#include <optional>

// The tidal stream for a passage, from a station's table and the day's
// values as typed: the tidal hour of the departure, the stream for that
// hour at the day's range, and for a leg the course to steer, allowing for
// leeway, variation and deviation, the speed over the ground and the time of
// arrival. Whatever cannot be read whole, or gives no answer, is said in a
// line, never thrown and never shown in a message box.

namespace ondal::streams {

// Where the wind blows from, for the leeway.
enum class WindSide { Port, Starboard };

// The day's values and the leg, as typed.
struct LegEntries
{
    QString highWater = {};  // the standard port's high water nearest the passage: "0929", "9:29"
    QString rangeToday = {}; // the day's range at the standard port, metres
    QString departure = {};  // a time as the high water's
    QString track = {};      // degrees true, to make good
    QString distance = {};   // nautical miles
    QString speed = {};      // through the water, knots
    QString leeway = {};     // degrees, blank for none
    WindSide windSide = WindSide::Port;
    QString variation = {}; // "4W", "4E", "-4"; blank for none
    QString deviation = {}; // the same; blank for none
};

// The leg's values as the station's are named (StationValue): the field,
// the key, the accessible name and the label a reason begins with.
struct LegValue
{
    const char16_t *objectName;
    const char16_t *key;
    const char16_t *accessibleName;
    const char16_t *label;
    QString LegEntries::*member;
};
inline constexpr LegValue LegValues[] = {
    {u"txtStreamHw", u"highWater", u"Standard port high water", u"Standard port high water",
     &LegEntries::highWater},
    {u"txtRangeToday", u"rangeToday", u"Range today, metres", u"Range today",
     &LegEntries::rangeToday},
    {u"txtDeparture", u"departure", u"Departure time", u"Departure time", &LegEntries::departure},
    {u"txtTrack", u"track", u"Track, degrees true", u"Track", &LegEntries::track},
    {u"txtDistance", u"distance", u"Distance, nautical miles", u"Distance", &LegEntries::distance},
    {u"txtStreamSpeed", u"speed", u"Speed through the water, knots", u"Speed through the water",
     &LegEntries::speed},
    {u"txtLeeway", u"leeway", u"Leeway, degrees", u"Leeway", &LegEntries::leeway},
    {u"txtVariation", u"variation", u"Variation", u"Variation", &LegEntries::variation},
    {u"txtDeviation", u"deviation", u"Deviation", u"Deviation", &LegEntries::deviation},
};

// What a value may be. A speed through the water of 0 gives no course; a
// stream of more than 15 knots, or a range of more than 100 m, no tide or
// ship has.
inline constexpr double GreatestSpeed = 40.0;      // knots
inline constexpr double GreatestRate = 15.0;       // knots
inline constexpr double GreatestRange = 100.0;     // metres
inline constexpr double GreatestDistance = 1000.0; // miles: more than 13 hours at 55 knots
inline constexpr double GreatestLeeway = 45.0;     // degrees

// Why something asked for is not worked out.
struct StreamProblem
{
    enum class Kind {
        ValueRefused,     // a value missing or not read whole: `key` and `refusal`
        OutsideTable,     // the departure more than 6 h 30 min from high water
        RangesReversed,   // the mean spring range not above the mean neap range
        RateBelowZero,    // `hour`'s rate, extended to the day's range, below 0
        RowMissing,       // `hour`, needed, has no stream in the table, or one not read
        AcrossTooStrong,  // `hour`'s stream across the track faster than the ship
        AgainstTooStrong, // `hour`'s stream against the track at least as fast
        PastTable,        // the leg runs past HW+6
    };

    Kind kind = Kind::ValueRefused;
    QString key;     // ValueRefused: the value's key ("departure", "springP2")
    Refusal refusal; // ValueRefused only
    int hour = 0;

    friend bool operator==(const StreamProblem &, const StreamProblem &) = default;
};

// An hour's stream for the day.
struct HourStream
{
    int hour = 0;
    double set = 0.0;  // degrees true
    double rate = 0.0; // knots, for the day's range
    double springRate = 0.0;
    double neapRate = 0.0;

    Vector vector() const { return towards(set, rate); }
};

// Everything the window shows: the lines, and the numbers to draw.
struct StreamWorking
{
    std::optional<double> fromHighWater;  // the departure, minutes after high water
    std::optional<int> tidalHour;         // the departure's hour, within the table
    std::optional<HourStream> stream;     // that hour's stream for the day
    std::optional<LegSolution> leg;       // the vector triangle; with a course to steer
    std::optional<double> withLeeway;     // degrees true, where leeway is given
    std::optional<double> magneticCourse; // where the variation is given
    std::optional<double> compassCourse;  // where the deviation is as well
    QList<StreamProblem> problems;
    // In this order: what was read (the tidal hour, its stream), what was
    // worked out (a line an hour with the sum, the course, the leeway, the
    // magnetic and compass courses, the speed over the ground and the
    // arrival), the notes, the reasons, and last the disclaimer.
    QList<ResultLine> lines;

    // The course to steer, degrees true, before leeway.
    std::optional<double> course() const;
    // The one the ship steers: after leeway, where there is any.
    std::optional<double> trueCourse() const;
};

StreamWorking workStream(const StreamStation &station, const LegEntries &leg);

// A length of time as the lines give it, to the minute: "45 min", "1 h", "1 h 31 min".
QString spanText(double minutes);

} // namespace ondal::streams
