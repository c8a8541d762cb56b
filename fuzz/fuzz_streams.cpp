// The tidal streams' readers and their leg solver fed any input. The input is
// FuzzText's (its first byte picks the locale), the rest split at "|": a
// bearing, a variation, then the station's and the leg's texts in this
// order: mean spring and neap ranges, range today, high water, departure,
// track, distance, speed, leeway, the wind side (any text for starboard),
// variation, deviation, then set, spring and neap rates for each hour from
// HW−6 to HW+6. So the seed fuzz/corpus/streams/worked-example
// is the worked example in the C locale. The same bytes also make a leg of
// numbers within the readers' bounds for the solver alone.
//
// A value read lies within its bounds and reads back the same from the form
// a person would type it in; every number the solver gives is finite, its
// triangle closes, and its pieces run end to end within the table; the
// triangle lays out at a window's size and a page's with every coordinate
// finite and on the target. Each
// input must end quickly: scripts/fuzz gives this target 1 second an input,
// far beyond what the solver's fixed counts take.

#include "FuzzText.h"

#include "core/streams/StreamWorking.h"
#include "core/streams/TriangleLayout.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace ondal;
using namespace ondal::fuzz;
using namespace ondal::streams;
using namespace Qt::StringLiterals;

namespace {

bool finite(Vector v)
{
    return std::isfinite(v.east) && std::isfinite(v.north);
}

// Within 1e-6 M (2 mm), and as close in proportion on a longer
// leg: the solver may put a leg ending within 4 µs after an hour's edge on
// the edge.
bool near(double a, double b, double scale)
{
    return std::abs(a - b) <= 1e-6 * std::max(1.0, scale);
}

QString full(double value)
{
    return QString::number(value, 'g', 17);
}

void checkBearing(const FuzzText &in, const QString &text)
{
    const ValueRead read = readBearing(text);
    if (!read) {
        ONDAL_FUZZ_CHECK(read.refusal.typed == text, describe(text, in.locale) + " misquoted");
        return;
    }
    const double v = *read.value;
    ONDAL_FUZZ_CHECK(v >= 0.0 && v < 360.0, describe(text, in.locale) + " read " + describe(v));
    for (const QString &again : {full(v), full(v) + u"° T"_s, u" "_s + full(v) + u"T"_s}) {
        const ValueRead back = readBearing(again);
        ONDAL_FUZZ_CHECK(back && *back.value == v, describe(text, in.locale) + " read " +
                                                       describe(v) + " but " +
                                                       describe(again, in.locale) + " did not");
    }
}

void checkEastWest(const FuzzText &in, const QString &text, double limit)
{
    const ValueRead read = limit == VariationLimit ? readVariation(text) : readDeviation(text);
    if (!read)
        return;
    const double v = *read.value;
    ONDAL_FUZZ_CHECK(std::abs(v) <= limit, describe(text, in.locale) + " read " + describe(v));
    const QString side = v < 0.0 ? u"W"_s : u"E"_s;
    QStringList forms{full(std::abs(v)) + side, full(std::abs(v)) + u"° "_s + side};
    // Without a side only a minus, or none at all, reads: a bare east one
    // could be meant either way.
    if (v <= 0.0)
        forms << full(v);
    for (const QString &again : std::as_const(forms)) {
        const ValueRead back =
            limit == VariationLimit ? readVariation(again) : readDeviation(again);
        ONDAL_FUZZ_CHECK(back && *back.value == v, describe(text, in.locale) + " read " +
                                                       describe(v) + " but " +
                                                       describe(again, in.locale) + " did not");
    }
}

// The leg's triangle as a window and a page draw it: laid out, and nothing
// off the target or at a place that is no number.
void checkTriangle(const LegSolution &leg, const std::string &what)
{
    const auto measure = [](const QString &text) { return QSizeF(7.0 * text.size(), 14.0); };
    for (const QRectF &target : {QRectF(0, 0, 380, 340), QRectF(118, 1350, 2126, 1200)}) {
        const TriangleLayout layout = layOutTriangle(target, leg, measure, target.width() / 380);
        ONDAL_FUZZ_CHECK(layout.drawn, what + " draws no triangle");
        const QRectF room = target.adjusted(-1e-6, -1e-6, 1e-6, 1e-6);
        const auto on = [&](const QPointF &p) {
            return std::isfinite(p.x()) && std::isfinite(p.y()) && room.contains(p);
        };
        QList<QLineF> lines{layout.north, layout.scaleBar};
        lines << layout.northHead << layout.scaleTicks;
        QList<QRectF> boxes{layout.northBox, layout.scaleBox};
        for (const TriangleVector &v : layout.vectors) {
            lines << v.line << v.heads;
            if (v.drawn)
                boxes << v.box;
        }
        for (const QLineF &line : std::as_const(lines))
            ONDAL_FUZZ_CHECK(on(line.p1()) && on(line.p2()), what + " draws a line off the target");
        for (const QRectF &box : std::as_const(boxes))
            ONDAL_FUZZ_CHECK(on(box.topLeft()) && on(box.bottomRight()),
                             what + " writes a label off the target");
    }
}

// What the solver gives holds together, whatever it was asked.
void checkOutcome(const LegProblem &p, const LegOutcome &out, const std::string &what)
{
    if (!out.solution) {
        ONDAL_FUZZ_CHECK(out.kind != LegOutcome::Kind::Solved, what + " solved without a leg");
        if (out.estimate)
            ONDAL_FUZZ_CHECK(std::isfinite(*out.estimate) &&
                                 *out.estimate >= TableReach - p.fromHighWater - 1e-6,
                             what + " estimates an arrival within the table");
        if (out.kind == LegOutcome::Kind::RowMissing)
            ONDAL_FUZZ_CHECK(!p.streams.at(rowOf(out.hour)), what + " names a row it has");
        if (out.kind == LegOutcome::Kind::AcrossTooStrong ||
            out.kind == LegOutcome::Kind::AgainstTooStrong) {
            const StreamOnTrack on = streamOnTrack(out.stream, p.track, p.speed);
            ONDAL_FUZZ_CHECK(on.acrossTooStrong || on.againstTooStrong,
                             what + " calls a stream too strong that is not");
        }
        return;
    }
    const LegSolution &leg = *out.solution;
    const double tableEnd = TableReach - p.fromHighWater; // minutes after the departure
    ONDAL_FUZZ_CHECK(std::isfinite(leg.minutes) && leg.minutes > 0.0 &&
                         leg.minutes <= tableEnd + 1e-6,
                     what + " takes " + describe(leg.minutes) + " min");
    ONDAL_FUZZ_CHECK(finite(leg.waterTrack) && finite(leg.drift) && finite(leg.groundTrack) &&
                         std::isfinite(leg.offTrack) && std::isfinite(leg.offTrackAt),
                     what + " gives a number that is none");
    const double course = leg.course();
    ONDAL_FUZZ_CHECK(course >= 0.0 && course < 360.0, what + " steers " + describe(course));
    const double scale = p.distance + p.speed * leg.minutes / 60.0;
    ONDAL_FUZZ_CHECK(near(leg.waterTrack.length(), p.speed * leg.minutes / 60.0, scale),
                     what + " leaves the triangle open: water track " +
                         describe(leg.waterTrack.length()) + " M");
    ONDAL_FUZZ_CHECK(!leg.pieces.isEmpty() && leg.pieces.first().from == 0.0 &&
                         leg.pieces.last().until == leg.minutes,
                     what + " does not run its pieces from the departure to the arrival");
    Vector sum;
    for (qsizetype i = 0; i < leg.pieces.size(); ++i) {
        const LegPiece &piece = leg.pieces.at(i);
        ONDAL_FUZZ_CHECK(piece.until >= piece.from, what + " has a piece running backwards");
        ONDAL_FUZZ_CHECK(i == 0 || piece.from == leg.pieces.at(i - 1).until,
                         what + " leaves a gap between pieces");
        ONDAL_FUZZ_CHECK(p.streams.at(rowOf(piece.hour)), what + " uses a stream it was not given");
        sum = sum + piece.drift();
    }
    ONDAL_FUZZ_CHECK(near(sum.east, leg.drift.east, scale) &&
                         near(sum.north, leg.drift.north, scale),
                     what + " sums its drift wrong");
    checkTriangle(leg, what);
}

// 0 to 1 from two bytes of the input, taken in turn and wrapping round.
class Bytes
{
public:
    Bytes(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    double unit()
    {
        if (m_size == 0)
            return 0.0;
        const unsigned hi = m_data[m_next++ % m_size];
        const unsigned lo = m_data[m_next++ % m_size];
        return double((hi << 8) | lo) / 65535.0;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_next = 0;
};

// A leg of numbers within the readers' bounds, straight to the solver.
void solveFromBytes(const std::uint8_t *data, std::size_t size)
{
    Bytes bytes(data, size);
    LegProblem p;
    p.track = 360.0 * bytes.unit();
    p.distance = 0.1 + (GreatestDistance - 0.1) * bytes.unit() * bytes.unit();
    p.speed = 0.1 + (GreatestSpeed - 0.1) * bytes.unit();
    p.fromHighWater = std::round(-TableReach + 2.0 * TableReach * bytes.unit());
    for (std::optional<Vector> &stream : p.streams) {
        const double rate = GreatestRate * bytes.unit();
        const double set = 360.0 * bytes.unit();
        if (bytes.unit() > 0.05)
            stream = towards(set, rate);
    }
    char what[160];
    std::snprintf(what, sizeof what, "leg %.17g° %.17g M at %.17g kn from %.17g min", p.track,
                  p.distance, p.speed, p.fromHighWater);
    checkOutcome(p, solveLeg(p), what);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText in = takeFuzzText(data, size);
    QStringList parts = in.text.split(u'|');
    while (parts.size() < 14 + 3 * HourCount)
        parts.append(QString());

    checkBearing(in, parts.at(0));
    checkEastWest(in, parts.at(1), VariationLimit);
    checkEastWest(in, parts.at(1), DeviationLimit);

    StreamStation station;
    station.springRange = parts.at(2);
    station.neapRange = parts.at(3);
    LegEntries leg;
    QString *const texts[] = {&leg.rangeToday, &leg.highWater, &leg.departure, &leg.track,
                              &leg.distance,   &leg.speed,     &leg.leeway};
    for (int i = 0; i < 7; ++i)
        *texts[i] = parts.at(4 + i);
    leg.windSide = parts.at(11).isEmpty() ? WindSide::Port : WindSide::Starboard;
    leg.variation = parts.at(12);
    leg.deviation = parts.at(13);
    for (int hour = FirstHour; hour <= LastHour; ++hour) {
        const qsizetype at = 14 + 3 * rowOf(hour);
        station.row(hour) = {parts.at(at), parts.at(at + 1), parts.at(at + 2)};
    }
    const StreamWorking working = workStream(station, leg);

    // Lines other than reasons quote nothing typed: none shows a number
    // that is none.
    qsizetype reasons = 0;
    for (const ResultLine &line : working.lines) {
        if (line.kind == ResultLine::Kind::Reason) {
            ++reasons;
            continue;
        }
        const QString lower = line.text.toLower();
        ONDAL_FUZZ_CHECK(!lower.contains(u"nan"_s) && !lower.contains(u"inf"_s) &&
                             !lower.contains(u"--"_s),
                         describe(in.text, in.locale) + " shows " + line.text.toStdString());
    }
    ONDAL_FUZZ_CHECK(reasons == working.problems.size(),
                     describe(in.text, in.locale) + " gives a reason without a problem");
    for (const std::optional<double> &course :
         {working.course(), working.withLeeway, working.magneticCourse, working.compassCourse}) {
        if (course)
            ONDAL_FUZZ_CHECK(*course >= 0.0 && *course < 360.0,
                             describe(in.text, in.locale) + " steers " + describe(*course));
    }
    ONDAL_FUZZ_CHECK(!working.leg || (working.tidalHour && working.stream),
                     describe(in.text, in.locale) + " steers without a stream");

    solveFromBytes(data, size);
    return 0;
}
