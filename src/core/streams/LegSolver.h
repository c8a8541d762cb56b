#pragma once

#include "core/streams/Bearings.h"
#include "core/streams/StreamTable.h"

#include <QList>

#include <array>
#include <optional>

// One leg of a passage through the tidal streams: the course to steer and
// the time it takes to make good a track over a distance at a speed through
// the water, when the stream changes with each tidal hour.
//
// The stream is taken as constant through each tidal hour: the row "HW+2"
// runs from 1 h 30 min to 2 h 30 min after high water at the standard port,
// "HW" from 30 min before to 30 min after; a time on the edge between two
// rows belongs to the later, the one the stream is turning to. So the drift
// Δ(d) after d hours under way is the sum of each hour's stream over the time
// spent in it, a line of straight pieces. Steering one course at speed s,
// the ship reaches the end of the track D·T when
//
//     |D·T − Δ(d)| = s · d
//
// and the water track D·T − Δ(d) is the course to steer. Within one tidal
// hour f(d) = s·d − |D·T − Δ(d)| is concave (a line less a convex function),
// so on each hour the leg crosses, f rises to one greatest value and falls;
// the first d where f reaches 0 lies on the rise of the first hour where its
// greatest value does. Both the greatest value (a golden-section search) and
// the root on its rise (bisection) take a fixed count of steps, so the
// solver always ends. In one tidal hour this is the familiar
//
//     course = track − asin(drift · sin(set − track) / speed)
//     speed over the ground = speed · cos(course − track) + drift · cos(set − track)
//
// Times are minutes, distances nautical miles, speeds knots. Nothing here
// throws, and every number it gives is finite.

namespace ondal::streams {

// The table's reach either side of high water: 6 h 30 min, the outer edges
// of HW−6 and HW+6.
inline constexpr double TableReach = 390.0;

// The row a time from high water falls in, where it lies within ±TableReach.
int hourAt(double minutesFromHighWater);

// A leg with everything read.
struct LegProblem
{
    double track = 0.0;         // degrees true
    double distance = 0.0;      // nautical miles, above 0
    double speed = 0.0;         // through the water, knots, above 0
    double fromHighWater = 0.0; // the departure, minutes after high water, within ±TableReach
    // Each hour's stream in knots, by row (rowOf()); none where the table
    // gives none that can be used.
    std::array<std::optional<Vector>, HourCount> streams = {};
};

// The part of a leg spent in one tidal hour.
struct LegPiece
{
    int hour = 0;
    double from = 0.0;  // minutes after the departure
    double until = 0.0; // the same, above `from`
    Vector stream;      // knots

    Vector drift() const { return stream * ((until - from) / 60.0); } // miles
};

// A leg worked out. Drawn to scale, the vector triangle starts at the
// departure, lays the pieces' drifts end to end, then the water track from
// the end of the last to the end of the track; the ground track runs from
// the departure to the end of the track.
struct LegSolution
{
    double minutes = 0.0; // under way
    Vector groundTrack;   // the track made good, miles
    Vector drift;         // the streams' sum over the leg, miles
    Vector waterTrack; // groundTrack − drift; its length is the speed through the water × time
    QList<LegPiece> pieces;
    // Over more than one tidal hour the ship, on one course, is set off the
    // track between its ends: the farthest, in miles (positive to starboard
    // of the track), and when, in minutes after the departure.
    double offTrack = 0.0;
    double offTrackAt = 0.0;

    double course() const { return bearingOf(waterTrack); } // to steer, degrees true
    double groundSpeed() const;                             // knots
    // The triangle's corners in miles, for a painter to scale: the
    // departure (0, 0), the end of each piece's drift laid end to end, and
    // the end of the track.
    QList<Vector> corners() const;
};

// What became of a leg.
struct LegOutcome
{
    enum class Kind {
        Solved,
        // No course brings the ship to the end of the track while the table
        // lasts: `hour`'s stream across the track is faster than the speed
        // through the water, or its stream against the track at least as fast.
        AcrossTooStrong,
        AgainstTooStrong,
        // The leg reaches an hour without a stream, at `reachedAt` minutes
        // after the departure; where that is the departure's own hour, at 0.
        RowMissing,
        // The leg runs past the end of HW+6. `estimate`, where there is one,
        // is the time under way with the stream of HW+6 held on: a guide to
        // where to split the leg, not an answer.
        PastTable,
    };

    Kind kind = Kind::Solved;
    std::optional<LegSolution> solution; // Solved only
    int hour = 0;
    double reachedAt = 0.0;
    std::optional<double> estimate;
    Vector stream; // the too strong stream, knots
};

// Works out the leg: the first time at which one course brings the ship to
// the end of the track, and that course. Where there is none within the
// table, the reason: the leg running past HW+6 (where the stream of HW+6
// held on would bring her in), a stream too strong in an hour the leg
// crosses, an hour without a stream, or past HW+6 after all, in that order.
LegOutcome solveLeg(const LegProblem &problem);

// How one hour's stream alone bears on holding a track at a speed through
// the water: its part across the track (positive to starboard) and along it
// (positive with the ship), and whether one course would still make the
// track good were the stream to run on unchanged.
struct StreamOnTrack
{
    double across = 0.0;
    double along = 0.0;
    bool acrossTooStrong = false;  // |across| > speed
    bool againstTooStrong = false; // along ≤ 0 and the stream at least as fast as the ship
};
StreamOnTrack streamOnTrack(Vector stream, double track, double speed);

} // namespace ondal::streams
