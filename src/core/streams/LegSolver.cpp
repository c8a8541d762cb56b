#include "core/streams/LegSolver.h"

#include <algorithm>
#include <cmath>

namespace ondal::streams {
namespace {

// Steps of each search: 100 halvings, or 100 golden sections, narrow any
// bracket of this solver far below a second.
constexpr int SearchSteps = 100;
// How long HW+6's stream is held on to estimate where a leg too long for
// the table would end.
constexpr double ExtensionHours = 24.0;
// A root found this close after the edge of a tidal hour lies on the edge:
// the rounding of the sums put it there, not the stream. Taking it on the
// edge moves the end by less than a millimetre.
constexpr double ShortestPiece = 1e-9; // hours

// f(d) = s·d − |D·T − Δ(d)| while the stream is `stream`: with Δ(d) = Δ(a)
// + c·(d − a), the water track is q − c·d for q = D·T − Δ(a) + c·a.
struct HourFunction
{
    Vector q;
    Vector stream;
    double speed = 0.0;

    double operator()(double d) const { return speed * d - (q - stream * d).length(); }
};

// The first d in [a, b] where f reaches 0, if any. f is concave there.
std::optional<double> firstRoot(const HourFunction &f, double a, double b)
{
    if (!(b >= a))
        return std::nullopt;
    if (f(a) >= 0.0)
        return a;

    // The greatest value, by golden sections; the end b is a candidate as
    // well, since where f only rises the sections never quite reach it.
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    double lo = a;
    double hi = b;
    double x1 = hi - ratio * (hi - lo);
    double x2 = lo + ratio * (hi - lo);
    double f1 = f(x1);
    double f2 = f(x2);
    for (int step = 0; step < SearchSteps; ++step) {
        if (f1 < f2) {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + ratio * (hi - lo);
            f2 = f(x2);
        } else {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - ratio * (hi - lo);
            f1 = f(x1);
        }
    }
    double top = b;
    double fTop = f(b);
    for (const auto &[x, fx] : {std::pair{x1, f1}, std::pair{x2, f2}}) {
        if (fx > fTop) {
            top = x;
            fTop = fx;
        }
    }
    if (!(fTop >= 0.0))
        return std::nullopt;

    // f(a) < 0 ≤ f(top), and f rises from a to top: one crossing between.
    lo = a;
    hi = top;
    for (int step = 0; step < SearchSteps; ++step) {
        const double mid = lo + (hi - lo) / 2.0;
        if (f(mid) >= 0.0)
            hi = mid;
        else
            lo = mid;
    }
    return hi;
}

LegSolution solution(const LegProblem &problem, QList<LegPiece> pieces)
{
    LegSolution out;
    out.groundTrack = towards(problem.track, problem.distance);
    out.minutes = pieces.last().until;
    for (const LegPiece &piece : pieces)
        out.drift = out.drift + piece.drift();
    out.waterTrack = out.groundTrack - out.drift;

    // Between the pieces the ship goes straight, so she is farthest off the
    // track at the end of one of them.
    const Vector along = towards(problem.track, 1.0);
    Vector drift;
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        drift = drift + pieces.at(i).drift();
        const double at = pieces.at(i).until;
        const Vector place = out.waterTrack * (at / out.minutes) + drift;
        const double off = cross(along, place);
        if (std::abs(off) > std::abs(out.offTrack)) {
            out.offTrack = off;
            out.offTrackAt = at;
        }
    }
    out.pieces = std::move(pieces);
    return out;
}

} // namespace

int hourAt(double minutesFromHighWater)
{
    const int hour = static_cast<int>(std::floor((minutesFromHighWater + 30.0) / 60.0));
    return std::clamp(hour, FirstHour, LastHour);
}

double LegSolution::groundSpeed() const
{
    return groundTrack.length() / (minutes / 60.0);
}

QList<Vector> LegSolution::corners() const
{
    QList<Vector> out{Vector{}};
    for (const LegPiece &piece : pieces)
        out.append(out.last() + piece.drift());
    out.append(groundTrack);
    return out;
}

StreamOnTrack streamOnTrack(Vector stream, double track, double speed)
{
    const Vector along = towards(track, 1.0);
    StreamOnTrack out;
    out.across = cross(along, stream);
    out.along = dot(along, stream);
    out.acrossTooStrong = std::abs(out.across) > speed;
    out.againstTooStrong = !out.acrossTooStrong && out.along <= 0.0 && stream.length() >= speed;
    return out;
}

LegOutcome solveLeg(const LegProblem &problem)
{
    const Vector goal = towards(problem.track, problem.distance);
    QList<LegPiece> pieces;
    Vector drift;   // Δ(a), miles
    double a = 0.0; // hours under way at the start of the hour
    std::optional<int> missing;
    for (int hour = hourAt(problem.fromHighWater); hour <= LastHour; ++hour) {
        const std::optional<Vector> &stream = problem.streams.at(rowOf(hour));
        if (!stream) {
            missing = hour;
            break;
        }
        const double end = hour * 60.0 + 30.0; // minutes after high water
        const double b = std::max(a, (end - problem.fromHighWater) / 60.0);
        const HourFunction f{goal - drift + *stream * a, *stream, problem.speed};
        if (const std::optional<double> root = firstRoot(f, a, b)) {
            if (*root - a >= ShortestPiece || pieces.isEmpty())
                pieces.append({hour, a * 60.0, *root * 60.0, *stream});
            LegOutcome out;
            out.solution = solution(problem, std::move(pieces));
            return out;
        }
        pieces.append({hour, a * 60.0, b * 60.0, *stream});
        drift = drift + *stream * (b - a);
        a = b;
    }

    LegOutcome out;
    if (!missing) {
        const Vector last = *problem.streams.at(rowOf(LastHour));
        const HourFunction f{goal - drift + last * a, last, problem.speed};
        out.kind = LegOutcome::Kind::PastTable;
        out.hour = LastHour;
        if (const std::optional<double> root = firstRoot(f, a, a + ExtensionHours)) {
            out.estimate = *root * 60.0;
            return out;
        }
    }
    for (const LegPiece &piece : pieces) {
        const StreamOnTrack on = streamOnTrack(piece.stream, problem.track, problem.speed);
        if (on.acrossTooStrong || on.againstTooStrong) {
            out.kind = on.acrossTooStrong ? LegOutcome::Kind::AcrossTooStrong
                                          : LegOutcome::Kind::AgainstTooStrong;
            out.hour = piece.hour;
            out.stream = piece.stream;
            return out;
        }
    }
    if (missing) {
        out.kind = LegOutcome::Kind::RowMissing;
        out.hour = *missing;
        out.reachedAt = a * 60.0;
    }
    return out;
}

} // namespace ondal::streams
